#include "exercise/solarhandsolution.h"

#include "astro/zodiac.h"
#include "core/numbers.h"
#include "solar/solarsteps.h"

namespace Exercise {

using namespace Core;

namespace {

// A position within its sign as the student reads it off the page: degrees
// 0-29, minutes, seconds of arc.
SexagesimalTriple withinSign(qint32 position)
{
    return secondsToTriple(position % Astro::ArcSecondsPerSign);
}

// A clock time as the form's fields show it, whole hours, minutes, seconds.
SexagesimalTriple tripleOf(const Sexagesimal &time)
{
    return {roundToInt16(time.units), roundToInt16(time.minutes), roundToInt16(time.seconds)};
}

} // namespace

std::optional<SolarHandSolution> solarHandSolution(const EphemerisPair &pair, qint32 radix,
                                                   int zone)
{
    if (pair.position1 / Astro::ArcSecondsPerSign != pair.position2 / Astro::ArcSecondsPerSign ||
        radix < pair.position1 || radix >= pair.position2)
        return std::nullopt;

    // The student's picks: date 1 and date 2 go into steps 2 and 3 within
    // their sign, the radix Sun into the pickers of step 3.
    const Sexagesimal date1 = Sexagesimal::of(withinSign(pair.position1));
    const Sexagesimal date2 = Sexagesimal::of(withinSign(pair.position2));
    const auto motion = Solar::sunMotion(date1, date2);
    if (!motion.ok())
        return std::nullopt;
    const auto distance = Solar::distanceToRadix(withinSign(radix), date1);
    if (!distance.ok())
        return std::nullopt;
    const auto greenwich =
        Solar::greenwichTime(Sexagesimal::of(motion.value()), Sexagesimal::of(distance.value()));
    if (!greenwich.ok())
        return std::nullopt;
    const auto zoneTime = Solar::zoneTime(Sexagesimal::of(greenwich.value()), zone);
    if (!zoneTime.ok())
        return std::nullopt;

    SolarHandSolution solution;
    solution.motion = motion.value();
    solution.distance = distance.value();
    solution.greenwich = greenwich.value();
    solution.zoneTime = tripleOf(zoneTime.value());
    // Step 4 shows only the clock time; the decimal hours from which it comes
    // are B / A x 24 in double precision, rounded to four places.
    solution.decimalHours =
        FixedDecimal::fromDouble(static_cast<double>(pickersToSeconds(solution.distance)) /
                                 static_cast<double>(pickersToSeconds(solution.motion)) * 24.0);

    // The form lets an hour of exactly 24 through with "+0h", but 24 h is
    // already the next day's 0 h: the student shifts from 24 h on.
    solution.nextDay = solution.zoneTime.units >= 24;
    solution.previousDay = solution.zoneTime.units < 0;
    const double shift = solution.nextDay ? -24.0 : solution.previousDay ? 24.0 : 0.0;
    const auto clock = Solar::finalTime(zoneTime.value(), shift);
    if (!clock.ok())
        return std::nullopt;
    solution.clock = tripleOf(clock.value());
    solution.date = pair.date1.addDays(solution.nextDay ? 1 : solution.previousDay ? -1 : 0);
    return solution;
}

} // namespace Exercise
