#include "tests/gui/GuiTestSupport.h"

#include "layout/HeadlessTree.h"
#include "shell/CMainFrame.h"
#include "views/CKorvixView.h"
#include "views/CStructView.h"
#include "views/TablePainter.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QTreeWidgetItem>

#include <stdexcept>

std::optional<Colour> ScriptedColourChooser::Choose(QWidget *, Colour initial)
{
    m_Initials.push_back(initial);
    if (m_Answers.empty()) {
        ADD_FAILURE() << "the colour dialog was opened without a scripted answer";
        return std::nullopt;
    }
    const std::optional<Colour> answer = m_Answers.front();
    m_Answers.pop_front();
    return answer;
}

QPoint Centre(const Rect &r)
{
    return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

ReferenceLayout::ReferenceLayout(const QByteArray &xml)
{
    structure.Load(xml);
}

CPunct &ReferenceLayout::Draw(const QString &name, LayoutMode mode, int width, int height)
{
    HeadlessTree tree;
    tree.Fill(*structure.root);
    CPunct &point = PointNamed(*structure.root, name);
    structure.root->m_CurPunct = &point;
    SetLayoutMode(point, mode);
    point.RePlaseTab(width, height);
    return point;
}

std::vector<SurfaceCall> PaintCalls(CRoot &root, int width, int height)
{
    RecordingSurface surface;
    TablePainter::Paint(root, surface, width, height);
    return surface.Calls();
}

namespace {

void AppendItemTexts(const QTreeWidgetItem *item, int depth, QStringList &texts)
{
    texts.append(QString(depth * 2, u' ') + item->text(0));
    for (int i = 0; i < item->childCount(); ++i)
        AppendItemTexts(item->child(i), depth + 1, texts);
}

} // namespace

QStringList TreeTexts(const CStructView &tree)
{
    QStringList texts;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        AppendItemTexts(tree.topLevelItem(i), 0, texts);
    return texts;
}

const QByteArray kStations = PultDocument(R"(
  <DISP Name="Юг">
    <STREET Name="ул. Садовая">
      <HOME Name="д.1">
        <LIFT Name="П1" ID="501" SubNet="1" UM="2" Slot="3" Addr="3"/>
        <LIFT Name="П2" ID="502" SubNet="1" UM="2" Slot="14" Addr="9"/>
        <LIFT Name="П3" ID="503" IDPro="7"/>
      </HOME>
    </STREET>
  </DISP>
  <DISP Name="Север">
    <STREET Name="ул. Тихая">
      <HOME Name="д.2"><LIFT Name="Л2" ID="12"/><LIFT Name="л1" ID="11"/></HOME>
      <HOME Name="д.10"><LIFT Name="Л3"/></HOME>
    </STREET>
    <STREET Name="Ул. Якорная">
      <HOME Name="Д. 5"><LIFT Name="Л1" ID="21" SubNet="4" UM="5" Slot="6"/></HOME>
    </STREET>
    <STREET Name="пер. Пустой"><HOME Name="д.9"/></STREET>
  </DISP>
  <DISP Name="альфа">
    <STREET Name="ул. Первая"><HOME Name="д.1"><LIFT Name="А1" ID="31"/></HOME></STREET>
  </DISP>
)",
                                          R"(Name="Пульт")");

const QByteArray kMalformed = "<?xml version=\"1.0\"?>\n<PULT>\n<DISP Name=\"P\">\n</PULT>\n";

void WindowTest::TearDown()
{
    Stop();
}

bool WindowTest::Start(const QStringList &files)
{
    CKorvixApp::Options options;
    options.settingsFile = SettingsFile();
    options.logDirectory = m_Dir.FilePath(QStringLiteral("log"));
    options.logFallbackDirectory = m_Dir.FilePath(QStringLiteral("fallback"));
    options.colours = &m_Colours;
    options.presenter = m_RealMessageBoxes ? nullptr : &m_Presenter;
    QDir().mkpath(options.logDirectory);
    m_App = std::make_unique<CKorvixApp>(*static_cast<QApplication *>(QCoreApplication::instance()), options);
    const bool started = m_App->InitInstance(QStringList{QStringLiteral("korvix")} + files);
    Settle();
    return started;
}

void WindowTest::Stop()
{
    if (!m_App)
        return;
    m_App->ExitInstance();
    m_App.reset();
    Settle();
}

QString WindowTest::StartWithStations()
{
    const QString path = WriteFile(QStringLiteral("stations.xml"), kStations);
    if (!Start({path}))
        ADD_FAILURE() << "start-up with the stations file failed";
    return path;
}

QString WindowTest::LogPath() const
{
    return QDir(m_Dir.FilePath(QStringLiteral("log"))).filePath(QStringLiteral("Korvix.Bad"));
}

CMainFrame &WindowTest::Frame() const
{
    if (!m_App || !m_App->MainFrame())
        throw std::runtime_error("the window is not there");
    return *m_App->MainFrame();
}

CStructView &WindowTest::Tree() const
{
    return *Frame().StructView();
}

CKorvixView &WindowTest::Table() const
{
    return *Frame().TableView();
}

QTreeWidgetItem *WindowTest::Item(const QStringList &path) const
{
    QTreeWidgetItem *found = nullptr;
    for (const QString &text : path) {
        QTreeWidgetItem *next = nullptr;
        const int count = found ? found->childCount() : Tree().topLevelItemCount();
        for (int i = 0; i < count && !next; ++i) {
            QTreeWidgetItem *candidate = found ? found->child(i) : Tree().topLevelItem(i);
            if (candidate->text(0) == text)
                next = candidate;
        }
        if (!next)
            return nullptr;
        found = next;
    }
    return found;
}

void WindowTest::RunTreeCommand(const QStringList &path, CommandId command)
{
    QTreeWidgetItem *item = Item(path);
    if (!item)
        throw std::runtime_error("no tree item " + path.join(u'/').toStdString());
    Tree().setCurrentItem(item);
    Tree().RunCommand(command);
}

std::vector<SurfaceCall> WindowTest::TablePaint() const
{
    return PaintCalls(Root(), Table().width(), Table().height());
}

void WindowTest::Settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}
