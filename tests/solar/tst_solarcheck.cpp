#include "astro/solarreturn.h"
#include "astro/zodiac.h"
#include "solar/solarcheck.h"

#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;
using namespace Core;
using Solar::Cause;
using Status = StepLedger::Status;

Q_DECLARE_METATYPE(Solar::Worked)
Q_DECLARE_METATYPE(Solar::Cause)

namespace {

SexagesimalTriple triple(qint64 seconds)
{
    return {qint16(seconds / 3600), qint16(seconds / 60 % 60), qint16(seconds % 60)};
}

qint64 seconds(int d, int m, int s)
{
    return d * 3600 + m * 60 + s;
}

// A Greenwich time of step 4 as the step gives it.
Solar::Interpolation interpolation(qint64 seconds)
{
    Solar::Interpolation i;
    i.time = triple(seconds);
    return i;
}

// The hand method worked out here on its own, to set the check against: A and
// B in seconds of arc, B / A x 24 h rounded to four places of an hour, then
// to the second, half to even as the calculator rounds.
qint64 handGreenwich(qint64 a, qint64 b)
{
    const double hours = std::nearbyint(double(b) / double(a) * 24.0 * 10000.0) / 10000.0;
    return std::llrint(hours * 3600.0);
}

// A Solar worked right by hand from the two picked positions (within the
// sign), every step current, with the date the clock time falls on. Two days
// in two signs (date 2 has fewer degrees within its sign): the form's step 2
// refuses them, and step 3 a radix in the second sign; A and B are worked
// across the sign with 30° and typed into step 4.
Solar::Worked workedRight(const QString &sign, const QString &year, const FieldTexts &birth,
                          qint64 radix, qint64 date1, qint64 date2, int zone, QDate day1)
{
    constexpr qint64 signArc = 30 * 3600;
    const qint64 a = date2 - date1 + (date2 < date1 ? signArc : 0);
    const qint64 b = radix - date1 + (radix < date1 ? signArc : 0);
    Solar::Worked w;
    w.header.sign = sign;
    w.header.year = year;
    w.header.birthDate = birth;
    w.header.radix = triple(radix);
    w.header.sunDate1 = triple(date1);
    w.header.sunDate2 = triple(date2);
    Solar::Entries &e = w.entries;
    e.date1 = e.date1OfStep3 = Sexagesimal::of(triple(date1));
    e.date2 = Sexagesimal::of(triple(date2));
    e.radix = triple(radix);
    e.motion = Sexagesimal::of(triple(a));
    e.distance = Sexagesimal::of(triple(b));
    const qint64 g = handGreenwich(a, b);
    e.greenwichTime = Sexagesimal::of(triple(g));
    e.zoneHours = zone;
    // The zone and the day shift are added to the hours; minutes and seconds
    // stay as they are (0h35m39s in zone -1 is -1, 35, 39).
    e.zoneTime = Sexagesimal::of(triple(g));
    e.zoneTime.units += zone;
    const qint64 local = g + zone * 3600;
    const int shift = local >= 86400 ? -24 : local < 0 ? 24 : 0;
    e.dayShiftHours = shift;
    e.finalTime = e.zoneTime;
    e.finalTime.units += shift;
    const QDate date = day1.addDays(shift < 0 ? 1 : shift > 0 ? -1 : 0);
    w.header.solarDate = {QString::number(date.day()), QString::number(date.month()),
                          QString::number(date.year())};
    w.results = {triple(a), triple(b), interpolation(g), e.zoneTime, e.finalTime};
    e.motionShown = e.motion;
    e.distanceShown = e.distance;
    e.greenwichShown = e.greenwichTime;
    w.status.fill(Status::Current);
    if (date2 < date1) {
        w.status[Solar::MotionStep] = Status::NotComputed;
        w.results.motion.reset();
        e.motionShown = {};
    }
    if (radix < date1) {
        w.status[Solar::DistanceStep] = Status::NotComputed;
        w.results.distance.reset();
        e.distanceShown = {};
    }
    Solar::readHeader(w.header);
    return w;
}

// Radix Sun Krebs 14°22'30'', born 6 July, Solar 2024. The ephemeris gives
// 13°28'35'' for 5 July and 14°25'49'' for 6 July 2024 at 0h UT; the hand
// method makes 22h36m33s Greenwich time of them, the Sun arrives at 22h36m29s.
Solar::Worked krebs(qint64 date1 = seconds(13, 28, 35), qint64 date2 = seconds(14, 25, 49),
                    int zone = 1)
{
    return workedRight(u"Krebs"_s, u"2024"_s, {u"6"_s, u"7"_s, u"1975"_s}, seconds(14, 22, 30),
                       date1, date2, zone, QDate(2024, 7, 5));
}

template <typename Change> Solar::Worked krebs(Change change)
{
    Solar::Worked w = krebs();
    change(w);
    Solar::readHeader(w.header);
    return w;
}

// Task 4711 of the exercises: radix Skorpion 0°43'30'', born 24 October 1974,
// the Solar of 2021 between 23 October (29°47'56'' Waage) and 24 October
// (0°47'39'' Skorpion): A = 0°59'43'', B = 0°55'34'', 22h19m56s Greenwich.
Solar::Worked skorpion()
{
    return workedRight(u"Skorpion"_s, u"2021"_s, {u"24"_s, u"10"_s, u"1974"_s}, seconds(0, 43, 30),
                       seconds(29, 47, 56), seconds(0, 47, 39), 1, QDate(2021, 10, 23));
}

// Task 4: radix Jungfrau 29°28'01'', still in the sign of date 1 (22
// September 2012, 29°23'45'' Jungfrau; 23 September 0°22'28'' Waage): only A
// is worked across the sign.
Solar::Worked jungfrau()
{
    return workedRight(u"Jungfrau"_s, u"2012"_s, {u"22"_s, u"9"_s, u"1985"_s}, seconds(29, 28, 1),
                       seconds(29, 23, 45), seconds(0, 22, 28), 1, QDate(2012, 9, 22));
}

template <typename Change> Solar::Worked changed(Solar::Worked w, Change change)
{
    change(w);
    Solar::readHeader(w.header);
    return w;
}

// A slip after step 4: the student's own Greenwich time, carried on through
// step 5 as if it were right.
void greenwichSlip(Solar::Worked &w, qint64 off)
{
    const qint64 g = seconds(22, 36, 33) + off;
    w.results.greenwich = interpolation(g);
    w.entries.greenwichTime = w.entries.greenwichShown = Sexagesimal::of(triple(g));
    w.entries.zoneTime = *(w.results.zone = Sexagesimal::of(triple(g + 3600)));
    w.entries.finalTime = *(w.results.final = Sexagesimal::of(triple(g + 3600)));
}

// The day shift left at "+0h": the zone time handed in as the final time,
// dated the day of date 1.
Solar::Worked shiftForgotten(Solar::Worked w)
{
    w.entries.dayShiftHours = 0;
    w.results.final = w.entries.finalTime = w.entries.zoneTime;
    w.header.solarDate = {u"5"_s, u"7"_s, u"2024"_s};
    return w;
}

} // namespace

