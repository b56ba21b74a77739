#include "core/notation.h"
#include "exercise/rectificationanswer.h"
#include "exercise/rectificationtask.h"
#include "rekti/rectificationcheck.h"
#include "tests/support/verdicts.h"

#include <QLocale>
#include <QTest>
#include <QTimeZone>

#include <cmath>
#include <functional>

using namespace Rectification;
using namespace Qt::StringLiterals;
using namespace Core;
using namespace Exercise;
using Verdicts::Mode;
using Verdicts::RectificationPlan;

using PlanChange = std::function<void(const RectificationTask &, RectificationPlan &)>;
Q_DECLARE_METATYPE(PlanChange)

namespace {

Sexagesimal plus(const Sexagesimal &value, qint32 seconds)
{
    return Sexagesimal::of(secondsToTriple(value.totalSeconds() + seconds));
}

qint32 value(const RectificationTask &t, int offset, bool otherAxis = false)
{
    const Astro::Axis other = t.axis == Astro::Axis::MC ? Astro::Axis::AC : Astro::Axis::MC;
    return t.page.at(t.hand.smallerRow + offset).value(otherAxis ? other : t.axis);
}

CheckReport checked(const RectificationTask &task, const PlanChange &change, Mode mode,
                    std::optional<TableChoice> table = std::nullopt)
{
    RectificationPlan plan = Verdicts::rightPlan(task);
    if (change)
        change(task, plan);
    const Worked w = Verdicts::work(task, plan, mode).worked;
    const auto report = checkRectification(w, table.value_or(tableOf(givenTask(task))));
    return report.ok() ? report.value() : CheckReport{{}, report.message()};
}

} // namespace

