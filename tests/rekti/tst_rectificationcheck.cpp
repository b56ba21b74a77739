#include "exercise/gzktask.h"
#include "rekti/rectificationcheck.h"

#include <QLocale>
#include <QTest>
#include <QTimeZone>

#include <cmath>
#include <functional>

using namespace Rectification;
using namespace Qt::StringLiterals;
using namespace Core;
using namespace Exercise;

namespace {

Sexagesimal sexagesimalOfSeconds(qint32 seconds)
{
    return Sexagesimal::of(secondsToTriple(seconds));
}

// The rectification form as a student fills it in for a task, every step
// pressed: the values of the calculator's own steps.
CheckInput filledForm(const GzkTask &task, const GzkHandSolution &hand)
{
    CheckInput in;
    in.axis = task.axis;
    in.latitudeDegrees = task.latitudeMinutes / 60;
    in.latitudeMinutes = task.latitudeMinutes % 60;
    in.birthDate = task.birthDate;
    Entries &e = in.entries;
    e.age = hand.age;
    e.decimalYears = hand.decimalYears;
    e.directionArc = Sexagesimal::of(hand.directionArc);
    e.birthSiderealTime = sexagesimalOfSeconds(task.birthSiderealTime);
    e.arcInTime = Sexagesimal::of(hand.arcInTime);
    e.eventSiderealTime = Sexagesimal::of(hand.eventSum);
    e.dayHours = hand.dayHours;
    e.greaterTableValue = Sexagesimal::of(hand.greaterValue);
    e.smallerTableValue = Sexagesimal::of(hand.smallerValue);
    e.firstSignCorrection = hand.firstSignCorrection;
    e.correctedTableValue = Sexagesimal::of(hand.planetValue);
    e.smallerTableValue2 = Sexagesimal::of(hand.smallerValue);
    e.secondSignCorrection = hand.secondSignCorrection;
    e.tableStep = Sexagesimal::of(hand.tableStep);
    e.towardsPlanet = Sexagesimal::of(hand.towardsPlanet);
    e.ramc = hand.ramc;
    e.quotient = Sexagesimal::of(hand.quotient);
    e.ramcPlusQuotient = Sexagesimal::of(hand.ramcPlusQuotient);
    e.arcOfStep6 = Sexagesimal::of(hand.directionArc);
    e.circleCorrection = hand.circleCorrection;
    e.correctedRamc = Sexagesimal::of(hand.correctedRamc);
    e.ramcInTime = Sexagesimal::of(hand.ramcInTime);
    e.birthSiderealTimeOfStep8 = sexagesimalOfSeconds(task.birthSiderealTime);
    e.correction = Sexagesimal::of(hand.correction);
    in.eventWithinDay = Sexagesimal::of(hand.eventSiderealTime);
    in.smallerRowTime = sexagesimalOfSeconds(task.page.at(hand.smallerRow).siderealSeconds());
    in.greaterRowTime = sexagesimalOfSeconds(task.page.at(hand.smallerRow + 1).siderealSeconds());
    in.status.fill(StepLedger::Status::Current);
    return in;
}

} // namespace

// A fault in a filled form: a slip made while computing, whose following
// steps follow from it, then one in a field or a step not pressed again.
struct Fault {
    std::function<void(const GzkTask &, GzkEntries &)> computing;
    std::function<void(CheckInput &)> field;
};
Q_DECLARE_METATYPE(Fault)

