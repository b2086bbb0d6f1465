#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <string_view>

struct XmlDocumentData;
class XmlElement;

// Node types, numbered as the DOM numbers them.
enum class XmlNodeType {
    Other = 0,
    Element = 1,
    Text = 3,
    CData = 4,
    ProcessingInstruction = 7,
    Comment = 8,
    Document = 9,
    DocumentType = 10,
};

// Keeps a document's content alive. The count is not atomic: the structure
// and its document live on one thread.
class XmlContentRef
{
public:
    XmlContentRef() = default;
    explicit XmlContentRef(XmlDocumentData *data);
    XmlContentRef(const XmlContentRef &other);
    XmlContentRef(XmlContentRef &&other) noexcept;
    XmlContentRef &operator=(XmlContentRef other) noexcept;
    ~XmlContentRef();

    XmlDocumentData *get() const noexcept { return m_Data; }
    XmlDocumentData *operator->() const noexcept { return m_Data; }
    explicit operator bool() const noexcept { return m_Data != nullptr; }

private:
    XmlDocumentData *m_Data = nullptr;
};

struct XmlPosition
{
    std::uint32_t line = 0;
    std::uint32_t column = 0;
    friend bool operator==(const XmlPosition &, const XmlPosition &) = default;
};

// A counted reference to a node: the document stays alive while any reference
// to it or to one of its nodes is held. Read-only: nothing here writes a file.
class XmlNode
{
public:
    XmlNode() = default;

    bool IsNull() const noexcept { return m_Node == kNoNode; }
    XmlNodeType GetNodeType() const;
    // The name as written (a processing instruction's target; "#text",
    // "#comment" ... for the others).
    QString GetNodeName() const;
    // Compares the name with an ASCII name, Latin letters without regard to case.
    bool HasName(std::string_view asciiName) const;

    XmlNode GetFirstChild() const;
    XmlNode GetNextSibling() const;

    // The element interface of this node; null when the node is not an element.
    XmlElement QueryElement() const;

    // Where an element's start tag begins in the file (1-based); zeros for
    // other nodes and for elements that were not read from a file.
    XmlPosition GetPosition() const;

    friend bool operator==(const XmlNode &a, const XmlNode &b) noexcept
    {
        return a.m_Node == b.m_Node && a.m_Document.get() == b.m_Document.get();
    }

protected:
    static constexpr std::uint32_t kNoNode = 0xFFFFFFFFu;

    XmlNode(XmlContentRef document, std::uint32_t node);

    XmlContentRef m_Document;
    std::uint32_t m_Node = kNoNode;

    friend class XmlDocument;
    friend class XmlAttributes;
};

// An attribute value as the parser delivered it (references replaced, white
// space normalised, UTF-8): decoded only on request.
class XmlAttributeText
{
public:
    explicit XmlAttributeText(std::string_view utf8) : m_Utf8(utf8) {}

    QString ToString() const;
    // The value itself when it is plain ASCII, so that numbers can be read
    // without building a string.
    std::optional<std::string_view> PlainAscii() const;

private:
    std::string_view m_Utf8;
};

class XmlElement : public XmlNode
{
public:
    XmlElement() = default;

    // The attribute's value; nothing when the element has no such attribute.
    std::optional<XmlAttributeText> GetAttribute(std::string_view name) const;

    // Calls f(name, value) for each attribute in document order; the name is
    // the attribute's NUL-terminated name as written.
    template <class F>
    void ForEachAttribute(F &&f) const
    {
        VisitAttributes(
            [](void *visitor, const char *name, XmlAttributeText value) { (*static_cast<F *>(visitor))(name, value); },
            &f);
    }

private:
    using AttributeVisitor = void (*)(void *visitor, const char *name, XmlAttributeText value);
    void VisitAttributes(AttributeVisitor visit, void *visitor) const;

    using XmlNode::XmlNode;
    friend class XmlNode;
    friend class XmlAttributes;
};

// The attributes of one element, gathered in one pass, for readers that ask
// for many names: each lookup compares short integer keys instead of strings.
// Valid while the element it was taken from is.
class XmlAttributes
{
public:
    explicit XmlAttributes(const XmlElement &element);
    XmlAttributes(const XmlAttributes &) = delete;
    XmlAttributes &operator=(const XmlAttributes &) = delete;

    std::optional<XmlAttributeText> Get(std::string_view name) const;

private:
    struct Entry
    {
        std::uint64_t head; // the name's first eight bytes
        std::size_t length;
        const char *name;
        std::string_view value;
    };
    static constexpr int kCapacity = 48;

    const XmlElement &m_Element;
    // One bit per name hash: most names a reader asks for are absent, and
    // this answers them without a scan.
    std::uint64_t m_Present = 0;
    Entry m_Entries[kCapacity];
    int m_Count = 0;
    bool m_Overflow = false; // more attributes than fit: ask the element
};

// Result codes of a document load (HRESULT values, as the original DOM
// component reported them).
namespace XmlLoadCode {
constexpr std::int32_t ParseFailed = 1; // the file was read but is not a document we can parse
constexpr std::int32_t FileNotFound = static_cast<std::int32_t>(0x80070002);
constexpr std::int32_t PathNotFound = static_cast<std::int32_t>(0x80070003);
constexpr std::int32_t AccessDenied = static_cast<std::int32_t>(0x80070005);
constexpr std::int32_t OutOfMemory = static_cast<std::int32_t>(0x8007000E);
constexpr std::int32_t ReadFault = static_cast<std::int32_t>(0x8007001E);
constexpr std::int32_t FileTooLarge = static_cast<std::int32_t>(0x800700DF);
constexpr std::int32_t NotRegularFile = static_cast<std::int32_t>(0x8007010B);
} // namespace XmlLoadCode

// The DOM layer's own description of one of its load codes; empty for others.
QString DescribeXmlLoadCode(std::int32_t code);

struct XmlLoadResult
{
    bool ok = true;
    std::int32_t code = 0;
    QString detail; // what went wrong and where, in Russian
    XmlPosition position; // where the first error lies; zeros when it has no place
};

// A DOM document. Move-only: one owner, while nodes taken from it hold their
// own references to the content they came from.
class XmlDocument
{
public:
    // Files larger than this are refused rather than read into memory.
    static constexpr qint64 kMaxFileSize = qint64(1) << 30;

    XmlDocument() = default;
    XmlDocument(XmlDocument &&) noexcept = default;
    XmlDocument &operator=(XmlDocument &&) noexcept = default;
    XmlDocument(const XmlDocument &) = delete;
    XmlDocument &operator=(const XmlDocument &) = delete;

    // A new, empty document.
    static XmlDocument Create();

    bool IsNull() const noexcept { return !m_Data; }

    // Appends a processing instruction to the document; null on failure.
    XmlNode AppendProcessingInstruction(QStringView target, QStringView data);

    // Replaces the whole content with the parsed file, decoded by its own
    // byte order mark or declaration. The file is opened for reading only and
    // nothing else is ever opened: external entities and subsets are refused.
    // Nodes taken before keep the content they came from. On failure the
    // document is left empty.
    XmlLoadResult Load(const QString &path);
    // The same for bytes already in memory.
    XmlLoadResult LoadFromBytes(QByteArray bytes);

    XmlNode GetFirstChild() const;

    // What the content holds and the memory it takes, for measurements.
    struct Footprint
    {
        std::uint32_t nodes = 0, attributes = 0, names = 0;
        std::size_t valueBytes = 0, bytesReserved = 0;
    };
    Footprint GetFootprint() const;

private:
    XmlContentRef m_Data;
};
