#include "rekti/rectificationcheck.h"

#include "astro/zodiac.h"
#include "core/notation.h"

#include "core/overflow.h"

#include <QLocale>
#include <QStringList>
#include <QTimeZone>

#include <algorithm>
#include <cmath>
#include <cstdlib>

using namespace Core;

namespace Rectification {

namespace {

constexpr double NaibodDegreesPerYear = (59 * 60 + 8) / 3600.0;
// Sidereal seconds in a civil second.
constexpr double SiderealPerCivil = 1.00273790935;
constexpr qint32 SecondsPerDay = 86'400;
constexpr qint32 ArcSecondsPerSign = 30 * 3600;
constexpr qint32 ArcSecondsPerCircle = 360 * 3600;
// One degree of RAMC passes in 4 minutes of sidereal time.
constexpr double SecondsPerDegree = 240;
// A table row 4 minutes after the other.
constexpr qint32 RowStep = 240;
// A printed table value may differ from the exact one by its rounding to the
// minute, and older tables by a little more: up to 1'.
constexpr double TableTolerance = 60;
// The roundings of the steps besides the table: the sidereal time of birth
// to the second, quotient and times to four decimal places.
constexpr double StepRounding = 2;

qint32 secondsOf(const Sexagesimal &value)
{
    return value.totalSeconds();
}

qint32 modulo(qint64 value, qint32 modulus)
{
    const qint64 m = value % modulus;
    return static_cast<qint32>(m < 0 ? m + modulus : m);
}

QString twoDigits(qint64 value)
{
    return QString::number(value).rightJustified(2, u'0');
}

QString decimalPoint()
{
    return QLocale().decimalPoint();
}

QString signText(double value, bool shown)
{
    return value < 0 && shown   ? QStringLiteral("-")
           : value > 0 && shown ? QStringLiteral("+")
                                : QString();
}

// "8h17m30s", "-0h03m26s": velmora's one notation.
QString timeText(qint32 seconds)
{
    return Notation::clock(seconds);
}

// "8h17m30s" for a sidereal time of the day.
QString clockText(qint32 seconds)
{
    return Notation::clock(seconds);
}

// "8h17m29,6s".
QString preciseTimeText(double seconds)
{
    const qint64 tenths = std::llround(std::abs(seconds) * 10);
    const qint64 whole = tenths / 10;
    return (seconds < 0 && tenths > 0 ? QStringLiteral("-") : QString()) +
           QString::number(whole / 3600) + u'h' + twoDigits(whole / 60 % 60) + u'm' +
           twoDigits(whole % 60) + decimalPoint() + QString::number(tenths % 10) + u's';
}

// "-3 m 29,8 s".
QString durationText(double seconds, bool signed_)
{
    const qint64 tenths = std::llround(std::abs(seconds) * 10);
    const qint64 minutes = tenths / 600;
    return signText(seconds, tenths > 0 && (signed_ || seconds < 0)) +
           (minutes > 0 ? QString::number(minutes) + QStringLiteral(" m ") : QString()) +
           QString::number(tenths % 600 / 10) + decimalPoint() + QString::number(tenths % 10) +
           QStringLiteral(" s");
}

QString arcText(qint32 seconds)
{
    return Notation::angle(seconds);
}

// "123°35'07,4''".
QString preciseArcText(double degrees)
{
    const qint64 tenths = std::llround(degrees * 36000.0);
    const qint64 seconds = tenths / 10;
    return QString::number(seconds / 3600) + u'°' + twoDigits(seconds / 60 % 60) + u'\'' +
           twoDigits(seconds % 60) + decimalPoint() + QString::number(tenths % 10) +
           QStringLiteral("''");
}

// A deviation of arc: "+5'00''", "-12,3''".
QString arcDeviationText(double seconds)
{
    const qint64 tenths = std::llround(std::abs(seconds) * 10);
    const qint64 whole = tenths / 10;
    const QString sign = signText(seconds, tenths > 0);
    if (whole >= 60)
        return sign + (whole >= 3600 ? QString::number(whole / 3600) + u'°' : QString()) +
               QString::number(whole / 60 % 60) + u'\'' + twoDigits(whole % 60) +
               QStringLiteral("''");
    return sign + QString::number(whole) + decimalPoint() + QString::number(tenths % 10) +
           QStringLiteral("''");
}

QString decimalText(double value, bool signed_)
{
    const qint64 count = std::llround(std::abs(value) * 10000);
    return signText(value, count > 0 && (signed_ || value < 0)) + QString::number(count / 10000) +
           decimalPoint() + QString::number(count % 10000).rightJustified(4, u'0');
}

// "11°00'12,3'' Krebs".
QString signNameOf(double longitude)
{
    return Astro::signName(static_cast<int>(longitude / 30) % 12);
}

QString preciseInSignText(double longitude)
{
    // Rounded first, so that 29°59'59,97'' Krebs shows as 0°00'00,0'' Löwe.
    const double rounded = std::fmod(std::round(longitude * 36000.0) / 36000.0, 360.0);
    return preciseArcText(std::fmod(rounded, 30.0)) + u' ' + signNameOf(rounded);
}

QString axisName(Astro::Axis axis)
{
    return axis == Astro::Axis::MC ? QStringLiteral("MC") : QStringLiteral("AC");
}

QString rowText(qint32 seconds)
{
    const qint32 s = modulo(seconds, SecondsPerDay);
    return QString::number(s / 3600) + u'h' + twoDigits(s / 60 % 60) + u'm';
}

// The correction that makes c + d the forward step from the smaller value:
// MC and AC grow with the sidereal time, so across the beginning of a sign
// the greater value has fewer degrees and 30° are added.
double forwardCorrection(qint32 d)
{
    return d < 0 ? 30.0 : 0.0;
}

QString choiceText(double degrees)
{
    return degrees > 0   ? QStringLiteral("+30")
           : degrees < 0 ? QStringLiteral("-30")
                         : QStringLiteral("+0");
}

QString signChoiceFinding(const QString &row, double right, qint32 from, qint32 to)
{
    QString finding = QStringLiteral("In der Zeile ") + row +
                      QStringLiteral(" von Schritt 5 ist „") + choiceText(right) +
                      QStringLiteral("“ richtig: ");
    if (right > 0)
        finding += QStringLiteral("von ") + arcText(from) + QStringLiteral(" zu ") + arcText(to) +
                   QStringLiteral(" wechselt der Wert ins nächste Zeichen. MC und AC nehmen mit "
                                  "der Sternzeit immer zu, der Schritt über den Zeichenanfang "
                                  "wird darum mit +30° vorwärts gezählt.");
    else
        finding += QStringLiteral("beide Werte liegen im selben Zeichen, ") + arcText(to) +
                   QStringLiteral(" liegt vorwärts von ") + arcText(from) +
                   QStringLiteral("; ein Ausgleich um 30° ist nicht nötig.");
    return finding;
}

// The first step that was never computed or whose result no longer belongs
// to its inputs, in the order of the calculation; empty if none.
QString unfinishedStep(const CheckInput &in)
{
    using Status = StepLedger::Status;
    for (int step = 0; step < StepCount; ++step) {
        const Status status = in.status[static_cast<std::size_t>(step)];
        const QString title =
            QStringLiteral("Schritt %1 (%2)").arg(stepNumber(step)).arg(stepName(step));
        if (status == Status::NotComputed)
            return title + QStringLiteral(" wurde nicht gerechnet.");
        if (status == Status::Stale)
            return title + QStringLiteral(" ist nicht mehr aktuell: Seine Eingaben haben sich "
                                          "geändert, seit er gerechnet wurde. Bitte ab Schritt "
                                          "%1 neu rechnen.")
                               .arg(stepNumber(step));
    }
    return {};
}

// The first step whose value is not what the calculator's own step gives on
// the values before it (a copy typed over, a result changed by hand): a slip,
// which no tolerance of the method excuses. Empty if every step follows.
QString firstSlip(const Entries &e)
{
    const auto same = [](const Sexagesimal &typed, const StepResult<SexagesimalTriple> &step) {
        return step.ok() && typed.units == step.value().units &&
               typed.minutes == step.value().minutes && typed.seconds == step.value().seconds;
    };
    const auto written = [](const Sexagesimal &v, bool isTime) {
        return isTime ? Notation::clock(v) : Notation::angle(v);
    };
    const struct {
        int step;
        QString what;
        Sexagesimal typed;
        StepResult<SexagesimalTriple> expected;
        bool isTime;
    } chain[] = {
        {3, QStringLiteral("der Direktionsbogen"), e.directionArc, directionArc(e.decimalYears),
         false},
        {4, QStringLiteral("der Bogen in Zeit"), e.arcInTime, arcInTime(e.directionArc), true},
        {5, QStringLiteral("die Tabellendifferenz"), e.tableStep,
         tableDifference(e.greaterTableValue, e.smallerTableValue, e.firstSignCorrection), false},
        {5, QStringLiteral("die Differenz zum Planeten"), e.towardsPlanet,
         tableDifference(e.correctedTableValue, e.smallerTableValue2, e.secondSignCorrection),
         false},
        {6, QStringLiteral("der Quotient"), e.quotient,
         tableInterpolation(e.towardsPlanet, e.tableStep), false},
        {6, QStringLiteral("RAMC plus Quotient"), e.ramcPlusQuotient,
         ramcPlusQuotient(e.ramc, e.quotient), false},
        {6, QStringLiteral("der Direktionsbogen"), e.arcOfStep6, directionArc(e.decimalYears),
         false},
        {7, QStringLiteral("die korrigierte RAMC"), e.correctedRamc,
         correctedRamc(e.ramcPlusQuotient, e.arcOfStep6, e.circleCorrection), false},
        {7, QStringLiteral("die korrigierte RAMC in Zeit"), e.ramcInTime,
         ramcInTime(e.correctedRamc), true},
        {8, QStringLiteral("die Zeitdifferenz"), e.correction,
         birthTimeCorrection(e.ramcInTime, e.birthSiderealTimeOfStep8), true},
    };
    for (const auto &link : chain) {
        if (!same(link.typed, link.expected))
            return QStringLiteral("In Schritt %1 steht %2 %3, die Rechnung ergibt aber %4.")
                .arg(link.step)
                .arg(link.what, written(link.typed, link.isTime),
                     link.expected.ok()
                         ? written(Sexagesimal::of(link.expected.value()), link.isTime)
                         : link.expected.message());
    }
    return {};
}

// The whole check; throws Overflow for values beyond the steps' arithmetic.
CheckReport checkAll(const CheckInput &in)
{
    const Entries &e = in.entries;
    const QDate date = in.birthDate.isValid() ? in.birthDate : QDate(2000, 1, 1);
    const double obliquity = Astro::meanObliquity(QDateTime(date, QTime(12, 0), QTimeZone::utc()));
    const double latitude = in.latitudeDegrees + in.latitudeMinutes / 60.0;
    const auto axisAt = [&](double ramc) {
        return Astro::axisLongitude(in.axis, ramc, obliquity, latitude);
    };

    // The exact values: the event's sidereal time from the unrounded arc, the
    // axis at the two rows' RAMC, the RAMC at which it reaches the corrected
    // value, and from there back to the birth.
    const double years = e.age.years + e.age.days / 365.0;
    const double arc = years * NaibodDegreesPerYear;
    const qint32 birth = secondsOf(e.birthSiderealTime);
    const double exactEvent = std::fmod(birth + arc * SecondsPerDegree, SecondsPerDay);
    const qint32 smallerRow = secondsOf(in.smallerRowTime);
    const qint32 greaterRow = secondsOf(in.greaterRowTime);
    const double smallerRamc = smallerRow / SecondsPerDegree;
    const double greaterRamc = greaterRow / SecondsPerDegree;
    const double exactSmaller = axisAt(smallerRamc);
    const double exactGreater = axisAt(greaterRamc);
    const qint32 corrected = secondsOf(e.correctedTableValue);
    // The corrected value is typed within its sign: the nearest longitude with
    // these degrees to the smaller row's axis.
    const double planet =
        exactSmaller + std::remainder(corrected / 3600.0 - std::fmod(exactSmaller, 30.0), 30.0);
    const double aspectRamc =
        Astro::ramcOfAxis(in.axis, std::fmod(planet + 360, 360.0), obliquity, latitude);
    const double exactQuotient = std::remainder(aspectRamc - smallerRamc, 360.0);
    const double exactCorrected = std::fmod(aspectRamc - arc + 720.0, 360.0);
    const double exactSidereal =
        std::remainder(exactCorrected * SecondsPerDegree - birth, double{SecondsPerDay});
    const double exactCivil = exactSidereal / SiderealPerCivil;

    const qint32 typedSmaller = secondsOf(e.smallerTableValue);
    const qint32 typedGreater = secondsOf(e.greaterTableValue);
    const auto inSignDeviation = [](qint32 typed, double exact) {
        return std::remainder(typed - std::fmod(exact, 30.0) * 3600, double{ArcSecondsPerSign});
    };
    const double smallerDeviation = inSignDeviation(typedSmaller, exactSmaller);
    const double greaterDeviation = inSignDeviation(typedGreater, exactGreater);
    const double typedQuotient = secondsToDecimal(secondsOf(e.quotient)).toDouble();
    const qint32 typedCorrection = secondsOf(e.correction);

    CheckReport report;
    report.rows = {
        {QStringLiteral("Sternzeit des Ereignisses"), clockText(secondsOf(in.eventWithinDay)),
         preciseTimeText(exactEvent),
         durationText(std::remainder(secondsOf(in.eventWithinDay) - exactEvent, SecondsPerDay),
                      true)},
        {QStringLiteral("Tabellenwert kleiner"), arcText(typedSmaller),
         preciseInSignText(exactSmaller), arcDeviationText(smallerDeviation)},
        {QStringLiteral("Tabellenwert größer"), arcText(typedGreater),
         preciseInSignText(exactGreater), arcDeviationText(greaterDeviation)},
        {QStringLiteral("Quotient"), decimalText(typedQuotient, false),
         decimalText(exactQuotient, false), decimalText(typedQuotient - exactQuotient, true)},
        {QStringLiteral("korrigierte RAMC"), arcText(secondsOf(e.correctedRamc)),
         preciseArcText(exactCorrected),
         arcDeviationText(std::remainder(secondsOf(e.correctedRamc) - exactCorrected * 3600,
                                         ArcSecondsPerCircle))},
        {QStringLiteral("gesuchte Zeitdifferenz"), timeText(typedCorrection),
         durationText(exactSidereal, false) + QStringLiteral(" Sternzeit = ") +
             durationText(exactCivil, false) + QStringLiteral(" bürgerlich"),
         durationText(typedCorrection - exactSidereal, true)},
    };

    // A step left out or not pressed again makes the values after it
    // meaningless: that comes first.
    report.finding = unfinishedStep(in);
    if (!report.finding.isEmpty())
        return report;

    // Step 4: a sum beyond a day is taken back by a day, and only then.
    const qint32 sum = secondsOf(e.eventSiderealTime);
    if (sum > SecondsPerDay && e.dayHours == 0) {
        report.finding = QStringLiteral("Die Sternzeit des Ereignisses in Schritt 4 ist größer "
                                        "als 24 h: wählen Sie „-24h“.");
        return report;
    }
    if (sum <= SecondsPerDay && e.dayHours != 0) {
        report.finding = QStringLiteral("Die Sternzeit des Ereignisses in Schritt 4 ist nicht "
                                        "größer als 24 h: wählen Sie „-0h“.");
        return report;
    }

    // The rows: consecutive rows 4 minutes apart around the event.
    const qint32 event = secondsOf(in.eventWithinDay);
    if (modulo(qint64{greaterRow} - smallerRow, SecondsPerDay) != RowStep) {
        report.finding = QStringLiteral("Die Zeilen ") + rowText(smallerRow) +
                         QStringLiteral(" und ") + rowText(greaterRow) +
                         QStringLiteral(" liegen nicht 4 Minuten auseinander: nehmen Sie zwei "
                                        "aufeinander folgende Zeilen der Häusertabelle.");
        return report;
    }
    if (modulo(qint64{event} - smallerRow, SecondsPerDay) >= RowStep) {
        report.finding = QStringLiteral("Die Sternzeit des Ereignisses ") + clockText(event) +
                         QStringLiteral(" liegt nicht zwischen den Zeilen ") + rowText(smallerRow) +
                         QStringLiteral(" und ") + rowText(greaterRow) +
                         QStringLiteral(": nehmen Sie die Zeile mit der nächstkleineren "
                                        "Sternzeit und die folgende.");
        return report;
    }
    // A row at 0h00m has the RAMC 0°, which the form also takes as 360°.
    if (modulo(std::llround(e.ramc * SecondsPerDegree) - smallerRow, SecondsPerDay) != 0) {
        report.finding = QStringLiteral("Die RAMC in Schritt 6 ist die Sternzeit der kleineren "
                                        "Zeile mal 15: ") +
                         rowText(smallerRow) + QStringLiteral(" ergeben ") +
                         QString::number(smallerRamc).replace(u'.', decimalPoint()) +
                         QStringLiteral("°.");
        return report;
    }

    // The table values, each the exact axis of its row within 1'.
    const auto misread = [&](const QString &which, double deviation, qint32 typed, double ramc,
                             qint32 row) -> QString {
        if (std::abs(deviation) <= TableTolerance)
            return {};
        const Astro::Axis other = in.axis == Astro::Axis::MC ? Astro::Axis::AC : Astro::Axis::MC;
        const double otherValue = Astro::axisLongitude(other, ramc, obliquity, latitude);
        if (std::abs(inSignDeviation(typed, otherValue)) <= TableTolerance)
            return QStringLiteral("Der ") + which + QStringLiteral(" Tabellenwert ist der des ") +
                   axisName(other) + QStringLiteral(", gerechnet wird mit dem ") +
                   axisName(in.axis) + QStringLiteral(": lesen Sie die Zeile ") + rowText(row) +
                   QStringLiteral(" in der Spalte ") + axisName(in.axis) + QStringLiteral(".");
        const qint64 minutes = std::llround(deviation / 60);
        return QStringLiteral("Der ") + which + QStringLiteral(" Tabellenwert weicht um ") +
               (minutes > 0 ? QStringLiteral("+") : QString()) + QString::number(minutes) +
               QStringLiteral("' ab: lesen Sie die Zeile ") + rowText(row) +
               QStringLiteral(" der Häusertabelle nach.");
    };
    report.finding = misread(QStringLiteral("kleinere"), smallerDeviation, typedSmaller,
                             smallerRamc, smallerRow);
    if (report.finding.isEmpty())
        report.finding = misread(QStringLiteral("größere"), greaterDeviation, typedGreater,
                                 greaterRamc, greaterRow);
    if (!report.finding.isEmpty())
        return report;
    if (secondsOf(e.smallerTableValue2) != typedSmaller) {
        report.finding = QStringLiteral("In der Zeile „korrigierter Wert − kleinerer Wert“ von "
                                        "Schritt 5 steht nicht der kleinere Tabellenwert ") +
                         arcText(typedSmaller) + QStringLiteral(": tragen Sie ihn dort ein.");
        return report;
    }

    // The corrected value between the two table values, counted forward.
    const qint32 step = modulo(qint64{typedGreater} - typedSmaller, ArcSecondsPerSign);
    const qint32 towards = modulo(qint64{corrected} - typedSmaller, ArcSecondsPerSign);
    if (towards > step) {
        report.finding = QStringLiteral("Der korrigierte Wert ") + arcText(corrected) +
                         QStringLiteral(" liegt nicht zwischen dem kleineren Tabellenwert ") +
                         arcText(typedSmaller) + QStringLiteral(" und dem größeren ") +
                         arcText(typedGreater) +
                         QStringLiteral(": nehmen Sie den Aspekt eines Radix-Planeten, der "
                                        "dazwischen liegt, oder prüfen Sie die Zeilen.");
        return report;
    }

    // The ±30° of the two rows of step 5 and the ±360° of step 6.
    const double first = forwardCorrection(typedGreater - typedSmaller);
    if (e.firstSignCorrection != first) {
        report.finding = signChoiceFinding(QStringLiteral("„größerer − kleinerer Wert“"), first,
                                           typedSmaller, typedGreater);
        return report;
    }
    const double second = forwardCorrection(corrected - typedSmaller);
    if (e.secondSignCorrection != second) {
        report.finding = signChoiceFinding(QStringLiteral("„korrigierter − kleinerer Wert“"),
                                           second, typedSmaller, corrected);
        return report;
    }
    const qint64 beforeCircle = qint64{secondsOf(e.ramcPlusQuotient)} - secondsOf(e.arcOfStep6);
    const double circle = beforeCircle < 0                     ? 360.0
                          : beforeCircle > ArcSecondsPerCircle ? -360.0
                                                               : 0.0;
    if (e.circleCorrection != circle) {
        report.finding =
            circle > 0 ? QStringLiteral("In Schritt 6 ist „+360“ richtig: RAMC plus Quotient minus "
                                        "Direktionsbogen wird negativ, darum werden 360° addiert.")
            : circle < 0
                ? QStringLiteral("In Schritt 6 ist „- 360“ richtig: der Wert überschreitet "
                                 "360°.")
                : QStringLiteral("In Schritt 6 ist „ 0“ richtig: RAMC plus Quotient minus "
                                 "Direktionsbogen liegt schon zwischen 0° und 360°.");
        return report;
    }

    // What the hand method cannot avoid: the two table values rounded by up to
    // 30'' each, spread over the table step, the linear interpolation between
    // the rows where the axis does not move evenly, and the steps' roundings.
    const double tableStep = std::remainder(exactGreater - exactSmaller, 360.0);
    const double linear = smallerRamc + std::remainder(planet - exactSmaller, 360.0) / tableStep;
    const double interpolation =
        std::abs(std::remainder(linear - aspectRamc, 360.0)) * SecondsPerDegree;
    const double explained =
        2 * 30.0 / (std::abs(tableStep) * 3600) * SecondsPerDegree + interpolation + StepRounding;
    const double deviation = typedCorrection - exactSidereal;
    // Step 8 does not reduce by a day: where the corrected RAMC and the
    // sidereal time of birth lie on both sides of 0 h, the difference comes
    // out a day too large or too small.
    if (std::abs(deviation) > SecondsPerDay / 2 &&
        std::abs(std::remainder(deviation, double{SecondsPerDay})) <= explained) {
        const qint32 meant = typedCorrection + (deviation > 0 ? -SecondsPerDay : SecondsPerDay);
        report.finding = QStringLiteral("Ihre Zeitdifferenz liegt um einen ganzen Tag daneben: "
                                        "die korrigierte RAMC und die Sternzeit der Geburt "
                                        "liegen auf verschiedenen Seiten von 0 h, und Schritt 8 "
                                        "rechnet nicht über den Tag hinweg. Gemeint ist ") +
                         timeText(meant) + QStringLiteral(".");
        return report;
    }
    if (std::abs(deviation) > explained) {
        report.finding = QStringLiteral("Ihre Zeitdifferenz weicht um ") +
                         durationText(deviation, true) +
                         QStringLiteral(" von der genauen ab, mehr als Interpolation und "
                                        "Rundung erklären (bis ") +
                         durationText(explained, false) +
                         QStringLiteral("): prüfen Sie die Tabellenwerte und den korrigierten "
                                        "Wert.");
        return report;
    }
    // The deviation is within what the method explains; that excuses no slip.
    report.finding = firstSlip(e);
    if (!report.finding.isEmpty())
        return report;
    report.right = true;
    report.finding = QStringLiteral("Ihre Rechnung ist richtig. Die Abweichung von ") +
                     durationText(deviation, true) +
                     QStringLiteral(" erklären die lineare Interpolation zwischen den Zeilen, "
                                    "die auf Minuten gerundete Tabelle und die Rundungen der "
                                    "Schritte; die Korrektur ist Sternzeit, bürgerliche Zeit "
                                    "läuft um 1/366 langsamer.");
    return report;
}

} // namespace

QString checkTitle()
{
    return QStringLiteral("Kontrolle");
}

QString checkCaption()
{
    return QStringLiteral("Kontrolle mit genauer Rechnung");
}

QStringList checkColumns()
{
    return {QStringLiteral("Ihre Rechnung"), QStringLiteral("Genau"), QStringLiteral("Abweichung")};
}

StepResult<CheckInput> checkInputOf(const Worked &worked, const TableChoice &table, QDate birthDate)
{
    const bool anyComputed =
        std::any_of(worked.status.begin(), worked.status.end(),
                    [](StepLedger::Status s) { return s != StepLedger::Status::NotComputed; });
    if (!anyComputed)
        return StepMessage{QStringLiteral("Für die Kontrolle fehlt die Rechnung: bitte zuerst "
                                          "die Schritte rechnen.")};
    const auto typed = [](const std::array<QString, 2> &row) {
        return !row[0].trimmed().isEmpty() && !row[1].trimmed().isEmpty();
    };
    if (!typed(worked.header.smallerRow) || !typed(worked.header.greaterRow))
        return StepMessage{QStringLiteral("Für die Kontrolle fehlen: Sternzeiten der "
                                          "Häusertabelle (Schritt 5).")};
    const auto row = [](const std::array<QString, 2> &r) {
        return Sexagesimal::read({r[0], r[1], QString()});
    };
    CheckInput in;
    in.axis = table.axis;
    in.latitudeDegrees = table.latitudeDegrees;
    in.latitudeMinutes = table.latitudeMinutes;
    in.birthDate = birthDate;
    in.entries = worked.entries;
    if (const auto &withinDay = worked.results.triples[WithinDayStep])
        in.eventWithinDay = Sexagesimal::of(*withinDay);
    in.smallerRowTime = row(worked.header.smallerRow);
    in.greaterRowTime = row(worked.header.greaterRow);
    in.status = worked.status;
    return in;
}

CheckReport checkRectification(const CheckInput &input)
{
    try {
        return checkAll(input);
    } catch (const Overflow &) {
        CheckReport report;
        report.finding = QStringLiteral("Überlauf!");
        return report;
    }
}

} // namespace Rectification
