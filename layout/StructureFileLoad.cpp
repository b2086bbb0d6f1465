#include "StructureFileLoad.h"

#include "CRoot.h"
#include "ErrorXML.h"
#include "LogFile.h"
#include "xml/FileReading.h"
#include "xml/XmlDocument.h"

#include <QDir>
#include <QFileInfo>

bool LoadStructureFile(CRoot &root, const QString &path)
{
    try {
        root.ResetStructure();
        root.CreateXMLDOM();
        root.LoadXML(path);
        if (root.m_pLog)
            root.m_pLog->Write(QStringLiteral("Loaded: ") + path);
        return true;
    } catch (const ErrorXML &error) {
        root.ResetStructure();
        root.ReportError(error.Message(), error.Code(), error.Detail());
        return false;
    }
}

StructureFileOpen OpenStructureFile(CRoot &root, const QString &path)
{
    StructureFileOpen result;
    const FileProbeResult probe = ProbeRegularFile(path);
    if (probe.code != 0) {
        result.outcome = StructureFileOpen::Outcome::CannotOpen;
        result.message = QStringLiteral("Не удается открыть файл «%1»: %2.")
                             .arg(QDir::toNativeSeparators(path), DescribeXmlLoadCode(probe.code));
        return result;
    }
    if (probe.size == 0) {
        result.outcome = StructureFileOpen::Outcome::EmptyFile;
        return result;
    }
    const QString fullPath = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    result.outcome = LoadStructureFile(root, fullPath) ? StructureFileOpen::Outcome::Loaded
                                                       : StructureFileOpen::Outcome::Rejected;
    return result;
}
