#include "astro/sun.h"

#include "astro/apparentplace.h"

#include <erfa.h>
#include <erfam.h>

#include <QTimeZone>

#include <algorithm>
#include <cmath>

namespace Astro {

namespace {

// The Sun's mean motion along the ecliptic, degrees a day: the first guess of
// how long it needs for a given arc. Its true motion varies by ±3.4 % over
// the year, from 0°57' a day in early July to 1°01' in early January.
constexpr double MeanDailyMotion = 360.0 / 365.2422;

// Days of a Modified Julian Date (MJD = JD - 2 400 000.5): a QDate's Julian
// day number counts from noon, an MJD from midnight.
constexpr qint64 JulianDayOfMjdZero = 2400001;

double mjdOf(const QDateTime &utc)
{
    const QDateTime t = utc.toUTC();
    return static_cast<double>(t.date().toJulianDay() - JulianDayOfMjdZero) +
           t.time().msecsSinceStartOfDay() / 86'400'000.0;
}

// The instant of an MJD in UTC, rounded to a tenth of a second.
QDateTime dateTimeOfMjd(double mjd)
{
    const double day = std::floor(mjd);
    const qint64 tenths = std::llround((mjd - day) * 864'000.0);
    return QDate::fromJulianDay(static_cast<qint64>(day) + JulianDayOfMjdZero)
        .startOfDay(QTimeZone::utc())
        .addMSecs(tenths * 100);
}

// Delta T = TT - UT in seconds before 1960, by the polynomials of Espenak and
// Meeus in the decimal year y. Nothing velmora computes lies before the last
// days of 1899 (a Solar of 1900 may need the ephemeris of 30 December 1899),
// so the polynomials start at 1860 and hold their 1860 value before it.
double deltaTBefore1960(double y)
{
    if (y >= 1941) {
        const double t = y - 1950;
        return 29.07 + 0.407 * t - t * t / 233 + t * t * t / 2547;
    }
    if (y >= 1920) {
        const double t = y - 1920;
        return 21.20 + t * (0.84493 + t * (-0.076100 + t * 0.0020936));
    }
    if (y >= 1900) {
        const double t = y - 1900;
        return -2.79 + t * (1.494119 + t * (-0.0598939 + t * (0.0061966 - t * 0.000197)));
    }
    const double t = std::max(y - 1860, 0.0);
    return 7.62 +
           t * (0.5737 + t * (-0.251754 + t * (0.01680668 + t * (-0.0004473624 + t / 233174))));
}

double ttMinusUtcAtMjd(double mjd)
{
    int year = 0, month = 0, day = 0;
    double fraction = 0;
    if (eraJd2cal(ERFA_DJM0, mjd, &year, &month, &day, &fraction) != 0)
        return deltaTBefore1960(0); // before 4800 BC: ERFA knows no calendar
    if (year < 1960)
        return deltaTBefore1960(year + (month - 0.5) / 12);
    double taiMinusUtc = 0;
    // A status of 1 marks a year beyond the table: the last value holds.
    eraDat(year, month, day, fraction, &taiMinusUtc);
    return 32.184 + taiMinusUtc;
}

// An arc reduced to (-180°, 180°]: how far ahead (positive) or behind one
// longitude lies from another, across 0° Aries.
double ahead(double degrees)
{
    const double reduced = std::remainder(degrees, 360.0);
    return reduced == -180.0 ? 180.0 : reduced;
}

double longitudeAtMjd(double mjd)
{
    return apparentSolarLongitude(JulianDate{ERFA_DJM0, mjd + ttMinusUtcAtMjd(mjd) / ERFA_DAYSEC});
}

} // namespace

double ttMinusUtc(const QDateTime &utc)
{
    return ttMinusUtcAtMjd(mjdOf(utc));
}

JulianDate universalTime(const QDateTime &utc)
{
    const QDateTime t = utc.toUTC();
    return {static_cast<double>(t.date().toJulianDay()) - 0.5,
            t.time().msecsSinceStartOfDay() / 86'400'000.0};
}

JulianDate terrestrialTime(const QDateTime &utc)
{
    const JulianDate ut = universalTime(utc);
    return {ut.whole, ut.fraction + ttMinusUtc(utc) / ERFA_DAYSEC};
}

double apparentSolarLongitude(const QDateTime &utc)
{
    return longitudeAtMjd(mjdOf(utc));
}

double apparentSolarLongitude(JulianDate tt)
{
    const EarthState earth = earthAt(tt);

    // The Sun seen from the Earth where it stood when its light left it:
    // start from the light time of the present distance and refine it twice.
    // The Sun's barycentric place is the Earth's barycentric minus its
    // heliocentric one.
    Vector sun;
    for (int k = 0; k < 3; ++k)
        sun[k] = -earth.heliocentric[0][k];
    for (int iteration = 0; iteration < 2; ++iteration) {
        const EarthState then = earthAt(JulianDate{tt.whole, tt.fraction - lightDays(sun)});
        for (int k = 0; k < 3; ++k)
            sun[k] = (then.barycentric[0][k] - then.heliocentric[0][k]) - earth.barycentric[0][k];
    }
    return apparentEclipticLongitude(sun, earth, tt);
}

QDateTime sunReachesLongitude(double longitude, const QDateTime &near)
{
    // Within half a year either way of `near` lies exactly one passage. Guess
    // it from the mean motion, then home in by the secant through the last two
    // guesses; four or five positions reach a millisecond.
    double previousMjd = mjdOf(near);
    double previousArc = ahead(longitude - longitudeAtMjd(previousMjd));
    double mjd = previousMjd + previousArc / MeanDailyMotion;
    for (int iteration = 0; iteration < 30; ++iteration) {
        const double arc = ahead(longitude - longitudeAtMjd(mjd));
        const double motion = (previousArc - arc) / (mjd - previousMjd);
        // A secant through two guesses too close to tell apart is no guide:
        // fall back on the mean motion.
        const bool usable =
            std::isfinite(motion) && motion > 0.5 * MeanDailyMotion && motion < 2 * MeanDailyMotion;
        const double step = arc / (usable ? motion : MeanDailyMotion);
        previousMjd = mjd;
        previousArc = arc;
        mjd += step;
        if (std::abs(step) * ERFA_DAYSEC < 1e-3)
            break;
    }
    return dateTimeOfMjd(mjd);
}

qint32 ephemerisPosition(QDate date)
{
    const double mjd = static_cast<double>(date.toJulianDay() - JulianDayOfMjdZero);
    return wholeArcSeconds(longitudeAtMjd(mjd));
}

qint32 roundedLongitude(const QDateTime &utc)
{
    return wholeArcSeconds(apparentSolarLongitude(utc));
}

QDateTime wholeSecond(const QDateTime &moment)
{
    const qint64 ms = moment.toMSecsSinceEpoch();
    // Floor division, so that moments before 1970 round the same way.
    qint64 seconds = ms / 1000;
    qint64 rest = ms % 1000;
    if (rest < 0) {
        rest += 1000;
        --seconds;
    }
    if (rest >= 500)
        ++seconds;
    return QDateTime::fromSecsSinceEpoch(seconds, QTimeZone::utc());
}

} // namespace Astro
