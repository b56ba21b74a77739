#ifndef SOLAR_SOLARCHECK_H
#define SOLAR_SOLARCHECK_H

#include "astro/solarreturn.h"
#include "core/checkwords.h"
#include "core/stepresult.h"
#include "solar/solarstate.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// The check of a Solar worked by hand against the exact computation.
//
// In the examination a student reads two Sun positions from a printed
// ephemeris and interpolates between them. Two things go wrong: the reading
// (the wrong day or year, the wrong column, minutes and seconds swapped) and
// the working (a step forgotten or left standing after its inputs changed, a
// slip in a step, 24 h not taken off, the wrong date). The check sets the
// student's values beside the exact ones: the 0h UT positions of the two
// ephemeris days that enclose the radix Sun, rounded to the second of arc as
// an ephemeris prints them, and the moment at which the Sun truly reaches the
// radix position.
//
// The verdict never leans on that moment: a calculation is right when every
// step is current and gives what the calculator's own step gives on its
// inputs, the positions are read right and the date and clock time are real.
// A right hand calculation still differs from the exact moment by some
// seconds (the ephemeris rounds to a second of arc, about 24 s of time, and
// the Sun does not move evenly within a day); the finding explains that
// difference, it never excuses anything with it.
//
// Where the two days lie on both sides of a sign's beginning, the form's
// steps 2 and 3 subtract within one sign and refuse the pair: the student
// works A (and B, where the radix already lies in the second sign) by hand
// with 30° carried and types them into step 4. Such work is judged from step
// 4 on, with A and B set against the values across the sign.
namespace Solar {

// The Solar a calculation answers, as numbers: its task's, or for a free
// calculation what the student typed and picked in the head.
struct Problem {
    int sign = 0; // 0 Widder .. 11 Fische
    int year = 0;
    int birthDay = 0;
    int birthMonth = 0;
    qint32 radix = 0;        // '' from 0° Aries
    std::optional<int> zone; // the zone the task names
    bool given = false;      // the problem is a task's
    QString residence;       // where the task's person lives abroad, else empty
};

// Reads the typed texts of a head into its numbers: the sign, the year, the
// birthday and the date of the Solar (the form does it where they change).
void readHeader(Header &header);

// The typed texts of the header as a problem, or the one message that says
// what is missing or unusable.
Core::StepResult<Problem> problemOf(const Header &header);
Problem problemOf(const Core::GivenTask &task);
// The problem of a worked calculation: its task's, or its head's.
Core::StepResult<Problem> problemOf(const Worked &worked);

// The one exact answer of a Solar: the two ephemeris days and the moment the
// Sun reaches the radix, which the check, the sheet and the exercises show.
// Nothing for a birthday that no calendar has.
std::optional<Astro::ExactSolarReturn> exactSolar(const Problem &problem);
// The exact moment as a clock time of a zone, to the whole second.
QDateTime exactClockTime(const Astro::ExactSolarReturn &exact, int zone);

// What the finding names: the first thing wrong, or that all is right.
enum class Cause {
    Right,
    FarFromBirthday, // the radix is not reached near the birthday
    Swapped,         // date 1 and date 2 exchanged
    NotYetWorked,    // no step computed yet, the positions are fine
    NotComputed,     // a step on the way to the result was never computed
    Stale,           // a step's result no longer belongs to its inputs
    NoClockTime,     // 24 h or more, or below 0 h
    StepSlip,        // a step's result is not what the step gives
    MissingDate,     // no date of the Solar, or none that exists
    WrongDate,       //
    Misread,         // a position more than the reading tolerance off
    WrongPair,       // the positions of two other days of the ephemeris
    GivenValue,      // the sign, year or radix other than the task's
    Zone,            // another time zone than the task's
};

struct Comparison {
    Problem problem;
    qint32 radix = 0; // '' from 0° Aries
    Astro::ExactSolarReturn exact;
    int zoneHours = 1;
    QDateTime exactUtc;   // the exact moment to the whole second
    QDateTime exactLocal; // the same as a clock time of the zone, written as UTC
    qint32 hand1 = 0;     // the picked positions, '' from 0° Aries
    qint32 hand2 = 0;
    // The student's times as whole moments: the Greenwich time on date 1 and
    // the final time on the date of the Solar; nothing before their step.
    std::optional<QDateTime> handGreenwich;
    std::optional<QDateTime> handFinal;
    std::optional<qint64> finalSeconds; // the final clock time in seconds
    std::optional<QDate> solarDate;
    QString solarDateTyped; // as typed, "—" for none
    bool greenwichCurrent = false;
    bool finalCurrent = false;
    // The two ephemeris days lie in two signs: A and B are worked by hand
    // across the sign and typed into step 4.
    bool acrossSign = false;
    Cause cause = Cause::Right;
    int step = -1; // the step the cause names (Step), -1 for none
    QString finding;
};

// Compares a worked Solar with the exact Solar return. Input it cannot work
// with answers with one message instead (title "Kontrolle").
Core::StepResult<Comparison> compare(const Worked &worked);
// The same with the problem and its exact answer worked out beforehand.
Comparison compare(const Worked &worked, const Problem &problem,
                   const Astro::ExactSolarReturn &exact);

// The rows of the comparison as the dialog and the sheet show them: the two
// positions, the Greenwich time, the time and the date of the Solar.
QList<Core::CheckRow> comparisonRows(const Comparison &comparison);
// The convention of the exact positions, in one line.
QString exactConvention();

} // namespace Solar

#endif
