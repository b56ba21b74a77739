#include "astro/zodiac.h"
#include "core/notation.h"
#include "exercise/rectificationanswer.h"
#include "exercise/rectificationtask.h"
#include "exercise/rectificationtexts.h"
#include "exercise/siderealanswer.h"
#include "exercise/siderealtask.h"
#include "exercise/siderealtexts.h"
#include "exercise/solaranswer.h"
#include "exercise/solarhandsolution.h"
#include "exercise/solartask.h"
#include "exercise/solartexts.h"
#include "solar/solarcheck.h"
#include "sternzeit/siderealcheck.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTest>

#include <cmath>
#include <cstdlib>

using namespace Exercise;
using namespace Core;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(Exercise::RectificationInputs)
Q_DECLARE_METATYPE(Exercise::SiderealVerdict::Outcome)

namespace {

// "21°52'09'' Fische" read back as a student reads the page; -1 for a text
// that is no position.
qint32 readPosition(const QString &text)
{
    static const QRegularExpression shape(u"^(\\d+)°(\\d\\d)'(\\d\\d)'' (\\S+)$"_s);
    const QRegularExpressionMatch m = shape.match(text);
    const std::optional<int> sign = m.hasMatch() ? Astro::signNamed(m.captured(4)) : std::nullopt;
    if (!sign)
        return -1;
    return Astro::positionOf(*sign, m.captured(1).toInt(), m.captured(2).toInt(),
                             m.captured(3).toInt());
}

QString answerText(const SolarHandSolution &hand)
{
    return Notation::date(hand.date) + u" um "_s + Notation::clock(pickersToSeconds(hand.clock));
}

// The first task number whose Solar moves to the next day by "-24h".
int firstNextDayTask()
{
    for (int n = 1;; ++n)
        if (makeSolarTask(n)->hand.nextDay)
            return n;
}

FieldTexts fieldsOf(qint64 seconds)
{
    return tripleToFields(secondsToTriple(static_cast<qint32>(seconds)));
}

// Two tasks of the sidereal time: a birth abroad, and one whose universal time
// falls on the day before the birth date.
constexpr int SiderealAbroad = 1;
constexpr int SiderealDayShift = 11;

// The universal time of a task's birth as the student works it: the clock
// time in seconds, and the universal time within its day.
struct UniversalTimeParts {
    qint64 civil = 0;
    qint64 within = 0;
};
UniversalTimeParts universalTimeOf(const SiderealTask &task)
{
    const qint64 civil = task.birthTime.msecsSinceStartOfDay() / 1000;
    return {civil, modulo(civil - task.zone.hours * 3600, 86'400)};
}

} // namespace

class tst_Exercise : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    // These texts are what a class was handed: a change here changes every
    // numbered task already given out (task 1 keeps the person and birth it
    // has always had, its Solar is now set in Peking). Of each sort one: in
    // Germany, abroad west of Greenwich with "+24h" and east with "-24h",
    // across a sign with the radix in either sign. What the task gives
    // travels with it and names it at the calculator's top.
    void pinnedSolarTasks_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("lines");    // of the task, its person to its zone
        QTest::addColumn<QString>("solution"); // a part of the worked solution
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("summary");
        const auto row = [](const char *tag, int number, const char16_t *lines,
                            const char16_t *solution, const char16_t *answer,
                            const char16_t *summary) {
            QTest::newRow(tag) << number << QString::fromUtf16(lines)
                               << QString::fromUtf16(solution) << QString::fromUtf16(answer)
                               << QString::fromUtf16(summary);
        };
        row("Germany", 4710,
            u"Martin Braun wurde am 28.06.1987 in Bielefeld geboren.</p><p>Radix-Sonne: 5°48'54'' "
            u"Krebs<br>Solar für das Jahr: 2018<br>Zeitzone: +1",
            u"Zeitzone: 12h27m16s + 1 h = 13h27m16s", u"27.06.2018 um 13h27m16s",
            u"Aufgabe 4710 · Solar 2018 · Zeitzone +1");
        row("abroad, the day itself", 1,
            u"Claudia Lang wurde am 26.08.2005 in Berlin geboren.</p><p>Radix-Sonne: 3°29'30'' "
            u"Jungfrau<br>Solar für das Jahr: 2025<br>Wohnort im Solarjahr: Peking "
            u"(Zeitzone +8)",
            u"Der Solar gilt am Wohnort im Solarjahr, Peking: Zeitzone +8",
            u"26.08.2025 um 19h25m49s", u"Aufgabe 1 · Solar 2025 · Zeitzone +8 (Peking)");
        row("abroad west, +24h", 4712,
            u"Ursula Meier wurde am 05.12.1991 in Ulm geboren.</p><p>Radix-Sonne: 12°38'20'' "
            u"Schütze<br>Solar für das Jahr: 2011<br>Wohnort im Solarjahr: Chicago "
            u"(Zeitzone -6)",
            u"Tageskorrektur: -2h21m37s + 24 h = 21h38m23s; die Uhrzeit gehört zum Tag davor, "
            u"dem 04.12.2011.",
            u"04.12.2011 um 21h38m23s", u"Aufgabe 4712 · Solar 2011 · Zeitzone -6 (Chicago)");
        row("abroad east, -24h", 8,
            u"Elke Neumann wurde am 16.01.1981 in Freiburg im Breisgau geboren.</p><p>Radix-Sonne: "
            u"25°50'58'' Steinbock<br>Solar für das Jahr: 2026<br>Wohnort im Solarjahr: Tokio "
            u"(Zeitzone +9)",
            u"Zeitzone: 23h56m52s + 9 h = 32h56m52s</li><li>Tageskorrektur: 32h56m52s − 24 h = "
            u"8h56m52s; die Uhrzeit gehört zum folgenden Tag, dem 16.01.2026.",
            u"16.01.2026 um 8h56m52s", u"Aufgabe 8 · Solar 2026 · Zeitzone +9 (Tokio)");
        row("across a sign, the radix in the second", 4711,
            u"Silke Weber wurde am 24.10.1974 in Leipzig geboren.</p><p>Radix-Sonne: 0°43'30'' "
            u"Skorpion<br>Solar für das Jahr: 2021<br>Zeitzone: +1",
            u"A = 0°47'39'' + 30° − 29°47'56'' = 0°59'43'', in Schritt 4 eingetragen.</li><li>"
            u"Entfernungswert, von Hand über die Zeichengrenze (die Radix-Sonne steht schon im "
            u"neuen Zeichen, Schritt 3 des Rechners meldet „1. Datum größer als "
            u"Radix-Sonnenposition“): B = 0°43'30'' + 30° − 29°47'56'' = 0°55'34''",
            u"23.10.2021 um 23h19m56s", u"Aufgabe 4711 · Solar 2021 · Zeitzone +1");
        row("across a sign, the radix in the first", 4,
            u"Jörg Lange wurde am 22.09.1985 in Köln geboren.</p><p>Radix-Sonne: 29°28'01'' "
            u"Jungfrau<br>Solar für das Jahr: 2012<br>Zeitzone: +1",
            u"A = 0°22'28'' + 30° − 29°23'45'' = 0°58'43'', in Schritt 4 eingetragen.</li><li>"
            u"Entfernungswert: B = 29°28'01'' − 29°23'45'' = 0°04'16'' (die Radix-Sonne steht "
            u"noch im Zeichen des 1. Datums, ohne 30°).",
            u"22.09.2012 um 2h44m38s", u"Aufgabe 4 · Solar 2012 · Zeitzone +1");
    }

