#ifndef EXERCISE_SIDEREALANSWER_H
#define EXERCISE_SIDEREALANSWER_H

#include "core/sexagesimal.h"
#include "exercise/answerhint.h"
#include "exercise/siderealtask.h"
#include "sternzeit/siderealcheck.h"

#include <QString>

#include <optional>

// Checking a task of the sidereal time of birth on the exercise page.
//
// Where the calculator keeps the student's calculation of the task, "Prüfen"
// judges that calculation with the check of "Kontrolle…", word for word.
// With the answer alone it compares the answer with the task's hand answer,
// to the second: the page prints its values to the second and the share is
// rounded to it, so the hand method has one answer. A wrong answer that is
// exactly what a usual slip gives names that slip as a possibility
// ("Vielleicht: …").

namespace Exercise {

using SiderealVerdict = AnswerVerdict<Sidereal::Cause>;

// The answer alone (hours, minutes, seconds), against the task's hand answer.
SiderealVerdict checkSiderealAnswer(const SiderealTask &task, const Core::FieldTexts &time);
// The calculation the calculator keeps of the task, as "Kontrolle…" judges it.
SiderealVerdict checkSiderealCalculation(const Sidereal::Worked &worked);

} // namespace Exercise

#endif
