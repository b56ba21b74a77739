#include "solar/solarcheck.h"

#include "astro/sun.h"
#include "astro/zodiac.h"
#include "core/notation.h"
#include "core/numbers.h"
#include "core/rules.h"

#include <QStringList>
#include <QTimeZone>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>

using namespace Core;

namespace Solar {

namespace {

// A position read from a printed ephemeris that differs from the exact one by
// no more than this is read right: an ephemeris computed for 0h ephemeris time
// instead of 0h UT differs by about 3''.
constexpr qint32 ReadingTolerance = 5; // seconds of arc
// Calendar drift and a far-east or far-west zone put a true Solar up to three
// days from the birthday; beyond a week the radix belongs to another day.
constexpr qint64 DaysFromBirthday = 7;
constexpr qint32 HalfSign = 15 * 3600; // seconds of arc
constexpr int FirstYear = 1900;
constexpr int LastYear = 2100;

QString notCurrent()
{
    return QStringLiteral(" (nicht mehr aktuell)");
}

// A time or angle in whole seconds; nothing for one beyond any calendar.
std::optional<qint64> secondsOf(const Sexagesimal &value)
{
    const double total = value.units * 3600.0 + value.minutes * 60.0 + value.seconds;
    if (!std::isfinite(total) || std::fabs(total) > 1e12)
        return std::nullopt;
    return std::llround(total);
}

// A clock time on a date, both taken as the clock of one zone; the times of a
// zone are handled here as if they were UTC, so that the moments compare.
QDateTime on(QDate date, qint64 seconds)
{
    return date.startOfDay(QTimeZone::utc()).addSecs(seconds);
}

qint64 secondOfDay(const QDateTime &t)
{
    return t.time().msecsSinceStartOfDay() / 1000;
}

// The student picks positions within a sign; near the start or end of a sign
// date 1 or date 2 lies in the neighbouring sign. The picked position belongs
// to the sign that puts it nearest the radix.
qint32 nearRadix(int sign, const SexagesimalTriple &a, qint32 radix)
{
    qint32 position = Astro::positionOf(sign, a.units, a.minutes, a.seconds);
    const qint32 ahead = Astro::arcAhead(position, radix);
    if (ahead > HalfSign)
        position -= Core::ArcSecondsPerSign;
    else if (ahead < -HalfSign)
        position += Core::ArcSecondsPerSign;
    return position;
}

bool blank(const FieldTexts &texts)
{
    return texts[0].trimmed().isEmpty() && texts[1].trimmed().isEmpty() &&
           texts[2].trimmed().isEmpty();
}

QString typedDate(const Header &h)
{
    if (blank(h.solarDate))
        return dash();
    if (h.solarDateRead)
        return Notation::date(*h.solarDateRead);
    return h.solarDate[0].trimmed() + u'.' + h.solarDate[1].trimmed() + u'.' +
           h.solarDate[2].trimmed();
}

QString ofDate(int which)
{
    return which == 1 ? QStringLiteral("des 1. Datums") : QStringLiteral("des 2. Datums");
}

// The first link of the chain whose value does not follow from the one
// before it: the positions picked in step 1 as steps 2 and 3 hold them, and
// every result where it is shown and copied, in the order of the steps that
// read them. A slip, which no tolerance of the method excuses.
struct Link {
    int readBy;
    QString text;
};

QList<Link> pickedLinks(const Worked &w)
{
    const Entries &e = w.entries;
    const Header &h = w.header;
    const auto link = [](int step, const QString &what, const QString &stands,
                         const QString &picked) {
        return Link{step, QStringLiteral("In Schritt %1 steht als %2 %3, gewählt ist aber %4.")
                              .arg(rule(step).number)
                              .arg(what, stands, picked)};
    };
    const auto angle = [](const SexagesimalTriple &t) {
        return Notation::angle(t);
    };
    const QString date1 = QStringLiteral("Sonnenstand des 1. Datums");
    QList<Link> links;
    if (!e.date1.sameValue(Sexagesimal::of(h.sunDate1)))
        links << link(MotionStep, date1, Notation::angle(e.date1), angle(h.sunDate1));
    if (!e.date2.sameValue(Sexagesimal::of(h.sunDate2)))
        links << link(MotionStep, QStringLiteral("Sonnenstand des 2. Datums"),
                      Notation::angle(e.date2), angle(h.sunDate2));
    if (e.radix != h.radix)
        links << link(DistanceStep, QStringLiteral("Radix-Sonnenposition"), angle(e.radix),
                      angle(h.radix));
    if (!e.date1OfStep3.sameValue(Sexagesimal::of(h.sunDate1)))
        links << link(DistanceStep, date1, Notation::angle(e.date1OfStep3), angle(h.sunDate1));
    return links;
}

// Across a sign, A and B in step 4 are the student's own work: they are set
// against what the hand method gives across the sign, and where 30° are
// missing or one too many, that is said.
std::optional<Link> acrossSignLink(const Worked &w, int step)
{
    const Entries &e = w.entries;
    const Sexagesimal &held = step == MotionStep ? e.motion : e.distance;
    const StepResult<SexagesimalTriple> across = acrossSign(step, e);
    if (across.ok() && held.sameValue(Sexagesimal::of(across.value())))
        return std::nullopt;
    QString text = QStringLiteral("In Schritt 4 steht als %1 %2; über die Zeichengrenze gerechnet "
                                  "ist %3")
                       .arg(step == MotionStep ? u"A" : u"B", Notation::angle(held),
                            acrossSignEquation(step, e)) +
                   (across.ok() ? QStringLiteral(".") : QStringLiteral(": ") + across.message());
    if (!across.ok())
        return Link{GreenwichStep, text};
    const auto off = guarded([&]() -> StepResult<qint64> {
        return qint64{held.totalSeconds()} - pickersToSeconds(across.value());
    });
    if (off.ok() && off.value() == -ArcSecondsPerSign)
        text += QStringLiteral(" Es fehlen die 30° für den Schritt über die Zeichengrenze.");
    else if (off.ok() && off.value() == ArcSecondsPerSign)
        text += step == DistanceStep
                    ? QStringLiteral(" Die Radix-Sonne steht noch im Zeichen des 1. Datums: Zu B "
                                     "kommen keine 30° hinzu.")
                    : QStringLiteral(" Hier kommen keine 30° hinzu.");
    return Link{GreenwichStep, text};
}

QList<Link> resultLinks(const Worked &w, bool acrossSignPair)
{
    QList<Link> links;
    for (int step = 0; step < StepCount; ++step) {
        // Steps 2 and 3 of a pair across a sign count where step 4 reads them.
        const bool byHand = acrossSignPair && (step == MotionStep || step == DistanceStep);
        if (byHand) {
            if (const auto link = acrossSignLink(w, step))
                links << *link;
            if (!reads(w.entries, w.results, GreenwichStep, step))
                continue;
        }
        const StepRule &r = rule(step);
        Results scratch;
        const std::optional<QString> refused = r.run(w.entries, scratch);
        const auto written = [&r](const Sexagesimal &v) {
            return r.isTime ? Notation::clock(v) : Notation::angle(v);
        };
        const QString gives = refused ? *refused : written(*r.shown(scratch));
        for (const Copy &copy : r.copies) {
            const Sexagesimal &held = w.entries.*copy.entry;
            if ((!refused && held.sameValue(*r.shown(scratch))) || (byHand && copy.readBy != step))
                continue;
            const QString what = QString::fromUtf16(copy.what);
            links << Link{copy.readBy,
                          copy.readBy == step
                              ? QStringLiteral("In Schritt %1 ist %2 = %3, die Rechnung ergibt "
                                               "aber %4.")
                                    .arg(rule(step).number)
                                    .arg(what, written(held), gives)
                              : QStringLiteral("In Schritt %1 steht als %2 %3, Schritt %4 ergibt "
                                               "aber %5.")
                                    .arg(rule(copy.readBy).number)
                                    .arg(what, written(held))
                                    .arg(rule(step).number)
                                    .arg(gives)};
        }
    }
    return links;
}

std::optional<std::pair<int, QString>> firstSlip(const Worked &w, bool acrossSignPair)
{
    QList<Link> links = pickedLinks(w) + resultLinks(w, acrossSignPair);
    if (links.isEmpty())
        return std::nullopt;
    std::stable_sort(links.begin(), links.end(),
                     [](const Link &a, const Link &b) { return a.readBy < b.readBy; });
    return std::pair{links.first().readBy, links.first().text};
}

} // namespace

void readHeader(Header &h)
{
    h.signIndex = Astro::signNamed(h.sign);
    h.yearNumber = wholeNumber(h.year);
    h.birthDay = wholeNumber(h.birthDate[0]);
    h.birthMonth = wholeNumber(h.birthDate[1]);
    h.solarDateRead = dateOf(h.solarDate);
}

StepResult<Problem> problemOf(const Header &header)
{
    QStringList missing;
    // The year does not matter for the birthday; 2000 admits 29 February.
    const bool birthDate = header.birthDay && header.birthMonth &&
                           QDate(2000, *header.birthMonth, *header.birthDay).isValid();
    if (header.sign.trimmed().isEmpty())
        missing << QStringLiteral("Tierkreis");
    if (header.year.trimmed().isEmpty())
        missing << QStringLiteral("Solar für das Jahr");
    if (!birthDate)
        missing << QStringLiteral("Geburtsdatum");
    if (!missing.isEmpty())
        return StepMessage{QStringLiteral("Für die Kontrolle fehlen: ") +
                           missing.join(QStringLiteral(", ")) + u'.'};
    if (!header.signIndex)
        return StepMessage{QStringLiteral("Tierkreiszeichen nicht erkannt: ") + header.sign};
    const std::optional<int> &year = header.yearNumber;
    if (!year || *year < FirstYear || *year > LastYear)
        return StepMessage{QStringLiteral("Das Solarjahr muss zwischen 1900 und 2100 liegen.")};
    const SexagesimalTriple &r = header.radix;
    return Problem{*header.signIndex,
                   *year,
                   *header.birthDay,
                   *header.birthMonth,
                   Astro::positionOf(*header.signIndex, r.units, r.minutes, r.seconds),
                   std::nullopt,
                   false,
                   QString()};
}

Problem problemOf(const GivenTask &task)
{
    return {task.radixSun / Core::ArcSecondsPerSign,
            task.solarYear,
            task.birthDate.day(),
            task.birthDate.month(),
            task.radixSun,
            task.zone,
            true,
            task.residence};
}

StepResult<Problem> problemOf(const Worked &w)
{
    if (w.task)
        return problemOf(*w.task);
    return problemOf(w.header);
}

std::optional<Astro::ExactSolarReturn> exactSolar(const Problem &p)
{
    return Astro::solveSolarReturn(p.radix, p.year, p.birthDay, p.birthMonth);
}

QDateTime exactClockTime(const Astro::ExactSolarReturn &exact, int zone)
{
    return Astro::wholeSecond(exact.moment).addSecs(qint64{zone} * 3600);
}

QString exactConvention()
{
    return QStringLiteral("Genaue Werte: scheinbare geozentrische Länge der Sonne, bezogen auf "
                          "das wahre Äquinoktium des Datums, Sonnenstände für 0h UT.");
}

StepResult<Comparison> compare(const Worked &w)
{
    const StepResult<Problem> problem = problemOf(w);
    if (!problem.ok())
        return StepMessage{problem.message()};
    const std::optional<Astro::ExactSolarReturn> exact = exactSolar(problem.value());
    if (!exact) // the birthday was checked above; kept for a date the library refuses
        return StepMessage{QStringLiteral("Für die Kontrolle fehlen: Geburtsdatum.")};
    return compare(w, problem.value(), *exact);
}

namespace {

using Status = StepLedger::Status;

// What the findings look at, worked out once.
struct Context {
    const Worked &w;
    const Problem &p;
    const Astro::ExactSolarReturn &exact;
    const Comparison &c;
    qint32 off1 = 0; // the picked positions from the exact ones, ''
    qint32 off2 = 0;
    // A task's page prints the exact positions; a printed ephemeris of a free
    // calculation may differ by a few seconds of arc.
    qint32 tolerance = ReadingTolerance;
    // The two days lie in two signs.
    bool acrossSign = false;