// Runs a step as the form does; the state shows its result in the step's fields.
void runAndShow(Solar::State &st, int step)
{
    QVERIFY(!st.run(Solar::Step(step)));
}

class tst_SolarCheck : public QObject {
    Q_OBJECT

private slots:
    void verdict_data()
    {
        QTest::addColumn<Solar::Worked>("worked");
        QTest::addColumn<Cause>("cause");
        QTest::addColumn<QString>("finding");        // a part of it
        QTest::addColumn<QStringList>("deviations"); // empty: not looked at; "*": any
        const auto row = [](const char *tag, const Solar::Worked &w, Cause cause,
                            const QString &finding, const QStringList &deviations = {}) {
            QTest::newRow(tag) << w << cause << finding << deviations;
        };
        using W = Solar::Worked;
        const QString zero = u"0''"_s;

        row("right", krebs(), Cause::Right,
            u"Ihre Rechnung ist richtig. Die Abweichung von +4 s vom genauen Zeitpunkt kommt daher"_s,
            {zero, zero, u"+4 s"_s, u"+4 s"_s, QString()});
        // The reading tolerance: an ephemeris for 0h ET is about 3'' behind.
        row("positions 5'' off, worked right", krebs(seconds(13, 28, 30), seconds(14, 25, 54)),
            Cause::Right, u"kein Lesefehler"_s);
        row("date 1 5'' off, worked right", krebs(seconds(13, 28, 30), seconds(14, 25, 49)),
            Cause::Right, u"kein Lesefehler"_s);
        row("date 1 read 6'' off", krebs(seconds(13, 28, 29), seconds(14, 25, 49)), Cause::Misread,
            u"Der Sonnenstand des 1. Datums weicht um -6'' vom genauen Wert ab: Schlagen Sie in "
            u"den "
            "Ephemeriden den 05.07.2024 (0h UT) nach."_s,
            {u"-6''"_s, zero});
        row("date 2 read 6'' off", krebs(seconds(13, 28, 35), seconds(14, 25, 43)), Cause::Misread,
            u"Der Sonnenstand des 2. Datums weicht um -6'' vom genauen Wert ab: Schlagen Sie in "
            u"den "
            "Ephemeriden den 06.07.2024 (0h UT) nach."_s,
            {zero, u"-6''"_s});
        row("minutes and seconds swapped on date 1",
            krebs(seconds(13, 35, 28), seconds(14, 25, 49)), Cause::Misread, u"+6'53''"_s);
        // The slips an audit against the exact Sun found called right.
        for (const qint64 off : {47, -63, 60, 1}) {
            QTest::addRow("Greenwich time %+llds", static_cast<long long>(off))
                << krebs([off](W &w) { greenwichSlip(w, off); }) << Cause::StepSlip
                << u"In Schritt 4 ist B ÷ A × 24 h = "_s << QStringList();
        }
        W odd = krebs(seconds(13, 28, 30), seconds(14, 25, 54));
        odd.results.greenwich =
            interpolation(handGreenwich(seconds(0, 57, 24), seconds(0, 54, 0)) + 50);
        odd.entries.greenwichShown = Sexagesimal::of(odd.results.greenwich->time);
        row("positions 5'' off and a 50 s slip", odd, Cause::StepSlip, u"In Schritt 4"_s);
        row("A copied wrong into step 4",
            krebs([](W &w) { w.entries.motion = Sexagesimal::of(triple(seconds(0, 57, 41))); }),
            Cause::StepSlip,
            u"In Schritt 4 steht als A 0°57'41'', Schritt 2 ergibt aber 0°57'14''."_s);
        row("swapped positions", krebs([](W &w) {
                std::swap(w.header.sunDate1, w.header.sunDate2);
                w.status[Solar::MotionStep] = Status::Stale;
            }),
            Cause::Swapped, u"1. und 2. Datum sind vertauscht"_s);
        row("step 2 stale", krebs([](W &w) {
                for (int step :
                     {Solar::MotionStep, Solar::GreenwichStep, Solar::ZoneStep, Solar::FinalStep})
                    w.status[step] = Status::Stale;
            }),
            Cause::Stale, u"Schritt 2 (Differenz Sonnenbewegung) ist nicht mehr aktuell"_s,
            {zero, zero, QString(), QString(), QString()});
        row("zone step skipped", krebs([](W &w) {
                w.status[Solar::ZoneStep] = Status::NotComputed;
                w.results.zone.reset();
            }),
            Cause::NotComputed, u"Schritt 5 (Zeitzone) wurde nicht gerechnet."_s);
        row("nothing computed yet", krebs([](W &w) {
                w.status.fill(Status::NotComputed);
                w.results = {};
            }),
            Cause::NotYetWorked, u"Die Uhrzeit des Solars ist noch nicht berechnet."_s);
        // Zone +2 carries the Solar past midnight; 24 h left standing.
        row("-24 h forgotten", shiftForgotten(krebs(seconds(13, 28, 35), seconds(14, 25, 49), 2)),
            Cause::NoClockTime,
            u"24h36m33s gibt es nicht: 24 Stunden abziehen und das Datum um einen Tag weiterrücken."_s);
        row("zone +2, shifted right", krebs(seconds(13, 28, 35), seconds(14, 25, 49), 2),
            Cause::Right,
            u"Gerechnet mit der Zeitzone +2; für einen Wohnort in Deutschland gilt +1."_s,
            {zero, zero, u"+4 s"_s, u"+4 s"_s, QString()});
        // West of Greenwich: 0h35m39s Greenwich is -1 h 35 m 39 s in zone -1;
        // "+24h" makes it 23h35m39s of the day before.
        const W west =
            workedRight(u"Krebs"_s, u"2024"_s, {u"6"_s, u"7"_s, u"1975"_s}, seconds(13, 30, 0),
                        seconds(13, 28, 35), seconds(14, 25, 49), -1, QDate(2024, 7, 5));
        row("zone -1, +24h", west, Cause::Right, u"Gerechnet mit der Zeitzone -1"_s,
            {zero, zero, u"*"_s, u"*"_s, QString()});
        // The calculator refuses -1 h with "+0h": its final step stays uncomputed.
        row(
            "zone -1, +24h forgotten",
            [west] {
                W w = shiftForgotten(west);
                w.status[Solar::FinalStep] = Status::NotComputed;
                return w;
            }(),
            Cause::NotComputed, u"Schritt 5 (Tageskorrektur) wurde nicht gerechnet."_s);
        row("dated a day late", krebs([](W &w) {
                w.header.solarDate = {u"6"_s, u"7"_s, u"2024"_s};
            }),
            Cause::WrongDate, u"Das Datum des Solars ist der 05.07.2024, nicht der 06.07.2024."_s,
            {zero, zero, u"+4 s"_s, u"+1 Tag 0h00m04s"_s, u"+1 Tag"_s});
        row("wrong year", krebs([](W &w) {
                w.header.solarDate = {u"5"_s, u"7"_s, u"2023"_s};
            }),
            Cause::WrongDate, u"nicht der 05.07.2023"_s);
        row("no date yet", krebs([](W &w) { w.header.solarDate = {}; }), Cause::MissingDate,
            u"Das Datum des Solars fehlt noch."_s,
            {zero, zero, u"+4 s"_s, u"Datum fehlt"_s, QString()});
        row("a date that does not exist", krebs([](W &w) {
                w.header.solarDate = {u"31"_s, u"6"_s, u"2024"_s};
            }),
            Cause::MissingDate, u"31.6.2024 gibt es nicht"_s);
        // Calendar drift and a far-east zone: date 1 three days before the
        // birthday is a true Solar, judged as any other.
        const qint32 radix = Astro::positionOf(2, 5, 1, 16);
        const auto exact = Astro::solveSolarReturn(radix, 1996, 28, 5);
        const qint32 sign = 2 * Core::ArcSecondsPerSign;
        row("three days before the birthday, zone +12",
            workedRight(u"Zwillinge"_s, u"1996"_s, {u"28"_s, u"5"_s, u"1960"_s}, radix - sign,
                        exact->position1 - sign, exact->position2 - sign, 12, exact->date1),
            Cause::Right, u"Gerechnet mit der Zeitzone +12"_s);
        // The radix on a day's 0h position: the hand time is 0h0m0s, the exact
        // moment a few seconds before midnight. Without a date there is no
        // deviation of a day, only the missing date.
        odd = workedRight(u"Krebs"_s, u"2024"_s, {u"6"_s, u"7"_s, u"1975"_s}, seconds(13, 28, 35),
                          seconds(13, 28, 35), seconds(14, 25, 49), 0, QDate(2024, 7, 5));
        odd.header.solarDate = {};
        Solar::readHeader(odd.header);
        row("at midnight, no date yet", odd, Cause::MissingDate,
            u"Das Datum des Solars fehlt noch."_s, {zero, zero, u"*"_s, u"Datum fehlt"_s});
        // Widder 14°22'30'' is reached in April, three months from a July birthday.
        row("radix far from the birthday", krebs([](W &w) { w.header.sign = u"widder"_s; }),
            Cause::FarFromBirthday,
            u"Tage vor dem Geburtstag. Bitte prüfen Sie das Tierkreiszeichen"_s);
        // A zone no list offers is taken as 0, and step 5 is then a slip.
        row("zone beyond the list", krebs([](W &w) { w.entries.zoneHours = 1000; }),
            Cause::StepSlip, u"Gerechnet mit der Zeitzone 0;"_s);
        // A task abroad names its residence with the zone.
        row("the German +1 for New York", krebs([](W &w) {
                Core::GivenTask task;
                task.number = 1;
                task.birthDate = QDate(1975, 7, 6);
                task.solarYear = 2024;
                task.radixSun = Astro::positionOf(3, 14, 22, 30);
                task.zone = -5;
                task.residence = u"New York"_s;
                w.task = task;
            }),
            Cause::Zone,
            u"Die Aufgabe nennt die Zeitzone -5 (New York); gerechnet wurde mit +1."_s);
        // Across a sign: A and B by hand, steps 2 and 3 never computed.
        row("across a sign", skorpion(), Cause::Right,
            u"richtig. Die Abweichung von -3 s vom genauen Zeitpunkt kommt daher, dass zwischen "
            u"zwei Tagen linear interpoliert wird: Die Sonne läuft innerhalb eines Tages nicht "
            u"ganz gleichmäßig, und die Ephemeride rundet auf die Bogensekunde. Die beiden Tage "
            u"liegen in zwei Zeichen: Die Schritte 2 und 3 des Rechners ziehen innerhalb eines "
            u"Zeichens ab und lehnen dieses Paar ab, darum wurden A und B von Hand über die "
            u"Zeichengrenze gerechnet (mit 30°) und in Schritt 4 eingetragen."_s,
            {zero, zero, u"-3 s"_s, u"-3 s"_s, QString()});
        row("across a sign, the radix in the first", jungfrau(), Cause::Right,
            u"Schritt 2 des Rechners zieht innerhalb eines Zeichens ab und lehnt dieses Paar ab, "
            u"darum wurde A von Hand über die Zeichengrenze gerechnet (mit 30°) und in Schritt 4 "
            u"eingetragen; B braucht keine 30°, die Radix-Sonne steht noch im Zeichen des 1. "
            u"Datums."_s);
        row("across, 30° forgotten in A",
            changed(skorpion(), [](W &w) { w.entries.motion.units -= 30; }), Cause::StepSlip,
            u"In Schritt 4 steht als A -29°00'17''; über die Zeichengrenze gerechnet ist A = "
            u"0°47'39'' + 30° − 29°47'56'' = 0°59'43''. Es fehlen die 30° für den Schritt über die "
            u"Zeichengrenze."_s);
        row("across, 30° added to B too",
            changed(jungfrau(), [](W &w) { w.entries.distance.units += 30; }), Cause::StepSlip,
            u"Zu B kommen keine 30° hinzu."_s);
        // Date 2 read 2° off: across the sign no day's motion comes out.
        row("across, date 2 read 2° off",
            changed(skorpion(),
                    [](W &w) {
                        w.header.sunDate2.units = 2;
                        w.entries.date2.units = 2;
                    }),
            Cause::StepSlip,
            u"In Schritt 4 steht als A 0°59'43''; über die Zeichengrenze gerechnet ist A = "
            u"2°47'39'' + 30° − 29°47'56'': Differenz zu groß, sie darf maximal 1°05' betragen."_s);
        // Stuck at the refusal: how to go on across the sign.
        const auto noStep4 = [](W &w) {
            for (int step : {Solar::GreenwichStep, Solar::ZoneStep, Solar::FinalStep})
                w.status[step] = Status::NotComputed;
        };
        row("across, nothing worked yet", changed(skorpion(), noStep4), Cause::NotYetWorked,
            u"Die Uhrzeit des Solars ist noch nicht berechnet. Die beiden Tage liegen in zwei "
            u"Zeichen, die Schritte 2 und 3 des Rechners ziehen nur innerhalb eines Zeichens ab: "
            u"Rechnen Sie A = 2. Datum + 30° − 1. Datum von Hand"_s);
        row("across, step 3 but not step 4", changed(jungfrau(), noStep4), Cause::NotComputed,
            u"Schritt 4 (Uhrzeit Greenwich) wurde nicht gerechnet. Die beiden Tage liegen in zwei "
            u"Zeichen"_s);
        // Step 2 stale from an earlier pair, its result still in step 4.
        row("across, step 2's old result in step 4",
            changed(skorpion(),
                    [](W &w) {
                        w.status[Solar::MotionStep] = Status::Stale;
                        w.results.motion = triple(3600);
                        w.entries.motion = w.entries.motionShown = Sexagesimal::of(triple(3600));
                    }),
            Cause::Stale, u"Schritt 2 (Differenz Sonnenbewegung) ist nicht mehr aktuell"_s);
    }

