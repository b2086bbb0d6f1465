#pragma once

#include <QString>
#include <QStringView>

#include <string_view>
#include <unordered_set>
#include <vector>

class CNodeB;

// Passes an information message to the console root above the node, if any.
void ShowStructureMessage(CNodeB &node, const QString &text);

// Names of the siblings read so far, for the repeated-name checks: the same
// answer as a search among the children, without the quadratic cost. Holds
// views of the names: the named nodes must outlive it and keep their names.
class SiblingNames
{
public:
    template <class Children>
    explicit SiblingNames(const Children &children)
    {
        for (const auto &child : children)
            Add(child->m_Name);
    }
    // True when the name was already there.
    bool Add(const QString &name);

private:
    static std::u16string_view View(const QString &name)
    {
        return std::u16string_view(reinterpret_cast<const char16_t *>(name.utf16()),
                                   static_cast<std::size_t>(name.size()));
    }

    // Most houses have a handful of lifts: a short list beats hashing.
    static constexpr std::size_t kListLimit = 16;
    std::vector<std::u16string_view> m_List;
    std::unordered_set<std::u16string_view> m_Set;
};
