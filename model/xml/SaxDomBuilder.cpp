#include "model/xml/SaxDomBuilder.h"

#include "model/ResString.h"
#include "model/xml/CompactDom.h"
#include "model/xml/EncodingPrescan.h"
#include "model/xml/MemoryInput.h"
#include "model/xml/ParseErrorText.h"

#include <libxml/SAX2.h>
#include <libxml/entities.h>
#include <libxml/globals.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlerror.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

using compact_dom::Dom;
using compact_dom::kNone;

// Entities are replaced (otherwise values would arrive still holding their
// references); nothing is fetched from the network or read from disk (an
// external entity is refused when it is looked up, before libxml2 would even
// look at its path, and the entity loader refuses as well); the parser's
// limits on depth, size and entity amplification stay on.
constexpr int kParseOptions = XML_PARSE_NOENT | XML_PARSE_NONET;

// The name key of a namespace declaration: no name the parser interns has this address.
const char kNamespaceDeclaration = 0;

// Names by the addresses the parser's dictionary gives them: one string, one
// address, so no text is hashed or compared while the document streams in.
class NameInterner
{
public:
    template <class MakeText>
    std::uint32_t Intern(const void *first, const void *second, Dom &dom, MakeText &&makeText)
    {
        if (m_Slots.empty())
            m_Slots.resize(64);
        std::size_t mask = m_Slots.size() - 1;
        std::size_t i = Hash(first, second) & mask;
        for (;; i = (i + 1) & mask) {
            Slot &slot = m_Slots[i];
            if (!slot.second)
                break;
            if (slot.first == first && slot.second == second)
                return slot.id;
        }
        const std::uint32_t id = dom.AddName(makeText());
        m_Slots[i] = {first, second, id};
        if (++m_Used * 2 > m_Slots.size())
            Grow();
        return id;
    }

private:
    struct Slot
    {
        const void *first = nullptr;
        const void *second = nullptr; // null: free
        std::uint32_t id = 0;
    };

    static std::size_t Hash(const void *first, const void *second)
    {
        const auto a = reinterpret_cast<std::uintptr_t>(first);
        const auto b = reinterpret_cast<std::uintptr_t>(second);
        return static_cast<std::size_t>(((a * 0x9E3779B97F4A7C15ull) ^ b) * 0xC2B2AE3D27D4EB4Full >> 20);
    }

    void Grow()
    {
        std::vector<Slot> old(m_Slots.size() * 2);
        old.swap(m_Slots);
        const std::size_t mask = m_Slots.size() - 1;
        for (const Slot &slot : old) {
            if (!slot.second)
                continue;
            std::size_t i = Hash(slot.first, slot.second) & mask;
            while (m_Slots[i].second)
                i = (i + 1) & mask;
            m_Slots[i] = slot;
        }
    }

    std::vector<Slot> m_Slots;
    std::size_t m_Used = 0;
};

std::string QualifiedName(const xmlChar *prefix, const xmlChar *local)
{
    std::string name;
    if (prefix) {
        name = reinterpret_cast<const char *>(prefix);
        name += ':';
    }
    name += reinterpret_cast<const char *>(local);
    return name;
}

struct Failure
{
    std::int32_t code = XmlLoadCode::ParseFailed;
    QString reason;
    XmlPosition position;
};

// Builds the DOM from the parser's events. Every event of the document and of
// the entities it references comes here; the parser context of an entity's
// text differs from the document's, whose position then stands for it.
class DomBuilder
{
public:
    DomBuilder(Dom &dom, xmlParserCtxtPtr document, MemoryInput &input, bool hasDeclaration)
        : m_Dom(dom)
        , m_Document(document)
        , m_Input(input)
        , m_HasDeclaration(hasDeclaration)
    {
        m_Open.push_back({Dom::kDocument, kNone});
        m_Document->_private = this;
    }

    // The builder of a parser context of ours (the document's, or one libxml2
    // made for an entity's text and gave our handlers); null for any other.
    static DomBuilder *Of(void *context);

