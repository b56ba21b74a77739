#ifndef REKTI_REKTI_STEPS_H
#define REKTI_REKTI_STEPS_H

#include "core/effects.h"
#include "core/resultrow.h"

// The birth-time correction by primary directed axes ("GZK"), one function per
// handler of the form Rekti. Each reads the form through FormValues and answers
// with the effects the form then carries out in order: the result fields with
// their copies into later steps, a list selection, the ResultReady flag, the
// focus, or one message titled "GZK" instead of the writes. None of them reads
// a control itself or keeps state between presses.
//
// The chain of the calculation, with the examination's worked example:
//   1  age at the event              34 years 120 days
//   2  decimal years                 120 / 365 + 34 = 34.3287671232877
//      direction arc (Naibod key)    × 0°59'08'' = 121 798'' = 33°49'58''
//   3  arc in time (4 m per degree)  2 h 15 m 20 s
//   4  sidereal time of the event    22 h 50 m + 2 h 15 m 20 s = 25 h 5 m 20 s, "-24h" → 1 h 5 m 20
//   s 5  interpolation in the house tables: (corrected − smaller) ÷ (greater − smaller)
//                                    1900'' ÷ 3690'' = 0.5149 → 0°30'54''
//   6  RAMC + quotient − arc         123° + 0°30'54'' − 33°49'58'' = 89°40'56''
//   7  corrected RAMC in time        5 h 58 m 44 s
//   8  minus sidereal time of birth  5 h 58 m 44 s − 6 h 2 m 10 s = 0 h −3 m −26 s
//
// Where a total of seconds leaves 32 bits or whole degrees or hours leave 16
// bits, the step answers "Überlauf!" and writes nothing.
namespace RektiSteps {

// The copies made while the user types. The range checks of these fields
// (the message and the emptied field or removed character) are the form's.
Effects txtJahre_Change(const FormValues &form, int index); // txtJahre → txtJahre2
Effects txtTime0_Change(const FormValues &form, int index); // txtTime0 → txtTime7, txtTime2

Effects Command2_Click(const FormValues &form);  // decimal years
Effects Command3_Click(const FormValues &form);  // direction arc
Effects Command4_Click(const FormValues &form);  // direction arc in time
Effects Command5_Click(const FormValues &form);  // sidereal time of the event, Combo1 preselected
Effects Command6_Click(const FormValues &form);  // less 24 hours if chosen
Effects Command7_Click(const FormValues &form);  // greater − smaller table value
Effects Command8_Click(const FormValues &form);  // corrected − smaller table value
Effects Command9_Click(const FormValues &form);  // quotient of the two differences
Effects Command10_Click(const FormValues &form); // RAMC + quotient
Effects Command11_Click(const FormValues &form); // corrected RAMC
Effects Command12_Click(const FormValues &form); // corrected RAMC in time
Effects Command13_Click(const FormValues &form); // time difference; sets ResultReady

// The row "Rektifikation" | event | time difference (1h5m30s) that "Okay"
// appends to the main window's list. Throws Overflow for a field beyond a double.
ResultRow ResultRowOf(const FormValues &form);

} // namespace RektiSteps

#endif
