#include "astro/apparentplace.h"

#include "core/rules.h"

#include <erfa.h>
#include <erfam.h>

#include <cmath>

namespace Astro {

namespace {

// Annual aberration: the Earth's velocity (as a fraction of the speed of
// light) tilts the incoming light forward by up to about 20''. Returns the
// unit vector towards the body as seen from the moving Earth.
Vector aberrated(Vector astrometric, const EarthState &earth)
{
    Vector direction, velocity, apparent;
    double distance = 0;
    eraPn(astrometric.data(), &distance, direction.data());
    for (int k = 0; k < 3; ++k)
        velocity[k] = earth.barycentric[1][k] * ERFA_AULT / ERFA_DAYSEC;
    const double inverseLorentz = std::sqrt(1.0 - eraPdp(velocity.data(), velocity.data()));
    // The Sun's distance enters through its gravitational potential, a term of
    // under a microsecond of arc.
    Vector earthFromSun;
    for (int k = 0; k < 3; ++k)
        earthFromSun[k] = earth.heliocentric[0][k];
    eraAb(direction.data(), velocity.data(), eraPm(earthFromSun.data()), inverseLorentz,
          apparent.data());
    return apparent;
}

// From the celestial reference frame to the true ecliptic and equinox of
// date, as a longitude in degrees [0, 360).
double eclipticLongitudeOfDate(Vector direction, JulianDate tt)
{
    // Frame bias, IAU 2006 precession and IAU 2000A nutation carry the
    // direction to the true equator and equinox of date.
    double toTrueEquator[3][3];
    eraPnm06a(tt.whole, tt.fraction, toTrueEquator);
    Vector equatorial;
    eraRxp(toTrueEquator, direction.data(), equatorial.data());

    // Tilt the equator onto the true ecliptic of date: the mean obliquity plus
    // the nutation in obliquity.
    double nutationInLongitude = 0, nutationInObliquity = 0;
    eraNut06a(tt.whole, tt.fraction, &nutationInLongitude, &nutationInObliquity);
    const double trueObliquity = eraObl06(tt.whole, tt.fraction) + nutationInObliquity;
    double toEcliptic[3][3];
    eraIr(toEcliptic);
    eraRx(trueObliquity, toEcliptic);
    Vector ecliptic;
    eraRxp(toEcliptic, equatorial.data(), ecliptic.data());

    double longitude = 0, latitude = 0;
    eraC2s(ecliptic.data(), &longitude, &latitude);
    // A tiny negative angle brought up by a full turn can round to 360° itself.
    const double degrees = eraAnp(longitude) * ERFA_DR2D;
    return degrees >= 360.0 ? 0.0 : degrees;
}

} // namespace

EarthState earthAt(JulianDate tt)
{
    EarthState earth;
    // Within 1900-2100 the Earth is placed to 11 km; a status of 1 marks a
    // date outside, where the error grows, to some 700 km by the years 1000
    // and 3000: still about a second of arc seen from the Sun.
    eraEpv00(tt.whole, tt.fraction, earth.heliocentric, earth.barycentric);
    return earth;
}

double lightDays(Vector v)
{
    return eraPm(v.data()) * ERFA_AULT / ERFA_DAYSEC;
}

double apparentEclipticLongitude(Vector astrometric, const EarthState &earth, JulianDate tt)
{
    return eclipticLongitudeOfDate(aberrated(astrometric, earth), tt);
}

qint32 wholeArcSeconds(double degrees)
{
    return static_cast<qint32>(std::llround(degrees * Core::ArcSecondsPerDegree) %
                               Core::ArcSecondsPerCircle);
}

} // namespace Astro