    bool Failed() const { return m_Failure.has_value(); }
    const std::optional<Failure> &GetFailure() const { return m_Failure; }
    // The encoding the parser decodes with.
    QString EncodingName() const
    {
        const xmlParserInputPtr input = m_Document->input;
        if (input && input->buf && input->buf->encoder && input->buf->encoder->name)
            return QString::fromUtf8(input->buf->encoder->name);
        return QStringLiteral("UTF-8");
    }

    void StartDocument()
    {
        if (m_HasDeclaration) {
            static const char kXml[] = "xml";
            const std::uint32_t node = AddChild(XmlNodeType::ProcessingInstruction);
            m_Dom.NodeAt(node).name = m_Names.Intern(nullptr, kXml, m_Dom, [] { return std::string(kXml); });
        }
    }

    void DocumentType() { AddChild(XmlNodeType::DocumentType); }

    void StartElement(xmlParserCtxtPtr ctxt, const xmlChar *local, const xmlChar *prefix, int namespaceCount,
                      const xmlChar **namespaces, int attributeCount, const xmlChar **attributes)
    {
        const std::uint32_t total = static_cast<std::uint32_t>(namespaceCount) + static_cast<std::uint32_t>(attributeCount);
        if (total > Dom::kMaxAttributes) {
            Fail({XmlLoadCode::ParseFailed,
                  LoadResString(TextId::XmlErrorTooManyAttributes).arg(Dom::kMaxAttributes), StartTagPosition(ctxt)});
            return;
        }
        const std::uint32_t node = AddChild(XmlNodeType::Element);
        compact_dom::Node &n = m_Dom.NodeAt(node);
        n.name = m_Names.Intern(prefix, local, m_Dom, [&] { return QualifiedName(prefix, local); });
        const XmlPosition position = StartTagPosition(ctxt);
        n.line = position.line;
        n.column = position.column;
        n.SetAttributeCount(total);
        n.firstAttribute = m_Dom.ReserveAttributes(total);

        std::uint32_t at = n.firstAttribute;
        // Namespace declarations come apart from the other attributes; they
        // lead, each under the name it was written with.
        for (int i = 0; i < namespaceCount; ++i) {
            const xmlChar *nsPrefix = namespaces[2 * i];
            const char *uri = reinterpret_cast<const char *>(namespaces[2 * i + 1]);
            compact_dom::Attribute &a = m_Dom.AttributeAt(at++);
            a.name = m_Names.Intern(nsPrefix, &kNamespaceDeclaration, m_Dom, [&] {
                return nsPrefix ? "xmlns:" + std::string(reinterpret_cast<const char *>(nsPrefix)) : std::string("xmlns");
            });
            const std::size_t length = uri ? std::strlen(uri) : 0;
            a.value = m_Dom.StoreValue(uri, length);
            a.length = static_cast<std::uint32_t>(length);
        }
        for (int i = 0; i < attributeCount; ++i) {
            const xmlChar *const *attribute = attributes + 5 * i;
            compact_dom::Attribute &a = m_Dom.AttributeAt(at++);
            a.name = m_Names.Intern(attribute[1], attribute[0], m_Dom,
                                    [&] { return QualifiedName(attribute[1], attribute[0]); });
            const auto *begin = reinterpret_cast<const char *>(attribute[3]);
            const std::size_t length = static_cast<std::size_t>(attribute[4] - attribute[3]);
            a.value = m_Dom.StoreValue(begin, length);
            a.length = static_cast<std::uint32_t>(length);
        }
        m_Open.push_back({node, kNone});
    }

    void EndElement()
    {
        if (m_Open.size() > 1)
            m_Open.pop_back();
    }

    // Text arrives in pieces; one node stands for a run of them.
    void Text(XmlNodeType type)
    {
        const Open &parent = m_Open.back();
        if (parent.lastChild != kNone && m_Dom.NodeAt(parent.lastChild).Type() == type)
            return;
        AddChild(type);
    }

