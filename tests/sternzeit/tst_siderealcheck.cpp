#include "core/notation.h"
#include "core/rules.h"
#include "sternzeit/siderealcheck.h"
#include "sternzeit/siderealsheet.h"
#include "tests/support/siderealverdicts.h"

#include <QLocale>
#include <QTest>

using namespace Sidereal;
using namespace Core;
using namespace Qt::StringLiterals;
using SiderealVerdicts::Birth;
using SiderealVerdicts::Plan;

using PlanChange = std::function<void(Plan &)>;
Q_DECLARE_METATYPE(PlanChange)
Q_DECLARE_METATYPE(Sidereal::Cause)
Q_DECLARE_METATYPE(Core::Sexagesimal)
Q_DECLARE_METATYPE(SiderealVerdicts::Birth)
Q_DECLARE_METATYPE(std::optional<Core::TaskKind>)

namespace {

Sexagesimal hms(int h, int m, int s)
{
    return {double(h), double(m), double(s)};
}

Sexagesimal date(int d, int m, int y)
{
    return {double(d), double(m), double(y)};
}

QString clockOf(const SexagesimalTriple &t)
{
    return Notation::clock(pickersToSeconds(t));
}

// The three births of the document "Berechnung der Sternzeit": Berlin at
// 14.35 Uhr MEZ, Berlin at 0.20 Uhr MEZ (the universal time on the day
// before), New York at 23.10 Uhr (zone -5, the universal time on the day after).
const Birth Berlin{QDate(1987, 2, 1), 14 * 3600 + 35 * 60, 1, 13 * 60 + 24};
const Birth BerlinAfterMidnight{QDate(1987, 2, 2), 20 * 60, 1, 13 * 60 + 24};
const Birth NewYork{QDate(1987, 2, 1), 23 * 3600 + 10 * 60, -5, -74 * 60};

CheckReport checkedPlan(const Plan &plan)
{
    const auto report = checkSidereal(SiderealVerdicts::work(plan));
    return report.ok() ? report.value() : CheckReport{{}, report.message()};
}

} // namespace

