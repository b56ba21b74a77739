#include "rekti/rectificationcheck.h"

#include "astro/zodiac.h"
#include "core/calendar.h"
#include "core/notation.h"
#include "core/numbers.h"
#include "core/overflow.h"
#include "core/rules.h"

#include <QLocale>
#include <QTimeZone>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>

using namespace Core;

namespace Rectification {

namespace {

// A printed table value may differ from the exact one by its rounding to the
// minute, and older tables by a little more: up to 1'.
constexpr double TableTolerance = 60;
// The roundings of the steps besides the table: the sidereal time of birth
// to the second, quotient and times to four decimal places.
constexpr double StepRounding = 2;

// "11°00'12,3'' Krebs"; rounded first, so that 29°59'59,97'' Krebs shows as
// 0°00'00,0'' Löwe.
QString preciseInSign(double longitude)
{
    const double rounded = std::fmod(std::round(longitude * 36000.0) / 36000.0, 360.0);
    return Notation::preciseAngle(std::fmod(rounded, 30.0)) + u' ' +
           Astro::signName(static_cast<int>(rounded / 30) % 12);
}

QString ageText(const Age &age)
{
    return plainNumber(age.years) + QStringLiteral(" Jahre ") + plainNumber(age.days) +
           QStringLiteral(" Tage");
}

Age ageOf(const AgeInYearsAndDays &age)
{
    return {static_cast<double>(age.years), static_cast<double>(age.days)};
}

double obliquityOf(QDate birthDate)
{
    const QDate date = birthDate.isValid() ? birthDate : QDate(2000, 1, 1);
    return Astro::meanObliquity(QDateTime(date, QTime(12, 0), QTimeZone::utc()));
}

// Everything the findings look at, worked out once.
struct Context {
    const Worked &w;
    const Entries &e;
    const Header &h;
    Problem problem;
    Exact exact;
    qint32 smallerRow = 0; // the sidereal times of the two rows typed, seconds
    qint32 greaterRow = 0;
    double smallerRamc = 0; // degrees
    double greaterRamc = 0;
    double exactSmaller = 0; // the exact axis at the two rows
    double exactGreater = 0;
    qint32 event = 0; // the event's sidereal time within the day (step 4)

