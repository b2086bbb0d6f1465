#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// Reads a whole regular file for the DOM layer. Opens it for reading only and
// never blocks on FIFOs or devices: anything that is not a regular file is
// refused before a byte is read.
struct FileReadResult
{
    QByteArray bytes;
    std::int32_t code = 0; // 0, or one of the load codes of XmlLoadCode
};

FileReadResult ReadRegularFile(const QString &path, qint64 maxSize);

