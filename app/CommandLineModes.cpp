#include "CommandLineModes.h"

#include "CGroupB.h"
#include "CPunct.h"
#include "CommandLineOptions.h"
#include "ConsolePresenter.h"
#include "HeadlessSession.h"
#include "HeadlessTree.h"
#include "LayoutJson.h"
#include "RenderCommand.h"
#include "StructureFileLoad.h"
#include "TablePainter.h"

#include <QDir>
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
    return QStringLiteral("Прочитано: диспетчерских пунктов %1, улиц %2, домов %3, лифтов %4, групп %5.")
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
        WriteConsoleLine(stderr, QStringLiteral("Файл «%1» пуст: структура не прочитана.")
                                     .arg(QDir::toNativeSeparators(path)));
        return false;
    case StructureFileOpen::Outcome::CannotOpen:
        WriteConsoleLine(stderr, opened.message);
        return false;
    }
    return false;
}

} // namespace

int RunCheck(const CommandLineRequest &request, const QStringList &arguments)
{
    HeadlessSession session(arguments, stdout);
    if (!OpenForCommandLine(session.Root(), request.file))
        return 1;
    WriteConsoleLine(stderr, StructureSummary(session.Root()));
    return 0;
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
        WriteConsoleLine(stderr, QStringLiteral("Диспетчерский пункт «%1» не найден.").arg(request.point));
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
