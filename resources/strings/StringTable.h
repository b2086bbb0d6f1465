#pragma once

#include "resources/strings/TextId.h"

#include <QStringView>

#include <cstddef>
#include <initializer_list>
#include <optional>

// The program's user-visible texts (Russian, language 1049).
class StringTable
{
public:
    // The text of an entry, or nothing when the table has no such entry.
    static std::optional<QStringView> Find(TextId id);
    // The same by number, for ids that come from outside the catalogue (a
    // command's number names its prompt).
    static std::optional<QStringView> Find(int id);

    // While alive, the given entries behave as missing. Lets tests check the
    // fallbacks that a damaged or incomplete resource table would trigger.
    class HiddenEntries
    {
    public:
        HiddenEntries(std::initializer_list<TextId> ids);
        ~HiddenEntries();
        HiddenEntries(const HiddenEntries &) = delete;
        HiddenEntries &operator=(const HiddenEntries &) = delete;

    private:
        std::size_t m_Count = 0;
    };
};
