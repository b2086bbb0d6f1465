#include "app/CommandLineModes.h"

#include "app/CheckReport.h"
#include "app/CommandLineOptions.h"
#include "app/ConsolePresenter.h"
#include "app/HeadlessSession.h"
#include "app/RenderCommand.h"
#include "layout/CPunct.h"
#include "layout/HeadlessTree.h"
#include "layout/LayoutJson.h"
#include "layout/StructureFileLoad.h"
#include "model/CGroupB.h"
#include "model/ResString.h"
#include "views/TablePainter.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>

namespace {

int CountGroups(const CGroupB &group)
{
    int count = 0;
    for (const auto &sub : group.m_SubGroups)
        count += 1 + CountGroups(*sub);
    return count;
}

QString StructureSummary(CRoot &root)
{
    int points = 0, streets = 0, houses = 0, groups = 0;
    for (CPunct *punct : ChildrenAs<CPunct>(root)) {
        ++points;
        groups += CountGroups(punct->m_RootGroup);
        for (const auto &street : punct->m_Children) {
            ++streets;
            houses += static_cast<int>(street->m_Children.size());
        }
    }
    return LoadResString(TextId::StructureReadSummary)
        .arg(points)
        .arg(streets)
        .arg(houses)
        .arg(root.m_Lifts.size())
        .arg(groups);
}

// Reads the file; false (with the reason on standard error) when it was not read.
bool OpenForCommandLine(CRoot &root, const QString &path)
{
    const StructureFileOpen opened = OpenStructureFile(root, path);
    switch (opened.outcome) {
    case StructureFileOpen::Outcome::Loaded:
        return true;
    case StructureFileOpen::Outcome::Rejected:
        return false; // the error line is already on standard error
    case StructureFileOpen::Outcome::EmptyFile:
        WriteConsoleLine(stderr, LoadResString(TextId::StructureFileEmpty).arg(QDir::toNativeSeparators(path)));
        return false;
    case StructureFileOpen::Outcome::CannotOpen:
        WriteConsoleLine(stderr, opened.message);
        return false;
    }
    return false;
}

} // namespace

namespace {

// A read for the editor and pipeline formats: nothing is written on the
// way; what the read said comes from its report.
CheckedFile CheckQuietly(CRoot &root, const QString &path)
{
    CheckedFile checked;
    checked.file = path;
    const StructureFileOpen opened = OpenStructureFile(root, path);
    checked.read = opened.outcome == StructureFileOpen::Outcome::Loaded;
    switch (opened.outcome) {
    case StructureFileOpen::Outcome::Loaded:
    case StructureFileOpen::Outcome::Rejected:
        checked.messages = root.m_LoadReport.messages;
        checked.messageCount = root.m_LoadReport.messageCount;
        checked.failed = root.m_LoadReport.failed;
        checked.errorText = root.m_LoadReport.errorText;
        checked.errorPosition = root.m_LoadReport.errorPosition;
        break;
    case StructureFileOpen::Outcome::EmptyFile:
        checked.failed = true;
        checked.errorText = LoadResString(TextId::CheckedFileEmpty);
        break;
    case StructureFileOpen::Outcome::CannotOpen:
        checked.failed = true;
        checked.errorText = opened.message;
        break;
    }
    for (StructureMessage &message : checked.messages)
        message.node = nullptr; // the next file's read frees them
    return checked;
}

} // namespace

int RunCheck(const CommandLineRequest &request, const QStringList &arguments)
{
    using Format = CommandLineRequest::CheckFormat;
    const bool lines = request.checkFormat == Format::Text;
    HeadlessSession session(arguments, stdout, !lines);
    bool allRead = true;
    QJsonArray checkedFiles;
    for (const QString &path : request.files) {
        if (lines) {
            // Each message on standard output as the read raises it.
            const bool read = OpenForCommandLine(session.Root(), path);
            if (read) {
                const QString summary = StructureSummary(session.Root());
                WriteConsoleLine(stderr, request.files.size() > 1 ? path + QStringLiteral(": ") + summary : summary);
            }
            allRead = allRead && read;
            continue;
        }
        const CheckedFile checked = CheckQuietly(session.Root(), path);
        allRead = allRead && checked.read;
        if (request.checkFormat == Format::Gnu) {
            for (const QString &line : GnuLines(checked))
                WriteConsoleLine(stdout, line);
        } else {
            checkedFiles.append(CheckedFileJson(checked));
        }
    }
    if (request.checkFormat == Format::Json) {
        const QByteArray json = QJsonDocument(QJsonObject{{QStringLiteral("files"), checkedFiles}}).toJson();
        std::fwrite(json.constData(), 1, static_cast<size_t>(json.size()), stdout);
        std::fflush(stdout);
    }
    return allRead ? 0 : 1;
}

CPunct *LayOutRequestedPoint(HeadlessSession &session, const CommandLineRequest &request, int &exitCode)
{
    CRoot &root = session.Root();
    if (!OpenForCommandLine(root, request.file)) {
        exitCode = 1;
        return nullptr;
    }
    HeadlessTree tree;
    tree.Fill(root);

    CPunct *point = nullptr;
    for (CPunct *candidate : ChildrenAs<CPunct>(root)) {
        if (candidate->m_Name == request.point) {
            point = candidate;
            break;
        }
    }
    if (!point) {
        WriteConsoleLine(stderr, LoadResString(TextId::LayoutPointNotFound).arg(request.point));
        exitCode = 2;
        return nullptr;
    }
    root.m_CurPunct = point;
    SetLayoutMode(*point, request.layoutMode);
    point->RePlaseTab(request.width, request.height);
    exitCode = 0;
    return point;
}

int RunDumpLayout(const CommandLineRequest &request, const QStringList &arguments)
{
    // Standard output carries the JSON alone; messages go to standard error.
    HeadlessSession session(arguments, stderr);
    int exitCode = 0;
    CPunct *point = LayOutRequestedPoint(session, request, exitCode);
    if (!point)
        return exitCode;
    FitLabelsAtDpi(*point, request.width, request.height, request.dpi);
    QJsonObject layout = LayoutToJson(*point, request.width, request.height);
    // The fonts the window would choose on such a screen.
    layout.insert(QStringLiteral("dpi"), request.dpi);
    layout.insert(QStringLiteral("fonts"),
                  QJsonObject{{QStringLiteral("large"),
                               TablePainter::LargeFont(point->m_SizeLiftTab.cy, request.dpi).cellHeight},
                              {QStringLiteral("small"),
                               TablePainter::SmallFont(point->m_SizeLiftTab.cy, request.dpi).cellHeight}});
    const QByteArray json = QJsonDocument(layout).toJson();
    std::fwrite(json.constData(), 1, static_cast<size_t>(json.size()), stdout);
    std::fflush(stdout);
    return 0;
}

int RunListPoints(const CommandLineRequest &request, const QStringList &arguments)
{
    HeadlessSession session(arguments, stderr);
    if (!OpenForCommandLine(session.Root(), request.file))
        return 1;
    for (CPunct *point : ChildrenAs<CPunct>(session.Root()))
        WriteConsoleLine(stdout, point->m_Name);
    return 0;
}
