#include "tests/support/TempDir.h"

#include <QFile>

#include <stdexcept>

TempDir::TempDir()
{
    if (!m_Dir.isValid())
        throw std::runtime_error("cannot create a temporary directory");
}

QString TempDir::Write(const QString &name, const QByteArray &bytes) const
{
    const QString path = FilePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write a test file");
    return path;
}

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}
