#include "tests/support/StructureText.h"

#include "layout/StructureFileLoad.h"


TestStructure::TestStructure()
    : TestStructure(Log::None)
{
}

TestStructure::TestStructure(Log where)
{
    if (where == Log::OwnDirectory) {
        m_OwnLogDir = std::make_unique<TempDir>();
        log = std::make_unique<LogFile>(m_OwnLogDir->Path(), QString(), &presenter);
    }
    root = std::make_unique<CRoot>(log.get(), &presenter);
}

TestStructure::TestStructure(const QString &logDirectory, const QString &fallbackDirectory)
    : log(std::make_unique<LogFile>(logDirectory, fallbackDirectory, &presenter))
    , root(std::make_unique<CRoot>(log.get(), &presenter))
{
}

void TestStructure::Load(const QByteArray &xml)
{
    ReadStructureBytes(*root, xml);
}

void TestStructure::LoadFile(const QString &path)
{
    ReadStructureFile(*root, path);
}

QByteArray PultDocument(const QByteArray &inner, const QByteArray &pultAttributes)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<PULT " + pultAttributes + ">" + inner + "</PULT>\n";
}
