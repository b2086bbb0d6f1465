#pragma once

#include "log/MessagePresenter.h"

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

// Records every message the program would show.
class RecordingPresenter : public MessagePresenter
{
public:
    void ShowMessageBox(const QString &text, Icon icon) override { m_Messages.emplace_back(icon, text); }

    QStringList Texts(Icon icon) const
    {
        QStringList texts;
        for (const auto &[i, text] : m_Messages)
            if (i == icon)
                texts.append(text);
        return texts;
    }
    QStringList Information() const { return Texts(Icon::Information); }
    QStringList Errors() const { return Texts(Icon::Error); }
    void Clear() { m_Messages.clear(); }

    std::vector<std::pair<Icon, QString>> m_Messages;
};
