#pragma once

#include "layout/StructureFinder.h"
#include "shell/ShellContext.h"
#include "views/ChosenColours.h"
#include "views/ViewServices.h"

#include <QFileSystemWatcher>
#include <QMainWindow>
#include <QTimer>

#include <memory>

class CKorvixDoc;
class CNodeB;
class CKorvixView;
class CStructView;
class CommandActions;
class CyrillicMnemonicKeys;
class FindBar;
class MessagesPanel;
class QLabel;
class QMenu;
class QSplitter;
class RecentFileList;
class ToolbarManager;

// The main window: menu bar, toolbars, status bar, and a splitter with the
// structure tree on the left and the table on the right.
class CMainFrame : public QMainWindow
{
    Q_OBJECT

public:
    CMainFrame(ShellContext &context, CKorvixDoc &document, QWidget *parent = nullptr);
    ~CMainFrame() override;

    CStructView *StructView() const { return m_Tree; }
    CKorvixView *TableView() const { return m_Table; }
    MessagesPanel *Messages() const { return m_Messages; }
    FindBar *Find() const { return m_FindBar; }
    QSplitter *Splitter() const { return m_Splitter; }
    CommandActions &Commands() const { return *m_Commands; }
    ToolbarManager &Toolbars() const { return *m_Toolbars; }
    const RecentFileList &RecentFiles() const { return *m_Recent; }

    // File Open through the dialog.
    void OpenWithDialog();
    // The dialog's filters: structure files first, then every file.
    static QString OpenDialogFilters();
    // Opens a file as File Open does and files it among the recent ones.
    bool OpenFile(const QString &path);
    // File > Обновить (F5): reads the open file again, keeping the drawn
    // point, its mode and the colours chosen in this run where the names
    // still exist.
    void ReloadFile();
    // CustomizeToolbars: the toolbar customisation dialog (modeless).
    void ShowCustomizeDialog();
    // Where File Open starts the first time (the examples, when installed).
    void SetFirstOpenDirectory(const QString &directory) { m_FirstOpenDirectory = directory; }

    QMenu *createPopupMenu() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateCommands();
    void CreatePointCommands();
    void CreateMenus();
    void CreateToolbars();
    void CreateStatusBar();
    void CreateClientArea();
    void CreateMessagesPanel();
    // The load's messages into the panel and their count into the status bar.
    void ShowLoadReport();
    // A message's node: selected in the tree (and so outlined in the table).
    void ShowNode(const CNodeB *node);
    void RefreshRecentFilesMenu();
    void UpdateTitle();
    void UpdateLockIndicators();
    void SwitchPane(bool forward);
    // The next (or previous) match of the find bar's text after the tree's
    // selection, selected in the tree; what came of it is said in the bar.
    void FindStep(bool forward);
    // The draw and colour commands of the menu bar follow the tree's selection.
    void UpdatePointCommands();
    // The open file is watched: a change on disk is said in the status bar
    // (or read at once, when so set).
    void WatchOpenFile();
    void OnFileChangedOnDisk();
    void RestoreWindowState();
    void SaveWindowState();

    ShellContext &m_Context;
    CKorvixDoc &m_Document;
    ViewServices m_Services;
    std::unique_ptr<CommandActions> m_Commands;
    std::unique_ptr<RecentFileList> m_Recent;
    ToolbarManager *m_Toolbars = nullptr;
    QSplitter *m_Splitter = nullptr;
    CStructView *m_Tree = nullptr;
    CKorvixView *m_Table = nullptr;
    QMenu *m_FileMenu = nullptr;
    QMenu *m_ToolbarsMenu = nullptr;
    QMenu *m_ViewMenu = nullptr;
    CyrillicMnemonicKeys *m_MnemonicKeys = nullptr;
    QAction *m_RecentSeparator = nullptr;
    QList<QAction *> m_RecentActions;
    QLabel *m_Ready = nullptr;
    QLabel *m_MessageCount = nullptr;
    MessagesPanel *m_Messages = nullptr;
    QAction *m_PanelOnly = nullptr;
    QAction *m_ReloadOnChange = nullptr;
    FindBar *m_FindBar = nullptr;
    StructureFinder m_Finder;
    QAction *m_Find = nullptr;
    QAction *m_FindNext = nullptr;
    QAction *m_FindPrevious = nullptr;
    ChosenColours m_ChosenColours;
    QFileSystemWatcher m_Watcher;
    QTimer m_ChangeSettles;
    QWidget *m_ChangedOnDisk = nullptr;
    QLabel *m_Indicators[3] = {};
    QString m_FirstOpenDirectory;
};
