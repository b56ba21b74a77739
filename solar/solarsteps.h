#ifndef SOLAR_SOLARSTEPS_H
#define SOLAR_SOLARSTEPS_H

#include "core/resultrow.h"
#include "core/sexagesimal.h"
#include "core/stepresult.h"

// The arithmetic of the Solar return, step by step as the examination's hand
// method does it. The Solar return is the moment at which the Sun, in the
// wanted year, stands again at its radix position; it is found by linear
// interpolation between the Sun positions of two consecutive ephemeris days
// (date 1 the smaller position, date 2 the larger one):
//
//   step 2  A = position of date 2 - position of date 1   (the Sun's motion that day)
//   step 3  B = radix position - position of date 1       (the distance still to cover)
//   step 4  time = B / A x 24 h, Greenwich clock time on date 1
//   step 5  plus the time-zone offset, then plus the day shift (+0h or -24h)
//
// Worked example: radix 14°22'30'', date 1 at 13°50'10'', date 2 at 14°47'25''
// give A = 0°57'15'', B = 0°32'20'', 13.5546 h = 13 h 33 m 17 s Greenwich time,
// and 14 h 33 m 17 s in German time (+1 h).
//
// Every step is a plain function of the values it needs and answers with its
// result or with one message, shown under the title "Solar".
namespace Solar {

inline QString title()
{
    return QStringLiteral("Solar");
}

// What the form holds, read as the steps read it.
struct Entries {
    Core::Sexagesimal date1;         // the Sun on date 1, as carried into step 2
    Core::Sexagesimal date2;         // the Sun on date 2
    Core::SexagesimalTriple radix;   // the radix Sun picked in step 3
    Core::Sexagesimal date1OfStep3;  // the Sun on date 1, as carried into step 3
    Core::Sexagesimal motion;        // A, as copied into step 4
    Core::Sexagesimal distance;      // B, as copied into step 4
    Core::Sexagesimal greenwichTime; // as copied into step 5
    double zoneHours = 0;            // the time zone chosen, "+1" for German time
    Core::Sexagesimal zoneTime;
    double dayShiftHours = 0; // "+0h" or "-24h"
    Core::Sexagesimal finalTime;
    Core::Sexagesimal date; // day, month and year of the Solar
    // The result fields of steps 2 to 4 as they stand: a result typed over is
    // no longer the step's.
    Core::Sexagesimal motionShown, distanceShown, greenwichShown;
};

// Step 2: the Sun's motion A from date 1 to date 2. The Sun moves between
// 0°57' and 1°01' a day; more than 1°05' means misread ephemeris days.
Core::StepResult<Core::SexagesimalTriple> sunMotion(const Core::Sexagesimal &date1,
                                                    const Core::Sexagesimal &date2);
// Step 3: the distance B from the Sun on date 1 to the radix Sun.
Core::StepResult<Core::SexagesimalTriple> distanceToRadix(const Core::SexagesimalTriple &radix,
                                                          const Core::Sexagesimal &date1);
// Steps 2 and 3 as the hand method works them when the two ephemeris days lie
// on both sides of a sign's beginning. The form's steps subtract the degrees
// within one sign and refuse such a pair; the position in the next sign has
// fewer degrees within it, and 30° count the step across
// (Core::signCorrection): A = 0°28'40'' + 30° − 29°31'10'' = 0°57'30''. B
// carries 30° only where the radix already lies in the second sign, and is
// otherwise step 3's. Both are typed into step 4.
Core::StepResult<Core::SexagesimalTriple> sunMotionAcrossSign(const Core::Sexagesimal &date1,
                                                              const Core::Sexagesimal &date2);
Core::StepResult<Core::SexagesimalTriple> distanceAcrossSign(const Core::SexagesimalTriple &radix,
                                                             const Core::Sexagesimal &date1);
// Step 4: the Greenwich time of the Solar, B / A x 24 h, with what the hand
// method writes on the way: A and B in seconds of arc and the decimal hours
// to four places (1940'' / 3435'' x 24 h = 13.5546 h = 13 h 33 m 17 s).
struct Interpolation {
    qint32 motion = 0;   // A, ''
    qint32 distance = 0; // B, ''
    Core::FixedDecimal hours;
    Core::SexagesimalTriple time;
};
Core::StepResult<Interpolation> greenwichTime(const Core::Sexagesimal &motion,
                                              const Core::Sexagesimal &distance);
// Step 5: the time zone added to the hour; minutes and seconds carried as they are.
Core::StepResult<Core::Sexagesimal> zoneTime(const Core::Sexagesimal &greenwichTime,
                                             double zoneHours);
// Step 5: the day shift added to the hour; the clock time must stay within a day.
Core::StepResult<Core::Sexagesimal> finalTime(const Core::Sexagesimal &zoneTime,
                                              double dayShiftHours);

// The row of the result list: "Solar" | 5.7.2024 | 14h33m17s.
Core::StepResult<Core::ResultRow> resultRow(const Core::Sexagesimal &date,
                                            const Core::Sexagesimal &finalTime);

} // namespace Solar

#endif
