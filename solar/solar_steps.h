#ifndef SOLAR_SOLAR_STEPS_H
#define SOLAR_SOLAR_STEPS_H

#include "core/effects.h"
#include "core/resultrow.h"

#include <QString>

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
// Every step is a pure function of the form's current values: it answers
// either with all its field writes, in order, or with exactly one message
// titled "Solar" and no writes. A value that leaves the 16- or 32-bit range of
// the calculation (very long digit strings, "1E400") is answered with the one
// message "Überlauf!". The form applies the answer to its controls; nothing
// here touches a widget.
namespace SolarSteps {

// Title of every message box of the Solar calculator.
QString Title();

// Step 1, run whenever the selection of an element of a position picker
// changes: the picked degrees, minutes or seconds of date 1 (picker "cmbDeg1")
// go into the subtrahends of steps 2 and 3 (txtDeg02, txtDeg03), those of
// date 2 ("cmbDeg2") into the minuend of step 2 (txtDeg01). The radix position
// ("cmbDeg13") is carried into the radix picker of step 3 (cmbDeg5), but only
// once that picker holds the same entries. A picker without a selection
// carries nothing.
Effects PickerClicked(const FormValues &v, const QString &picker, int index);

// Step 2, the Sun's motion A from date 1 to date 2, into txtDeg1 and txtDeg4.
Effects Command2_Click(const FormValues &v);
// Step 3, the distance B from date 1 to the radix Sun, into txtDeg2 and txtDeg3.
Effects Command3_Click(const FormValues &v);
// Step 4, the Greenwich time of the Solar, B / A x 24 h, into txtTime1 and txtTime2.
Effects Command4_Click(const FormValues &v);
// Step 5, the time zone selected in cmbGMT added to the hour, into txtTime3.
Effects Command1_Click(const FormValues &v);
// Step 5, the day shift of Combo1 added to the hour, into txtTime4; on success
// the calculation is marked finished (ResultReady) before the writes.
Effects Command5_Click(const FormValues &v);

// The row that the finished calculation adds to the result list:
// "Solar" | day.month.year of the Solar (Text1 elements 2-4) | the final time
// (txtTime4) as 14h33m17s. Throws Overflow for a number beyond a double.
ResultRow ResultRowOf(const FormValues &v);

} // namespace SolarSteps

#endif
