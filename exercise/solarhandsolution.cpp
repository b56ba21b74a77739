#include "exercise/solarhandsolution.h"

#include "astro/solarreturn.h"
#include "astro/zodiac.h"
#include "core/numbers.h"
#include "core/rules.h"
#include "solar/solarstate.h"

namespace Exercise {

using namespace Core;

namespace {

// A position within its sign as the student reads it off the page: degrees
// 0-29, minutes, seconds of arc.
SexagesimalTriple withinSign(qint32 position)
{
    return secondsToTriple(position % ArcSecondsPerSign);
}

// A clock time as the form's fields show it, whole hours, minutes, seconds.
SexagesimalTriple tripleOf(const Sexagesimal &time)
{
    return {roundToInt16(time.units), roundToInt16(time.minutes), roundToInt16(time.seconds)};
}

// The day shift the student chooses: the form lets an hour of exactly 24
// through with "+0h", but 24 h is already the next day's 0 h, so the student
// shifts from 24 h on; below 0 h a day is added.
double dayShiftFor(const Sexagesimal &zoneTime)
{
    return zoneTime.units >= 24 ? -24.0 : zoneTime.units < 0 ? 24.0 : 0.0;
}

} // namespace

std::optional<SolarHandSolution> solarHandSolution(const EphemerisPair &pair, qint32 radix,
                                                   int zone)
{
    if (!Astro::encloses(pair.position1, pair.position2, radix))
        return std::nullopt;
    const bool acrossSign = Astro::signIndex(pair.position1) != Astro::signIndex(pair.position2);

    // The student's picks, pressed on the calculator's own state: date 1 and
    // date 2 go into steps 2 and 3 within their sign, the radix Sun into the
    // pickers of step 3.
    Solar::State st;
    Solar::Entries &e = st.entries;
    e.date1 = e.date1OfStep3 = Sexagesimal::of(withinSign(pair.position1));
    e.date2 = Sexagesimal::of(withinSign(pair.position2));
    e.radix = withinSign(radix);
    e.zoneHours = zone;
    // Across a sign the steps that refuse the pair are worked by hand: A and
    // B with 30° carried go into step 4's fields.
    for (const Solar::Step step : {Solar::MotionStep, Solar::DistanceStep}) {
        if (st.run(step) && !acrossSign)
            return std::nullopt;
    }
    if (acrossSign) {
        const auto motion = Solar::acrossSign(Solar::MotionStep, e);
        const auto distance = Solar::acrossSign(Solar::DistanceStep, e);
        if (!motion.ok() || !distance.ok())
            return std::nullopt;
        e.motion = Sexagesimal::of(motion.value());
        e.distance = Sexagesimal::of(distance.value());
    }
    for (const Solar::Step step : {Solar::GreenwichStep, Solar::ZoneStep}) {
        if (st.run(step))
            return std::nullopt;
    }
    e.dayShiftHours = dayShiftFor(e.zoneTime);
    if (st.run(Solar::FinalStep))
        return std::nullopt;

    const Solar::Results &r = st.results();
    SolarHandSolution solution;
    solution.entries = e;
    solution.results = r;
    solution.motion = tripleOf(e.motion);
    solution.distance = tripleOf(e.distance);
    solution.acrossSign = acrossSign;
    solution.radixInSecondSign = Astro::signIndex(radix) != Astro::signIndex(pair.position1);
    solution.decimalHours = r.greenwich->hours;
    solution.greenwich = r.greenwich->time;
    solution.zoneTime = tripleOf(*r.zone);
    solution.nextDay = e.dayShiftHours < 0;
    solution.previousDay = e.dayShiftHours > 0;
    solution.clock = tripleOf(*r.final);
    solution.date = pair.date1.addDays(solution.nextDay ? 1 : solution.previousDay ? -1 : 0);
    return solution;
}

} // namespace Exercise
