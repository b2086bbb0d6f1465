#include "shell/CMainFrame.h"

#include "layout/CPunct.h"
#include "layout/CRoot.h"
#include "layout/DrawCommand.h"
#include "model/ResString.h"
#include "shell/CAboutDlg.h"
#include "shell/CKorvixDoc.h"
#include "shell/CommandActions.h"
#include "shell/CustomizeToolbarsDialog.h"
#include "shell/CyrillicMnemonicKeys.h"
#include "shell/LockKeyState.h"
#include "shell/MessageBoxPresenter.h"
#include "shell/RecentFileList.h"
#include "shell/ToolbarManager.h"
#include "views/CKorvixView.h"
#include "views/CommandId.h"
#include "views/CStructView.h"
#include "views/FindBar.h"
#include "views/MessagesPanel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kFrameGroup = QStringLiteral("MainFrame");

// The draw and colour commands, in the order of the dispatch point's menu.
constexpr CommandId kPointCommands[] = {CommandId::DrawByStreets,   CommandId::DrawTwoColumns,
                                  CommandId::DrawByController, CommandId::PointBackground,
                                  CommandId::AllStreetsBackground, CommandId::StreetBackground};

QIcon Icon(const char *name)
{
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

} // namespace

CMainFrame::CMainFrame(ShellContext &context, CKorvixDoc &document, QWidget *parent)
    : QMainWindow(parent)
    , m_Context(context)
    , m_Document(document)
    , m_Services{context.root, context.colours, context.presenter, &m_ChosenColours}
    , m_Commands(std::make_unique<CommandActions>())
    , m_Recent(std::make_unique<RecentFileList>(context.settings))
{
    setObjectName(QStringLiteral("mainFrame"));
    setWindowIcon(Icon("korvix"));
    setAcceptDrops(true);
    if (m_Context.boxes)
        m_Context.boxes->SetParentWindow(this);

    CreateCommands();
    CreatePointCommands();
    CreateMenus();
    CreateToolbars();
    CreateStatusBar();
    CreateClientArea();
    CreateMessagesPanel();
    RestoreWindowState();

    connect(&m_Document, &CKorvixDoc::StructureAboutToBeReplaced, this, [this] {
        m_Finder.Clear();
        m_FindBar->SetResult({});
        m_Tree->clear();
        m_Table->ResetView();
        m_Messages->Clear();
        m_MessageCount->clear();
        if (m_Context.boxes)
            m_Context.boxes->StartFile();
        statusBar()->clearMessage();
        UpdatePointCommands();
    });
    connect(m_Tree, &CStructView::SelectionCommandsChanged, this, &CMainFrame::UpdatePointCommands);
    // In the message pane instead of «Готово» until the table is shown again
    // (a menu's prompts pass over it and leave it there).
    connect(m_Table, &CKorvixView::TableEmpty, m_Ready, &QLabel::setText);
    connect(m_Table, &CKorvixView::TableShown, this, [this] { m_Ready->setText(LoadResString(TextId::Ready)); });
    // What is selected in the tree is outlined in the table when it is drawn there.
    connect(m_Tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *current) {
        m_Table->SetSelectedNode(CStructView::NodeOf(current));
        m_Table->SetMarkedNode(CStructView::NodeOf(current));
    });
    // Said in the status bar, not a box: nothing is wrong with the file as XML.
    connect(&m_Document, &CKorvixDoc::ReadWithoutPult, this,
            [this] { statusBar()->showMessage(LoadResString(TextId::ReadWithoutPultStatus)); });
    connect(&m_Document, &CKorvixDoc::StructureReplaced, m_Tree, &CStructView::FillTree);
    connect(&m_Document, &CKorvixDoc::StructureReplaced, this, &CMainFrame::ShowLoadReport);
    connect(&m_Document, &CKorvixDoc::DocumentChanged, this, [this] {
        m_Table->ResetView();
        m_Table->SetSelectedNode(CStructView::NodeOf(m_Tree->currentItem()));
        UpdateTitle();
        WatchOpenFile();
    });
    // Editors write a file in steps: it is read once they are done.
    m_ChangeSettles.setSingleShot(true);
    m_ChangeSettles.setInterval(300);
    connect(&m_Watcher, &QFileSystemWatcher::fileChanged, this, [this] { m_ChangeSettles.start(); });
    connect(&m_ChangeSettles, &QTimer::timeout, this, &CMainFrame::OnFileChangedOnDisk);
    qApp->installEventFilter(this);
    UpdateTitle();
    UpdateLockIndicators();
    UpdatePointCommands();
}

