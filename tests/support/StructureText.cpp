#include "tests/support/StructureText.h"

void TestStructure::Load(const QByteArray &xml)
{
    root->ResetStructure();
    root->CreateXMLDOM();
    root->LoadXMLFromBytes(xml);
}

void TestStructure::LoadFile(const QString &path)
{
    root->ResetStructure();
    root->CreateXMLDOM();
    root->LoadXML(path);
}

QByteArray PultDocument(const QByteArray &inner, const QByteArray &pultAttributes)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<PULT " + pultAttributes + ">" + inner + "</PULT>\n";
}
