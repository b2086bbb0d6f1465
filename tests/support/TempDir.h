#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A temporary directory with helpers to put files in it.
class TempDir
{
public:
    TempDir();
    QString Path() const { return m_Dir.path(); }
    QString FilePath(const QString &name) const { return m_Dir.filePath(name); }
    // Writes the bytes to a new file and returns its path.
    QString Write(const QString &name, const QByteArray &bytes) const;

private:
    QTemporaryDir m_Dir;
};

// Reads a whole file (empty when it cannot be read).
QByteArray ReadAll(const QString &path);
