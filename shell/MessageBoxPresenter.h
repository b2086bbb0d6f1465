#pragma once

#include "MessagePresenter.h"

class QWidget;

// Messages as modal boxes titled "Korvix" with an OK button; the icon tells
// the kind.
class MessageBoxPresenter : public MessagePresenter
{
public:
    void SetParentWindow(QWidget *parent) { m_Parent = parent; }
    void ShowMessageBox(const QString &text, Icon icon) override;

private:
    QWidget *m_Parent = nullptr;
};
