#include "tests/cli/CliTestSupport.h"
#include "tests/support/TempDir.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

QJsonArray Box(int left, int top, int right, int bottom)
{
    return QJsonArray{left, top, right, bottom};
}

QStringList Strings(const QJsonArray &objects, const QString &key)
{
    QStringList values;
    for (const QJsonValue &value : objects)
        values.append(value.toObject().value(key).toString());
    return values;
}

// Runs --dump-layout on the layouts fixture and parses standard output.
struct Dump
{
    KorvixRun run;
    QJsonObject json;
};

Dump DumpLayout(const QString &point, const QString &mode, const QString &size, const QString &file = LayoutsFixture())
{
    Dump dump;
    dump.run = RunKorvix({QStringLiteral("--dump-layout"), QStringLiteral("--point"), point, QStringLiteral("--mode"),
                          mode, QStringLiteral("--size"), size, file});
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(dump.run.out, &error);
    if (error.error == QJsonParseError::NoError && document.isObject())
        dump.json = document.object();
    return dump;
}

// Streets «Ленина», «Тихий» and «Кронштадтский бульвар» in 300 x 240: tiles
// 50 x 40 in six columns, one band each; the street without lifts and the
// house without lifts are left out.
TEST(DumpLayout, ByStreets)
{
    const Dump d = DumpLayout(QStringLiteral("Центр"), QStringLiteral("streets"), QStringLiteral("300x240"));
    ASSERT_TRUE(d.run.finished);
    ASSERT_EQ(d.run.exitCode, 0) << d.run.err.toStdString();
    ASSERT_FALSE(d.json.isEmpty()) << d.run.out.toStdString();
    EXPECT_EQ(d.json.value(QStringLiteral("point")).toString(), QStringLiteral("Центр"));
    EXPECT_EQ(d.json.value(QStringLiteral("mode")).toString(), QStringLiteral("streets"));
    EXPECT_EQ(d.json.value(QStringLiteral("width")).toInt(), 300);
    EXPECT_EQ(d.json.value(QStringLiteral("height")).toInt(), 240);
    EXPECT_TRUE(d.json.value(QStringLiteral("valid")).toBool());
    EXPECT_EQ(d.json.value(QStringLiteral("tile")).toArray(), (QJsonArray{50, 40}));
    EXPECT_EQ(d.json.value(QStringLiteral("cols")).toInt(), 6);
    EXPECT_EQ(d.json.value(QStringLiteral("rows")).toInt(), 6);
    EXPECT_TRUE(d.json.value(QStringLiteral("providers")).toArray().isEmpty());

    const QJsonArray streets = d.json.value(QStringLiteral("streets")).toArray();
    ASSERT_EQ(Strings(streets, QStringLiteral("name")),
              (QStringList{QStringLiteral("пер. Ленина"), QStringLiteral("пер. Тихий"),
                           QStringLiteral("ул. Кронштадтский бульвар")}));
    EXPECT_EQ(Strings(streets, QStringLiteral("label")),
              (QStringList{QStringLiteral("Ленина"), QStringLiteral("Тихий"), QStringLiteral("Кронштадтский бульвар")}));
    const QJsonObject lenina = streets[0].toObject();
    EXPECT_EQ(lenina.value(QStringLiteral("width")).toInt(), 5);
    EXPECT_TRUE(lenina.value(QStringLiteral("gap")).toBool());
    EXPECT_EQ(lenina.value(QStringLiteral("caption")).toArray(), Box(1, 4, 248, 40));
    EXPECT_EQ(lenina.value(QStringLiteral("frame")).toArray(), Box(0, 4, 252, 82));
    const QJsonArray houses = lenina.value(QStringLiteral("houses")).toArray();
    ASSERT_EQ(Strings(houses, QStringLiteral("name")), (QStringList{QStringLiteral("д.1"), QStringLiteral("д.2")}));
    EXPECT_EQ(houses[1].toObject().value(QStringLiteral("label")).toString(), QStringLiteral("2"));
    EXPECT_EQ(houses[1].toObject().value(QStringLiteral("cell")).toArray(), Box(151, 40, 200, 80));
    const QJsonArray lifts = houses[0].toObject().value(QStringLiteral("lifts")).toArray();
    ASSERT_EQ(Strings(lifts, QStringLiteral("id")), (QStringList{QStringLiteral("101"), QStringLiteral("102")}));
    EXPECT_EQ(lifts[1].toObject().value(QStringLiteral("tile")).toArray(), Box(100, 40, 150, 80));

    const QJsonObject tikhiy = streets[1].toObject();
    EXPECT_EQ(tikhiy.value(QStringLiteral("caption")).toArray(), Box(1, 84, 98, 120));
    EXPECT_EQ(tikhiy.value(QStringLiteral("frame")).toArray(), Box(0, 84, 102, 162));
    const QJsonObject kronshtadt = streets[2].toObject();
    EXPECT_EQ(kronshtadt.value(QStringLiteral("width")).toInt(), 6);
    EXPECT_FALSE(kronshtadt.value(QStringLiteral("gap")).toBool());
    EXPECT_EQ(kronshtadt.value(QStringLiteral("caption")).toArray(), Box(1, 164, 298, 200));
    EXPECT_EQ(kronshtadt.value(QStringLiteral("frame")).toArray(), Box(0, 164, 302, 242));
    const QJsonObject lastLift =
        kronshtadt.value(QStringLiteral("houses")).toArray()[0].toObject().value(QStringLiteral("lifts")).toArray()[0].toObject();
    EXPECT_EQ(lastLift.value(QStringLiteral("tile")).toArray(), Box(50, 200, 100, 240));
}

