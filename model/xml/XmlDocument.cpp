#include "model/xml/XmlDocument.h"

#include "model/ResString.h"
#include "model/xml/CompactDom.h"
#include "model/xml/FileReading.h"
#include "model/xml/SaxDomBuilder.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <span>
#include <utility>

namespace {

bool AsciiEqualsIgnoringCase(std::string_view text, std::string_view ascii)
{
    if (text.size() != ascii.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        char expected = ascii[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (expected >= 'A' && expected <= 'Z')
            expected = static_cast<char>(expected - 'A' + 'a');
        if (c != expected)
            return false;
    }
    return true;
}

XmlLoadResult Failure(std::int32_t code, QString detail = {})
{
    XmlLoadResult result;
    result.ok = false;
    result.code = code;
    result.detail = detail.isEmpty() ? DescribeXmlLoadCode(code) : std::move(detail);
    return result;
}

// QString::fromUtf8 drops a byte order mark at the start of its input; in a
// name or a value it is a character of the text.
QString Utf8ToString(std::string_view utf8)
{
    constexpr std::string_view kMark = "\xEF\xBB\xBF";
    if (utf8.substr(0, kMark.size()) == kMark) {
        QString text(QChar(0xFEFF));
        text += QString::fromUtf8(utf8.data() + kMark.size(), static_cast<qsizetype>(utf8.size() - kMark.size()));
        return text;
    }
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

const compact_dom::Node &NodeOf(const XmlContentRef &document, std::uint32_t node)
{
    return document->dom.NodeAt(node);
}

// An element's attributes: they lie side by side in one block.
std::span<const compact_dom::Attribute> AttributesOf(const XmlContentRef &document, std::uint32_t node)
{
    const compact_dom::Node &n = NodeOf(document, node);
    if (n.AttributeCount() == 0)
        return {};
    return {&document->dom.AttributeAt(n.firstAttribute), n.AttributeCount()};
}

std::string_view ValueOf(const compact_dom::Attribute &a)
{
    return {a.value, a.length};
}

} // namespace

QString DescribeXmlLoadCode(std::int32_t code)
{
    switch (code) {
    case XmlLoadCode::ParseFailed:
        return LoadResString(TextId::XmlLoadParseFailed);
    case XmlLoadCode::FileNotFound:
        return LoadResString(TextId::XmlLoadFileNotFound);
    case XmlLoadCode::PathNotFound:
        return LoadResString(TextId::XmlLoadPathNotFound);
    case XmlLoadCode::AccessDenied:
        return LoadResString(TextId::XmlLoadAccessDenied);
    case XmlLoadCode::OutOfMemory:
        return LoadResString(TextId::XmlLoadOutOfMemory);
    case XmlLoadCode::ReadFault:
        return LoadResString(TextId::XmlLoadReadFault);
    case XmlLoadCode::FileTooLarge:
        return LoadResString(TextId::XmlLoadFileTooLarge);
    case XmlLoadCode::NotRegularFile:
        return LoadResString(TextId::XmlLoadNotRegularFile);
    default:
        return {};
    }
}

// --- XmlContentRef -------------------------------------------------------------

XmlContentRef::XmlContentRef(XmlDocumentData *data)
    : m_Data(data)
{
    if (m_Data)
        ++m_Data->references;
}

XmlContentRef::XmlContentRef(const XmlContentRef &other)
    : XmlContentRef(other.m_Data)
{
}

XmlContentRef::XmlContentRef(XmlContentRef &&other) noexcept
    : m_Data(std::exchange(other.m_Data, nullptr))
{
}

XmlContentRef &XmlContentRef::operator=(XmlContentRef other) noexcept
{
    std::swap(m_Data, other.m_Data);
    return *this;
}

XmlContentRef::~XmlContentRef()
{
    if (m_Data && --m_Data->references == 0)
        delete m_Data;
}

// --- XmlNode -----------------------------------------------------------------

XmlNode::XmlNode(XmlContentRef document, std::uint32_t node)
    : m_Document(node != kNoNode ? std::move(document) : XmlContentRef())
    , m_Node(node)
{
}

XmlNodeType XmlNode::GetNodeType() const
{
    return IsNull() ? XmlNodeType::Other : NodeOf(m_Document, m_Node).Type();
}

QString XmlNode::GetNodeName() const
{
    if (IsNull())
        return {};
    const compact_dom::Node &node = NodeOf(m_Document, m_Node);
    switch (node.Type()) {
    case XmlNodeType::Element:
    case XmlNodeType::ProcessingInstruction: {
        const compact_dom::Name &name = m_Document->dom.NameAt(node.name);
        return Utf8ToString(std::string_view(name.text, name.length));
    }
    case XmlNodeType::Text:
        return QStringLiteral("#text");
    case XmlNodeType::CData:
        return QStringLiteral("#cdata-section");
    case XmlNodeType::Comment:
        return QStringLiteral("#comment");
    case XmlNodeType::Document:
        return QStringLiteral("#document");
    default:
        return {};
    }
}

bool XmlNode::HasName(std::string_view asciiName) const
{
    if (IsNull())
        return false;
    const compact_dom::Node &node = NodeOf(m_Document, m_Node);
    if (node.name == compact_dom::kNone)
        return false;
    const compact_dom::Name &name = m_Document->dom.NameAt(node.name);
    return AsciiEqualsIgnoringCase(std::string_view(name.text, name.length), asciiName);
}

XmlNode XmlNode::GetFirstChild() const
{
    if (IsNull())
        return {};
    return XmlNode(m_Document, NodeOf(m_Document, m_Node).firstChild);
}

XmlNode XmlNode::GetNextSibling() const
{
    if (IsNull())
        return {};
    return XmlNode(m_Document, NodeOf(m_Document, m_Node).nextSibling);
}

XmlElement XmlNode::QueryElement() const
{
    if (GetNodeType() != XmlNodeType::Element)
        return {};
    return XmlElement(m_Document, m_Node);
}

XmlPosition XmlNode::GetPosition() const
{
    if (IsNull())
        return {};
    const compact_dom::Node &node = NodeOf(m_Document, m_Node);
    return {node.line, node.column};
}

// --- XmlElement, XmlAttributeText ----------------------------------------------

void XmlElement::VisitAttributes(AttributeVisitor visit, void *visitor) const
{
    if (IsNull())
        return;
    for (const compact_dom::Attribute &a : AttributesOf(m_Document, m_Node))
        visit(visitor, m_Document->dom.NameAt(a.name).text, XmlAttributeText(ValueOf(a)));
}

std::optional<XmlAttributeText> XmlElement::GetAttribute(std::string_view name) const
{
    if (IsNull())
        return std::nullopt;
    for (const compact_dom::Attribute &a : AttributesOf(m_Document, m_Node)) {
        const compact_dom::Name &n = m_Document->dom.NameAt(a.name);
        if (std::string_view(n.text, n.length) == name)
            return XmlAttributeText(ValueOf(a));
    }
    return std::nullopt;
}

namespace {

std::uint64_t NameHead(const char *name, std::size_t length)
{
    std::uint64_t head = 0;
    std::memcpy(&head, name, std::min<std::size_t>(length, 8));
    return head;
}

std::uint64_t PresenceBit(std::uint64_t head, std::size_t length)
{
    return std::uint64_t(1) << (((head ^ length) * 0x9E3779B97F4A7C15ull) >> 58);
}

} // namespace

XmlAttributes::XmlAttributes(const XmlElement &element)
    : m_Element(element)
{
    if (element.IsNull())
        return;
    const std::span<const compact_dom::Attribute> attributes = AttributesOf(element.m_Document, element.m_Node);
    if (attributes.size() > kCapacity) {
        m_Overflow = true;
        return;
    }
    for (const compact_dom::Attribute &a : attributes) {
        const compact_dom::Name &name = element.m_Document->dom.NameAt(a.name);
        const std::uint64_t head = NameHead(name.text, name.length);
        m_Present |= PresenceBit(head, name.length);
        m_Entries[m_Count++] = {head, name.length, name.text, ValueOf(a)};
    }
}

std::optional<XmlAttributeText> XmlAttributes::Get(std::string_view name) const
{
    if (m_Overflow)
        return m_Element.GetAttribute(name);
    const std::uint64_t head = NameHead(name.data(), name.size());
    if (!(m_Present & PresenceBit(head, name.size())))
        return std::nullopt;
    for (int i = 0; i < m_Count; ++i) {
        const Entry &e = m_Entries[i];
        if (e.head == head && e.length == name.size()
            && (e.length <= 8 || std::memcmp(e.name + 8, name.data() + 8, e.length - 8) == 0))
            return XmlAttributeText(e.value);
    }
    return std::nullopt;
}

QString XmlAttributeText::ToString() const
{
    return Utf8ToString(m_Utf8);
}

std::optional<std::string_view> XmlAttributeText::PlainAscii() const
{
    for (const char c : m_Utf8) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return std::nullopt;
    }
    return m_Utf8;
}

// --- XmlDocument ---------------------------------------------------------------

XmlDocument XmlDocument::Create()
{
    XmlDocument document;
    document.m_Data = XmlContentRef(new XmlDocumentData);
    return document;
}

XmlNode XmlDocument::AppendProcessingInstruction(QStringView target, QStringView)
{
    if (!m_Data)
        return {};
    compact_dom::Dom &dom = m_Data->dom;
    // Appended after the children there are; only a new document is given one.
    std::uint32_t last = compact_dom::kNone;
    for (std::uint32_t n = dom.NodeAt(compact_dom::Dom::kDocument).firstChild; n != compact_dom::kNone;
         n = dom.NodeAt(n).nextSibling)
        last = n;
    const std::uint32_t pi = dom.AddNode(XmlNodeType::ProcessingInstruction);
    const QByteArray name = target.toUtf8();
    dom.NodeAt(pi).name = dom.AddName(std::string_view(name.constData(), static_cast<std::size_t>(name.size())));
    if (last == compact_dom::kNone)
        dom.NodeAt(compact_dom::Dom::kDocument).firstChild = pi;
    else
        dom.NodeAt(last).nextSibling = pi;
    return XmlNode(m_Data, pi);
}

XmlLoadResult XmlDocument::Load(const QString &path)
{
    FileReadResult file;
    try {
        file = ReadRegularFile(path, kMaxFileSize);
    } catch (const std::bad_alloc &) {
        // Reading a large file into memory can fail on its own.
        file.code = XmlLoadCode::OutOfMemory;
    }
    if (file.code != 0) {
        m_Data = XmlContentRef(new XmlDocumentData);
        return Failure(file.code);
    }
    return LoadFromBytes(std::move(file.bytes));
}

XmlLoadResult XmlDocument::LoadFromBytes(QByteArray bytes)
{
    // The content is built aside and only kept when it parsed: a failed load
    // leaves the document empty.
    try {
        m_Data = XmlContentRef(new XmlDocumentData);
        XmlContentRef content(new XmlDocumentData);
        XmlLoadResult result = ParseIntoDom(bytes, content->dom);
        if (!result.ok)
            return result;
        m_Data = std::move(content);
        return result;
    } catch (const std::bad_alloc &) {
        return Failure(XmlLoadCode::OutOfMemory);
    }
}

XmlNode XmlDocument::GetFirstChild() const
{
    if (!m_Data)
        return {};
    return XmlNode(m_Data, m_Data->dom.NodeAt(compact_dom::Dom::kDocument).firstChild);
}

XmlDocument::Footprint XmlDocument::GetFootprint() const
{
    if (!m_Data)
        return {};
    const compact_dom::Dom::Footprint f = m_Data->dom.Measure();
    return {f.nodes, f.attributes, f.names, f.valueBytes, f.bytesReserved};
}
