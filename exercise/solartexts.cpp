#include "exercise/solartexts.h"

#include "astro/sun.h"
#include "astro/zodiac.h"
#include "core/notation.h"
#include "core/numbers.h"

#include <QLocale>
#include <QTimeZone>

#include <array>

using namespace Core;

namespace Exercise {

namespace {

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

// The four-place decimal hours as step 4 rounds them: "8,7789" under German
// settings, always four places, so that the rounding shows.
QString decimalHoursText(FixedDecimal hours)
{
    const qint64 count = hours.tenThousandths();
    const qint64 magnitude = count < 0 ? -count : count;
    return (count < 0 ? QStringLiteral("-") : QString()) + QString::number(magnitude / 10000) +
           QLocale().decimalPoint() + QString::number(magnitude % 10000).rightJustified(4, u'0');
}

QString inSign(qint32 position)
{
    return arcText(secondsToTriple(position % Core::ArcSecondsPerSign));
}

} // namespace

QString arcText(const SexagesimalTriple &arc)
{
    return Notation::angle(pickersToSeconds(arc));
}

QString positionText(qint32 position)
{
    return Astro::positionText(position);
}

QString clockText(const SexagesimalTriple &time)
{
    return Notation::clock(pickersToSeconds(time));
}

QString dateText(QDate date)
{
    return Notation::date(date);
}

QString dayText(QDate date)
{
    // Written out here rather than taken from the locale: an ephemeris page
    // reads the same on every desktop.
    static const std::array<QString, 7> weekdays{
        QStringLiteral("Mo"), QStringLiteral("Di"), QStringLiteral("Mi"), QStringLiteral("Do"),
        QStringLiteral("Fr"), QStringLiteral("Sa"), QStringLiteral("So")};
    return weekdays.at(static_cast<std::size_t>(date.dayOfWeek() - 1)) + u' ' + dateText(date);
}

QString zoneText(int zone)
{
    return Notation::zone(zone);
}

QString leapDayLine(QDate birthDate)
{
    if (birthDate.month() != 2 || birthDate.day() != 29)
        return {};
    return QStringLiteral("Geburtstag in Gemeinjahren: 1. März");
}

QString solarTaskHtml(const SolarTask &task)
{
    const QString leap = leapDayLine(task.birthDate);
    return QStringLiteral("<p><b>Aufgabe ") + QString::number(task.number) +
           QStringLiteral("</b></p><p>") + escaped(task.firstName) + u' ' + escaped(task.surname) +
           QStringLiteral(" wurde am ") + dateText(task.birthDate) + QStringLiteral(" in ") +
           escaped(task.town) + QStringLiteral(" geboren.</p><p>") +
           QStringLiteral("Radix-Sonne: ") + positionText(task.radix) +
           QStringLiteral("<br>Solar für das Jahr: ") + QString::number(task.solarYear) +
           QStringLiteral("<br>Zeitzone: ") + zoneText(task.zone) +
           (leap.isEmpty() ? QString() : QStringLiteral("<br>") + leap) +
           QStringLiteral("</p><p>Berechnen Sie Datum und Uhrzeit des Solars.</p>");
}

ExactComparison compareWithExact(const SolarTask &task, const QDateTime &exactUtc)
{
    // Both moments as clock times of the zone, the exact one to the whole
    // second as everywhere it is shown.
    const QDateTime exact = Astro::wholeSecond(exactUtc).addSecs(qint64{task.zone} * 3600);
    const QDateTime hand =
        task.hand.date.startOfDay(QTimeZone::utc()).addSecs(pickersToSeconds(task.hand.clock));

    ExactComparison comparison;
    comparison.date = exact.date();
    comparison.clock = secondsToTriple(exact.time().msecsSinceStartOfDay() / 1000);
    comparison.handMinusExact = static_cast<qint32>(exact.secsTo(hand));
    return comparison;
}

QString exactText(const SolarTask &task, const ExactComparison &exact)
{
    return dateText(exact.date) + QStringLiteral(" um ") + clockText(exact.clock) +
           QStringLiteral(" (Zeitzone ") + zoneText(task.zone) + u')';
}

QString solarSolutionHtml(const SolarTask &task, const QDateTime &exactUtc)
{
    const EphemerisPair pair = task.pair();
    const SolarHandSolution &hand = task.hand;
    const QString minus = QStringLiteral(" − ");
    QString html = QStringLiteral("<p><b>Lösung der Aufgabe ") + QString::number(task.number) +
                   QStringLiteral("</b></p><ol>");
    const auto step = [&html](const QString &text) {
        html += QStringLiteral("<li>") + text + QStringLiteral("</li>");
    };
    const QString leap =
        leapDayLine(task.birthDate).isEmpty() || QDate::isLeapYear(task.solarYear)
            ? QString()
            : QStringLiteral("Der Geburtstag ist der 29. Februar; im Gemeinjahr ") +
                  QString::number(task.solarYear) +
                  QStringLiteral(" gilt der 1. März, um ihn liegt die Ephemeridenseite. ");
    step(leap + QStringLiteral("Die Radix-Sonne ") + positionText(task.radix) +
         QStringLiteral(" liegt zwischen dem 1. Datum ") + dayText(pair.date1) +
         QStringLiteral(" (") + positionText(pair.position1) +
         QStringLiteral(") und dem 2. Datum ") + dayText(pair.date1.addDays(1)) +
         QStringLiteral(" (") + positionText(pair.position2) + QStringLiteral(")."));
    step(QStringLiteral("Differenz Sonnenbewegung: A = ") + inSign(pair.position2) + minus +
         inSign(pair.position1) + QStringLiteral(" = ") + arcText(hand.motion));
    step(QStringLiteral("Entfernungswert: B = ") + inSign(task.radix) + minus +
         inSign(pair.position1) + QStringLiteral(" = ") + arcText(hand.distance));
    step(QStringLiteral("Uhrzeit des Solars: B ÷ A × 24 h = ") + arcText(hand.distance) +
         QStringLiteral(" ÷ ") + arcText(hand.motion) + QStringLiteral(" × 24 h = ") +
         decimalHoursText(hand.decimalHours) + QStringLiteral(" h = ") + clockText(hand.greenwich) +
         QStringLiteral(" Greenwich-Zeit am ") + dateText(pair.date1));
    step(QStringLiteral("Zeitzone ") + zoneText(task.zone) + QStringLiteral(": ") +
         clockText(hand.greenwich) + QStringLiteral(" ") + zoneText(task.zone) +
         QStringLiteral(" h = ") + clockText(hand.zoneTime));
    if (hand.nextDay)
        step(QStringLiteral("Tagesausgleich -24h: ") + clockText(hand.clock) +
             QStringLiteral("; die Uhrzeit gehört zum folgenden Tag, dem ") + dateText(hand.date) +
             u'.');
    else if (hand.previousDay)
        step(QStringLiteral("Tagesausgleich +24h: ") + clockText(hand.clock) +
             QStringLiteral("; die Uhrzeit gehört zum Tag davor, dem ") + dateText(hand.date) +
             u'.');
    else
        step(QStringLiteral("Tagesausgleich +0h: ") + clockText(hand.clock) +
             QStringLiteral("; der Solar fällt auf das 1. Datum."));
    step(QStringLiteral("<b>Endergebnis: Solar am ") + dateText(hand.date) +
         QStringLiteral(" um ") + clockText(hand.clock) + QStringLiteral("</b>"));
    html += QStringLiteral("</ol>");

    const ExactComparison exact = compareWithExact(task, exactUtc);
    html += QStringLiteral("<p>Genauer Zeitpunkt, aus der wahren Bewegung der Sonne berechnet: ") +
            exactText(task, exact) +
            QStringLiteral(". Die Handrechnung mit den gerundeten Positionen der Ephemeride "
                           "weicht davon um ") +
            Notation::timeDeviation(exact.handMinusExact) + QStringLiteral(" ab.</p>");
    return html;
}

} // namespace Exercise
