#include "sternzeit/siderealstate.h"

#include "core/calculation.h"
#include "core/notation.h"
#include "core/numbers.h"
#include "core/rules.h"

#include <cmath>

using namespace Core;
using namespace Core::Operators;

namespace Sidereal {

namespace {

using Notation::clock;

// A whole number of hours as a term: "+ 24 h", "− 1 h", "+ 0 h".
QString hoursTerm(double hours)
{
    return (hours < 0 ? Minus : Plus) + plainNumber(std::fabs(hours)) + QStringLiteral(" h");
}

// A time added to a sum, with its own sign: "+ 0h53m36s", "− 4h56m00s".
QString timeTerm(const Sexagesimal &v)
{
    const auto total = guarded([&]() -> StepResult<qint32> { return v.totalSeconds(); });
    if (total.ok() && total.value() < 0)
        return Minus + Notation::clock(-qint64{total.value()});
    return Plus + clock(v);
}

// A longitude as the head names it: "13°24' O", "74°00' W".
QString longitudeText(const Sexagesimal &longitude, double eastWest)
{
    const auto arcMinutes = guarded([&]() -> StepResult<qint32> {
        return roundToInt32(longitude.units * 60 + longitude.minutes);
    });
    if (!arcMinutes.ok())
        return Notation::angle(longitude);
    return Notation::longitude(eastWest < 0 ? -arcMinutes.value() : arcMinutes.value());
}

// 14h35m00s − 1 h = 13h35m00s; 0h35m00s − 1 h = -0h25m00s + 24 h = 23h35m00s.
QString universalTimeLine(const Entries &e, const Results *r)
{
    QString line = clock(e.civilTime) + hoursTerm(-e.zone);
    if (!r || !r->universalTime)
        return line;
    const UniversalTime &ut = *r->universalTime;
    line += Equals + Notation::clock(ut.unreduced);
    if (ut.dayShift != 0)
        line += hoursTerm(-24.0 * ut.dayShift) + Equals + clock(ut.time);
    return line + QStringLiteral(", Ephemeridentag ") + Notation::date(ut.ephemerisDay);
}

// The share of an hour as the form writes it: "9,8565 s".
QString perHour()
{
    return Notation::decimal(FixedDecimal::fromTenThousandths(ShareTenThousandthsPerHour)) +
           QStringLiteral(" s");
}

using R = Results;
using E = Entries;

// The steps in the order of the calculation, with the birth in Berlin on
// 1 February 1987 at 14.35 Uhr MEZ beside each.
const std::array<StepRule, StepCount> Rules{{
    // 14h35m00s − 1 h = 13h35m00s
    {1,
     u"Weltzeit",
     {},
     true,
     u"Weltzeit",
     [](const E &e) {
         return inputNumbers({&e.birthDate, &e.civilTime}, {e.zone});
     },
     [](const E &e, R &r) {
         return keep(universalTime(e.birthDate, e.civilTime, e.zone), r.universalTime);
     },
     [](const R &r) {
         return r.universalTime ? std::optional(r.universalTime->time) : std::nullopt;
     },
     {{&E::universalTime, 3, u"die Weltzeit"}, {&E::universalTimeOfStep5, 5, u"die Weltzeit"}},
     universalTimeLine},
    // 13h35m00s = 13,5833 h × 9,8565 s = 133,8841 s ≈ 0h02m14s
    {3,
     u"Zuschlag",
     {UniversalTimeStep},
     true,
     u"Zuschlag",
     [](const E &e) { return inputNumbers({&e.universalTime}); },
     [](const E &e, R &r) { return keep(share(e.universalTime), r.share); },
     [](const R &r) { return r.share ? std::optional(r.share->time) : std::nullopt; },
     {{&E::shareOfStep5, 5, u"der Zuschlag"}},
     [](const E &e, const R *r) -> QString {
         if (!r || !r->share)
             return clock(e.universalTime) + Times + perHour();
         return clock(e.universalTime) + Equals + Notation::decimal(r->share->hours) +
                QStringLiteral(" h") + Times + perHour() + Equals +
                Notation::decimal(r->share->seconds) + QStringLiteral(" s \u2248 ") +
                clock(r->share->time);
     }},
    // 13°24' O × 4 m = 0h53m36s
    {4,
     u"Länge in Zeit",
     {},
     true,
     u"Länge in Zeit",
     [](const E &e) { return inputNumbers({&e.longitude}, {e.eastWest}); },
     [](const E &e, R &r) {
         return keep(longitudeInTime(e.longitude, e.eastWest), r.longitudeTime);
     },
     [](const R &r) { return r.longitudeTime; },
     {{&E::longitudeTimeOfStep5, 5, u"die Länge in Zeit"}},
     [](const E &e, const R *r) -> QString {
         const QString terms =
             longitudeText(e.longitude, e.eastWest) + Times + QStringLiteral("4 m");
         return r && r->longitudeTime ? terms + Equals + clock(*r->longitudeTime) : terms;
     }},
    // 8h42m41s + 13h35m00s + 0h02m14s + 0h53m36s = 23h13m31s
    {5,
     u"Summe",
     {UniversalTimeStep, ShareStep, LongitudeStep},
     true,
     nullptr,
     [](const E &e) {
         return inputNumbers({&e.ephemerisOfStep5, &e.universalTimeOfStep5, &e.shareOfStep5,
                              &e.longitudeTimeOfStep5});
     },
     [](const E &e, R &r) {
         return keep(siderealSum(e.ephemerisOfStep5, e.universalTimeOfStep5, e.shareOfStep5,
                                 e.longitudeTimeOfStep5),
                     r.sum);
     },
     [](const R &r) { return r.sum ? std::optional(r.sum->time) : std::nullopt; },
     {{&E::sum, 5, u"die Summe"}},
     [](const E &e, const R *r) -> QString {
         const QString terms = clock(e.ephemerisOfStep5) + timeTerm(e.universalTimeOfStep5) +
                               timeTerm(e.shareOfStep5) + timeTerm(e.longitudeTimeOfStep5);
         return r && r->sum ? terms + Equals + clock(r->sum->time) : terms;
     }},
    // 23h13m31s + 0 h = 23h13m31s
    {5,
     u"Sternzeit im Tag",
     {SumStep},
     true,
     u"Sternzeit der Geburt",
     [](const E &e) { return inputNumbers({&e.sum}, {e.dayHours}); },
     [](const E &e, R &r) { return keep(withinDay(e.sum, e.dayHours), r.siderealTime); },
     [](const R &r) { return r.siderealTime; },
     {},
     [](const E &e, const R *r) -> QString {
         const QString terms = clock(e.sum) + hoursTerm(e.dayHours);
         return r && r->siderealTime ? terms + Equals + clock(*r->siderealTime) : terms;
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
    return t ? clock(*t) : QString();
}

void readHeader(Header &h)
{
    const Sexagesimal date = Sexagesimal::read(h.birthDateTexts);
    h.birthDate = date.complete ? dateOf(date) : std::nullopt;
    h.civilTime = Sexagesimal::read(h.civilTimeTexts);
    h.zone = static_cast<int>(readNumber(h.zoneText));
    h.longitude = Sexagesimal::read({h.longitudeTexts[0], h.longitudeTexts[1], QString()});
    h.longitude.seconds = 0;
    h.eastWest = h.eastWestText == QStringLiteral("W") ? -1 : 1;
    h.ephemeris = Sexagesimal::read(h.ephemerisTexts);
}

int eastLongitudeMinutes(const Header &h)
{
    const double minutes = h.longitude.units * 60 + h.longitude.minutes;
    const int whole = std::isfinite(minutes) && std::fabs(minutes) < 1e6
                          ? static_cast<int>(std::lround(minutes))
                          : 0;
    return h.eastWest < 0 ? -whole : whole;
}

std::optional<QString> State::run(Step step)
{
    const auto message = StepState::run(step);
    if (!message && step == SumStep)
        entries.dayHours = results().sum->dayHours;
    return message;
}

} // namespace Sidereal