class tst_RectificationCheck : public QObject {
    Q_OBJECT

private slots:
    // Task 1: AC in Krebs at 48°47', rows 22h52m and 22h56m. Task 2: the AC
    // crosses from Fische into Widder between 17h56m and 18h00m. Task 3: MC,
    // a day taken off in step 4 and 360° added in step 6.
    void findings_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<QString>("finding"); // a part of it
        const auto row = [](const char *name, int number, const Fault &fault,
                            const char16_t *finding) {
            QTest::newRow(name) << number << fault << QString::fromUtf16(finding);
        };
        const auto value = [](const GzkTask &t, int offset, bool otherAxis = false) {
            const Astro::Axis other = t.axis == Astro::Axis::MC ? Astro::Axis::AC : Astro::Axis::MC;
            return t.page.at(t.hand.smallerRow + offset).value(otherAxis ? other : t.axis);
        };
        const auto field = [](std::function<void(CheckInput &)> change) {
            return Fault{{}, std::move(change)};
        };
        const auto computing = [](std::function<void(const GzkTask &, GzkEntries &)> change) {
            return Fault{std::move(change), {}};
        };
        row("right, one sign", 1, {}, u"Ihre Rechnung ist richtig");
        row("right, across a sign", 2, {}, u"Ihre Rechnung ist richtig");
        row("right, a day off", 3, {}, u"Ihre Rechnung ist richtig");
        row("misread table value", 1, computing([value](const GzkTask &t, GzkEntries &e) {
                e.smallerValue = value(t, 0) + 300;
            }),
            u"Der kleinere Tabellenwert weicht um +5' ab: lesen Sie die Zeile 22h52m der "
            u"Häusertabelle nach.");
        row("other axis", 3, computing([value](const GzkTask &t, GzkEntries &e) {
                e.greaterValue = value(t, 1, true);
            }),
            u"Der größere Tabellenwert ist der des AC, gerechnet wird mit dem MC");
        // The event's sidereal time stays that of the right rows.
        row("rows not enclosing", 1,
            {[](const GzkTask &t, GzkEntries &e) { e.smallerRow = t.hand.smallerRow + 1; },
             [](CheckInput &in) {
                 in.eventWithinDay = Sexagesimal::of(makeGzkTask(1)->hand.eventSiderealTime);
             }},
            u"liegt nicht zwischen den Zeilen 22h56m und 23h00m");
        row("rows 8 minutes apart", 2, field([](CheckInput &in) {
                in.greaterRowTime =
                    sexagesimalOfSeconds(Sexagesimal(in.greaterRowTime).totalSeconds() + 240);
            }),
            u"Die Zeilen 17h56m und 18h04m liegen nicht 4 Minuten auseinander");
        row("RAMC of the greater row", 1, field([](CheckInput &in) { in.entries.ramc += 1; }),
            u"Die RAMC in Schritt 6 ist die Sternzeit der kleineren Zeile mal 15: 22h52m ergeben "
            u"343°.");
        row("smaller value forgotten", 1,
            field([](CheckInput &in) { in.entries.smallerTableValue2 = Sexagesimal{}; }),
            u"steht nicht der kleinere Tabellenwert 11°00'00''");
        row("corrected value outside", 1, computing([](const GzkTask &t, GzkEntries &e) {
                e.planetPosition = t.planetPosition + 3600;
            }),
            u"Der korrigierte Wert 12°26'12'' liegt nicht zwischen");
        row("+0 across a sign", 2,
            computing([](const GzkTask &, GzkEntries &e) { e.firstSignCorrection = 0; }),
            u"„größerer − kleinerer Wert“ von Schritt 5 ist „+30“ richtig: von 27°22'00'' zu "
            u"0°00'00'' wechselt der Wert ins nächste Zeichen");
        row("+30 within a sign", 2,
            computing([](const GzkTask &, GzkEntries &e) { e.secondSignCorrection = 30; }),
            u"„korrigierter − kleinerer Wert“ von Schritt 5 ist „+0“ richtig: beide Werte liegen "
            u"im "
            u"selben Zeichen");
        row("+360 forgotten", 3, field([](CheckInput &in) { in.entries.circleCorrection = 0; }),
            u"In Schritt 6 ist „+360“ richtig");
        row("+360 needless", 1, field([](CheckInput &in) { in.entries.circleCorrection = 360; }),
            u"In Schritt 6 ist „ 0“ richtig");
        row("-24h missing", 3, field([](CheckInput &in) { in.entries.dayHours = 0; }),
            u"wählen Sie „-24h“");
        // Within what interpolation and rounding explain, and still a slip.
        row("quotient copied 1'' off", 1,
            field([](CheckInput &in) { in.entries.quotient.seconds += 1; }),
            u"In Schritt 6 steht der Quotient");
        row("arc of step 6 copied 1'' off", 1,
            field([](CheckInput &in) { in.entries.arcOfStep6.seconds += 1; }),
            u"In Schritt 6 steht der Direktionsbogen");
        row("time difference 2 s off", 2,
            field([](CheckInput &in) { in.entries.correction.seconds += 2; }),
            u"In Schritt 8 steht die Zeitdifferenz");
        // Beyond what they explain, with the bound told.
        row("time difference 10 min off", 1,
            field([](CheckInput &in) { in.entries.correction.minutes += 10; }),
            u"Ihre Zeitdifferenz weicht um +10 m 1.0 s von der genauen ab, mehr als Interpolation "
            u"und Rundung erklären (bis 7.0 s)");
        row("quotient stale", 2,
            field([](CheckInput &in) { in.status[QuotientStep] = StepLedger::Status::Stale; }),
            u"Schritt 5 (Quotient) ist nicht mehr aktuell");
        // Named before the day not taken off in step 4.
        row("stale before -24h", 3, field([](CheckInput &in) {
                in.entries.dayHours = 0;
                in.status[CorrectionStep] = StepLedger::Status::NotComputed;
            }),
            u"Schritt 8 (Zeitdifferenz) wurde nicht gerechnet.");
    }

    void findings()
    {
        QFETCH(int, number);
        QFETCH(Fault, fault);
        QFETCH(QString, finding);
        const GzkTask task = *makeGzkTask(number);
        GzkEntries slip;
        if (fault.computing)
            fault.computing(task, slip);
        const std::optional<GzkHandSolution> hand = runGzkSteps(task, slip);
        QVERIFY(hand);
        CheckInput in = filledForm(task, *hand);
        if (fault.field)
            fault.field(in);
        const CheckReport report = checkRectification(in);
        QVERIFY2(report.finding.contains(finding), qPrintable(report.finding));
        QCOMPARE(report.right, finding.startsWith(u"Ihre Rechnung ist richtig"_s));
    }

    // Born at 0h00m20s sidereal time, with the corrected RAMC 40'' before 0°:
    // step 6 adds 360°, and step 8 gives 23h59m38s instead of -22 s.
    void aDayAcrossZeroHours()
    {
        GzkTask task;
        task.axis = Astro::Axis::MC;
        task.birthDate = QDate(2000, 1, 1);
        task.eventDate = QDate(2030, 1, 1); // 30 years: 29°34'00'' of arc, 1h58m16s
        task.birthSiderealTime = 20;
        task.obliquity =
            Astro::meanObliquity(QDateTime(task.birthDate, QTime(12, 0), QTimeZone::utc()));
        for (int ramc = 27; ramc <= 33; ++ramc) {
            const auto mc = static_cast<qint32>(
                std::llround(Astro::midheavenLongitude(ramc, task.obliquity) * 60) * 60);
            task.page.append({ramc, mc, 0});
        }
        const double aspectRamc = (106'440 - 40) / 3600.0;
        task.planetPosition = static_cast<qint32>(
            std::llround(Astro::midheavenLongitude(aspectRamc, task.obliquity) * 3600));
        const std::optional<GzkHandSolution> hand = runGzkSteps(task);
        QVERIFY(hand);
        QCOMPARE(hand->circleCorrection, 360.0);
        QVERIFY(Sexagesimal::of(hand->correction).totalSeconds() > 86'000);
        const CheckReport report = checkRectification(filledForm(task, *hand));
        QVERIFY2(report.finding.contains(u"um einen ganzen Tag daneben"_s),
                 qPrintable(report.finding));
        QVERIFY2(report.finding.endsWith(u"Gemeint ist -0h00m22s."_s), qPrintable(report.finding));
        QVERIFY(!report.right);
    }

    // Whatever the calculator gives on a task's page passes the check.
    void everyTaskOfTheExercisesPasses()
    {
        for (int number = 1; number <= 500; ++number) {
            const GzkTask task = *makeGzkTask(number);
            const CheckReport report = checkRectification(filledForm(task, task.hand));
            QVERIFY2(report.right, qPrintable(QString::number(number) + u' ' + report.finding));
        }
    }

    void columnsAndRows()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(checkColumns(), QStringList({u"Ihre Rechnung"_s, u"Genau"_s, u"Abweichung"_s}));
        const GzkTask task = *makeGzkTask(1);
        const CheckReport report = checkRectification(filledForm(task, task.hand));
        // Under English settings: a point before the fractions.
        QStringList rows;
        for (const CheckRow &row : report.rows)
            rows.append(QStringList{row.name, row.yours, row.exact, row.deviation}.join(u" | "_s));
        QCOMPARE(
            rows,
            QStringList({u"Sternzeit des Ereignisses | 22h55m12s | 22h55m12.5s | -0.5 s"_s,
                         u"Tabellenwert kleiner | 11°00'00'' | 10°59'53.5'' Krebs | +6.5''"_s,
                         u"Tabellenwert größer | 11°49'00'' | 11°49'20.4'' Krebs | -20.4''"_s,
                         u"Quotient | 0.5347 | 0.5312 | +0.0035"_s,
                         u"korrigierte RAMC | 322°06'13'' | 322°06'00.5'' | +12.5''"_s,
                         u"gesuchte Zeitdifferenz | -0h01m04s | -1 m 5.0 s Sternzeit = -1 m 4.8 s "
                         "bürgerlich | +1.0 s"_s}));
    }
};

QTEST_GUILESS_MAIN(tst_RectificationCheck)
#include "tst_rectificationcheck.moc"
