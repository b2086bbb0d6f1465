#include "model/xml/FileReading.h"

#include "model/xml/XmlDocument.h"

#include <QFile>

#ifdef Q_OS_WIN
#include <QFileInfo>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>
#endif

namespace {

FileReadResult Failure(std::int32_t code)
{
    FileReadResult result;
    result.code = code;
    return result;
}

} // namespace

#ifndef Q_OS_WIN

namespace {

std::int32_t CodeForOpenErrno(int error)
{
    switch (error) {
    case ENOENT:
    case ELOOP:
    case ENAMETOOLONG:
        return XmlLoadCode::FileNotFound;
    case ENOTDIR:
        return XmlLoadCode::PathNotFound;
    case EACCES:
    case EPERM:
        return XmlLoadCode::AccessDenied;
    case EISDIR:
    case ENXIO:
    case ENODEV:
        return XmlLoadCode::NotRegularFile;
    case ENOMEM:
        return XmlLoadCode::OutOfMemory;
    default:
        return XmlLoadCode::ReadFault;
    }
}

class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_Fd(fd) {}
    ~FileDescriptor()
    {
        if (m_Fd >= 0)
            ::close(m_Fd);
    }
    FileDescriptor(FileDescriptor &&other) noexcept : m_Fd(std::exchange(other.m_Fd, -1)) {}
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    int get() const { return m_Fd; }

private:
    int m_Fd;
};

// Opens a regular file for reading; `code` tells why not.
FileDescriptor OpenRegularFile(const QString &path, qint64 &size, std::int32_t &code)
{
    code = 0;
    if (path.isEmpty()) {
        code = XmlLoadCode::FileNotFound;
        return FileDescriptor(-1);
    }
    const QByteArray encoded = QFile::encodeName(path);
    // O_NONBLOCK: opening a FIFO must not wait for a writer; the type check
    // below then refuses it.
    FileDescriptor fd(::open(encoded.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) {
        code = CodeForOpenErrno(errno);
        return fd;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        code = XmlLoadCode::ReadFault;
    else if (!S_ISREG(info.st_mode))
        code = XmlLoadCode::NotRegularFile;
    size = info.st_size;
    return fd;
}

} // namespace

FileReadResult ReadRegularFile(const QString &path, qint64 maxSize)
{
    qint64 size = 0;
    std::int32_t code = 0;
    FileDescriptor fd = OpenRegularFile(path, size, code);
    if (code != 0)
        return Failure(code);
    if (size > maxSize)
        return Failure(XmlLoadCode::FileTooLarge);

    FileReadResult result;
    result.bytes.resize(static_cast<qsizetype>(size));
    qsizetype done = 0;
    while (done < result.bytes.size()) {
        const ssize_t n = ::read(fd.get(), result.bytes.data() + done,
                                 static_cast<size_t>(result.bytes.size() - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Failure(errno == EISDIR ? XmlLoadCode::NotRegularFile : XmlLoadCode::ReadFault);
        }
        if (n == 0) // the file shrank while we read it
            break;
        done += n;
    }
    result.bytes.truncate(done);
    return result;
}

#else

FileReadResult ReadRegularFile(const QString &path, qint64 maxSize)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return Failure(XmlLoadCode::FileNotFound);
    if (!info.isFile())
        return Failure(XmlLoadCode::NotRegularFile);
    if (info.size() > maxSize)
        return Failure(XmlLoadCode::FileTooLarge);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return Failure(file.error() == QFileDevice::PermissionsError ? XmlLoadCode::AccessDenied
                                                                      : XmlLoadCode::ReadFault);
    }
    FileReadResult result;
    result.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Failure(XmlLoadCode::ReadFault);
    return result;
}

#endif
