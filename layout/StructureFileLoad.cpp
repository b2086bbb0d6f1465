#include "layout/StructureFileLoad.h"

#include "layout/CRoot.h"
#include "log/LogFile.h"
#include "model/ErrorXML.h"
#include "model/ResString.h"
#include "model/xml/FileReading.h"
#include "model/xml/XmlDocument.h"

#include <QDir>

#include <new>
#include <QFileInfo>

namespace {

// The whole file, once, as the reader takes it; a file too large for the
// memory there fails as its read would.
FileReadResult ReadWholeFile(const QString &path)
{
    FileReadResult file;
    try {
        file = ReadRegularFile(path, XmlDocument::kMaxFileSize);
    } catch (const std::bad_alloc &) {
        file.code = XmlLoadCode::OutOfMemory;
    }
    return file;
}

// A file that opened but could not be read whole fails as its read does.
void ReadFileIntoStructure(CRoot &root, FileReadResult file)
{
    if (file.code != 0) {
        root.ResetStructure();
        throw ErrorXML(TextId::LoadFailed, file.code).WithDetail(DescribeXmlLoadCode(file.code));
    }
    ReadStructureBytes(root, std::move(file.bytes));
}

// The read by `read` (ReadStructureBytes or its file form), then the
// "Loaded: " line; a failure resets the structure and is reported.
template <class Read>
bool ReadIntoRoot(CRoot &root, const QString &shownPath, Read &&read)
{
    root.StartLoadReport();
    try {
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

void ReadStructureBytes(CRoot &root, QByteArray bytes)
{
    root.ResetStructure();
    root.NewXMLDOM();
    root.LoadXMLFromBytes(std::move(bytes));
}

void ReadStructureFile(CRoot &root, const QString &path)
{
    ReadFileIntoStructure(root, ReadWholeFile(path));
}

bool LoadStructureFile(CRoot &root, const QString &path)
{
    return ReadIntoRoot(root, path, [&] { ReadStructureFile(root, path); });
}

StructureFileOpen OpenStructureFile(CRoot &root, const QString &path, const std::function<void()> &beforeReplace)
{
    StructureFileOpen result;
    // One read of the file: whether it opens, whether it is empty and what
    // it holds all come from the same look at it.
    FileReadResult file = ReadWholeFile(path);
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
    const bool read = ReadIntoRoot(root, fullPath, [&] { ReadFileIntoStructure(root, std::move(file)); });
    result.outcome = read ? StructureFileOpen::Outcome::Loaded : StructureFileOpen::Outcome::Rejected;
    return result;
}
