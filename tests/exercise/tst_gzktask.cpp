#include "astro/zodiac.h"
#include "exercise/gzkcheck.h"
#include "exercise/gzktask.h"
#include "exercise/gzktexts.h"

#include <QElapsedTimer>
#include <QLocale>
#include <QTest>

#include <array>
#include <cmath>

using namespace Exercise;
using namespace Qt::StringLiterals;
using namespace Core;

Q_DECLARE_METATYPE(Exercise::GzkEntries)

class tst_GzkTask : public QObject {
    Q_OBJECT

private slots:
    void ageAt_data();
    void ageAt();
    void tasksOneToFiveHundred();
    void pinnedTasks_data();
    void pinnedTasks();
    void tableCellsAndDurations();
    void answers_data();
    void answers();
    void incompleteAnswers();
    void solutionShowsTheStepsAndTheExactCorrection();
};

namespace {

FieldTexts fieldsOf3(qint32 h, qint32 m, qint32 s)
{
    return {QString::number(h), QString::number(m), QString::number(s)};
}

FieldTexts fieldsOf(qint32 seconds)
{
    const SexagesimalTriple t = secondsToTriple(seconds);
    return fieldsOf3(t.units, t.minutes, t.seconds);
}

} // namespace

void tst_GzkTask::ageAt_data()
{
    QTest::addColumn<QDate>("birth");
    QTest::addColumn<QDate>("event");
    QTest::addColumn<double>("years");
    QTest::addColumn<double>("days");
    const auto row = [](const char *tag, QDate birth, QDate event, double years, double days) {
        QTest::newRow(tag) << birth << event << years << days;
    };
    const QDate november(1975, 11, 7), leapDay(1960, 2, 29);
    row("on the birthday", november, QDate(2010, 11, 7), 35, 0);
    row("the day before", november, QDate(2010, 11, 6), 34, 364);
    row("across a leap day", november, QDate(2012, 3, 7), 36, 121);
    row("29 Feb, common year, 28 Feb", leapDay, QDate(1999, 2, 28), 38, 364);
    row("29 Feb, common year, 1 Mar", leapDay, QDate(1999, 3, 1), 39, 0);
    row("29 Feb, leap year", leapDay, QDate(2000, 3, 1), 40, 1);
    row("after a leap year's birthday", QDate(1970, 3, 10), QDate(2012, 3, 9), 41, 365);
}

void tst_GzkTask::ageAt()
{
    QFETCH(QDate, birth);
    QFETCH(QDate, event);
    QFETCH(double, years);
    QFETCH(double, days);
    const Rectification::Age age = Exercise::ageAt(birth, event);
    QCOMPARE(age.years, years);
    QCOMPARE(age.days, days);
}

