#include "astro/houses.h"

#include <QTest>
#include <QTimeZone>

#include <cmath>

using namespace Astro;

Q_DECLARE_METATYPE(Astro::Axis)

namespace {

// 23°26', the obliquity the hand-computed cases below use.
constexpr double Obliquity = 23.0 + 26.0 / 60;

double hoursOf(int h, int m, double s)
{
    return h + m / 60.0 + s / 3600.0;
}

// The arc from b to a in seconds, across 0°.
double arcSeconds(double a, double b)
{
    return std::remainder(a - b, 360.0) * 3600.0;
}

} // namespace

class tst_Houses : public QObject {
    Q_OBJECT

private slots:
    void greenwichSiderealTime_data();
    void greenwichSiderealTime();
    void localSiderealTimeAndObliquity();
    void axes_data();
    void axes();
};

void tst_Houses::greenwichSiderealTime_data()
{
    QTest::addColumn<QDateTime>("utc");
    QTest::addColumn<double>("expected"); // hours
    // Meeus, Astronomical Algorithms, examples 12.a and 12.b.
    QTest::newRow("1987-04-10 0h")
        << QDateTime(QDate(1987, 4, 10), QTime(0, 0), QTimeZone::utc()) << hoursOf(13, 10, 46.3668);
    QTest::newRow("1987-04-10 19h21m")
        << QDateTime(QDate(1987, 4, 10), QTime(19, 21), QTimeZone::utc())
        << hoursOf(8, 34, 57.0896);
    // The Astronomical Almanac for 2000, 1 January 0h UT: 6h39m52.2707s (rounded
    // to 0.0001 s there); Greenwich sidereal time turns once a sidereal day.
    QTest::newRow("2000-01-01 0h")
        << QDateTime(QDate(2000, 1, 1), QTime(0, 0), QTimeZone::utc()) << hoursOf(6, 39, 52.2707);
}

void tst_Houses::greenwichSiderealTime()
{
    QFETCH(QDateTime, utc);
    QFETCH(double, expected);
    const double gmst = Astro::greenwichSiderealTime(utc);
    QVERIFY2(std::abs(gmst - expected) * 3600 < 0.01,
             qPrintable(QString::number((gmst - expected) * 3600, 'f', 4)));
}

void tst_Houses::localSiderealTimeAndObliquity()
{
    const QDateTime utc(QDate(1987, 4, 10), QTime(0, 0), QTimeZone::utc());
    // Munich, 11°35' east: 46 m 20 s of time later than Greenwich.
    const double munich = localSiderealTime(utc, 11.0 + 35.0 / 60);
    QVERIFY(std::abs(munich - hoursOf(13, 57, 6.3668)) * 3600 < 0.01);
    // 150° west of Greenwich the meridian stands 10 h earlier, across 0 h.
    const double west = localSiderealTime(utc, -150);
    QVERIFY(std::abs(west - hoursOf(3, 10, 46.3668)) * 3600 < 0.01);
    QCOMPARE(ramcOfSiderealTime(hoursOf(8, 16, 0)), 124.0);
    QCOMPARE(ramcOfSiderealTime(24.0), 0.0);
    // The mean obliquity at J2000.0: 23°26'21.406'' (IAU 2006).
    const double e = meanObliquity(QDateTime(QDate(2000, 1, 1), QTime(12, 0), QTimeZone::utc()));
    QVERIFY(std::abs(e - (23 + 26 / 60.0 + 21.406 / 3600)) * 3600 < 0.1);
}

// Worked by hand from the two formulas with ε = 23°26' (sin ε = 0.397600,
// cos ε = 0.917556):
// - at RAMC 0° and 180° the MC stands at 0° Aries and 0° Libra, at 90° and 270°
//   on the solstices; at RAMC 30°, tan MC = tan 30° / cos ε gives 32.1801°;
// - at RAMC 0°, AC = 90° + atan(sin ε tan φ): tan 48° = 1.110613 gives 113.8296°,
//   tan 54° = 1.376382 gives 118.6946°; RAMC 180° mirrors it about 0° Aries;
// - at RAMC 90° the AC is 0° Libra and at RAMC 270° 0° Aries, at any latitude;
// - at RAMC 124°, φ 48°: tan AC = cos 124° / -(0.441580 + 0.917556 sin 124°)
//   with both parts negative: 204.9427°.
void tst_Houses::axes_data()
{
    QTest::addColumn<Axis>("axis");
    QTest::addColumn<double>("ramc");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("expected");
    QTest::newRow("MC 0") << Axis::MC << 0.0 << 48.0 << 0.0;
    QTest::newRow("MC 30") << Axis::MC << 30.0 << 48.0 << 32.18009;
    QTest::newRow("MC 90") << Axis::MC << 90.0 << 48.0 << 90.0;
    QTest::newRow("MC 270") << Axis::MC << 270.0 << 54.0 << 270.0;
    QTest::newRow("MC 300") << Axis::MC << 300.0 << 54.0 << 297.91162;
    QTest::newRow("AC 0, 48") << Axis::AC << 0.0 << 48.0 << 113.82963;
    QTest::newRow("AC 0, 54") << Axis::AC << 0.0 << 54.0 << 118.69462;
    QTest::newRow("AC 90, 48") << Axis::AC << 90.0 << 48.0 << 180.0;
    QTest::newRow("AC 180, 48") << Axis::AC << 180.0 << 48.0 << 246.17037;
    QTest::newRow("AC 180, 54") << Axis::AC << 180.0 << 54.0 << 241.30538;
    QTest::newRow("AC 270, 48") << Axis::AC << 270.0 << 48.0 << 0.0;
    QTest::newRow("AC 124, 48") << Axis::AC << 124.0 << 48.0 << 204.94268;
}

void tst_Houses::axes()
{
    QFETCH(Axis, axis);
    QFETCH(double, ramc);
    QFETCH(double, latitude);
    QFETCH(double, expected);
    const double longitude = axisLongitude(axis, ramc, Obliquity, latitude);
    QVERIFY(longitude >= 0 && longitude < 360);
    QVERIFY2(std::abs(arcSeconds(longitude, expected)) < 0.1,
             qPrintable(QString::number(longitude, 'f', 6)));
}

QTEST_GUILESS_MAIN(tst_Houses)
#include "tst_houses.moc"