    // A run of nothing but white space (markup indentation, mostly) gets no
    // node: nothing reads text, and an indented file would have a node for
    // every line.
    void Characters(const xmlChar *text, int length)
    {
        for (int i = 0; i < length; ++i) {
            if (text[i] != ' ' && text[i] != '\n' && text[i] != '\t' && text[i] != '\r') {
                Text(XmlNodeType::Text);
                return;
            }
        }
    }

    void ProcessingInstruction(const xmlChar *target)
    {
        const std::uint32_t node = AddChild(XmlNodeType::ProcessingInstruction);
        m_Dom.NodeAt(node).name = m_Names.Intern(nullptr, target, m_Dom,
                                                 [&] { return std::string(reinterpret_cast<const char *>(target)); });
    }

    void Comment() { AddChild(XmlNodeType::Comment); }

    void ParserError(const xmlError &error)
    {
        // Namespaces are another recommendation than XML 1.0, and validity
        // is not checked: neither makes a document unreadable.
        if (error.domain == XML_FROM_NAMESPACE || error.domain == XML_FROM_VALID)
            return;
        if (error.code == XML_ERR_NO_MEMORY) {
            OutOfMemory();
            return;
        }
        if (error.domain == XML_FROM_IO || error.domain == XML_FROM_I18N) {
            // The text does not decode in the document's encoding.
            Fail({XmlLoadCode::ParseFailed,
                  LoadResString(TextId::XmlErrorBytesNotInEncoding).arg(EncodingName()),
                  {}});
            return;
        }
        // An entity the document may declare in its external subset, which is
        // never read, would be silently lost: that document needs an
        // external entity. (Without an external subset, XML makes such a
        // reference a validity error only, and it is skipped.)
        const bool undeclaredOutside = error.code == XML_WAR_UNDECLARED_ENTITY && m_Document->hasExternalSubset;
        if (error.level != XML_ERR_FATAL && !undeclaredOutside)
            return;
        Failure failure;
        failure.reason = DescribeParseError(error);
        // In an entity's text the parser counts from the entity's start; the
        // document's place is the reference.
        if (error.ctxt && error.ctxt != m_Document)
            failure.position = CurrentPosition();
        else if (error.line > 0)
            failure.position = {static_cast<std::uint32_t>(error.line), static_cast<std::uint32_t>(std::max(error.int2, 1))};
        Fail(std::move(failure));
    }

    // An external entity is refused where it is looked up, before anything
    // would touch the path it names.
    void RefuseExternal(const xmlChar *name, xmlParserCtxtPtr ctxt)
    {
        const QString shown = name ? QString::fromUtf8(reinterpret_cast<const char *>(name)) : QString();
        Fail({XmlLoadCode::ParseFailed,
              shown.isEmpty() ? LoadResString(TextId::XmlErrorExternalEntity)
                              : LoadResString(TextId::XmlErrorNamedExternalEntity)
                                    .arg(shown),
              CurrentPosition()});
        ctxt->wellFormed = 0;
        m_Document->wellFormed = 0;
    }

    void OutOfMemory()
    {
        Fail({XmlLoadCode::OutOfMemory, LoadResString(TextId::XmlErrorOutOfMemory), {}});
    }

private:
    struct Open
    {
        std::uint32_t node;
        std::uint32_t lastChild;
    };

    std::uint32_t AddChild(XmlNodeType type)
    {
        Open &parent = m_Open.back();
        const std::uint32_t node = m_Dom.AddNode(type);
        if (parent.lastChild == kNone)
            m_Dom.NodeAt(parent.node).firstChild = node;
        else
            m_Dom.NodeAt(parent.lastChild).nextSibling = node;
        parent.lastChild = node;
        return node;
    }

    void Fail(Failure failure)
    {
        if (m_Failure)
            return;
        m_Failure = std::move(failure);
        // No more events, and no more input: the parser comes to its end
        // quickly. (Halting it from inside its own call chain is not safe.)
        m_Document->disableSAX = 1;
        m_Input.next = m_Input.end;
    }

