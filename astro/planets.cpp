#include "astro/planets.h"

#include "astro/apparentplace.h"

#include "core/rules.h"

#include <erfa.h>
#include <erfam.h>

#include <cmath>

namespace Astro {

namespace {

const std::array<QString, AllBodies.size()> &bodyNames()
{
    static const std::array<QString, AllBodies.size()> names{
        QStringLiteral("Mond"),   QStringLiteral("Merkur"),  QStringLiteral("Venus"),
        QStringLiteral("Mars"),   QStringLiteral("Jupiter"), QStringLiteral("Saturn"),
        QStringLiteral("Uranus"), QStringLiteral("Neptun"),  QStringLiteral("Pluto")};
    return names;
}

std::size_t indexOf(Body body)
{
    return static_cast<std::size_t>(body);
}

// The years eraPlan94 is documented for: over 1000-3000 its errors stay
// within 1.5 times those of 1800-2050. The Moon keeps to the same span.
constexpr YearSpan PlanetaryTheoryYears{1000, 3000};
// Meeus fitted his Pluto series to the ephemeris of 1885-2099 only.
constexpr YearSpan PlutoSeriesYears{1885, 2099};

bool covered(Body body, JulianDate tt)
{
    if (!std::isfinite(tt.whole) || !std::isfinite(tt.fraction))
        return false;
    int year = 0, month = 0, day = 0;
    double fraction = 0;
    if (eraJd2cal(tt.whole, tt.fraction, &year, &month, &day, &fraction) != 0)
        return false;
    const YearSpan span = yearsCovered(body);
    return year >= span.first && year <= span.last;
}

// One periodic term of Meeus's Table 37.A. Its argument is a sum of
// multiples of the mean longitudes of Jupiter (J), Saturn (S) and Pluto (P);
// the coefficients of its sine and cosine are in units of 0.000 001° for the
// longitude and latitude and of 0.000 000 1 au for the radius vector.
struct PlutoTerm {
    int j, s, p;
    int longitudeSin, longitudeCos, latitudeSin, latitudeCos, radiusSin, radiusCos;
};

constexpr std::array<PlutoTerm, 43> PlutoTerms{{
    {0, 0, 1, -19799805, 19850055, -5452852, -14974862, 66865439, 68951812},
    {0, 0, 2, 897144, -4954829, 3527812, 1672790, -11827535, -332538},
    {0, 0, 3, 611149, 1211027, -1050748, 327647, 1593179, -1438890},
    {0, 0, 4, -341243, -189585, 178690, -292153, -18444, 483220},
    {0, 0, 5, 129287, -34992, 18650, 100340, -65977, -85431},
    {0, 0, 6, -38164, 30893, -30697, -25823, 31174, -6032},
    {0, 1, -1, 20442, -9987, 4878, 11248, -5794, 22161},
    {0, 1, 0, -4063, -5071, 226, -64, 4601, 4032},
    {0, 1, 1, -6016, -3336, 2030, -836, -1729, 234},
    {0, 1, 2, -3956, 3039, 69, -604, -415, 702},
    {0, 1, 3, -667, 3572, -247, -567, 239, 723},
    {0, 2, -2, 1276, 501, -57, 1, 67, -67},
    {0, 2, -1, 1152, -917, -122, 175, 1034, -451},
    {0, 2, 0, 630, -1277, -49, -164, -129, 504},
    {1, -1, 0, 2571, -459, -197, 199, 480, -231},
    {1, -1, 1, 899, -1449, -25, 217, 2, -441},
    {1, 0, -3, -1016, 1043, 589, -248, -3359, 265},
    {1, 0, -2, -2343, -1012, -269, 711, 7856, -7832},
    {1, 0, -1, 7042, 788, 185, 193, 36, 45763},
    {1, 0, 0, 1199, -338, 315, 807, 8663, 8547},
    {1, 0, 1, 418, -67, -130, -43, -809, -769},
    {1, 0, 2, 120, -274, 5, 3, 263, -144},
    {1, 0, 3, -60, -159, 2, 17, -126, 32},
    {1, 0, 4, -82, -29, 2, 5, -35, -16},
    {1, 1, -3, -36, -29, 2, 3, -19, -4},
    {1, 1, -2, -40, 7, 3, 1, -15, 8},
    {1, 1, -1, -14, 22, 2, -1, -4, 12},
    {1, 1, 0, 4, 13, 1, -1, 5, 6},
    {1, 1, 1, 5, 2, 0, -1, 3, 1},
    {1, 1, 3, -1, 0, 0, 0, 6, -2},
    {2, 0, -6, 2, 0, 0, -2, 2, 2},
    {2, 0, -5, -4, 5, 2, 2, -2, -2},
    {2, 0, -4, 4, -7, -7, 0, 14, 13},
    {2, 0, -3, 14, 24, 10, -8, -63, 13},
    {2, 0, -2, -49, -34, -3, 20, 136, -236},
    {2, 0, -1, 163, -48, 6, 5, 273, 1065},
    {2, 0, 0, 9, -24, 14, 17, 251, 149},
    {2, 0, 1, -4, 1, -2, 0, -25, -9},
    {2, 0, 2, -3, 1, 0, 0, 9, -2},
    {2, 0, 3, 1, 3, 0, 0, -8, 7},
    {3, 0, -2, -3, -1, 0, 1, 2, -10},
    {3, 0, -1, 5, -3, 0, 0, 19, 35},
    {3, 0, 0, 0, 0, 1, 0, 10, 3},
}};

// Pluto's heliocentric longitude, latitude and distance, referred to the
// ecliptic and equinox of J2000: a mean part plus the 43 periodic terms.
EclipticPosition plutoSeries(JulianDate tt)
{
    // Julian centuries from J2000.0, and the three mean longitudes in degrees.
    const double t = ((tt.whole - ERFA_DJ00) + tt.fraction) / ERFA_DJC;
    const double jupiter = 34.35 + 3034.9057 * t;
    const double saturn = 50.08 + 1222.1138 * t;
    const double pluto = 238.96 + 144.9600 * t;

    double longitude = 0, latitude = 0, radius = 0;
    for (const PlutoTerm &term : PlutoTerms) {
        const double argument = (term.j * jupiter + term.s * saturn + term.p * pluto) * ERFA_DD2R;
        const double sine = std::sin(argument), cosine = std::cos(argument);
        longitude += term.longitudeSin * sine + term.longitudeCos * cosine;
        latitude += term.latitudeSin * sine + term.latitudeCos * cosine;
        radius += term.radiusSin * sine + term.radiusCos * cosine;
    }
    return {Core::normalizedDegrees(238.958116 + 144.96 * t + longitude * 1e-6),
            -3.908239 + latitude * 1e-6, 40.7241346 + radius * 1e-7};
}

// The obliquity of the ecliptic at J2000, 23°26'21.448'', by which Meeus
// turns his J2000 ecliptic coordinates to the equator of J2000.
constexpr double MeeusObliquityJ2000 = 23.4392911;

// Pluto's heliocentric position (au) on the axes of the equator and equinox
// of J2000, which agree with the celestial reference frame far within the
// accuracy of the series.
Vector plutoHeliocentricVector(JulianDate tt)
{
    const EclipticPosition ecliptic = plutoSeries(tt);
    double onEcliptic[3];
    eraS2p(ecliptic.longitude * ERFA_DD2R, ecliptic.latitude * ERFA_DD2R, ecliptic.distance,
           onEcliptic);
    // From the ecliptic to the equator: a turn about the equinox direction.
    double toEquator[3][3];
    eraIr(toEquator);
    eraRx(-MeeusObliquityJ2000 * ERFA_DD2R, toEquator);
    Vector equatorial;
    eraRxp(toEquator, onEcliptic, equatorial.data());
    return equatorial;
}

// The planet numbers of eraPlan94 (3 is the Earth-Moon barycentre); 0 for
// the bodies it does not compute.
constexpr std::array<int, AllBodies.size()> Plan94Numbers{0, 1, 2, 4, 5, 6, 7, 8, 0};

// A planet's heliocentric position (au) on the axes of the equator and
// equinox of J2000; nothing where eraPlan94 warns (a year outside 1000-3000)
// or fails (Kepler's equation not solved).
std::optional<Vector> heliocentricVector(Body body, JulianDate tt)
{
    if (body == Body::Pluto)
        return plutoHeliocentricVector(tt);
    double pv[2][3];
    if (eraPlan94(tt.whole, tt.fraction, Plan94Numbers[indexOf(body)], pv) != 0)
        return std::nullopt;
    return Vector{pv[0][0], pv[0][1], pv[0][2]};
}

// A planet seen from the Earth where it stood when its light left it: start
// from its present place, then take it the light time earlier and refine
// that time twice. The planet's place is heliocentric; the Sun itself drifts
// about the barycentre of the solar system by up to 15 m/s, and its drift
// during the light time is taken off (for Neptune, some 200 km).
std::optional<Vector> planetAstrometric(Body body, JulianDate tt, const EarthState &earth)
{
    Vector sunVelocity;
    for (int k = 0; k < 3; ++k)
        sunVelocity[k] = earth.barycentric[1][k] - earth.heliocentric[1][k];
    double lightTime = 0;
    Vector fromEarth{};
    for (int iteration = 0; iteration < 3; ++iteration) {
        const auto planet = heliocentricVector(body, JulianDate{tt.whole, tt.fraction - lightTime});
        if (!planet)
            return std::nullopt;
        for (int k = 0; k < 3; ++k)
            fromEarth[k] = (*planet)[k] - earth.heliocentric[0][k] - sunVelocity[k] * lightTime;
        lightTime = lightDays(fromEarth);
    }
    return fromEarth;
}

// The Moon's astrometric place. eraMoon98 gives its geometric geocentric
// position: it follows Meeus's series but leaves out the light time that
// Meeus's mean longitude of the Moon contains (-0.70''). The light time is
// 1.3 s; in it the Moon moves about 1.3 km around the Earth, and the Earth
// some 38 km along its orbit, from where the light left to where it
// arrives. Velocities times the light time bring both in. The annual
// aberration applied to every body then cancels the Earth's part again, to
// a few thousandths of a second of arc: the Moon is seen where the
// geocentric Moon stood 1.3 s earlier, as Meeus has it.
Vector moonAstrometric(JulianDate tt, const EarthState &earth)
{
    double pv[2][3];
    eraMoon98(tt.whole, tt.fraction, pv);
    Vector moon{pv[0][0], pv[0][1], pv[0][2]};
    const double lightTime = lightDays(moon);
    for (int k = 0; k < 3; ++k)
        moon[k] -= (pv[1][k] + earth.barycentric[1][k]) * lightTime;
    return moon;
}

std::optional<Vector> astrometricVector(Body body, JulianDate tt, const EarthState &earth)
{
    if (!covered(body, tt))
        return std::nullopt;
    if (body == Body::Moon)
        return moonAstrometric(tt, earth);
    return planetAstrometric(body, tt, earth);
}

} // namespace

QString bodyName(Body body)
{
    return bodyNames().at(indexOf(body));
}

std::optional<Body> bodyNamed(const QString &typed)
{
    const QString wanted = typed.trimmed();
    for (Body body : AllBodies)
        if (wanted.compare(bodyName(body), Qt::CaseInsensitive) == 0)
            return body;
    return std::nullopt;
}

YearSpan yearsCovered(Body body)
{
    return body == Body::Pluto ? PlutoSeriesYears : PlanetaryTheoryYears;
}

std::optional<double> apparentLongitude(Body body, const QDateTime &utc)
{
    if (!utc.isValid())
        return std::nullopt;
    return apparentLongitude(body, terrestrialTime(utc));
}

std::optional<double> apparentLongitude(Body body, JulianDate tt)
{
    const EarthState earth = earthAt(tt);
    const auto astrometric = astrometricVector(body, tt, earth);
    if (!astrometric)
        return std::nullopt;
    return apparentEclipticLongitude(*astrometric, earth, tt);
}

std::optional<qint32> roundedPlanetLongitude(Body body, const QDateTime &utc)
{
    const auto longitude = apparentLongitude(body, utc);
    if (!longitude)
        return std::nullopt;
    return wholeArcSeconds(*longitude);
}

std::optional<EquatorialPosition> astrometricPosition(Body body, JulianDate tt)
{
    const auto astrometric = astrometricVector(body, tt, earthAt(tt));
    if (!astrometric)
        return std::nullopt;
    Vector p = *astrometric;
    double rightAscension = 0, declination = 0, distance = 0;
    eraP2s(p.data(), &rightAscension, &declination, &distance);
    return EquatorialPosition{eraAnp(rightAscension) * ERFA_DR2D, declination * ERFA_DR2D,
                              distance};
}

std::optional<EclipticPosition> plutoHeliocentric(JulianDate tt)
{
    if (!covered(Body::Pluto, tt))
        return std::nullopt;
    return plutoSeries(tt);
}

} // namespace Astro