CMainFrame::~CMainFrame()
{
    qApp->removeEventFilter(this);
    if (m_Context.boxes)
        m_Context.boxes->SetParentWindow(nullptr);
}

void CMainFrame::CreateCommands()
{
    CommandActions &c = *m_Commands;
    QAction *newDoc = c.Add(CommandId::FileNew, LoadResString(TextId::FileNewMenuText), Icon("file-new"),
                            {QKeySequence(Qt::CTRL | Qt::Key_N)});
    connect(newDoc, &QAction::triggered, &m_Document, &CKorvixDoc::OnNewDocument);
    QAction *open = c.Add(CommandId::FileOpen, LoadResString(TextId::FileOpenMenuText), Icon("file-open"),
                          {QKeySequence(Qt::CTRL | Qt::Key_O)});
    connect(open, &QAction::triggered, this, &CMainFrame::OpenWithDialog);
    QAction *reload = c.Add(CommandId::FileReload, LoadResString(TextId::FileReloadMenuText), Icon("file-reload"),
                            {QKeySequence(Qt::Key_F5)});
    reload->setStatusTip(LoadResString(TextId::FileReloadStatusTip));
    connect(reload, &QAction::triggered, this, &CMainFrame::ReloadFile);
    m_ReloadOnChange = new QAction(LoadResString(TextId::ReloadOnChangeMenuText), this);
    m_ReloadOnChange->setObjectName(QStringLiteral("reloadOnChange"));
    m_ReloadOnChange->setCheckable(true);
    // Korvix never writes a structure file: the save commands stay disabled.
    c.Add(CommandId::FileSave, LoadResString(TextId::FileSaveMenuText), Icon("file-save"),
          {QKeySequence(Qt::CTRL | Qt::Key_S)})
        ->setEnabled(false);
    c.Add(CommandId::FileSaveAs, LoadResString(TextId::FileSaveAsMenuText))->setEnabled(false);
    c.Add(CommandId::FilePrint, LoadResString(TextId::FilePrintMenuText), Icon("file-print"))->setEnabled(false);
    connect(c.Add(CommandId::AppExit, LoadResString(TextId::AppExitMenuText)), &QAction::triggered, this,
            &QWidget::close);
    c.Add(CommandId::EditUndo, LoadResString(TextId::EditUndoMenuText), {},
          {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)})
        ->setEnabled(false);
    c.Add(CommandId::EditCut, LoadResString(TextId::EditCutMenuText), Icon("edit-cut"),
          {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)})
        ->setEnabled(false);
    c.Add(CommandId::EditCopy, LoadResString(TextId::EditCopyMenuText), Icon("edit-copy"),
          {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)})
        ->setEnabled(false);
    c.Add(CommandId::EditPaste, LoadResString(TextId::EditPasteMenuText), Icon("edit-paste"),
          {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)})
        ->setEnabled(false);
    QAction *statusBarToggle = c.Add(CommandId::ViewStatusBar, LoadResString(TextId::ViewStatusBarMenuText));
    statusBarToggle->setCheckable(true);
    statusBarToggle->setChecked(true);
    connect(statusBarToggle, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });
    // The panes are fixed; splitting them further is not offered.
    c.Add(CommandId::WindowSplit, LoadResString(TextId::WindowSplitMenuText))->setEnabled(false);
    connect(c.Add(CommandId::AppAbout, LoadResString(TextId::AppAboutMenuText), Icon("help-about")),
            &QAction::triggered, this, [this] { CAboutDlg(this).exec(); });
    connect(c.Add(CommandId::CustomizeToolbars, LoadResString(TextId::CustomizeToolbarsMenuText)), &QAction::triggered, this,
            &CMainFrame::ShowCustomizeDialog);
    QAction *nextPane = c.Add(CommandId::NextPane, LoadResString(TextId::NextPaneMenuText), {},
                              {QKeySequence(Qt::Key_F6)});
    connect(nextPane, &QAction::triggered, this, [this] { SwitchPane(true); });
    QAction *previousPane = c.Add(CommandId::PreviousPane, LoadResString(TextId::PreviousPaneMenuText), {},
                                  {QKeySequence(Qt::SHIFT | Qt::Key_F6)});
    connect(previousPane, &QAction::triggered, this, [this] { SwitchPane(false); });
    m_Find = new QAction(LoadResString(TextId::FindMenuText), this);
    m_Find->setObjectName(QStringLiteral("find"));
    m_Find->setShortcut(QKeySequence::Find);
    m_Find->setStatusTip(LoadResString(TextId::FindStatusTip));
    connect(m_Find, &QAction::triggered, this, [this] { m_FindBar->Open(); });
    m_FindNext = new QAction(LoadResString(TextId::FindNextMenuText), this);
    m_FindNext->setObjectName(QStringLiteral("findNext"));
    m_FindNext->setShortcut(QKeySequence(Qt::Key_F3));
    connect(m_FindNext, &QAction::triggered, this, [this] { FindStep(true); });
    m_FindPrevious = new QAction(LoadResString(TextId::FindPreviousMenuText), this);
    m_FindPrevious->setObjectName(QStringLiteral("findPrevious"));
    m_FindPrevious->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
    connect(m_FindPrevious, &QAction::triggered, this, [this] { FindStep(false); });
    for (QAction *action : {m_Find, m_FindNext, m_FindPrevious})
        addAction(action);
    // F10 opens the menu bar, whatever the keyboard layout.
    auto *menuBarKey = new QAction(this);
    menuBarKey->setObjectName(QStringLiteral("menuBarKey"));
    menuBarKey->setShortcut(QKeySequence(Qt::Key_F10));
    connect(menuBarKey, &QAction::triggered, this, [this] {
        const QList<QAction *> menus = menuBar()->actions();
        if (!menus.isEmpty())
            menuBar()->setActiveAction(menus.first());
    });
    addAction(menuBarKey);
}