// The steps of the sidereal time of birth and the check of a worked one:
// the worked examples, the roundings, every message of the steps, each slip
// named by the check, and a sample of the catalogue of wrong answers.
class tst_SiderealCheck : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    // A printed ephemeris of 10 April 1987 gives 13h10m46s (13h10m46,37s
    // exactly); the days around it differ by 3m56,6s.
    void ephemerisOfADay_data()
    {
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QString>("printed");
        QTest::newRow("10.04.1987") << QDate(1987, 4, 10) << u"13h10m46s"_s;
        QTest::newRow("01.02.1987") << QDate(1987, 2, 1) << u"8h42m41s"_s;
        QTest::newRow("02.02.1987") << QDate(1987, 2, 2) << u"8h46m37s"_s;
        QTest::newRow("01.01.2000") << QDate(2000, 1, 1) << u"6h39m52s"_s;
    }

    void ephemerisOfADay()
    {
        QFETCH(QDate, day);
        QFETCH(QString, printed);
        QCOMPARE(Notation::clock(printedEphemeris(day)), printed);
    }

    // Step 1: birth time less zone; across midnight the day before or after.
    void universalTime_data()
    {
        QTest::addColumn<Sexagesimal>("civil");
        QTest::addColumn<double>("zone");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QDate>("day");
        QTest::newRow("MEZ") << hms(14, 35, 0) << 1.0 << u"13h35m00s"_s << QDate(1987, 2, 1);
        QTest::newRow("after midnight, east")
            << hms(0, 20, 0) << 1.0 << u"23h20m00s"_s << QDate(1987, 1, 31);
        QTest::newRow("before midnight, west")
            << hms(23, 10, 0) << -5.0 << u"4h10m00s"_s << QDate(1987, 2, 2);
        QTest::newRow("exactly midnight UT")
            << hms(1, 0, 0) << 1.0 << u"0h00m00s"_s << QDate(1987, 2, 1);
        QTest::newRow("Line Islands")
            << hms(10, 0, 0) << 14.0 << u"20h00m00s"_s << QDate(1987, 1, 31);
    }

    void universalTime()
    {
        QFETCH(Sexagesimal, civil);
        QFETCH(double, zone);
        QFETCH(QString, time);
        QFETCH(QDate, day);
        const auto ut = Sidereal::universalTime(date(1, 2, 1987), civil, zone);
        QVERIFY2(ut.ok(), qPrintable(ut.message()));
        QCOMPARE(clockOf(ut.value().time), time);
        QCOMPARE(ut.value().ephemerisDay, day);
    }

    // Step 3: 9,8565 s an hour, to the whole second, a half second up.
    void share_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<int>("share");
        QTest::newRow("13h35m: 133,88 s") << 48'900 << 134;
        QTest::newRow("23h20m: 229,985 s") << 84'000 << 230;
        QTest::newRow("none") << 0 << 0;
        QTest::newRow("182 s: 0,498 s") << 182 << 0;
        QTest::newRow("183 s: 0,501 s, up") << 183 << 1;
        QTest::newRow("the last second of the day") << 86'399 << 237;
    }

    void share()
    {
        QFETCH(int, seconds);
        QFETCH(int, share);
        QCOMPARE(siderealShare(seconds), share);
        const auto step = Sidereal::share(Sexagesimal::of(secondsToTriple(seconds)));
        QVERIFY(step.ok());
        QCOMPARE(pickersToSeconds(step.value().time), share);
    }

    void longitudeInTime_data()
    {
        QTest::addColumn<Sexagesimal>("longitude");
        QTest::addColumn<double>("eastWest");
        QTest::addColumn<QString>("time");
        QTest::newRow("Berlin") << hms(13, 24, 0) << 1.0 << u"0h53m36s"_s;
        QTest::newRow("New York") << hms(74, 0, 0) << -1.0 << u"-4h56m00s"_s;
        QTest::newRow("180° W") << hms(180, 0, 0) << -1.0 << u"-12h00m00s"_s;
    }

    void longitudeInTime()
    {
        QFETCH(Sexagesimal, longitude);
        QFETCH(double, eastWest);
        QFETCH(QString, time);
        const auto step = Sidereal::longitudeInTime(longitude, eastWest);
        QVERIFY(step.ok());
        QCOMPARE(clockOf(step.value()), time);
    }

    // The sum and the whole days it needs: above 24 h, above 48 h, below 0 h.
    void withinDay_data()
    {
        QTest::addColumn<int>("sum");
        QTest::addColumn<double>("dayHours");
        QTest::addColumn<QString>("time");
        QTest::newRow("within the day") << 83'611 << 0.0 << u"23h13m31s"_s;
        QTest::newRow("above a day") << 118'807 << -24.0 << u"9h00m07s"_s;
        QTest::newRow("above two days") << 2 * 86'400 + 5 << -48.0 << u"0h00m05s"_s;
        QTest::newRow("negative") << -3600 << 24.0 << u"23h00m00s"_s;
        QTest::newRow("24 h are 0 h") << 86'400 << -24.0 << u"0h00m00s"_s;
    }

    void withinDay()
    {
        QFETCH(int, sum);
        QFETCH(double, dayHours);
        QFETCH(QString, time);
        QCOMPARE(dayHoursFor(sum), dayHours);
        const auto step = Sidereal::withinDay(Sexagesimal::of(secondsToTriple(sum)), dayHours);
        QVERIFY(step.ok());
        QCOMPARE(clockOf(step.value()), time);
    }

    // Every message of the steps, from entries the form's checks let through
    // or that a restored or pasted text brings.
    void stepMessages_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<Sexagesimal>("value");
        QTest::addColumn<double>("extra");
        QTest::addColumn<QString>("message");
        QTest::newRow("31 February")
            << int(UniversalTimeStep) << date(31, 2, 1987) << 1.0 << u"Datum ungültig!"_s;
        QTest::newRow("year 0") << int(UniversalTimeStep) << date(1, 1, 0) << 1.0
                                << u"Datum ungültig!"_s;
        QTest::newRow("zone +15") << int(UniversalTimeStep) << date(1, 2, 1987) << 15.0
                                  << u"Zeitzone ungültig!"_s;
        QTest::newRow("180°01'") << int(LongitudeStep) << hms(180, 1, 0) << 1.0
                                 << u"Die Länge ist maximal 180° möglich!"_s;
        QTest::newRow("60 minutes of arc")
            << int(LongitudeStep) << hms(10, 60, 0) << 1.0 << u"Winkel ungültig!"_s;
        QTest::newRow("sum not in the day") << int(WithinDayStep) << hms(25, 0, 0) << 0.0
                                            << u"Die Sternzeit muss zwischen 0h und 24h liegen!"_s;
        QTest::newRow("a universal time of 24 h")
            << int(ShareStep) << hms(24, 0, 0) << 0.0 << u"Zeit ungültig!"_s;
        QTest::newRow("beyond 16 bits")
            << int(WithinDayStep) << hms(0, 0, 0) << 1e12 << u"Überlauf!"_s;
    }

    void stepMessages()
    {
        QFETCH(int, step);
        QFETCH(Sexagesimal, value);
        QFETCH(double, extra);
        QFETCH(QString, message);
        State st;
        Entries &e = st.entries;
        e.birthDate = date(1, 2, 1987);
        e.civilTime = hms(14, 35, 0);
        e.zone = 1;
        e.longitude = hms(13, 24, 0);
        if (step == UniversalTimeStep) {
            e.birthDate = value;
            e.zone = extra;
        } else if (step == LongitudeStep) {
            e.longitude = value;
        } else if (step == ShareStep) {
            e.universalTime = value;
        } else {
            e.sum = value;
            e.dayHours = extra;
        }
        QCOMPARE(st.run(Step(step)).value_or(QString()), message);
        QCOMPARE(st.status(step), StepLedger::Status::NotComputed);
    }

    // The worked examples right, and the check's rows: the exact sidereal time
    // lies within a second of the hand one.
    void workedExamples_data()
    {
        QTest::addColumn<Birth>("birth");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("exact");
        QTest::newRow("Berlin, 14.35 MEZ") << Berlin << u"23h13m31s"_s << u"23h13m30,5s"_s;
        QTest::newRow("Berlin, 0.20 MEZ")
            << BerlinAfterMidnight << u"9h00m07s"_s << u"9h00m06,6s"_s;
        QTest::newRow("New York, 23.10") << NewYork << u"8h01m18s"_s << u"8h01m18,2s"_s;
    }

    void workedExamples()
    {
        QFETCH(Birth, birth);
        QFETCH(QString, result);
        QFETCH(QString, exact);
        const Worked w = SiderealVerdicts::work(SiderealVerdicts::rightPlan(birth));
        QCOMPARE(clockOf(*w.results.siderealTime), result);
        const auto report = checkSidereal(w);
        QVERIFY(report.ok());
        QVERIFY2(report.value().right, qPrintable(report.value().finding));
        const CheckRow last = report.value().rows.constLast();
        QCOMPARE(last.name, u"Sternzeit der Geburt"_s);
        QCOMPARE(last.exact, exact);
    }

    // Each slip on the worked examples, named by its cause and in words.
    void findings_data()
    {
        QTest::addColumn<Birth>("birth");
        QTest::addColumn<PlanChange>("slip");
        QTest::addColumn<Cause>("cause");
        QTest::addColumn<QString>("words");
        const auto beforeStep = [](int at, std::function<void(Entries &)> change) {
            return PlanChange([at, change](Plan &p) {
                p.beforeStep = [at, change](State &st, int step) {
                    if (step == at)
                        change(st.entries);
                };
            });
        };
        QTest::newRow("zone sign")
            << Berlin << beforeStep(UniversalTimeStep, [](Entries &e) { e.zone = -1; })
            << Cause::Zone << u"Vorzeichen der Zeitzone vertauscht"_s;
        QTest::newRow("zone forgotten")
            << Berlin << beforeStep(UniversalTimeStep, [](Entries &e) { e.zone = 0; })
            << Cause::Zone << u"Zeitzone +1 vergessen"_s;
        QTest::newRow("day shift forgotten") << BerlinAfterMidnight << PlanChange([](Plan &p) {
            p.ephemeris = printedEphemeris(QDate(1987, 2, 2));
        }) << Cause::WrongDay << u"Der Tageswechsel wurde vergessen"_s;
        QTest::newRow("ephemeris misread")
            << Berlin << PlanChange([](Plan &p) { p.ephemeris += 60; }) << Cause::Misread
            << u"weicht um +0h01m00s"_s;
        QTest::newRow("share forgotten")
            << Berlin << beforeStep(SumStep, [](Entries &e) { e.shareOfStep5 = {}; })
            << Cause::Share << u"fehlt der Zuschlag von 0h02m14s"_s;
        QTest::newRow("share taken off")
            << Berlin << beforeStep(SumStep, [](Entries &e) { e.shareOfStep5 = hms(0, -2, -14); })
            << Cause::Share << u"abgezogen statt addiert"_s;
        QTest::newRow("east and west swapped")
            << NewYork << beforeStep(LongitudeStep, [](Entries &e) { e.eastWest = 1; })
            << Cause::Longitude << u"In Schritt 4 sind Ost und West vertauscht"_s;
        QTest::newRow("arc minutes times 4 as minutes")
            << Berlin
            << beforeStep(SumStep, [](Entries &e) { e.longitudeTimeOfStep5 = hms(0, 148, 0); })
            << Cause::Longitude << u"je Bogenminute 4 Sekunden"_s;
        QTest::newRow("sum not reduced")
            << BerlinAfterMidnight << beforeStep(WithinDayStep, [](Entries &e) { e.dayHours = 0; })
            << Cause::Reduction << u"wählen Sie „-24h“"_s;
    }

    void findings()
    {
        QFETCH(Birth, birth);
        QFETCH(PlanChange, slip);
        QFETCH(Cause, cause);
        QFETCH(QString, words);
        Plan plan = SiderealVerdicts::rightPlan(birth);
        slip(plan);
        const CheckReport report = checkedPlan(plan);
        QVERIFY(!report.right);
        QCOMPARE(report.cause, cause);
        QVERIFY2(report.finding.contains(words), qPrintable(report.finding));
    }

    // An ephemeris that cuts its seconds off is a second short: still right,
    // and the finding says why; two seconds are a misreading.
    void printedDifferently()
    {
        Plan plan = SiderealVerdicts::rightPlan(Berlin);
        plan.ephemeris -= 1;
        CheckReport report = checkedPlan(plan);
        QVERIFY2(report.right, qPrintable(report.finding));
        QVERIFY(report.finding.contains(u"kein Lesefehler"_s));
        plan.ephemeris -= 1;
        report = checkedPlan(plan);
        QCOMPARE(report.cause, Cause::Misread);
    }

    // A second off the page: read right from an ephemeris of one's own, a
    // misreading where the task prints the page beside it.
    void pageReadToTheSecond_data()
    {
        QTest::addColumn<std::optional<TaskKind>>("kind");
        QTest::addColumn<bool>("siderealWorked");
        QTest::addColumn<bool>("right");
        QTest::newRow("free") << std::optional<TaskKind>() << false << true;
        QTest::newRow("rectification, time given")
            << std::optional(TaskKind::Rectification) << false << true;
        QTest::newRow("rectification, time worked")
            << std::optional(TaskKind::Rectification) << true << false;
        QTest::newRow("sidereal task") << std::optional(TaskKind::Sidereal) << false << false;
    }

    void pageReadToTheSecond()
    {
        QFETCH(std::optional<TaskKind>, kind);
        QFETCH(bool, siderealWorked);
        QFETCH(bool, right);
        Plan plan = SiderealVerdicts::rightPlan(Berlin);
        plan.ephemeris -= 1;
        Worked worked = SiderealVerdicts::work(plan);
        if (kind) {
            GivenTask task;
            task.kind = *kind;
            task.number = 1;
            task.birthDate = Berlin.date;
            task.birthTime = QTime(0, 0).addSecs(Berlin.civilSeconds);
            task.zone = Berlin.zone;
            task.longitudeMinutes = Berlin.longitudeMinutes;
            task.siderealWorked = siderealWorked;
            worked.task = task;
        }
        const CheckReport report = checkSidereal(worked).value();
        QCOMPARE(report.right, right);
        if (!right) {
            QCOMPARE(report.cause, Cause::Misread);
            QVERIFY2(report.finding.contains(u"auf der Seite der Aufgabe"_s),
                     qPrintable(report.finding));
        }
    }

    // An empty seconds field reads 0 in the steps and in the check alike.
    void emptySecondsReadAsZero()
    {
        Plan plan = SiderealVerdicts::rightPlan(Berlin);
        plan.beforeStep = [](State &st, int step) {
            if (step == UniversalTimeStep) {
                st.header.civilTimeTexts[2].clear();
                readHeader(st.header);
                st.entries.civilTime = st.header.civilTime;
            }
        };
        const CheckReport report = checkedPlan(plan);
        QVERIFY2(report.right, qPrintable(report.finding));
    }

    // Nothing to check yet, or a head without what the exact answer needs.
    void refusals()
    {
        State st;
        QCOMPARE(checkSidereal(st.worked()).message(),
                 u"Für die Kontrolle fehlt die Rechnung: bitte zuerst die Schritte rechnen."_s);
        st.entries.longitude = hms(13, 24, 0);
        QVERIFY(!st.run(LongitudeStep));
        QCOMPARE(checkSidereal(st.worked()).message(),
                 u"Für die Kontrolle fehlen: Geburtsdatum, Geburtszeit, Länge."_s);
    }

    // The sheet writes each step as the hand method does.
    void sheetLines()
    {
        const Worked w = SiderealVerdicts::work(SiderealVerdicts::rightPlan(BerlinAfterMidnight));
        SiderealSheetInput in;
        in.worked = w;
        const Sheets::Sheet sheet = siderealSheet(in);
        QCOMPARE(sheet.steps.size(), 5);
        QCOMPARE(sheet.steps[0].lines,
                 QStringList{u"0h20m00s − 1 h = -0h40m00s + 24 h = 23h20m00s, "
                             u"Ephemeridentag 01.02.1987"_s});
        QCOMPARE(sheet.steps[2].lines,
                 QStringList{u"23h20m00s = 23,3333 h × 9,8565 s = 229,9850 s ≈ 0h03m50s"_s});
        QCOMPARE(sheet.steps[4].lines,
                 (QStringList{u"8h42m41s + 23h20m00s + 0h03m50s + 0h53m36s = 33h00m07s"_s,
                              u"33h00m07s − 24 h = 9h00m07s"_s}));
        QCOMPARE(sheet.finalResult, u"9h00m07s"_s);
    }

    // A sample of the catalogue: a few hundred births, each right and with
    // every slip it leaves room for. bench_siderealverdicts runs 20 000.
    void catalogue()
    {
        const SiderealVerdicts::Tally tally = SiderealVerdicts::siderealCatalogue(1, 300);
        QVERIFY2(tally.clean(), qPrintable(tally.report()));
        QVERIFY(tally.cases > 300 * 15);
        QCOMPARE(tally.bySlip.value(u"richtig"_s), 300);
        QVERIFY(tally.bySlip.value(u"Tageswechsel vergessen: Ephemeride des Geburtstags"_s) > 50);
    }

    // Generated tasks print their page: the value read from it must be the
    // page's to the second, and the check, the sheet and the exercise page
    // call each slip wrong. bench_siderealverdicts runs 5 000 tasks.
    void taskCatalogue()
    {
        const SiderealVerdicts::Tally tally = SiderealVerdicts::siderealTaskCatalogue(1, 200);
        QVERIFY2(tally.clean(), qPrintable(tally.report()));
        QCOMPARE(tally.bySlip.value(u"richtig"_s), 200);
        QCOMPARE(tally.bySlip.value(u"Seite verlesen um 1 s"_s), 200);
        QVERIFY(tally.bySlip.value(u"Zeitzone vergessen"_s) > 150);
    }
};

QTEST_GUILESS_MAIN(tst_SiderealCheck)
#include "tst_siderealcheck.moc"
