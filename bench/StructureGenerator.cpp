#include "bench/StructureGenerator.h"

#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cstdint>

namespace {

// Deterministic GUIDs: 32 upper-case hex digits from a counter.
QByteArray GuidText(std::uint64_t n)
{
    std::uint64_t a = n * 0x9E3779B97F4A7C15ull + 0x1234;
    std::uint64_t b = (n + 17) * 0xC2B2AE3D27D4EB4Full;
    return QByteArray::number(a, 16).rightJustified(16, '0').toUpper()
        + QByteArray::number(b, 16).rightJustified(16, '0').toUpper();
}

class Writer
{
public:
    Writer() : m_Encoder("windows-1251") {}
    Writer &operator<<(const char *utf8) { return *this << QString::fromUtf8(utf8); }
    Writer &operator<<(const QString &text)
    {
        m_Out += m_Encoder.encode(text);
        return *this;
    }
    Writer &operator<<(const QByteArray &ascii)
    {
        m_Out += ascii;
        return *this;
    }
    Writer &operator<<(long long n)
    {
        m_Out += QByteArray::number(n);
        return *this;
    }
    QByteArray Take() { return std::move(m_Out); }
    void Reserve(qsizetype n) { m_Out.reserve(n); }

private:
    QStringEncoder m_Encoder;
    QByteArray m_Out;
};

const char *const kStreetKinds[] = {"ул. ", "пер.", "", "проезд ", "бульвар "};
const char *const kStreetNames[] = {"Лескова", "Тихий", "Дмитровское шоссе", "Шокальского", "Бескудниковский",
                                    "Базовская", "Талдомская", "Угличская", "Псковская", "Череповецкая"};
const char *const kStates[] = {"Норма", "Авария", "Стоп", "Двери", "Ревизия", "Пожар", "Связь", "Пусто"};

} // namespace

QByteArray GenerateStructure(const GeneratorShape &shape)
{
    Writer w;
    const long long totalLifts = static_cast<long long>(shape.points) * shape.streetsPerPoint
        * shape.housesPerStreet * shape.liftsPerHouse;
    w.Reserve(totalLifts * 1000 + 4096);
    w << "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n"
      << "<PULT Name=\"Синтетический пульт\" TimeDriv=\"180\" TimeGGS=\"120\" MaxVisibleRec=\"5000\" "
         "GUID=\"" << GuidText(0) << "\" CRC=\"3735928559\" Timer=\"07:30:00\" FirstTestMove=\"9\">\n";
    w << "<TabState>\n";
    for (int r = 0; r < 8; ++r)
        w << "<State Number=\"" << r << "\" ShortName=\"" << kStates[r] << "\" MesForLog=\"Состояние "
          << kStates[r] << "\"/>\n";
    w << "</TabState>\n";

    long long liftNo = 0;
    for (int p = 0; p < shape.points; ++p) {
        w << "<DISP Name=\"ОДС-" << (p + 1) << "\" FonGrp=\"240,248,255\" SizeLiftGrp=\"32,32\">\n";
        const long long firstLift = liftNo;
        for (int s = 0; s < shape.streetsPerPoint; ++s) {
            w << " <STREET Name=\"" << kStreetKinds[s % 5] << kStreetNames[s % 10] << " " << (s + 1) << "\">\n";
            for (int h = 0; h < shape.housesPerStreet; ++h) {
                w << "  <HOME Name=\"д." << (h + 1) << "\">\n";
                for (int l = 0; l < shape.liftsPerHouse; ++l, ++liftNo) {
                    w << "   <LIFT Name=\"" << (l + 1) << "\" ID=\"" << (10000 + liftNo) << "\" GUID=\""
                      << GuidText(liftNo + 1) << "\" IdDB=\"" << liftNo << "\" SubNet=\"" << (liftNo / 512)
                      << "\" UM=\"" << ((liftNo / 32) % 16) << "\" Slot=\"" << ((liftNo / 8) % 4) << "\" Addr=\""
                      << (liftNo % 8) << "\" RegNum=\"" << (400000 + liftNo)
                      << "\" Model=\"ПП-0411\" Speed=\"1,0 м/с\" Wight=\"400 кг\" Owner=\"ГБУ Жилищник\">\n";
                    if (shape.rowsPerTable > 0) {
                        w << "    <TabState>";
                        for (int r = 0; r < shape.rowsPerTable; ++r)
                            w << "<State Number=\"" << r << "\" ShortName=\"" << kStates[r % 8] << "\"/>";
                        w << "</TabState>\n    <TabOut>";
                        for (int r = 0; r < shape.rowsPerTable; ++r)
                            w << "<Out Number=\"" << r << "\" ShortOn=\"Вкл\"/>";
                        w << "</TabOut>\n    <TabDev>";
                        for (int r = 0; r < shape.rowsPerTable; ++r)
                            w << "<Dev Address=\"" << r << "\" Full=\"Пост " << r << "\" Typ=\"1\"/>";
                        w << "</TabDev>\n";
                    }
                    w << "   </LIFT>\n";
                }
                w << "  </HOME>\n";
            }
            w << " </STREET>\n";
        }
        const long long pointLifts = liftNo - firstLift;
        const long long grouped = static_cast<long long>(pointLifts * shape.groupedShare);
        for (int g = 0; g < shape.groupsPerPoint; ++g) {
            w << " <GROUP Name=\"Группа " << (g + 1) << "\" Number=\"" << g << "\" Color=\"255,251,240\">\n";
            for (long long i = g; i < grouped; i += shape.groupsPerPoint)
                w << "  <LIFT GUID=\"" << GuidText(firstLift + i + 1) << "\" Point=\"" << (i % 100) << ","
                  << (i / 100) << "\"/>\n";
            w << " </GROUP>\n";
        }
        w << "</DISP>\n";
    }
    w << "</PULT>\n";
    return w.Take();
}

