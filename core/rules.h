#ifndef CORE_RULES_H
#define CORE_RULES_H

#include <QtGlobal>

#include <cmath>

// The constants and small rules of the two hand calculations, each written
// once for the calculators, their checks, the sheets and the exercises.
namespace Core {

// A day of 86 400 seconds of time, a degree of 3600 seconds of arc.
constexpr qint32 SecondsPerDay = 86'400;
constexpr qint32 ArcSecondsPerDegree = 3600;
constexpr qint32 ArcSecondsPerSign = 30 * ArcSecondsPerDegree;
constexpr qint32 ArcSecondsPerCircle = 360 * ArcSecondsPerDegree;

// The Sun moves between 0°57' and 1°01' a day: a difference of two Sun
// positions beyond 1°05'00'' is not that of two consecutive ephemeris days.
constexpr qint32 MostSunMotionPerDay = 3900; // seconds of arc

// The Naibod key: the Sun's mean daily motion, 0°59'08'' of arc, taken as
// the arc by which the axes are directed for each year of life.
constexpr qint32 NaibodArcSecondsPerYear = 59 * 60 + 8;
constexpr double NaibodDegreesPerYear = NaibodArcSecondsPerYear / 3600.0;
// The age in decimal years counts the days since the last birthday in a
// year of 365 days.
constexpr double DaysPerYear = 365.0;

// One degree of right ascension passes the meridian in 4 minutes of sidereal
// time: RAMC in degrees × 4 minutes is the sidereal time, 240 s a degree.
constexpr qint32 SiderealSecondsPerDegree = 240;
constexpr double HoursPerDegree = 4.0 / 60.0;
// A house table prints a row every 4 minutes of sidereal time: one degree
// of RAMC.
constexpr qint32 HouseTableRowStep = SiderealSecondsPerDegree;

// A sidereal day is shorter than a civil one: 1.0027379 seconds of sidereal
// time pass in a second of mean solar (civil) time.
constexpr double SiderealPerCivil = 1.00273790935;

// The sidereal time of birth. A sidereal day is 3 m 56 s shorter than a civil
// one, so the sidereal clock gains on the civil one: 9,8565 s on each hour of
// universal time, held here in ten-thousandths of a second.
constexpr qint64 ShareTenThousandthsPerHour = 98'565;
// The hand method's 9,8565 s is that ratio's gain in an hour, rounded.
static_assert(ShareTenThousandthsPerHour ==
              static_cast<qint64>((SiderealPerCivil - 1) * 3600 * 10'000 + 0.5));

// The share gained over an interval of universal time, to the whole second,
// a half second up: 13h35m00s give 133,8838 s, taken as 134 s. Counted in
// whole numbers, so that no half second is lost to a binary fraction.
constexpr qint64 siderealShare(qint64 seconds)
{
    constexpr qint64 perSecond = 3600 * 10'000; // the share of a second in these units
    const qint64 scaled = seconds * ShareTenThousandthsPerHour + perSecond / 2;
    const qint64 whole = scaled / perSecond;
    return scaled % perSecond < 0 ? whole - 1 : whole;
}

// A place's longitude in time: the Earth turns 15° an hour, so 4 minutes of
// time per degree (SiderealSecondsPerDegree) and 4 seconds per minute of arc,
// east of Greenwich added, west taken off.
constexpr qint32 TimeSecondsPerArcMinute = SiderealSecondsPerDegree / 60;
constexpr int MaxLongitudeDegrees = 180;

// The zones of civil time, in whole hours ahead of Greenwich: from -12 (the
// date line's east side) to +14 (the Line Islands). A German birth certificate
// gives +1 (MEZ), +2 in summer time (MESZ) and +3 in the double summer time
// of 1945 and 1947.
constexpr int WestmostZone = -12;
constexpr int EastmostZone = 14;

// The remainder of a value by a modulus, never negative.
constexpr qint64 modulo(qint64 value, qint64 modulus)
{
    const qint64 m = value % modulus;
    return m < 0 ? m + modulus : m;
}

// An angle in degrees brought into 0° .. 360°.
inline double normalizedDegrees(double degrees)
{
    const double d = std::fmod(degrees, 360.0);
    return d < 0 ? d + 360.0 : d;
}

// The correction of step 5 in degrees for a difference within the signs (a
// value minus the smaller table value, seconds of arc): MC and AC always move
// forward with the sidereal time, so a value that lies in the next sign has
// fewer degrees within it, and +30° count the step across the sign's
// beginning; within one sign nothing is added. The Sun moves forward too: a
// Solar whose two ephemeris days lie in two signs carries A and B across the
// sign by the same rule.
constexpr double signCorrection(qint64 withinSigns)
{
    return withinSigns < 0 ? 30.0 : 0.0;
}

// The correction of step 6 in degrees for RAMC plus quotient minus the
// direction arc (seconds of arc): 360° added where it is negative, taken off
// where it passes 360°.
constexpr double circleCorrection(qint64 beforeCircle)
{
    return beforeCircle < 0 ? 360.0 : beforeCircle > ArcSecondsPerCircle ? -360.0 : 0.0;
}

} // namespace Core

#endif