    double latitude() const { return problem.table.latitudeMinutes / 60.0; }
    double axisAt(double ramc, Astro::Axis axis) const
    {
        return Astro::axisLongitude(axis, ramc, problem.obliquity, latitude());
    }
    const std::optional<GivenTask> &task() const { return w.task; }
};

using Finding = Core::Finding<Cause>;
using Found = std::optional<Finding>;

// Step 1: the age at the event, counted from the birth date.
Found ageMiscount(const Context &c)
{
    const Problem &p = c.problem;
    const Age typed = c.h.typedAge;
    if (!p.ageFromDates || (typed.years == p.age.years && typed.days == p.age.days))
        return {};
    QString text = QStringLiteral("Schritt 1: Das Alter am %1 ist %2, nicht %3.")
                       .arg(Notation::date(*p.eventDate), ageText(p.age), ageText(typed));
    if (p.leapDayMoved)
        text += QStringLiteral(" Wer am 29. Februar geboren ist, hat im Gemeinjahr am 1. März "
                               "Geburtstag.");
    return Finding{Cause::Age, 1, text};
}

// A step left out or not pressed again makes the values after it meaningless.
Found unfinishedStep(const Context &c)
{
    for (int step = 0; step < StepCount; ++step) {
        const auto status = c.w.status[static_cast<std::size_t>(step)];
        const Cause cause = status == StepLedger::Status::Stale ? Cause::Stale : Cause::NotComputed;
        if (const auto text = unfinishedText(status, rule(step).number, rule(step).stepName()))
            return Finding{cause, rule(step).number, *text};
    }
    return {};
}

// The first link of the chain whose value does not follow from the one
// before it: a copy that differs from its source, a result that the step does
// not give on the values it stands beside. A slip, which no tolerance of the
// method excuses.
struct Link {
    int standsIn;
    QString what;
    Sexagesimal held;
    std::optional<Sexagesimal> follows; // what the link's source gives
    QString refusal;                    // or the message with which it refuses
    bool isTime;
    bool isCopy; // a copy of a typed value, not a result
};

// The links of the chain in the order of the fields that hold them: every
// result where it is copied, and the sidereal time of birth where steps 4
// and 8 take it from the head.
QList<Link> linksOf(const Context &c)
{
    QList<Link> links;
    for (int step = 0; step < StepCount; ++step) {
        const StepRule &r = rule(step);
        Results scratch;
        const std::optional<QString> refused = r.run(c.e, scratch);
        for (const Copy &copy : r.copies) {
            Link link{copy.standsIn,
                      QString::fromUtf16(copy.what),
                      c.e.*copy.entry,
                      {},
                      refused.value_or(QString()),
                      r.isTime,
                      false};
            if (!refused)
                link.follows = Sexagesimal::of(*r.shown(scratch));
            links << link;
        }
    }
    const QString birth = QStringLiteral("als Sternzeit der Geburt");
    links << Link{4, birth, c.e.birthSiderealTime, c.h.birthSidereal, {}, true, true};
    links << Link{8, birth, c.e.birthSiderealTimeOfStep8, c.h.birthSidereal, {}, true, true};
    std::stable_sort(links.begin(), links.end(),
                     [](const Link &a, const Link &b) { return a.standsIn < b.standsIn; });
    return links;
}

Found brokenLink(const Context &c)
{
    // Step 2 reads the age of step 1 and writes the decimal years as the
    // desktop writes a number, which it reads back.
    const Entries &e = c.e;
    const Age typed = c.h.typedAge;
    if (e.age.years != typed.years || e.age.days != typed.days)
        return Finding{Cause::BrokenLink, 2,
                       QStringLiteral("In Schritt 2 steht als Alter %1, in Schritt 1 aber %2.")
                           .arg(ageText(e.age), ageText(typed))};
    const StepResult<double> years = decimalYears(e.age);
    if (!years.ok() || asWritten(years.value()) != e.decimalYears)
        return Finding{Cause::BrokenLink, 2,
                       QStringLiteral("In Schritt 2 stehen %1 Dezimaljahre, die Rechnung ergibt "
                                      "aber %2.")
                           .arg(plainNumber(e.decimalYears),
                                years.ok() ? plainNumber(years.value()) : years.message())};
    const auto written = [](const Sexagesimal &v, bool isTime) {
        return isTime ? Notation::clock(v) : Notation::angle(v);
    };
    for (const Link &link : linksOf(c)) {
        if (link.follows && link.held.sameValue(*link.follows))
            continue;
        const QString expected = link.follows ? written(*link.follows, link.isTime) : link.refusal;
        const QString text =
            link.isCopy ? QStringLiteral("In Schritt %1 steht %2 %3, oben steht aber %4.")
                        : QStringLiteral("In Schritt %1 steht %2 %3, die Rechnung ergibt aber %4.");
        return Finding{
            Cause::BrokenLink, link.standsIn,
            text.arg(link.standsIn).arg(link.what, written(link.held, link.isTime), expected)};
    }
    return {};
}

// The sidereal time of birth that the task prints.
Found givenSiderealTime(const Context &c)
{
    if (!c.task())
        return {};
    const qint32 typed = c.h.birthSidereal.totalSeconds();
    if (typed == c.task()->birthSiderealTime)
        return {};
    if (c.task()->siderealWorked)
        return Finding{
            Cause::GivenValue, 4,
            QStringLiteral("Aus den Geburtsdaten und der Ephemeride der Aufgabe ergibt "
                           "sich die Sternzeit der Geburt %1 (siehe „Sternzeit der "
                           "Geburt“); gerechnet wurde mit %2.")
                .arg(Notation::clock(c.task()->birthSiderealTime), Notation::clock(typed))};
    return Finding{Cause::GivenValue, 4,
                   QStringLiteral("Die Aufgabe nennt die Sternzeit der Geburt %1; gerechnet wurde "
                                  "mit %2.")
                       .arg(Notation::clock(c.task()->birthSiderealTime), Notation::clock(typed))};
}

// Step 4: a sum beyond a day is taken back by a day, and only then.
Found dayReduction(const Context &c)
{
    const qint32 sum = c.e.eventSiderealTime.totalSeconds();
    if (sum > SecondsPerDay && c.e.dayHours == 0)
        return Finding{Cause::DayReduction, 4,
                       QStringLiteral("Die Sternzeit des Ereignisses in Schritt 4 ist größer als "
                                      "24 h: wählen Sie „-24h“.")};
    if (sum <= SecondsPerDay && c.e.dayHours != 0)
        return Finding{Cause::DayReduction, 4,
                       QStringLiteral("Die Sternzeit des Ereignisses in Schritt 4 ist nicht "
                                      "größer als 24 h: wählen Sie „-0h“.")};
    return {};
}

// The rows: consecutive rows 4 minutes apart around the event; of a task,
// rows of its page.
Found rowsAroundEvent(const Context &c)
{
    if (modulo(qint64{c.greaterRow} - c.smallerRow, SecondsPerDay) != HouseTableRowStep)
        return Finding{Cause::Rows, 5,
                       QStringLiteral("Die Zeilen %1 und %2 liegen nicht 4 Minuten auseinander: "
                                      "nehmen Sie zwei aufeinander folgende Zeilen der "
                                      "Häusertabelle.")
                           .arg(Notation::rowTime(c.smallerRow), Notation::rowTime(c.greaterRow))};
    if (c.task() && c.smallerRow % HouseTableRowStep != 0)
        return Finding{Cause::Rows, 5,
                       QStringLiteral("Die Häusertabelle hat keine Zeile %1: ihre Zeilen folgen "
                                      "einander alle 4 Minuten.")
                           .arg(Notation::rowTime(c.smallerRow))};
    if (modulo(qint64{c.event} - c.smallerRow, SecondsPerDay) >= HouseTableRowStep)
        return Finding{Cause::Rows, 5,
                       QStringLiteral("Die Sternzeit des Ereignisses %1 liegt nicht zwischen den "
                                      "Zeilen %2 und %3: nehmen Sie die Zeile mit der "
                                      "nächstkleineren Sternzeit und die folgende.")
                           .arg(Notation::clock(c.event), Notation::rowTime(c.smallerRow),
                                Notation::rowTime(c.greaterRow))};
    return {};
}

// A row at 0h00m has the RAMC 0°, which the form also takes as 360°.
Found ramcOfRow(const Context &c)
{
    if (modulo(std::llround(c.e.ramc * SiderealSecondsPerDegree) - c.smallerRow, SecondsPerDay) ==
        0)
        return {};
    return Finding{Cause::Ramc, 6,
                   QStringLiteral("Die RAMC in Schritt 6 ist die Sternzeit der kleineren Zeile "
                                  "mal 15: %1 ergeben %2°.")
                       .arg(Notation::rowTime(c.smallerRow), plainNumber(c.smallerRamc))};
}

// How far a value typed within its sign lies from a longitude, within a sign.
double inSignDeviation(qint32 typed, double longitude)
{
    return std::remainder(typed - std::fmod(longitude, 30.0) * 3600, double{ArcSecondsPerSign});
}

// The table values: of a task, the values its page prints; of a free
// calculation, the exact axis of each row within 1'.
Found tableValues(const Context &c)
{
    const Astro::Axis axis = c.problem.table.axis;
    const Astro::Axis other = axis == Astro::Axis::MC ? Astro::Axis::AC : Astro::Axis::MC;
    const auto misread = [&](const QString &which, qint32 typed, qint32 row) -> Found {
        const double ramc = row / double{SiderealSecondsPerDegree};
        const auto printed = [&](Astro::Axis a) {
            return Astro::printedAxis(a, static_cast<int>(std::lround(ramc)) % 360,
                                      c.problem.obliquity, c.latitude()) /
                   3600.0;
        };
        const auto off = [&](Astro::Axis a) {
            return c.task() ? inSignDeviation(typed, printed(a))
                            : inSignDeviation(typed, c.axisAt(ramc, a));
        };
        const double tolerance = c.task() ? 0.5 : TableTolerance;
        const double deviation = off(axis);
        if (std::abs(deviation) <= tolerance)
            return {};
        if (std::abs(off(other)) <= tolerance)
            return Finding{
                Cause::OtherAxis, 5,
                QStringLiteral("Der %1 Tabellenwert ist der des %2, gerechnet wird mit "
                               "dem %3: lesen Sie die Zeile %4 in der Spalte %3.")
                    .arg(which, axisName(other), axisName(axis), Notation::rowTime(row))};
        return Finding{
            Cause::TableValue, 5,
            QStringLiteral("Der %1 Tabellenwert weicht um %2 ab: lesen Sie die Zeile "
                           "%3 der Häusertabelle nach.")
                .arg(which,
                     Notation::arcDeviation(c.task() ? std::llround(deviation)
                                                     : 60 * std::llround(deviation / 60)),
                     Notation::rowTime(row))};
    };
    if (Found f =
            misread(QStringLiteral("kleinere"), c.e.smallerTableValue.totalSeconds(), c.smallerRow))
        return f;
    return misread(QStringLiteral("größere"), c.e.greaterTableValue.totalSeconds(), c.greaterRow);
}

Found smallerValueRepeated(const Context &c)
{
    const qint32 smaller = c.e.smallerTableValue.totalSeconds();
    if (c.e.smallerTableValue2.totalSeconds() == smaller)
        return {};
    return Finding{Cause::SmallerCopy, 5,
                   QStringLiteral("In der Zeile „korrigierter Wert − kleinerer Wert“ von Schritt 5 "
                                  "steht nicht der kleinere Tabellenwert %1: tragen Sie ihn dort "
                                  "ein.")
                       .arg(Notation::angle(smaller))};
}

// The corrected value: of a task, its radix planet's aspect point; of a free
// calculation, a value between the two table values, counted forward.
Found correctedValue(const Context &c)
{
    const qint32 corrected = c.e.correctedTableValue.totalSeconds();
    if (const auto &task = c.task()) {
        const qint32 point = task->aspectPoint % ArcSecondsPerSign;
        if (corrected == point)
            return {};
        return Finding{Cause::CorrectedValue, 5,
                       QStringLiteral("Der korrigierte Wert ist der Aspektpunkt des "
                                      "Radix-Planeten: %1 %2 im %3 gibt %4, eingetragen ist %5.")
                           .arg(task->planet, Astro::positionText(task->planetPosition),
                                task->aspect, Notation::angle(point), Notation::angle(corrected))};
    }
    const qint32 smaller = c.e.smallerTableValue.totalSeconds();
    const qint32 greater = c.e.greaterTableValue.totalSeconds();
    const qint64 step = modulo(qint64{greater} - smaller, ArcSecondsPerSign);
    if (modulo(qint64{corrected} - smaller, ArcSecondsPerSign) <= step)
        return {};
    return Finding{
        Cause::CorrectedValue, 5,
        QStringLiteral("Der korrigierte Wert %1 liegt nicht zwischen dem kleineren "
                       "Tabellenwert %2 und dem größeren %3: nehmen Sie den Aspekt "
                       "eines Radix-Planeten, der dazwischen liegt, oder prüfen Sie "
                       "die Zeilen.")
            .arg(Notation::angle(corrected), Notation::angle(smaller), Notation::angle(greater))};
}

QString choiceText(double degrees)
{
    return degrees > 0   ? QStringLiteral("+30")
           : degrees < 0 ? QStringLiteral("-30")
                         : QStringLiteral("+0");
}

// The ±30° of the two rows of step 5.
Found signChoices(const Context &c)
{
    const qint32 smaller = c.e.smallerTableValue.totalSeconds();
    const auto choice = [&](const QString &row, qint32 to, double chosen) -> Found {
        const double right = signCorrection(qint64{to} - smaller);
        if (chosen == right)
            return {};
        QString text = QStringLiteral("In der Zeile %1 von Schritt 5 ist „%2“ richtig: ")
                           .arg(row, choiceText(right));
        if (right > 0)
            text += QStringLiteral("von %1 zu %2 wechselt der Wert ins nächste Zeichen. MC und "
                                   "AC nehmen mit der Sternzeit immer zu, der Schritt über den "
                                   "Zeichenanfang wird darum mit +30° vorwärts gezählt.")
                        .arg(Notation::angle(smaller), Notation::angle(to));
        else
            text += QStringLiteral("beide Werte liegen im selben Zeichen, %1 liegt vorwärts von "
                                   "%2; ein Ausgleich um 30° ist nicht nötig.")
                        .arg(Notation::angle(to), Notation::angle(smaller));
        return Finding{Cause::SignCorrection, 5, text};
    };
    if (Found f = choice(QStringLiteral("„größerer − kleinerer Wert“"),
                         c.e.greaterTableValue.totalSeconds(), c.e.firstSignCorrection))
        return f;
    return choice(QStringLiteral("„korrigierter − kleinerer Wert“"),
                  c.e.correctedTableValue.totalSeconds(), c.e.secondSignCorrection);
}

// The ±360° of step 6.
Found circleChoice(const Context &c)
{
    const double right = circleCorrection(qint64{c.e.ramcPlusQuotient.totalSeconds()} -
                                          c.e.arcOfStep6.totalSeconds());
    if (c.e.circleCorrection == right)
        return {};
    const QString text =
        right > 0 ? QStringLiteral("In Schritt 6 ist „+360“ richtig: RAMC plus Quotient minus "
                                   "Direktionsbogen wird negativ, darum werden 360° addiert.")
        : right < 0 ? QStringLiteral("In Schritt 6 ist „- 360“ richtig: der Wert überschreitet "
                                     "360°.")
                    : QStringLiteral("In Schritt 6 ist „ 0“ richtig: RAMC plus Quotient minus "
                                     "Direktionsbogen liegt schon zwischen 0° und 360°.");
    return Finding{Cause::CircleCorrection, 6, text};
}

// What the hand method cannot avoid, for a free calculation: the two table
// values rounded by up to 30'' each, spread over the table step, the linear
// interpolation between the rows where the axis does not move evenly, and
// the steps' roundings.
double explainedDeviation(const Context &c)
{
    const double tableStep = std::remainder(c.exactGreater - c.exactSmaller, 360.0);
    const double planet = c.problem.aspectPoint / 3600.0;
    const double linear =
        c.smallerRamc + std::remainder(planet - c.exactSmaller, 360.0) / tableStep;
    const double interpolation =
        std::abs(std::remainder(linear - c.exact.aspectRamc, 360.0)) * SiderealSecondsPerDegree;
    return 2 * 30.0 / (std::abs(tableStep) * 3600) * SiderealSecondsPerDegree + interpolation +
           StepRounding;
}

// A free calculation: more deviation from the exact correction than the
// method explains.
Found unexplained(const Context &c)
{
    if (c.task())
        return {};
    const qint32 typed = c.e.correction.totalSeconds();
    const double explained = explainedDeviation(c);
    const double deviation = typed - c.exact.siderealSeconds;
    // Step 8 does not reduce by a day: where the corrected RAMC and the
    // sidereal time of birth lie on both sides of 0 h, the difference comes
    // out a day too large or too small.
    if (std::abs(deviation) > SecondsPerDay / 2 &&
        std::abs(std::remainder(deviation, double{SecondsPerDay})) <= explained) {
        const qint32 meant = typed + (deviation > 0 ? -SecondsPerDay : SecondsPerDay);
        return Finding{Cause::DayOff, 8,
                       QStringLiteral("Ihre Zeitdifferenz liegt um einen ganzen Tag daneben: die "
                                      "korrigierte RAMC und die Sternzeit der Geburt liegen auf "
                                      "verschiedenen Seiten von 0 h, und Schritt 8 rechnet nicht "
                                      "über den Tag hinweg. Gemeint ist %1.")
                           .arg(Notation::clock(meant))};
    }
    if (std::abs(deviation) <= explained)
        return {};
    return Finding{
        Cause::Deviation, 8,
        QStringLiteral("Ihre Zeitdifferenz weicht um %1 von der genauen ab, mehr als "
                       "Interpolation und Rundung erklären (bis %2): prüfen Sie die "
                       "Tabellenwerte und den korrigierten Wert.")
            .arg(Notation::preciseDeviation(deviation), Notation::preciseDuration(explained))};
}

// The findings in the order of the calculation: the first that finds a fault
// is the first cause.
const std::function<Found(const Context &)> Findings[] = {
    ageMiscount,     unfinishedStep, brokenLink,  givenSiderealTime,    dayReduction,
    rowsAroundEvent, ramcOfRow,      tableValues, smallerValueRepeated, correctedValue,
    signChoices,     circleChoice,   unexplained,
};

QList<CheckRow> rowsOf(const Context &c)
{
    const Results &r = c.w.results;
    const auto seconds = [](const std::optional<SexagesimalTriple> &t) {
        return t ? std::optional<qint32>(pickersToSeconds(*t)) : std::nullopt;
    };
    const double exactEvent =
        std::fmod(c.problem.exactBirthSiderealTime + c.exact.arc * SiderealSecondsPerDegree,
                  double{SecondsPerDay});
    const double exactQuotient = std::remainder(c.exact.aspectRamc - c.smallerRamc, 360.0);
    const qint32 typedSmaller = c.e.smallerTableValue.totalSeconds();
    const qint32 typedGreater = c.e.greaterTableValue.totalSeconds();
    const auto event = seconds(r.withinDay);
    const auto corrected = seconds(r.correctedRamc);
    const auto correction = seconds(r.correction);
    const std::optional<Quotient> &q = r.quotient;
    return {
        {QStringLiteral("Sternzeit des Ereignisses"), event ? Notation::clock(*event) : dash(),
         Notation::preciseClock(exactEvent),
         event ? Notation::preciseDeviation(
                     std::remainder(*event - exactEvent, double{SecondsPerDay}))
               : QString()},
        {QStringLiteral("Tabellenwert kleiner"), Notation::angle(typedSmaller),
         preciseInSign(c.exactSmaller),
         Notation::preciseArcDeviation(inSignDeviation(typedSmaller, c.exactSmaller))},
        {QStringLiteral("Tabellenwert größer"), Notation::angle(typedGreater),
         preciseInSign(c.exactGreater),
         Notation::preciseArcDeviation(inSignDeviation(typedGreater, c.exactGreater))},
        {QStringLiteral("Quotient"), q ? Notation::decimal(q->value) : dash(),
         Notation::decimal(exactQuotient),
         q ? Notation::decimalDeviation(q->value.toDouble() - exactQuotient) : QString()},
        {QStringLiteral("korrigierte RAMC"), corrected ? Notation::angle(*corrected) : dash(),
         Notation::preciseAngle(c.exact.birthRamc),
         corrected ? Notation::preciseArcDeviation(std::remainder(
                         *corrected - c.exact.birthRamc * 3600, double{ArcSecondsPerCircle}))
                   : QString()},
        {QStringLiteral("gesuchte Zeitdifferenz"),
         correction ? Notation::clock(*correction) : dash(),
         Notation::preciseDuration(c.exact.siderealSeconds) + QStringLiteral(" Sternzeit = ") +
             Notation::preciseDuration(c.exact.civilSeconds) + QStringLiteral(" bürgerlich"),
         correction ? Notation::preciseDeviation(*correction - c.exact.siderealSeconds)
                    : QString()},
    };
}

QString rightFinding(const Context &c)
{
    QString text = QStringLiteral("Ihre Rechnung ist richtig.");
    if (c.task())
        text += QStringLiteral(" Sie ist die Handrechnung der Aufgabe.");
    text += QStringLiteral(" Die Abweichung von %1 Sternzeit vom genauen Wert erklären die "
                           "lineare Interpolation zwischen den Zeilen, die auf Minuten gerundete "
                           "Tabelle und die Rundungen der Schritte; die Korrektur ist Sternzeit, "
                           "bürgerliche Zeit läuft um 1/366 langsamer.")
                .arg(Notation::preciseDeviation(c.e.correction.totalSeconds() -
                                                c.exact.siderealSeconds));
    if (!c.problem.ageFromDates)
        text += QStringLiteral(" Schritt 1 (Alter) konnte ohne Ereignistag nicht geprüft werden.");
    return text;
}

// The aspect point of a free calculation: the longitude with the corrected
// value's degrees within a sign that lies nearest the smaller row's axis.
qint32 aspectPointNear(qint32 corrected, double exactSmaller)
{
    const double planet =
        exactSmaller + std::remainder(corrected / 3600.0 - std::fmod(exactSmaller, 30.0), 30.0);
    return static_cast<qint32>(modulo(std::llround(planet * 3600), ArcSecondsPerCircle));
}

Problem freeProblem(const Worked &w, const TableChoice &table, qint32 smallerRow)
{
    Problem p;
    p.table = table;
    p.birthDate = w.header.birthDate;
    p.obliquity = obliquityOf(p.birthDate);
    p.eventDate = w.header.eventOn;
    p.age = w.header.typedAge;
    if (p.birthDate.isValid() && p.eventDate && *p.eventDate >= p.birthDate) {
        const AgeInYearsAndDays age = ageAt(p.birthDate, *p.eventDate);
        p.age = ageOf(age);
        p.ageFromDates = true;
        p.leapDayMoved = age.onFirstOfMarch;
    }
    p.birthSiderealTime = w.header.birthSidereal.totalSeconds();
    p.exactBirthSiderealTime = p.birthSiderealTime;
    const double exactSmaller =
        Astro::axisLongitude(table.axis, smallerRow / double{SiderealSecondsPerDegree}, p.obliquity,
                             table.latitudeMinutes / 60.0);
    p.aspectPoint = aspectPointNear(w.entries.correctedTableValue.totalSeconds(), exactSmaller);
    return p;
}

Context contextOf(const Worked &w, const TableChoice &table, const Sexagesimal &smallerRow,
                  const Sexagesimal &greaterRow)
{
    Context c{w, w.entries, w.header, {}, {}};
    c.smallerRow = smallerRow.totalSeconds();
    c.greaterRow = greaterRow.totalSeconds();
    if (w.task) {
        c.problem = problemOf(*w.task);
        c.problem.table = table;
    } else {
        c.problem = freeProblem(w, table, c.smallerRow);
    }
    c.exact = exactCorrection(c.problem);
    c.smallerRamc = c.smallerRow / double{SiderealSecondsPerDegree};
    c.greaterRamc = c.greaterRow / double{SiderealSecondsPerDegree};
    c.exactSmaller = c.axisAt(c.smallerRamc, table.axis);
    c.exactGreater = c.axisAt(c.greaterRamc, table.axis);
    if (const auto &withinDay = w.results.withinDay)
        c.event = pickersToSeconds(*withinDay);
    return c;
}

CheckReport judge(const Context &c, const TableChoice &table)
{
    CheckReport report;
    report.rows = rowsOf(c);
    for (const auto &finding : Findings) {
        if (const Found f = finding(c)) {
            report.cause = f->cause;
            report.step = f->step;
            report.finding = f->text;
            break;
        }
    }
    if (report.finding.isEmpty()) {
        report.right = true;
        report.finding = rightFinding(c);
    }
    // Another table than the task's: the student may look, but the verdict
    // is not the task's.
    if (c.task() && table != tableOf(*c.task())) {
        const QString named =
            QStringLiteral("Die Aufgabe nennt %1.").arg(tableText(tableOf(*c.task())));
        if (report.right)
            report.finding = named + QStringLiteral(" Mit %1 ist die Rechnung nicht die der "
                                                    "Aufgabe.")
                                         .arg(tableText(table));
        else
            report.finding = named + u' ' + report.finding;
        report.right = false;
        report.cause = Cause::OtherTable;
        report.step = 5;
    }
    return report;
}

} // namespace

TableChoice tableOf(const GivenTask &task)
{
    return {task.axis, task.latitudeMinutes};
}

QString tableText(const TableChoice &table)
{
    return axisName(table.axis) + QStringLiteral(", ") + Notation::latitude(table.latitudeMinutes);
}

Problem problemOf(const GivenTask &task)
{
    Problem p;
    p.table = tableOf(task);
    p.birthDate = task.birthDate;
    p.obliquity =
        task.birthUtc() ? Astro::meanObliquity(*task.birthUtc()) : obliquityOf(task.birthDate);
    p.eventDate = task.eventDate;
    const AgeInYearsAndDays age = ageAt(task.birthDate, task.eventDate);
    p.age = ageOf(age);
    p.ageFromDates = true;
    p.leapDayMoved = age.onFirstOfMarch;
    p.birthSiderealTime = task.birthSiderealTime;
    p.exactBirthSiderealTime = task.birthSiderealTime;
    if (task.siderealWorked && task.birthUtc())
        p.exactBirthSiderealTime =
            Astro::localSiderealTime(*task.birthUtc(), task.longitudeMinutes / 60.0) * 3600;
    p.aspectPoint = task.aspectPoint;
    return p;
}

Exact exactCorrection(const Problem &p)
{
    Exact exact;
    exact.arc = (p.age.years + p.age.days / DaysPerYear) * NaibodDegreesPerYear;
    exact.aspectRamc = Astro::ramcOfAxis(p.table.axis, p.aspectPoint / 3600.0, p.obliquity,
                                         p.table.latitudeMinutes / 60.0);
    exact.birthRamc = normalizedDegrees(exact.aspectRamc - exact.arc);
    // The difference of two sidereal times, taken the short way round the day.
    exact.siderealSeconds =
        std::remainder(exact.birthRamc * SiderealSecondsPerDegree - p.exactBirthSiderealTime,
                       double{SecondsPerDay});
    exact.civilSeconds = exact.siderealSeconds / SiderealPerCivil;
    return exact;
}

StepResult<CheckReport> checkRectification(const Worked &w, const TableChoice &table)
{
    const bool anyComputed =
        std::any_of(w.status.begin(), w.status.end(),
                    [](StepLedger::Status s) { return s != StepLedger::Status::NotComputed; });
    if (!anyComputed)
        return StepMessage{QStringLiteral("Für die Kontrolle fehlt die Rechnung: bitte zuerst "
                                          "die Schritte rechnen.")};
    const Header &h = w.header;
    if (!h.smallerRowTime || !h.greaterRowTime)
        return StepMessage{QStringLiteral("Für die Kontrolle fehlen: Sternzeiten der "
                                          "Häusertabelle (Schritt 5).")};
    try {
        return judge(contextOf(w, table, *h.smallerRowTime, *h.greaterRowTime), table);
    } catch (const Overflow &) {
        CheckReport report;
        report.finding = QStringLiteral("Überlauf!");
        report.cause = Cause::Overflow;
        return report;
    }
}

} // namespace Rectification