    Status status(int step) const { return w.status[static_cast<std::size_t>(step)]; }
};

using Finding = Core::Finding<Cause>;
using Found = std::optional<Finding>;

// A radix that the Sun does not reach near the birthday makes everything
// after it meaningless.
Found farFromBirthday(const Context &x)
{
    const qint64 days = x.exact.daysFromBirthday;
    if (std::llabs(days) <= DaysFromBirthday)
        return {};
    return Finding{Cause::FarFromBirthday, -1,
                   QStringLiteral("Die Sonne erreicht die Radix-Sonnenposition %1 im Jahr %2 erst "
                                  "am %3, %4 Tage %5 dem Geburtstag. Bitte prüfen Sie das "
                                  "Tierkreiszeichen, die Radix-Sonnenposition und das "
                                  "Geburtsdatum.")
                       .arg(Astro::positionText(x.p.radix))
                       .arg(x.p.year)
                       .arg(Notation::date(x.exact.date1))
                       .arg(std::llabs(days))
                       .arg(days < 0 ? QStringLiteral("vor") : QStringLiteral("nach"))};
}

Found swapped(const Context &x)
{
    const bool one = std::abs(Astro::arcAhead(x.c.hand1, x.exact.position2)) <= x.tolerance;
    const bool two = std::abs(Astro::arcAhead(x.c.hand2, x.exact.position1)) <= x.tolerance;
    if (!one || !two)
        return {};
    return Finding{Cause::Swapped, MotionStep,
                   QStringLiteral("1. und 2. Datum sind vertauscht: Das 1. Datum ist der Tag mit "
                                  "der kleineren Sonnenposition (%1), das 2. Datum der Tag "
                                  "danach.")
                       .arg(Notation::date(x.exact.date1))};
}

Found misread(const Context &x)
{
    QStringList lines;
    const struct {
        int which;
        qint32 off;
        QDate date;
    } positions[] = {{1, x.off1, x.exact.date1}, {2, x.off2, x.exact.date1.addDays(1)}};
    for (const auto &[which, off, date] : positions) {
        if (std::abs(off) > x.tolerance)
            lines << QStringLiteral("Der Sonnenstand %1 weicht um %2 vom genauen Wert ab: "
                                    "Schlagen Sie in den Ephemeriden den %3 (0h UT) nach.")
                         .arg(ofDate(which), Notation::arcDeviation(off), Notation::date(date));
    }
    if (lines.isEmpty())
        return {};
    return Finding{Cause::Misread, -1, lines.join(u' ')};
}

Found unfinished(const Context &x)
{
    for (int s = 0; s < StepCount; ++s) {
        // Across a sign the form's steps 2 and 3 refuse the pair; what step 4
        // does not read of them is not on the way to the result.
        if (x.acrossSign && (s == MotionStep || s == DistanceStep) &&
            !reads(x.w.entries, x.w.results, GreenwichStep, s))
            continue;
        if (const auto text = unfinishedText(x.status(s), rule(s).number, rule(s).stepName()))
            return Finding{x.status(s) == Status::Stale ? Cause::Stale : Cause::NotComputed, s,
                           *text};
    }
    return {};
}

// The positions of two other days of the page: the radix does not lie
// between them.
Found wrongPair(const Context &x)
{
    if (std::abs(x.off1) <= x.tolerance && std::abs(x.off2) <= x.tolerance)
        return {};
    for (const int shift : {-2, -1, 1, 2}) {
        const QDate first = x.exact.date1.addDays(shift);
        const qint32 p1 = Astro::ephemerisPosition(first);
        const qint32 p2 = Astro::ephemerisPosition(first.addDays(1));
        if (std::abs(Astro::arcAhead(x.c.hand1, p1)) <= x.tolerance &&
            std::abs(Astro::arcAhead(x.c.hand2, p2)) <= x.tolerance)
            return Finding{Cause::WrongPair, MotionStep,
                           QStringLiteral("Sie haben die Sonnenstände des %1 und des %2 genommen; "
                                          "die Radix-Sonne %3 liegt aber zwischen dem %4 (%5) und "
                                          "dem %6 (%7).")
                               .arg(Notation::date(first), Notation::date(first.addDays(1)),
                                    Astro::positionText(x.p.radix), Notation::date(x.exact.date1),
                                    Astro::positionText(x.exact.position1),
                                    Notation::date(x.exact.date1.addDays(1)),
                                    Astro::positionText(x.exact.position2))};
    }
    return {};
}

Found noClockTime(const Context &x)
{
    const std::optional<qint64> &final = x.c.finalSeconds;
    if (!final || (*final < SecondsPerDay && *final >= 0))
        return {};
    const bool late = *final >= SecondsPerDay;
    return Finding{Cause::NoClockTime, FinalStep,
                   Notation::clock(*final) +
                       (late ? QStringLiteral(" gibt es nicht: 24 Stunden abziehen und das Datum "
                                              "um einen Tag weiterrücken.")
                             : QStringLiteral(" gibt es nicht: 24 Stunden addieren und das Datum "
                                              "um einen Tag zurücksetzen."))};
}

Found stepSlip(const Context &x)
{
    if (const auto slip = firstSlip(x.w, x.acrossSign))
        return Finding{Cause::StepSlip, slip->first, slip->second};
    return {};
}

// The sign, the year and the radix Sun of the head against the task's.
Found givenValues(const Context &x)
{
    if (!x.w.task)
        return {};
    const StepResult<Problem> head = problemOf(x.w.header);
    if (head.ok() && head.value().radix == x.p.radix && head.value().year == x.p.year)
        return {};
    return Finding{Cause::GivenValue, -1,
                   QStringLiteral("Die Aufgabe nennt die Radix-Sonne %1 und das Solarjahr %2; im "
                                  "Kopf des Rechners steht etwas anderes.")
                       .arg(Astro::positionText(x.p.radix))
                       .arg(x.p.year)};
}

// A task abroad names the residence with its zone: "Die Aufgabe nennt die
// Zeitzone -5 (New York); gerechnet wurde mit +1."
Found zone(const Context &x)
{
    if (!x.p.zone || x.c.zoneHours == *x.p.zone)
        return {};
    const QString where =
        x.p.residence.isEmpty() ? QString() : QStringLiteral(" (") + x.p.residence + u')';
    return Finding{Cause::Zone, ZoneStep,
                   QStringLiteral("Die Aufgabe nennt die Zeitzone %1%2; gerechnet wurde mit %3.")
                       .arg(Notation::zone(*x.p.zone), where, Notation::zone(x.c.zoneHours))};
}

// The date that goes with the student's own times: date 1, moved by the days
// that the zone time runs past midnight.
Found date(const Context &x)
{
    const Worked &w = x.w;
    if (!x.c.solarDate)
        return Finding{Cause::MissingDate, FinalStep,
                       blank(w.header.solarDate)
                           ? QStringLiteral("Das Datum des Solars fehlt noch.")
                           : QStringLiteral("Das Datum des Solars %1 gibt es nicht.")
                                 .arg(typedDate(w.header))};
    const QDate expected = x.c.handGreenwich
                               ? on(x.exact.date1, pickersToSeconds(w.results.greenwich->time) +
                                                       qint64{x.c.zoneHours} * 3600)
                                     .date()
                               : x.exact.date1;
    if (*x.c.solarDate == expected)
        return {};
    return Finding{Cause::WrongDate, FinalStep,
                   QStringLiteral("Das Datum des Solars ist der %1, nicht der %2.")
                       .arg(Notation::date(expected), Notation::date(*x.c.solarDate))};
}

// The findings in the order of the calculation, once a step has been worked.
const std::function<Found(const Context &)> Findings[] = {
    farFromBirthday, swapped,     unfinished, wrongPair, stepSlip,
    noClockTime,     givenValues, zone,       date,      misread,
};

// Why A and B of a pair across a sign are not the form's steps 2 and 3.
QString acrossSignWorked(const Context &x)
{
    if (Astro::signIndex(x.p.radix) != Astro::signIndex(x.exact.position1))
        return QStringLiteral("Die beiden Tage liegen in zwei Zeichen: Die Schritte 2 und 3 des "
                              "Rechners ziehen innerhalb eines Zeichens ab und lehnen dieses Paar "
                              "ab, darum wurden A und B von Hand über die Zeichengrenze gerechnet "
                              "(mit 30°) und in Schritt 4 eingetragen.");
    return QStringLiteral("Die beiden Tage liegen in zwei Zeichen: Schritt 2 des Rechners zieht "
                          "innerhalb eines Zeichens ab und lehnt dieses Paar ab, darum wurde A von "
                          "Hand über die Zeichengrenze gerechnet (mit 30°) und in Schritt 4 "
                          "eingetragen; B braucht keine 30°, die Radix-Sonne steht noch im Zeichen "
                          "des 1. Datums.");
}

// What to do with a pair across a sign before step 4 is worked.
QString acrossSignHint()
{
    return QStringLiteral("Die beiden Tage liegen in zwei Zeichen, die Schritte 2 und 3 des "
                          "Rechners ziehen nur innerhalb eines Zeichens ab: Rechnen Sie A = 2. "
                          "Datum + 30° − 1. Datum von Hand, ebenso B = Radix-Sonne − 1. Datum (mit "
                          "30°, wenn die Radix-Sonne schon im neuen Zeichen steht), und tragen Sie "
                          "beide in Schritt 4 ein.");
}

QStringList rightFinding(const Context &x)
{
    const Comparison &c = x.c;
    QStringList finding{QStringLiteral("Ihre Rechnung ist richtig. Die Abweichung von %1 vom "
                                       "genauen Zeitpunkt kommt daher, dass zwischen zwei Tagen "
                                       "linear interpoliert wird: Die Sonne läuft innerhalb eines "
                                       "Tages nicht ganz gleichmäßig, und die Ephemeride rundet "
                                       "auf die Bogensekunde.")
                            .arg(Notation::timeDeviation(c.exactLocal.secsTo(*c.handFinal)))};
    if (x.acrossSign)
        finding << acrossSignWorked(x);
    if (c.handFinal->date() != c.exactLocal.date())
        finding << QStringLiteral("Der genaue Zeitpunkt liegt auf der anderen Seite von "
                                  "Mitternacht, am %1; die Handrechnung bleibt beim Tag, auf den "
                                  "ihre Uhrzeit fällt.")
                       .arg(Notation::date(c.exactLocal.date()));
    if (x.off1 != 0 || x.off2 != 0)
        finding << QStringLiteral("Abweichungen der Sonnenstände bis 5'' sind kein Lesefehler: "
                                  "Ephemeriden für 0h ET statt 0h UT weichen um etwa 3'' ab, und "
                                  "eine Bogensekunde der Sonne sind etwa 24 Sekunden Zeit.");
    return finding;
}

// The student's values and their moments beside the exact ones.
Comparison comparisonOf(const Worked &w, const Problem &p, const Astro::ExactSolarReturn &exact)
{
    Comparison c;
    c.problem = p;
    c.radix = p.radix;
    c.exact = exact;
    c.zoneHours = static_cast<int>(
        std::lround(std::isfinite(w.entries.zoneHours) && std::fabs(w.entries.zoneHours) < 100
                        ? w.entries.zoneHours
                        : 0));
    c.exactUtc = Astro::wholeSecond(exact.moment);
    // The exact moment in the zone the task names, or the zone worked with.
    c.exactLocal = exactClockTime(exact, p.zone.value_or(c.zoneHours));
    c.hand1 = nearRadix(p.sign, w.header.sunDate1, c.radix);
    c.hand2 = nearRadix(p.sign, w.header.sunDate2, c.radix);
    c.greenwichCurrent = w.status[GreenwichStep] == Status::Current;
    c.finalCurrent = w.status[FinalStep] == Status::Current;
    if (w.results.greenwich)
        c.handGreenwich = on(exact.date1, pickersToSeconds(w.results.greenwich->time));
    if (w.results.final)
        c.finalSeconds = secondsOf(*w.results.final);
    c.solarDate = w.header.solarDateRead;
    c.solarDateTyped = typedDate(w.header);
    if (c.finalSeconds && c.solarDate)
        c.handFinal = on(*c.solarDate, *c.finalSeconds);
    return c;
}

// The first cause, in the order of the calculation; nothing where all is right.
Found firstFinding(const Context &x)
{
    const Worked &w = x.w;
    const bool anyComputed = std::any_of(w.status.begin(), w.status.end(),
                                         [](Status s) { return s != Status::NotComputed; });
    Found found = farFromBirthday(x);
    if (!found)
        found = swapped(x);
    if (!found && !anyComputed) {
        found = misread(x);
        if (!found)
            found = Finding{Cause::NotYetWorked, MotionStep,
                            QStringLiteral("Die Sonnenstände stimmen. Die Uhrzeit des Solars ist "
                                           "noch nicht berechnet.")};
    }
    for (const auto &finding : Findings) {
        if (found)
            break;
        found = finding(x);
    }
    // Stuck before step 4 with a pair across a sign: how to go on.
    if (found && x.acrossSign &&
        (found->cause == Cause::NotYetWorked ||
         (found->cause == Cause::NotComputed && found->step == GreenwichStep)))
        found->text += u' ' + acrossSignHint();
    return found;
}

} // namespace

Comparison compare(const Worked &w, const Problem &p, const Astro::ExactSolarReturn &exact)
{
    Comparison c = comparisonOf(w, p, exact);
    c.acrossSign = Astro::signIndex(exact.position1) != Astro::signIndex(exact.position2);
    Context x{w, p, exact, c};
    x.off1 = Astro::arcAhead(c.hand1, exact.position1);
    x.off2 = Astro::arcAhead(c.hand2, exact.position2);
    x.tolerance = w.task ? 0 : ReadingTolerance;
    x.acrossSign = c.acrossSign;

    QStringList text;
    if (const Found found = firstFinding(x)) {
        c.cause = found->cause;
        c.step = found->step;
        text << found->text;
    } else {
        c.cause = Cause::Right;
        c.step = -1;
        text << rightFinding(x);
    }
    // The Solar is given in the zone where the person lives in the Solar year.
    if (!p.zone && c.zoneHours != 1)
        text << QStringLiteral("Gerechnet mit der Zeitzone %1; für einen Wohnort in Deutschland "
                               "gilt +1.")
                    .arg(Notation::zone(c.zoneHours));
    c.finding = text.join(u' ');
    return c;
}

QList<CheckRow> comparisonRows(const Comparison &c)
{
    QList<CheckRow> list;
    const auto position = [&c](const QString &caption, qint32 hand, qint32 exact) {
        return CheckRow{caption, Astro::positionText(hand), Astro::positionText(exact),
                        Notation::arcDeviation(Astro::arcAhead(hand, exact))};
    };
    list << position(QStringLiteral("Sonnenstand 1. Datum"), c.hand1, c.exact.position1);
    list << position(QStringLiteral("Sonnenstand 2. Datum"), c.hand2, c.exact.position2);

    // Every time deviation is between whole moments, dates included.
    CheckRow greenwich{QStringLiteral("Uhrzeit Greenwich"), dash(),
                       Notation::clock(secondOfDay(c.exactUtc)), QString()};
    if (c.handGreenwich) {
        greenwich.yours =
            Notation::clock(c.exact.date1.startOfDay(QTimeZone::utc()).secsTo(*c.handGreenwich));
        if (c.greenwichCurrent)
            greenwich.deviation = Notation::timeDeviation(c.exactUtc.secsTo(*c.handGreenwich));
        else
            greenwich.yours += notCurrent();
    }
    list << greenwich;

    CheckRow final{QStringLiteral("Uhrzeit des Solars"), dash(),
                   Notation::clock(secondOfDay(c.exactLocal)), QString()};
    if (c.finalSeconds) {
        final.yours = Notation::clock(*c.finalSeconds);
        if (!c.finalCurrent)
            final.yours += notCurrent();
        else if (c.handFinal)
            final.deviation = Notation::timeDeviation(c.exactLocal.secsTo(*c.handFinal));
        else
            final.deviation = QStringLiteral("Datum fehlt");
    }
    list << final;

    CheckRow date{QStringLiteral("Datum des Solars"), c.solarDateTyped,
                  Notation::date(c.exactLocal.date()), QString()};
    if (c.solarDate) {
        const qint64 days = c.exactLocal.date().daysTo(*c.solarDate);
        if (days != 0)
            date.deviation = Notation::dayDeviation(days);
    }
    list << date;
    return list;
}

} // namespace Solar
