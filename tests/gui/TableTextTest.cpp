// The bundled example painted as the README shows it: every caption and
// house line is seen whole or ends in an ellipsis, never cut so that it
// reads as another name.

#include "layout/DrawCommand.h"
#include "layout/HeadlessTree.h"
#include "layout/LayoutJson.h"
#include "tests/gui/GuiTestSupport.h"
#include "views/QPainterSurface.h"
#include "views/TablePainter.h"

#include <QImage>
#include <QPainter>

#include <algorithm>

namespace {

// The window's surface, noting what each line shows in what is seen of its
// rectangle; or, as a reference, drawing exactly that text without asking
// for the ellipsis.
class ShownTextSurface : public DrawingSurface
{
public:
    enum class Lines { AsAsked, AsShown };

    struct Line
    {
        QString text;
        QString shown;
        int shownWidth = 0;
        int room = 0;
    };

    ShownTextSurface(QPainter &painter, Lines lines)
        : m_Surface(painter)
        , m_Lines(lines)
    {
    }

    int LogicalDpiY() const override { return m_Surface.LogicalDpiY(); }
    void FillRect(const Rect &rect, Colour colour) override { m_Surface.FillRect(rect, colour); }
    void RoundRect(const Rect &rect, int ellipseW, int ellipseH, Colour fill, int penWidth, Colour pen) override
    {
        m_Surface.RoundRect(rect, ellipseW, ellipseH, fill, penWidth, pen);
    }
    void SelectFont(const FontSpec &font) override { m_Surface.SelectFont(font); }
    void SetTextBackground(Colour colour) override { m_Surface.SetTextBackground(colour); }
    using DrawingSurface::DrawText;
    void DrawText(const QString &text, const Rect &rect, unsigned flags, const Rect &clip) override
    {
        const int room = std::min(rect.right, clip.right) - std::max(rect.left, clip.left);
        const QString shown = (flags & TextFlags::EndEllipsis) ? m_Surface.ShownText(text, room) : text;
        lines.push_back({text, shown, m_Surface.TextWidth(shown), room});
        if (m_Lines == Lines::AsAsked)
            m_Surface.DrawText(text, rect, flags, clip);
        else
            m_Surface.DrawText(shown, rect, flags & ~TextFlags::EndEllipsis, clip);
    }
    int TextWidth(QStringView text) override { return m_Surface.TextWidth(text); }

    std::vector<Line> lines;

private:
    QPainterSurface m_Surface;
    Lines m_Lines;
};

struct Painted
{
    QImage image{900, 560, QImage::Format_RGB32};
    std::vector<ShownTextSurface::Line> lines;
};

Painted PaintTable(CRoot &root, ShownTextSurface::Lines lines)
{
    Painted painted;
    QPainter painter(&painted.image);
    ShownTextSurface surface(painter, lines);
    EXPECT_TRUE(TablePainter::Paint(root, surface, 900, 560));
    painted.lines = surface.lines;
    return painted;
}

using ExampleTable = ::testing::TestWithParam<LayoutMode>;

TEST_P(ExampleTable, ShowsEveryLineWholeOrEndingInAnEllipsis)
{
    TestStructure s;
    s.LoadFile(QStringLiteral(KORVIX_EXAMPLES_DIR "/moskva-sever.xml"));
    HeadlessTree tree;
    tree.Fill(*s.root);
    CPunct &point = PointNamed(*s.root, QStringLiteral("ОДС-1 Бескудниково"));
    s.root->m_CurPunct = &point;
    SetLayoutMode(point, GetParam());
    ASSERT_TRUE(point.RePlaseTab(900, 560));

    const Painted asked = PaintTable(*s.root, ShownTextSurface::Lines::AsAsked);
    // The window draws exactly what it shows: the start of a cut line and its ellipsis.
    EXPECT_EQ(asked.image, PaintTable(*s.root, ShownTextSurface::Lines::AsShown).image);

    ASSERT_FALSE(asked.lines.empty());
    int cut = 0;
    for (const ShownTextSurface::Line &line : asked.lines) {
        SCOPED_TRACE(line.text.toStdString() + " shown as " + line.shown.toStdString());
        if (line.shown == line.text) {
            EXPECT_LE(line.shownWidth, line.room);
            continue;
        }
        ++cut;
        ASSERT_TRUE(line.shown.endsWith(QChar(0x2026)));
        EXPECT_TRUE(line.text.startsWith(line.shown.chopped(1)));
        if (line.shown.size() > 1) {
            EXPECT_LE(line.shownWidth, line.room);
        }
    }
    // At this size some second lines («пус 12» of «Корпус 12») do not fit.
    if (GetParam() != LayoutMode::Controller) {
        EXPECT_GT(cut, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, ExampleTable,
                         ::testing::Values(LayoutMode::Streets, LayoutMode::TwoColumns, LayoutMode::Controller),
                         [](const auto &param) { return LayoutModeName(param.param).replace(u'-', u'_').toStdString(); });

} // namespace
