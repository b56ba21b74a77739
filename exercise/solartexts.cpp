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

QString clock(const SexagesimalTriple &time)
{
    return Notation::clock(time);
}

// The zone of the Solar as the task gives it: "Zeitzone: +1" in Germany,
// "Wohnort im Solarjahr: New York (Zeitzone -5)" abroad.
QString zoneLine(const SolarTask &task)
{
    if (task.residence.isEmpty())
        return QStringLiteral("Zeitzone: ") + Notation::zone(task.zone);
    return QStringLiteral("Wohnort im Solarjahr: ") + escaped(task.residence) +
           QStringLiteral(" (Zeitzone ") + Notation::zone(task.zone) + u')';
}

// Steps 2 and 3 of the worked solution. Across a sign the form's step 2
// (and step 3, where the radix already lies in the second sign) refuses the
// pair, and the value is worked by hand with 30° and typed into step 4.
QString motionLine(const SolarTask &task)
{
    const SolarHandSolution &hand = task.hand;
    if (!hand.acrossSign)
        return QStringLiteral("Differenz Sonnenbewegung: ") +
               Solar::rule(Solar::MotionStep).equation(hand.entries, &hand.results).toHtmlEscaped();
    return QStringLiteral("Differenz Sonnenbewegung, von Hand über die Zeichengrenze (Schritt 2 "
                          "des Rechners meldet „1. Datum größer als 2. Datum!“): ") +
           Solar::acrossSignEquation(Solar::MotionStep, hand.entries).toHtmlEscaped() +
           QStringLiteral(", in Schritt 4 eingetragen.");
}

QString distanceLine(const SolarTask &task)
{
    const SolarHandSolution &hand = task.hand;
    const QString equation =
        Solar::rule(Solar::DistanceStep).equation(hand.entries, &hand.results).toHtmlEscaped();
    if (!hand.acrossSign)
        return QStringLiteral("Entfernungswert: ") + equation;
    if (!hand.radixInSecondSign)
        return QStringLiteral("Entfernungswert: ") + equation +
               QStringLiteral(" (die Radix-Sonne steht noch im Zeichen des 1. Datums, ohne 30°).");
    return QStringLiteral("Entfernungswert, von Hand über die Zeichengrenze (die Radix-Sonne "
                          "steht schon im neuen Zeichen, Schritt 3 des Rechners meldet „1. Datum "
                          "größer als Radix-Sonnenposition“): ") +
           Solar::acrossSignEquation(Solar::DistanceStep, hand.entries).toHtmlEscaped() +
           QStringLiteral(", in Schritt 4 eingetragen.");
}

} // namespace

QString dayText(QDate date)
{
    // Written out here rather than taken from the locale: an ephemeris page
    // reads the same on every desktop.
    static const std::array<QString, 7> weekdays{
        QStringLiteral("Mo"), QStringLiteral("Di"), QStringLiteral("Mi"), QStringLiteral("Do"),
        QStringLiteral("Fr"), QStringLiteral("Sa"), QStringLiteral("So")};
    return weekdays.at(static_cast<std::size_t>(date.dayOfWeek() - 1)) + u' ' +
           Notation::date(date);
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
           QStringLiteral(" wurde am ") + Notation::date(task.birthDate) + QStringLiteral(" in ") +
           escaped(task.town) + QStringLiteral(" geboren.</p><p>") +
           QStringLiteral("Radix-Sonne: ") + Astro::positionText(task.radix) +
           QStringLiteral("<br>Solar für das Jahr: ") + QString::number(task.solarYear) +
           QStringLiteral("<br>") + zoneLine(task) +
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
    return Notation::date(exact.date) + QStringLiteral(" um ") + clock(exact.clock) +
           QStringLiteral(" (") +
           (task.residence.isEmpty() ? QString() : task.residence + QStringLiteral(", ")) +
           QStringLiteral("Zeitzone ") + Notation::zone(task.zone) + u')';
}

