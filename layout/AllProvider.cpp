#include "layout/AllProvider.h"

#include "layout/CHome.h"
#include "layout/CLift.h"
#include "layout/CPunct.h"
#include "layout/CRoot.h"
#include "layout/CStreet.h"
#include "layout/FitTiles.h"
#include "log/LogFile.h"

#include <algorithm>

QString Provider::GetName() const
{
    switch (m_Kind) {
    case ProviderKind::Controller:
        return QStringLiteral("%1:%2:%3").arg(m_SubNet).arg(m_UM).arg(m_Slot);
    case ProviderKind::Pro:
        return QStringLiteral("Pro");
    case ProviderKind::Direct:
        return QStringLiteral("Direct");
    }
    return {};
}

namespace {

qsizetype DecimalLength(std::int32_t value)
{
    qsizetype length = value < 0 ? 2 : 1;
    for (std::int64_t rest = value < 0 ? -static_cast<std::int64_t>(value) : value; rest >= 10; rest /= 10)
        ++length;
    return length;
}

} // namespace

qsizetype Provider::NameLength() const
{
    switch (m_Kind) {
    case ProviderKind::Controller:
        return DecimalLength(m_SubNet) + DecimalLength(m_UM) + DecimalLength(m_Slot) + 2;
    case ProviderKind::Pro:
        return 3;
    case ProviderKind::Direct:
        return 6;
    }
    return 0;
}

std::int64_t AllProvider::ControllerKey(std::int32_t subNet, std::int32_t um, std::int32_t slot)
{
    const auto low = static_cast<std::int32_t>(static_cast<std::uint32_t>(um) << 8 | static_cast<std::uint32_t>(slot));
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(static_cast<std::int64_t>(subNet)) << 16)
        | static_cast<std::int64_t>(low);
}

void AllProvider::FillProviders(CPunct &point)
{
    m_Providers.clear();
    for (CStreetB *street : ChildrenAs<CStreetB>(point)) {
        for (CHomeB *home : ChildrenAs<CHomeB>(*street)) {
            for (CLift *lift : ChildrenAs<CLift>(*home)) {
                ProviderKind kind;
                std::int64_t key;
                if (lift->m_Direct > 0) {
                    kind = ProviderKind::Direct;
                    key = kDirectKey;
                } else if (lift->IDPro > 0) {
                    kind = ProviderKind::Pro;
                    key = kProKey;
                } else {
                    kind = ProviderKind::Controller;
                    key = ControllerKey(lift->SubNet, lift->UM, lift->Slot);
                }
                auto &slot = m_Providers[key];
                if (!slot) {
                    slot = std::make_unique<Provider>(kind);
                    if (kind == ProviderKind::Controller) {
                        slot->m_SubNet = lift->SubNet;
                        slot->m_UM = lift->UM;
                        slot->m_Slot = lift->Slot;
                    }
                }
                slot->m_Lifts.push_back(lift);
            }
        }
    }
    for (auto &[key, provider] : m_Providers) {
        auto &lifts = provider->m_Lifts;
        switch (provider->m_Kind) {
        case ProviderKind::Direct:
            std::sort(lifts.begin(), lifts.end(), [](const CLift *a, const CLift *b) { return a->m_Direct < b->m_Direct; });
            break;
        case ProviderKind::Pro:
            std::sort(lifts.begin(), lifts.end(), [](const CLift *a, const CLift *b) { return a->IDPro < b->IDPro; });
            break;
        case ProviderKind::Controller:
            std::sort(lifts.begin(), lifts.end(), [](const CLift *a, const CLift *b) { return a->Addr < b->Addr; });
            break;
        }
    }
}

std::int32_t AllProvider::GroupWidth(const Provider &provider) const
{
    return std::max(static_cast<std::int32_t>(provider.m_Lifts.size()), CaptionTiles(provider.NameLength()));
}

bool AllProvider::RePlaseTab(std::int32_t width, std::int32_t height)
{
    LogFile *log = m_pOwner->LayoutLog();
    if (log) {
        log->Write(QString());
        log->Write(QStringLiteral("AllProvider::RePlaseTab 1 aSizeWin (%1,%2) ").arg(width).arg(height));
    }
    m_Valid = false;
    std::int32_t demand = 0;
    for (const auto &[key, provider] : m_Providers)
        demand += GroupWidth(*provider);
    return FitTiles(*this, width, height, demand, [this] { return PlaceProviders(); },
                    u"AllProvider::RePlaseTab", log);
}

int AllProvider::PlaceProviders()
{
    const std::int32_t tileW = m_SizeLiftTab.cx;
    const std::int32_t tileH = m_SizeLiftTab.cy;
    std::int32_t row = 1;
    std::int32_t next = 0;
    std::int32_t col = 0;
    bool prevWrapped = false;
    Provider *prev = nullptr;
    for (auto &[key, p] : m_Providers) {
        const std::int32_t w = GroupWidth(*p);
        p->m_RectFrame = {};
        if ((next > 0 && next + w > m_TotalCol) || prevWrapped) {
            next = 0;
            row += 2;
            col = 0;
            if (prev)
                prev->m_RectFrame.right += 2;
        }
        const std::int32_t captionRow = row - 1;
        const std::int32_t start = next;
        p->m_RectName = {start * tileW + 1, captionRow * tileH + 4, (start + w) * tileW - 2, row * tileH};
        for (CLift *lift : p->m_Lifts) {
            std::int32_t c = col;
            if (col >= m_TotalCol) {
                c = 0;
                ++row;
            }
            lift->m_Rect = {c * tileW, row * tileH, (c + 1) * tileW, (row + 1) * tileH};
            col = c + 1;
        }
        std::int32_t right;
        if (row == captionRow + 1) {
            prevWrapped = false;
            next = start + w;
            col = next;
            right = next;
        } else {
            prevWrapped = true;
            right = m_TotalCol;
        }
        p->m_RectFrame = {start * tileW, captionRow * tileH + 4, right * tileW, (row + 1) * tileH + 2};
        prev = p.get();
    }
    if (prev)
        prev->m_RectFrame.right += 2;
    return row;
}
