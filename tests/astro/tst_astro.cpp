#include "astro/solarreturn.h"
#include "astro/sun.h"
#include "astro/zodiac.h"

#include <QTest>
#include <QTimeZone>

#include <cmath>

using namespace Astro;
using namespace Qt::StringLiterals;

namespace {

QDateTime utc(const char *iso)
{
    return QDateTime::fromString(QLatin1String(iso), Qt::ISODate).toTimeZone(QTimeZone::utc());
}

QDateTime utcOf(QDate date, const char *time = "00:00")
{
    return QDateTime(date, QTime::fromString(QLatin1String(time), u"hh:mm"), QTimeZone::utc());
}

} // namespace

class tst_Astro : public QObject {
    Q_OBJECT

private slots:
    void apparentLongitudeOfMeeus();
    void seasons_data();
    void seasons();
    void ttMinusUtc_data();
    void ttMinusUtc();
    void deltaTJoinsAcrossItsCenturies_data();
    void deltaTJoinsAcrossItsCenturies();
    void signsReadAndWritten();
    void date1_data();
    void date1();
    void roundedToTheSecond_data();
    void roundedToTheSecond();
    void birthdays();
};

// Astronomical Algorithms, example 25.b: 1992 October 13.0 TD.
void tst_Astro::apparentLongitudeOfMeeus()
{
    const double expected = 199.0 + 54.0 / 60 + 21.8 / 3600;
    const double longitude = apparentSolarLongitude(JulianDate{2448908.5, 0.0});
    QVERIFY2(std::abs(longitude - expected) * 3600 < 0.5, qPrintable(QString::number(longitude)));
}

// Equinoxes and solstices as the almanacs publish them, to the minute (UTC).
void tst_Astro::seasons_data()
{
    QTest::addColumn<double>("longitude");
    QTest::addColumn<QDateTime>("near");
    QTest::addColumn<QDateTime>("published");
    QTest::addColumn<int>("toleranceSeconds");

    QTest::newRow("March 2024") << 0.0 << utc("2024-03-01T00:00Z") << utc("2024-03-20T03:06Z")
                                << 60;
    QTest::newRow("June 2024") << 90.0 << utc("2024-06-01T00:00Z") << utc("2024-06-20T20:51Z")
                               << 60;
    // Published as 09:20 and as 09:21: within a minute of either.
    QTest::newRow("December 2024")
        << 270.0 << utc("2024-12-01T00:00Z") << utc("2024-12-21T09:20:30Z") << 90;
    QTest::newRow("March 2000") << 0.0 << utc("2000-01-01T00:00Z") << utc("2000-03-20T07:35Z")
                                << 60;
    // From early October the next March is nearer than the last.
    QTest::newRow("nearest passage")
        << 0.0 << utc("2024-10-01T00:00Z") << utc("2025-03-20T09:01Z") << 60;
}

void tst_Astro::seasons()
{
    QFETCH(double, longitude);
    QFETCH(QDateTime, near);
    QFETCH(QDateTime, published);
    QFETCH(int, toleranceSeconds);

    const QDateTime moment = sunReachesLongitude(longitude, near);
    QVERIFY2(std::abs(published.secsTo(moment)) <= toleranceSeconds,
             qPrintable(moment.toString(Qt::ISODateWithMs)));
    QCOMPARE(moment.time().msec() % 100, 0);
    const double reached = apparentSolarLongitude(moment);
    QVERIFY(std::abs(std::remainder(reached - longitude, 360.0)) * 3600 < 0.01);
}

void tst_Astro::ttMinusUtc_data()
{
    QTest::addColumn<QDateTime>("instant");
    QTest::addColumn<double>("expected");
    QTest::addColumn<double>("tolerance");

    // 32.184 s plus the leap seconds then in force.
    QTest::newRow("2000") << utc("2000-01-01T12:00Z") << 64.184 << 1e-9;
    QTest::newRow("2017") << utc("2017-01-01T00:00Z") << 69.184 << 1e-9;
    QTest::newRow("beyond the table") << utc("2090-06-01T00:00Z") << 69.184 << 1e-9;
    // Delta T of the historical tables.
    QTest::newRow("1900") << utc("1900-01-15T00:00Z") << -2.72 << 0.3;
    QTest::newRow("1950") << utc("1950-01-15T00:00Z") << 29.15 << 0.3;
    QTest::newRow("1899, for a Solar of 1900") << utc("1899-12-30T00:00Z") << -2.8 << 0.3;
}

void tst_Astro::ttMinusUtc()
{
    QFETCH(QDateTime, instant);
    QFETCH(double, expected);
    QFETCH(double, tolerance);
    QVERIFY2(std::abs(Astro::ttMinusUtc(instant) - expected) <= tolerance,
             qPrintable(QString::number(Astro::ttMinusUtc(instant))));
}

// Each century's polynomial must meet the next: a mistyped coefficient shows
// as a jump of seconds or more at a seam. At 1960 Delta T hands over to UTC,
// which then ran half a second from UT.
void tst_Astro::deltaTJoinsAcrossItsCenturies_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<double>("tolerance");
    // Solar years run from 1900 to 2100.
    for (int year : {1900, 1920, 1941})
        QTest::addRow("%d", year) << year << 0.6;
    QTest::newRow("1960") << 1960 << 1.0;
}

