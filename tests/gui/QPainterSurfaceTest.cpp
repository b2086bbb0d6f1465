// The surface the window paints on: fonts of the asked cell height, frames
// outlined inside their rectangle, and text placed by its flags and kept
// inside its rectangle.

#include "tests/gui/GuiTestSupport.h"
#include "views/QPainterSurface.h"
#include "views/QtConversions.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QWidget>

#include <functional>

namespace {

using namespace TextFlags;
constexpr unsigned kCaption = SingleLine | VCenter | Left;
constexpr unsigned kOneLine = SingleLine | VCenter | Right;
constexpr unsigned kFirstLine = SingleLine | Right;
constexpr unsigned kSecondLine = SingleLine | Bottom | Right;
constexpr unsigned kSecondLineOver = SingleLine | Bottom | Left;

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

// The table's frames are filled row by row instead of stroked: the pixels
// must be the ones the stroke gives, for even and odd sizes down to the
// smallest frame the fast path takes.
TEST(QPainterSurface, TableFramesMatchTheStrokedOutline)
{
    for (const QSize size : {QSize(8, 8), QSize(9, 8), QSize(8, 11), QSize(25, 15), QSize(26, 16), QSize(101, 40)}) {
        QImage filled(120, 60, QImage::Format_RGB32);
        QImage stroked(120, 60, QImage::Format_RGB32);
        filled.fill(Qt::white);
        stroked.fill(Qt::white);
        const Rect rect{5, 7, 5 + size.width(), 7 + size.height()};
        {
            QPainter painter(&filled);
            QPainterSurface surface(painter);
            surface.RoundRect(rect, 6, 6, 0x00FF00, 2, 0x000000);
        }
        {
            QPainter painter(&stroked);
            QPainterSurface::StrokeRoundRect(painter, rect, 6, 6, 0x00FF00, 2, 0x000000);
        }
        for (int y = 0; y < filled.height(); ++y)
            for (int x = 0; x < filled.width(); ++x)
                ASSERT_EQ(filled.pixel(x, y), stroked.pixel(x, y))
                    << size.width() << 'x' << size.height() << " at " << x << ',' << y;
    }
}

TEST(QPainterSurface, FillsTakeTheColourWithRedInTheLowByte)
{
    const Canvas canvas([](DrawingSurface &s) { s.FillRect({20, 20, 40, 30}, 0x336699); });
    EXPECT_EQ(canvas.image.pixelColor(20, 20), QColor(0x99, 0x66, 0x33));
    EXPECT_EQ(canvas.image.pixelColor(39, 29), QColor(0x99, 0x66, 0x33));
    EXPECT_EQ(canvas.image.pixelColor(40, 29), QColor(Qt::white));
    EXPECT_EQ(canvas.image.pixelColor(39, 30), QColor(Qt::white));
}

// Fills reach the image later, all at once: what was painted later must
// still lie on top, and what no fill covers must stay as it was.
TEST(QPainterSurface, LaterPaintingLiesOnTopAndUncoveredPixelsStay)
{
    const QRgb white = QColor(Qt::white).rgb();
    const Canvas canvas([](DrawingSurface &s) {
        s.FillRect({10, 10, 50, 40}, 0x0000ff); // red
        s.FillRect({30, 20, 70, 30}, 0x00ff00); // green, over the red
        s.DrawText(QStringLiteral("Ж"), {80, 10, 110, 40}, kCaption | Transparent);
        s.FillRect({86, 10, 110, 40}, 0xff0000); // blue, over the text's right part
        s.FillRect({60, 50, 70, 60}, 0x0000ff); // a square of its own
    });
    const QImage &image = canvas.image;
    EXPECT_EQ(image.pixelColor(20, 15), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(35, 25), QColor(Qt::green));
    EXPECT_EQ(image.pixelColor(65, 25), QColor(Qt::green));
    EXPECT_EQ(image.pixelColor(45, 35), QColor(Qt::red));
    EXPECT_EQ(image.pixel(55, 15), white); // between the fills of one band
    EXPECT_EQ(image.pixel(5, 5), white);
    EXPECT_EQ(image.pixelColor(65, 55), QColor(Qt::red));
    // The glyph shows left of the blue fill and not at all under it.
    int glyphPixels = 0;
    for (int y = 10; y < 40; ++y) {
        for (int x = 80; x < 110; ++x) {
            const QColor c = image.pixelColor(x, y);
            if (x >= 86)
                EXPECT_EQ(c, QColor(Qt::blue)) << x << "," << y;
            else if (c != QColor(Qt::white))
                ++glyphPixels;
        }
    }
    EXPECT_GT(glyphPixels, 0);
}

struct InsideCase
{
    std::string name;
    QString text;
    Rect box;
    friend void PrintTo(const InsideCase &c, std::ostream *os) { *os << c.name; }
};

using TextInside = ::testing::TestWithParam<InsideCase>;

// Whatever font the glyphs come from, nothing is drawn outside the rectangle.
TEST_P(TextInside, ItsRectangle)
{
    const InsideCase &c = GetParam();
    const Canvas canvas([&](DrawingSurface &s) {
        s.SetTextBackground(0x0000FF);
        s.DrawText(c.text, c.box, kOneLine);
    });
    const QRect ink = canvas.Ink();
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_TRUE(ToQRect(c.box).contains(ink)) << ink.x() << ',' << ink.y() << ' ' << ink.width() << 'x' << ink.height();
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextInside,
    ::testing::Values(InsideCase{"TooWide", QStringLiteral("ЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖ"), {10, 10, 50, 40}},
                      InsideCase{"TooHigh", QStringLiteral("Жу"), {10, 10, 50, 18}},
                      // Not in Arial: drawn from a fallback font, whose measure is not ours.
                      InsideCase{"FromAFallbackFont", QStringLiteral("☎☎ 12 ☎☎☎☎☎☎"), {10, 10, 50, 40}},
                      InsideCase{"Emoji", QString::fromUcs4(U"\U0001F680\U0001F680 7\U0001F680\U0001F680"),
                                 {10, 10, 40, 40}}),
    CaseName<InsideCase>);

TEST(QPainterSurface, TextIsOpaqueOnTheBackgroundColour)
{
    const Canvas canvas([&](DrawingSurface &s) {
        s.SetTextBackground(0x0000FF);
        s.DrawText(QStringLiteral("ЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖ"), {10, 10, 50, 40}, kCaption);
    });
    EXPECT_EQ(canvas.image.pixelColor(10, 25), QColor(0xFF, 0, 0));
}

// The second line of a low cell is drawn over the first without erasing
// its descenders.
TEST(QPainterSurface, TransparentTextKeepsWhatIsUnderIt)
{
    const Rect low{10, 10, 60, 28};
    const QString firstLine = QStringLiteral("рру");
    const QString secondLine = QStringLiteral("корп. 1");
    const Canvas first([&](DrawingSurface &s) { s.DrawText(firstLine, low, SingleLine); });
    const Canvas second([&](DrawingSurface &s) { s.DrawText(secondLine, low, kSecondLineOver); });
    const Canvas both([&](DrawingSurface &s) {
        s.DrawText(firstLine, low, SingleLine);
        s.DrawText(secondLine, low, kSecondLineOver | Transparent);
    });
    const Canvas opaque([&](DrawingSurface &s) {
        s.DrawText(firstLine, low, SingleLine);
        s.DrawText(secondLine, low, kSecondLineOver);
    });
    // The first line's ink where the second line has none.
    const QRgb white = QColor(Qt::white).rgb();
    int ink = 0;
    int kept = 0;
    int erased = 0;
    for (int y = 0; y < first.image.height(); ++y)
        for (int x = 0; x < first.image.width(); ++x)
            if (first.image.pixel(x, y) != white && second.image.pixel(x, y) == white) {
                ++ink;
                kept += both.image.pixel(x, y) == first.image.pixel(x, y);
                erased += opaque.image.pixel(x, y) != first.image.pixel(x, y);
            }
    ASSERT_GT(ink, 0);
    EXPECT_EQ(kept, ink);
    // Without it, the second line's cell would have erased some of them.
    EXPECT_GT(erased, 0);
}

// A line wider than what is seen of its rectangle shows its start and an
// ellipsis, within what is seen, whichever side the rectangle is cut on; a
// line that fits is drawn whole.
struct EllipsisCase
{
    std::string name;
    unsigned flags;
    Rect clip;     // of the rectangle (10, 10, 110, 40)
    Rect seen;     // what of it is seen
    friend void PrintTo(const EllipsisCase &c, std::ostream *os) { *os << c.name; }
};

using EllipsisWhereSeen = ::testing::TestWithParam<EllipsisCase>;

TEST_P(EllipsisWhereSeen, EndsTheCutLine)
{
    const EllipsisCase &c = GetParam();
    const QString line = QStringLiteral("Бескудниковский бульвар");
    const Rect rect{10, 10, 110, 40};
    QString shown;
    const Canvas elided([&](DrawingSurface &s) {
        s.DrawText(line, rect, c.flags | EndEllipsis, c.clip);
        shown = static_cast<QPainterSurface &>(s).ShownText(line, c.seen.right - c.seen.left);
    });
    ASSERT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
    EXPECT_TRUE(line.startsWith(shown.chopped(1))) << shown.toStdString();
    EXPECT_GT(shown.size(), 2);
    // Exactly the shown text, placed in what is seen.
    const Canvas expected([&](DrawingSurface &s) { s.DrawText(shown, c.seen, c.flags); });
    EXPECT_EQ(elided.image, expected.image);
    EXPECT_TRUE(ToQRect(c.seen).contains(elided.Ink()));

    const Canvas fits([&](DrawingSurface &s) { s.DrawText(QStringLiteral("12"), rect, c.flags | EndEllipsis); });
    const Canvas plain([&](DrawingSurface &s) { s.DrawText(QStringLiteral("12"), rect, c.flags); });
    EXPECT_EQ(fits.image, plain.image);
}

INSTANTIATE_TEST_SUITE_P(
    Sides, EllipsisWhereSeen,
    ::testing::Values(EllipsisCase{"LeftAlignedCutOnTheRight", kCaption, {0, 0, 70, 80}, {10, 10, 70, 40}},
                      EllipsisCase{"RightAlignedCutOnTheRight", kOneLine, {0, 0, 70, 80}, {10, 10, 70, 40}},
                      EllipsisCase{"LeftAlignedCutOnTheLeft", kCaption, {40, 0, 120, 80}, {40, 10, 110, 40}},
                      EllipsisCase{"RightAlignedInItsRectangle", kOneLine, {10, 10, 110, 40}, {10, 10, 110, 40}}),
    CaseName<EllipsisCase>);

// A widget painted through the surface, the way the window paints the table
// into its backing store: at an offset, only where it is exposed. With a clip
// of its own the painter never takes the direct fills, which gives the
// reference.
class SurfaceWidget : public QWidget
{
public:
    bool withOwnClip = false;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        if (withOwnClip)
            painter.setClipRect(rect());
        QPainterSurface surface(painter);
        surface.FillRect({0, 0, 120, 80}, 0xE0E0E0);
        surface.RoundRect({4, 4, 100, 70}, 6, 6, 0x00FF00, 2, 0x000000);
        for (int x = 10; x < 90; x += 12)
            surface.FillRect({x, 40, x + 10, 60}, 0xC0C0C0);
        surface.SelectFont(FontSpec{14, 700, QStringLiteral("Arial")});
        surface.DrawText(QStringLiteral("Корпус 12"), {6, 8, 98, 36}, kCaption | EndEllipsis | Transparent);
    }
};