    static const xmlChar *FindBackwards(const xmlChar *begin, const xmlChar *end, xmlChar c)
    {
#if defined(__GLIBC__)
        return static_cast<const xmlChar *>(memrchr(begin, c, static_cast<std::size_t>(end - begin)));
#else
        while (end > begin) {
            if (*--end == c)
                return end;
        }
        return nullptr;
#endif
    }

    // UTF-8 characters in [from, to): the bytes that start one.
    static std::uint32_t CharactersBetween(const xmlChar *from, const xmlChar *to)
    {
        constexpr std::uint64_t kLow = 0x0101010101010101ull;
        std::uint32_t continuations = 0;
        const xmlChar *p = from;
        // Eight bytes at a time: a continuation byte is 10xxxxxx.
        for (; to - p >= 8; p += 8) {
            std::uint64_t w;
            std::memcpy(&w, p, 8);
            // One bit a byte, summed into the top byte by the multiplication.
            continuations += static_cast<std::uint32_t>((((w >> 7) & ~(w >> 6) & kLow) * kLow) >> 56);
        }
        for (; p < to; ++p)
            continuations += (*p & 0xC0) == 0x80;
        return static_cast<std::uint32_t>(to - from) - continuations;
    }

    // The start tag's '<' lies just before the parser's position, with
    // nothing but the tag between (a value cannot hold a raw '<'); an
    // element from an entity's text takes the place of the reference.
    XmlPosition StartTagPosition(xmlParserCtxtPtr ctxt) const
    {
        const xmlParserInputPtr input = m_Document->input;
        if (!input || !input->cur || !input->base || input->cur <= input->base)
            return {};
        const xmlChar *cur = input->cur;
        const int opener = ctxt == m_Document ? '<' : '&';
        const xmlChar *start = FindBackwards(input->base, cur, static_cast<xmlChar>(opener));
        const auto line = static_cast<std::uint32_t>(std::max(input->line, 1));
        if (!start)
            return {line, static_cast<std::uint32_t>(std::max(input->col, 1))};
        const auto length = static_cast<std::size_t>(cur - start);
        if (!std::memchr(start, '\n', length)) {
            const int column = input->col - static_cast<int>(CharactersBetween(start, cur));
            return {line, static_cast<std::uint32_t>(std::max(column, 1))};
        }
        // A start tag over several lines: its line is that many lines up.
        const auto newlines = static_cast<std::uint32_t>(std::count(start, cur, '\n'));
        const xmlChar *lineStart = start;
        while (lineStart > input->base && lineStart[-1] != '\n')
            --lineStart;
        return {std::max<std::uint32_t>(line - std::min(line, newlines), 1), CharactersBetween(lineStart, start) + 1};
    }

    XmlPosition CurrentPosition() const
    {
        const xmlParserInputPtr input = m_Document->input;
        if (!input || input->line <= 0)
            return {};
        return {static_cast<std::uint32_t>(input->line), static_cast<std::uint32_t>(std::max(input->col, 1))};
    }

    Dom &m_Dom;
    xmlParserCtxtPtr m_Document;
    MemoryInput &m_Input;
    bool m_HasDeclaration;
    NameInterner m_Names;
    std::vector<Open> m_Open;
    std::optional<Failure> m_Failure;
};

void OnStartElement(void *context, const xmlChar *local, const xmlChar *prefix, const xmlChar *, int namespaceCount,
                    const xmlChar **namespaces, int attributeCount, int, const xmlChar **attributes);

DomBuilder *DomBuilder::Of(void *context)
{
    const auto ctxt = static_cast<xmlParserCtxtPtr>(context);
    // The loader is the process's: a context of another user of libxml2
    // keeps something else in _private.
    if (!ctxt || !ctxt->sax || ctxt->sax->startElementNs != OnStartElement)
        return nullptr;
    return static_cast<DomBuilder *>(ctxt->_private);
}