    void pinnedSolarTasks()
    {
        QFETCH(int, number);
        QFETCH(QString, lines);
        QFETCH(QString, solution);
        QFETCH(QString, answer);
        QFETCH(QString, summary);
        const SolarTask task = *makeSolarTask(number);
        const QString html = solarTaskHtml(task);
        QCOMPARE(html, u"<p><b>Aufgabe "_s + QString::number(number) + u"</b></p><p>"_s + lines +
                           u"</p><p>Berechnen Sie Datum und Uhrzeit des Solars.</p>"_s);
        const QString worked = solarSolutionHtml(task, exactMoment(task));
        QVERIFY2(worked.contains(solution), qPrintable(worked));
        QCOMPARE(answerText(task.hand), answer);
        const Core::GivenTask given = givenTask(task);
        QCOMPARE(given.summary(), summary);
        QCOMPARE(Core::GivenTask::fromText(given.toText()), given);
    }

    void solarHandSolution_data()
    {
        QTest::addColumn<QString>("position1");
        QTest::addColumn<QString>("position2");
        QTest::addColumn<QString>("radix");
        QTest::addColumn<int>("zone");
        QTest::addColumn<QString>("answer"); // date 1 is 01.07.2024; empty: no hand answer
        const auto row = [](const char *tag, const char *radix, int zone, const char *answer,
                            const char *position1 = "10°00'00''",
                            const char *position2 = "11°00'00''") {
            // A position without its sign is in Krebs.
            const auto krebs = [](const char *p) -> QString {
                const QString text = QString::fromUtf8(p);
                return text.contains(u' ') ? text : text + u" Krebs"_s;
            };
            QTest::newRow(tag) << krebs(position1) << krebs(position2) << krebs(radix) << zone
                               << QString::fromUtf8(answer);
        };
        // The calculator's worked example: 13.5546 h Greenwich time.
        row("worked example", "14°22'30''", 1, "01.07.2024 um 14h33m17s", "13°50'10''",
            "14°47'25''");
        // 23.6 h Greenwich, 24.6 h in the zone: the next day at 0 h 36 m.
        row("past 24 h", "10°59'00''", 1, "02.07.2024 um 0h36m00s");
        // Exactly 24 h in the zone is already the next day's 0 h, though the
        // calculator's final step lets 24 h stand with "+0h".
        row("exactly 24 h", "10°57'30''", 1, "02.07.2024 um 0h00m00s");
        // West of Greenwich: 0 h 24 m Greenwich is 23 h 24 m of the day before.
        row("zone time below 0 h", "10°01'00''", -1, "30.06.2024 um 23h24m00s");
        // The calculator's steps would take a radix up to 1°05' past date 1.
        row("radix past date 2", "11°01'00''", 1, "");
        // Tokio: 23.6 h Greenwich is 32.6 h in the zone, the next day at 8 h 36 m.
        row("zone +9", "10°59'00''", 9, "02.07.2024 um 8h36m00s");
        // Across a sign: A = 0°28'40'' + 30° - 29°31'10'' = 0°57'30'' = 3450'';
        // B = 0°10'00'' + 30° - 29°31'10'' = 2330'' gives 16.2087 h; with the
        // radix still in Krebs, B = 1130'' gives 7.8609 h.
        row("across a sign, radix in the second", "0°10'00'' Löwe", 1, "01.07.2024 um 17h12m31s",
            "29°31'10''", "0°28'40'' Löwe");
        row("across a sign, radix in the first", "29°50'00''", 1, "01.07.2024 um 8h51m39s",
            "29°31'10''", "0°28'40'' Löwe");
        // Across 0° Aries: A = 3540'', B = 1200'', 8.1356 h.
        row("across 0° Aries", "0°00'00'' Widder", 1, "01.07.2024 um 9h08m08s", "29°40'00'' Fische",
            "0°39'00'' Widder");
    }

