#pragma once

#include "layout/TileGrid.h"
#include "model/Geometry.h"

#include <QString>

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

class CLift;
class CPunct;

enum class ProviderKind : std::int32_t { Controller = 1, Pro = 2, Direct = 3 };

// One group of the layout by controller: the lifts of one line controller,
// of the Pro connection, or of the Direct group.
class Provider
{
public:
    explicit Provider(ProviderKind kind) : m_Kind(kind) {}

    // The caption: "SubNet:UM:Slot", "Pro" or "Direct".
    QString GetName() const;
    // The caption's length in characters, without building it: the layout
    // asks on every pass and must not allocate.
    qsizetype NameLength() const;

    ProviderKind m_Kind;
    std::int32_t m_SubNet = 0;
    std::int32_t m_UM = 0;
    std::int32_t m_Slot = 0;
    std::vector<CLift *> m_Lifts; // not owned
    Rect m_RectName;
    Rect m_RectFrame;
    Colour m_Color = kWhite;
};

// A dispatch point's lifts grouped by their connection, and the layout of
// those groups.
class AllProvider : public TileGrid
{
public:
    // Keys of the two groups that are not controllers.
    static constexpr std::int64_t kProKey = std::int64_t(1) << 32;
    static constexpr std::int64_t kDirectKey = std::int64_t(2) << 32;

    explicit AllProvider(CPunct &owner) : m_pOwner(&owner) {}

    // Regroups the lifts of the point, in its child-list order.
    void FillProviders(CPunct &point);
    // Lays the groups out for a client area of width x height.
    bool RePlaseTab(std::int32_t width, std::int32_t height);
    // The placement pass; returns the index of the last tile row used.
    int PlaceProviders();

    static std::int64_t ControllerKey(std::int32_t subNet, std::int32_t um, std::int32_t slot);

    std::map<std::int64_t, std::unique_ptr<Provider>> m_Providers;

private:
    std::int32_t GroupWidth(const Provider &provider) const;

    CPunct *m_pOwner;
};
