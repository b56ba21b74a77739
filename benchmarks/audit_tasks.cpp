// An audit of the generated tasks against values worked out anew from what
// each task prints, through other paths than the generator takes:
//   audit_tasks [count]     (20 000 of each kind by default)
// For the rectification: the radix planet against the library's position of
// the Moon or planet at the birth moment the task names, the birth's zone
// against the time-zone database, the printed sidereal time of birth against
// the sky, every house-table value against the formulas of the axes, the
// event against the directed axis, and the hand answer against the exact one.
// For the sidereal time of birth: the zone, every ephemeris value and the
// hand answer. For the Solar: the residence's zone against the database's
// standard time in the Solar year, every ephemeris value against the Sun,
// the pair of days against the radix, the hand answer as the form works it
// against the exact moment, and the day it falls on; the same answer worked
// again from the page and the radix as printed. And the shares the tasks are
// drawn with: half of the rectifications with the axis crossing a sign
// between the rows, one Solar in five abroad and one in ten across a sign.
// Prints the counts and every fault; exits with 1 on a fault. CI runs it on
// the first 300 of each kind.

#include "astro/houses.h"
#include "astro/planets.h"
#include "astro/sun.h"
#include "astro/zodiac.h"
#include "core/calendar.h"
#include "core/rules.h"
#include "exercise/birthplaces.h"
#include "exercise/rectificationtask.h"
#include "exercise/siderealtask.h"
#include "exercise/solarhandsolution.h"
#include "exercise/solartask.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMap>
#include <QRegularExpression>
#include <QTextStream>
#include <QTimeZone>

#include <cmath>

using namespace Exercise;

