#pragma once

#include <cstdint>

// Pixel geometry of the table view's client area: origin top left, y downwards.
struct Point
{
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const Point &, const Point &) = default;
};

struct Size
{
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    friend bool operator==(const Size &, const Size &) = default;
};

// right and bottom lie outside; all zeros is the empty rectangle.
struct Rect
{
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool Contains(std::int32_t x, std::int32_t y) const noexcept
    {
        return left <= x && x < right && top <= y && y < bottom;
    }
    void Offset(std::int32_t dx, std::int32_t dy) noexcept
    {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    std::int32_t Width() const noexcept { return right - left; }
    std::int32_t Height() const noexcept { return bottom - top; }
    friend bool operator==(const Rect &, const Rect &) = default;
};

// 0x00BBGGRR, red in the low byte.
using Colour = std::uint32_t;

constexpr Colour MakeColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) noexcept
{
    return Colour(red) | Colour(green) << 8 | Colour(blue) << 16;
}
constexpr std::uint8_t RedOf(Colour c) noexcept { return std::uint8_t(c); }
constexpr std::uint8_t GreenOf(Colour c) noexcept { return std::uint8_t(c >> 8); }
constexpr std::uint8_t BlueOf(Colour c) noexcept { return std::uint8_t(c >> 16); }

constexpr Colour kWhite = 0xFFFFFF;
