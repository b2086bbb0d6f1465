#include "layout/CPunct.h"

#include "layout/CHome.h"
#include "layout/CLift.h"
#include "layout/CRoot.h"
#include "layout/CStreet.h"
#include "layout/FitTiles.h"
#include "layout/OrderSort.h"
#include "log/LogFile.h"
#include "model/NodeKind.h"

CPunct::CPunct(CNodeTreeB *parent)
    : CPunctB(parent)
{
}

CPunct::~CPunct() = default;

std::unique_ptr<CStreetB> CPunct::CreateStreet()
{
    return std::make_unique<CStreet>(this);
}

LogFile *CPunct::LayoutLog()
{
    auto *root = dynamic_cast<CRoot *>(GetRoot());
    return root ? root->m_pLog : nullptr;
}

bool CPunct::RePlaseTab(std::int32_t width, std::int32_t height)
{
    if (m_ByProvider) {
        m_Valid = m_AllProvider.RePlaseTab(width, height);
        m_SizeLiftTab = m_AllProvider.m_SizeLiftTab;
        return m_Valid;
    }
    if (m_TwoCol && !m_TwoColPass)
        return PlaceInTwoColumns(width, height);

    LogFile *log = LayoutLog();
    if (log) {
        log->Write(QString());
        log->Write(QStringLiteral("RePlaseTab 1 aSizeWin (%1,%2) ").arg(width).arg(height) + m_Name);
    }
    m_Valid = false;
    std::int32_t demand = 0;
    for (CStreet *street : ChildrenAs<CStreet>(*this)) {
        bool gap = false;
        demand += street->GetTileWidth(gap);
        if (gap)
            ++demand;
    }
    return FitTiles(*this, width, height, demand, [this] { return PlaceStreets(); }, u"RePlaseTab", log);
}

bool CPunct::PlaceInTwoColumns(std::int32_t width, std::int32_t height)
{
    m_TwoColPass = true;
    const auto innerHeight = static_cast<std::int32_t>(static_cast<std::int64_t>(height) * 1950 / 1000);
    const bool ok = RePlaseTab(width / 2, innerHeight);
    if (ok) {
        // Streets reaching below the bottom edge move, as a second column,
        // to the top of the right half.
        const std::int32_t dx = width / 2;
        std::int32_t limit = height;
        bool first = true;
        for (CStreet *street : ChildrenAs<CStreet>(*this)) {
            if (street->m_RectFrame.bottom <= limit)
                continue;
            if (first) {
                limit = street->m_RectFrame.top - 4;
                first = false;
            }
            street->m_RectFrame.Offset(dx, -limit);
            street->m_RectName.Offset(dx, -limit);
            for (CHome *home : ChildrenAs<CHome>(*street)) {
                home->m_Rect.Offset(dx, -limit);
                for (CLift *lift : ChildrenAs<CLift>(*home))
                    lift->m_Rect.Offset(dx, -limit);
            }
        }
    }
    m_TwoColPass = false;
    return m_Valid;
}

int CPunct::PlaceStreets()
{
    const std::int32_t tileW = m_SizeLiftTab.cx;
    const std::int32_t tileH = m_SizeLiftTab.cy;
    m_FitLabels = true;
    std::int32_t row = 1;
    std::int32_t next = 0; // first free column of the current band
    std::int32_t col = 0;  // column of the next cell
    bool prevWrapped = false;
    bool prevGap = false;
    CStreet *prev = nullptr;

    // A band's last frame drops its gap column and reaches 2 pixels further.
    auto closeBand = [&] {
        if (!prev)
            return;
        if (!prevWrapped && prevGap)
            prev->m_RectFrame.right -= tileW;
        prev->m_RectFrame.right += 2;
    };

    for (CStreet *s : ChildrenAs<CStreet>(*this)) {
        bool gap = false;
        const std::int32_t w = s->GetTileWidth(gap);
        if (w == 0)
            continue;
        s->m_RectFrame = {};
        if ((next > 0 && next + w > m_TotalCol) || prevWrapped) {
            next = 0;
            row += 2;
            col = 0;
            closeBand();
        } else if (prev && prevGap) {
            prev->m_RectName.right += tileW; // the caption reaches over the gap column
        }
        const std::int32_t captionRow = row - 1;
        const std::int32_t start = next;
        s->m_RectName = {start * tileW + 1, captionRow * tileH + 4, (start + w) * tileW - 2, row * tileH};

        for (CHome *h : ChildrenAs<CHome>(*s)) {
            if (h->m_Children.empty())
                continue;
            // A house cell never takes the last column of a row.
            std::int32_t c = col;
            if (col + 1 >= m_TotalCol) {
                c = 0;
                ++row;
            }
            h->m_Rect = {c * tileW + 1, row * tileH, (c + 1) * tileW, (row + 1) * tileH};
            col = c + 1;
            for (CLift *l : ChildrenAs<CLift>(*h)) {
                c = col;
                if (col >= m_TotalCol) {
                    c = 0;
                    ++row;
                }
                l->m_Rect = {c * tileW, row * tileH, (c + 1) * tileW, (row + 1) * tileH};
                col = c + 1;
            }
        }

        std::int32_t right;
        if (row == captionRow + 1) {
            next = start + w + (gap ? 1 : 0);
            col = next;
            prevWrapped = false;
            right = next;
        } else {
            prevWrapped = true;
            right = m_TotalCol;
        }
        prevGap = gap;
        s->m_RectFrame = {start * tileW, captionRow * tileH + 4, right * tileW, (row + 1) * tileH + 2};
        prev = s;
    }
    closeBand();
    return row;
}

void CPunct::ApplyTreeOrder(const TreeOrderSource &tree)
{
    FollowTreeOrder<CStreet>(tree, m_TreeItem, *this, NodeKind::Street,
                             [&](CStreet &street, TreeItemHandle) { street.ApplyTreeOrder(tree); });
}

CNodeTreeB *CPunct::HitTest(std::int32_t x, std::int32_t y, Rect *rect) const
{
    if (!m_Valid)
        return nullptr;
    auto found = [&](CNodeTreeB *node, const Rect &r) {
        if (rect)
            *rect = r;
        return node;
    };
    for (CStreet *street : ChildrenAs<CStreet>(*this)) {
        if (street->m_RectName.Contains(x, y))
            return found(street, street->m_RectName);
        for (CHome *home : ChildrenAs<CHome>(*street)) {
            if (home->m_Rect.Contains(x, y))
                return found(home, home->m_Rect);
            for (CLift *lift : ChildrenAs<CLift>(*home)) {
                if (lift->m_Rect.Contains(x, y))
                    return found(lift, lift->m_Rect);
            }
        }
    }
    return nullptr;
}

CStreet *CPunct::HitTestStreet(std::int32_t x, std::int32_t y) const
{
    if (!m_Valid)
        return nullptr;
    for (CStreet *street : ChildrenAs<CStreet>(*this)) {
        if (street->m_RectFrame.Contains(x, y))
            return street;
    }
    return nullptr;
}
