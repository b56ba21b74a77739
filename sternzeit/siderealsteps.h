#ifndef STERNZEIT_SIDEREALSTEPS_H
#define STERNZEIT_SIDEREALSTEPS_H

#include "core/resultrow.h"
#include "core/sexagesimal.h"
#include "core/stepresult.h"

#include <QDate>

// The local sidereal time of birth ("Sternzeit der Geburt"), worked by hand
// from the birth data and an ephemeris, one plain function per step; each
// answers with its result or with one message shown under the title
// "Sternzeit". The chain, for a birth in Berlin (13°24' O) on 1 February 1987
// at 14.35 Uhr MEZ:
//
//   1  universal time                14h35m00s - 1 h = 13h35m00s, on 01.02.1987
//   2  sidereal time at 0h UT        from the ephemeris of 1 February 1987: 8h42m41s
//   3  the share of the interval     13,5833 h x 9,8565 s = 133,8841 s -> 2m14s
//   4  the longitude in time         13°24' x 4 m = 53m36s, east: +
//   5  the sum                       8h42m41s + 13h35m00s + 2m14s + 53m36s = 23h13m31s
//
// (exactly, the local sidereal time of that moment is 23h13m30,5s).
//
// A birth shortly after midnight of a zone east of Greenwich falls on the
// day before in universal time, one shortly before midnight west of it on
// the day after: that day is the one whose sidereal time the ephemeris gives.
namespace Sidereal {

inline QString title()
{
    return QStringLiteral("Sternzeit");
}

// What the form holds, read as the steps read it: the head's values as the
// steps copy them, and each result where a later step reads it.
struct Entries {
    Core::Sexagesimal birthDate;        // day, month, year as typed in the head
    Core::Sexagesimal civilTime;        // the birth time, as copied into step 1
    double zone = 0;                    // hours ahead of Greenwich, as copied into step 1
    Core::Sexagesimal universalTime;    // as copied into step 3
    Core::Sexagesimal longitude;        // degrees and minutes of arc, as copied into step 4
    double eastWest = 1;                // +1 east, -1 west, as copied into step 4
    Core::Sexagesimal ephemerisOfStep5; // the sidereal time at 0h UT, as copied into step 5
    Core::Sexagesimal universalTimeOfStep5;
    Core::Sexagesimal shareOfStep5;
    Core::Sexagesimal longitudeTimeOfStep5;
    Core::Sexagesimal sum; // the sum of step 5, as it stands before the reduction
    double dayHours = 0;   // "+0h", "-24h", "-48h" or "+24h"
};

// A date typed in three fields, as a day of the calendar; nothing while it
// is none (31 February, a year 0, a part with a fraction).
std::optional<QDate> dateOf(const Core::Sexagesimal &typed);

// Step 1: the birth time less the zone, brought into the day, and the day it
// then falls on: the ephemeris day, one day before or after the birth date
// where the universal time crosses midnight.
struct UniversalTime {
    Core::SexagesimalTriple time;
    int dayShift = 0; // -1: the day before the birth date, +1: the day after
    QDate ephemerisDay;
    qint32 unreduced = 0; // birth time less zone, seconds, before the day shift
};
Core::StepResult<UniversalTime> universalTime(const Core::Sexagesimal &birthDate,
                                              const Core::Sexagesimal &civilTime, double zone);

// Step 3: the sidereal time gained over the universal time, 9,8565 s an hour,
// with what the hand method writes on the way: the universal time in decimal
// hours and the share to four places.
struct Share {
    Core::FixedDecimal hours;   // 13,5833
    Core::FixedDecimal seconds; // 133,8841, the exact product to four places
    Core::SexagesimalTriple time;
};
Core::StepResult<Share> share(const Core::Sexagesimal &universalTime);

// Step 4: degrees x 4 minutes, minutes of arc x 4 seconds; west negative.
Core::StepResult<Core::SexagesimalTriple> longitudeInTime(const Core::Sexagesimal &longitude,
                                                          double eastWest);

// Step 5: the four terms added as they come, and the correction by whole days
// that brings the sum into the day (proposed with it).
struct SiderealSum {
    Core::SexagesimalTriple time;
    double dayHours = 0; // 0, -24, -48 or +24
};
Core::StepResult<SiderealSum> siderealSum(const Core::Sexagesimal &ephemeris,
                                          const Core::Sexagesimal &universalTime,
                                          const Core::Sexagesimal &share,
                                          const Core::Sexagesimal &longitudeTime);
// The sum corrected by the chosen whole days; refused unless it is then a
// sidereal time from 0 h to below 24 h.
Core::StepResult<Core::SexagesimalTriple> withinDay(const Core::Sexagesimal &sum, double dayHours);
// The correction a sum needs: 0, -24, -48 or +24 hours.
double dayHoursFor(qint64 sumSeconds);

// The row of the result list: "Sternzeit" | the birth date | 23h13m31s.
Core::StepResult<Core::ResultRow> resultRow(const Core::Sexagesimal &birthDate,
                                            const Core::Sexagesimal &siderealTime);

} // namespace Sidereal

#endif
