#include "solar/solarsteps.h"

#include "core/numbers.h"
#include "core/rules.h"

#include <cmath>

using namespace Core;

namespace Solar {

namespace {

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
        if (motion > MostSunMotionPerDay)
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
        if (distance > MostSunMotionPerDay)
            return tooLarge();
        return secondsToTriple(distance);
    });
}

namespace {

// A later position minus an earlier one, with 30° where the later lies in the
// next sign; the same checks as the form's steps on what comes out.
StepResult<SexagesimalTriple> acrossSign(qint32 later, qint32 earlier, const QString &behind)
{
    qint32 difference = checkedSubtract(later, earlier);
    difference += static_cast<qint32>(signCorrection(difference)) * ArcSecondsPerDegree;
    if (difference < 0)
        return StepMessage{behind};
    if (difference > MostSunMotionPerDay)
        return tooLarge();
    return secondsToTriple(difference);
}

} // namespace

StepResult<SexagesimalTriple> sunMotionAcrossSign(const Sexagesimal &date1,
                                                  const Sexagesimal &date2)
{
    return guarded([&]() -> StepResult<SexagesimalTriple> {
        return acrossSign(date2.totalSeconds(), date1.totalSeconds(),
                          QStringLiteral("1. Datum größer als 2. Datum!"));
    });
}

StepResult<SexagesimalTriple> distanceAcrossSign(const SexagesimalTriple &radix,
                                                 const Sexagesimal &date1)
{
    return guarded([&]() -> StepResult<SexagesimalTriple> {
        return acrossSign(pickersToSeconds(radix), date1.totalSeconds(),
                          QStringLiteral("1. Datum größer als Radix-Sonnenposition"));
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