struct RedirectCase
{
    std::string name;
    QPoint offset;
    QRegion exposed;
    friend void PrintTo(const RedirectCase &c, std::ostream *os) { *os << c.name; }
};

using RedirectedPainting = ::testing::TestWithParam<RedirectCase>;

TEST_P(RedirectedPainting, WritesOnlyWhereExposedAtTheWidgetsPlace)
{
    const RedirectCase &c = GetParam();
    SurfaceWidget widget;
    widget.resize(120, 80);
    const auto paint = [&](bool withOwnClip) {
        widget.withOwnClip = withOwnClip;
        QImage image(160, 110, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        widget.render(&image, c.offset, c.exposed, QWidget::DrawChildren);
        return image;
    };
    const QImage direct = paint(false);
    const QImage reference = paint(true);
    // render() puts the exposed part's corner at the offset.
    const QPoint shift = c.offset - c.exposed.boundingRect().topLeft();
    for (int y = 0; y < direct.height(); ++y)
        for (int x = 0; x < direct.width(); ++x) {
            ASSERT_EQ(direct.pixel(x, y), reference.pixel(x, y)) << x << ',' << y;
            if (!c.exposed.contains(QPoint(x, y) - shift)) {
                ASSERT_EQ(direct.pixel(x, y), QColor(Qt::magenta).rgb()) << x << ',' << y;
            }
        }
}

INSTANTIATE_TEST_SUITE_P(
    Exposes, RedirectedPainting,
    ::testing::Values(RedirectCase{"WholeAtTheOrigin", {0, 0}, QRegion(0, 0, 120, 80)},
                      RedirectCase{"WholeAtAnOffset", {13, 7}, QRegion(0, 0, 120, 80)},
                      RedirectCase{"PartAtTheOrigin", {0, 0}, QRegion(30, 20, 40, 30)},
                      RedirectCase{"PartAtAnOffset", {13, 7}, QRegion(30, 20, 40, 30)}),
    CaseName<RedirectCase>);

struct PlacementCase
{
    std::string name;
    unsigned flags;
    // Where the ink must be within a 100 x 60 box at (10, 10).
    std::function<bool(const QRect &ink)> placed;
    friend void PrintTo(const PlacementCase &c, std::ostream *os) { *os << c.name; }
};

using TextPlacement = ::testing::TestWithParam<PlacementCase>;

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
        PlacementCase{"TopRight", kFirstLine, [](const QRect &ink) { return ink.left() > 80 && ink.bottom() < 30; }},
        PlacementCase{"BottomRight", kSecondLine, [](const QRect &ink) { return ink.left() > 80 && ink.top() > 50; }},
        PlacementCase{"BottomLeft", kSecondLineOver, [](const QRect &ink) { return ink.left() < 30 && ink.top() > 50; }}),
    CaseName<PlacementCase>);

} // namespace
