#pragma once

#include "model/xml/XmlDocument.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <string_view>
#include <vector>

// The storage behind XmlDocument: nodes and attributes in blocks that never
// move (no copy when they grow, so the peak stays near the final size), every
// name once, every value once in a byte arena. Text is kept as UTF-8, as the
// parser delivers it; nothing is decoded until a reader asks for it.
namespace compact_dom {

constexpr std::uint32_t kNone = 0xFFFFFFFFu;

// Trivial, so that a new block is not written before it is used: its pages
// cost nothing until then.
struct Node
{
    std::uint32_t name; // elements and processing instructions; kNone for others
    std::uint32_t firstChild;
    std::uint32_t nextSibling;
    std::uint32_t firstAttribute;
    std::uint32_t line; // of the start tag, 1-based; 0 when unknown
    std::uint32_t column;

    static Node Make(XmlNodeType type) noexcept
    {
        Node n;
        n.name = n.firstChild = n.nextSibling = kNone;
        n.firstAttribute = n.line = n.column = 0;
        n.m_TypeAndCount = static_cast<std::uint32_t>(type) << 24;
        return n;
    }

    XmlNodeType Type() const noexcept { return static_cast<XmlNodeType>(m_TypeAndCount >> 24); }
    std::uint32_t AttributeCount() const noexcept { return m_TypeAndCount & 0xFFFFFFu; }
    // At most Dom::kMaxAttributes.
    void SetAttributeCount(std::uint32_t count) noexcept { m_TypeAndCount = (m_TypeAndCount & 0xFF000000u) | count; }

private:
    std::uint32_t m_TypeAndCount; // both in one word: a node is 28 bytes
};

struct Attribute
{
    const char *value;
    std::uint32_t length;
    std::uint32_t name;
};

struct Name
{
    const char *text; // NUL-terminated
    std::uint32_t length;
};

// Append-only array in fixed blocks; a run reserved with Reserve() never
// crosses a block, so its elements can be walked as one span.
template <class T, unsigned BlockBits>
class BlockArray
{
public:
    static constexpr std::uint32_t kBlockSize = 1u << BlockBits;

    std::uint32_t Size() const noexcept { return m_Size; }
    T &operator[](std::uint32_t i) noexcept { return m_Blocks[i >> BlockBits][i & (kBlockSize - 1)]; }
    const T &operator[](std::uint32_t i) const noexcept { return m_Blocks[i >> BlockBits][i & (kBlockSize - 1)]; }

    // Index of the first of `count` consecutive new elements.
    std::uint32_t Reserve(std::uint32_t count)
    {
        const std::uint32_t offset = m_Size & (kBlockSize - 1);
        if (m_Size == m_Capacity || offset + count > kBlockSize) {
            if (count > kBlockSize)
                throw std::bad_alloc();
            if (m_Capacity > 0xFFFFFFFFu - kBlockSize)
                throw std::bad_alloc();
            m_Blocks.push_back(std::make_unique_for_overwrite<T[]>(kBlockSize));
            m_Size = m_Capacity;
            m_Capacity += kBlockSize;
        }
        const std::uint32_t first = m_Size;
        m_Size += count;
        return first;
    }

    std::size_t BytesReserved() const noexcept { return m_Blocks.size() * sizeof(T) * kBlockSize; }

private:
    std::vector<std::unique_ptr<T[]>> m_Blocks;
    std::uint32_t m_Size = 0;
    std::uint32_t m_Capacity = 0;
};

// Bytes that stay where they were put for the document's lifetime.
class ByteArena
{
public:
    const char *Store(const char *data, std::size_t length, bool terminate = false)
    {
        const std::size_t need = length + (terminate ? 1 : 0);
        char *out;
        if (need > kBlockSize / 4) {
            // A large value has a block of its own; the current one goes on.
            m_Blocks.push_back(std::make_unique_for_overwrite<char[]>(need));
            m_Reserved += need;
            out = m_Blocks.back().get();
            Copy(out, data, length, terminate);
            return out;
        }
        if (need > m_Left) {
            m_Blocks.push_back(std::make_unique_for_overwrite<char[]>(kBlockSize));
            m_Next = m_Blocks.back().get();
            m_Left = kBlockSize;
            m_Reserved += kBlockSize;
        }
        out = m_Next;
        Copy(out, data, length, terminate);
        m_Next += need;
        m_Left -= need;
        return out;
    }

    std::size_t BytesReserved() const noexcept { return m_Reserved; }

private:
    static void Copy(char *out, const char *data, std::size_t length, bool terminate)
    {
        if (length)
            std::memcpy(out, data, length);
        if (terminate)
            out[length] = '\0';
    }

    static constexpr std::size_t kBlockSize = std::size_t(1) << 20;
    std::vector<std::unique_ptr<char[]>> m_Blocks;
    char *m_Next = nullptr;
    std::size_t m_Left = 0;
    std::size_t m_Reserved = 0;
};

class Dom
{
    using NodeArray = BlockArray<Node, 14>;
    using AttributeArray = BlockArray<Attribute, 16>;

public:
    Dom()
    {
        const std::uint32_t document = m_Nodes.Reserve(1);
        m_Nodes[document] = Node::Make(XmlNodeType::Document);
    }

    static constexpr std::uint32_t kDocument = 0;

    const Node &NodeAt(std::uint32_t i) const noexcept { return m_Nodes[i]; }
    Node &NodeAt(std::uint32_t i) noexcept { return m_Nodes[i]; }
    const Attribute &AttributeAt(std::uint32_t i) const noexcept { return m_Attributes[i]; }
    Attribute &AttributeAt(std::uint32_t i) noexcept { return m_Attributes[i]; }
    const Name &NameAt(std::uint32_t i) const noexcept { return m_Names[i]; }

    std::uint32_t AddNode(XmlNodeType type)
    {
        const std::uint32_t i = m_Nodes.Reserve(1);
        m_Nodes[i] = Node::Make(type);
        return i;
    }
    // One element's attributes at most: they are kept side by side.
    static constexpr std::uint32_t kMaxAttributes = AttributeArray::kBlockSize;
    std::uint32_t ReserveAttributes(std::uint32_t count) { return count ? m_Attributes.Reserve(count) : 0; }
    std::uint32_t AddName(std::string_view text)
    {
        m_Names.push_back({m_Arena.Store(text.data(), text.size(), true), static_cast<std::uint32_t>(text.size())});
        return static_cast<std::uint32_t>(m_Names.size() - 1);
    }
    const char *StoreValue(const char *data, std::size_t length)
    {
        if (length > 0xFFFFFFFFu)
            throw std::bad_alloc();
        m_ValueBytes += length;
        return m_Arena.Store(data, length);
    }

    // What the document holds and what it costs, for the benchmark.
    struct Footprint
    {
        std::uint32_t nodes, attributes, names;
        std::size_t valueBytes, bytesReserved;
    };
    Footprint Measure() const
    {
        return {m_Nodes.Size(), m_Attributes.Size(), static_cast<std::uint32_t>(m_Names.size()), m_ValueBytes,
                m_Nodes.BytesReserved() + m_Attributes.BytesReserved() + m_Arena.BytesReserved()
                    + m_Names.capacity() * sizeof(Name)};
    }

private:
    NodeArray m_Nodes;
    AttributeArray m_Attributes;
    std::vector<Name> m_Names;
    ByteArena m_Arena;
    std::size_t m_ValueBytes = 0;
};

} // namespace compact_dom

struct XmlDocumentData
{
    int references = 0;
    compact_dom::Dom dom;
};
