#include "exercise/siderealtexts.h"

#include "exercise/solartexts.h"

#include "core/calendar.h"
#include "core/notation.h"
#include "core/rules.h"
#include "sternzeit/siderealcheck.h"

#include <cmath>

using namespace Core;

namespace Exercise {

QStringList siderealTaskLines(const SiderealTask &task)
{
    QStringList lines{QStringLiteral("Geburtsdatum: ") + Notation::date(task.birthDate)};
    const QTime time = task.birthTime;
    return lines << QStringLiteral("Geburtszeit: ") + QString::number(time.hour()) + u'.' +
                        time.toString(QStringLiteral("mm")) + QStringLiteral(" Uhr (Zeitzone ") +
                        zoneText(task.zone) + u')'
                 << QStringLiteral("Geburtsort: ") + task.place + QStringLiteral(", Breite ") +
                        Notation::latitude(task.latitudeMinutes) + QStringLiteral(", Länge ") +
                        Notation::longitude(task.longitudeMinutes);
}

QString siderealTaskHtml(const SiderealTask &task)
{
    QStringList lines;
    for (const QString &line : siderealTaskLines(task))
        lines.append(line.toHtmlEscaped());
    return QStringLiteral("<p><b>Aufgabe ") + QString::number(task.number) +
           QStringLiteral(" (Sternzeit)</b></p><p>") + task.firstName.toHtmlEscaped() + u' ' +
           task.surname.toHtmlEscaped() +
           QStringLiteral(": die Geburtszeit ist die gesetzliche Uhrzeit des Geburtsorts.</p><p>") +
           lines.join(QStringLiteral("<br>")) +
           QStringLiteral("</p><p>Berechnen Sie die Sternzeit der Geburt (Stunden, Minuten, "
                          "Sekunden) mit der Ephemeride der Sternzeit um 0h Weltzeit.</p>");
}

QString siderealPageTitle()
{
    return QStringLiteral("Ephemeride: Sternzeit um 0h Weltzeit (UT)");
}

QStringList siderealPageHeaders()
{
    return {QStringLiteral("Datum"), QStringLiteral("Sternzeit")};
}

QStringList siderealPageCells(const SiderealDay &day)
{
    return {dayText(day.date), Notation::clock(day.siderealTime)};
}

// Step 2 is read, not computed: the page's value of the day the universal
// time falls on. The other steps write their equations as the calculation
// sheet does.
QString siderealSolutionHtml(const SiderealTask &task)
{
    using namespace Sidereal;
    const SiderealHandSolution &hand = task.hand;
    const auto step = [&hand](int s) -> QString {
        return QString::fromUtf16(rule(s).name) + QStringLiteral(": ") +
               rule(s).equation(hand.entries, &hand.results).toHtmlEscaped();
    };
    QString dayNote;
    if (hand.ephemerisDay != task.birthDate)
        dayNote = QStringLiteral(" Die Weltzeit fällt auf den ") +
                  Notation::date(hand.ephemerisDay) +
                  QStringLiteral(", nicht auf den Geburtstag: es gilt der Wert dieses Tags.");
    const QString items[] = {step(UniversalTimeStep),
                             QStringLiteral("Sternzeit um 0h Weltzeit am ") +
                                 Notation::date(hand.ephemerisDay) +
                                 QStringLiteral(" aus der Ephemeride: ") +
                                 Notation::clock(hand.ephemeris) + u'.' + dayNote,
                             step(ShareStep), step(LongitudeStep),
                             step(SumStep) + QStringLiteral("<br>") + step(WithinDayStep)};
    QString html = QStringLiteral("<p><b>Lösung der Aufgabe ") + QString::number(task.number) +
                   QStringLiteral("</b></p><ol>");
    for (const QString &item : items)
        html += QStringLiteral("<li>") + item + QStringLiteral("</li>");
    return html + QStringLiteral("</ol><p><b>Sternzeit der Geburt: ") +
           Notation::clock(hand.siderealTime) + QStringLiteral("</b></p><p>Genau gerechnet: ") +
           exactSiderealText(task) + QStringLiteral("</p>");
}

QString exactSiderealText(const SiderealTask &task)
{
    const Sidereal::Exact exact =
        Sidereal::exactSiderealTime(task.birthDate, task.birthTime.msecsSinceStartOfDay() / 1000,
                                    task.zone.hours, task.longitudeMinutes);
    const double off = std::remainder(task.hand.siderealTime - exact.siderealTime, SecondsPerDay);
    return Notation::preciseClock(exact.siderealTime) +
           QStringLiteral(". Die Handrechnung weicht davon um ") + Notation::preciseDeviation(off) +
           QStringLiteral(" ab: die Ephemeride ist auf die Sekunde gerundet, ebenso der "
                          "Zuschlag.");
}

} // namespace Exercise