// Ten one-lift streets in 1000 x 400: laid out in 500 x 780 (tiles 83 x 78,
// two streets to a band); from the third band on they move by (500, -312).
TEST(DumpLayout, TwoColumns)
{
    const Dump d = DumpLayout(QStringLiteral("Север"), QStringLiteral("two-columns"), QStringLiteral("1000x400"));
    ASSERT_TRUE(d.run.finished);
    ASSERT_EQ(d.run.exitCode, 0) << d.run.err.toStdString();
    EXPECT_EQ(d.json.value(QStringLiteral("mode")).toString(), QStringLiteral("two-columns"));
    EXPECT_TRUE(d.json.value(QStringLiteral("valid")).toBool());
    EXPECT_EQ(d.json.value(QStringLiteral("tile")).toArray(), (QJsonArray{83, 78}));
    const QJsonArray streets = d.json.value(QStringLiteral("streets")).toArray();
    ASSERT_EQ(streets.size(), 10);
    const QJsonArray frames[] = {Box(0, 4, 249, 158),     Box(249, 4, 417, 158),   Box(0, 160, 249, 314),
                                 Box(249, 160, 417, 314), Box(500, 4, 749, 158),   Box(749, 4, 917, 158),
                                 Box(500, 160, 749, 314), Box(749, 160, 917, 314), Box(500, 316, 749, 470),
                                 Box(749, 316, 917, 470)};
    for (int i = 0; i < 10; ++i) {
        const QJsonObject street = streets[i].toObject();
        EXPECT_EQ(street.value(QStringLiteral("name")).toString(), QStringLiteral("ул. %1").arg(i + 1, 2, 10, QLatin1Char('0')));
        EXPECT_EQ(street.value(QStringLiteral("frame")).toArray(), frames[i]) << "street " << i + 1;
    }
    const QJsonObject tenth = streets[9].toObject();
    EXPECT_EQ(tenth.value(QStringLiteral("caption")).toArray(), Box(750, 316, 913, 390));
    const QJsonObject house = tenth.value(QStringLiteral("houses")).toArray()[0].toObject();
    EXPECT_EQ(house.value(QStringLiteral("cell")).toArray(), Box(750, 390, 832, 468));
    EXPECT_EQ(house.value(QStringLiteral("lifts")).toArray()[0].toObject().value(QStringLiteral("tile")).toArray(),
              Box(832, 390, 915, 468));
}

// Controller 1:2:3 (three lifts by Addr), 1:2:14 (one lift, two columns for
// its caption) and Pro (eight lifts by IDPro) in 300 x 204: tiles 50 x 34,
// then grown to 50 x 40.
TEST(DumpLayout, ByController)
{
    const Dump d = DumpLayout(QStringLiteral("Юг"), QStringLiteral("controller"), QStringLiteral("300x204"));
    ASSERT_TRUE(d.run.finished);
    ASSERT_EQ(d.run.exitCode, 0) << d.run.err.toStdString();
    EXPECT_EQ(d.json.value(QStringLiteral("mode")).toString(), QStringLiteral("controller"));
    EXPECT_TRUE(d.json.value(QStringLiteral("valid")).toBool());
    EXPECT_EQ(d.json.value(QStringLiteral("tile")).toArray(), (QJsonArray{50, 40}));
    EXPECT_EQ(d.json.value(QStringLiteral("cols")).toInt(), 6);
    EXPECT_EQ(d.json.value(QStringLiteral("rows")).toInt(), 5);
    EXPECT_TRUE(d.json.value(QStringLiteral("streets")).toArray().isEmpty());

    const QJsonArray providers = d.json.value(QStringLiteral("providers")).toArray();
    ASSERT_EQ(Strings(providers, QStringLiteral("caption_text")),
              (QStringList{QStringLiteral("1:2:3"), QStringLiteral("1:2:14"), QStringLiteral("Pro")}));
    EXPECT_EQ(Strings(providers, QStringLiteral("kind")),
              (QStringList{QStringLiteral("controller"), QStringLiteral("controller"), QStringLiteral("pro")}));
    const QJsonArray captions[] = {Box(1, 4, 148, 40), Box(151, 4, 248, 40), Box(1, 84, 398, 120)};
    const QJsonArray frames[] = {Box(0, 4, 150, 82), Box(150, 4, 252, 82), Box(0, 84, 302, 202)};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(providers[i].toObject().value(QStringLiteral("caption")).toArray(), captions[i]) << i;
        EXPECT_EQ(providers[i].toObject().value(QStringLiteral("frame")).toArray(), frames[i]) << i;
    }
    const QJsonArray first = providers[0].toObject().value(QStringLiteral("lifts")).toArray();
    EXPECT_EQ(Strings(first, QStringLiteral("id")),
              (QStringList{QStringLiteral("503"), QStringLiteral("504"), QStringLiteral("501")}));
    EXPECT_EQ(first[2].toObject().value(QStringLiteral("tile")).toArray(), Box(100, 40, 150, 80));
    const QJsonArray pro = providers[2].toObject().value(QStringLiteral("lifts")).toArray();
    QStringList proIds;
    for (int i = 1; i <= 8; ++i)
        proIds.append(QString::number(600 + i));
    EXPECT_EQ(Strings(pro, QStringLiteral("id")), proIds);
    EXPECT_EQ(pro[5].toObject().value(QStringLiteral("tile")).toArray(), Box(250, 120, 300, 160));
    EXPECT_EQ(pro[7].toObject().value(QStringLiteral("tile")).toArray(), Box(50, 160, 100, 200));
}