void CMainFrame::CreatePointCommands()
{
    // What the tree's menu offers, for the keyboard: Ctrl and a digit, in
    // the menu's order (digits are the same in every keyboard layout).
    int digit = 1;
    for (CommandId id : kPointCommands) {
        QAction *action = m_Commands->Add(id, LoadResString(PromptOf(id)), {},
                                          {QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_0 + digit++))});
        connect(action, &QAction::triggered, this, [this, id] { m_Tree->RunSelectionCommand(id); });
    }
    // Accelerators work wherever the focus is in the window.
    for (CommandId id : m_Commands->Ids())
        addAction(m_Commands->Action(id));
}

void CMainFrame::UpdatePointCommands()
{
    const QList<CommandId> applicable = m_Tree ? m_Tree->SelectionCommands() : QList<CommandId>();
    for (CommandId id : kPointCommands)
        m_Commands->Action(id)->setEnabled(applicable.contains(id));
}

void CMainFrame::CreateMenus()
{
    CommandActions &c = *m_Commands;
    m_FileMenu = menuBar()->addMenu(LoadResString(TextId::FileMenuTitle));
    m_FileMenu->addAction(c.Action(CommandId::FileOpen));
    m_FileMenu->addAction(c.Action(CommandId::FileReload));
    m_FileMenu->addAction(m_ReloadOnChange);
    m_FileMenu->addAction(c.Action(CommandId::FileSave));
    m_FileMenu->addAction(c.Action(CommandId::FileSaveAs));
    m_FileMenu->addSeparator();
    m_RecentSeparator = m_FileMenu->addSeparator();
    m_FileMenu->addAction(c.Action(CommandId::AppExit));
    RefreshRecentFilesMenu();

    QMenu *edit = menuBar()->addMenu(LoadResString(TextId::EditMenuTitle));
    edit->addAction(c.Action(CommandId::EditUndo));
    edit->addSeparator();
    edit->addAction(c.Action(CommandId::EditCut));
    edit->addAction(c.Action(CommandId::EditCopy));
    edit->addAction(c.Action(CommandId::EditPaste));

    QMenu *view = menuBar()->addMenu(LoadResString(TextId::ViewMenuTitle));
    m_ToolbarsMenu = view->addMenu(LoadResString(TextId::ToolbarsMenuTitle));
    connect(m_ToolbarsMenu, &QMenu::aboutToShow, this, [this] {
        m_ToolbarsMenu->clear();
        for (QToolBar *bar : m_Toolbars->AllToolbars())
            m_ToolbarsMenu->addAction(bar->toggleViewAction());
        m_ToolbarsMenu->addAction(m_Messages->toggleViewAction());
        m_ToolbarsMenu->addSeparator();
        m_ToolbarsMenu->addAction(m_Commands->Action(CommandId::CustomizeToolbars));
    });
    view->addAction(c.Action(CommandId::ViewStatusBar));
    view->addAction(c.Action(CommandId::WindowSplit));
    m_ViewMenu = view;

    // Alt+П is the Edit menu's already.
    QMenu *point = menuBar()->addMenu(LoadResString(TextId::PointMenuTitle));
    point->setObjectName(QStringLiteral("pointMenu"));
    for (CommandId id : kPointCommands) {
        if (id == CommandId::PointBackground)
            point->addSeparator();
        point->addAction(c.Action(id));
    }
    point->addSeparator();
    point->addAction(m_Find);
    point->addAction(m_FindNext);
    point->addAction(m_FindPrevious);

    QMenu *help = menuBar()->addMenu(LoadResString(TextId::HelpMenuTitle));
    help->addAction(c.Action(CommandId::AppAbout));
    m_MnemonicKeys = new CyrillicMnemonicKeys(*this, *menuBar(), this);
}

