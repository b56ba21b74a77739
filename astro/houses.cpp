#include "astro/houses.h"

#include "astro/sun.h"

#include <erfa.h>
#include <erfam.h>

#include <QTimeZone>

#include <cmath>

namespace Astro {

namespace {

constexpr double DegreesPerHour = 15.0;

// An angle brought into [0, 360). A tiny negative angle plus 360 rounds to
// 360 itself, which is 0.
double normalized(double degrees)
{
    const double d = std::fmod(degrees, 360.0);
    const double positive = d < 0 ? d + 360.0 : d;
    return positive >= 360.0 ? 0.0 : positive;
}

// How far longitude a lies ahead of b, in degrees (-180, 180].
double ahead(double a, double b)
{
    const double d = std::remainder(a - b, 360.0);
    return d == -180.0 ? 180.0 : d;
}

} // namespace

double greenwichSiderealTime(const QDateTime &utc)
{
    const JulianDate ut = universalTime(utc);
    const JulianDate tt = terrestrialTime(utc);
    const double angle = eraGmst06(ut.whole, ut.fraction, tt.whole, tt.fraction);
    return angle * ERFA_DR2D / DegreesPerHour;
}

double localSiderealTime(const QDateTime &utc, double eastLongitude)
{
    return normalized((greenwichSiderealTime(utc) + eastLongitude / DegreesPerHour) *
                      DegreesPerHour) /
           DegreesPerHour;
}

double ramcOfSiderealTime(double hours)
{
    return normalized(hours * DegreesPerHour);
}

double meanObliquity(const QDateTime &utc)
{
    const JulianDate tt = terrestrialTime(utc);
    return eraObl06(tt.whole, tt.fraction) * ERFA_DR2D;
}

// The meridian's point of the ecliptic: its right ascension is the RAMC, so
// tan MC = tan RAMC / cos ε, in the quadrant of the RAMC.
double midheavenLongitude(double ramc, double obliquity)
{
    const double r = ramc * ERFA_DD2R;
    return normalized(std::atan2(std::sin(r), std::cos(r) * std::cos(obliquity * ERFA_DD2R)) *
                      ERFA_DR2D);
}

// The ecliptic's point on the eastern horizon.
double ascendantLongitude(double ramc, double obliquity, double latitude)
{
    const double r = ramc * ERFA_DD2R;
    const double e = obliquity * ERFA_DD2R;
    const double y = std::cos(r);
    const double x = -(std::sin(e) * std::tan(latitude * ERFA_DD2R) + std::cos(e) * std::sin(r));
    return normalized(std::atan2(y, x) * ERFA_DR2D);
}

double axisLongitude(Axis axis, double ramc, double obliquity, double latitude)
{
    return axis == Axis::MC ? midheavenLongitude(ramc, obliquity)
                            : ascendantLongitude(ramc, obliquity, latitude);
}

qint32 printedAxis(Axis axis, int ramc, double obliquity, double latitude)
{
    const double degrees = axisLongitude(axis, ramc, obliquity, latitude);
    return static_cast<qint32>(std::llround(degrees * 60.0) % (360 * 60) * 60);
}

// The inverse of the MC: the right ascension of the ecliptic point,
// tan RAMC = tan MC x cos ε, in the quadrant of the MC.
double ramcOfMidheaven(double longitude, double obliquity)
{
    const double l = longitude * ERFA_DD2R;
    return normalized(std::atan2(std::sin(l) * std::cos(obliquity * ERFA_DD2R), std::cos(l)) *
                      ERFA_DR2D);
}

double ramcOfAscendant(double longitude, double obliquity, double latitude)
{
    // The AC passes every longitude once a day, moving forward: find a degree
    // of RAMC after which it has passed the longitude, then halve the degree
    // until it is narrower than a thousandth of a second of arc.
    const auto aheadAt = [&](double ramc) {
        return ahead(ascendantLongitude(ramc, obliquity, latitude), longitude);
    };
    double low = 0;
    double before = aheadAt(0);
    for (int degree = 1; degree <= 360; ++degree) {
        const double after = aheadAt(degree);
        // A change of sign from behind to ahead, not the jump across 180°.
        if (before <= 0 && after > 0 && after - before < 180) {
            low = degree - 1;
            break;
        }
        before = after;
    }
    double high = low + 1;
    while (high - low > 0.001 / 3600) {
        const double middle = (low + high) / 2;
        if (aheadAt(middle) <= 0)
            low = middle;
        else
            high = middle;
    }
    return normalized((low + high) / 2);
}

double ramcOfAxis(Axis axis, double longitude, double obliquity, double latitude)
{
    return axis == Axis::MC ? ramcOfMidheaven(longitude, obliquity)
                            : ramcOfAscendant(longitude, obliquity, latitude);
}

} // namespace Astro