    void solarHandSolution()
    {
        QFETCH(QString, position1);
        QFETCH(QString, position2);
        QFETCH(QString, radix);
        QFETCH(int, zone);
        QFETCH(QString, answer);

        const EphemerisPair pair{QDate(2024, 7, 1), readPosition(position1),
                                 readPosition(position2)};
        const std::optional<SolarHandSolution> hand =
            ::solarHandSolution(pair, readPosition(radix), zone);
        QCOMPARE(hand ? answerText(*hand) : QString(), answer);
    }

    // Answers shifted from the right one by seconds and days; the message's
    // beginning says which part is wrong, the hint names the likely slip.
    void checking_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("shiftSeconds"); // from the right time
        QTest::addColumn<int>("shiftDays");    // from the right date
        QTest::addColumn<QString>("message");  // its beginning, then a part of the hint
        const QString time = u"Das Datum stimmt, aber die Uhrzeit ist falsch.|"_s;
        const QString date = u"Die Uhrzeit stimmt, aber das Datum ist falsch.|"_s;
        const QString both = u"Uhrzeit und Datum sind falsch.|"_s;
        QTest::newRow("right") << 4710 << 0 << 0
                               << u"Richtig!\n\nZum Vergleich der genaue Zeitpunkt des Solars: "
                                  "27.06.2018 um 13h27m16s (Zeitzone +1). Die Handrechnung "
                                  "weicht davon um 0 s ab."_s;
        QTest::newRow("a second late") << 4710 << 1 << 0 << time + u"nahe daran"_s;
        QTest::newRow("zone forgotten") << 4710 << -3600 << 0 << time + u"Zeitzone vergessen"_s;
        QTest::newRow("the day before") << 4710 << 0 << -1 << date + u"kleineren der beiden"_s;
        QTest::newRow("A and B swapped") << 4710 << 35258 << 0 << time + u"A und B vertauscht"_s;
        QTest::newRow("the pair of days after") << 4711 << 22 << 0 << time + u"Tagespaar"_s;
        QTest::newRow("the year before") << 4710 << 0 << -365 << date + u"Prüfen Sie das Jahr."_s;
        // Radix and date 1 alike: B is 0, and A and B swapped divide by it.
        QTest::newRow("B = 0, a second late") << 13842 << 1 << 0 << time + u"nahe daran"_s;
        QTest::newRow("both wrong") << 4710 << 1 << 1 << both + u"nur weiter"_s;
        QTest::newRow("-24h forgotten")
            << firstNextDayTask() << 24 * 3600 << -1 << both + u"ziehen Sie 24 Stunden ab"_s;
        // Abroad: task 4712 in Chicago (-6, "+24h", the day before date 1) and
        // task 8 in Tokio (+9, "-24h", the day after).
        QTest::newRow("west: the German +1")
            << 4712 << -61200 << 0 << time + u"Haben Sie mit +1 gerechnet?"_s;
        QTest::newRow("west: zone's sign turned round")
            << 4712 << -43200 << 0 << time + u"Die Zeitzone -6 (Chicago) wird so addiert"_s;
        QTest::newRow("west: date not moved back")
            << 4712 << 0 << 1 << date + u"Wenn Sie 24 Stunden addieren (+24h)"_s;
        QTest::newRow("west: date moved on")
            << 4712 << 0 << 2 << date + u"nicht auf den Tag danach"_s;
        QTest::newRow("east: the German +1")
            << 8 << -28800 << 0 << time + u"in der Zeitzone +9 (Tokio)."_s;
        QTest::newRow("east: date not moved on")
            << 8 << 0 << -1 << date + u"rückt das Datum auf den folgenden Tag"_s;
        QTest::newRow("east: date moved back")
            << 8 << 0 << -2 << date + u"nicht auf den Tag davor"_s;
        // Across a sign the way to work is told with the 30°.
        QTest::newRow("across a sign, far off")
            << 4711 << 1000 << 0 << time + u"A = 2. Datum + 30° − 1. Datum"_s;
    }

    void checking()
    {
        QFETCH(int, number);
        QFETCH(int, shiftSeconds);
        QFETCH(int, shiftDays);
        QFETCH(QString, message);

        const SolarTask task = *makeSolarTask(number);
        const QDate date = task.hand.date.addDays(shiftDays);
        const SolarAnswer answer{
            tripleToFields(
                secondsToTriple(fieldsToSeconds(tripleToFields(task.hand.clock)) + shiftSeconds)),
            {QString::number(date.day()), QString::number(date.month()),
             QString::number(date.year())}};
        const SolarVerdict verdict = checkSolarAnswer(task, answer, exactMoment(task));
        QCOMPARE(verdict.outcome, shiftSeconds || shiftDays ? SolarVerdict::Outcome::Wrong
                                                            : SolarVerdict::Outcome::Right);
        QCOMPARE(verdict.timeRight, shiftSeconds == 0);
        QCOMPARE(verdict.dateRight, shiftDays == 0);
        QVERIFY2(verdict.message.startsWith(message.section(u'|', 0, 0)),
                 qPrintable(verdict.message));
        QVERIFY2(verdict.message.contains(message.section(u'|', 1)), qPrintable(verdict.message));
    }

    // Task 88's Sun arrives at 03:11:46.500 UT: the exercise's solution and the
    // check of the same Solar in the calculator round that half second alike.
    void sameExactSecondAsTheCheck()
    {
        const SolarTask task = *makeSolarTask(88);
        QCOMPARE(exactMoment(task).time().msec(), 500);
        const ExactComparison exercise = compareWithExact(task, exactMoment(task));
        QCOMPARE(exercise.clock, (SexagesimalTriple{4, 11, 47}));

        const int sign = task.radix / Core::ArcSecondsPerSign;
        const auto within = [](qint32 position) {
            return secondsToTriple(position % Core::ArcSecondsPerSign);
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
        Solar::readHeader(w.header);
        const auto check = Solar::compare(w);
        QVERIFY2(check.ok(), qPrintable(check.message()));
        QCOMPARE(check.value().exactLocal.time(), QTime(4, 11, 47));
        QCOMPARE(check.value().exactLocal.date(), exercise.date);
    }

    // A number from 1 to 999 999 gives one task of each kind. What the tasks
    // print, their zones, pages, aspects and answers, is audited against the
    // database and the sky by benchmarks/audit_tasks, which CI runs too.
    void numbersGiveTasks()
    {
        QVERIFY(!makeRectificationTask(0) && !makeRectificationTask(1'000'000) &&
                makeRectificationTask(999'999));
        QVERIFY(!makeSolarTask(0) && !makeSiderealTask(1'000'000) && makeSiderealTask(999'999));
        const SiderealTask first = *makeSiderealTask(1);
        QCOMPARE(first.page.size(), 7);
        QCOMPARE(first.page.at(3).date, first.hand.ephemerisDay);
        QCOMPARE(Core::GivenTask::fromText(givenTask(first).toText()), givenTask(first));
    }

    // The answer alone: right only to the second; a slip's answer names the
    // slip as a possibility, any other a general hint.
    void siderealAnswers_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("slip");
        QTest::addColumn<SiderealVerdict::Outcome>("outcome");
        QTest::addColumn<QString>("words");
        using O = SiderealVerdict::Outcome;
        for (const int number : {SiderealAbroad, SiderealDayShift}) {
            const auto row = [number](const char *slip, O outcome, const QString &words) {
                QTest::addRow("%d %s", number, slip)
                    << number << QString::fromLatin1(slip) << outcome << words;
            };
            row("right", O::Right, u"Richtig! "_s);
            row("a second off", O::Wrong, u"Rechnen Sie Schritt für Schritt nach"_s);
            row("zone forgotten", O::Wrong, u"Vielleicht: die Zeitzone vergessen"_s);
            row("zone sign", O::Wrong, u"Vielleicht: die Zeitzone vergessen"_s);
            row("share forgotten", O::Wrong, u"Vielleicht: der Zuschlag vergessen"_s);
            row("longitude forgotten", O::Wrong, u"Vielleicht: die Länge vergessen"_s);
            row("longitude sign", O::Wrong, u"Vielleicht: die Länge vergessen"_s);
            row("day before", O::Wrong, u"Vielleicht: der Wert eines Nachbartags"_s);
            row("day after", O::Wrong, u"Vielleicht: der Wert eines Nachbartags"_s);
            row("24 h kept", O::Wrong, u"Vielleicht: 24 Stunden nicht"_s);
            row("incomplete", O::Incomplete, u"vollständig"_s);
        }
    }

    void siderealAnswers()
    {
        QFETCH(int, number);
        QFETCH(QString, slip);
        QFETCH(SiderealVerdict::Outcome, outcome);
        QFETCH(QString, words);
        const SiderealTask task = *makeSiderealTask(number);
        const qint32 right = task.hand.siderealTime;
        // The slips worked by hand from the task's values, not by the hints' code.
        const UniversalTimeParts ut = universalTimeOf(task);
        const qint32 longitude = task.longitudeMinutes * 4;
        const auto day = [](qint64 s) {
            return static_cast<qint32>(modulo(s, 86'400));
        };
        const auto withZone = [&](int zone) {
            const qint64 u = qint64{ut.civil} - zone * 3600;
            const QDate d = task.birthDate.addDays(u < 0 ? -1 : u >= 86'400 ? 1 : 0);
            const qint64 within = modulo(u, 86'400);
            return day(Sidereal::printedEphemeris(d) + within + siderealShare(within) + longitude);
        };
        const QHash<QString, qint64> answers{
            {u"right"_s, right},
            {u"a second off"_s, day(right + 1)},
            {u"zone forgotten"_s, withZone(0)},
            {u"zone sign"_s, withZone(-task.zone.hours)},
            {u"share forgotten"_s, day(right - siderealShare(ut.within))},
            {u"longitude forgotten"_s, day(right - longitude)},
            {u"longitude sign"_s, day(right - 2 * longitude)},
            {u"day before"_s, day(right + task.page.at(2).siderealTime - task.hand.ephemeris)},
            {u"day after"_s, day(right + task.page.at(4).siderealTime - task.hand.ephemeris)},
            {u"24 h kept"_s, right + 86'400}};
        FieldTexts fields = slip == u"incomplete"_s ? FieldTexts{u"9"_s, QString(), u"7"_s}
                                                    : fieldsOf(answers.value(slip));
        const SiderealVerdict verdict = checkSiderealAnswer(task, fields);
        QCOMPARE(verdict.outcome, outcome);
        QVERIFY2(verdict.message.contains(words), qPrintable(verdict.message));
        if (outcome == SiderealVerdict::Outcome::Incomplete)
            QCOMPARE(verdict.firstEmpty, 1);
    }

    // One task abroad and one whose universal time falls on the day before,
    // pinned as the page and the solution write them.
    void siderealTexts_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("solution");
        QTest::newRow("abroad")
            << SiderealAbroad
            << QStringList{u"Geburtsdatum: 08.11.2001"_s, u"Geburtszeit: 17.07 Uhr (Zeitzone -5)"_s,
                           u"Geburtsort: New York, Breite 40°43' N, Länge "
                           u"74°00' W"_s}
            << QStringList{u"Weltzeit: 17h07m00s + 5 h = 22h07m00s, Ephemeridentag "
                           u"08.11.2001"_s,
                           u"am 08.11.2001 aus der Ephemeride: 3h09m00s.</li>"_s,
                           u"Länge in Zeit: 74°00' W × 4 m = -4h56m00s"_s,
                           u"Sternzeit der Geburt: 20h23m38s"_s, u"Genau gerechnet: 20h23m38,2s"_s};
        QTest::newRow("day before")
            << SiderealDayShift
            << QStringList{u"Geburtsdatum: 31.05.1962"_s, u"Geburtszeit: 0.36 Uhr (Zeitzone +1)"_s,
                           u"Geburtsort: Düsseldorf, Breite 51°14' N, Länge 6°47' O"_s}
            << QStringList{u"0h36m00s − 1 h = -0h24m00s + 24 h = 23h36m00s, Ephemeridentag "
                           u"30.05.1962"_s,
                           u"am 30.05.1962 aus der Ephemeride: 16h28m07s. Die Weltzeit fällt auf "
                           u"den 30.05.1962, nicht auf den Geburtstag"_s,
                           u"Zuschlag: 23h36m00s = 23,6000 h × 9,8565 s = 232,6134 s ≈ 0h03m53s"_s,
                           u"40h35m08s − 24 h = 16h35m08s"_s, u"Sternzeit der Geburt: 16h35m08s"_s};
    }

    void siderealTexts()
    {
        QFETCH(int, number);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, solution);
        const SiderealTask task = *makeSiderealTask(number);
        QCOMPARE(siderealTaskLines(task), lines);
        const QString html = siderealSolutionHtml(task);
        for (const QString &part : solution)
            QVERIFY2(html.contains(part), qPrintable(html));
    }

    // Tasks as they were drawn when the tasks were introduced: a change of the
    // random stream or of the lists would change every numbered task.
    void pinnedTasks_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("correction");
        QTest::newRow("1")
            << 1
            << QStringList{u"Geburtsdatum: 18.03.1976"_s,
                           u"Geburtszeit: 14.12 Uhr (Zeitzone +1)"_s,
                           u"Geburtsort: Regensburg, Breite 49°01' N, Länge 12°06' O"_s,
                           u"Sternzeit der Geburt: 1h45m17s"_s,
                           u"Ereignis: Tod der Mutter am 27.02.2024"_s,
                           u"Achse: MC"_s,
                           u"Radix-Planet: Merkur 15°04'33'' Fische (Quadrat)"_s}
            << u"0h0m53s"_s;
        // Births in other towns, hours and legal times: the place, the
        // sidereal time that follows from it and the planet where it stood,
        // found by the directed axis.
        const auto town =
            [](const char *name, int number, const char16_t *place, const char16_t *time,
               const char16_t *zone, const char16_t *planet, const char16_t *correction) {
                QTest::newRow(name)
                    << number
                    << QStringList{u"Geburtsort: "_s + QString::fromUtf16(place),
                                   u"Geburtszeit: "_s + QString::fromUtf16(zone),
                                   u"Sternzeit der Geburt: "_s + QString::fromUtf16(time),
                                   u"Radix-Planet: "_s + QString::fromUtf16(planet)}
                    << QString::fromUtf16(correction);
            };
        town("Mannheim, double summer time of 1945", 73,
             u"Mannheim, Breite 49°29' N, Länge 8°28' O", u"20h37m26s",
             u"6.58 Uhr (Zeitzone +3, doppelte Sommerzeit)", u"Mond 0°18'39'' Skorpion (Trigon)",
             u"0h2m27s");
        town("Freiburg, double summer time of 1947", 150,
             u"Freiburg im Breisgau, Breite 47°59' N, Länge 7°51' O", u"3h46m23s",
             u"14.18 Uhr (Zeitzone +3, doppelte Sommerzeit)",
             u"Mond 26°48'48'' Zwillinge (Konjunktion)", u"0h1m43s");
        town("Dortmund, summer time of 1943", 6, u"Dortmund, Breite 51°31' N, Länge 7°28' O",
             u"16h10m40s", u"0.39 Uhr (Zeitzone +2, Sommerzeit)",
             u"Neptun 29°16'40'' Jungfrau (Opposition)", u"0h0m59s");
        town("Berlin", 10, u"Berlin, Breite 52°31' N, Länge 13°24' O", u"14h10m39s",
             u"13.35 Uhr (Zeitzone +1)", u"Mond 29°15'01'' Fische (Sextil)", u"0h0m18s");
        town("Dresden, a conjunction", 26, u"Dresden, Breite 51°03' N, Länge 13°44' O",
             u"18h06m30s", u"2.13 Uhr (Zeitzone +1)", u"Merkur 6°51'09'' Zwillinge (Konjunktion)",
             u"0h1m34s");
    }

    void pinnedTasks()
    {
        QFETCH(int, number);
        QFETCH(QStringList, lines);
        QFETCH(QString, correction);
        const RectificationTask task = *makeRectificationTask(number);
        const QStringList written = rectificationTaskLines(task);
        for (const QString &line : std::as_const(lines))
            QVERIFY2(written.contains(line), qPrintable(written.join(u'\n')));
        QCOMPARE(written.size(), 7);
        QCOMPARE(correctionText(task.hand.correction), correction);
        if (number == 1) {
            QCOMPARE(houseTableTitle(task), u"Häusertabelle für 49°01' nördlicher Breite"_s);
            QCOMPARE(
                houseTableCells(task.page.at(2)),
                QStringList({u"4h44m"_s, u"71°"_s, u"12°28' Zwillinge"_s, u"16°12' Jungfrau"_s}));
        }
    }

    // The house table's cells at the ends of a sidereal day, and durations with
    // a tenth of a second, rounded, with a sign only before something.
    void tableCellsAndDurations()
    {
        QCOMPARE(houseTableCells({0, 0, Astro::positionOf(3, 23, 50, 0)}),
                 QStringList({u"0h00m"_s, u"0°"_s, u"0°00' Widder"_s, u"23°50' Krebs"_s}));
        QCOMPARE(houseTableCells(
                     {359, Astro::positionOf(11, 28, 55, 0), Astro::positionOf(3, 23, 4, 0)}),
                 QStringList({u"23h56m"_s, u"359°"_s, u"28°55' Fische"_s, u"23°04' Krebs"_s}));
        QStringList written;
        for (const double seconds : {-209.84, 5.04, 59.96, -0.04, 0.04})
            written << Notation::preciseDuration(seconds) + u" / "_s +
                           Notation::preciseDeviation(seconds);
        QCOMPARE(written, (QStringList{u"-3 m 29,8 s / -3 m 29,8 s"_s, u"5,0 s / +5,0 s"_s,
                                       u"1 m 0,0 s / +1 m 0,0 s"_s, u"0,0 s / 0,0 s"_s,
                                       u"0,0 s / 0,0 s"_s}));
    }

    // A catalogue of answers to three tasks: task 5 (rows in one sign), task 2
    // (the AC crossing from Fische into Widder between the rows) and task 3
    // (a day taken off in step 4 and 360° added in step 6), each the steps run
    // on a slip of the student's.
    void answers_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<RectificationInputs>("slip");
        QTest::addColumn<int>("extra"); // seconds added to the answer
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("says");
        const auto row = [](const char *name, int number, const RectificationInputs &slip,
                            int extra, RectificationVerdict::Outcome outcome,
                            const char16_t *says) {
            QTest::newRow(name) << number << slip << extra << static_cast<int>(outcome)
                                << QString::fromUtf16(says);
        };
        using O = RectificationVerdict::Outcome;
        const RectificationTask t1 = *makeRectificationTask(5), t2 = *makeRectificationTask(2),
                                t3 = *makeRectificationTask(3);
        // The value of the task's axis in the row `offset` rows from the smaller one.
        const auto cell = [](const RectificationTask &t, int offset,
                             std::optional<Astro::Axis> axis = {}) {
            return t.page.at(t.hand.smallerRow + offset).value(axis.value_or(t.axis));
        };
        const auto age = [](const RectificationTask &t, double years, double days) {
            return Rectification::Age{t.hand.age.years + years, t.hand.age.days + days};
        };
        row("right", 5, {}, 0, O::Right, u"Richtig! 0h0m56s");
        row("right, with a day taken off", 3, {}, 0, O::Right, u"Richtig! 0h-1m-34s");
        row("rows one lower", 5, {.smallerRow = t1.hand.smallerRow - 1}, 0, O::Wrong,
            u"Zeilen der Häusertabelle");
        row("rows one higher", 2, {.smallerRow = t2.hand.smallerRow + 1}, 0, O::Wrong,
            u"Zeilen der Häusertabelle");
        row("smaller value of the row above", 5, {.smallerValue = cell(t1, -1)}, 0, O::Wrong,
            u"Tabellenwerte");
        row("greater value of the row below", 3, {.greaterValue = cell(t3, 2)}, 0, O::Wrong,
            u"Tabellenwerte");
        row("values swapped", 3, {.smallerValue = cell(t3, 1), .greaterValue = cell(t3, 0)}, 0,
            O::Wrong, u"Tabellenwerte");
        row("MC read for the AC", 5,
            {.smallerValue = cell(t1, 0, Astro::Axis::MC),
             .greaterValue = cell(t1, 1, Astro::Axis::MC)},
            0, O::Wrong, u"Tabellenwerte");
        row("+0 across the sign", 2, {.firstSignCorrection = 0}, 0, O::Wrong,
            u"größerer − kleinerer");
        // The planet before the sign's end, in the smaller value's sign.
        int planetFirst = 1;
        while (makeRectificationTask(planetFirst)->hand.firstSignCorrection == 0 ||
               makeRectificationTask(planetFirst)->hand.secondSignCorrection != 0)
            ++planetFirst;
        row("-30 on the planet", planetFirst, {.secondSignCorrection = -30}, 0, O::Wrong,
            u"korrigierter − kleinerer");
        row("+360 forgotten", 3, {}, -86'400, O::Wrong, u"-24h");
        row("360 added needlessly", 5, {}, 86'400, O::Wrong, u"360°");
        // A day of age moves the result by 0.65 s: it cannot be told from rounding.
        row("a day of age too many", 3, {.age = age(t3, 0, 1)}, 0, O::Wrong, u"nahe daran");
        row("the days forgotten", 5, {.age = age(t1, 0, -t1.hand.age.days)}, 0, O::Wrong,
            u"Alter in Schritt 1");
        row("days to the next birthday", 3, {.age = age(t3, 0, 365 - 2 * t3.hand.age.days)}, 0,
            O::Wrong, u"Alter in Schritt 1");
        row("a year of age too few", 2, {.age = age(t2, -1, 0)}, 0, O::Wrong,
            u"Alter in Schritt 1");
        row("20 s off", 5, {}, 20, O::Wrong, u"nahe daran");
        row("half an hour off", 5, {}, 1800, O::Wrong, u"Schritt für Schritt");
        row("only the seconds wrong", 5, {}, -10, O::Wrong,
            u"Sekunden sind falsch, der Rest stimmt.");
        row("minutes and seconds wrong", 5, {}, -130, O::Wrong,
            u"Minuten und Sekunden sind falsch.");
    }

    void answers()
    {
        QFETCH(int, number);
        QFETCH(RectificationInputs, slip);
        QFETCH(int, extra);
        QFETCH(int, outcome);
        QFETCH(QString, says);
        const RectificationTask task = *makeRectificationTask(number);
        const std::optional<RectificationHandSolution> slipped = runRectificationSteps(task, slip);
        QVERIFY(slipped);
        const RectificationVerdict verdict =
            checkRectificationAnswer(task, fieldsOf(correctionSeconds(*slipped) + extra));
        QCOMPARE(static_cast<int>(verdict.outcome), outcome);
        QVERIFY2(verdict.message.contains(says), qPrintable(verdict.message));
        if (verdict.outcome == RectificationVerdict::Outcome::Wrong)
            QVERIFY(!verdict.message.contains(correctionText(task.hand.correction)));
    }

    // The correction in every spelling: a minus before the hours negates the
    // whole answer where the other fields carry no sign, fields with their own
    // signs are added; a field that is no whole number within a day is named.
    void readCorrection_data()
    {
        QTest::addColumn<QString>("typed"); // the three fields, "|" between them
        QTest::addColumn<int>("seconds");   // or the field named, as -1 - index
        QTest::newRow("the calculator's") << u"0|-1|-4"_s << -64;
        QTest::newRow("a minus before the whole") << u"-0|1|4"_s << -64;
        QTest::newRow("hours and all") << u"-1|2|3"_s << -3723;
        QTest::newRow("all in seconds") << u"0|0|-64"_s << -64;
        QTest::newRow("mixed signs added") << u"-0|-1|4"_s << -56;
        QTest::newRow("a plus") << u"+0|+1|4"_s << 64;
        QTest::newRow("blanks around") << u" 0 | 1 | 4 "_s << 64;
        QTest::newRow("empty") << u"|-3|-26"_s << -1;
        QTest::newRow("a word") << u"0|drei|-26"_s << -2;
        QTest::newRow("only blanks") << u"0|-3|  "_s << -3;
        QTest::newRow("a fraction") << u"0|-3,5|0"_s << -2;
        QTest::newRow("a lone minus") << u"-|1|4"_s << -1;
        QTest::newRow("more than a day") << u"0|0|99999999"_s << -3;
    }

    void readCorrection()
    {
        QFETCH(QString, typed);
        QFETCH(int, seconds);
        const QStringList parts = typed.split(u'|');
        const TypedCorrection read = Exercise::readCorrection({parts[0], parts[1], parts[2]});
        if (seconds <= -1 && seconds >= -3) {
            QVERIFY(!read.seconds);
            QCOMPARE(read.firstBad, -1 - seconds);
            const RectificationVerdict verdict =
                checkRectificationAnswer(*makeRectificationTask(1), {parts[0], parts[1], parts[2]});
            QCOMPARE(verdict.outcome, RectificationVerdict::Outcome::Incomplete);
            QCOMPARE(verdict.firstEmpty, -1 - seconds);
        } else {
            QCOMPARE(read.seconds, std::optional<qint32>(seconds));
        }
    }

    // The right amount with the wrong sign is named as such; an answer that
    // is exactly what a slip gives names it only as a possibility.
    void hintsOfTheAnswerAlone()
    {
        const RectificationTask task = *makeRectificationTask(1);
        const qint32 right = correctionSeconds(task.hand);
        const QString sign = checkRectificationAnswer(task, fieldsOf(-right)).message;
        QVERIFY2(sign.contains(u"Das Vorzeichen ist falsch"_s), qPrintable(sign));
        const QString day = checkRectificationAnswer(task, fieldsOf(right + 86'400)).message;
        QVERIFY2(day.contains(u"Vielleicht: Ihr Ergebnis liegt um 24 Stunden daneben"_s),
                 qPrintable(day));
    }

    // Worked from the birth data: the task hides its sidereal time of birth,
    // the solution works it first as the calculator "Sternzeit der Geburt".
    void siderealTimeWorkedFirst()
    {
        RectificationTask task = *makeRectificationTask(1);
        task.siderealWorked = true;
        const QStringList lines = rectificationTaskLines(task);
        QCOMPARE(lines.size(), 7);
        QVERIFY(!lines.join(u'\n').contains(u"1h45m17s"_s));
        QVERIFY(lines.contains(u"Sternzeit der Geburt: selbst berechnen, mit der Ephemeride der "
                               u"Sternzeit um 0h Weltzeit"_s));
        const QString html = rectificationSolutionHtml(task);
        for (const QString &part :
             {u"Weltzeit: 14h12m00s − 1 h = 13h12m00s, Ephemeridentag 18.03.1976"_s,
              u"<b>Sternzeit der Geburt: 1h45m17s</b>"_s,
              u"genauen Sternzeit im Augenblick der Geburt"_s})
            QVERIFY2(html.contains(part), qPrintable(html));
        QVERIFY(givenTask(task).siderealWorked);
    }

    // A birth on 29 February: the task says which day is the birthday in a
    // common year, and its solution repeats it.
    void leapDayBirths()
    {
        const QString line = u"Geburtstag in Gemeinjahren: 1. März"_s;
        const RectificationTask gzk = *makeRectificationTask(718);
        QCOMPARE(gzk.birthDate.toString(u"dd.MM."_s), u"29.02."_s);
        QVERIFY(rectificationTaskLines(gzk).contains(line));
        QVERIFY(rectificationSolutionHtml(gzk).contains(
            u"hat in Gemeinjahren am 1. März Geburtstag"_s));
        const SolarTask solar = *makeSolarTask(420);
        QCOMPARE(solar.solarYear, 2009);
        QVERIFY(solarTaskHtml(solar).contains(line));
        QVERIFY(solarSolutionHtml(solar, exactMoment(solar)).contains(u"gilt der 1. März"_s));
        QVERIFY(!solarTaskHtml(*makeSolarTask(1)).contains(line));
    }

    void solutionShowsTheStepsAndTheExactCorrection()
    {
        const QString html = rectificationSolutionHtml(*makeRectificationTask(3));
        for (const QString &part :
             {u"60 Jahre und 146 Tage"_s, u"× 0°59'08'' = 59°31'39''"_s, u"− 24 h = 3h10m08s"_s,
              u"zwischen den Zeilen 3h08m und 3h12m"_s, u"+ 360° = 347°36'48''"_s,
              u"= -0h01m34s, im Rechner 0h-1m-34s"_s, u"bürgerliche Zeit"_s,
              u"lineare Interpolation"_s})
            QVERIFY2(html.contains(part), qPrintable(part));
    }
};

QTEST_GUILESS_MAIN(tst_Exercise)
#include "tst_exercise.moc"