void CMainFrame::RefreshRecentFilesMenu()
{
    for (QAction *action : m_RecentActions) {
        m_FileMenu->removeAction(action);
        action->deleteLater();
    }
    m_RecentActions.clear();
    const QStringList &files = m_Recent->Files();
    if (files.isEmpty()) {
        auto *placeholder = new QAction(LoadResString(TextId::NoRecentFilesPlaceholder), m_FileMenu);
        placeholder->setEnabled(false);
        m_RecentActions.append(placeholder);
    }
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        auto *action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path), m_FileMenu);
        action->setStatusTip(LoadResString(TextId::RecentFilePrompt));
        action->setData(path);
        connect(action, &QAction::triggered, this, [this, path] { OpenFile(path); });
        m_RecentActions.append(action);
    }
    m_FileMenu->insertActions(m_RecentSeparator, m_RecentActions);
}

void CMainFrame::CreateToolbars()
{
    m_Toolbars = new ToolbarManager(*this, *m_Commands, m_Context.settings, this);
    m_Toolbars->CreateStandardToolbar({CommandId::FileNew, CommandId::FileOpen, CommandId::FileSave,
                                       CommandId::Separator, CommandId::EditCut, CommandId::EditCopy,
                                       CommandId::EditPaste, CommandId::Separator,
                                       CommandId::FilePrint, CommandId::AppAbout});
    m_Toolbars->LoadUserImages(QDir::current().filePath(QStringLiteral("UserImages.bmp")));
    m_Toolbars->RestoreUserToolbars();
}

QMenu *CMainFrame::createPopupMenu()
{
    QMenu *menu = QMainWindow::createPopupMenu();
    if (!menu)
        menu = new QMenu(this);
    menu->addSeparator();
    menu->addAction(m_Commands->Action(CommandId::CustomizeToolbars));
    return menu;
}

void CMainFrame::ShowCustomizeDialog()
{
    if (auto *open = findChild<CustomizeToolbarsDialog *>()) {
        open->raise();
        open->activateWindow();
        return;
    }
    auto *dialog = new CustomizeToolbarsDialog(*m_Toolbars, *m_Commands, this);
    dialog->show();
}

void CMainFrame::CreateStatusBar()
{
    m_Ready = new QLabel(LoadResString(TextId::Ready), this);
    m_Ready->setObjectName(QStringLiteral("readyPane"));
    statusBar()->addWidget(m_Ready, 1);
    const TextId ids[3] = {TextId::CapsLockIndicator, TextId::NumLockIndicator, TextId::ScrollLockIndicator};
    for (int i = 0; i < 3; ++i) {
        m_Indicators[i] = new QLabel(LoadResString(ids[i]), this);
        m_Indicators[i]->setObjectName(QStringLiteral("indicator%1").arg(static_cast<int>(ids[i])));
        m_Indicators[i]->setAlignment(Qt::AlignCenter);
        m_Indicators[i]->setMinimumWidth(m_Indicators[i]->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 10);
        statusBar()->addPermanentWidget(m_Indicators[i]);
    }
}

