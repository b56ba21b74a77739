#ifndef EXERCISE_ANSWERHINT_H
#define EXERCISE_ANSWERHINT_H

#include <QString>

#include <optional>

namespace Exercise {

// What the hint to a wrong answer typed on an exercise page points at, where
// no calculation of the task was judged: the usual slip the answer is exactly
// what it gives, or the general advice given instead. The record of the work
// keeps it as the answer's first cause.
enum class AnswerHint {
    None,
    // Solar: the clock time
    ZoneForgotten,     // the Greenwich time, the zone not added
    GermanZoneAbroad,  // +1 taken for a residence abroad
    ZoneSignTurned,    // the zone subtracted east or added west
    DayNotTaken,       // 24 h or more left standing, "-24h" forgotten
    SwappedAB,         // B ÷ A turned upside down
    DistanceFromDate2, // B measured from the second date
    WrongPair,         // the pair of days before or after the right one
    ExactMoment,       // the exact moment instead of the hand calculation
    NearlyRight,       // within a reading or rounding of the answer
    AcrossSign,        // across a sign, no usual slip gives it
    Unexplained,       // no usual slip gives it
    // Solar: the date
    NoSuchDate,        // a day the calendar does not have
    DateNotMoved,      // the date not moved after "-24h"
    DateMoved,         // the date moved without "-24h" or "+24h"
    DateMovedWrongWay, // a day after for "+24h", a day before for "-24h"
    WrongYear,
    WrongDate,
    // Rectification
    WrongSign,        // the right amount with the other sign
    Rows,             // the rows of the house table
    TableValue,       // a table value misread
    SignCorrection,   // a ±30° of step 5
    CircleCorrection, // the ±360° of step 6: a whole day off
    Age,              // step 1's age miscounted
    // Sidereal time of birth
    SiderealZone,        // the zone forgotten or its sign turned
    SiderealLongitude,   // the longitude forgotten or its sign turned
    SiderealShare,       // the share of 9,8565 s per hour forgotten
    SiderealDay,         // a neighbouring day's page value
    SiderealWithinDay,   // 24 h not taken off or added
    SiderealUnexplained, // no usual slip gives it
};

// The verdict on an answer of a task whose calculator's check names its
// causes as `Cause`: the answer typed, or the calculation kept of the task.
template <typename Cause> struct AnswerVerdict {
    enum class Outcome { Incomplete, Right, Wrong };
    Outcome outcome = Outcome::Incomplete;
    // Incomplete: the first field that is empty or holds no whole number.
    int firstEmpty = -1;
    QString message;
    // The first cause, where a worked calculation was judged.
    std::optional<Cause> cause;
    // The hint to a wrong answer alone.
    AnswerHint hint = AnswerHint::None;

    // The calculator's check of the calculation kept (a StepResult of its
    // report) as the verdict: its finding, right or wrong with its first
    // cause; the check's message while it cannot be made.
    template <typename Checked> static AnswerVerdict ofCheck(const Checked &checked)
    {
        AnswerVerdict verdict;
        if (!checked.ok()) {
            verdict.message = checked.message();
            return verdict;
        }
        verdict.outcome = checked.value().right ? Outcome::Right : Outcome::Wrong;
        verdict.cause = checked.value().cause;
        verdict.message = checked.value().finding;
        return verdict;
    }
};

} // namespace Exercise

#endif
