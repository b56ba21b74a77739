#ifndef ASTRO_APPARENTPLACE_H
#define ASTRO_APPARENTPLACE_H

#include "astro/sun.h"

#include <array>

// The steps that every body's apparent place shares, from where the Earth
// stands to the longitude an ephemeris prints: the Sun (sun.cpp) and the Moon
// and the planets (planets.cpp) go through the same ones.
//
// Vectors are in astronomical units along the axes of the celestial reference
// frame (GCRS, which agrees with the mean equator and equinox of J2000 to
// within 23 milliseconds of arc). Internal to the astronomy library.

namespace Astro {

using Vector = std::array<double, 3>;

// The Earth's heliocentric and barycentric position (au) and velocity
// (au/day), from ERFA's eraEpv00. TT stands in for TDB: they differ by under
// 2 ms.
struct EarthState {
    double heliocentric[2][3] = {};
    double barycentric[2][3] = {};
};

EarthState earthAt(JulianDate tt);

// The time light needs to cross a vector's length, in days (8 min 19 s for
// one au).
double lightDays(Vector v);

// The apparent geocentric ecliptic longitude of date, degrees [0, 360), of a
// body whose astrometric place is given: the vector from the Earth's centre
// at the instant to where the body stood when the light now arriving left it.
// Annual aberration shifts it towards the Earth's motion, then precession and
// nutation carry it to the true equator and equinox of date, and the true
// obliquity tilts it onto the ecliptic of date.
double apparentEclipticLongitude(Vector astrometric, const EarthState &earth, JulianDate tt);

// A longitude in degrees [0, 360) rounded to the whole second of arc, as an
// ephemeris and a task write it: 0 .. 1 295 999, 359°59'59.6'' giving 0.
qint32 wholeArcSeconds(double degrees);

} // namespace Astro

#endif
