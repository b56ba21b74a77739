#include "solar/solarstate.h"

#include "core/calculation.h"
#include "core/notation.h"
#include "core/numbers.h"

#include <cmath>

using namespace Core;
using namespace Core::Operators;

namespace Solar {

namespace {

using Notation::angle;

// A result as its field shows it once written, and as the field reads back.
std::optional<Sexagesimal> shown(const std::optional<SexagesimalTriple> &t)
{
    return t ? std::optional(Sexagesimal::of(*t)) : std::nullopt;
}

std::optional<Sexagesimal> shown(const std::optional<Sexagesimal> &s)
{
    return s ? std::optional(Sexagesimal::readWithRegionalPoint(s->plainTexts())) : std::nullopt;
}

QString angle(const Sexagesimal &v, const Results *r,
              std::optional<SexagesimalTriple> Results::*slot)
{
    return r && r->*slot ? angle(v) + Equals + Notation::angle(*(r->*slot)) : angle(v);
}

// A term of hours chosen from a list: "+ 1 h", "− 24 h".
QString hours(double value)
{
    return (value >= 0 ? QStringLiteral("+ ") : QStringLiteral("\u2212 ")) +
           plainNumber(std::fabs(value)) + QStringLiteral(" h");
}

// A time as the value its fields stand for: the zone time -1 | 35 | 39 is
// -0h24m21s.
QString timeLine(const QString &caption, const Sexagesimal &time, double term,
                 const std::optional<Sexagesimal> &result)
{
    const QString line = caption + Notation::clock(time) + u' ' + hours(term);
    return result ? line + Equals + Notation::clock(*result) : line;
}

// Step 4 as the hand method writes it: A and B in seconds of arc, then the
// quotient of the day in decimal hours to four places.
QStringList interpolationLines(const Entries &e, const Results *r)
{
    const auto a = guarded([&]() -> StepResult<qint32> { return e.motion.totalSeconds(); });
    const auto b = guarded([&]() -> StepResult<qint32> { return e.distance.totalSeconds(); });
    if (!a.ok() || !b.ok())
        return {};
    QString line = QStringLiteral("Uhrzeit = ") + plainInteger(b.value()) + QStringLiteral("''") +
                   Over + plainInteger(a.value()) + QStringLiteral("''") + Times +
                   QStringLiteral("24 h");
    if (r && r->greenwich)
        line += Equals + Notation::decimal(r->greenwich->hours) + QStringLiteral(" h") + Equals +
                Notation::clock(r->greenwich->time);
    return {QStringLiteral("A = ") + angle(e.motion) + Equals + plainInteger(a.value()) +
                QStringLiteral("'', B = ") + angle(e.distance) + Equals + plainInteger(b.value()) +
                QStringLiteral("''"),
            line};
}

using R = Results;
using E = Entries;

// The steps in the order of the calculation, with the worked example of the
// radix 14°22'30'', date 1 at 13°50'10'', date 2 at 14°47'25'' beside each.
const std::array<StepRule, StepCount> Rules{{
    // A = 14°47'25'' - 13°50'10'' = 0°57'15''
    {2,
     u"Differenz Sonnenbewegung",
     {},
     false,
     u"A",
     [](const E &e) {
         return inputNumbers({&e.date1, &e.date2, &e.motionShown});
     },
     [](const E &e, R &r) { return keep(sunMotion(e.date1, e.date2), r.motion); },
     [](const R &r) { return shown(r.motion); },
     {{&E::motionShown, MotionStep, u"A"}, {&E::motion, GreenwichStep, u"A"}},
     [](const E &e, const R *r) -> QString {
         return QStringLiteral("A = ") + angle(e.date2) + Minus + angle(e.date1, r, &R::motion);
     }},
    // B = 14°22'30'' - 13°50'10'' = 0°32'20''
    {3,
     u"Entfernungswert",
     {},
     false,
     u"B",
     [](const E &e) {
         const Sexagesimal radix = Sexagesimal::of(e.radix);
         return inputNumbers({&radix, &e.date1OfStep3, &e.distanceShown});
     },
     [](const E &e, R &r) { return keep(distanceToRadix(e.radix, e.date1OfStep3), r.distance); },
     [](const R &r) { return shown(r.distance); },
     {{&E::distanceShown, DistanceStep, u"B"}, {&E::distance, GreenwichStep, u"B"}},
     [](const E &e, const R *r) -> QString {
         return QStringLiteral("B = ") + Notation::angle(e.radix) + Minus +
                angle(e.date1OfStep3, r, &R::distance);
     }},
    // 1940'' / 3435'' x 24 h = 13.5546 h = 13h33m17s
    {4,
     u"Uhrzeit Greenwich",
     {MotionStep, DistanceStep},
     true,
     u"B ÷ A × 24 h",
     [](const E &e) {
         return inputNumbers({&e.motion, &e.distance, &e.greenwichShown});
     },
     [](const E &e, R &r) { return keep(greenwichTime(e.motion, e.distance), r.greenwich); },
     [](const R &r) {
         return r.greenwich ? std::optional(Sexagesimal::of(r.greenwich->time)) : std::nullopt;
     },
     {{&E::greenwichShown, GreenwichStep, u"B ÷ A × 24 h"},
      {&E::greenwichTime, ZoneStep, u"die Greenwich-Zeit"}},
     [](const E &e, const R *r) -> QString {
         return interpolationLines(e, r).join(u'\n');
     }},
    // 13h33m17s + 1 h = 14h33m17s
    {5,
     u"Zeitzone",
     {GreenwichStep},
     true,
     u"die Zonenzeit",
     [](const E &e) {
         return inputNumbers({&e.greenwichTime, &e.zoneTime}, {e.zoneHours});
     },
     [](const E &e, R &r) { return keep(zoneTime(e.greenwichTime, e.zoneHours), r.zone); },
     [](const R &r) { return shown(r.zone); },
     {{&E::zoneTime, FinalStep, u"die Zonenzeit"}},
     [](const E &e, const R *r) -> QString {
         return timeLine(QStringLiteral("Zeitzone: "), e.greenwichTime, e.zoneHours,
                         r ? r->zone : std::nullopt);
     }},
    // 14h33m17s + 0 h = 14h33m17s
    {5,
     u"Tageskorrektur",
     {ZoneStep},
     true,
     u"die Uhrzeit des Solars",
     [](const E &e) {
         return inputNumbers({&e.zoneTime, &e.finalTime}, {e.dayShiftHours});
     },
     [](const E &e, R &r) { return keep(finalTime(e.zoneTime, e.dayShiftHours), r.final); },
     [](const R &r) { return shown(r.final); },
     {{&E::finalTime, FinalStep, u"die Uhrzeit des Solars"}},
     [](const E &e, const R *r) -> QString {
         return timeLine(QStringLiteral("Tageskorrektur: "), e.zoneTime, e.dayShiftHours,
                         r ? r->final : std::nullopt);
     }},
}};

} // namespace

const StepRule &rule(int step)
{
    return Rules.at(static_cast<std::size_t>(step));
}

std::optional<int> wholeNumber(const QString &text)
{
    if (text.trimmed().isEmpty())
        return std::nullopt;
    const double value = readNumber(text);
    if (!std::isfinite(value) || value != std::floor(value) || std::fabs(value) > 1e6)
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<QDate> dateOf(const FieldTexts &texts)
{
    const auto day = wholeNumber(texts[0]);
    const auto month = wholeNumber(texts[1]);
    const auto year = wholeNumber(texts[2]);
    if (!day || !month || !year)
        return std::nullopt;
    const QDate date(*year, *month, *day);
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

bool reads(const Entries &entries, const Results &results, int step, int earlier)
{
    const StepRule &r = rule(earlier);
    const std::optional<Sexagesimal> result = r.shown(results);
    if (!result)
        return false;
    for (const Copy &copy : r.copies) {
        const Sexagesimal &held = entries.*copy.entry;
        if (copy.readBy == step && !held.sameValue(*result))
            return false;
    }
    return true;
}

StepResult<SexagesimalTriple> acrossSign(int step, const Entries &e)
{
    return step == MotionStep ? sunMotionAcrossSign(e.date1, e.date2)
                              : distanceAcrossSign(e.radix, e.date1OfStep3);
}

bool carriesAcrossSign(int step, const Entries &e)
{
    const bool motion = step == MotionStep;
    const Sexagesimal later = motion ? e.date2 : Sexagesimal::of(e.radix);
    const Sexagesimal &earlier = motion ? e.date1 : e.date1OfStep3;
    const auto carried = guarded(
        [&]() -> StepResult<bool> { return later.totalSeconds() < earlier.totalSeconds(); });
    return carried.ok() && carried.value();
}

QString acrossSignEquation(int step, const Entries &e)
{
    const bool motion = step == MotionStep;
    const Sexagesimal later = motion ? e.date2 : Sexagesimal::of(e.radix);
    const Sexagesimal &earlier = motion ? e.date1 : e.date1OfStep3;
    QString equation = (motion ? QStringLiteral("A = ") : QStringLiteral("B = ")) + angle(later) +
                       (carriesAcrossSign(step, e) ? QStringLiteral(" + 30°") : QString()) + Minus +
                       angle(earlier);
    const StepResult<SexagesimalTriple> result = acrossSign(step, e);
    if (result.ok())
        equation += Equals + Notation::angle(result.value());
    return equation;
}

} // namespace Solar
