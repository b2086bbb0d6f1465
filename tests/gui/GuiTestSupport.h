#pragma once

#include "tests/support/Printing.h"

#include "tests/support/LogText.h"

#include "layout/CHome.h"
#include "layout/CLift.h"
#include "layout/CPunct.h"
#include "layout/CRoot.h"
#include "layout/CStreet.h"
#include "layout/DrawCommand.h"
#include "model/Geometry.h"
#include "shell/CKorvixApp.h"
#include "tests/gui/RecordingSurface.h"
#include "tests/support/RecordingPresenter.h"
#include "tests/support/StructureLookup.h"
#include "tests/support/StructureText.h"
#include "tests/support/TempDir.h"
#include "views/ColourChooser.h"
#include "views/CommandId.h"

#include <QByteArray>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// Commands print as their numbers in failure messages.
inline std::ostream &operator<<(std::ostream &os, CommandId command)
{
    return os << static_cast<int>(command);
}

class CKorvixView;
class CMainFrame;
class CStructView;
class QTreeWidgetItem;

// Answers the colour dialog from a script and remembers the colours it was
// opened with. An unexpected question fails the test and is cancelled.
class ScriptedColourChooser : public ColourChooser
{
public:
    std::optional<Colour> Choose(QWidget *parent, Colour initial) override;

    void Answer(std::optional<Colour> colour) { m_Answers.push_back(colour); }
    // The initial colour of every dialog opened so far.
    std::vector<Colour> m_Initials;
    std::deque<std::optional<Colour>> m_Answers;
};

QPoint Centre(const Rect &r);

// A structure read from text and laid out without a window, in the tree's
// order: what the window should show for the same file and table size.
struct ReferenceLayout
{
    TestStructure structure;

    explicit ReferenceLayout(const QByteArray &xml);
    // Lays the point out in the mode and makes it current.
    CPunct &Draw(const QString &point, LayoutMode mode, int width, int height);
};

// Paints the root's current point into a fresh recording surface.
std::vector<SurfaceCall> PaintCalls(CRoot &root, int width, int height);

// The texts of the tree's items, depth first, indented by two blanks a level.
QStringList TreeTexts(const CStructView &tree);

// A structure file of three dispatch points whose names, streets, houses and
// lifts sort differently by code unit and by the tree's alphabetical order.
extern const QByteArray kStations;
// A file the reader refuses (it is not well-formed).
extern const QByteArray kMalformed;

// The whole program on the offscreen platform: the application object with
// its settings, log and message boxes in a temporary directory, a scripted
// colour dialog and recorded messages.
class WindowTest : public ::testing::Test
{
protected:
    void TearDown() override;

    // Start-up with "korvix" and the arguments; the window is shown.
    bool Start(const QStringList &files = {});
    // Shutdown (writes "Stop") and the end of the application object.
    void Stop();
    // Start-up with the stations file, which it returns the path of.
    QString StartWithStations();

    QString WriteFile(const QString &name, const QByteArray &bytes) const { return m_Dir.Write(name, bytes); }
    QString SettingsFile() const { return m_Dir.FilePath(QStringLiteral("settings.ini")); }
    QString LogPath() const;
    QStringList LogTexts() const { return LogTextsOf(LogPath()); }

    CKorvixApp &App() const { return *m_App; }
    CMainFrame &Frame() const;
    CStructView &Tree() const;
    CKorvixView &Table() const;
    CRoot &Root() const { return m_App->m_Root; }

    // The item reached by item texts from the top level down; null when absent.
    QTreeWidgetItem *Item(const QStringList &path) const;
    // Selects the item as a click would and runs a command of the tree on it.
    void RunTreeCommand(const QStringList &path, CommandId command);
    // Paints what the table shows now, at its client size.
    std::vector<SurfaceCall> TablePaint() const;

    // Lets posted events (layouts, resizes, repaints) run.
    static void Settle();

    TempDir m_Dir;
    // Set before Start: messages come as the window's own boxes, not to m_Presenter.
    bool m_RealMessageBoxes = false;
    RecordingPresenter m_Presenter;
    ScriptedColourChooser m_Colours;
    std::unique_ptr<CKorvixApp> m_App;
};