void CMainFrame::UpdateLockIndicators()
{
    const LockKeyState::Key keys[3] = {LockKeyState::Key::CapsLock, LockKeyState::Key::NumLock,
                                       LockKeyState::Key::ScrollLock};
    for (int i = 0; i < 3; ++i) {
        // Lit when the key is on; dimmed when off or when nobody can tell.
        m_Indicators[i]->setEnabled(LockKeyState::Query(keys[i]).value_or(false));
    }
}

bool CMainFrame::eventFilter(QObject *watched, QEvent *event)
{
    // Once per lock-key press, as the top-level window gets it (the filter sees
    // every delivery of every event).
    if (event->type() == QEvent::ApplicationActivate) {
        UpdateLockIndicators();
    } else if (event->type() == QEvent::KeyRelease && watched->isWindowType()) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock)
            UpdateLockIndicators();
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::CreateClientArea()
{
    m_Splitter = new QSplitter(Qt::Horizontal, this);
    m_Splitter->setObjectName(QStringLiteral("splitter"));
    m_Splitter->setChildrenCollapsible(false);
    // The find bar sits over the tree, in the tree's pane.
    auto *treePane = new QWidget(m_Splitter);
    treePane->setObjectName(QStringLiteral("treePane"));
    auto *treeLayout = new QVBoxLayout(treePane);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    treeLayout->setSpacing(0);
    m_FindBar = new FindBar(treePane);
    m_FindBar->hide();
    m_Tree = new CStructView(m_Services, treePane);
    treeLayout->addWidget(m_FindBar);
    treeLayout->addWidget(m_Tree, 1);
    connect(m_FindBar, &FindBar::FindRequested, this, [this](const QString &, bool forward) { FindStep(forward); });
    connect(m_FindBar, &FindBar::Closed, m_Tree, [this] { m_Tree->setFocus(Qt::OtherFocusReason); });
    m_Table = new CKorvixView(m_Services, m_Splitter);
    m_Tree->SetTableView(m_Table);
    m_Splitter->addWidget(treePane);
    m_Splitter->addWidget(m_Table);
    m_Splitter->setStretchFactor(0, 0);
    m_Splitter->setStretchFactor(1, 1);
    m_Splitter->setSizes({300, 100});
    setCentralWidget(m_Splitter);
}

void CMainFrame::CreateMessagesPanel()
{
    m_Messages = new MessagesPanel(this);
    m_Messages->setAllowedAreas(Qt::BottomDockWidgetArea | Qt::TopDockWidgetArea);
    addDockWidget(Qt::BottomDockWidgetArea, m_Messages);
    // A few rows at first; the table keeps the room.
    resizeDocks({m_Messages}, {m_Messages->fontMetrics().height() * 8}, Qt::Vertical);
    // Under the table, beside the tree.
    setCorner(Qt::BottomLeftCorner, Qt::LeftDockWidgetArea);
    connect(m_Messages, &MessagesPanel::NodeActivated, this, &CMainFrame::ShowNode);
    QAction *shown = m_Messages->toggleViewAction();
    shown->setText(LoadResString(TextId::MessagesPanelMenuText));
    m_ViewMenu->insertAction(m_Commands->Action(CommandId::WindowSplit), shown);
    m_PanelOnly = new QAction(LoadResString(TextId::MessagesOnlyInPanelMenuText), this);
    m_PanelOnly->setObjectName(QStringLiteral("messagesOnlyInPanel"));
    m_PanelOnly->setCheckable(true);
    connect(m_PanelOnly, &QAction::toggled, this, [this](bool on) {
        if (m_Context.boxes)
            m_Context.boxes->SetPanelOnly(on);
    });
    m_ViewMenu->insertAction(m_Commands->Action(CommandId::WindowSplit), m_PanelOnly);
    // Says that the open file changed on disk, and offers to read it again.
    m_ChangedOnDisk = new QWidget(this);
    m_ChangedOnDisk->setObjectName(QStringLiteral("changedOnDisk"));
    auto *changedLayout = new QHBoxLayout(m_ChangedOnDisk);
    changedLayout->setContentsMargins(0, 0, 0, 0);
    changedLayout->addWidget(new QLabel(LoadResString(TextId::FileChangedOnDisk), m_ChangedOnDisk));
    auto *reloadButton = new QToolButton(m_ChangedOnDisk);
    reloadButton->setDefaultAction(m_Commands->Action(CommandId::FileReload));
    reloadButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    changedLayout->addWidget(reloadButton);
    m_ChangedOnDisk->hide();
    statusBar()->insertPermanentWidget(1, m_ChangedOnDisk);
    m_MessageCount = new QLabel(this);
    m_MessageCount->setObjectName(QStringLiteral("messageCount"));
    statusBar()->insertPermanentWidget(1, m_MessageCount); // after the message pane, before the indicators
}

