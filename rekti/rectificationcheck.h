#ifndef REKTI_RECTIFICATIONCHECK_H
#define REKTI_RECTIFICATIONCHECK_H

#include "astro/houses.h"
#include "core/checkwords.h"
#include "core/giventask.h"
#include "core/stepresult.h"
#include "rekti/rectificationstate.h"
#include "rekti/rectificationsteps.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The check of a worked rectification ("Kontrolle…"), and the one exact
// answer that the check, the calculation sheet and the exercises share.
//
// The hand method reads MC or AC off a printed house table and interpolates
// linearly between two rows; the exact answer asks at which RAMC the axis
// stands on the radix planet's aspect point, computed from the formulas of
// the axes, and takes it back by the unrounded direction arc to the birth.
//
// A calculation is judged against what it answers: the task taken over from
// the exercises, or, for a free calculation, what its head and the check's
// house table say. The check follows the chain of the steps and names the
// first fault: the age of step 1 against the dates, a step not pressed or no
// longer current, a link that does not follow from the one before it, a given
// value other than the task's, the rows and the RAMC, a misread table value
// or the other axis, the corrected value, the ±30° and ±360° choices. A
// calculation of a task is right when it is the task's hand calculation; a
// free one, when what remains is explained by the interpolation and the
// roundings. No tolerance of the method ever excuses a slip.

namespace Rectification {

// The house table the student worked with: the axis and the birth place's
// latitude (which shapes the AC only).
struct TableChoice {
    Astro::Axis axis = Astro::Axis::MC;
    int latitudeMinutes = 0; // north, minutes of arc

    friend bool operator==(const TableChoice &, const TableChoice &) = default;
};

// The table a task names: its axis and the latitude of its birth place.
TableChoice tableOf(const Core::GivenTask &task);
// "AC, 52°22' N".
QString tableText(const TableChoice &table);

// What a calculation answers, as numbers: from a task's given values as
// printed, or from a free calculation's head and its house table.
struct Problem {
    TableChoice table;
    double obliquity = 0; // degrees, of the birth
    QDate birthDate;      // invalid when unknown
    std::optional<QDate> eventDate;
    // The age at the event: from the two dates where both are known (then
    // `ageFromDates`), else as typed in step 1.
    Age age;
    bool ageFromDates = false;
    // The last birthday before the event was a 29 February counted on 1 March.
    bool leapDayMoved = false;
    qint32 birthSiderealTime = 0; // seconds, as printed or typed
    // What the exact correction is counted from, seconds: the sidereal time
    // of birth as printed or typed, or, where the task has the student work
    // it out, the exact sidereal time of the birth moment itself.
    double exactBirthSiderealTime = 0;
    qint32 aspectPoint = 0; // '' from 0° Aries
};

Problem problemOf(const Core::GivenTask &task);

// The exact correction of the birth time.
struct Exact {
    double arc = 0;             // the unrounded direction arc, degrees
    double aspectRamc = 0;      // the RAMC at which the axis stands on the aspect point
    double birthRamc = 0;       // taken back by the arc: the RAMC of the true birth
    double siderealSeconds = 0; // the correction in sidereal time
    double civilSeconds = 0;    // the same in civil (mean solar) time
};

// The one exact answer of a rectification; the page, the check and the sheet
// all show it.
Exact exactCorrection(const Problem &problem);

// The first cause a check names, as a code that stays the same whatever the
// wording: what the record of the work keeps.
enum class Cause {
    Right,
    Age,              // step 1 miscounted
    NotComputed,      // a step on the way was never computed
    Stale,            // a step no longer belongs to its inputs
    BrokenLink,       // a value that does not follow from the one before it
    GivenValue,       // a given value other than the task's
    DayReduction,     // step 4's "-24h" wrong
    Rows,             // the rows do not enclose the event or are not neighbours
    Ramc,             // step 6's RAMC not that of the smaller row
    TableValue,       // a table value misread
    OtherAxis,        // the table values of the other axis
    SmallerCopy,      // the smaller value not repeated in the second row
    CorrectedValue,   // the corrected value not the planet's aspect point
    SignCorrection,   // a ±30° of step 5
    CircleCorrection, // the ±360° of step 6
    DayOff,           // step 8 a whole day off
    Deviation,        // more deviation than the method explains
    OtherTable,       // checked with another axis or latitude than the task's
    Overflow,
};

using Core::CheckRow;

struct CheckReport {
    QList<CheckRow> rows;
    QString finding;
    bool right = false;
    Cause cause = Cause::Right;
    int step = 0; // the number of the step on the form the cause names; 0 for none
};

// The check of a worked calculation with the house table chosen; a message
// while no step has been computed or the two table rows are not typed.
Core::StepResult<CheckReport> checkRectification(const Worked &worked, const TableChoice &table);

} // namespace Rectification

#endif
