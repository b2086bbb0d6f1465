#include "XmlDocument.h"

#include "FileReading.h"
#include "TextCodec.h"
#include "TextDecoding.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

struct XmlDocumentData
{
    int references = 0;
    pugi::xml_document document;
    QByteArray buffer; // parsed in place: names and values point into it
    TextCodec codec = TextCodec::Utf8();
};

namespace {

// References are resolved when a value is read (the parser sees the file's own
// bytes, which need not be UTF-8); entities are never defined or expanded.
constexpr unsigned kParseOptions = pugi::parse_cdata | pugi::parse_wconv_attribute | pugi::parse_eol
    | pugi::parse_comments | pugi::parse_pi | pugi::parse_declaration | pugi::parse_doctype;

bool AsciiEqualsIgnoringCase(const char *text, std::string_view ascii)
{
    for (char expected : ascii) {
        char c = *text++;
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (expected >= 'A' && expected <= 'Z')
            expected = static_cast<char>(expected - 'A' + 'a');
        if (c != expected)
            return false;
    }
    return *text == '\0';
}

QString ParseStatusText(pugi::xml_parse_status status)
{
    switch (status) {
    case pugi::status_out_of_memory:
        return QStringLiteral("недостаточно памяти для разбора документа");
    case pugi::status_unrecognized_tag:
        return QStringLiteral("нераспознанная разметка после «<»");
    case pugi::status_bad_pi:
        return QStringLiteral("ошибка в объявлении XML или инструкции обработки");
    case pugi::status_bad_comment:
        return QStringLiteral("ошибка в комментарии");
    case pugi::status_bad_cdata:
        return QStringLiteral("ошибка в разделе CDATA");
    case pugi::status_bad_doctype:
        return QStringLiteral("ошибка в объявлении типа документа (DOCTYPE)");
    case pugi::status_bad_pcdata:
        return QStringLiteral("ошибка в тексте между тегами");
    case pugi::status_bad_start_element:
        return QStringLiteral("ошибка в открывающем теге");
    case pugi::status_bad_attribute:
        return QStringLiteral("ошибка в атрибуте");
    case pugi::status_bad_end_element:
        return QStringLiteral("ошибка в закрывающем теге");
    case pugi::status_end_element_mismatch:
        return QStringLiteral("закрывающий тег не соответствует открывающему, или элемент не закрыт");
    case pugi::status_no_document_element:
        return QStringLiteral("в документе нет ни одного элемента");
    default:
        return QStringLiteral("документ не удалось разобрать");
    }
}

// The element after the document element at the top level; null when none.
pugi::xml_node SecondDocumentElement(const pugi::xml_document &document)
{
    bool seen = false;
    for (pugi::xml_node node = document.first_child(); node; node = node.next_sibling()) {
        if (node.type() != pugi::node_element)
            continue;
        if (seen)
            return node;
        seen = true;
    }
    return {};
}

XmlLoadResult Failure(std::int32_t code, QString detail = {})
{
    XmlLoadResult result;
    result.ok = false;
    result.code = code;
    result.detail = detail.isEmpty() ? DescribeXmlLoadCode(code) : std::move(detail);
    return result;
}

} // namespace