QByteArray GeneratePoint(int lifts, int houses, int streets)
{
    Writer w;
    w.Reserve(static_cast<qsizetype>(lifts) * 220 + houses * 40 + 4096);
    w << "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<PULT Name=\"Пульт\">\n<DISP Name=\"ОДС\">\n";
    long long lift = 0;
    int house = 0;
    for (int s = 0; s < streets; ++s) {
        w << " <STREET Name=\"" << kStreetKinds[s % 5] << kStreetNames[s % 10] << " " << (s + 1) << "\">\n";
        const int streetHouses = houses / streets + (s < houses % streets ? 1 : 0);
        for (int h = 0; h < streetHouses; ++h, ++house) {
            w << "  <HOME Name=\"" << (h % 3 == 0 ? "д." : "") << (h + 1) << (h % 7 == 3 ? " корп. 2" : "") << "\">\n";
            const long long houseLifts = lifts / houses + (house < lifts % houses ? 1 : 0);
            for (long long l = 0; l < houseLifts; ++l, ++lift) {
                w << "   <LIFT Name=\"" << (l + 1) << "\" ID=\"" << (10000 + lift) << "\" GUID=\"" << GuidText(lift + 1)
                  << "\" IdDB=\"" << lift << "\" SubNet=\"" << (lift % 5) << "\" UM=\"" << ((lift / 5) % 6)
                  << "\" Slot=\"" << ((lift / 30) % 2) << "\" Addr=\"" << (lift % 16) << "\""
                  << (lift % 50 == 7 ? QByteArray(" IDPro=\"") + QByteArray::number(lift) + "\"" : QByteArray()) << "/>\n";
            }
            w << "  </HOME>\n";
        }
        w << " </STREET>\n";
    }
    w << "</DISP>\n</PULT>\n";
    return w.Take();
}

QByteArray GenerateFlatStructure(int lifts)
{
    Writer w;
    w.Reserve(static_cast<qsizetype>(lifts) * 160 + 1024);
    w << "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<PULT Name=\"Плоский\">\n<DISP Name=\"ОДС\">\n"
      << " <STREET Name=\"ул. Длинная\">\n  <HOME Name=\"д.1\">\n";
    for (int l = 0; l < lifts; ++l)
        w << "   <LIFT Name=\"" << l << "\" ID=\"" << l << "\" GUID=\"" << GuidText(l + 1) << "\" IdDB=\""
          << (lifts - l) << "\" SubNet=\"1\" UM=\"1\" Slot=\"1\" Addr=\"" << l << "\"/>\n";
    w << "  </HOME>\n </STREET>\n <GROUP Name=\"Половина\">\n";
    for (int l = 0; l < lifts; l += 2)
        w << "  <LIFT GUID=\"" << GuidText(l + 1) << "\"/>\n";
    w << " </GROUP>\n</DISP>\n</PULT>\n";
    return w.Take();
}
