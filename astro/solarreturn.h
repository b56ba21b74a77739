#ifndef ASTRO_SOLARRETURN_H
#define ASTRO_SOLARRETURN_H

#include <QDate>
#include <QDateTime>
#include <QtGlobal>

#include <optional>

// The exact answer to a Solar return, to set beside the hand method's.
//
// By hand, the student looks up the two ephemeris days whose 0h positions
// enclose the radix Sun, and interpolates linearly between them. Here the
// same two days are found by the same rule applied to exact positions, and
// the moment of the return is found by solving for the Sun's true position.
// The hand result then differs from the exact one by seconds: the ephemeris
// rounds to the second of arc (one second of arc is about 24 s of time), and
// the Sun's motion is not quite even within a day.

namespace Astro {

struct ExactSolarReturn {
    // Date 1: the UT date whose 0h position, rounded to the second of arc as
    // an ephemeris prints it, is not greater than the radix position while
    // the next day's (date 2) is greater.
    QDate date1;
    qint32 position1 = 0; // at 0h UT of date 1, in '' from 0° Aries
    qint32 position2 = 0; // at 0h UT of the day after
    // The moment (UTC, to a tenth of a second) at which the Sun reaches the
    // radix position: the passage nearest to the birthday in the Solar year.
    QDateTime moment;
    // Date 1 minus the birthday in the Solar year, in days. Usually 0 or -1;
    // more than two days either way means the radix position does not belong
    // to this birthday (a wrong sign, a misread position or birth date).
    qint64 daysFromBirthday = 0;
};

// Whether the 0h positions of two consecutive days enclose the radix as the
// student looks for them: position1 <= radix < position2, across 0° Aries.
bool encloses(qint32 position1, qint32 position2, qint32 radix);

// The moment (UTC, to a tenth of a second) at which the Sun reaches the radix
// position: of its passages, the one nearest to noon of the birthday.
QDateTime solarReturnMoment(qint32 radix, QDate birthday);

// The exact Solar return of a radix position ('' from 0° Aries) in a year for
// a birthday (day, month). A birthday of 29 February counts as 1 March in a
// common year. Nothing for a day or month that no date has.
std::optional<ExactSolarReturn> solveSolarReturn(qint32 radix, int year, int birthDay,
                                                 int birthMonth);

} // namespace Astro

#endif
