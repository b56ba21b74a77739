#ifndef EXERCISE_GZKCHECK_H
#define EXERCISE_GZKCHECK_H

#include "core/sexagesimal.h"
#include "exercise/gzktask.h"

#include <QString>

// Checking a student's birth-time correction against the calculator's answer
// for a rectification task. A wrong answer is told which part is wrong and
// given a hint to the slip it looks like, never the right values: rows of the
// house table that do not enclose the event, a table value of the wrong row
// or the wrong axis, a wrongly chosen ±30° or ±360°, the day not taken off in
// step 4, or the age miscounted.

namespace Exercise {

struct GzkVerdict {
    enum class Outcome { Incomplete, Right, Wrong };
    Outcome outcome = Outcome::Incomplete;
    // Incomplete: the first field that is empty or holds no whole number.
    int firstEmpty = -1;
    QString message;
};

// The correction as typed: hours, minutes, seconds, each a whole number that
// may be negative ("0", "-3", "-26"). It is right when it comes to the same
// number of seconds as the calculator's answer.
GzkVerdict checkGzkAnswer(const GzkTask &task, const Core::FieldTexts &correction);

} // namespace Exercise

#endif