// Streets come in the tree's order, which ignores case: «абв» before «Бвг»,
// although the read sorts capitals first.
TEST(DumpLayout, StreetsInTreeOrder)
{
    const Dump d = DumpLayout(QStringLiteral("Порядок"), QStringLiteral("streets"), QStringLiteral("400x300"));
    ASSERT_TRUE(d.run.finished);
    ASSERT_EQ(d.run.exitCode, 0) << d.run.err.toStdString();
    const QJsonArray streets = d.json.value(QStringLiteral("streets")).toArray();
    EXPECT_EQ(Strings(streets, QStringLiteral("name")), (QStringList{QStringLiteral("абв"), QStringLiteral("Бвг")}));
    ASSERT_FALSE(streets.isEmpty());
    EXPECT_EQ(streets[0].toObject().value(QStringLiteral("frame")).toArray()[1].toInt(), 4);
}

// A table too small for tiles of 8 pixels: printed, valid false, exit 0.
TEST(DumpLayout, InvalidLayoutIsStillPrinted)
{
    const Dump d = DumpLayout(QStringLiteral("Юг"), QStringLiteral("streets"), QStringLiteral("10x10"));
    ASSERT_TRUE(d.run.finished);
    EXPECT_EQ(d.run.exitCode, 0);
    ASSERT_FALSE(d.json.isEmpty()) << d.run.out.toStdString();
    EXPECT_FALSE(d.json.value(QStringLiteral("valid")).toBool());
    EXPECT_EQ(d.json.value(QStringLiteral("width")).toInt(), 10);
}

TEST(DumpLayout, UnknownPoint)
{
    const Dump d = DumpLayout(QStringLiteral("Нет такого"), QStringLiteral("streets"), QStringLiteral("300x240"));
    ASSERT_TRUE(d.run.finished);
    EXPECT_EQ(d.run.exitCode, 2);
    EXPECT_TRUE(d.run.out.isEmpty()) << d.run.out.toStdString();
    EXPECT_EQ(d.run.ErrLines(), QStringList{QStringLiteral("Диспетчерский пункт «Нет такого» не найден.")});
}

TEST(DumpLayout, RejectedFile)
{
    TempDir dir;
    const QString path = dir.Write(QStringLiteral("bad.xml"), "<PULT><DISP");
    const Dump d = DumpLayout(QStringLiteral("Центр"), QStringLiteral("streets"), QStringLiteral("300x240"), path);
    ASSERT_TRUE(d.run.finished);
    EXPECT_EQ(d.run.exitCode, 1);
    EXPECT_TRUE(d.run.out.isEmpty()) << d.run.out.toStdString();
    EXPECT_EQ(d.run.ErrLines(),
              QStringList{QStringLiteral("Ошибка m_XMLDOM->load: 1 (0x1) - строка 1, столбец 12: открывающий тег <DISP> не завершён знаком «>»")});
}

// Standard output carries the JSON alone: the read's messages go to standard error.
TEST(DumpLayout, MessagesGoToStandardError)
{
    const Dump d = DumpLayout(QStringLiteral("ОДС-4 Лианозово"), QStringLiteral("controller"), QStringLiteral("800x600"),
                              ExampleFile());
    ASSERT_TRUE(d.run.finished);
    ASSERT_EQ(d.run.exitCode, 0) << d.run.err.toStdString();
    ASSERT_FALSE(d.json.isEmpty()) << d.run.out.toStdString();
    EXPECT_FALSE(d.json.value(QStringLiteral("providers")).toArray().isEmpty());
    EXPECT_EQ(d.run.ErrLines().size(), 3);
    EXPECT_TRUE(d.run.err.contains("Повторное указание дома для улицы"));
}

} // namespace