    void verdict()
    {
        QFETCH(Solar::Worked, worked);
        QFETCH(Cause, cause);
        QFETCH(QString, finding);
        QFETCH(QStringList, deviations);

        const auto result = Solar::compare(worked);
        QVERIFY2(result.ok(), qPrintable(result.message()));
        const Solar::Comparison &c = result.value();
        QVERIFY2(c.finding.contains(finding), qPrintable(c.finding));
        QCOMPARE(c.cause, cause);
        QCOMPARE(c.finding.contains(u"richtig"_s), cause == Cause::Right);
        if (!deviations.isEmpty()) {
            QStringList offs;
            const QList<Core::CheckRow> rows = Solar::comparisonRows(c);
            for (qsizetype i = 0; i < rows.size(); ++i)
                offs << (deviations.value(i) == u"*"_s ? u"*"_s : rows[i].deviation);
            QCOMPARE(offs.mid(0, deviations.size()), deviations);
        }
    }

    void refused_data()
    {
        QTest::addColumn<Solar::Worked>("worked");
        QTest::addColumn<QString>("message");
        using W = Solar::Worked;
        const QString year = u"Das Solarjahr muss zwischen 1900 und 2100 liegen."_s;
        QTest::newRow("nothing given") << krebs([](W &w) {
            w.header.sign = w.header.year = QString();
            w.header.birthDate = {};
        }) << u"Für die Kontrolle fehlen: Tierkreis, Solar für das Jahr, Geburtsdatum."_s;
        QTest::newRow("no day in the birth date") << krebs([](W &w) {
            w.header.birthDate = {u"31"_s, u"2"_s, u"1975"_s};
        }) << u"Für die Kontrolle fehlen: Geburtsdatum."_s;
        QTest::newRow("2101") << krebs([](W &w) { w.header.year = u"2101"_s; }) << year;
        QTest::newRow("year no number") << krebs([](W &w) { w.header.year = u"abc"_s; }) << year;
        QTest::newRow("no sign") << krebs([](W &w) { w.header.sign = u"Drache"_s; })
                                 << u"Tierkreiszeichen nicht erkannt: Drache"_s;
    }

