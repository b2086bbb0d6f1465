#pragma once

#include "model/xml/XmlDocument.h"

#include <QByteArrayView>

namespace compact_dom {
class Dom;
}

// Parses a whole document with libxml2's SAX2 interface, as a conforming
// non-validating processor, into `dom`: entities of the internal subset
// replaced, declared attribute defaults supplied, values normalised. Nothing
// outside the bytes is ever read; a document that needs an external entity
// fails. On failure `dom` holds a part of the document and is to be dropped.
XmlLoadResult ParseIntoDom(QByteArrayView bytes, compact_dom::Dom &dom);
