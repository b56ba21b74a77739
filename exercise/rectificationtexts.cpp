#include "exercise/rectificationtexts.h"

#include "astro/zodiac.h"
#include "exercise/solartexts.h"

#include "core/calendar.h"
#include "core/notation.h"
#include "core/numbers.h"

using namespace Core;

namespace Exercise {

namespace {

// The equations of the calculator's steps of one number, as the calculation
// sheet writes them, from what the hand solution's steps gave.
QString equations(const RectificationHandSolution &hand, std::initializer_list<int> steps)
{
    QStringList lines;
    for (const int step : steps)
        lines << Rectification::rule(step).equation(hand.entries, &hand.results).toHtmlEscaped();
    return lines.join(QStringLiteral("; "));
}

QString ageText(const RectificationTask &task)
{
    const RectificationHandSolution &hand = task.hand;
    QString age = QStringLiteral("Alter zum Ereignis am ") + Notation::date(task.eventDate) +
                  QStringLiteral(": ") + plainNumber(hand.age.years) +
                  QStringLiteral(" Jahre und ") + plainNumber(hand.age.days) +
                  QStringLiteral(" Tage seit dem letzten Geburtstag.");
    if (!leapDayLine(task.birthDate).isEmpty())
        age += QStringLiteral(" Wer am 29. Februar geboren ist, hat in Gemeinjahren am 1. März "
                              "Geburtstag.");
    return age;
}

QString rowsText(const RectificationTask &task)
{
    const HouseTableRow &smaller = task.page.at(task.hand.smallerRow);
    const HouseTableRow &greater = task.page.at(task.hand.smallerRow + 1);
    return QStringLiteral("In der Häusertabelle liegt sie zwischen den Zeilen ") +
           Notation::rowTime(smaller.siderealSeconds()) + QStringLiteral(" und ") +
           Notation::rowTime(greater.siderealSeconds()) + QStringLiteral(". ") +
           axisName(task.axis) + QStringLiteral(": größerer Wert ") +
           Astro::tableValueText(greater.value(task.axis)) + QStringLiteral(", kleinerer Wert ") +
           Astro::tableValueText(smaller.value(task.axis)) +
           QStringLiteral(", korrigierter Wert (der Radix-Planet) ") +
           Astro::positionText(task.planetPosition) + QStringLiteral(". ");
}

QString exactText(const RectificationTask &task)
{
    const Rectification::Exact exact = exactCorrection(task);
    return QStringLiteral("<p>Genau gerechnet: die Achse ") + axisName(task.axis) +
           QStringLiteral(" erreicht den Aspektpunkt ") + Astro::positionText(task.aspectPoint) +
           QStringLiteral(" bei der RAMC ") + Notation::preciseAngle(exact.aspectRamc) +
           QStringLiteral(". Abzüglich des ungerundeten Direktionsbogens ") +
           Notation::preciseAngle(exact.arc) + QStringLiteral(" stand die RAMC der Geburt bei ") +
           Notation::preciseAngle(exact.birthRamc) +
           (task.siderealWorked
                ? QStringLiteral(". Gegenüber der genauen Sternzeit im Augenblick der Geburt, wie "
                                 "die Urkunde ihn nennt, ist die Korrektur ")
                : QStringLiteral(". Gegenüber der Sternzeit der Geburt, wie die Aufgabe sie "
                                 "nennt, ist die Korrektur ")) +
           exactCorrectionText(exact) + QStringLiteral(". Die Handrechnung weicht davon um ") +
           Notation::preciseDeviation(correctionSeconds(task.hand) - exact.siderealSeconds) +
           QStringLiteral(" Sternzeit ab.</p>");
}

} // namespace

QStringList rectificationTaskLines(const RectificationTask &task)
{
    QStringList lines{QStringLiteral("Geburtsdatum: ") + Notation::date(task.birthDate)};
    if (const QString leap = leapDayLine(task.birthDate); !leap.isEmpty())
        lines << leap;
    const QTime time = task.recordedTime;
    return lines +
           QStringList{QStringLiteral("Geburtszeit: ") + QString::number(time.hour()) + u'.' +
                           time.toString(QStringLiteral("mm")) + QStringLiteral(" Uhr (Zeitzone ") +
                           germanZoneText(task.zone) + u')',
                       QStringLiteral("Geburtsort: ") + task.town + QStringLiteral(", Breite ") +
                           Notation::latitude(task.latitudeMinutes) + QStringLiteral(", Länge ") +
                           Notation::longitude(task.longitudeMinutes),
                       task.siderealWorked
                           ? QStringLiteral("Sternzeit der Geburt: selbst berechnen, mit der "
                                            "Ephemeride der Sternzeit um 0h Weltzeit")
                           : QStringLiteral("Sternzeit der Geburt: ") +
                                 Notation::clock(task.birthSiderealTime),
                       QStringLiteral("Ereignis: ") + task.event + QStringLiteral(" am ") +
                           Notation::date(task.eventDate),
                       QStringLiteral("Achse: ") + axisName(task.axis),
                       QStringLiteral("Radix-Planet: ") + task.planet + u' ' +
                           Astro::positionText(task.planetPosition) + QStringLiteral(" (") +
                           aspectName(task.aspect) + u')'};
}

QString rectificationTaskHtml(const RectificationTask &task)
{
    QStringList lines;
    for (const QString &line : rectificationTaskLines(task))
        lines.append(line.toHtmlEscaped());
    return QStringLiteral("<p><b>Aufgabe ") + QString::number(task.number) +
           QStringLiteral(" (Rektifikation)</b></p><p>") + task.firstName.toHtmlEscaped() + u' ' +
           task.surname.toHtmlEscaped() +
           QStringLiteral(": die Geburtszeit ist nur auf die Minute genau überliefert. Zum "
                          "Ereignis hat die nach Naibod dirigierte Achse den Radix-Planeten im "
                          "genannten Aspekt erreicht.</p><p>") +
           lines.join(QStringLiteral("<br>")) +
           QStringLiteral("</p><p>Um wie viel muss die Geburtszeit korrigiert werden? "
                          "Berechnen Sie mit der Häusertabelle die gesuchte Zeitdifferenz "
                          "(Stunden, Minuten, Sekunden).</p>");
}

QString houseTableTitle(const RectificationTask &task)
{
    return QStringLiteral("Häusertabelle für ") + Notation::degreesMinutes(task.latitudeMinutes) +
           QStringLiteral(" nördlicher Breite");
}

QStringList houseTableHeaders()
{
    return {QStringLiteral("Sternzeit"), QStringLiteral("RAMC"), axisName(Core::Axis::MC),
            axisName(Core::Axis::AC)};
}

QStringList houseTableCells(const HouseTableRow &row)
{
    return {Notation::rowTime(row.siderealSeconds()), QString::number(row.ramc) + u'°',
            Astro::tableValueText(row.mc), Astro::tableValueText(row.ac)};
}

QString correctionText(const SexagesimalTriple &correction)
{
    return Rectification::resultRow({}, Sexagesimal::of(correction)).value().column3;
}

QString exactCorrectionText(const Rectification::Exact &exact)
{
    return Notation::preciseDuration(exact.siderealSeconds) + QStringLiteral(" Sternzeit, ") +
           Notation::preciseDuration(exact.civilSeconds) + QStringLiteral(" bürgerliche Zeit");
}

// The sidereal time of birth worked first, as the calculator "Sternzeit der
// Geburt" takes it.
QString siderealPart(const RectificationTask &task)
{
    using namespace Sidereal;
    const SiderealHandSolution &hand = task.sidereal;
    QStringList lines;
    for (const int step : {UniversalTimeStep, ShareStep, LongitudeStep, SumStep, WithinDayStep})
        lines << QString::fromUtf16(rule(step).name) + QStringLiteral(": ") +
                     rule(step).equation(hand.entries, &hand.results).toHtmlEscaped();
    return QStringLiteral("<p>Vorweg die Sternzeit der Geburt aus den Geburtsdaten (Rechner "
                          "„Sternzeit der Geburt“), mit der Sternzeit um 0h Weltzeit am ") +
           Notation::date(hand.ephemerisDay) + QStringLiteral(" aus der Ephemeride: ") +
           Notation::clock(hand.ephemeris) + QStringLiteral("<br>") +
           lines.join(QStringLiteral("<br>")) + QStringLiteral("<br><b>Sternzeit der Geburt: ") +
           Notation::clock(hand.siderealTime) + QStringLiteral("</b></p>");
}

// The worked solution: step 1 in words, then each numbered step with the
// equations its buttons give, then the exact correction.
QString rectificationSolutionHtml(const RectificationTask &task)
{
    using namespace Rectification;
    const RectificationHandSolution &hand = task.hand;
    QString html = QStringLiteral("<p><b>Lösung der Aufgabe ") + QString::number(task.number) +
                   QStringLiteral("</b></p>") +
                   (task.siderealWorked ? siderealPart(task) : QString()) + QStringLiteral("<ol>");
    const QString steps[] = {
        ageText(task),
        equations(hand, {DecimalYearsStep, ArcStep}),
        QStringLiteral("Direktionsbogen in Zeit: ") + equations(hand, {ArcTimeStep}),
        QStringLiteral("Sternzeit des Ereignisses: ") + equations(hand, {SumStep, WithinDayStep}),
        rowsText(task) + equations(hand, {TableStepStep, TowardsPlanetStep, QuotientStep}),
        QStringLiteral("Korrigierte RAMC: ") + equations(hand, {RamcSumStep, CorrectedRamcStep}),
        QStringLiteral("In Zeit: ") + equations(hand, {RamcTimeStep}),
        QStringLiteral("<b>Gesuchte Zeitdifferenz: ") + equations(hand, {CorrectionStep}) +
            QStringLiteral(", im Rechner ") + correctionText(hand.correction) +
            QStringLiteral("</b>")};
    for (const QString &step : steps)
        html += QStringLiteral("<li>") + step + QStringLiteral("</li>");
    return html + QStringLiteral("</ol>") + exactText(task) +
           QStringLiteral("<p>Warum: die Handrechnung teilt den Abstand zwischen zwei Zeilen "
                          "gleichmäßig auf (lineare Interpolation über 1° RAMC), obwohl sich "
                          "die Achse nicht ganz gleichmäßig bewegt; die Tabelle ist auf "
                          "Bogenminuten gerundet, Quotient und Zeiten auf vier Dezimalstellen; "
                          "und die Zeitdifferenz ist Sternzeit: eine Sekunde bürgerlicher Zeit "
                          "dauert 1,0027 Sekunden Sternzeit, was bei Minuten einige Zehntel "
                          "Sekunden ausmacht.</p>");
}

} // namespace Exercise