void CMainFrame::ShowLoadReport()
{
    const LoadReport &report = m_Context.root.m_LoadReport;
    m_Messages->ShowReport(report);
    QString count = LoadResString(TextId::ReadMessageCount).arg(report.messageCount);
    if (report.failed)
        count += LoadResString(TextId::ReadMessageCountFileNotRead);
    m_MessageCount->setText(count);
    // Messages held back from their boxes must be seen somewhere.
    if (m_Context.boxes && m_Context.boxes->HeldBack() > 0)
        m_Messages->show();
}

void CMainFrame::ShowNode(const CNodeB *node)
{
    // The tree's selection is outlined in the table as well.
    if (node)
        m_Tree->SelectNode(*node);
}

void CMainFrame::FindStep(bool forward)
{
    const QString text = m_FindBar->Text();
    if (text.isEmpty()) {
        m_FindBar->Open();
        return;
    }
    // The tree has put the structure in its order by now.
    if (m_Finder.IsEmpty())
        m_Finder.Reset(m_Context.root);
    const StructureFinder::Found found = m_Finder.Next(text, CStructView::NodeOf(m_Tree->currentItem()), forward);
    if (!found.node) {
        m_FindBar->SetResult(LoadResString(TextId::FindNothingFound));
        return;
    }
    m_FindBar->SetResult(found.wrapped ? (forward ? LoadResString(TextId::FindWrappedToStart)
                                                  : LoadResString(TextId::FindWrappedToEnd))
                                       : QString());
    m_Tree->SelectNode(*found.node);
}

