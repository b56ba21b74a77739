#include "astro/solarreturn.h"

#include "astro/sun.h"
#include "astro/zodiac.h"
#include "core/calendar.h"

#include <QTimeZone>

namespace Astro {

bool encloses(qint32 position1, qint32 position2, qint32 radix)
{
    return arcAhead(position1, radix) <= 0 && arcAhead(position2, radix) > 0;
}

QDateTime solarReturnMoment(qint32 radix, QDate birthday)
{
    return sunReachesLongitude(radix / 3600.0,
                               birthday.startOfDay(QTimeZone::utc()).addSecs(12 * 3600));
}

std::optional<ExactSolarReturn> solveSolarReturn(qint32 radix, int year, int birthDay,
                                                 int birthMonth)
{
    const std::optional<QDate> birthday = Core::birthdayIn(year, birthDay, birthMonth);
    if (!birthday)
        return std::nullopt;

    ExactSolarReturn solution;
    solution.moment = solarReturnMoment(radix, *birthday);

    // The return falls on date 1 as a rule, but the ephemeris rounds: when the
    // radix position lies within half a second of arc of a day's 0h position,
    // date 1 is the day before or after the return's date.
    QDate date1 = solution.moment.date();
    qint32 position1 = ephemerisPosition(date1);
    while (arcAhead(position1, radix) > 0) {
        date1 = date1.addDays(-1);
        position1 = ephemerisPosition(date1);
    }
    qint32 position2 = ephemerisPosition(date1.addDays(1));
    while (arcAhead(position2, radix) <= 0) {
        date1 = date1.addDays(1);
        position1 = position2;
        position2 = ephemerisPosition(date1.addDays(1));
    }

    solution.date1 = date1;
    solution.position1 = position1;
    solution.position2 = position2;
    solution.daysFromBirthday = birthday->daysTo(date1);
    return solution;
}

} // namespace Astro
