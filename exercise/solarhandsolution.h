#ifndef EXERCISE_SOLARHANDSOLUTION_H
#define EXERCISE_SOLARHANDSOLUTION_H

#include "core/sexagesimal.h"
#include "solar/solarstate.h"

#include <QDate>
#include <QtGlobal>

#include <optional>

namespace Exercise {

// The answer a task expects is the one the calculator gives when the student
// feeds it the two ephemeris days: the hand method on the printed (rounded)
// positions, not the exact moment. Computed by the Solar calculator's own
// steps, so that the exercises can never disagree with the calculator.

// The two consecutive ephemeris days whose 0h positions enclose the radix Sun:
// position1 <= radix < position2, across 0° Aries.
struct EphemerisPair {
    QDate date1;
    qint32 position1 = 0; // '' from 0° Aries at 0h UT of date 1, as printed
    qint32 position2 = 0; // at 0h UT of the day after
};

struct SolarHandSolution {
    // The calculator's state after the last step, with what each step gave.
    Solar::Entries entries;
    Solar::Results results;
    Core::SexagesimalTriple motion;   // A = position 2 - position 1
    Core::SexagesimalTriple distance; // B = radix - position 1
    // The two days lie in two signs: the form's step 2 refuses the pair, and
    // A is worked by hand with 30° carried and typed into step 4; so is B
    // where the radix already lies in the second sign (step 3 refuses it too).
    bool acrossSign = false;
    bool radixInSecondSign = false;
    // B / A x 24 rounded to four places: the value from which step 4 writes
    // the Greenwich time.
    Core::FixedDecimal decimalHours;
    Core::SexagesimalTriple greenwich; // the Greenwich clock time on date 1
    Core::SexagesimalTriple zoneTime;  // plus the time zone; the hour may reach 24
    // The day shift: once the zone time reaches 24 h the student takes off
    // 24 h ("-24h") and the Solar falls on the day after date 1; west of
    // Greenwich a zone time below 0 h gets 24 h added ("+24h") and the Solar
    // falls on the day before.
    bool nextDay = false;
    bool previousDay = false;
    Core::SexagesimalTriple clock; // the final clock time
    QDate date;                    // the date of the Solar
};

// The calculator's steps 2 to 5 run on the pair and the radix position ('' from
// 0° Aries) with a whole-hour time zone; across a sign, A and B worked by hand
// and typed into step 4 where steps 2 and 3 refuse them. Nothing for a pair
// that does not enclose the radix or is no pair of consecutive days.
std::optional<SolarHandSolution> solarHandSolution(const EphemerisPair &pair, qint32 radix,
                                                   int zone);

} // namespace Exercise

#endif
