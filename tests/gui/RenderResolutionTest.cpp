// --render and --dump-layout for a screen of another resolution: the fonts,
// the fitting and the pixels are those of a window on such a screen.

#include "tests/cli/CliTestSupport.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/TempDir.h"
#include "views/QPainterSurface.h"

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>

namespace {

// One street whose caption reaches past the window; at 200x97 its tiles are 50 x 32.
const QByteArray kOneStreet = R"(<?xml version="1.0" encoding="UTF-8"?>
<PULT><DISP Name="П"><STREET Name="ул. Жукова">
  <HOME Name="д. 12А"><LIFT Name="1" ID="1"/><LIFT Name="2" ID="2"/></HOME>
  <HOME Name="д. 7 корп. 2"><LIFT Name="1" ID="3"/></HOME>
</STREET></DISP></PULT>
)";

// Without --dpi for 96, the default.
QStringList LayoutArguments(const QString &file, int dpi)
{
    QStringList arguments{QStringLiteral("--point"), QStringLiteral("П"), QStringLiteral("--mode"),
                          QStringLiteral("streets"), QStringLiteral("--size"), QStringLiteral("200x97"), file};
    if (dpi != 96)
        arguments << QStringLiteral("--dpi") << QString::number(dpi);
    return arguments;
}

// The bounding box of what is not the frame's white inside the caption's
// visible part, past the frame's rounded corner.
QRect CaptionInk(const QImage &image)
{
    QRect ink;
    for (int y = 7; y < 32; ++y)
        for (int x = 3; x < 198; ++x)
            if (image.pixel(x, y) != QColor(Qt::white).rgb())
                ink |= QRect(x, y, 1, 1);
    return ink;
}

// The caption as the surface draws it in the large font of the given cell height.
QRect ExpectedCaptionInk(std::int32_t cellHeight)
{
    QImage image(200, 97, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QPainterSurface surface(painter);
        surface.SelectFont({cellHeight, 800, QStringLiteral("Arial")});
        surface.DrawText(QStringLiteral("Жукова"), {1, 4, 248, 32},
                         TextFlags::SingleLine | TextFlags::VCenter | TextFlags::EndEllipsis | TextFlags::Transparent,
                         {2, 6, 198, 95});
    }
    return CaptionInk(image);
}

struct ResolutionCase
{
    std::string name;
    int dpi;
    int large; // the fonts the table takes for tiles 32 high
    int small;
    friend void PrintTo(const ResolutionCase &c, std::ostream *os) { *os << c.name; }
};

using RenderResolution = ::testing::TestWithParam<ResolutionCase>;

TEST_P(RenderResolution, ChoosesFontsAndPaintsAsAWindowOnSuchAScreen)
{
    const ResolutionCase &c = GetParam();
    TempDir dir;
    const QString file = dir.Write(QStringLiteral("one.xml"), kOneStreet);

    const KorvixRun dump = RunKorvix(QStringList{QStringLiteral("--dump-layout")} + LayoutArguments(file, c.dpi));
    ASSERT_TRUE(dump.finished);
    ASSERT_EQ(dump.exitCode, 0) << dump.err.toStdString();
    const QJsonObject layout = QJsonDocument::fromJson(dump.out).object();
    ASSERT_EQ(layout.value(QStringLiteral("tile")).toArray(), (QJsonArray{50, 32}));
    EXPECT_EQ(layout.value(QStringLiteral("dpi")).toInt(), c.dpi);
    const QJsonObject fonts = layout.value(QStringLiteral("fonts")).toObject();
    EXPECT_EQ(fonts.value(QStringLiteral("large")).toInt(), c.large);
    EXPECT_EQ(fonts.value(QStringLiteral("small")).toInt(), c.small);
    const QJsonArray houses =
        layout.value(QStringLiteral("streets")).toArray().at(0).toObject().value(QStringLiteral("houses")).toArray();
    ASSERT_EQ(houses.size(), 2);
    EXPECT_FALSE(houses.at(1).toObject().value(QStringLiteral("lines")).toArray().isEmpty());

    const QString png = dir.FilePath(QStringLiteral("table.png"));
    const KorvixRun render =
        RunKorvix(QStringList{QStringLiteral("--render"), png} + LayoutArguments(file, c.dpi));
    ASSERT_TRUE(render.finished);
    ASSERT_EQ(render.exitCode, 0) << render.err.toStdString();
    const QImage image(png);
    ASSERT_EQ(image.size(), QSize(200, 97));
    const QRect ink = CaptionInk(image);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_EQ(ink, ExpectedCaptionInk(c.large));
    EXPECT_NE(ink, ExpectedCaptionInk(c.dpi == 96 ? 23 : 19));
}

INSTANTIATE_TEST_SUITE_P(Screens, RenderResolution,
                         ::testing::Values(ResolutionCase{"Default96", 96, 19, 14},
                                           ResolutionCase{"Dpi120", 120, 23, 18}),
                         CaseName<ResolutionCase>);

} // namespace
