#include "tests/layout/LayoutTestSupport.h"

#include "tests/support/StructureText.h"

#include <QFile>
#include <QRegularExpression>

#include <stdexcept>

void PrintTo(const Rect &r, std::ostream *os)
{
    *os << '(' << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ')';
}

void PrintTo(const Size &s, std::ostream *os)
{
    *os << '(' << s.cx << ", " << s.cy << ')';
}

void LoggedStructure::Load(const QByteArray &xml)
{
    root->ResetStructure();
    root->CreateXMLDOM();
    root->LoadXMLFromBytes(xml);
}

QStringList LoggedStructure::LogTexts() const
{
    return LogTextsOf(log.FilePath());
}

void LoggedStructure::ClearLog() const
{
    QFile::remove(log.FilePath());
}

CPunct &LoggedStructure::Point(const QString &name) const
{
    for (CPunct *point : ChildrenAs<CPunct>(*root))
        if (point->m_Name == name)
            return *point;
    throw std::runtime_error("no such dispatch point in the test structure");
}

CStreet &LoggedStructure::Street(const QString &point, const QString &street) const
{
    for (CStreet *s : ChildrenAs<CStreet>(Point(point)))
        if (s->m_Name == street)
            return *s;
    throw std::runtime_error("no such street in the test structure");
}

CHome &LoggedStructure::Home(const QString &point, const QString &street, const QString &home) const
{
    for (CHome *h : ChildrenAs<CHome>(Street(point, street)))
        if (h->m_Name == home)
            return *h;
    throw std::runtime_error("no such house in the test structure");
}

CLift &LoggedStructure::Lift(const QString &id) const
{
    for (CLiftB *lift : root->m_Lifts)
        if (lift->ID == id)
            return *static_cast<CLift *>(lift);
    throw std::runtime_error("no such lift in the test structure");
}

QByteArray PointDocument(const QByteArray &name, const QByteArray &inner)
{
    return PultDocument("<DISP Name=\"" + name + "\">" + inner + "</DISP>");
}