// The worked solution: the pair of days in words, then each step with the
// equation the calculator's step gives, the day shift and the final result,
// then the exact moment.
QString solarSolutionHtml(const SolarTask &task, const QDateTime &exactUtc)
{
    const EphemerisPair pair = task.pair();
    const SolarHandSolution &hand = task.hand;
    const auto equation = [&hand](int step) {
        return Solar::rule(step).equation(hand.entries, &hand.results).toHtmlEscaped();
    };
    const QString leap =
        leapDayLine(task.birthDate).isEmpty() || QDate::isLeapYear(task.solarYear)
            ? QString()
            : QStringLiteral("Der Geburtstag ist der 29. Februar; im Gemeinjahr ") +
                  QString::number(task.solarYear) +
                  QStringLiteral(" gilt der 1. März, um ihn liegt die Ephemeridenseite. ");
    const QString shift = hand.nextDay       ? QStringLiteral("; die Uhrzeit gehört zum folgenden "
                                                                    "Tag, dem ")
                          : hand.previousDay ? QStringLiteral("; die Uhrzeit gehört zum Tag "
                                                              "davor, dem ")
                                             : QStringLiteral("; der Solar fällt auf das 1. "
                                                              "Datum, den ");
    const QString across = hand.acrossSign ? QStringLiteral(" Die beiden Tage liegen in zwei "
                                                            "Zeichen: Der Rechner zieht nur "
                                                            "innerhalb eines Zeichens ab, über die "
                                                            "Zeichengrenze kommen 30° hinzu.")
                                           : QString();
    const QString residence =
        task.residence.isEmpty()
            ? QString()
            : QStringLiteral("Der Solar gilt am Wohnort im Solarjahr, ") + escaped(task.residence) +
                  QStringLiteral(": Zeitzone ") + Notation::zone(task.zone) +
                  QStringLiteral(" (Normalzeit, das ganze Jahr, wie +1 für Deutschland). ");
    const QString steps[] = {
        leap + QStringLiteral("Die Radix-Sonne ") + Astro::positionText(task.radix) +
            QStringLiteral(" liegt zwischen dem 1. Datum ") + dayText(pair.date1) +
            QStringLiteral(" (") + Astro::positionText(pair.position1) +
            QStringLiteral(") und dem 2. Datum ") + dayText(pair.date1.addDays(1)) +
            QStringLiteral(" (") + Astro::positionText(pair.position2) + QStringLiteral(").") +
            across,
        motionLine(task),
        distanceLine(task),
        QStringLiteral("Uhrzeit des Solars: B ÷ A × 24 h; ") +
            equation(Solar::GreenwichStep).replace(u'\n', QStringLiteral("; ")) +
            QStringLiteral(" Greenwich-Zeit am ") + Notation::date(pair.date1),
        residence + equation(Solar::ZoneStep),
        equation(Solar::FinalStep) + shift + Notation::date(hand.date) + u'.',
        QStringLiteral("<b>Endergebnis: Solar am ") + Notation::date(hand.date) +
            QStringLiteral(" um ") + clock(hand.clock) + QStringLiteral("</b>")};
    QString html = QStringLiteral("<p><b>Lösung der Aufgabe ") + QString::number(task.number) +
                   QStringLiteral("</b></p><ol>");
    for (const QString &step : steps)
        html += QStringLiteral("<li>") + step + QStringLiteral("</li>");
    const ExactComparison exact = compareWithExact(task, exactUtc);
    return html +
           QStringLiteral("</ol><p>Genauer Zeitpunkt, aus der wahren Bewegung der Sonne "
                          "berechnet: ") +
           exactText(task, exact) +
           QStringLiteral(". Die Handrechnung mit den gerundeten Positionen der Ephemeride "
                          "weicht davon um ") +
           Notation::timeDeviation(exact.handMinusExact) + QStringLiteral(" ab.</p>");
}

} // namespace Exercise
