#ifndef REKTI_RECTIFICATIONSTEPS_H
#define REKTI_RECTIFICATIONSTEPS_H

#include "core/resultrow.h"
#include "core/sexagesimal.h"
#include "core/stepresult.h"

// The birth-time correction by primary directed axes ("GZK"), one plain
// function per step; each answers with its result or with one message shown
// under the title "GZK". The chain, with the examination's worked example:
//
//   1  age at the event              34 years 120 days
//   2  decimal years                 120 / 365 + 34 = 34.3287671232877
//      direction arc (Naibod key)    x 0°59'08'' = 121 798'' = 33°49'58''
//   3  arc in time (4 m per degree)  2 h 15 m 20 s
//   4  sidereal time of the event    22 h 50 m + 2 h 15 m 20 s = 25 h 5 m 20 s,
//                                    less a day ("-24h"): 1 h 5 m 20 s
//   5  interpolation in the house tables: (corrected - smaller) / (greater - smaller)
//                                    1900'' / 3690'' = 0.5149 -> 0°30'54''
//   6  RAMC + quotient - arc         123° + 0°30'54'' - 33°49'58'' = 89°40'56''
//   7  corrected RAMC in time        5 h 58 m 44 s
//   8  minus sidereal time of birth  5 h 58 m 44 s - 6 h 2 m 10 s = 0 h -3 m -26 s
namespace Rectification {

inline QString title()
{
    return QStringLiteral("GZK");
}

// The message of a RAMC above 360°; the form then empties the RAMC for a new entry.
inline QString ramcTooLarge()
{
    return QStringLiteral("RAMC ist maximal 360° möglich!");
}

// The age at the event as typed: whole years and further days.
struct Age {
    double years = 0;
    double days = 0;
};

// What the form holds, read as the steps read it.
struct Entries {
    Age age;                             // as copied into step 2
    double decimalYears = 0;             // as the desktop writes it (read back regionally)
    Core::Sexagesimal directionArc;      // as copied into step 3
    Core::Sexagesimal birthSiderealTime; // as copied into step 4
    Core::Sexagesimal arcInTime;         // as copied into step 4
    Core::Sexagesimal eventSiderealTime; // the sum of step 4
    double dayHours = 0;                 // "-0h" or "-24h"
    Core::Sexagesimal greaterTableValue, smallerTableValue;
    double firstSignCorrection = 0; // "-30", "+0" or "+30"
    Core::Sexagesimal correctedTableValue, smallerTableValue2;
    double secondSignCorrection = 0;
    Core::Sexagesimal tableStep;     // greater - smaller, as copied into step 5
    Core::Sexagesimal towardsPlanet; // corrected - smaller, as copied into step 5
    double ramc = 0;                 // whole degrees of the smaller row
    Core::Sexagesimal quotient;      // as copied into step 6
    Core::Sexagesimal ramcPlusQuotient;
    Core::Sexagesimal arcOfStep6;    // the direction arc, as copied into step 6
    double circleCorrection = 0;     // " 0", "+360" or "- 360"
    Core::Sexagesimal correctedRamc; // as copied into step 7
    Core::Sexagesimal ramcInTime;    // as copied into step 8
    Core::Sexagesimal birthSiderealTimeOfStep8;
    Core::Sexagesimal correction; // the result of step 8
};

// The days as a fraction of a year of 365 days plus the whole years (the
// years rounded half to even, the days not).
Core::StepResult<double> decimalYears(const Age &age);
// The decimal years as step 2 writes them into their field, as the desktop
// writes a number (up to 15 significant digits), and reads them back.
double asWritten(double decimalYears);
// Decimal years x the Naibod key (0°59'08'' of arc per year), to the second.
Core::StepResult<Core::SexagesimalTriple> directionArc(double decimalYears);

// An arc turned into time, with what the hand method writes on the way: the
// arc in decimal degrees to four places, times 4 minutes per degree in
// decimal hours to four places, and the time.
// 121 798'' = 33.8328° -> 2.2555 h -> 2 h 15 m 20 s.
struct ArcTime {
    Core::FixedDecimal degrees;
    Core::FixedDecimal hours;
    Core::SexagesimalTriple time;
};
Core::StepResult<ArcTime> arcInTime(const Core::Sexagesimal &directionArc);

// The sidereal time of the event, as it comes, and whether it passes a full day.
struct SiderealSum {
    Core::SexagesimalTriple time;
    bool beyondADay = false;
};
Core::StepResult<SiderealSum> eventSiderealTime(const Core::Sexagesimal &birthSiderealTime,
                                                const Core::Sexagesimal &arcInTime);
// The sidereal time of the event brought within the day (dayHours 0 or -24).
Core::StepResult<Core::SexagesimalTriple>
siderealTimeWithinDay(const Core::Sexagesimal &eventSiderealTime, double dayHours);
// The difference of two house-table values within their signs, with the
// correction of +-30° where the sign changes between them; never negative.
Core::StepResult<Core::SexagesimalTriple> tableDifference(const Core::Sexagesimal &minuend,
                                                          const Core::Sexagesimal &subtrahend,
                                                          double signCorrection);

// The part of the table interval that the radix planet's position covers, as
// a decimal of four places (1900'' / 3690'' = 0.5149), and that decimal shown
// like an angle: 0.5149 -> 0°30'54''.
struct Quotient {
    qint32 towards = 0; // the two differences in seconds of arc
    qint32 step = 0;
    Core::FixedDecimal value;
    Core::SexagesimalTriple asAngle;
};
Core::StepResult<Quotient> tableInterpolation(const Core::Sexagesimal &towardsPlanet,
                                              const Core::Sexagesimal &tableStep);
// The RAMC of the smaller table row in whole degrees plus the quotient.
Core::StepResult<Core::SexagesimalTriple> ramcPlusQuotient(double ramc,
                                                           const Core::Sexagesimal &quotient);
// RAMC + quotient - direction arc, brought into 0°..360° by the chosen correction.
Core::StepResult<Core::SexagesimalTriple> correctedRamc(const Core::Sexagesimal &ramcPlusQuotient,
                                                        const Core::Sexagesimal &directionArc,
                                                        double circleCorrection);
Core::StepResult<ArcTime> ramcInTime(const Core::Sexagesimal &correctedRamc);
// Corrected RAMC in time - sidereal time of birth, not reduced modulo 24 h.
Core::StepResult<Core::SexagesimalTriple>
birthTimeCorrection(const Core::Sexagesimal &ramcInTime,
                    const Core::Sexagesimal &birthSiderealTime);

// The row of the result list: "Rektifikation" | the event | 0h-3m-26s.
Core::StepResult<Core::ResultRow> resultRow(const QString &event,
                                            const Core::Sexagesimal &correction);

} // namespace Rectification

#endif
