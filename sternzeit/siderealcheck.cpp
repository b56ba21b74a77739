#include "sternzeit/siderealcheck.h"

#include "astro/houses.h"
#include "core/notation.h"
#include "core/numbers.h"
#include "core/overflow.h"
#include "core/rules.h"

#include <QStringList>
#include <QTimeZone>

#include <cmath>
#include <cstdlib>
#include <functional>

using namespace Core;

namespace Sidereal {

namespace {

// A printed ephemeris rounds its sidereal time to the second, or cuts it off,
// and some print the apparent instead of the mean time: a value within a
// second of the mean one, rounded, is read right. A task prints its page
// beside it, and then only the page's value is.
constexpr qint32 PrintTolerance = 1;
// The days around the right one whose ephemeris value a student may take by
// mistake: each is about 3m56s from the next.
constexpr int DaysAround = 3;

// A value of which some part is typed; an empty part reads 0, as in the steps.
bool typed(const FieldTexts &texts)
{
    return std::any_of(texts.begin(), texts.end(),
                       [](const QString &t) { return !t.trimmed().isEmpty(); });
}

// The total of whole seconds a value stands for; nothing for one beyond any day.
std::optional<qint64> secondsOf(const Sexagesimal &v)
{
    const double total = v.units * 3600.0 + v.minutes * 60.0 + v.seconds;
    if (!std::isfinite(total) || std::fabs(total) > 1e9)
        return std::nullopt;
    return std::llround(total);
}

qint64 ofDay(qint64 seconds)
{
    return modulo(seconds, SecondsPerDay);
}

using Finding = Core::Finding<Cause>;
using Found = std::optional<Finding>;

// Everything the findings look at, worked out once.
struct Context {
    const Worked &w;
    const Entries &e;
    const Header &h;
    Exact exact;
    qint32 printed = 0; // the ephemeris value of the day step 1 names, as printed
    // Where the typed ephemeris value lies from the printed one of the right
    // day, seconds; and the day whose printed value it is, if any within a
    // few days.
    qint64 ephemerisOff = 0;
    std::optional<int> ephemerisDayOff;
    // How far a typed value may lie from the printed one and still be read
    // right: a second for an ephemeris of the student's own, none where the
    // task prints the page.
    qint32 tolerance = PrintTolerance;
    const std::optional<GivenTask> &task() const { return w.task; }
};

// A task of the sidereal time, and a rectification task that has the student
// work it, print the page of sidereal times at 0h UT the student reads.
bool printsPage(const std::optional<GivenTask> &task)
{
    return task && (task->kind == TaskKind::Sidereal ||
                    (task->kind == TaskKind::Rectification && task->siderealWorked));
}

// The birth data that the rectification's task gives.
Found givenValues(const Context &c)
{
    if (!c.task())
        return {};
    const GivenTask &t = *c.task();
    const auto differs = [](const QString &what, const QString &given, const QString &typed) {
        return Finding{Cause::GivenValue, 0,
                       QStringLiteral("Die Aufgabe nennt %1 %2; gerechnet wurde mit %3.")
                           .arg(what, given, typed)};
    };
    if (c.h.birthDate != t.birthDate)
        return differs(QStringLiteral("den Geburtstag"), Notation::date(t.birthDate),
                       c.h.birthDate ? Notation::date(*c.h.birthDate) : dash());
    const qint64 civil = secondsOf(c.h.civilTime).value_or(-1);
    if (t.birthTime && civil != t.birthTime->msecsSinceStartOfDay() / 1000)
        return differs(QStringLiteral("die Geburtszeit"),
                       Notation::clock(t.birthTime->msecsSinceStartOfDay() / 1000),
                       Notation::clock(c.h.civilTime));
    if (c.h.zone != t.zone)
        return differs(QStringLiteral("die Zeitzone"), Notation::zone(t.zone),
                       Notation::zone(c.h.zone));
    if (eastLongitudeMinutes(c.h) != t.longitudeMinutes)
        return differs(QStringLiteral("die Länge"), Notation::longitude(t.longitudeMinutes),
                       Notation::longitude(eastLongitudeMinutes(c.h)));
    return {};
}

// A step left out or not pressed again makes the values after it meaningless.
Found unfinishedStep(const Context &c, int from, int to)
{
    for (int step = from; step < to; ++step) {
        const auto status = c.w.status[static_cast<std::size_t>(step)];
        const Cause cause = status == StepLedger::Status::Stale ? Cause::Stale : Cause::NotComputed;
        if (const auto text = unfinishedText(status, rule(step).number, rule(step).stepName()))
            return Finding{cause, rule(step).number, *text};
    }
    return {};
}

Found stepsBeforeTheReduction(const Context &c)
{
    return unfinishedStep(c, 0, WithinDayStep);
}

Found reductionStep(const Context &c)
{
    return unfinishedStep(c, WithinDayStep, StepCount);
}

// Step 1 subtracts the zone of the head from the birth time of the head.
Found zoneCopied(const Context &c)
{
    if (!c.e.civilTime.sameValue(c.h.civilTime))
        return Finding{Cause::BrokenLink, 1,
                       QStringLiteral("In Schritt 1 steht als Geburtszeit %1, oben steht aber %2.")
                           .arg(Notation::clock(c.e.civilTime), Notation::clock(c.h.civilTime))};
    const double used = c.e.zone;
    const int given = c.h.zone;
    if (used == given)
        return {};
    const QString rule = QStringLiteral(" Die Weltzeit ist die Geburtszeit minus die Zeitzone: "
                                        "bei MEZ (+1) wird eine Stunde abgezogen, bei einer Zone "
                                        "westlich von Greenwich (etwa -5) werden fünf Stunden "
                                        "addiert.");
    if (given != 0 && used == -given)
        return Finding{Cause::Zone, 1,
                       QStringLiteral("In Schritt 1 ist das Vorzeichen der Zeitzone vertauscht: "
                                      "gerechnet wurde mit %1 statt %2.")
                               .arg(plainNumber(used), Notation::zone(given)) +
                           rule};
    if (given != 0 && used == 0)
        return Finding{Cause::Zone, 1,
                       QStringLiteral("In Schritt 1 wurde die Zeitzone %1 vergessen: die "
                                      "Geburtsurkunde nennt die Uhrzeit der Zone, die Ephemeride "
                                      "gilt für 0 Uhr Weltzeit (Greenwich).")
                               .arg(Notation::zone(given)) +
                           rule};
    return Finding{Cause::BrokenLink, 1,
                   QStringLiteral("In Schritt 1 steht als Zeitzone %1, oben steht aber %2.")
                       .arg(plainNumber(used), Notation::zone(given))};
}

QString longitudeText(const Sexagesimal &degreesMinutes, double eastWest)
{
    const qint64 minutes =
        secondsOf(Sexagesimal{0, degreesMinutes.units, degreesMinutes.minutes}).value_or(0);
    return Notation::longitude(static_cast<int>(eastWest < 0 ? -minutes : minutes));
}

// Step 4 takes the longitude of the head with its side of Greenwich; step 5
// the ephemeris value of step 2.
Found headCopied(const Context &c)
{
    const bool sameArc = c.e.longitude.units == c.h.longitude.units &&
                         c.e.longitude.minutes == c.h.longitude.minutes;
    if (sameArc && c.e.eastWest != c.h.eastWest)
        return Finding{Cause::Longitude, 4,
                       QStringLiteral("In Schritt 4 sind Ost und West vertauscht: gerechnet wurde "
                                      "mit %1 statt %2. Östliche Länge wird addiert, westliche "
                                      "abgezogen.")
                           .arg(longitudeText(c.e.longitude, c.e.eastWest),
                                longitudeText(c.h.longitude, c.h.eastWest))};
    if (!sameArc || c.e.eastWest != c.h.eastWest)
        return Finding{Cause::BrokenLink, 4,
                       QStringLiteral("In Schritt 4 steht als Länge %1, oben steht aber %2.")
                           .arg(longitudeText(c.e.longitude, c.e.eastWest),
                                longitudeText(c.h.longitude, c.h.eastWest))};
    if (!c.e.ephemerisOfStep5.sameValue(c.h.ephemeris))
        return Finding{
            Cause::BrokenLink, 5,
            QStringLiteral("In Schritt 5 steht als Sternzeit um 0 Uhr Weltzeit %1, in "
                           "Schritt 2 aber %2.")
                .arg(Notation::clock(c.e.ephemerisOfStep5), Notation::clock(c.h.ephemeris))};
    return {};
}

// A result as a later step holds it, against what its step gives.
struct Link {
    int step; // the step whose result it is
    Copy copy;
    qint64 held;
    std::optional<qint64> follows; // nothing where the step refuses on the entries
};

QList<Link> linksOf(const Context &c)
{
    QList<Link> links;
    for (int step = 0; step < StepCount; ++step) {
        const StepRule &r = rule(step);
        Results scratch;
        const bool refused = r.run(c.e, scratch).has_value();
        for (const Copy &copy : r.copies) {
            Link link{step, copy, secondsOf(c.e.*copy.entry).value_or(0), std::nullopt};
            if (!refused)
                link.follows = pickersToSeconds(*r.shown(scratch));
            links << link;
        }
    }
    std::stable_sort(links.begin(), links.end(), [](const Link &a, const Link &b) {
        return a.copy.standsIn < b.copy.standsIn;
    });
    return links;
}

// What a usual slip makes of a result on its way into step 5.
Found namedSlip(const Context &c, const Link &link)
{
    const qint64 held = link.held;
    const qint64 right = *link.follows;
    const int in = link.copy.standsIn;
    if (link.step == ShareStep && held == 0)
        return Finding{Cause::Share, in,
                       QStringLiteral("In Schritt %1 fehlt der Zuschlag von %2: die Sternzeit "
                                      "läuft in jeder Stunde Weltzeit um 9,8565 s weiter, das "
                                      "wird immer addiert.")
                           .arg(in)
                           .arg(Notation::clock(right))};
    if (link.step == ShareStep && held == -right)
        return Finding{Cause::Share, in,
                       QStringLiteral("In Schritt %1 ist der Zuschlag von %2 abgezogen statt "
                                      "addiert: die Sternzeit läuft schneller als die Weltzeit.")
                           .arg(in)
                           .arg(Notation::clock(right))};
    if (link.step == LongitudeStep && held == -right && right != 0)
        return Finding{Cause::Longitude, in,
                       QStringLiteral("In Schritt %1 steht die Länge in Zeit mit falschem "
                                      "Vorzeichen (%2 statt %3): östliche Länge wird addiert, "
                                      "westliche abgezogen.")
                           .arg(in)
                           .arg(Notation::clock(held), Notation::clock(right))};
    if (link.step == LongitudeStep)
        return Finding{Cause::Longitude, in,
                       QStringLiteral("In Schritt %1 steht als Länge in Zeit %2, Schritt 4 ergibt "
                                      "aber %3: je Grad 4 Minuten, je Bogenminute 4 Sekunden.")
                           .arg(in)
                           .arg(Notation::clock(held), Notation::clock(right))};
    const qint64 zone = std::llround(c.e.zone * 3600);
    const qint64 civil = secondsOf(c.e.civilTime).value_or(0);
    if (link.step == UniversalTimeStep && zone != 0 &&
        (held == ofDay(civil) || held == ofDay(civil + zone)))
        return Finding{Cause::Zone, in,
                       QStringLiteral("In Schritt %1 steht als Weltzeit %2, Schritt 1 ergibt aber "
                                      "%3: die Zeitzone %4 wird von der Geburtszeit abgezogen.")
                           .arg(in)
                           .arg(Notation::clock(held), Notation::clock(right),
                                Notation::zone(static_cast<int>(c.e.zone)))};
    return {};
}

Found resultsCarried(const Context &c)
{
    for (const Link &link : linksOf(c)) {
        if (!link.follows || link.held == *link.follows)
            continue;
        if (Found f = namedSlip(c, link))
            return f;
        return Finding{Cause::BrokenLink, link.copy.standsIn,
                       QStringLiteral("In Schritt %1 steht %2 %3, die Rechnung ergibt aber %4.")
                           .arg(link.copy.standsIn)
                           .arg(QString::fromUtf16(link.copy.what), Notation::clock(link.held),
                                Notation::clock(*link.follows))};
    }
    return {};
}

// Step 5: the sum brought into 0 h to 24 h by the whole days it needs.
Found reduction(const Context &c)
{
    if (c.w.status[SumStep] != StepLedger::Status::Current)
        return {};
    const qint64 sum = secondsOf(c.e.sum).value_or(0);
    const double right = dayHoursFor(sum);
    if (c.e.dayHours == right)
        return {};
    const QString choice = right == 0
                               ? QStringLiteral("+0h")
                               : (right > 0 ? u'+' : u'-') + plainNumber(std::fabs(right)) + u'h';
    return Finding{Cause::Reduction, 5,
                   QStringLiteral("Die Summe in Schritt 5 ist %1; die Sternzeit der Geburt liegt "
                                  "zwischen 0 h und 24 h: wählen Sie „%2“.")
                       .arg(Notation::clock(sum), choice)};
}

// Step 2 against the sky: the sidereal time at 0h UT of the day step 1 names.
Found ephemerisRead(const Context &c)
{
    const QDate day = c.exact.ephemerisDay;
    if (!typed(c.h.ephemerisTexts))
        return Finding{Cause::Misread, 2,
                       QStringLiteral("In Schritt 2 fehlt die Sternzeit am %1 um 0 Uhr Weltzeit "
                                      "aus der Ephemeride.")
                           .arg(Notation::date(day))};
    if (std::llabs(c.ephemerisOff) <= c.tolerance)
        return {};
    const QString typed = Notation::clock(c.h.ephemeris);
    if (const auto off = c.ephemerisDayOff) {
        const QDate taken = day.addDays(*off);
        QString text =
            QStringLiteral("In Schritt 2 steht die Sternzeit des %1 (%2); die Weltzeit "
                           "der Geburt liegt aber am %3, dessen Sternzeit um 0 Uhr "
                           "Weltzeit %4 ist. Von Tag zu Tag wächst sie um 3m56s.")
                .arg(Notation::date(taken), typed, Notation::date(day), Notation::clock(c.printed));
        if (c.h.birthDate && taken == *c.h.birthDate)
            text = QStringLiteral("Der Tageswechsel wurde vergessen: ") + text;
        return Finding{Cause::WrongDay, 2, text};
    }
    return Finding{Cause::Misread, 2,
                   QStringLiteral("Der Ephemeridenwert in Schritt 2 (%1) weicht um %2 von der "
                                  "Sternzeit am %3 um 0 Uhr Weltzeit ab (%4): lesen Sie ihn %5 "
                                  "nach.")
                       .arg(typed, Notation::timeDeviation(c.ephemerisOff), Notation::date(day),
                            Notation::clock(c.printed),
                            printsPage(c.task()) ? QStringLiteral("auf der Seite der Aufgabe")
                                                 : QStringLiteral("in der Ephemeride"))};
}

// What the roundings of the hand method explain: the ephemeris value against
// the unrounded sidereal time, the share to the whole second, and its 9,8565 s
// an hour against the exact ratio of the two clocks.
double explainedDeviation(const Context &c)
{
    const double ratio = ShareTenThousandthsPerHour / 10'000.0 / 3600.0 - (SiderealPerCivil - 1);
    const auto typed = static_cast<double>(secondsOf(c.h.ephemeris).value_or(0));
    return std::fabs(std::remainder(typed - c.exact.ephemeris, double{SecondsPerDay})) + 0.5 +
           std::fabs(ratio * c.exact.universalTime) + 0.01;
}

double finalDeviation(const Context &c)
{
    const double yours = pickersToSeconds(*c.w.results.siderealTime);
    return std::remainder(yours - c.exact.siderealTime, double{SecondsPerDay});
}

Found unexplained(const Context &c)
{
    const double deviation = finalDeviation(c);
    if (std::fabs(deviation) <= explainedDeviation(c))
        return {};
    return Finding{Cause::Deviation, 5,
                   QStringLiteral("Ihre Sternzeit weicht um %1 von der genauen ab, mehr als die "
                                  "Rundungen erklären (bis %2).")
                       .arg(Notation::preciseDeviation(deviation),
                            Notation::preciseDuration(explainedDeviation(c)))};
}

// The findings in the order of the calculation: the first that finds a fault
// is the first cause.
const std::function<Found(const Context &)> Findings[] = {
    givenValues,   zoneCopied,    headCopied,  stepsBeforeTheReduction, resultsCarried, reduction,
    reductionStep, ephemerisRead, unexplained,
};

QString yoursOrDash(const std::optional<SexagesimalTriple> &t)
{
    return t ? Notation::clock(*t) : dash();
}

QString deviationOf(const std::optional<SexagesimalTriple> &t, double exact, bool ofDay)
{
    if (!t)
        return {};
    const double d = pickersToSeconds(*t) - exact;
    return Notation::preciseDeviation(ofDay ? std::remainder(d, double{SecondsPerDay}) : d);
}

QList<CheckRow> rowsOf(const Context &c)
{
    const Results &r = c.w.results;
    const Exact &x = c.exact;
    const auto ut = r.universalTime ? std::optional(r.universalTime->time) : std::nullopt;
    const auto share = r.share ? std::optional(r.share->time) : std::nullopt;
    const auto ephemeris = secondsOf(c.h.ephemeris);
    return {
        {QStringLiteral("Weltzeit"), yoursOrDash(ut), Notation::preciseClock(x.universalTime),
         deviationOf(ut, x.universalTime, true)},
        {QStringLiteral("Tag der Ephemeride"),
         r.universalTime ? Notation::date(r.universalTime->ephemerisDay) : dash(),
         Notation::date(x.ephemerisDay),
         r.universalTime && r.universalTime->ephemerisDay != x.ephemerisDay
             ? Notation::dayDeviation(x.ephemerisDay.daysTo(r.universalTime->ephemerisDay))
             : QString()},
        {QStringLiteral("Sternzeit 0 Uhr Weltzeit"),
         typed(c.h.ephemerisTexts) ? Notation::clock(c.h.ephemeris) : dash(),
         Notation::preciseClock(x.ephemeris),
         typed(c.h.ephemerisTexts) && ephemeris
             ? Notation::preciseDeviation(std::remainder(
                   static_cast<double>(*ephemeris) - x.ephemeris, double{SecondsPerDay}))
             : QString()},
        {QStringLiteral("Zuschlag"), yoursOrDash(share), Notation::preciseClock(x.share),
         deviationOf(share, x.share, false)},
        {QStringLiteral("Länge in Zeit"), yoursOrDash(r.longitudeTime),
         (x.longitudeTime < 0 ? QStringLiteral("-") : QString()) +
             Notation::preciseClock(std::fabs(x.longitudeTime)),
         deviationOf(r.longitudeTime, x.longitudeTime, false)},
        {QStringLiteral("Sternzeit der Geburt"), yoursOrDash(r.siderealTime),
         Notation::preciseClock(x.siderealTime), deviationOf(r.siderealTime, x.siderealTime, true)},
    };
}

QString rightFinding(const Context &c)
{
    QString text = QStringLiteral("Ihre Rechnung ist richtig.");
    text += QStringLiteral(" Die Abweichung von %1 von der genauen Sternzeit erklären die auf "
                           "Sekunden gerundete Ephemeride und der auf volle Sekunden gerundete "
                           "Zuschlag.")
                .arg(Notation::preciseDeviation(finalDeviation(c)));
    if (c.ephemerisOff != 0)
        text += QStringLiteral(" Ihr Ephemeridenwert liegt %1 neben der auf Sekunden gerundeten "
                               "mittleren Sternzeit (%2): Ephemeriden runden oder schneiden ab, "
                               "manche drucken die wahre Sternzeit; eine Sekunde ist darum kein "
                               "Lesefehler.")
                    .arg(Notation::timeDeviation(c.ephemerisOff), Notation::clock(c.printed));
    return text;
}

Context contextOf(const Worked &w)
{
    Context c{w, w.entries, w.header, {}, 0, 0, std::nullopt, PrintTolerance};
    const Header &h = w.header;
    if (printsPage(w.task))
        c.tolerance = 0;
    c.exact = exactSiderealTime(*h.birthDate, static_cast<qint32>(*secondsOf(h.civilTime)), h.zone,
                                eastLongitudeMinutes(h));
    c.printed = printedEphemeris(c.exact.ephemerisDay);
    const qint64 typed = secondsOf(h.ephemeris).value_or(0);
    c.ephemerisOff = std::llround(std::remainder(double(typed - c.printed), SecondsPerDay));
    for (int off = -DaysAround; off <= DaysAround; ++off) {
        const qint32 other = printedEphemeris(c.exact.ephemerisDay.addDays(off));
        if (off != 0 && std::llabs(std::llround(
                            std::remainder(double(typed - other), SecondsPerDay))) <= c.tolerance)
            c.ephemerisDayOff = off;
    }
    return c;
}

CheckReport judge(const Context &c)
{
    CheckReport report;
    report.rows = rowsOf(c);
    for (const auto &finding : Findings) {
        if (const Found f = finding(c)) {
            report.cause = f->cause;
            report.step = f->step;
            report.finding = f->text;
            return report;
        }
    }
    report.right = true;
    report.finding = rightFinding(c);
    return report;
}

// What the exact answer needs from the head, named as the head names it.
QStringList missingFrom(const Header &h)
{
    QStringList missing;
    if (!h.birthDate)
        missing << QStringLiteral("Geburtsdatum");
    const auto civil = secondsOf(h.civilTime);
    if (!typed(h.civilTimeTexts) || !civil || *civil < 0 || *civil >= SecondsPerDay)
        missing << QStringLiteral("Geburtszeit");
    if (!typed({h.longitudeTexts[0], h.longitudeTexts[1], QString()}) ||
        std::abs(eastLongitudeMinutes(h)) > MaxLongitudeDegrees * 60)
        missing << QStringLiteral("Länge");
    if (h.zone < WestmostZone || h.zone > EastmostZone)
        missing << QStringLiteral("Zeitzone");
    return missing;
}

} // namespace

Exact exactSiderealTime(QDate birthDate, qint32 civilSeconds, int zone, int eastLongitudeMinutes)
{
    Exact x;
    x.utc = QDateTime(birthDate, QTime(0, 0), QTimeZone::utc())
                .addSecs(civilSeconds - qint64{zone} * 3600);
    x.ephemerisDay = x.utc.date();
    x.ephemeris = Astro::greenwichSiderealTime(x.ephemerisDay.startOfDay(QTimeZone::utc())) * 3600;
    x.universalTime = x.utc.time().msecsSinceStartOfDay() / 1000.0;
    x.share = x.universalTime * (SiderealPerCivil - 1);
    x.longitudeTime = eastLongitudeMinutes * double{TimeSecondsPerArcMinute};
    x.siderealTime = Astro::localSiderealTime(x.utc, eastLongitudeMinutes / 60.0) * 3600;
    return x;
}

qint32 printedEphemeris(QDate day)
{
    const double seconds = Astro::greenwichSiderealTime(day.startOfDay(QTimeZone::utc())) * 3600;
    return static_cast<qint32>(modulo(std::llround(seconds), SecondsPerDay));
}

StepResult<CheckReport> checkSidereal(const Worked &w)
{
    const bool anyComputed =
        std::any_of(w.status.begin(), w.status.end(),
                    [](StepLedger::Status s) { return s != StepLedger::Status::NotComputed; });
    if (!anyComputed)
        return StepMessage{QStringLiteral("Für die Kontrolle fehlt die Rechnung: bitte zuerst "
                                          "die Schritte rechnen.")};
    const QStringList missing = missingFrom(w.header);
    if (!missing.isEmpty())
        return StepMessage{QStringLiteral("Für die Kontrolle fehlen: ") +
                           missing.join(QStringLiteral(", ")) + u'.'};
    try {
        return judge(contextOf(w));
    } catch (const Overflow &) {
        CheckReport report;
        report.finding = QStringLiteral("Überlauf!");
        report.cause = Cause::Overflow;
        return report;
    }
}

} // namespace Sidereal
