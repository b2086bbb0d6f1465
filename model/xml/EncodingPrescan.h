#pragma once

#include <QByteArrayView>
#include <QString>

// A look at a document's first bytes before the parser sees them: its byte
// order mark, the width of its characters and the encoding its XML
// declaration names must agree. The parser would otherwise switch to the
// declared encoding in the middle of text already decoded by the mark.
struct EncodingPrescan
{
    QString error; // the contradiction, in Russian; empty when they agree
    // An encoding the parser must be told because it would not recognise
    // it by itself (UTF-32); null when the parser's own detection is right.
    const char *forcedEncoding = nullptr;
    qsizetype markLength = 0;     // bytes of the byte order mark, if any
    bool skipMark = false;        // the parser is told the encoding and must not see the mark
    bool encodingSettled = false; // by the mark or the characters' width: the declaration must not change it
    bool hasDeclaration = false;
};

EncodingPrescan PrescanEncoding(QByteArrayView bytes);
