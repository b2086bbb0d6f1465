#include "layout/StructureFileLoad.h"

#include "layout/CRoot.h"
#include "model/ErrorXML.h"
#include "log/LogFile.h"
#include "model/ResString.h"
#include "model/xml/FileReading.h"
#include "model/xml/XmlDocument.h"

#include <QDir>

#include <new>
#include <QFileInfo>

namespace {

// Reset, a new document, the read by `read`, the "Loaded: " line; a failure
// resets again and is reported.
template <class Read>
bool ReadIntoRoot(CRoot &root, const QString &shownPath, Read &&read)
{
    root.StartLoadReport();
    try {
        root.ResetStructure();
        root.CreateXMLDOM();
        read();
        if (root.m_pLog)
            root.m_pLog->Write(QStringLiteral("Loaded: ") + shownPath);
        return true;
    } catch (const ErrorXML &error) {
        root.ResetStructure();
        root.NoteLoadError(error.Message(), error.Code(), error.Detail(), error.Position());
        root.ReportError(error.Message(), error.Code(), error.Detail());
        return false;
    } catch (const std::bad_alloc &) {
        // A structure too large for the memory there is: what was built is
        // freed first, so that the report itself has room.
        root.ResetStructure();
        const QString detail = LoadResString(TextId::StructureOutOfMemory);
        root.NoteLoadError(LoadMessageString(TextId::LoadFailed), XmlLoadCode::OutOfMemory, detail, {});
        root.ReportError(LoadMessageString(TextId::LoadFailed), XmlLoadCode::OutOfMemory, detail);
        return false;
    }
}

} // namespace

bool LoadStructureFile(CRoot &root, const QString &path)
{
    return ReadIntoRoot(root, path, [&] { root.LoadXML(path); });
}

StructureFileOpen OpenStructureFile(CRoot &root, const QString &path, const std::function<void()> &beforeReplace)
{
    StructureFileOpen result;
    // One read of the file: whether it opens, whether it is empty and what
    // it holds all come from the same look at it.
    FileReadResult file;
    try {
        file = ReadRegularFile(path, XmlDocument::kMaxFileSize);
    } catch (const std::bad_alloc &) {
        file.code = XmlLoadCode::OutOfMemory;
    }
    const QString fullPath = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    const bool opened = file.code == 0 || file.code == XmlLoadCode::FileTooLarge
        || file.code == XmlLoadCode::ReadFault || file.code == XmlLoadCode::OutOfMemory;
    if (!opened) {
        result.outcome = StructureFileOpen::Outcome::CannotOpen;
        result.message = LoadResString(TextId::CannotOpenFile)
                             .arg(QDir::toNativeSeparators(path), DescribeXmlLoadCode(file.code));
        return result;
    }
    if (file.code == 0 && file.bytes.isEmpty()) {
        result.outcome = StructureFileOpen::Outcome::EmptyFile;
        return result;
    }
    if (beforeReplace)
        beforeReplace();
    // A file that opened but could not be read whole fails as its load does.
    const bool read = ReadIntoRoot(root, fullPath, [&] {
        if (file.code != 0)
            throw ErrorXML(TextId::LoadFailed, file.code).WithDetail(DescribeXmlLoadCode(file.code));
        root.LoadXMLFromBytes(std::move(file.bytes));
    });
    result.outcome = read ? StructureFileOpen::Outcome::Loaded : StructureFileOpen::Outcome::Rejected;
    return result;
}
