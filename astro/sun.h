#ifndef ASTRO_SUN_H
#define ASTRO_SUN_H

#include <QDate>
#include <QDateTime>
#include <QtGlobal>

// Where the Sun stands, computed as exactly as the IAU's standard routines
// allow, to check the positions a student reads from a printed ephemeris.
//
// The position is the Sun's apparent geocentric ecliptic longitude referred
// to the true equinox and ecliptic of date, the quantity an ephemeris prints
// in its Sun column: the Sun as seen from the Earth's centre at the moment its
// light arrives (so where it stood about 8 minutes 19 seconds earlier),
// displaced by the Earth's own motion (annual aberration, about 20''), with
// the equinox moving by precession and nutation.
//
// Clock times are Universal Time, taken as UTC: the two differ by less than a
// second, far below what the hand method resolves. The Earth's orbit is
// computed in Terrestrial Time (TT), which runs evenly; TT - UTC is about a
// minute today (see ttMinusUtc).

namespace Astro {

// An instant as a two-part Julian date: whole + fraction, in days. Split this
// way a date keeps microseconds that one double would lose.
struct JulianDate {
    double whole = 0;
    double fraction = 0;
};

// TT - UTC in seconds at a UTC instant. From 1960 on, it is 32.184 s plus the
// leap seconds of TAI - UTC (with the drifting rates of 1960-1971); for a year
// beyond the table of leap seconds the last value holds. Before 1960, when UTC
// did not exist, it is Delta T = TT - UT from the polynomials of Espenak and
// Meeus fitted to historical observations, from 1860 on (before it, which no
// calculation of velmora reaches, the value of 1860 holds).
double ttMinusUtc(const QDateTime &utc);

// A UTC instant as a Julian date in UT (the day's Julian day number, which
// begins at noon, and the part of the day since then), and in TT, which is
// ttMinusUtc later.
JulianDate universalTime(const QDateTime &utc);
JulianDate terrestrialTime(const QDateTime &utc);

// The Sun's apparent geocentric ecliptic longitude of date, in degrees
// [0, 360), at an instant given in UT, or in TT as a Julian date.
double apparentSolarLongitude(const QDateTime &utc);
double apparentSolarLongitude(JulianDate tt);

// The moment (UTC, to a tenth of a second) at which the Sun's apparent
// longitude reaches the given value (degrees): of its yearly passages, the
// one nearest to `near`.
QDateTime sunReachesLongitude(double longitude, const QDateTime &near);

// The Sun's longitude at 0h UT of a date as a printed ephemeris gives it:
// rounded to the whole second of arc, 0 .. 1 295 999 ('' from 0° Aries).
qint32 ephemerisPosition(QDate date);

// The Sun's longitude at an instant, rounded to the whole second of arc as
// the radix Sun of a birth is written: 0 .. 1 295 999.
qint32 roundedLongitude(const QDateTime &utc);

// An exact moment as the hand method gives its times: to the whole second,
// a half second and more rounded up (03:11:46.500 is 03:11:47). The one
// rounding of exact moments wherever they are shown or compared.
QDateTime wholeSecond(const QDateTime &moment);

} // namespace Astro

#endif
