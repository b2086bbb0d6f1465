#include "model/ValueParsing.h"

#include "model/WideSpace.h"

#include <limits>

namespace {

struct AsciiText
{
    std::string_view s;
    qsizetype size() const { return static_cast<qsizetype>(s.size()); }
    char16_t at(qsizetype i) const { return static_cast<unsigned char>(s[static_cast<std::size_t>(i)]); }
};

struct WideText
{
    QStringView s;
    qsizetype size() const { return s.size(); }
    char16_t at(qsizetype i) const { return s[i].unicode(); }
};

template <typename Text>
std::optional<std::int64_t> ParseBounded(const Text &text, std::int64_t min, std::int64_t max, bool *overflow)
{
    if (overflow)
        *overflow = false;
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsWideSpace(text.at(begin)))
        ++begin;
    while (end > begin && IsWideSpace(text.at(end - 1)))
        --end;
    bool negative = false;
    if (begin < end && (text.at(begin) == u'+' || text.at(begin) == u'-')) {
        negative = text.at(begin) == u'-';
        ++begin;
    }
    if (begin == end)
        return std::nullopt;
    std::int64_t value = 0;
    bool tooBig = false;
    for (qsizetype i = begin; i < end; ++i) {
        const char16_t c = text.at(i);
        if (c < u'0' || c > u'9')
            return std::nullopt;
        if (!tooBig) {
            value = value * 10 + (c - u'0');
            tooBig = value > (std::int64_t(1) << 40);
        }
    }
    if (negative)
        value = -value;
    if (tooBig || value < min || value > max) {
        if (overflow)
            *overflow = true;
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<std::int32_t> ParseInt32(QStringView text, bool *overflow)
{
    const auto v = ParseBounded(WideText{text}, std::numeric_limits<std::int32_t>::min(),
                                std::numeric_limits<std::int32_t>::max(), overflow);
    if (!v)
        return std::nullopt;
    return static_cast<std::int32_t>(*v);
}

std::optional<std::int32_t> ParseInt32(std::string_view ascii, bool *overflow)
{
    const auto v = ParseBounded(AsciiText{ascii}, std::numeric_limits<std::int32_t>::min(),
                                std::numeric_limits<std::int32_t>::max(), overflow);
    if (!v)
        return std::nullopt;
    return static_cast<std::int32_t>(*v);
}

std::optional<std::uint32_t> ParseUInt32(QStringView text, bool *overflow)
{
    const auto v = ParseBounded(WideText{text}, 0, std::numeric_limits<std::uint32_t>::max(), overflow);
    if (!v)
        return std::nullopt;
    return static_cast<std::uint32_t>(*v);
}

int ScanIntegers(QStringView text, char16_t separator, std::int32_t *out, int count)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    for (int read = 0; read < count; ++read) {
        if (read > 0) {
            if (i >= n || text[i].unicode() != separator)
                return read;
            ++i;
        }
        // scanf's %d skips the C locale's white space.
        while (i < n && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r')))
            ++i;
        bool negative = false;
        if (i < n && (text[i] == u'+' || text[i] == u'-')) {
            negative = text[i] == u'-';
            ++i;
        }
        if (i >= n || text[i] < u'0' || text[i] > u'9')
            return read;
        // Digits beyond the range wrap around, as the C runtime's conversion did.
        std::uint32_t value = 0;
        while (i < n && text[i] >= u'0' && text[i] <= u'9') {
            value = value * 10u + static_cast<std::uint32_t>(text[i].unicode() - u'0');
            ++i;
        }
        out[read] = static_cast<std::int32_t>(negative ? 0u - value : value);
    }
    return count;
}
