#include "solar/solarsteps.h"

#include "core/numbers.h"

#include <cmath>

using namespace Core;

namespace Solar {

namespace {

// The largest difference of Sun positions that one day can bring: 1°05'00''.
constexpr qint32 MaximalDifference = 3900;
constexpr double HoursPerDay = 24.0;

StepMessage tooLarge()
{
    return {QStringLiteral("Differenz zu groß, sie darf maximal 1°05' betragen.")};
}

// A sum of hours that is no longer a finite number cannot be shown.
double checkedSum(double a, double b)
{
    const double sum = a + b;
    if (!std::isfinite(sum))
        throw Overflow();
    return sum;
}

} // namespace

StepResult<SexagesimalTriple> sunMotion(const Sexagesimal &date1, const Sexagesimal &date2)
{
    return guarded([&]() -> StepResult<SexagesimalTriple> {
        const qint32 first = date1.totalSeconds();
        const qint32 second = date2.totalSeconds();
        if (second < first)
            return StepMessage{QStringLiteral("1. Datum größer als 2. Datum!")};
        const qint32 motion = checkedSubtract(second, first);
        if (motion > MaximalDifference)
            return tooLarge();
        return secondsToTriple(motion);
    });
}

StepResult<SexagesimalTriple> distanceToRadix(const SexagesimalTriple &radix,
                                              const Sexagesimal &date1)
{
    return guarded([&]() -> StepResult<SexagesimalTriple> {
        const qint32 sun = pickersToSeconds(radix);
        const qint32 first = date1.totalSeconds();
        if (sun < first)
            return StepMessage{QStringLiteral("1. Datum größer als Radix-Sonnenposition")};
        const qint32 distance = checkedSubtract(sun, first);
        if (distance > MaximalDifference)
            return tooLarge();
        return secondsToTriple(distance);
    });
}

StepResult<Interpolation> greenwichTime(const Sexagesimal &motion, const Sexagesimal &distance)
{
    return guarded([&]() -> StepResult<Interpolation> {
        Interpolation i;
        i.motion = motion.totalSeconds();
        if (i.motion == 0)
            return StepMessage{QStringLiteral("Nulldivision!")};
        i.distance = distance.totalSeconds();
        // The fraction of the day that the Sun needs for the distance B at the
        // day's motion A. No upper bound: B beyond A gives 24 h or more.
        i.hours = FixedDecimal::fromDouble(static_cast<double>(i.distance) /
                                           static_cast<double>(i.motion) * HoursPerDay);
        i.time = decimalToTriple(i.hours);
        return i;
    });
}

StepResult<Sexagesimal> zoneTime(const Sexagesimal &greenwichTime, double zoneHours)
{
    return guarded([&]() -> StepResult<Sexagesimal> {
        Sexagesimal time = greenwichTime;
        time.units = checkedSum(greenwichTime.units, zoneHours);
        return time.finite();
    });
}

StepResult<Sexagesimal> finalTime(const Sexagesimal &zoneTime, double dayShiftHours)
{
    return guarded([&]() -> StepResult<Sexagesimal> {
        if (!std::isfinite(zoneTime.units))
            throw Overflow();
        Sexagesimal time = zoneTime;
        time.units = zoneTime.units + dayShiftHours;
        // Exactly 24 h is still accepted, whatever the minutes and seconds say.
        if (!(time.units >= 0 && time.units <= 24))
            return StepMessage{QStringLiteral("Maximimal 24 Stunden pro Tag")};
        return time.finite();
    });
}

StepResult<ResultRow> resultRow(const Sexagesimal &date, const Sexagesimal &finalTime)
{
    return guarded([&]() -> StepResult<ResultRow> {
        const FieldTexts d = date.plainTexts();
        const FieldTexts t = finalTime.plainTexts();
        return ResultRow{title(), d[0] + u'.' + d[1] + u'.' + d[2],
                         t[0] + u'h' + t[1] + u'm' + t[2] + u's'};
    });
}

} // namespace Solar
