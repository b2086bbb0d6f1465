#include "tests/hostile/HostileSupport.h"

#include "layout/CPunct.h"
#include "layout/DrawCommand.h"
#include "model/CGroupB.h"
#include "model/CPunctB.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

// Only a regular file is read: a log path may stand for a directory or for
// a device such as /dev/full, which never ends.
QString ReadLogFile(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return {};
    return QString::fromLocal8Bit(ReadAll(path));
}

void CollectGroupNames(const CGroupB &group, QStringList &names)
{
    names.append(group.m_Name);
    for (const auto &ref : group.m_LiftRefs)
        names.append(ref->m_Name);
    for (const auto &sub : group.m_SubGroups)
        CollectGroupNames(*sub, names);
}

void CollectNames(const CNodeTreeB &node, QStringList &names)
{
    names.append(node.m_Name);
    if (const auto *point = dynamic_cast<const CPunctB *>(&node))
        CollectGroupNames(point->m_RootGroup, names);
    for (const auto &child : node.m_Children)
        CollectNames(*child, names);
}

} // namespace

Session::Session()
    : TestStructure(Log::OwnDirectory)
{ }

Session::Session(const QString &logDirectory, const QString &fallbackDirectory)
    : TestStructure(logDirectory, fallbackDirectory)
{ }

QString Session::LogText() const
{
    return ReadLogFile(log->FilePath());
}

OpenRun Session::Open(const QString &path)
{
    presenter.Clear();
    // The log may move to its fallback during the open: compare per file.
    const QString logPath = log->FilePath();
    const qsizetype logBefore = ReadLogFile(logPath).size();

    OpenRun run;
    const StructureFileOpen opened = OpenStructureFile(*root, path);
    run.outcome = opened.outcome;
    run.message = opened.message;
    run.errors = presenter.Errors();
    run.information = presenter.Information();
    if (log->FilePath() == logPath)
        run.log = ReadLogFile(logPath).mid(logBefore);
    else
        run.log = ReadLogFile(logPath).mid(logBefore) + ReadLogFile(log->FilePath());
    for (const auto &point : root->m_Children)
        run.points.append(point->m_Name);

    m_Tree = std::make_unique<HeadlessTree>();
    LayOutEveryPoint(*root, *m_Tree, &run.layouts, &run.validLayouts);
    return run;
}

void LayOutEveryPoint(CRoot &root, HeadlessTree &tree, int *layouts, int *validLayouts)
{
    tree.Fill(root);
    for (CPunct *point : ChildrenAs<CPunct>(root)) {
        root.m_CurPunct = point;
        for (LayoutMode mode : {LayoutMode::Streets, LayoutMode::TwoColumns, LayoutMode::Controller}) {
            SetLayoutMode(*point, mode);
            bool first = true;
            for (const TableSize &size : kTableSizes) {
                const bool valid = point->RePlaseTab(size.width, size.height);
                if (first) {
                    ++*layouts;
                    *validLayouts += valid ? 1 : 0;
                    first = false;
                }
                Rect rect;
                point->HitTest(size.width / 2, size.height / 2, &rect);
                point->HitTestStreet(size.width / 3, size.height / 3);
            }
        }
    }
}

QStringList AllNodeNames(const CRoot &root)
{
    QStringList names;
    CollectNames(root, names);
    return names;
}

bool LogHasLineEndingWith(const QString &log, const QString &text)
{
    // Each line is "dd.MM.yyyy hh:mm:ss " and the text as the log holds it.
    const QString logged = LogFile::OneLine(text);
    for (const QStringView line : QStringView(log).split(u'\n'))
        if (line.size() == logged.size() + 20 && line.endsWith(logged))
            return true;
    return false;
}

FileState StateOf(const QString &path)
{
    FileState state;
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return state;
    state.exists = true;
    state.device = info.st_dev;
    state.inode = info.st_ino;
    state.mode = info.st_mode;
    state.size = info.st_size;
    state.mtime = info.st_mtim;
    state.ctime = info.st_ctim;
    if (S_ISREG(info.st_mode) && (info.st_mode & S_IRUSR))
        state.bytes = ReadAll(path);
    state.directory = QDir(QFileInfo(path).absolutePath())
                          .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    return state;
}

std::string DifferenceBetween(const FileState &before, const FileState &after)
{
    std::string difference;
    auto note = [&](bool differs, const char *what) {
        if (differs)
            difference += std::string(difference.empty() ? "" : ", ") + what;
    };
    note(before.exists != after.exists, "existence");
    note(before.device != after.device || before.inode != after.inode, "inode");
    note(before.mode != after.mode, "mode");
    note(before.size != after.size, "size");
    note(before.bytes != after.bytes, "bytes");
    note(before.mtime.tv_sec != after.mtime.tv_sec || before.mtime.tv_nsec != after.mtime.tv_nsec, "modification time");
    // Any write, change of mode or of times moves the change time.
    note(before.ctime.tv_sec != after.ctime.tv_sec || before.ctime.tv_nsec != after.ctime.tv_nsec, "change time");
    note(before.directory != after.directory, "directory entries");
    return difference;
}

bool SetPastModificationTime(const QString &path)
{
    const struct timespec times[2] = {{1000000000, 123456789}, {1000000000, 123456789}};
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW) == 0;
}

QByteArray TwoPointFixture()
{
    const QByteArray bytes = ReadAll(QStringLiteral(KORVIX_HOSTILE_FIXTURES_DIR "/two-points.xml"));
    if (bytes.isEmpty())
        ADD_FAILURE() << "the fixture two-points.xml cannot be read";
    return bytes;
}

void AsOrdinaryUser(const std::function<void()> &check)
{
    if (::geteuid() != 0) {
        check();
        return;
    }
    EXPECT_EXIT(
        {
            constexpr uid_t kNobody = 65534;
            if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
                std::_Exit(2);
            const ::testing::TestResult *result = ::testing::UnitTest::GetInstance()->current_test_info()->result();
            const int partsBefore = result->total_part_count();
            check();
            // The child's failures reach the parent only through its exit
            // code and its standard error, which the parent prints.
            bool failed = false;
            for (int i = partsBefore; i < result->total_part_count(); ++i) {
                const ::testing::TestPartResult &part = result->GetTestPartResult(i);
                if (part.failed()) {
                    std::fprintf(stderr, "%s:%d: %s\n", part.file_name() ? part.file_name() : "?", part.line_number(),
                                 part.message());
                    failed = true;
                }
            }
            std::fflush(stderr);
            std::_Exit(failed ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}