// Each handler runs inside the parser's C frames: nothing may be thrown
// through them, and after a failure nothing more is built.
template <class F>
void Guarded(void *context, F &&f)
{
    DomBuilder *builder = DomBuilder::Of(context);
    if (!builder || builder->Failed())
        return;
    try {
        f(*builder, static_cast<xmlParserCtxtPtr>(context));
    } catch (...) {
        // Nothing but allocation throws here.
        builder->OutOfMemory();
    }
}

bool InSubset(void *context)
{
    return static_cast<xmlParserCtxtPtr>(context)->inSubset != 0;
}

void OnStartDocument(void *context)
{
    xmlSAX2StartDocument(context); // the DTD's entities and defaults live in its document
    Guarded(context, [](DomBuilder &b, xmlParserCtxtPtr) { b.StartDocument(); });
}

void OnInternalSubset(void *context, const xmlChar *name, const xmlChar *publicId, const xmlChar *systemId)
{
    Guarded(context, [](DomBuilder &b, xmlParserCtxtPtr) { b.DocumentType(); });
    xmlSAX2InternalSubset(context, name, publicId, systemId);
}

void OnStartElement(void *context, const xmlChar *local, const xmlChar *prefix, const xmlChar *, int namespaceCount,
                    const xmlChar **namespaces, int attributeCount, int, const xmlChar **attributes)
{
    Guarded(context, [&](DomBuilder &b, xmlParserCtxtPtr ctxt) {
        b.StartElement(ctxt, local, prefix, namespaceCount, namespaces, attributeCount, attributes);
    });
}

void OnEndElement(void *context, const xmlChar *, const xmlChar *, const xmlChar *)
{
    Guarded(context, [](DomBuilder &b, xmlParserCtxtPtr) { b.EndElement(); });
}

void OnCharacters(void *context, const xmlChar *text, int length)
{
    Guarded(context, [&](DomBuilder &b, xmlParserCtxtPtr) { b.Characters(text, length); });
}

void OnCData(void *context, const xmlChar *, int)
{
    Guarded(context, [](DomBuilder &b, xmlParserCtxtPtr) { b.Text(XmlNodeType::CData); });
}

void OnComment(void *context, const xmlChar *)
{
    if (InSubset(context)) // part of the document type, not of the document
        return;
    Guarded(context, [](DomBuilder &b, xmlParserCtxtPtr) { b.Comment(); });
}

void OnProcessingInstruction(void *context, const xmlChar *target, const xmlChar *)
{
    if (InSubset(context))
        return;
    Guarded(context, [&](DomBuilder &b, xmlParserCtxtPtr) { b.ProcessingInstruction(target); });
}

void OnError(void *context, xmlErrorPtr error)
{
    if (!error)
        return;
    Guarded(context, [&](DomBuilder &b, xmlParserCtxtPtr) { b.ParserError(*error); });
}

// Errors raised without a parser context (decoding, input) reach the
// thread's handler, which is pointed at the builder for the parse.
void OnContextFreeError(void *context, xmlErrorPtr error)
{
    auto *builder = static_cast<DomBuilder *>(context);
    if (!builder || !error || builder->Failed())
        return;
    try {
        builder->ParserError(*error);
    } catch (...) {
        builder->OutOfMemory();
    }
}

void IgnoreGenericError(void *, const char *, ...) {}

// The last line of defence: whatever asks, nothing is loaded.
xmlParserInputPtr RefuseExternalEntity(const char *, const char *, xmlParserCtxtPtr ctxt)
{
    Guarded(ctxt, [](DomBuilder &b, xmlParserCtxtPtr c) { b.RefuseExternal(nullptr, c); });
    return nullptr;
}

xmlParserInputPtr OnResolveEntity(void *context, const xmlChar *, const xmlChar *)
{
    return RefuseExternalEntity(nullptr, nullptr, static_cast<xmlParserCtxtPtr>(context));
}