void tst_GzkTask::tasksOneToFiveHundred()
{
    QElapsedTimer timer;
    timer.start();
    int signChanges = 0;
    double worst = 0;
    for (int number = 1; number <= 500; ++number) {
        const std::optional<GzkTask> made = makeGzkTask(number);
        QVERIFY(made);
        const GzkTask &task = *made;
        const QString where = QStringLiteral("task ") + QString::number(number);
        // The planet lies inside the values of the two rows with 30'' to spare.
        const qint32 smaller = task.page.at(task.hand.smallerRow).value(task.axis);
        const qint32 greater = task.page.at(task.hand.smallerRow + 1).value(task.axis);
        QVERIFY2(Astro::arcAhead(task.aspectPoint, smaller) >= 30, qPrintable(where));
        QVERIFY2(Astro::arcAhead(greater, task.aspectPoint) >= 30, qPrintable(where));
        if (smaller / Astro::ArcSecondsPerSign != greater / Astro::ArcSecondsPerSign)
            ++signChanges;
        QCOMPARE(task.planetPosition % Astro::ArcSecondsPerSign,
                 task.aspectPoint % Astro::ArcSecondsPerSign);
        QVERIFY(std::abs(task.trueOffset) >= 20 && std::abs(task.trueOffset) <= 230);
        // The calculator's answer is what the check accepts, and a slip of
        // a day in step 6 gets a hint but not the answer.
        const qint32 right = correctionSeconds(task.hand);
        QCOMPARE(checkGzkAnswer(task, fieldsOf(right)).outcome, GzkVerdict::Outcome::Right);
        const GzkVerdict slip = checkGzkAnswer(task, fieldsOf(right + 86'400));
        QCOMPARE(slip.outcome, GzkVerdict::Outcome::Wrong);
        QVERIFY2(slip.message.contains(u"360°"), qPrintable(where));

        // The exact correction finds the true birth again, and the hand
        // result lies near it.
        const GzkExact exact = exactCorrection(task);
        QVERIFY2(std::abs(exact.civilSeconds - task.trueOffset) < 0.5,
                 qPrintable(where + u' ' + QString::number(exact.civilSeconds)));
        const double off = std::abs(correctionSeconds(task.hand) - exact.civilSeconds);
        worst = std::max(worst, off);
        QVERIFY2(off <= 30, qPrintable(where + u' ' + QString::number(off)));
    }
    QCOMPARE(signChanges, 250);
    // Numbers outside 1 to 999 999 give no task.
    QVERIFY(!makeGzkTask(0) && !makeGzkTask(1'000'000) && makeGzkTask(999'999));
    qInfo("500 tasks in %lld ms; the hand result at most %.1f s from the exact one",
          timer.elapsed(), worst);
}

// Tasks as they were drawn when the tasks were introduced: a change of the
// random stream or of the lists would change every numbered task.
void tst_GzkTask::pinnedTasks_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("correction");
    QTest::newRow("1") << 1
                       << QStringList{u"Geburtsdatum: 19.06.2003"_s,
                                      u"Geburtszeit: 4.05 Uhr (Zeitzone +1)"_s,
                                      u"Geburtsort: Stuttgart, Breite 48°47' N, Länge 9°11' O"_s,
                                      u"Sternzeit der Geburt: 21h29m29s"_s,
                                      u"Ereignis: Heirat am 18.03.2025"_s,
                                      u"Achse: AC"_s,
                                      u"Radix-Planet: Pluto 11°26'12'' Widder (Quadrat)"_s}
                       << u"0h-1m-4s"_s;
    // Births in other towns and hours: the place, the sidereal time that
    // follows from it and the planet found by the directed axis.
    const auto town = [](const char *name, int number, const char16_t *place, const char16_t *time,
                         const char16_t *planet, const char16_t *correction) {
        QTest::newRow(name) << number
                            << QStringList{u"Geburtsort: "_s + QString::fromUtf16(place),
                                           u"Sternzeit der Geburt: "_s + QString::fromUtf16(time),
                                           u"Radix-Planet: "_s + QString::fromUtf16(planet)}
                            << QString::fromUtf16(correction);
    };
    town("München", 15, u"München, Breite 48°08' N, Länge 11°35' O", u"18h06m44s",
         u"Neptun 0°06'17'' Widder (Sextil)", u"0h0m-51s");
    town("Berlin", 39, u"Berlin, Breite 52°31' N, Länge 13°24' O", u"2h04m08s",
         u"Mond 29°24'55'' Skorpion (Opposition)", u"0h-1m-27s");
    town("Ulm", 41, u"Ulm, Breite 48°24' N, Länge 9°59' O", u"10h08m33s",
         u"Mars 8°04'44'' Widder (Quadrat)", u"0h1m0s");
    town("Augsburg, a conjunction", 6, u"Augsburg, Breite 48°22' N, Länge 10°54' O", u"5h59m10s",
         u"Jupiter 0°31'26'' Skorpion (Konjunktion)", u"0h0m44s");
    town("Würzburg, a trigon", 10, u"Würzburg, Breite 49°48' N, Länge 9°56' O", u"2h35m27s",
         u"Neptun 29°32'52'' Steinbock (Trigon)", u"0h0m58s");
}

void tst_GzkTask::pinnedTasks()
{
    QFETCH(int, number);
    QFETCH(QStringList, lines);
    QFETCH(QString, correction);
    const GzkTask task = *makeGzkTask(number);
    const QStringList written = gzkTaskLines(task);
    for (const QString &line : std::as_const(lines))
        QVERIFY2(written.contains(line), qPrintable(written.join(u'\n')));
    QCOMPARE(written.size(), 7);
    QCOMPARE(correctionText(task.hand.correction), correction);
    if (number == 1) {
        QCOMPARE(houseTableTitle(task), u"Häusertabelle für 48°47' nördlicher Breite"_s);
        QCOMPARE(Exercise::houseTableCells(task.page.at(2)),
                 QStringList({u"22h52m"_s, u"343°"_s, u"11°34' Fische"_s, u"11°00' Krebs"_s}));
    }
}

// The house table's cells at the ends of a sidereal day, and durations with
// a tenth of a second, rounded, with a sign only before something.
void tst_GzkTask::tableCellsAndDurations()
{
    QCOMPARE(Exercise::houseTableCells({0, 0, Astro::positionOf(3, 23, 50, 0)}),
             QStringList({u"0h00m"_s, u"0°"_s, u"0°00' Widder"_s, u"23°50' Krebs"_s}));
    QCOMPARE(Exercise::houseTableCells(
                 {359, Astro::positionOf(11, 28, 55, 0), Astro::positionOf(3, 23, 4, 0)}),
             QStringList({u"23h56m"_s, u"359°"_s, u"28°55' Fische"_s, u"23°04' Krebs"_s}));
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QStringList written;
    for (const double seconds : {-209.84, 5.04, 59.96, -0.04, 0.04})
        written << Exercise::durationText(seconds) + u" / "_s + signedDurationText(seconds);
    QLocale::setDefault(previous);
    QCOMPARE(written,
             (QStringList{u"-3 m 29,8 s / -3 m 29,8 s"_s, u"5,0 s / +5,0 s"_s,
                          u"1 m 0,0 s / +1 m 0,0 s"_s, u"0,0 s / 0,0 s"_s, u"0,0 s / 0,0 s"_s}));
}

// A catalogue of answers to three tasks: task 1 (rows in one sign), task 2
// (the AC crossing from Fische into Widder between the rows) and task 3
// (a day taken off in step 4 and 360° added in step 6), each the steps run
// on a slip of the student's.
void tst_GzkTask::answers_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<GzkEntries>("slip");
    QTest::addColumn<int>("extra"); // seconds added to the answer
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("says");
    const auto row = [](const char *name, int number, const GzkEntries &slip, int extra,
                        GzkVerdict::Outcome outcome, const char16_t *says) {
        QTest::newRow(name) << number << slip << extra << static_cast<int>(outcome)
                            << QString::fromUtf16(says);
    };
    using O = GzkVerdict::Outcome;
    const GzkTask t1 = *makeGzkTask(1), t2 = *makeGzkTask(2), t3 = *makeGzkTask(3);
    // The value of the task's axis in the row `offset` rows from the smaller one.
    const auto cell = [](const GzkTask &t, int offset, std::optional<Astro::Axis> axis = {}) {
        return t.page.at(t.hand.smallerRow + offset).value(axis.value_or(t.axis));
    };
    const auto age = [](const GzkTask &t, double years, double days) {
        return Rectification::Age{t.hand.age.years + years, t.hand.age.days + days};
    };
    row("right", 1, {}, 0, O::Right, u"Richtig! 0h-1m-4s");
    row("right, with a day taken off", 3, {}, 0, O::Right, u"Richtig! 0h-1m-34s");
    row("rows one lower", 1, {.smallerRow = t1.hand.smallerRow - 1}, 0, O::Wrong,
        u"Zeilen der Häusertabelle");
    row("rows one higher", 2, {.smallerRow = t2.hand.smallerRow + 1}, 0, O::Wrong,
        u"Zeilen der Häusertabelle");
    row("smaller value of the row above", 1, {.smallerValue = cell(t1, -1)}, 0, O::Wrong,
        u"Tabellenwerte");
    row("greater value of the row below", 3, {.greaterValue = cell(t3, 2)}, 0, O::Wrong,
        u"Tabellenwerte");
    row("values swapped", 3, {.smallerValue = cell(t3, 1), .greaterValue = cell(t3, 0)}, 0,
        O::Wrong, u"Tabellenwerte");
    row("MC read for the AC", 1,
        {.smallerValue = cell(t1, 0, Astro::Axis::MC),
         .greaterValue = cell(t1, 1, Astro::Axis::MC)},
        0, O::Wrong, u"Tabellenwerte");
    row("+0 across the sign", 2, {.firstSignCorrection = 0}, 0, O::Wrong, u"größerer − kleinerer");
    row("-30 on the planet", 2, {.secondSignCorrection = -30}, 0, O::Wrong,
        u"korrigierter − kleinerer");
    row("+360 forgotten", 3, {}, -86'400, O::Wrong, u"-24h");
    row("360 added needlessly", 1, {}, 86'400, O::Wrong, u"360°");
    // A day of age moves the result by 0.65 s: it cannot be told from rounding.
    row("a day of age too many", 1, {.age = age(t1, 0, 1)}, 0, O::Wrong, u"nahe daran");
    row("the days forgotten", 1, {.age = age(t1, 0, -t1.hand.age.days)}, 0, O::Wrong,
        u"Alter in Schritt 1");
    row("days to the next birthday", 3, {.age = age(t3, 0, 365 - 2 * t3.hand.age.days)}, 0,
        O::Wrong, u"Alter in Schritt 1");
    row("a year of age too few", 2, {.age = age(t2, -1, 0)}, 0, O::Wrong, u"Alter in Schritt 1");
    row("20 s off", 1, {}, 20, O::Wrong, u"nahe daran");
    row("half an hour off", 1, {}, 1800, O::Wrong, u"Schritt für Schritt");
    row("only the seconds wrong", 1, {}, -10, O::Wrong, u"Sekunden sind falsch, der Rest stimmt.");
    row("minutes and seconds wrong", 1, {}, -70, O::Wrong, u"Minuten und Sekunden sind falsch.");
}

void tst_GzkTask::answers()
{
    QFETCH(int, number);
    QFETCH(GzkEntries, slip);
    QFETCH(int, extra);
    QFETCH(int, outcome);
    QFETCH(QString, says);
    const GzkTask task = *makeGzkTask(number);
    const std::optional<GzkHandSolution> slipped = runGzkSteps(task, slip);
    QVERIFY(slipped);
    const GzkVerdict verdict = checkGzkAnswer(task, fieldsOf(correctionSeconds(*slipped) + extra));
    QCOMPARE(static_cast<int>(verdict.outcome), outcome);
    QVERIFY2(verdict.message.contains(says), qPrintable(verdict.message));
    if (verdict.outcome == GzkVerdict::Outcome::Wrong)
        QVERIFY(!verdict.message.contains(correctionText(task.hand.correction)));
}

// An answer with a field that is no whole number within a day names that
// field instead of judging.
void tst_GzkTask::incompleteAnswers()
{
    const GzkTask task = *makeGzkTask(1);
    for (const auto &[typed, firstEmpty] : {std::pair{FieldTexts{u""_s, u"-3"_s, u"-26"_s}, 0},
                                            {FieldTexts{u"0"_s, u"drei"_s, u"-26"_s}, 1},
                                            {FieldTexts{u"0"_s, u"-3"_s, u"  "_s}, 2},
                                            {FieldTexts{u"0"_s, u"-3,5"_s, u"0"_s}, 1},
                                            {FieldTexts{u"0"_s, u"0"_s, u"99999999"_s}, 2}}) {
        const GzkVerdict verdict = checkGzkAnswer(task, typed);
        QVERIFY(verdict.outcome == GzkVerdict::Outcome::Incomplete);
        const QString shown = typed[0] + u'|' + typed[1] + u'|' + typed[2];
        QCOMPARE(std::pair(shown, verdict.firstEmpty), std::pair(shown, firstEmpty));
    }
}

void tst_GzkTask::solutionShowsTheStepsAndTheExactCorrection()
{
    const QString html = gzkSolutionHtml(*makeGzkTask(3));
    for (const QString &part :
         {u"44 Jahre und 97 Tage"_s, u"Direktionsbogen 43°37'35''"_s, u"-24h = 2h06m31s"_s,
          u"zwischen den Zeilen 2h04m und 2h08m"_s, u"+ 360° = 347°36'46''"_s, u"= 0h-1m-34s"_s,
          u"bürgerliche Zeit"_s, u"lineare Interpolation"_s})
        QVERIFY2(html.contains(part), qPrintable(part));
}

QTEST_GUILESS_MAIN(tst_GzkTask)
#include "tst_gzktask.moc"
