#ifndef STERNZEIT_SIDEREALCHECK_H
#define STERNZEIT_SIDEREALCHECK_H

#include "core/checkwords.h"
#include "core/stepresult.h"
#include "sternzeit/siderealstate.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// The check of a sidereal time of birth worked by hand ("Kontrolle…").
//
// The hand method adds four terms: the sidereal time at 0h UT read from an
// ephemeris, the universal time of birth, the sidereal time that clock gains
// meanwhile (9,8565 s an hour) and the longitude in time. The sky gives the
// same sum exactly: the Greenwich mean sidereal time of the birth moment
// (IAU 2006, ERFA's eraGmst06) plus the east longitude at 4 minutes a degree.
//
// The check keeps the two apart. It first follows the hand method on the
// entries: every step computed and current, every value carried from the
// head and from step to step as it stands there (a zone taken with the wrong
// sign or forgotten, a share left out or taken off, east and west swapped or
// a longitude times 4 slipped, a copy that differs), the sum brought into the
// day by the right whole days. Then it compares what was read with the sky:
// the ephemeris value of step 2 must be the sidereal time at 0h UT of the day
// step 1 names (to the second as the page prints it where a task gives the
// page, within a second of it for an ephemeris of the student's own); another
// day's (the birth date's, where the universal time crosses midnight: about
// 3m56s off) or a misread value is named. A hand
// calculation that passes all of that differs from the exact sidereal time
// only by the roundings of the ephemeris and the share, about a second: the
// finding explains that difference and never excuses a slip with it.
namespace Sidereal {

// The exact sidereal time of a birth and what makes it up.
struct Exact {
    QDateTime utc;            // the birth moment
    QDate ephemerisDay;       // the date of the universal time
    double ephemeris = 0;     // the sidereal time at 0h UT of that day, seconds
    double universalTime = 0; // seconds of that day
    double share = 0;         // what the sidereal clock gains over the universal time, seconds
    double longitudeTime = 0; // seconds, east positive
    double siderealTime = 0;  // the local mean sidereal time, seconds [0, 86 400)
};

// The exact answer for a birth date, a civil time (seconds of the day), a
// zone and an east longitude (minutes of arc).
Exact exactSiderealTime(QDate birthDate, qint32 civilSeconds, int zone, int eastLongitudeMinutes);
// The sidereal time at 0h UT of a day as an ephemeris prints it: to the
// whole second.
qint32 printedEphemeris(QDate day);

enum class Cause {
    Right,
    GivenValue,  // the birth data other than the task's
    NotComputed, // a step on the way was never computed
    Stale,       // a step no longer belongs to its inputs
    Zone,        // the zone taken with the wrong sign, or forgotten
    Share,       // the share left out or taken off
    Longitude,   // east and west swapped, or the longitude in time slipped
    BrokenLink,  // another value that does not follow from the one before it
    Reduction,   // the sum not brought into the day by the right whole days
    WrongDay,    // the ephemeris value of another day
    Misread,     // the ephemeris value misread, or missing
    Deviation,   // more deviation from the sky than the roundings explain
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

// The check of a worked calculation; a message while no step has been
// computed or the head lacks what the exact answer needs.
Core::StepResult<CheckReport> checkSidereal(const Worked &worked);

} // namespace Sidereal

#endif