// An entity found for a reference, unless it is external: that one is
// refused before the parser can look at the file it names.
xmlEntityPtr UnlessExternal(void *context, xmlEntityPtr entity, const xmlChar *name)
{
    if (!entity
        || (entity->etype != XML_EXTERNAL_GENERAL_PARSED_ENTITY && entity->etype != XML_EXTERNAL_PARAMETER_ENTITY))
        return entity;
    // Not well-formed for the parser, or it would look the entity up again by itself.
    static_cast<xmlParserCtxtPtr>(context)->wellFormed = 0;
    Guarded(context, [&](DomBuilder &b, xmlParserCtxtPtr c) { b.RefuseExternal(name, c); });
    return nullptr;
}

// Entities as libxml2's own handlers find them, external ones refused.
xmlEntityPtr OnGetEntity(void *context, const xmlChar *name)
{
    const auto ctxt = static_cast<xmlParserCtxtPtr>(context);
    if (ctxt->inSubset == 0) {
        if (xmlEntityPtr predefined = xmlGetPredefinedEntity(name))
            return predefined;
    }
    return UnlessExternal(context, ctxt->myDoc ? xmlGetDocEntity(ctxt->myDoc, name) : nullptr, name);
}

xmlEntityPtr OnGetParameterEntity(void *context, const xmlChar *name)
{
    const auto ctxt = static_cast<xmlParserCtxtPtr>(context);
    return UnlessExternal(context, ctxt->myDoc ? xmlGetParameterEntity(ctxt->myDoc, name) : nullptr, name);
}

xmlSAXHandler MakeHandler()
{
    xmlSAXHandler sax;
    std::memset(&sax, 0, sizeof sax);
    sax.initialized = XML_SAX2_MAGIC;
    sax.startDocument = OnStartDocument;
    sax.internalSubset = OnInternalSubset;
    // Declarations are kept by libxml2's own handlers, in the document that
    // xmlSAX2StartDocument creates; the external subset is never read.
    sax.entityDecl = xmlSAX2EntityDecl;
    sax.unparsedEntityDecl = xmlSAX2UnparsedEntityDecl;
    sax.notationDecl = xmlSAX2NotationDecl; // also where a malformed notation is found
    sax.getEntity = OnGetEntity;
    sax.getParameterEntity = OnGetParameterEntity;
    sax.resolveEntity = OnResolveEntity;
    sax.startElementNs = OnStartElement;
    sax.endElementNs = OnEndElement;
    sax.characters = OnCharacters;
    sax.ignorableWhitespace = OnCharacters;
    sax.cdataBlock = OnCData;
    sax.comment = OnComment;
    sax.processingInstruction = OnProcessingInstruction;
    sax.serror = OnError;
    return sax;
}

// The parser context and the document its DTD handlers made, freed together;
// the error handlers and the entity loader as they were before the parse.
class ParserSession
{
public:
    explicit ParserSession(xmlParserCtxtPtr ctxt)
        : m_Ctxt(ctxt)
        , m_StructuredError(xmlStructuredError)
        , m_StructuredErrorContext(xmlStructuredErrorContext)
        , m_GenericError(xmlGenericError)
        , m_GenericErrorContext(xmlGenericErrorContext)
        , m_EntityLoader(xmlGetExternalEntityLoader())
    {
    }
    ~ParserSession()
    {
        xmlSetStructuredErrorFunc(m_StructuredErrorContext, m_StructuredError);
        xmlSetGenericErrorFunc(m_GenericErrorContext, m_GenericError);
        xmlSetExternalEntityLoader(m_EntityLoader);
        if (!m_Ctxt)
            return;
        if (m_Ctxt->myDoc) {
            xmlFreeDoc(m_Ctxt->myDoc);
            m_Ctxt->myDoc = nullptr;
        }
        xmlFreeParserCtxt(m_Ctxt);
    }
    ParserSession(const ParserSession &) = delete;
    ParserSession &operator=(const ParserSession &) = delete;

private:
    xmlParserCtxtPtr m_Ctxt;
    xmlStructuredErrorFunc m_StructuredError;
    void *m_StructuredErrorContext;
    xmlGenericErrorFunc m_GenericError;
    void *m_GenericErrorContext;
    xmlExternalEntityLoader m_EntityLoader;
};

