#include "rekti/rectificationstate.h"

#include "core/calculation.h"
#include "core/calendar.h"
#include "core/notation.h"
#include "core/numbers.h"
#include "core/rules.h"

#include <cmath>

using namespace Core;
using namespace Core::Operators;

namespace Rectification {

namespace {

using Notation::angle;
using Notation::clock;

// A correction chosen from a list as a term: "+ 30°", "− 24 h", "+ 0°".
QString term(double value, const QString &unit)
{
    return (value < 0 ? Minus : Plus) + plainNumber(std::fabs(value)) + unit;
}

// Arc to time as steps 3 and 7 write it: the arc, its decimal degrees times
// 4 minutes, the decimal hours, the time.
QString arcToTime(const Sexagesimal &arc, const std::optional<ArcTime> &time)
{
    QString line = angle(arc) + Times + QStringLiteral("4 m");
    if (time)
        line = angle(arc) + Equals + Notation::decimal(time->degrees) + u'°' + Times +
               QStringLiteral("4 m") + Equals + Notation::decimal(time->hours) +
               QStringLiteral(" h") + Equals + clock(time->time);
    return line;
}

// A difference of step 5. One that comes out negative is taken as it
// stands, without its sign: the sheet writes it between bars.
QString difference(const Sexagesimal &a, const Sexagesimal &b, double correction,
                   const std::optional<SexagesimalTriple> &result)
{
    QString terms = angle(a) + Minus + angle(b) + term(correction, QStringLiteral("°"));
    const auto x = guarded([&]() -> StepResult<qint32> { return a.totalSeconds(); });
    const auto y = guarded([&]() -> StepResult<qint32> { return b.totalSeconds(); });
    if (x.ok() && y.ok() && double(x.value()) - double(y.value()) + correction * 3600.0 < 0)
        terms = u'|' + terms + u'|';
    return result ? terms + Equals + angle(*result) : terms;
}

template <typename T>
QString withResult(const QString &terms, const Results *r, std::optional<T> Results::*slot,
                   QString (*written)(const T &))
{
    return r && (r->*slot) ? terms + Equals + written(*(r->*slot)) : terms;
}

std::optional<SexagesimalTriple> none(const Results &)
{
    return std::nullopt;
}

using R = Results;
using E = Entries;

// The steps in the order of the calculation, with the examination's worked
// example of 34 years and 120 days beside each.
const std::array<StepRule, StepCount> Rules{{
    // 120 / 365 + 34 = 34.3287671232877 years
    {2,
     u"Dezimaljahre",
     {},
     false,
     nullptr,
     [](const E &e) {
         return StepLedger::Inputs{e.age.years, e.age.days};
     },
     [](const E &e, R &r) { return keep(decimalYears(e.age), r.decimalYears); },
     none,
     {},
     [](const E &e, const R *r) -> QString {
         const QString terms = plainNumber(e.age.years) + QStringLiteral(" Jahre ") +
                               plainNumber(e.age.days) + QStringLiteral(" Tage") + Equals +
                               plainNumber(e.age.days) + Over + plainNumber(DaysPerYear) + Plus +
                               plainNumber(std::nearbyint(e.age.years));
         return r && r->decimalYears
                    ? terms + Equals + plainNumber(*r->decimalYears) + QStringLiteral(" Jahre")
                    : terms;
     }},
    // x 0°59'08'' = 33°49'58''
    {2,
     u"Direktionsbogen",
     {DecimalYearsStep},
     false,
     u"Direktionsbogen",
     [](const E &e) { return StepLedger::Inputs{e.decimalYears}; },
     [](const E &e, R &r) { return keep(directionArc(e.decimalYears), r.arc); },
     [](const R &r) { return r.arc; },
     {{&E::directionArc, 3, u"der Direktionsbogen"}, {&E::arcOfStep6, 6, u"der Direktionsbogen"}},
     [](const E &e, const R *r) -> QString {
         return withResult(plainNumber(e.decimalYears) + Times +
                               Notation::angle(NaibodArcSecondsPerYear),
                           r, &R::arc, angle);
     }},
    // 33.8328° x 4 m = 2.2555 h = 2h15m20s
    {3,
     u"Bogen in Zeit",
     {ArcStep},
     true,
     u"Direktionsbogen in Zeit",
     [](const E &e) { return inputNumbers({&e.directionArc}); },
     [](const E &e, R &r) { return keep(arcInTime(e.directionArc), r.arcInTime); },
     [](const R &r) { return r.arcInTime ? std::optional(r.arcInTime->time) : std::nullopt; },
     {{&E::arcInTime, 4, u"der Bogen in Zeit"}},
     [](const E &e, const R *r) -> QString {
         return arcToTime(e.directionArc, r ? r->arcInTime : std::nullopt);
     }},
    // 22h50m00s + 2h15m20s = 25h05m20s
    {4,
     u"Sternzeit",
     {ArcTimeStep},
     true,
     nullptr,
     [](const E &e) {
         return inputNumbers({&e.birthSiderealTime, &e.arcInTime});
     },
     [](const E &e, R &r) {
         return keep(eventSiderealTime(e.birthSiderealTime, e.arcInTime), r.sum);
     },
     [](const R &r) { return r.sum ? std::optional(r.sum->time) : std::nullopt; },
     {{&E::eventSiderealTime, 4, u"die Sternzeit des Ereignisses"}},
     [](const E &e, const R *r) -> QString {
         const QString terms = clock(e.birthSiderealTime) + Plus + clock(e.arcInTime);
         return r && r->sum ? terms + Equals + clock(r->sum->time) : terms;
     }},
    // 25h05m20s - 24 h = 1h05m20s
    {4,
     u"Sternzeit am Tag",
     {SumStep},
     true,
     u"Sternzeit des Ereignisses",
     [](const E &e) { return inputNumbers({&e.eventSiderealTime}, {e.dayHours}); },
     [](const E &e, R &r) {
         return keep(siderealTimeWithinDay(e.eventSiderealTime, e.dayHours), r.withinDay);
     },
     [](const R &r) { return r.withinDay; },
     {},
     [](const E &e, const R *r) -> QString {
         return withResult(clock(e.eventSiderealTime) + term(e.dayHours, QStringLiteral(" h")), r,
                           &R::withinDay, clock);
     }},
    // 15°20'00'' - 14°18'30'' + 0° = 1°01'30''
    {5,
     u"Tabellendifferenz",
     {},
     false,
     nullptr,
     [](const E &e) {
         return inputNumbers({&e.greaterTableValue, &e.smallerTableValue}, {e.firstSignCorrection});
     },
     [](const E &e, R &r) {
         return keep(
             tableDifference(e.greaterTableValue, e.smallerTableValue, e.firstSignCorrection),
             r.tableStep);
     },
     [](const R &r) { return r.tableStep; },
     {{&E::tableStep, 5, u"die Tabellendifferenz"}},
     [](const E &e, const R *r) -> QString {
         return difference(e.greaterTableValue, e.smallerTableValue, e.firstSignCorrection,
                           r ? r->tableStep : std::nullopt);
     }},
    {5,
     u"Differenz zum Planeten",
     {},
     false,
     nullptr,
     [](const E &e) {
         return inputNumbers({&e.correctedTableValue, &e.smallerTableValue2},
                             {e.secondSignCorrection});
     },
     [](const E &e, R &r) {
         return keep(
             tableDifference(e.correctedTableValue, e.smallerTableValue2, e.secondSignCorrection),
             r.towardsPlanet);
     },
     [](const R &r) { return r.towardsPlanet; },
     {{&E::towardsPlanet, 5, u"die Differenz zum Planeten"}},
     [](const E &e, const R *r) -> QString {
         return difference(e.correctedTableValue, e.smallerTableValue2, e.secondSignCorrection,
                           r ? r->towardsPlanet : std::nullopt);
     }},
    // 0°31'40'' / 1°01'30'' = 1900'' / 3690'' = 0,5149 = 0°30'54''
    {5,
     u"Quotient",
     {TableStepStep, TowardsPlanetStep},
     false,
     u"Ergebnis der Differenzwerte",
     [](const E &e) {
         return inputNumbers({&e.towardsPlanet, &e.tableStep});
     },
     [](const E &e, R &r) {
         return keep(tableInterpolation(e.towardsPlanet, e.tableStep), r.quotient);
     },
     [](const R &r) { return r.quotient ? std::optional(r.quotient->asAngle) : std::nullopt; },
     {{&E::quotient, 6, u"der Quotient"}},
     [](const E &e, const R *r) -> QString {
         QString line = angle(e.towardsPlanet) + Over + angle(e.tableStep);
         if (r && r->quotient)
             line += Equals + plainInteger(r->quotient->towards) + QStringLiteral("''") + Over +
                     plainInteger(r->quotient->step) + QStringLiteral("''") + Equals +
                     Notation::decimal(r->quotient->value) + Equals + angle(r->quotient->asAngle);
         return line;
     }},
    // 123° + 0°30'54'' = 123°30'54''
    {6,
     u"RAMC plus Quotient",
     {QuotientStep},
     false,
     nullptr,
     [](const E &e) { return inputNumbers({&e.quotient}, {e.ramc}); },
     [](const E &e, R &r) {
         return keep(ramcPlusQuotient(e.ramc, e.quotient), r.ramcPlusQuotient);
     },
     [](const R &r) { return r.ramcPlusQuotient; },
     {{&E::ramcPlusQuotient, 6, u"RAMC plus Quotient"}},
     [](const E &e, const R *r) -> QString {
         return withResult(plainNumber(e.ramc) + u'°' + Plus + angle(e.quotient), r,
                           &R::ramcPlusQuotient, angle);
     }},
    // 123°30'54'' - 33°49'58'' + 0° = 89°40'56''
    {6,
     u"korrigierte RAMC",
     {RamcSumStep, ArcStep},
     false,
     u"korrigierte RAMC",
     [](const E &e) {
         return inputNumbers({&e.ramcPlusQuotient, &e.arcOfStep6}, {e.circleCorrection});
     },
     [](const E &e, R &r) {
         return keep(correctedRamc(e.ramcPlusQuotient, e.arcOfStep6, e.circleCorrection),
                     r.correctedRamc);
     },
     [](const R &r) { return r.correctedRamc; },
     {{&E::correctedRamc, 7, u"die korrigierte RAMC"}},
     [](const E &e, const R *r) -> QString {
         return withResult(angle(e.ramcPlusQuotient) + Minus + angle(e.arcOfStep6) +
                               term(e.circleCorrection, QStringLiteral("°")),
                           r, &R::correctedRamc, angle);
     }},
    // 89.6822° x 4 m = 5.9788 h = 5h58m44s
    {7,
     u"korrigierte RAMC in Zeit",
     {CorrectedRamcStep},
     true,
     u"korrigierte RAMC in Zeit",
     [](const E &e) { return inputNumbers({&e.correctedRamc}); },
     [](const E &e, R &r) { return keep(ramcInTime(e.correctedRamc), r.ramcInTime); },
     [](const R &r) { return r.ramcInTime ? std::optional(r.ramcInTime->time) : std::nullopt; },
     {{&E::ramcInTime, 7, u"die korrigierte RAMC in Zeit"}},
     [](const E &e, const R *r) -> QString {
         return arcToTime(e.correctedRamc, r ? r->ramcInTime : std::nullopt);
     }},
    // 5h58m44s - 6h02m10s = -0h03m26s
    {8,
     u"Zeitdifferenz",
     {RamcTimeStep},
     true,
     u"gesuchte Zeitdifferenz",
     [](const E &e) {
         return inputNumbers({&e.ramcInTime, &e.birthSiderealTimeOfStep8});
     },
     [](const E &e, R &r) {
         return keep(birthTimeCorrection(e.ramcInTime, e.birthSiderealTimeOfStep8), r.correction);
     },
     [](const R &r) { return r.correction; },
     {{&E::correction, 8, u"die Zeitdifferenz"}},
     [](const E &e, const R *r) -> QString {
         return withResult(clock(e.ramcInTime) + Minus + clock(e.birthSiderealTimeOfStep8), r,
                           &R::correction, clock);
     }},
}};

} // namespace

const StepRule &rule(int step)
{
    return Rules.at(static_cast<std::size_t>(step));
}

QString shownText(int step, const Results &results)
{
    const auto t = rule(step).shown(results);
    if (!t)
        return {};
    return rule(step).isTime ? clock(*t) : angle(*t);
}

void readHeader(Header &h, const FieldTexts &birthDate)
{
    h.birthDate = QDate(birthDate[2].toInt(), birthDate[1].toInt(), birthDate[0].toInt());
    h.eventOn = typedDate(h.eventDate);
    h.birthSidereal = Sexagesimal::read(h.birthSiderealTime);
    h.typedAge = {readNumber(h.age[0]), readNumber(h.age[1])};
    const auto row = [](const std::array<QString, 2> &r) -> std::optional<Sexagesimal> {
        if (r[0].trimmed().isEmpty() || r[1].trimmed().isEmpty())
            return std::nullopt;
        return Sexagesimal::read({r[0], r[1], QString()});
    };
    h.smallerRowTime = row(h.smallerRow);
    h.greaterRowTime = row(h.greaterRow);
}

std::optional<QString> State::run(Step step)
{
    const auto message = StepState::run(step);
    if (message)
        return message;
    if (step == DecimalYearsStep)
        entries.decimalYears = asWritten(*results().decimalYears);
    if (step == SumStep)
        entries.dayHours = results().sum->beyondADay ? -24.0 : 0.0;
    return std::nullopt;
}

} // namespace Rectification