class tst_RectificationCheck : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    // Task 1: MC in Zwillinge at 49°01', rows 4h52m and 4h56m. Task 2: the AC
    // crosses from Jungfrau into Waage between two rows. Task 3: MC, a day
    // taken off in step 4 and 360° added in step 6. Each slip worked
    // through the calculator's steps, taken over with the task.
    void findings_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<PlanChange>("slip");
        QTest::addColumn<QString>("finding"); // a part of it
        const auto row = [](const char *name, int number, const PlanChange &slip,
                            const char16_t *finding) {
            QTest::newRow(name) << number << slip << QString::fromUtf16(finding);
        };
        using P = RectificationPlan;
        row("right, one sign", 1, {}, u"Ihre Rechnung ist richtig. Sie ist die Handrechnung");
        row("right, across a sign", 2, {}, u"Ihre Rechnung ist richtig");
        row("right, a day off", 3, {}, u"Ihre Rechnung ist richtig");
        row(
            "age a year short", 20, [](const RectificationTask &, P &p) { p.age.years -= 1; },
            u"Schritt 1: Das Alter am ");
        row(
            "misread table value", 1, [](const RectificationTask &, P &p) { p.smaller += 300; },
            u"Der kleinere Tabellenwert weicht um +5'00'' ab: lesen Sie die Zeile 4h52m der "
            u"Häusertabelle nach.");
        row(
            "a degree misread", 1, [](const RectificationTask &, P &p) { p.greater -= 3600; },
            u"Der größere Tabellenwert weicht um -1°00'00'' ab");
        row(
            "other axis", 3,
            [](const RectificationTask &t, P &p) { p.greater = value(t, 1, true); },
            u"Der größere Tabellenwert ist der des AC, gerechnet wird mit dem MC");
        row(
            "rows not enclosing", 1,
            [](const RectificationTask &t, P &p) {
                p.row += 1;
                p.smaller = value(t, 1);
                p.greater = value(t, 2);
            },
            u"liegt nicht zwischen den Zeilen 4h56m und 5h00m");
        row(
            "smaller value forgotten", 1, [](const RectificationTask &, P &p) { p.smaller2 = 0; },
            u"steht nicht der kleinere Tabellenwert 14°20'00''");
        row(
            "another planet", 1,
            [](const RectificationTask &t, P &p) { p.corrected = t.planetPosition + 60; },
            u"Der korrigierte Wert ist der Aspektpunkt des Radix-Planeten: Merkur 15°04'33'' "
            u"Fische im Quadrat gibt 15°04'33'', eingetragen ist 15°05'33''.");
        row(
            "+0 across a sign", 2, [](const RectificationTask &, P &p) { p.firstSign = 0; },
            u"„größerer − kleinerer Wert“ von Schritt 5 ist „+30“ richtig: von 29°42'00'' zu "
            u"1°03'00'' wechselt der Wert ins nächste Zeichen");
        row(
            "+30 within a sign", 1, [](const RectificationTask &, P &p) { p.secondSign = 30; },
            u"„korrigierter − kleinerer Wert“ von Schritt 5 ist „+0“ richtig: beide Werte liegen "
            u"im selben Zeichen");
        row(
            "+360 forgotten: step 6 refused", 3,
            [](const RectificationTask &, P &p) { p.circle = 0; },
            u"Schritt 6 (korrigierte RAMC) wurde nicht gerechnet.");
        row(
            "-24h forgotten", 3, [](const RectificationTask &, P &p) { p.dayHours = 0; },
            u"wählen Sie „-24h“");
        // A copy a second off gives a result within what the method explains:
        // still a slip, named with its step.
        row(
            "sidereal time of step 8 a second off", 1,
            [](const RectificationTask &, P &p) {
                p.beforeStep = [](State &st, int step) {
                    if (step == CorrectionStep)
                        st.entries.birthSiderealTimeOfStep8 =
                            plus(st.entries.birthSiderealTimeOfStep8, 1);
                };
            },
            u"In Schritt 8 steht als Sternzeit der Geburt 1h45m18s, oben steht aber 1h45m17s.");
        row(
            "quotient copied 1'' off", 1,
            [](const RectificationTask &, P &p) {
                p.beforeStep = [](State &st, int step) {
                    if (step == RamcSumStep)
                        st.entries.quotient = plus(st.entries.quotient, 1);
                };
            },
            u"In Schritt 6 steht der Quotient");
        row(
            "sidereal time of birth a minute off", 1,
            [](const RectificationTask &, P &p) { p.birthSidereal += 60; },
            u"Die Aufgabe nennt die Sternzeit der Geburt 1h45m17s; gerechnet wurde mit "
            u"1h46m17s.");
        row(
            "quotient stale", 2,
            [](const RectificationTask &, P &p) {
                p.afterAll = [](State &st) {
                    st.entries.tableStep = plus(st.entries.tableStep, 1);
                };
            },
            u"Schritt 5 (Quotient) ist nicht mehr aktuell");
        // Named before the day not taken off in step 4.
        row(
            "skipped before -24h", 3,
            [](const RectificationTask &, P &p) {
                p.dayHours = 0;
                p.skipped = {CorrectionStep};
            },
            u"Schritt 8 (Zeitdifferenz) wurde nicht gerechnet.");
    }

    void findings()
    {
        QFETCH(int, number);
        QFETCH(PlanChange, slip);
        QFETCH(QString, finding);
        const CheckReport report = checked(*makeRectificationTask(number), slip, Mode::SolarTask);
        QVERIFY2(report.finding.contains(finding), qPrintable(report.finding));
        QCOMPARE(report.right, finding.startsWith(u"Ihre Rechnung ist richtig"_s));
    }

    // Without the task the head and the check's table are the problem: a
    // misreading within the table's rounding passes, the event's date still
    // counts the age, and without it step 1 is said to be unchecked.
    void freeCalculation()
    {
        const RectificationTask task = *makeRectificationTask(1);
        const auto free = [&task](const PlanChange &slip) {
            return checked(task, slip, Mode::Free);
        };
        QVERIFY(free({}).right);
        QVERIFY(
            free([](const RectificationTask &, RectificationPlan &p) { p.smaller += 20; }).right);
        QVERIFY(free([](const RectificationTask &, RectificationPlan &p) {
                    p.birthSidereal += 1;
                }).right);
        const CheckReport age =
            free([](const RectificationTask &, RectificationPlan &p) { p.age.days += 1; });
        QVERIFY2(age.finding.startsWith(u"Schritt 1: Das Alter am 27.02.2024 ist 47 Jahre 346 "
                                        u"Tage, nicht 47 Jahre 347 Tage."_s),
                 qPrintable(age.finding));

        RectificationPlan plan = Verdicts::rightPlan(task);
        Worked w = Verdicts::work(task, plan, Mode::Free).worked;
        w.header.eventOn.reset();
        const auto unchecked = checkRectification(w, tableOf(givenTask(task)));
        QVERIFY(unchecked.value().right);
        QVERIFY(unchecked.value().finding.endsWith(
            u"Schritt 1 (Alter) konnte ohne Ereignistag nicht geprüft werden."_s));
        // A row's minutes left empty: the check asks for them.
        w.header.greaterRow[1] = u" "_s;
        readHeader(w.header, {u"18"_s, u"3"_s, u"1976"_s});
        QCOMPARE(checkRectification(w, tableOf(givenTask(task))).message(),
                 u"Für die Kontrolle fehlen: Sternzeiten der Häusertabelle (Schritt 5)."_s);
    }

    // Checked with another table than the task's, the finding names the
    // task's and the verdict is never "richtig".
    void anotherTable()
    {
        const RectificationTask task = *makeRectificationTask(7);
        const CheckReport report =
            checked(task, {}, Mode::SolarTask, TableChoice{Astro::Axis::AC, 31});
        QVERIFY(!report.right);
        QCOMPARE(report.cause, Cause::OtherTable);
        QVERIFY2(report.finding.startsWith(u"Die Aufgabe nennt MC, 52°22' N."_s),
                 qPrintable(report.finding));
    }

    // A task that has the student work out the sidereal time of birth: the
    // hand value of the calculator "Sternzeit der Geburt" is the task's, a
    // second off is named with where it comes from, and the exact answer
    // starts from the birth moment itself.
    void siderealTimeWorkedFirst()
    {
        RectificationTask task = *makeRectificationTask(1);
        task.siderealWorked = true;
        QVERIFY(checked(task, {}, Mode::SolarTask).right);
        const CheckReport off = checked(
            task, [](const RectificationTask &, RectificationPlan &p) { p.birthSidereal += 1; },
            Mode::SolarTask);
        QCOMPARE(off.cause, Cause::GivenValue);
        QVERIFY2(off.finding.startsWith(u"Aus den Geburtsdaten und der Ephemeride der Aufgabe "
                                        u"ergibt sich die Sternzeit der Geburt 1h45m17s"_s),
                 qPrintable(off.finding));
        const Problem given = problemOf(givenTask(makeRectificationTask(1).value()));
        const Problem worked = problemOf(givenTask(task));
        const double exactBirth =
            Astro::localSiderealTime(*givenTask(task).birthUtc(), task.longitude()) * 3600;
        QCOMPARE(given.exactBirthSiderealTime, double(task.birthSiderealTime));
        QCOMPARE(worked.exactBirthSiderealTime, exactBirth);
        QCOMPARE(exactCorrection(worked).siderealSeconds - exactCorrection(given).siderealSeconds,
                 task.birthSiderealTime - exactBirth);
    }

    // A birthday on 29 February counts on 1 March in a common year, and the
    // finding says so where it matters.
    void leapDayBirthday()
    {
        RectificationTask task = *makeRectificationTask(1);
        task.birthDate = QDate(1960, 2, 29);
        task.eventDate = QDate(1999, 3, 1);
        const Problem p = problemOf(givenTask(task));
        QCOMPARE(p.age.years, 39.0);
        QCOMPARE(p.age.days, 0.0);
        QVERIFY(p.leapDayMoved);
        RectificationPlan plan = Verdicts::rightPlan(task);
        plan.age = {38, 365};
        const Worked w = Verdicts::work(task, plan, Mode::SolarTask).worked;
        const QString finding = checkRectification(w, tableOf(givenTask(task))).value().finding;
        QVERIFY2(finding.contains(u"im Gemeinjahr am 1. März Geburtstag"_s), qPrintable(finding));
    }

    // Born at 0h00m20s sidereal time, with the corrected RAMC 40'' before 0°:
    // step 6 adds 360°, and step 8 gives 23h59m38s instead of -22 s.
    void aDayAcrossZeroHours()
    {
        RectificationTask task;
        task.axis = Astro::Axis::MC;
        task.birthDate = QDate(2000, 1, 1);
        task.eventDate = QDate(2030, 1, 1); // 30 years: 29°34'00'' of arc, 1h58m16s
        task.birthSiderealTime = 20;
        task.obliquity =
            Astro::meanObliquity(QDateTime(task.birthDate, QTime(12, 0), QTimeZone::utc()));
        for (int ramc = 27; ramc <= 33; ++ramc)
            task.page.append(
                {ramc, Astro::printedAxis(Astro::Axis::MC, ramc, task.obliquity, 0), 0});
        const double aspectRamc = (106'440 - 40) / 3600.0;
        task.planetPosition = static_cast<qint32>(
            std::llround(Astro::midheavenLongitude(aspectRamc, task.obliquity) * 3600));
        const std::optional<RectificationHandSolution> hand = runRectificationSteps(task);
        QVERIFY(hand);
        task.hand = *hand;
        QCOMPARE(hand->circleCorrection, 360.0);
        const Worked w = Verdicts::work(task, Verdicts::rightPlan(task), Mode::Free).worked;
        const CheckReport report = checkRectification(w, TableChoice{Astro::Axis::MC, 0}).value();
        QVERIFY2(report.finding.contains(u"um einen ganzen Tag daneben"_s),
                 qPrintable(report.finding));
        QVERIFY2(report.finding.endsWith(u"Gemeint ist -0h00m22s."_s), qPrintable(report.finding));
        QVERIFY(!report.right);
    }

    // One exact answer: the page, the check and the solution show the same
    // "genau", in the same kind of time as the hand result.
    void oneExactAnswer()
    {
        const RectificationTask task = *makeRectificationTask(7);
        const Exact exact = exactCorrection(task);
        const CheckReport report = checked(task, {}, Mode::SolarTask);
        const QString genau = Notation::preciseDuration(exact.siderealSeconds);
        QVERIFY2(report.rows.last().exact.startsWith(genau + u" Sternzeit"_s),
                 qPrintable(report.rows.last().exact));
        const qint32 right = correctionSeconds(task.hand);
        const QString page =
            checkRectificationAnswer(task, tripleToFields(task.hand.correction)).message;
        QVERIFY2(page.contains(genau + u" Sternzeit"_s), qPrintable(page));
        QVERIFY2(page.contains(Notation::preciseDeviation(right - exact.siderealSeconds) +
                               u" Sternzeit ab"_s),
                 qPrintable(page));
        QCOMPARE(report.rows.last().deviation,
                 Notation::preciseDeviation(right - exact.siderealSeconds));
    }

    void columnsAndRows()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(checkColumns(), QStringList({u"Ihre Rechnung"_s, u"Genau"_s, u"Abweichung"_s}));
        const CheckReport report = checked(*makeRectificationTask(1), {}, Mode::SolarTask);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        // Under English settings: a point before the fractions.
        QStringList rows;
        for (const CheckRow &row : report.rows)
            rows.append(QStringList{row.name, row.yours, row.exact, row.deviation}.join(u" | "_s));
        QCOMPARE(
            rows,
            QStringList({u"Sternzeit des Ereignisses | 4h54m18s | 4h54m18.3s | -0.3 s"_s,
                         u"Tabellenwert kleiner | 14°20'00'' | 14°19'53.1'' Zwillinge | +6.9''"_s,
                         u"Tabellenwert größer | 15°16'00'' | 15°15'38.7'' Zwillinge | +21.3''"_s,
                         u"Quotient | 0.7955 | 0.8009 | -0.0054"_s,
                         u"korrigierte RAMC | 26°32'25'' | 26°32'44.0'' | -19.0''"_s,
                         u"gesuchte Zeitdifferenz | 0h00m53s | 53.9 s Sternzeit = 53.8 s "
                         "bürgerlich | -0.9 s"_s}));
    }
};

QTEST_GUILESS_MAIN(tst_RectificationCheck)
#include "tst_rectificationcheck.moc"
