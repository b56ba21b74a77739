#ifndef ASTRO_PLANETS_H
#define ASTRO_PLANETS_H

#include "astro/sun.h"

#include <QDateTime>
#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>

// Where the Moon and the planets stand, as an ephemeris prints them beside the
// Sun: the apparent geocentric ecliptic longitude referred to the true equinox
// and ecliptic of date. Each body is seen from the Earth's centre where it
// stood when the light now arriving left it (1.3 s ago for the Moon, over
// five hours for Pluto), displaced by the Earth's motion (annual aberration),
// with the equinox moving by precession and nutation.
//
// The theories behind them, and how closely they follow the great numerical
// ephemerides (the longitude seen from the Sun; from the Earth an error grows
// in the ratio of the body's distance from the Sun to its distance from us):
// - the Moon: ERFA's eraMoon98, the series of Meeus's Astronomical
//   Algorithms (chapter 47): 2.9'' RMS, at worst 18.3'', over 1950-2100;
// - Mercury to Neptune: ERFA's eraPlan94 (Simon et al. 1994): at worst
//   7'' for Mercury and Venus, 26'' for Mars, 78'' for Jupiter, 87'' for
//   Saturn, 86'' for Uranus and 11'' for Neptune over 1800-2100;
// - Pluto: the series of Meeus, Astronomical Algorithms, chapter 37, fitted
//   to the ephemeris of Pluto for 1885-2099 and valid only then.
//
// Clock times are Universal Time, taken as UTC and carried to Terrestrial
// Time by ttMinusUtc. The Moon moves half a second of arc in a second of
// time, so its position at a clock time in the future is as good as the
// extrapolated TT - UTC.

namespace Astro {

enum class Body { Moon, Mercury, Venus, Mars, Jupiter, Saturn, Uranus, Neptune, Pluto };

inline constexpr std::array<Body, 9> AllBodies{Body::Moon,   Body::Mercury, Body::Venus,
                                               Body::Mars,   Body::Jupiter, Body::Saturn,
                                               Body::Uranus, Body::Neptune, Body::Pluto};

// "Mond", "Merkur", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptun",
// "Pluto", as a task prints the body.
QString bodyName(Body body);

// The body a text names, in upper or lower case, blanks around it ignored.
// Nothing for a text that names none.
std::optional<Body> bodyNamed(const QString &typed);

// The first and last year (TT) for which a body's position is computed:
// 1885-2099 for Pluto, whose series holds only there; 1000-3000 for the
// others, the span over which eraPlan94 is documented.
struct YearSpan {
    int first = 0;
    int last = 0;
};
YearSpan yearsCovered(Body body);

// The apparent geocentric ecliptic longitude of date in degrees [0, 360) at
// an instant given in UT, or in TT as a Julian date. Nothing outside the
// years the body's theory covers.
std::optional<double> apparentLongitude(Body body, const QDateTime &utc);
std::optional<double> apparentLongitude(Body body, JulianDate tt);

// The longitude at an instant rounded to the whole second of arc as a task
// prints a body: 0 .. 1 295 999 ('' from 0° Aries). Nothing outside the
// years the body's theory covers.
std::optional<qint32> roundedPlanetLongitude(Body body, const QDateTime &utc);

// A position on the sky as a star atlas of the epoch J2000 draws it: right
// ascension and declination in degrees, referred to the celestial reference
// frame (the mean equator and equinox of J2000), and the distance in au.
struct EquatorialPosition {
    double rightAscension = 0;
    double declination = 0;
    double distance = 0;
};

// The body's astrometric place: its direction from the Earth's centre where
// it stood when the light now arriving left it, without aberration,
// precession or nutation. Nothing outside the years its theory covers.
std::optional<EquatorialPosition> astrometricPosition(Body body, JulianDate tt);

// Pluto's heliocentric ecliptic coordinates referred to the ecliptic and
// equinox of J2000, by Meeus's series: longitude and latitude in degrees, the
// distance from the Sun in au. Nothing outside 1885-2099.
struct EclipticPosition {
    double longitude = 0;
    double latitude = 0;
    double distance = 0;
};
std::optional<EclipticPosition> plutoHeliocentric(JulianDate tt);

} // namespace Astro

#endif
