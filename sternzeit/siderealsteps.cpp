#include "sternzeit/siderealsteps.h"

#include "core/numbers.h"
#include "core/rules.h"

#include <cmath>

using namespace Core;

namespace Sidereal {

namespace {

bool whole(double value)
{
    return std::isfinite(value) && value == std::floor(value);
}

StepMessage invalidTime()
{
    return {QStringLiteral("Zeit ungültig!")};
}

// A sidereal or universal time of the day: 0 h to 23 h 59 m 59 s, each part
// within its range.
bool timeOfDay(const Sexagesimal &time)
{
    return !time.timeOutOfRange() && time.units >= 0 && time.minutes >= 0 && time.seconds >= 0;
}

} // namespace

std::optional<QDate> dateOf(const Sexagesimal &typed)
{
    if (!whole(typed.units) || !whole(typed.minutes) || !whole(typed.seconds))
        return std::nullopt;
    // The years the main window takes, and none before the calendar's year 1.
    if (typed.seconds < 1 || typed.seconds > 3000 || typed.minutes < 1 || typed.minutes > 12 ||
        typed.units < 1 || typed.units > 31)
        return std::nullopt;
    const QDate date(static_cast<int>(typed.seconds), static_cast<int>(typed.minutes),
                     static_cast<int>(typed.units));
    return date.isValid() ? std::optional(date) : std::nullopt;
}

// 0h35m00s MEZ on 2 January: 0h35m00s - 1 h = -0h25m00s, 23h35m00s on 1 January.
StepResult<UniversalTime> universalTime(const Sexagesimal &birthDate, const Sexagesimal &civilTime,
                                        double zone)
{
    return guarded([&]() -> StepResult<UniversalTime> {
        const std::optional<QDate> date = dateOf(birthDate);
        if (!date)
            return StepMessage{QStringLiteral("Datum ungültig!")};
        if (!timeOfDay(civilTime))
            return invalidTime();
        if (!whole(zone) || zone < WestmostZone || zone > EastmostZone)
            return StepMessage{QStringLiteral("Zeitzone ungültig!")};
        UniversalTime ut;
        ut.unreduced = checkedSubtract(civilTime.totalSeconds(), roundToInt32(zone * 3600));
        ut.dayShift = ut.unreduced < 0 ? -1 : ut.unreduced >= SecondsPerDay ? 1 : 0;
        ut.time = secondsToTriple(ut.unreduced - ut.dayShift * SecondsPerDay);
        ut.ephemerisDay = date->addDays(ut.dayShift);
        return ut;
    });
}

// 13h35m00s = 13,5833 h; 48 900 s x 9,8565 s / 3600 s = 133,8841 s -> 134 s.
StepResult<Share> share(const Sexagesimal &universalTime)
{
    return guarded([&]() -> StepResult<Share> {
        if (!timeOfDay(universalTime))
            return invalidTime();
        const qint64 seconds = universalTime.totalSeconds();
        Share s;
        s.hours = secondsToDecimal(static_cast<qint32>(seconds));
        // seconds x 98 565 / 3600 ten-thousandths of a second, the last to the
        // nearest, a half up.
        const qint64 scaled = seconds * ShareTenThousandthsPerHour;
        s.seconds = FixedDecimal::fromTenThousandths((scaled + 1800) / 3600);
        s.time = secondsToTriple(static_cast<qint32>(siderealShare(seconds)));
        return s;
    });
}

// 13°24' O: 13 x 4 m + 24 x 4 s = 53m36s; 74°00' W: -4h56m00s.
StepResult<SexagesimalTriple> longitudeInTime(const Sexagesimal &longitude, double eastWest)
{
    return guarded([&]() -> StepResult<SexagesimalTriple> {
        if (longitude.units < 0 || longitude.minutes < 0 || longitude.minutes > 59 ||
            longitude.seconds != 0 || (eastWest != 1 && eastWest != -1))
            return StepMessage{QStringLiteral("Winkel ungültig!")};
        const qint32 arcMinutes = roundToInt32(longitude.units * 60 + longitude.minutes);
        if (arcMinutes > MaxLongitudeDegrees * 60)
            return StepMessage{QStringLiteral("Die Länge ist maximal 180° möglich!")};
        const qint32 seconds = arcMinutes * TimeSecondsPerArcMinute;
        return secondsToTriple(eastWest < 0 ? -seconds : seconds);
    });
}

double dayHoursFor(qint64 sumSeconds)
{
    if (sumSeconds < 0)
        return 24;
    if (sumSeconds >= 2 * SecondsPerDay)
        return -48;
    return sumSeconds >= SecondsPerDay ? -24 : 0;
}

StepResult<SiderealSum> siderealSum(const Sexagesimal &ephemeris, const Sexagesimal &universalTime,
                                    const Sexagesimal &share, const Sexagesimal &longitudeTime)
{
    return guarded([&]() -> StepResult<SiderealSum> {
        if (!timeOfDay(ephemeris))
            return invalidTime();
        qint32 sum = checkedAdd(ephemeris.totalSeconds(), universalTime.totalSeconds());
        sum = checkedAdd(sum, share.totalSeconds());
        sum = checkedAdd(sum, longitudeTime.totalSeconds());
        return SiderealSum{secondsToTriple(sum), dayHoursFor(sum)};
    });
}

StepResult<SexagesimalTriple> withinDay(const Sexagesimal &sum, double dayHours)
{
    return guarded([&]() -> StepResult<SexagesimalTriple> {
        const qint32 r = checkedAdd(sum.totalSeconds(), roundToInt32(dayHours * 3600));
        if (r < 0 || r >= SecondsPerDay)
            return StepMessage{QStringLiteral("Die Sternzeit muss zwischen 0h und 24h liegen!")};
        return secondsToTriple(r);
    });
}

StepResult<ResultRow> resultRow(const Sexagesimal &birthDate, const Sexagesimal &siderealTime)
{
    return guarded([&]() -> StepResult<ResultRow> {
        const FieldTexts d = birthDate.plainTexts();
        const FieldTexts t = siderealTime.plainTexts();
        return ResultRow{title(), d[0] + u'.' + d[1] + u'.' + d[2],
                         t[0] + u'h' + t[1] + u'm' + t[2] + u's'};
    });
}

} // namespace Sidereal
