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