XmlLoadResult Failed(std::int32_t code, QString reason, XmlPosition position = {})
{
    XmlLoadResult result;
    result.ok = false;
    result.code = code;
    result.position = position;
    result.detail = position.line > 0
        ? LoadResString(TextId::XmlErrorAtPosition).arg(position.line).arg(position.column).arg(reason)
        : std::move(reason);
    return result;
}

} // namespace

XmlLoadResult ParseIntoDom(QByteArrayView bytes, Dom &dom)
{
    const EncodingPrescan prescan = PrescanEncoding(bytes);
    if (!prescan.error.isEmpty())
        return Failed(XmlLoadCode::ParseFailed, prescan.error);
    if (bytes.size() == prescan.markLength)
        return Failed(XmlLoadCode::ParseFailed, LoadResString(TextId::XmlErrorNoElement));

    xmlInitParser();
    if (prescan.skipMark)
        bytes = bytes.sliced(prescan.markLength);
    MemoryInput input{bytes.data(), bytes.data() + bytes.size()};
    xmlSAXHandler sax = MakeHandler();
    xmlParserCtxtPtr ctxt = xmlCreateIOParserCtxt(&sax, nullptr, MemoryInput::Read, nullptr, &input, XML_CHAR_ENCODING_NONE);
    const ParserSession session(ctxt);
    if (!ctxt)
        return Failed(XmlLoadCode::OutOfMemory, LoadResString(TextId::XmlErrorOutOfMemory));

    DomBuilder builder(dom, ctxt, input, prescan.hasDeclaration);
    xmlSetStructuredErrorFunc(&builder, OnContextFreeError);
    xmlSetGenericErrorFunc(nullptr, IgnoreGenericError);
    xmlSetExternalEntityLoader(RefuseExternalEntity);
    // Once the encoding is settled by the mark or the width of the
    // characters, a declaration must not switch it in mid-text.
    xmlCtxtUseOptions(ctxt, kParseOptions | (prescan.encodingSettled ? XML_PARSE_IGNORE_ENC : 0));
    if (prescan.forcedEncoding) {
        xmlCharEncodingHandlerPtr handler = xmlFindCharEncodingHandler(prescan.forcedEncoding);
        if (!handler || xmlSwitchToEncoding(ctxt, handler) != 0)
            return Failed(XmlLoadCode::ParseFailed,
                          LoadResString(TextId::XmlErrorUnsupportedEncoding).arg(QString::fromLatin1(prescan.forcedEncoding)));
    }

    xmlParseDocument(ctxt);

    if (const auto &failure = builder.GetFailure())
        return Failed(failure->code, failure->reason, failure->position);
    // The decoder keeps a character cut off at the end for input that never comes.
    if (ctxt->input && ctxt->input->buf && ctxt->input->buf->raw && xmlBufUse(ctxt->input->buf->raw) > 0)
        return Failed(XmlLoadCode::ParseFailed, LoadResString(TextId::XmlErrorTruncatedCharacter)
                                                    .arg(builder.EncodingName()));
    if (!ctxt->wellFormed) {
        // Every error that makes a document ill-formed is fatal and was
        // caught above; this is the parser's last word, should one slip by.
        const xmlError *last = &ctxt->lastError;
        return Failed(XmlLoadCode::ParseFailed, DescribeParseError(*last),
                      last->line > 0 ? XmlPosition{static_cast<std::uint32_t>(last->line),
                                                   static_cast<std::uint32_t>(std::max(last->int2, 1))}
                                     : XmlPosition{});
    }
    return {};
}
