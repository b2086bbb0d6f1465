#pragma once

#include <QString>

#include <vector>

class CNodeB;
class CRoot;

// Finds dispatch points, streets, houses and lifts by name, a lift also by
// its ID or GUID (a part of the text, in any case; a GUID with or without
// its braces and hyphens), in the order the tree
// shows them. Built anew for each structure (Reset), once the tree has
// ordered it.
class StructureFinder
{
public:
    void Reset(const CRoot &root);
    void Clear() { m_Order.clear(); }
    bool IsEmpty() const { return m_Order.empty(); }

    struct Found
    {
        const CNodeB *node = nullptr; // null: nothing matches
        bool wrapped = false;         // the search went past the end (or the start)
    };
    // The next match after `from` (or before it, backwards), going round;
    // from null, the first (or the last). `from` itself is found last.
    Found Next(const QString &text, const CNodeB *from, bool forward) const;

private:
    std::vector<const CNodeB *> m_Order;
};