    void refused()
    {
        QFETCH(Solar::Worked, worked);
        QFETCH(QString, message);
        const auto result = Solar::compare(worked);
        QVERIFY(!result.ok());
        QCOMPARE(result.message(), message);
    }

    // The state of a form: which results still belong to the inputs, through
    // typing, re-running and failing steps.
    void staleness_data()
    {
        using Change = std::function<void(Solar::State &)>;
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("statuses"); // of the five steps after the change: current, stale
        QTest::addColumn<int>("firstStale");   // on the way to the final step

        QTest::newRow("untouched") << Change([](Solar::State &) {}) << u"CCCCC"_s << -1;
        QTest::newRow("date 1 picked anew") << Change([](Solar::State &st) {
            st.entries.date1.seconds = st.entries.date1OfStep3.seconds = 36;
        }) << u"SSSSS"_s << 0;
        QTest::newRow("and steps 2 and 3 again") << Change([](Solar::State &st) {
            st.entries.date1.seconds = st.entries.date1OfStep3.seconds = 36;
            runAndShow(st, Solar::MotionStep);
            runAndShow(st, Solar::DistanceStep);
        }) << u"CCSSS"_s << 2;
        QTest::newRow("zone changed")
            << Change([](Solar::State &st) { st.entries.zoneHours = 2; }) << u"CCCSS"_s << 3;
        QTest::newRow("a failing step 2") << Change([](Solar::State &st) {
            std::swap(st.entries.date1, st.entries.date2);
            QVERIFY(st.run(Solar::MotionStep));
            std::swap(st.entries.date1, st.entries.date2);
        }) << u"SCSSS"_s << 0;
        QTest::newRow("the final result typed over")
            << Change([](Solar::State &st) { st.entries.finalTime.units = 7; }) << u"CCCCS"_s << 4;
        QTest::newRow("same result again")
            << Change([](Solar::State &st) { QVERIFY(!st.run(Solar::MotionStep)); }) << u"CCCCC"_s
            << -1;
        // A typed over in step 4, as across a sign: step 4 no longer reads
        // step 2, whatever becomes of step 2.
        QTest::newRow("A typed over and run, then step 2 fails") << Change([](Solar::State &st) {
            st.entries.motion.seconds += 1;
            for (int step : {Solar::GreenwichStep, Solar::ZoneStep, Solar::FinalStep})
                runAndShow(st, step);
            std::swap(st.entries.date1, st.entries.date2);
            QVERIFY(st.run(Solar::MotionStep));
            std::swap(st.entries.date1, st.entries.date2);
        }) << u"SCCCC"_s << -1;
    }

    void staleness()
    {
        QFETCH(std::function<void(Solar::State &)>, change);
        QFETCH(QString, statuses);
        QFETCH(int, firstStale);

        // The worked example, run step by step as the form runs it.
        Solar::State st;
        const Solar::Worked w = krebs();
        st.header = w.header;
        st.entries = w.entries;
        for (int step = 0; step < Solar::StepCount; ++step)
            runAndShow(st, step);
        change(st);
        QString got;
        for (int step = 0; step < Solar::StepCount; ++step)
            got += st.status(step) == Status::Current ? u'C'
                   : st.status(step) == Status::Stale ? u'S'
                                                      : u'-';
        QCOMPARE(got, statuses);
        QCOMPARE(st.firstStale(Solar::FinalStep), firstStale);
    }
};

QTEST_MAIN(tst_SolarCheck)
#include "tst_solarcheck.moc"
