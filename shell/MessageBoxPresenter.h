#pragma once

#include "log/MessagePresenter.h"

class QWidget;

// Messages as modal boxes titled "Korvix" with an OK button; the icon tells
// the kind. A read's box can hold the rest of that file's messages back (they
// are in the messages panel anyway), or all of them can be.
class MessageBoxPresenter : public MessagePresenter
{
public:
    void SetParentWindow(QWidget *parent) { m_Parent = parent; }
    void ShowMessageBox(const QString &text, Icon icon) override;
    void ShowReadMessage(const QString &text) override;

    // A new file is read: its messages come as boxes again (unless all are
    // held back).
    void StartFile();
    // Every read message only in the panel.
    void SetPanelOnly(bool panelOnly) { m_PanelOnly = panelOnly; }
    // How many messages of the current file were not shown as boxes.
    int HeldBack() const { return m_HeldBack; }

    // The check box's text.
    static QString HoldBackText();

private:
    QWidget *m_Parent = nullptr;
    bool m_PanelOnly = false;
    bool m_RestOfFileHeld = false;
    int m_HeldBack = 0;
};