void tst_Astro::deltaTJoinsAcrossItsCenturies()
{
    QFETCH(int, year);
    QFETCH(double, tolerance);
    const double before = Astro::ttMinusUtc(utcOf(QDate(year - 1, 12, 16)));
    const double after = Astro::ttMinusUtc(utcOf(QDate(year, 1, 16)));
    QVERIFY2(std::abs(after - before) <= tolerance,
             qPrintable(QString::number(before) + u' ' + QString::number(after)));
}

// Signs as students type them, and positions as the pages print them.
void tst_Astro::signsReadAndWritten()
{
    for (const auto &[typed, sign] : {std::pair{u"Widder"_s, 0},
                                      {u"  zwillinge "_s, 2},
                                      {u"Löwe"_s, 4},
                                      {u"Loewe"_s, 4},
                                      {u"Schu\u0308tze"_s, 8},
                                      {QString(), -1},
                                      {u"Lowe"_s, -1},
                                      {u"Wid"_s, -1},
                                      {u"Waage2"_s, -1}})
        QCOMPARE(std::pair(typed, signOf(typed).value_or(-1)), std::pair(typed, sign));
    QCOMPARE(positionText(positionOf(0, 30, 0, 0)), u"0°00'00'' Stier"_s);
    QCOMPARE(positionText(1295999), u"29°59'59'' Fische"_s);
    QCOMPARE(positionText(1296000), u"0°00'00'' Widder"_s);
}

// Date 1 is the day whose printed 0h position is not greater than the radix
// while the next day's is: a radix equal to a day's position makes that day
// date 1, a second of arc less the day before.
void tst_Astro::date1_data()
{
    QTest::addColumn<QDate>("day");
    QTest::addColumn<qint32>("offset"); // '' added to that day's position
    QTest::addColumn<QDate>("date1");

    for (const QDate day : {QDate(1983, 4, 5), QDate(2025, 1, 3), QDate(2024, 7, 4)}) {
        const QByteArray name = day.toString(Qt::ISODate).toLatin1();
        QTest::addRow("%s equal", name.constData()) << day << 0 << day;
        QTest::addRow("%s one second less", name.constData()) << day << -1 << day.addDays(-1);
    }
    // At 0h of 20 March 2024 the Sun still stands in Pisces: one second later
    // than its position is the day after, across 0° Aries.
    QTest::newRow("across 0° Aries") << QDate(2024, 3, 21) << -1 << QDate(2024, 3, 20);
}

void tst_Astro::date1()
{
    QFETCH(QDate, day);
    QFETCH(qint32, offset);
    QFETCH(QDate, date1);

    const qint32 radix = (ephemerisPosition(day) + offset + 1296000) % 1296000;
    const auto s = solveSolarReturn(radix, day.year(), day.day(), day.month());
    QVERIFY(s);
    QCOMPARE(s->date1, date1);
    QCOMPARE(s->daysFromBirthday, day.daysTo(date1));
    QCOMPARE(s->position2, ephemerisPosition(date1.addDays(1)));
    // The exact moment lies between the two days' 0h, give or take the
    // rounding of half a second of arc (about 12 s of time).
    QVERIFY(s->moment >= utcOf(date1).addSecs(-15));
    QVERIFY(s->moment <= utcOf(date1.addDays(1)).addSecs(15));
}

// A longitude of 359°59'59.6'' is written 0°00'00'', not 360°; a moment of
// 23:59:59.6 before 1970 rounds up to the next day as one after 1970 does.
void tst_Astro::roundedToTheSecond_data()
{
    QTest::addColumn<double>("arcSeconds"); // the Sun's longitude near 20 March 2024
    QTest::addColumn<qint32>("written");
    QTest::newRow("359°59'59.6''") << 1295999.6 << 0;
    QTest::newRow("359°59'59.4''") << 1295999.4 << 1295999;
    QTest::newRow("0°00'00.4''") << 0.4 << 0;
}

void tst_Astro::roundedToTheSecond()
{
    QFETCH(double, arcSeconds);
    QFETCH(qint32, written);
    const QDateTime at = sunReachesLongitude(arcSeconds / 3600, utc("2024-03-20T03:00Z"));
    QCOMPARE(roundedLongitude(at), written);
    QCOMPARE(wholeSecond(utc("1969-12-31T23:59:59.600Z")), utc("1970-01-01T00:00:00Z"));
    QCOMPARE(wholeSecond(utc("1969-12-31T23:59:59.400Z")), utc("1969-12-31T23:59:59Z"));
}

void tst_Astro::birthdays()
{
    // Pisces 10° is reached on 28 February 2023 at 20:56 UT and on 29 February
    // 2024 at 02:44 UT; in a common year 29 February counts as 1 March.
    const qint32 radix = positionOf(11, 10, 0, 0);
    QCOMPARE(solveSolarReturn(radix, 2023, 29, 2)->daysFromBirthday, -1);
    QCOMPARE(solveSolarReturn(radix, 2024, 29, 2)->daysFromBirthday, 0);
    QVERIFY(!solveSolarReturn(radix, 2023, 30, 2));
    QVERIFY(!solveSolarReturn(radix, 2024, 30, 2)); // no day of any year
    QVERIFY(!solveSolarReturn(radix, 2023, 31, 4));
    QVERIFY(!solveSolarReturn(radix, 2023, 1, 13));
    // Stier 15° is a month away from a birthday of 5 April.
    const auto wrongSign = solveSolarReturn(positionOf(1, 15, 0, 0), 2020, 5, 4);
    QVERIFY(wrongSign && wrongSign->daysFromBirthday > 25 && wrongSign->daysFromBirthday < 35);
}

QTEST_APPLESS_MAIN(tst_Astro)
#include "tst_astro.moc"
