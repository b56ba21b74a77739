#include "astro/zodiac.h"
#include "exercise/answercheck.h"
#include "exercise/handsolution.h"
#include "exercise/task.h"
#include "exercise/tasktexts.h"
#include "solar/solarcheck.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTest>

#include <cstdlib>

using namespace Exercise;
using namespace Core;

namespace {

QString s(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// "21°52'09'' Fische" read back as a student reads the page; -1 for a text
// that is no position.
qint32 readPosition(const QString &text)
{
    static const QRegularExpression shape(QStringLiteral("^(\\d+)°(\\d\\d)'(\\d\\d)'' (\\S+)$"));
    const QRegularExpressionMatch m = shape.match(text);
    const std::optional<int> sign = m.hasMatch() ? Astro::signOf(m.captured(4)) : std::nullopt;
    if (!sign)
        return -1;
    return Astro::positionOf(*sign, m.captured(1).toInt(), m.captured(2).toInt(),
                             m.captured(3).toInt());
}

QString answerText(const HandSolution &hand)
{
    return dateText(hand.date) + QStringLiteral(" um ") + clockText(hand.clock);
}

// The first task number whose Solar moves to the next day by "-24h".
int firstNextDayTask()
{
    for (int n = 1;; ++n)
        if (makeTask(n)->hand.nextDay)
            return n;
}

} // namespace

class tst_Exercise : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void pinnedTask();
    void firstThousandTasks();
    void handSolution_data();
    void handSolution();
    void checking_data();
    void checking();
    void sameExactSecondAsTheCheck();
};

// This text is what a class was handed: a change here changes every
// numbered task already given out.
void tst_Exercise::pinnedTask()
{
    const Task task = *makeTask(1);
    QCOMPARE(taskHtml(task),
             s("<p><b>Aufgabe 1</b></p><p>Claudia Lang wurde am 26.08.2005 in Berlin "
               "geboren.</p><p>Radix-Sonne: 3°29'30'' Jungfrau<br>Solar für das Jahr: "
               "2025<br>Zeitzone: +1</p><p>Berechnen Sie Datum und Uhrzeit des Solars.</p>"));
    QCOMPARE(answerText(task.hand), s("26.08.2025 um 12h25m49s"));
}

// Each task read as the student reads it: the calculator's steps on the
// page's printed values give the answer the task expects, and that answer
// lies within a minute of the exact moment.
void tst_Exercise::firstThousandTasks()
{
    for (int n = 1; n <= 1000; ++n) {
        const Task task = *makeTask(n);
        const QString tag = u"task "_qs + QString::number(n);
        QList<EphemerisDay> read;
        for (const EphemerisDay &day : task.page)
            read.append({day.date, readPosition(positionText(day.position))});
        const qint32 radix =
            readPosition(taskHtml(task).section(u"Radix-Sonne: "_qs, 1).section(u"<br>"_qs, 0, 0));
        const std::optional<int> first = enclosingPair(read, radix);
        QVERIFY2(first, qPrintable(tag + u": the page misses the enclosing days"_qs));
        const EphemerisPair pair{read[*first].date, read[*first].position,
                                 read[*first + 1].position};
        const std::optional<HandSolution> hand = ::handSolution(pair, radix, task.zone);
        QVERIFY2(hand, qPrintable(tag));
        QCOMPARE(answerText(*hand), answerText(task.hand));

        const qint32 off = compareWithExact(task, exactMoment(task)).handMinusExact;
        QVERIFY2(std::abs(off) <= 60, qPrintable(tag + u": "_qs + QString::number(off) + u" s"_qs));
    }
}

void tst_Exercise::handSolution_data()
{
    QTest::addColumn<QString>("position1");
    QTest::addColumn<QString>("position2");
    QTest::addColumn<QString>("radix");
    QTest::addColumn<int>("zone");
    QTest::addColumn<QString>("answer"); // date 1 is 01.07.2024; empty: no hand answer
    const auto row = [](const char *tag, const char *radix, int zone, const char *answer,
                        const char *position1 = "10°00'00''",
                        const char *position2 = "11°00'00''") {
        QTest::newRow(tag) << s(position1) + s(" Krebs") << s(position2) + s(" Krebs")
                           << s(radix) + s(" Krebs") << zone << s(answer);
    };
    // The calculator's worked example: 13.5546 h Greenwich time.
    row("worked example", "14°22'30''", 1, "01.07.2024 um 14h33m17s", "13°50'10''", "14°47'25''");
    // 23.6 h Greenwich, 24.6 h in the zone: the next day at 0 h 36 m.
    row("past 24 h", "10°59'00''", 1, "02.07.2024 um 0h36m00s");
    // Exactly 24 h in the zone is already the next day's 0 h, though the
    // calculator's final step lets 24 h stand with "+0h".
    row("exactly 24 h", "10°57'30''", 1, "02.07.2024 um 0h00m00s");
    // West of Greenwich: 0 h 24 m Greenwich is 23 h 24 m of the day before.
    row("zone time below 0 h", "10°01'00''", -1, "30.06.2024 um 23h24m00s");
    // The calculator's steps would take a radix up to 1°05' past date 1.
    row("radix past date 2", "11°01'00''", 1, "");
}

