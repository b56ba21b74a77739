#include "exercise/rectificationtexts.h"

#include "astro/zodiac.h"
#include "exercise/solartexts.h"

#include "core/notation.h"

#include <QLocale>

#include <cmath>

using namespace Core;

namespace Exercise {

namespace {

QString twoDigits(qint64 value)
{
    return QString::number(value).rightJustified(2, u'0');
}

// "48°08'": a geographic coordinate to the minute.
QString degreesMinutes(int minutes)
{
    return QString::number(minutes / 60) + u'°' + twoDigits(minutes % 60) + u'\'';
}

// A printed table value: degrees within the sign, minutes, the sign.
QString tableValueText(qint32 position)
{
    const qint32 inSign = position % Core::ArcSecondsPerSign;
    return QString::number(inSign / 3600) + u'°' + twoDigits(inSign / 60 % 60) + u'\'' + u' ' +
           Astro::signName(position / Core::ArcSecondsPerSign);
}

// An angle to a tenth of a second: "123°35'07,4''".
QString preciseArcText(double degrees)
{
    const qint64 tenths = std::llround(degrees * 36000.0);
    const qint64 seconds = tenths / 10;
    return QString::number(seconds / 3600) + u'°' + twoDigits(seconds / 60 % 60) + u'\'' +
           twoDigits(seconds % 60) + QLocale().decimalPoint() + QString::number(tenths % 10) +
           QStringLiteral("''");
}

QString signCorrectionText(double degrees)
{
    return degrees > 0   ? QStringLiteral("+30°")
           : degrees < 0 ? QStringLiteral("-30°")
                         : QStringLiteral("+0°");
}

} // namespace

QStringList rectificationTaskLines(const RectificationTask &task)
{
    const int hour = task.recordedTime.hour();
    QStringList lines{QStringLiteral("Geburtsdatum: ") + dateText(task.birthDate)};
    if (const QString leap = leapDayLine(task.birthDate); !leap.isEmpty())
        lines << leap;
    return lines +
           QStringList{QStringLiteral("Geburtszeit: ") + QString::number(hour) + u'.' +
                           twoDigits(task.recordedTime.minute()) +
                           QStringLiteral(" Uhr (Zeitzone ") + zoneText(task.zone) + u')',
                       QStringLiteral("Geburtsort: ") + task.town + QStringLiteral(", Breite ") +
                           degreesMinutes(task.latitudeMinutes) + QStringLiteral(" N, Länge ") +
                           degreesMinutes(task.longitudeMinutes) + QStringLiteral(" O"),
                       QStringLiteral("Sternzeit der Geburt: ") +
                           siderealText(task.birthSiderealTime),
                       QStringLiteral("Ereignis: ") + task.event + QStringLiteral(" am ") +
                           dateText(task.eventDate),
                       QStringLiteral("Achse: ") + axisName(task.axis),
                       QStringLiteral("Radix-Planet: ") + task.planet + u' ' +
                           positionText(task.planetPosition) + QStringLiteral(" (") +
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
    return QStringLiteral("Häusertabelle für ") + degreesMinutes(task.latitudeMinutes) +
           QStringLiteral(" nördlicher Breite");
}

QStringList houseTableHeaders()
{
    return {QStringLiteral("Sternzeit"), QStringLiteral("RAMC"), QStringLiteral("MC"),
            QStringLiteral("AC")};
}

QStringList houseTableCells(const HouseTableRow &row)
{
    return {rowTimeText(row.siderealSeconds()), QString::number(row.ramc) + u'°',
            tableValueText(row.mc), tableValueText(row.ac)};
}

QString rowTimeText(qint32 siderealSeconds)
{
    return QString::number(siderealSeconds / 3600) + u'h' + twoDigits(siderealSeconds / 60 % 60) +
           u'm';
}

QString siderealText(qint32 seconds)
{
    return rowTimeText(seconds) + twoDigits(seconds % 60) + u's';
}

QString correctionText(const SexagesimalTriple &correction)
{
    return QString::number(correction.units) + u'h' + QString::number(correction.minutes) + u'm' +
           QString::number(correction.seconds) + u's';
}

QString exactCorrectionText(const Rectification::Exact &exact)
{
    return Notation::preciseDuration(exact.siderealSeconds) + QStringLiteral(" Sternzeit, ") +
           Notation::preciseDuration(exact.civilSeconds) + QStringLiteral(" bürgerliche Zeit");
}

QString rectificationSolutionHtml(const RectificationTask &task)
{
    const RectificationHandSolution &hand = task.hand;
    const HouseTableRow &smallerRow = task.page.at(hand.smallerRow);
    const HouseTableRow &greaterRow = task.page.at(hand.smallerRow + 1);
    const QString minus = QStringLiteral(" − ");
    QString html = QStringLiteral("<p><b>Lösung der Aufgabe ") + QString::number(task.number) +
                   QStringLiteral("</b></p><ol>");
    const auto step = [&html](const QString &text) {
        html += QStringLiteral("<li>") + text + QStringLiteral("</li>");
    };
    QString age = QStringLiteral("Alter zum Ereignis am ") + dateText(task.eventDate) +
                  QStringLiteral(": ") + QString::number(hand.age.years) +
                  QStringLiteral(" Jahre und ") + QString::number(hand.age.days) +
                  QStringLiteral(" Tage seit dem letzten Geburtstag.");
    if (!leapDayLine(task.birthDate).isEmpty())
        age += QStringLiteral(" Wer am 29. Februar geboren ist, hat in Gemeinjahren am 1. März "
                              "Geburtstag.");
    step(age);
    step(QString::number(hand.age.days) + QStringLiteral(" / 365 + ") +
         QString::number(hand.age.years) + QStringLiteral(" = ") +
         QString::number(hand.decimalYears, 'g', 15).replace(u'.', QLocale().decimalPoint()) +
         QStringLiteral(" Jahre; × 0°59'08'' = Direktionsbogen ") + arcText(hand.directionArc));
    step(QStringLiteral("Direktionsbogen in Zeit: ") + arcText(hand.directionArc) +
         QStringLiteral(" × 4 m = ") + clockText(hand.arcInTime));
    QString event = QStringLiteral("Sternzeit des Ereignisses: ") +
                    siderealText(task.birthSiderealTime) + QStringLiteral(" + ") +
                    clockText(hand.arcInTime) + QStringLiteral(" = ") + clockText(hand.eventSum);
    if (hand.dayHours != 0)
        event += QStringLiteral(", über 24 h: -24h = ") + clockText(hand.eventSiderealTime);
    step(event);
    step(QStringLiteral("In der Häusertabelle liegt sie zwischen den Zeilen ") +
         rowTimeText(smallerRow.siderealSeconds()) + QStringLiteral(" und ") +
         rowTimeText(greaterRow.siderealSeconds()) + QStringLiteral(". ") + axisName(task.axis) +
         QStringLiteral(": größerer Wert ") + tableValueText(greaterRow.value(task.axis)) +
         QStringLiteral(", kleinerer Wert ") + tableValueText(smallerRow.value(task.axis)) +
         QStringLiteral("; ") + arcText(hand.greaterValue) + minus + arcText(hand.smallerValue) +
         u' ' + signCorrectionText(hand.firstSignCorrection) + QStringLiteral(" = ") +
         arcText(hand.tableStep) + QStringLiteral(". Korrigierter Wert (der Radix-Planet) ") +
         arcText(hand.planetValue) + minus + arcText(hand.smallerValue) + u' ' +
         signCorrectionText(hand.secondSignCorrection) + QStringLiteral(" = ") +
         arcText(hand.towardsPlanet) + QStringLiteral(". Quotient ") + arcText(hand.towardsPlanet) +
         QStringLiteral(" / ") + arcText(hand.tableStep) + QStringLiteral(" = ") +
         arcText(hand.quotient));
    QString circle;
    if (hand.circleCorrection > 0)
        circle = QStringLiteral(" + 360°");
    step(QStringLiteral("Korrigierte RAMC: ") + QString::number(hand.ramc) +
         QStringLiteral("° + ") + arcText(hand.quotient) + minus + arcText(hand.directionArc) +
         circle + QStringLiteral(" = ") + arcText(hand.correctedRamc));
    step(QStringLiteral("In Zeit: ") + arcText(hand.correctedRamc) + QStringLiteral(" × 4 m = ") +
         clockText(hand.ramcInTime));
    step(QStringLiteral("<b>Gesuchte Zeitdifferenz: ") + clockText(hand.ramcInTime) + minus +
         siderealText(task.birthSiderealTime) + QStringLiteral(" = ") +
         correctionText(hand.correction) + QStringLiteral("</b>"));
    html += QStringLiteral("</ol>");

    const Rectification::Exact exact = exactCorrection(task);
    const double handSeconds = correctionSeconds(hand);
    html += QStringLiteral("<p>Genau gerechnet: die Achse ") + axisName(task.axis) +
            QStringLiteral(" erreicht den Aspektpunkt ") + positionText(task.aspectPoint) +
            QStringLiteral(" bei der RAMC ") + preciseArcText(exact.aspectRamc) +
            QStringLiteral(". Abzüglich des ungerundeten Direktionsbogens ") +
            preciseArcText(exact.arc) + QStringLiteral(" stand die RAMC der Geburt bei ") +
            preciseArcText(exact.birthRamc) +
            QStringLiteral(". Gegenüber der Sternzeit der Geburt, wie die Aufgabe sie nennt, ist "
                           "die Korrektur ") +
            exactCorrectionText(exact) + QStringLiteral(". Die Handrechnung weicht davon um ") +
            Notation::preciseDeviation(handSeconds - exact.siderealSeconds) +
            QStringLiteral(" Sternzeit ab.</p>") +
            QStringLiteral("<p>Warum: die Handrechnung teilt den Abstand zwischen zwei Zeilen "
                           "gleichmäßig auf (lineare Interpolation über 1° RAMC), obwohl sich "
                           "die Achse nicht ganz gleichmäßig bewegt; die Tabelle ist auf "
                           "Bogenminuten gerundet, Quotient und Zeiten auf vier Dezimalstellen; "
                           "und die Zeitdifferenz ist Sternzeit: eine Sekunde bürgerlicher Zeit "
                           "dauert 1,0027 Sekunden Sternzeit, was bei Minuten einige Zehntel "
                           "Sekunden ausmacht.</p>");
    return html;
}

} // namespace Exercise
