#pragma once

#include "model/ErrorXML.h"
#include "model/NodeKind.h"
#include "model/xml/XmlDocument.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <memory>
#include <vector>

class AttributeSource;
class CNodeTreeB;
class CPunctB;
class CRootB;

// Base of every structure node: name, parent, the XML element it was read
// from, IdDB and a modified flag.
class CNodeB
{
public:
    virtual ~CNodeB();
    CNodeB(const CNodeB &) = delete;
    CNodeB &operator=(const CNodeB &) = delete;

    virtual NodeKind GetKind() const = 0;
    // Two text queries that no node of this program answers.
    virtual QString GetInfoText() const;
    virtual QString GetExtraText() const;
    // Reads the node from its element; failures throw ErrorXML. Here: IdDB.
    virtual void XMLLoad(const XmlNode &node);
    // Writing back into the element; Korvix never writes a structure file.
    virtual void XMLSave();

    // The top of the parent chain: the console root for any attached node.
    CNodeB *GetTop();
    // The nearest dispatch point, starting with this node; null when none.
    CPunctB *GetPunct();
    // The console root above this node, or null when the chain does not end in one.
    CRootB *GetRoot();

    QString m_Name;
    CNodeTreeB *m_pParent = nullptr;
    XmlNode m_pElem;
    std::int32_t m_IdDB = 0;
    bool m_bModified = false;

protected:
    explicit CNodeB(CNodeTreeB *parent);

    // The first steps of every element reader: keeps the node as the own
    // element and queries its element interface. Throws when it is no element.
    XmlElement BeginElementLoad(const XmlNode &node, QStringView elementName);
    // The last step: IdDB, read in the helper style with default 0.
    void LoadIdDB(const AttributeSource &attributes);
};

// A node with an owned, ordered list of children.
class CNodeTreeB : public CNodeB
{
public:
    explicit CNodeTreeB(CNodeTreeB *parent);
    ~CNodeTreeB() override;

    virtual bool IsModified() const;
    virtual void ClearModified();
    // A notification that no node of this program reacts to.
    virtual void OnNotify(std::intptr_t argument);

    // Destroys every child, empties the name, drops the parent and IdDB.
    void ClearChildren();
    // The first child whose name equals the text exactly (case-sensitive).
    CNodeTreeB *FindChild(QStringView name) const;
    // Sorts the children by name, code unit by code unit, at every level below.
    void SortChildren();
    // Drops the own element of this node and of everything it holds; the
    // nodes themselves stay.
    virtual void ReleaseElements();

    // Every node class derives from CNodeTreeB, so the children are held as such.
    std::vector<std::unique_ptr<CNodeTreeB>> m_Children;
};

// The children of a node seen as their concrete class (the caller knows it:
// a point's children are streets, a street's houses, a house's lifts).
template <class T>
class ChildRange
{
public:
    using Base = std::vector<std::unique_ptr<CNodeTreeB>>::const_iterator;

    class Iterator
    {
    public:
        explicit Iterator(Base it) : m_It(it) {}
        T *operator*() const { return static_cast<T *>(m_It->get()); }
        Iterator &operator++()
        {
            ++m_It;
            return *this;
        }
        friend bool operator==(const Iterator &a, const Iterator &b) { return a.m_It == b.m_It; }

    private:
        Base m_It;
    };

    explicit ChildRange(const std::vector<std::unique_ptr<CNodeTreeB>> &children) : m_Children(children) {}
    Iterator begin() const { return Iterator(m_Children.begin()); }
    Iterator end() const { return Iterator(m_Children.end()); }

private:
    const std::vector<std::unique_ptr<CNodeTreeB>> &m_Children;
};

template <class T>
ChildRange<T> ChildrenAs(const CNodeTreeB &node)
{
    return ChildRange<T>(node.m_Children);
}

// Calls f(node) for each child element of an element, in document order.
template <class F>
void ForEachChildElement(const XmlElement &element, F &&f)
{
    for (XmlNode node = element.GetFirstChild(); !node.IsNull(); node = node.GetNextSibling()) {
        if (node.GetNodeType() != XmlNodeType::Element)
            continue;
        try {
            f(node);
        } catch (ErrorXML &error) {
            // An error while reading a child lies in that child (or deeper).
            error.AtPosition(node.GetPosition());
            throw;
        }
    }
}
