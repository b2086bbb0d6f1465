#pragma once

#include "tests/support/QtPrinting.h"

#include "layout/CRoot.h"
#include "layout/HeadlessTree.h"
#include "layout/StructureFileLoad.h"
#include "log/LogFile.h"
#include "tests/support/RecordingPresenter.h"
#include "tests/support/StructureText.h"
#include "tests/support/TempDir.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <sys/stat.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>

// What one File Open left behind: its outcome, what was shown and what was
// logged during it, and the points it laid out.
struct OpenRun
{
    StructureFileOpen::Outcome outcome = StructureFileOpen::Outcome::Loaded;
    QString message;         // CannotOpen's text for the user
    QStringList errors;      // error boxes shown during the open
    QStringList information; // information boxes shown during the open
    QString log;             // what the open appended to the log
    QStringList points;      // the points' names in the root's order
    int layouts = 0;         // point and mode pairs laid out at the full size
    int validLayouts = 0;    // how many of them found a tile size
};

// The suites' root with a real log (in a directory of its own unless one is
// given), opening files as the window opens them.
class Session : public TestStructure
{
public:
    Session();
    Session(const QString &logDirectory, const QString &fallbackDirectory);

    // Opens the file as File Open does, then fills the tree and lays every
    // point out in the three modes at a few sizes.
    OpenRun Open(const QString &path);

    // The whole log so far (empty when it was never written).
    QString LogText() const;

private:
    std::unique_ptr<HeadlessTree> m_Tree;
};

// Sizes of the table each point is laid out at; the first is the full one.
// The largest is the largest the command line takes.
struct TableSize
{
    int width;
    int height;
};
inline constexpr TableSize kTableSizes[] = {{1280, 800}, {333, 211}, {17, 9}, {0, 0}, {100000, 100000}};

// Fills the tree and lays every point of the root out; counts the layouts at
// the full size and how many of them were valid.
void LayOutEveryPoint(CRoot &root, HeadlessTree &tree, int *layouts, int *validLayouts);

// Every name the structure holds: points, streets, houses, lifts, groups and
// group members, the root's own.
QStringList AllNodeNames(const CRoot &root);

// Whether the log has a line for the text (the text as the log writes it,
// after the time stamp): a rejection logs what the presenter shows.
bool LogHasLineEndingWith(const QString &log, const QString &text);

// A file's identity and content, to tell whether anything touched it.
struct FileState
{
    bool exists = false;
    QByteArray bytes;
    dev_t device = 0;
    ino_t inode = 0;
    mode_t mode = 0;
    off_t size = 0;
    struct timespec mtime {};
    struct timespec ctime {};
    QStringList directory; // the names beside it
};
FileState StateOf(const QString &path);
// Empty when equal, otherwise what differs.
std::string DifferenceBetween(const FileState &before, const FileState &after);
// Moves the modification time to a fixed moment in the past, to the
// nanosecond, so that any write would show.
bool SetPastModificationTime(const QString &path);

// The valid structure with two points that the suites cut and vary.
QByteArray TwoPointFixture();

// Runs `check` where an ordinary user would: directly unless running as root,
// otherwise in a forked child that gives up root first. Fails the calling
// test when the check fails there. Paths the check uses must be reachable by
// the user "nobody".
void AsOrdinaryUser(const std::function<void()> &check);
