#pragma once

#include "TextCodec.h"

#include <QByteArray>
#include <QString>

// Recognises a document's encoding by its byte order mark or its XML
// declaration and prepares the bytes for the parser: UTF-8 and ASCII-compatible
// single-byte encodings are parsed as they are (after validation), anything
// else is converted to UTF-8 first.
struct PreparedXmlText
{
    QByteArray buffer;
    TextCodec codec = TextCodec::Utf8();
    QString error; // why the bytes cannot be decoded; empty on success
};

PreparedXmlText PrepareXmlText(QByteArray bytes);

// 1-based line and column of a byte offset into prepared text.
struct TextPosition
{
    qsizetype line = 1;
    qsizetype column = 1;
};
TextPosition PositionOf(const QByteArray &buffer, qsizetype offset, const TextCodec &codec);

// The encoding named in the XML declaration at the start of 8-bit text; empty
// when there is none.
QByteArray DeclaredEncoding(const QByteArray &bytes, qsizetype start);
