#include "astro/solarreturn.h"

#include "astro/sun.h"
#include "astro/zodiac.h"

#include <QTimeZone>

namespace Astro {

namespace {

// The birthday in the Solar year; 29 February moves to 1 March in a common
// year.
std::optional<QDate> BirthdayIn(int year, int day, int month)
{
    if (month < 1 || month > 12 || day < 1 || day > 31)
        return std::nullopt;
    const QDate first(year, month, 1);
    if (!first.isValid() || day > first.daysInMonth() + (month == 2 ? 1 : 0))
        return std::nullopt;
    return first.addDays(day - 1);
}

} // namespace

std::optional<ExactSolarReturn> SolveSolarReturn(qint32 radix, int year, int birthDay,
                                                 int birthMonth)
{
    const std::optional<QDate> birthday = BirthdayIn(year, birthDay, birthMonth);
    if (!birthday)
        return std::nullopt;

    ExactSolarReturn solution;
    const double longitude = radix / 3600.0;
    solution.moment =
        SunReachesLongitude(longitude, birthday->startOfDay(QTimeZone::utc()).addSecs(12 * 3600));

    // The return falls on date 1 as a rule, but the ephemeris rounds: when the
    // radix position lies within half a second of arc of a day's 0h position,
    // date 1 is the day before or after the return's date.
    QDate date1 = solution.moment.date();
    qint32 position1 = EphemerisPosition(date1);
    while (ArcAhead(position1, radix) > 0) {
        date1 = date1.addDays(-1);
        position1 = EphemerisPosition(date1);
    }
    qint32 position2 = EphemerisPosition(date1.addDays(1));
    while (ArcAhead(position2, radix) <= 0) {
        date1 = date1.addDays(1);
        position1 = position2;
        position2 = EphemerisPosition(date1.addDays(1));
    }

    solution.date1 = date1;
    solution.position1 = position1;
    solution.position2 = position2;
    solution.daysFromBirthday = birthday->daysTo(date1);
    return solution;
}

} // namespace Astro