namespace {

struct Audit {
    QMap<QString, int> counts;
    QStringList faults;
    void fault(int number, const QString &what)
    {
        faults << QStringLiteral("Aufgabe %1: %2").arg(number).arg(what);
    }
};

// The offset of a clock time of a place straight from the database, in hours.
double databaseOffset(const QByteArray &zone, QDate date, QTime time)
{
    const QTimeZone tz(zone);
    return tz.offsetFromUtc(QDateTime(date, time, tz)) / 3600.0;
}

QDateTime utcOf(QDate date, QTime time, int zone)
{
    return QDateTime(date, time, QTimeZone::utc()).addSecs(-qint64{zone} * 3600);
}

double offFromExact(qint32 printed, double exactSeconds)
{
    return std::remainder(printed - exactSeconds, double{Core::SecondsPerDay});
}

void auditPlanetAndZone(Audit &a, const RectificationTask &t)
{
    const QDateTime birth = utcOf(t.birthDate, t.recordedTime, t.zone);
    const std::optional<Astro::Body> body = Astro::bodyNamed(t.planet);
    if (!body || Astro::roundedPlanetLongitude(*body, birth) != t.planetPosition)
        a.fault(t.number, QStringLiteral("der Radix-Planet steht nicht, wo er stand"));
    ++a.counts[QStringLiteral("Planet ") + t.planet];
    if (databaseOffset("Europe/Berlin", t.birthDate, t.recordedTime) != t.zone)
        a.fault(t.number, QStringLiteral("die Zeitzone der Geburt ist nicht die der Datenbank"));
    ++a.counts[QStringLiteral("Zeitzone ") + Core::germanZoneText(t.zone)];
    const double exact = Astro::localSiderealTime(birth, t.longitude()) * 3600;
    if (std::abs(offFromExact(t.birthSiderealTime, exact)) > 1.5)
        a.fault(t.number, QStringLiteral("die Sternzeit der Geburt weicht vom Himmel ab"));
}

void auditPageAndEvent(Audit &a, const RectificationTask &t)
{
    const double obliquity = Astro::meanObliquity(utcOf(t.birthDate, t.recordedTime, t.zone));
    for (const HouseTableRow &row : t.page) {
        for (const Astro::Axis axis : {Astro::Axis::MC, Astro::Axis::AC}) {
            const double exact = Astro::axisLongitude(axis, row.ramc, obliquity, t.latitude());
            if (std::lround(exact * 60) % (360 * 60) * 60 != row.value(axis))
                a.fault(t.number, QStringLiteral("ein Tabellenwert ist falsch"));
        }
    }
    // The aspect: the planet and its aspect point a whole number of the
    // aspect's signs apart.
    const int signs[] = {0, 2, 3, 4, 6};
    const qint32 apart = Astro::arcAhead(t.aspectPoint, t.planetPosition);
    if (std::abs(apart) != signs[static_cast<int>(t.aspect)] * Core::ArcSecondsPerSign &&
        !(t.aspect == Aspect::Opposition && std::abs(apart) == 180 * 3600))
        a.fault(t.number, QStringLiteral("der Aspektpunkt ist nicht der des Aspekts"));
    const Core::AgeInYearsAndDays age = Core::ageAt(t.birthDate, t.eventDate);
    // The event lies in the past: the last birthday before it in 2025 at the latest.
    if (age.years < 18 || age.years > 70 || t.birthDate.year() + age.years > 2025)
        a.fault(t.number, QStringLiteral("das Ereignis liegt außerhalb von 18 bis 70 Jahren"));
    ++a.counts[aspectName(t.aspect)];
}

void auditAnswer(Audit &a, const RectificationTask &t, double &worst)
{
    const Rectification::Exact exact = exactCorrection(t);
    const double off = std::abs(correctionSeconds(t.hand) - exact.siderealSeconds);
    worst = std::max(worst, off);
    if (off > 30)
        a.fault(t.number, QStringLiteral("die Handrechnung liegt mehr als 30 s neben der genauen"));
    // The exact correction finds the true birth again, 20 s to 4 min from
    // the recorded one.
    if (std::abs(exact.civilSeconds - t.trueOffset) >= 1.5 || std::abs(t.trueOffset) < 20 ||
        std::abs(t.trueOffset) > 230)
        a.fault(t.number, QStringLiteral("die genaue Korrektur findet die wahre Geburt nicht"));
    // The planet's aspect point lies between the two rows' values, 30'' from each.
    const qint32 smaller = t.page.at(t.hand.smallerRow).value(t.axis);
    const qint32 greater = t.page.at(t.hand.smallerRow + 1).value(t.axis);
    if (Astro::arcAhead(t.aspectPoint, smaller) < 30 ||
        Astro::arcAhead(greater, t.aspectPoint) < 30)
        a.fault(t.number, QStringLiteral("der Aspektpunkt liegt nicht zwischen den Zeilen"));
    if (smaller / Core::ArcSecondsPerSign != greater / Core::ArcSecondsPerSign)
        ++a.counts[QStringLiteral("Achse über die Zeichengrenze")];
}

void auditSidereal(Audit &a, const SiderealTask &t)
{
    QByteArray zone = "Europe/Berlin";
    for (const PlaceAbroad &place : PlacesAbroad) {
        if (t.abroad && t.place == QString::fromUtf16(place.name))
            zone = place.zone;
    }
    if (databaseOffset(zone, t.birthDate, t.birthTime) != t.zone.hours)
        a.fault(t.number, QStringLiteral("die Zeitzone ist nicht die der Datenbank"));
    for (const SiderealDay &day : t.page) {
        const double exact = Astro::greenwichSiderealTime(day.date.startOfDay(QTimeZone::utc()));
        if (std::abs(offFromExact(day.siderealTime, exact * 3600)) > 0.5)
            a.fault(t.number, QStringLiteral("ein Ephemeridenwert ist falsch"));
    }
    const double exact = Astro::localSiderealTime(utcOf(t.birthDate, t.birthTime, t.zone.hours),
                                                  t.longitudeMinutes / 60.0) *
                         3600;
    if (std::abs(offFromExact(t.hand.siderealTime, exact)) > 1.5)
        a.fault(t.number, QStringLiteral("die Handrechnung weicht vom Himmel ab"));
    ++a.counts[t.abroad ? QStringLiteral("im Ausland") : QStringLiteral("in Deutschland")];
    if (t.hand.ephemerisDay != t.birthDate)
        ++a.counts[QStringLiteral("Weltzeit an einem anderen Tag")];
}

// A position as the page prints it, "14°22'30'' Krebs", read back; -1 if it
// is not one.
qint32 readPosition(const QString &text)
{
    static const QRegularExpression shape(QStringLiteral("^(\\d+)°(\\d\\d)'(\\d\\d)'' (\\S+)$"));
    const QRegularExpressionMatch m = shape.match(text);
    const std::optional<int> sign = m.hasMatch() ? Astro::signNamed(m.captured(4)) : std::nullopt;
    return sign ? Astro::positionOf(*sign, m.captured(1).toInt(), m.captured(2).toInt(),
                                    m.captured(3).toInt())
                : -1;
}

// The answer worked again from what the student reads: the page's positions
// and the radix as printed, the pair of days that encloses it.
void auditPrintedPage(Audit &a, const SolarTask &t)
{
    QList<EphemerisDay> read;
    for (const EphemerisDay &day : t.page)
        read.append({day.date, readPosition(Astro::positionText(day.position))});
    const qint32 radix = readPosition(Astro::positionText(t.radix));
    const std::optional<int> first = enclosingPair(read, radix);
    const std::optional<SolarHandSolution> hand =
        first ? solarHandSolution(
                    {read[*first].date, read[*first].position, read[*first + 1].position}, radix,
                    t.zone)
              : std::nullopt;
    if (!hand || hand->date != t.hand.date || hand->clock != t.hand.clock ||
        hand->acrossSign != (Astro::signIndex(read[*first].position) !=
                             Astro::signIndex(read[*first + 1].position)))
        a.fault(t.number,
                QStringLiteral("vom gedruckten Blatt gerechnet kommt etwas anderes heraus"));
}

// The zones of the residences abroad, as the database names them.
QByteArray residenceZone(const QString &residence)
{
    static const QMap<QString, QByteArray> zones{
        {QStringLiteral("New York"), "America/New_York"},
        {QStringLiteral("Los Angeles"), "America/Los_Angeles"},
        {QStringLiteral("Chicago"), "America/Chicago"},
        {QStringLiteral("Rio de Janeiro"), "America/Sao_Paulo"},
        {QStringLiteral("Moskau"), "Europe/Moscow"},
        {QStringLiteral("Peking"), "Asia/Shanghai"},
        {QStringLiteral("Tokio"), "Asia/Tokyo"}};
    return residence.isEmpty() ? QByteArray("Europe/Berlin") : zones.value(residence);
}

void auditSolar(Audit &a, const SolarTask &t, double &worst)
{
    const QTimeZone zone(residenceZone(t.residence));
    const QDateTime midYear(QDate(t.solarYear, 1, 15), QTime(12, 0), QTimeZone::utc());
    const QDateTime lateYear(QDate(t.solarYear, 7, 15), QTime(12, 0), QTimeZone::utc());
    // Standard time all year: the offset without summer time, the same in
    // January and July (Moscow changed its standard time twice).
    if (!zone.isValid() || zone.standardTimeOffset(midYear) != t.zone * 3600 ||
        zone.standardTimeOffset(lateYear) != t.zone * 3600)
        a.fault(t.number, QStringLiteral("die Zeitzone ist nicht die Normalzeit der Datenbank"));
    for (const EphemerisDay &day : t.page) {
        const double exact =
            Astro::apparentSolarLongitude(day.date.startOfDay(QTimeZone::utc())) * 3600;
        if (std::abs(std::remainder(day.position - exact, 360.0 * 3600)) > 0.5)
            a.fault(t.number, QStringLiteral("ein Ephemeridenwert ist falsch"));
    }
    const EphemerisPair pair = t.pair();
    const qint32 b = Astro::arcAhead(t.radix, pair.position1);
    const qint32 motion = Astro::arcAhead(pair.position2, pair.position1);
    if (b < 0 || b >= motion)
        a.fault(t.number, QStringLiteral("das Tagespaar umschließt die Radix-Sonne nicht"));
    auditPrintedPage(a, t);
    // The hand answer in the zone of the task against the exact moment.
    const QDateTime hand(t.hand.date,
                         QTime(t.hand.clock.units, t.hand.clock.minutes, t.hand.clock.seconds),
                         QTimeZone(t.zone * 3600));
    const double off = std::abs(double(exactMoment(t).msecsTo(hand))) / 1000;
    worst = std::max(worst, off);
    if (off > 60)
        a.fault(t.number, QStringLiteral("die Handrechnung liegt mehr als 1 min neben dem Solar"));
    ++a.counts[t.residence.isEmpty() ? QStringLiteral("in Deutschland")
                                     : QStringLiteral("im Ausland")];
    if (t.acrossSign())
        ++a.counts[QStringLiteral("über die Zeichengrenze")];
    if (t.hand.nextDay)
        ++a.counts[QStringLiteral("-24h")];
    if (t.hand.previousDay)
        ++a.counts[QStringLiteral("+24h")];
}

void print(QTextStream &out, const QString &title, const Audit &a, qint64 ms)
{
    out << title << " (" << ms / 1000 << " s): " << a.faults.size() << " Fehler\n";
    for (auto it = a.counts.cbegin(); it != a.counts.cend(); ++it)
        out << "    " << it.key() << ": " << it.value() << '\n';
    for (const QString &fault : a.faults.mid(0, 20))
        out << "    " << fault << '\n';
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 20'000;
    QTextStream out(stdout);
    QElapsedTimer timer;
    timer.start();
    Audit rectification;
    double worst = 0;
    for (int number = 1; number <= count; ++number) {
        const RectificationTask task = *makeRectificationTask(number);
        auditPlanetAndZone(rectification, task);
        auditPageAndEvent(rectification, task);
        auditAnswer(rectification, task, worst);
    }
    print(out, QStringLiteral("Rektifikation, %1 Aufgaben").arg(count), rectification,
          timer.restart());
    out << "    Handrechnung höchstens " << worst << " s neben der genauen\n";
    Audit sidereal;
    for (int number = 1; number <= count; ++number)
        auditSidereal(sidereal, *makeSiderealTask(number));
    print(out, QStringLiteral("Sternzeit der Geburt, %1 Aufgaben").arg(count), sidereal,
          timer.restart());
    Audit solar;
    double solarWorst = 0;
    for (int number = 1; number <= count; ++number)
        auditSolar(solar, *makeSolarTask(number), solarWorst);
    print(out, QStringLiteral("Solar, %1 Aufgaben").arg(count), solar, timer.elapsed());
    out << "    Handrechnung höchstens " << solarWorst << " s neben dem Solar\n";
    // The shares hold in every block of ten numbers.
    if (count % 10 == 0 &&
        (rectification.counts.value(QStringLiteral("Achse über die Zeichengrenze")) != count / 2 ||
         solar.counts.value(QStringLiteral("im Ausland")) != count / 5 ||
         solar.counts.value(QStringLiteral("über die Zeichengrenze")) != count / 10))
        solar.faults << QStringLiteral("Die Anteile der Aufgaben stimmen nicht.");
    return rectification.faults.isEmpty() && sidereal.faults.isEmpty() && solar.faults.isEmpty()
               ? 0
               : 1;
}