void tst_Exercise::handSolution()
{
    QFETCH(QString, position1);
    QFETCH(QString, position2);
    QFETCH(QString, radix);
    QFETCH(int, zone);
    QFETCH(QString, answer);

    const EphemerisPair pair{QDate(2024, 7, 1), readPosition(position1), readPosition(position2)};
    const std::optional<HandSolution> hand = ::handSolution(pair, readPosition(radix), zone);
    QCOMPARE(hand ? answerText(*hand) : QString(), answer);
}

// Answers shifted from the right one by seconds and days; the message's
// beginning says which part is wrong, the hint names the likely slip.
void tst_Exercise::checking_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("shiftSeconds"); // from the right time
    QTest::addColumn<int>("shiftDays");    // from the right date
    QTest::addColumn<QString>("message");  // its beginning, then a part of the hint
    const QString time = s("Das Datum stimmt, aber die Uhrzeit ist falsch.|");
    const QString date = s("Die Uhrzeit stimmt, aber das Datum ist falsch.|");
    const QString both = s("Uhrzeit und Datum sind falsch.|");
    QTest::newRow("right") << 4711 << 0 << 0
                           << s("Richtig!\n\nZum Vergleich der genaue Zeitpunkt des Solars: "
                                "08.04.2032 um 16h19m23s (Zeitzone +1). Die Handrechnung "
                                "weicht davon um +12 s ab.");
    QTest::newRow("a second late") << 4711 << 1 << 0 << time + s("nahe daran");
    QTest::newRow("zone forgotten") << 4711 << -3600 << 0 << time + s("Zeitzone vergessen");
    QTest::newRow("the day before") << 4711 << 0 << -1 << date + s("kleineren der beiden");
    QTest::newRow("A and B swapped") << 4711 << -6279 << 0 << time + s("A und B vertauscht");
    QTest::newRow("the pair of days before") << 4711 << -31 << -1 << both + s("Tagespaar");
    QTest::newRow("the year before") << 4711 << 0 << -366 << date + s("Prüfen Sie das Jahr.");
    // Radix and date 1 alike: B is 0, and A and B swapped divide by it.
    QTest::newRow("B = 0, a second late") << 13842 << 1 << 0 << time + s("nahe daran");
    QTest::newRow("both wrong") << 4711 << 1 << 1 << both + s("nur weiter");
    QTest::newRow("-24h forgotten")
        << firstNextDayTask() << 24 * 3600 << -1 << both + s("ziehen Sie 24 Stunden ab");
}

void tst_Exercise::checking()
{
    QFETCH(int, number);
    QFETCH(int, shiftSeconds);
    QFETCH(int, shiftDays);
    QFETCH(QString, message);

    const Task task = *makeTask(number);
    const QDate date = task.hand.date.addDays(shiftDays);
    const Answer answer{
        tripleToFields(
            secondsToTriple(fieldsToSeconds(tripleToFields(task.hand.clock)) + shiftSeconds)),
        {QString::number(date.day()), QString::number(date.month()), QString::number(date.year())}};
    const Verdict verdict = checkAnswer(task, answer, exactMoment(task));
    QCOMPARE(verdict.outcome,
             shiftSeconds || shiftDays ? Verdict::Outcome::Wrong : Verdict::Outcome::Right);
    QCOMPARE(verdict.timeRight, shiftSeconds == 0);
    QCOMPARE(verdict.dateRight, shiftDays == 0);
    QVERIFY2(verdict.message.startsWith(message.section(u'|', 0, 0)), qPrintable(verdict.message));
    QVERIFY2(verdict.message.contains(message.section(u'|', 1)), qPrintable(verdict.message));
}

// Task 88's Sun arrives at 03:11:46.500 UT: the exercise's solution and the
// check of the same Solar in the calculator round that half second alike.
void tst_Exercise::sameExactSecondAsTheCheck()
{
    const Task task = *makeTask(88);
    QCOMPARE(exactMoment(task).time().msec(), 500);
    const ExactComparison exercise = compareWithExact(task, exactMoment(task));
    QCOMPARE(exercise.clock, (SexagesimalTriple{4, 11, 47}));

    const int sign = task.radix / Astro::ArcSecondsPerSign;
    const auto within = [](qint32 position) {
        return secondsToTriple(position % Astro::ArcSecondsPerSign);
    };
    Solar::Worked w;
    w.header.sign = Astro::signName(sign);
    w.header.year = QString::number(task.solarYear);
    w.header.birthDate = {QString::number(task.birthDate.day()),
                          QString::number(task.birthDate.month()),
                          QString::number(task.birthDate.year())};
    w.header.radix = within(task.radix);
    w.header.sunDate1 = within(task.pair().position1);
    w.header.sunDate2 = within(task.pair().position2);
    w.entries.zoneHours = task.zone;
    const auto check = Solar::compare(w);
    QVERIFY2(check.ok(), qPrintable(check.message()));
    QCOMPARE(check.value().exactLocal.time(), QTime(4, 11, 47));
    QCOMPARE(check.value().exactLocal.date(), exercise.date);
}

QTEST_GUILESS_MAIN(tst_Exercise)
#include "tst_exercise.moc"
