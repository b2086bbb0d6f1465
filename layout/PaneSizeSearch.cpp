#include "layout/PaneSizeSearch.h"

#include "layout/CPunct.h"
#include "layout/CRoot.h"

#include <algorithm>

namespace {

// The search lays the point out a dozen times: none of that is the user's
// layout, so none of it goes to the log.
class QuietLog
{
public:
    explicit QuietLog(CPunct &point) : m_Root(dynamic_cast<CRoot *>(point.GetRoot()))
    {
        if (m_Root)
            std::swap(m_Log, m_Root->m_pLog);
    }
    ~QuietLog()
    {
        if (m_Root)
            std::swap(m_Log, m_Root->m_pLog);
    }
    QuietLog(const QuietLog &) = delete;
    QuietLog &operator=(const QuietLog &) = delete;

private:
    CRoot *m_Root;
    LogFile *m_Log = nullptr;
};

Size Scaled(std::int32_t width, std::int32_t height, std::int64_t permille)
{
    return {static_cast<std::int32_t>(std::min<std::int64_t>(width * permille / 1000, 100000)),
            static_cast<std::int32_t>(std::min<std::int64_t>(height * permille / 1000, 100000))};
}

} // namespace

std::optional<Size> SmallestPaneFor(CPunct &point, std::int32_t width, std::int32_t height)
{
    QuietLog quiet(point);
    const auto fits = [&](std::int64_t permille) {
        const Size size = Scaled(width, height, permille);
        return point.RePlaseTab(size.cx, size.cy);
    };
    std::optional<Size> found;
    if (width > 0 && height > 0 && fits(64000)) {
        // Within 1 %: the answer is for a person resizing a window.
        std::int64_t low = 1000, high = 64000;
        while (high - low > std::max<std::int64_t>(10, low / 100)) {
            const std::int64_t middle = (low + high) / 2;
            (fits(middle) ? high : low) = middle;
        }
        found = Scaled(width, height, high);
    }
    point.RePlaseTab(width, height);
    return found;
}