QString DescribeXmlLoadCode(std::int32_t code)
{
    switch (code) {
    case XmlLoadCode::ParseFailed:
        return QStringLiteral("документ не удалось разобрать");
    case XmlLoadCode::FileNotFound:
        return QStringLiteral("файл не найден");
    case XmlLoadCode::PathNotFound:
        return QStringLiteral("путь не найден");
    case XmlLoadCode::AccessDenied:
        return QStringLiteral("доступ запрещён");
    case XmlLoadCode::OutOfMemory:
        return QStringLiteral("недостаточно памяти");
    case XmlLoadCode::ReadFault:
        return QStringLiteral("ошибка чтения файла");
    case XmlLoadCode::FileTooLarge:
        return QStringLiteral("файл слишком велик");
    case XmlLoadCode::NotRegularFile:
        return QStringLiteral("это не обычный файл");
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

XmlNode::XmlNode(XmlContentRef document, pugi::xml_node_struct *node)
    : m_Document(node ? std::move(document) : XmlContentRef())
    , m_Node(node)
{
}

const TextCodec &XmlNode::Codec() const
{
    return m_Document->codec;
}

XmlNodeType XmlNode::GetNodeType() const
{
    switch (pugi::xml_node(m_Node).type()) {
    case pugi::node_element:
        return XmlNodeType::Element;
    case pugi::node_pcdata:
        return XmlNodeType::Text;
    case pugi::node_cdata:
        return XmlNodeType::CData;
    case pugi::node_pi:
    case pugi::node_declaration:
        return XmlNodeType::ProcessingInstruction;
    case pugi::node_comment:
        return XmlNodeType::Comment;
    case pugi::node_document:
        return XmlNodeType::Document;
    case pugi::node_doctype:
        return XmlNodeType::DocumentType;
    default:
        return XmlNodeType::Other;
    }
}

QString XmlNode::GetNodeName() const
{
    const pugi::xml_node node(m_Node);
    switch (node.type()) {
    case pugi::node_element:
    case pugi::node_pi:
    case pugi::node_declaration:
        return Codec().Decode(node.name());
    case pugi::node_pcdata:
        return QStringLiteral("#text");
    case pugi::node_cdata:
        return QStringLiteral("#cdata-section");
    case pugi::node_comment:
        return QStringLiteral("#comment");
    case pugi::node_document:
        return QStringLiteral("#document");
    default:
        return {};
    }
}

bool XmlNode::HasName(std::string_view asciiName) const
{
    return m_Node && AsciiEqualsIgnoringCase(pugi::xml_node(m_Node).name(), asciiName);
}

XmlNode XmlNode::GetFirstChild() const
{
    if (!m_Node)
        return {};
    return XmlNode(m_Document, pugi::xml_node(m_Node).first_child().internal_object());
}

XmlNode XmlNode::GetNextSibling() const
{
    if (!m_Node)
        return {};
    return XmlNode(m_Document, pugi::xml_node(m_Node).next_sibling().internal_object());
}

XmlElement XmlNode::QueryElement() const
{
    if (!m_Node || pugi::xml_node(m_Node).type() != pugi::node_element)
        return {};
    return XmlElement(m_Document, m_Node);
}

// --- XmlElement, XmlAttributeText ----------------------------------------------

std::optional<XmlAttributeText> XmlElement::GetAttribute(std::string_view name) const
{
    for (pugi::xml_attribute a = pugi::xml_node(m_Node).first_attribute(); a; a = a.next_attribute()) {
        if (std::string_view(a.name()) == name)
            return XmlAttributeText(a.value(), Codec());
    }
    return std::nullopt;
}

XmlElement::AttributeCursor XmlElement::FirstAttribute() const
{
    const pugi::xml_attribute a = pugi::xml_node(m_Node).first_attribute();
    if (!a)
        return {};
    return {a.internal_object(), a.name(), a.value()};
}

XmlElement::AttributeCursor XmlElement::NextAttribute(const AttributeCursor &cursor)
{
    const pugi::xml_attribute a =
        pugi::xml_attribute(static_cast<pugi::xml_attribute_struct *>(const_cast<void *>(cursor.attribute)))
            .next_attribute();
    if (!a)
        return {};
    return {a.internal_object(), a.name(), a.value()};
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
    for (pugi::xml_attribute a = pugi::xml_node(element.m_Node).first_attribute(); a; a = a.next_attribute()) {
        if (m_Count == kCapacity) {
            m_Overflow = true;
            break;
        }
        const char *name = a.name();
        const std::size_t length = std::strlen(name);
        const std::uint64_t head = NameHead(name, length);
        m_Present |= PresenceBit(head, length);
        m_Entries[m_Count++] = {head, length, name, a.value()};
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
            return XmlAttributeText(e.value, m_Element.Codec());
    }
    return std::nullopt;
}

QString XmlAttributeText::ToString() const
{
    return m_Codec->Decode(m_Raw);
}

std::optional<std::string_view> XmlAttributeText::PlainAscii() const
{
    if (!TextCodec::IsPlainAscii(m_Raw))
        return std::nullopt;
    return m_Raw;
}

// --- XmlDocument ---------------------------------------------------------------

XmlDocument XmlDocument::Create()
{
    XmlDocument document;
    document.m_Data = XmlContentRef(new XmlDocumentData);
    return document;
}

XmlNode XmlDocument::AppendProcessingInstruction(QStringView target, QStringView data)
{
    if (!m_Data)
        return {};
    pugi::xml_node pi = m_Data->document.append_child(pugi::node_pi);
    if (!pi)
        return {};
    // Created texts are stored as UTF-8, so the content becomes UTF-8.
    m_Data->codec = TextCodec::Utf8();
    pi.set_name(target.toUtf8().constData());
    pi.set_value(data.toUtf8().constData());
    return XmlNode(m_Data, pi.internal_object());
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
    m_Data = XmlContentRef(new XmlDocumentData);
    try {
        PreparedXmlText text = PrepareXmlText(std::move(bytes));
        if (!text.error.isEmpty())
            return Failure(XmlLoadCode::ParseFailed, text.error);
        // An empty buffer has no writable storage for the parser.
        if (text.buffer.isEmpty())
            return Failure(XmlLoadCode::ParseFailed, ParseStatusText(pugi::status_no_document_element));

        XmlContentRef content(new XmlDocumentData);
        XmlDocumentData *data = content.get();
        data->buffer = std::move(text.buffer);
        data->codec = text.codec;
        const pugi::xml_parse_result parsed = data->document.load_buffer_inplace(
            data->buffer.data(), static_cast<size_t>(data->buffer.size()), kParseOptions, pugi::encoding_utf8);
        if (!parsed) {
            const TextPosition pos = PositionOf(data->buffer, parsed.offset, data->codec);
            return Failure(parsed.status == pugi::status_out_of_memory ? XmlLoadCode::OutOfMemory
                                                                      : XmlLoadCode::ParseFailed,
                           QStringLiteral("строка %1, столбец %2: %3")
                               .arg(pos.line)
                               .arg(pos.column)
                               .arg(ParseStatusText(parsed.status)));
        }
        // The parser also takes a fragment with several top-level elements; a
        // document has exactly one, and whatever follows it would be lost.
        if (const pugi::xml_node extra = SecondDocumentElement(data->document)) {
            // An element's offset is that of its name, just after the "<".
            const TextPosition pos = PositionOf(data->buffer, extra.offset_debug() - 1, data->codec);
            return Failure(XmlLoadCode::ParseFailed,
                           QStringLiteral("строка %1, столбец %2: в документе больше одного корневого элемента")
                               .arg(pos.line)
                               .arg(pos.column));
        }
        m_Data = std::move(content);
    } catch (const std::bad_alloc &) {
        return Failure(XmlLoadCode::OutOfMemory);
    }
    return {};
}

XmlNode XmlDocument::GetFirstChild() const
{
    if (!m_Data)
        return {};
    return XmlNode(m_Data, m_Data->document.first_child().internal_object());
}
