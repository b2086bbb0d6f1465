// The surface the window paints on: fonts of the asked cell height, frames
// outlined inside their rectangle, and text placed by its flags and kept
// inside its rectangle.

#include "GuiTestSupport.h"
#include "QPainterSurface.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <functional>

namespace {

constexpr unsigned kCaption = 0x24;
constexpr unsigned kOneLine = 0x26;
constexpr unsigned kSecondLine = 0x2A;

// A white image painted through the surface.
struct Canvas
{
    QImage image{120, 80, QImage::Format_RGB32};

    template <class Paint>
    explicit Canvas(Paint paint)
    {
        image.fill(Qt::white);
        QPainter painter(&image);
        QPainterSurface surface(painter);
        surface.SelectFont(FontSpec{14, 700, QStringLiteral("Arial")});
        paint(surface);
    }

    // The bounding box of every pixel that is neither white nor `ignore`.
    QRect Ink(QColor ignore = Qt::white) const
    {
        QRect ink;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c != QColor(Qt::white) && c != ignore)
                    ink |= QRect(x, y, 1, 1);
            }
        return ink;
    }
};

TEST(QPainterSurface, FontsHaveTheAskedCellHeight)
{
    for (int cell : {14, 18, 19, 23, 46, 74}) {
        for (int weight : {700, 800}) {
            const QFontMetricsF metrics(QPainterSurface::FontForCellHeight({cell, weight, QStringLiteral("Arial")}));
            EXPECT_NEAR(metrics.ascent() + metrics.descent(), cell, 1.0) << cell << " px, weight " << weight;
        }
    }
}

TEST(QPainterSurface, FramesAreOutlinedInsideTheirRectangle)
{
    const Canvas canvas([](DrawingSurface &s) { s.RoundRect({10, 10, 90, 50}, 6, 6, 0x00FF00, 2, 0x000000); });
    const QImage &image = canvas.image;
    // Straight edges: two black pixels inside the rectangle, white outside.
    EXPECT_EQ(image.pixelColor(9, 30), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(10, 30), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(11, 30), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(12, 30), QColor(0, 0xFF, 0));
    EXPECT_EQ(image.pixelColor(50, 30), QColor(0, 0xFF, 0));
    EXPECT_EQ(image.pixelColor(89, 30), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(90, 30), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(50, 49), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(50, 50), QColor(Qt::white));
    // Rounded corners leave the corner pixel itself unpainted.
    EXPECT_EQ(image.pixelColor(10, 10), QColor(Qt::white));
}

TEST(QPainterSurface, FillsTakeTheColourWithRedInTheLowByte)
{
    const Canvas canvas([](DrawingSurface &s) { s.FillRect({20, 20, 40, 30}, 0x336699); });
    EXPECT_EQ(canvas.image.pixelColor(20, 20), QColor(0x99, 0x66, 0x33));
    EXPECT_EQ(canvas.image.pixelColor(39, 29), QColor(0x99, 0x66, 0x33));
    EXPECT_EQ(canvas.image.pixelColor(40, 29), QColor(Qt::white));
    EXPECT_EQ(canvas.image.pixelColor(39, 30), QColor(Qt::white));
}

TEST(QPainterSurface, TextStaysInsideItsRectangle)
{
    const Rect box{10, 10, 50, 40};
    const Canvas canvas([&](DrawingSurface &s) {
        s.SetTextBackground(0x0000FF);
        s.DrawText(QStringLiteral("ЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖ"), box, kCaption);
    });
    const QRect ink = canvas.Ink();
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_TRUE(QRect(10, 10, 40, 30).contains(ink)) << ink.x() << ',' << ink.y() << ' ' << ink.width() << 'x' << ink.height();
    // Drawn opaque on the background colour.
    EXPECT_EQ(canvas.image.pixelColor(10, 25), QColor(0xFF, 0, 0));
}

struct PlacementCase
{
    std::string name;
    unsigned flags;
    // Where the ink must be within a 100 x 60 box at (10, 10).
    std::function<bool(const QRect &ink)> placed;
    friend void PrintTo(const PlacementCase &c, std::ostream *os) { *os << c.name; }
};

class TextPlacement : public ::testing::TestWithParam<PlacementCase>
{
};

TEST_P(TextPlacement, FollowsTheFlags)
{
    const Canvas canvas([](DrawingSurface &s) {
        s.SetTextBackground(0xFFFFFF);
        s.DrawText(QStringLiteral("12"), {10, 10, 110, 70}, GetParam().flags);
    });
    const QRect ink = canvas.Ink();
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_TRUE(GetParam().placed(ink)) << ink.x() << ',' << ink.y() << ' ' << ink.width() << 'x' << ink.height();
}

INSTANTIATE_TEST_SUITE_P(
    Flags, TextPlacement,
    ::testing::Values(
        PlacementCase{"CentredLeft", kCaption,
                      [](const QRect &ink) { return ink.left() < 30 && ink.top() > 20 && ink.bottom() < 60; }},
        PlacementCase{"CentredRight", kOneLine,
                      [](const QRect &ink) { return ink.left() > 80 && ink.top() > 20 && ink.bottom() < 60; }},
        PlacementCase{"TopRight", 0x22, [](const QRect &ink) { return ink.left() > 80 && ink.bottom() < 30; }},
        PlacementCase{"BottomRight", kSecondLine, [](const QRect &ink) { return ink.left() > 80 && ink.top() > 50; }},
        PlacementCase{"BottomLeft", 0x28, [](const QRect &ink) { return ink.left() < 30 && ink.top() > 50; }}),
    CaseName<PlacementCase>);

} // namespace
