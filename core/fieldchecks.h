#ifndef CORE_FIELDCHECKS_H
#define CORE_FIELDCHECKS_H

#include "core/sexagesimal.h"

// Range checks on the three texts of a time or angle field triple. Both say
// "not out of range" while any of the three texts is empty, so that a time is
// only judged once all its parts have been typed. Each text is read with
// TextValue and rounded to a whole number (halves to even); a number beyond
// the signed 32-bit range, or beyond a double, counts as out of range.

// True when hours > 23, minutes > 59 or seconds > 59.
bool TimeFieldsOutOfRange(const FieldTexts &texts);
// True when degrees > 30, minutes > 59 or seconds > 59 (an angle within a sign).
bool AngleFieldsOutOfRange(const FieldTexts &texts);

#endif
