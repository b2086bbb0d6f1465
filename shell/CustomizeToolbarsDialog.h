#pragma once

#include <QDialog>

class CommandActions;
class QCheckBox;
class QComboBox;
class QListWidget;
class QPushButton;
class QToolBar;
class ToolbarManager;

// "Настройка...": shows and hides the toolbars, switches their text labels,
// creates, renames and deletes user toolbars and puts commands on them.
// Every change applies at once, so the dialog can stay open beside the window.
class CustomizeToolbarsDialog : public QDialog
{
    Q_OBJECT

public:
    CustomizeToolbarsDialog(ToolbarManager &toolbars, CommandActions &commands, QWidget *parent = nullptr);

    // For the window's tests: create a user toolbar without asking for a name.
    QToolBar *CreateToolbarNamed(const QString &name);

private:
    void FillToolbarList();
    void FillCommandLists();
    QToolBar *SelectedToolbar() const;
    QToolBar *SelectedUserToolbar() const;
    void OnCreate();
    void OnRename();
    void OnDelete();
    void OnAdd();
    void OnRemove();
    void OnImageChosen(int index);
    void UpdateButtons();

    ToolbarManager &m_Toolbars;
    CommandActions &m_Commands;
    QListWidget *m_ToolbarList = nullptr;
    QPushButton *m_Create = nullptr;
    QPushButton *m_Rename = nullptr;
    QPushButton *m_Delete = nullptr;
    QCheckBox *m_TextLabels = nullptr;
    QComboBox *m_CommandTarget = nullptr;
    QListWidget *m_Available = nullptr;
    QListWidget *m_OnToolbar = nullptr;
    QPushButton *m_Add = nullptr;
    QPushButton *m_Remove = nullptr;
    QComboBox *m_Image = nullptr;
    bool m_Filling = false;
};
