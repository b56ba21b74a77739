#ifndef ASTRO_HOUSES_H
#define ASTRO_HOUSES_H

#include "core/giventask.h"

#include <QDateTime>
#include <QtGlobal>

// The sky's turning at a birth place: the sidereal time, the right ascension
// of the meridian (RAMC) and the two axes of the horoscope that follow from
// it, the midheaven (MC, the ecliptic's point on the meridian) and the
// ascendant (AC, the ecliptic's point rising in the east). A printed house
// table lists MC and AC against the sidereal time for one latitude; these are
// the values it tabulates, computed exactly.
//
// Angles are decimal degrees, latitudes positive to the north, longitudes
// positive to the east; sidereal times are decimal hours.

namespace Astro {

using Axis = Core::Axis;

// Greenwich mean sidereal time in hours [0, 24) at an instant in UT (taken as
// UTC), by the IAU 2006 expression; the precession part runs in Terrestrial
// Time, which is UTC plus ttMinusUtc.
double greenwichSiderealTime(const QDateTime &utc);

// The local sidereal time in hours [0, 24): Greenwich sidereal time plus the
// east longitude at 4 minutes of time per degree.
double localSiderealTime(const QDateTime &utc, double eastLongitude);

// The RAMC of a sidereal time: 1 h of sidereal time turns the meridian by 15°.
double ramcOfSiderealTime(double hours);

// The mean obliquity of the ecliptic (IAU 2006) at an instant in UT, about
// 23°26' in our century and shrinking by 47'' a century.
double meanObliquity(const QDateTime &utc);

// The ecliptic longitude [0, 360) of the MC or the AC for a RAMC. Below the
// polar circles both grow steadily with the RAMC, a full circle a day.
double midheavenLongitude(double ramc, double obliquity);
double ascendantLongitude(double ramc, double obliquity, double latitude);
double axisLongitude(Axis axis, double ramc, double obliquity, double latitude);

// The MC or the AC of a whole degree of RAMC as a printed house table gives
// it: '' from 0° Aries, rounded to the minute of arc.
qint32 printedAxis(Axis axis, int ramc, double obliquity, double latitude);

// The RAMC [0, 360) at which the MC or the AC stands at a given longitude:
// for the MC in closed form, for the AC found by halving the interval until
// it is narrower than a thousandth of a second of arc.
double ramcOfMidheaven(double longitude, double obliquity);
double ramcOfAscendant(double longitude, double obliquity, double latitude);
double ramcOfAxis(Axis axis, double longitude, double obliquity, double latitude);

} // namespace Astro

#endif