void CMainFrame::SwitchPane(bool forward)
{
    QWidget *panes[2] = {m_Tree, m_Table};
    const int current = m_Table->hasFocus() ? 1 : 0;
    const int next = 1 - current; // two panes: both directions lead to the other one
    panes[next]->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

void CMainFrame::UpdateTitle()
{
    setWindowTitle(m_Document.Title() + QStringLiteral(" - Korvix"));
}

void CMainFrame::OpenWithDialog()
{
    QString directory = QFileInfo(m_Document.PathName()).absolutePath();
    if (m_Document.PathName().isEmpty()) {
        directory = m_Recent->Files().isEmpty() ? m_FirstOpenDirectory
                                                 : QFileInfo(m_Recent->Files().first()).absolutePath();
    }
    const QString path = QFileDialog::getOpenFileName(this, LoadResString(TextId::OpenDialogTitle), directory,
                                                      OpenDialogFilters());
    if (!path.isEmpty())
        OpenFile(path);
}

void CMainFrame::ReloadFile()
{
    if (m_Document.PathName().isEmpty())
        return;
    CRoot &root = m_Context.root;
    const QString drawnName = root.m_CurPunct ? root.m_CurPunct->m_Name : QString();
    const LayoutMode mode = root.m_CurPunct ? CurrentLayoutMode(*root.m_CurPunct) : LayoutMode::Streets;
    if (!m_Document.Reload())
        return;
    m_ChosenColours.ApplyTo(root);
    if (drawnName.isEmpty())
        return;
    for (CPunct *point : ChildrenAs<CPunct>(root)) {
        if (point->m_Name != drawnName)
            continue;
        m_Tree->SelectNode(*point);
        root.m_CurPunct = point;
        SetLayoutMode(*point, mode);
        m_Table->ReLayout();
        UpdatePointCommands();
        break;
    }
}

void CMainFrame::WatchOpenFile()
{
    m_ChangeSettles.stop();
    m_ChangedOnDisk->hide();
    if (!m_Watcher.files().isEmpty())
        m_Watcher.removePaths(m_Watcher.files());
    const QString path = m_Document.PathName();
    if (!path.isEmpty() && QFileInfo::exists(path))
        m_Watcher.addPath(path);
}

void CMainFrame::OnFileChangedOnDisk()
{
    const QString path = m_Document.PathName();
    if (path.isEmpty())
        return;
    // An editor that saves by replacing the file ends the watch of the old one.
    if (!m_Watcher.files().contains(path) && QFileInfo::exists(path))
        m_Watcher.addPath(path);
    if (m_ReloadOnChange->isChecked() && QFileInfo::exists(path)) {
        ReloadFile();
        return;
    }
    m_ChangedOnDisk->show();
}

bool CMainFrame::OpenFile(const QString &path)
{
    // Colours chosen for one file are not another file's.
    if (QFileInfo(path).absoluteFilePath() != QFileInfo(m_Document.PathName()).absoluteFilePath())
        m_ChosenColours.Clear();
    if (!m_Document.OnOpenDocument(path)) {
        m_Recent->Remove(path);
        RefreshRecentFilesMenu();
        return false;
    }
    m_Recent->Add(m_Document.PathName());
    RefreshRecentFilesMenu();
    activateWindow();
    return true;
}

QString CMainFrame::OpenDialogFilters()
{
    return LoadResString(TextId::OpenDialogFilters);
}

namespace {

// Korvix only reads the dropped file: the drop is taken as a copy (or a
// link), never as a move, whatever the source proposes or the modifier keys
// say. A source told "moved" deletes or moves the user's file.
bool AcceptAsCopy(QDropEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return false;
    const Qt::DropActions possible = event->possibleActions();
    if (possible & Qt::CopyAction)
        event->setDropAction(Qt::CopyAction);
    else if (possible & Qt::LinkAction)
        event->setDropAction(Qt::LinkAction);
    else
        return false;
    event->accept();
    return true;
}

} // namespace

void CMainFrame::dragEnterEvent(QDragEnterEvent *event)
{
    AcceptAsCopy(event);
}

void CMainFrame::dragMoveEvent(QDragMoveEvent *event)
{
    // Qt proposes the source's action again on every move.
    if (!AcceptAsCopy(event))
        event->ignore();
}

void CMainFrame::dropEvent(QDropEvent *event)
{
    if (!AcceptAsCopy(event)) {
        event->ignore();
        return;
    }
    const QList<QUrl> urls = event->mimeData()->urls();
    // Read after the drop has ended: the source application waits for it,
    // and the read may show message boxes.
    const QString path = urls.first().toLocalFile();
    QMetaObject::invokeMethod(this, [this, path] { OpenFile(path); }, Qt::QueuedConnection);
}

void CMainFrame::RestoreWindowState()
{
    QSettings &settings = m_Context.settings;
    settings.beginGroup(kFrameGroup);
    const QByteArray geometry = settings.value(QStringLiteral("Geometry")).toByteArray();
    if (geometry.isEmpty() || !restoreGeometry(geometry))
        resize(1024, 700);
    restoreState(settings.value(QStringLiteral("State")).toByteArray());
    m_Splitter->restoreState(settings.value(QStringLiteral("Splitter")).toByteArray());
    const bool statusBarShown = settings.value(QStringLiteral("StatusBar"), true).toBool();
    m_PanelOnly->setChecked(settings.value(QStringLiteral("MessagesOnlyInPanel"), false).toBool());
    m_ReloadOnChange->setChecked(settings.value(QStringLiteral("ReloadOnChange"), false).toBool());
    settings.endGroup();
    m_Commands->Action(CommandId::ViewStatusBar)->setChecked(statusBarShown);
    statusBar()->setVisible(statusBarShown);
}

void CMainFrame::SaveWindowState()
{
    QSettings &settings = m_Context.settings;
    settings.beginGroup(kFrameGroup);
    settings.setValue(QStringLiteral("Geometry"), saveGeometry());
    settings.setValue(QStringLiteral("State"), saveState());
    settings.setValue(QStringLiteral("Splitter"), m_Splitter->saveState());
    settings.setValue(QStringLiteral("StatusBar"), !statusBar()->isHidden());
    settings.setValue(QStringLiteral("MessagesOnlyInPanel"), m_PanelOnly->isChecked());
    settings.setValue(QStringLiteral("ReloadOnChange"), m_ReloadOnChange->isChecked());
    settings.endGroup();
    m_Toolbars->Save();
    settings.sync();
}

void CMainFrame::closeEvent(QCloseEvent *event)
{
    SaveWindowState();
    QMainWindow::closeEvent(event);
}
