#ifndef EXERCISE_RECTIFICATIONANSWER_H
#define EXERCISE_RECTIFICATIONANSWER_H

#include "core/sexagesimal.h"
#include "exercise/answerhint.h"
#include "exercise/rectificationtask.h"
#include "rekti/rectificationcheck.h"

#include <QString>

#include <optional>

// Checking a rectification task on the exercise page.
//
// Where the calculator keeps the student's calculation of the task, "Prüfen"
// judges that calculation with the check of "Kontrolle…", word for word.
// With the answer alone it compares the answer with the task's hand answer:
// a wrong answer is told which part is wrong, and where it is exactly what a
// usual slip gives, that slip is named as a possibility ("vielleicht: …"),
// never the right values.

namespace Exercise {

using RectificationVerdict = AnswerVerdict<Rectification::Cause>;

// The correction as typed, in seconds: each field a whole number. A minus
// before the hours applies to the whole answer where the other fields carry
// no sign ("-0 | 1 | 4" is -1 m 4 s); fields with their own signs are added
// ("0 | -1 | -4" and "0 | 0 | -64" are -1 m 4 s). Nothing for an answer with
// a field that is empty, no whole number or more than a day; `firstBad` names
// that field.
struct TypedCorrection {
    std::optional<qint32> seconds;
    int firstBad = -1;
};
TypedCorrection readCorrection(const Core::FieldTexts &fields);

// The answer alone, against the task's hand answer.
RectificationVerdict checkRectificationAnswer(const RectificationTask &task,
                                              const Core::FieldTexts &correction);
// The calculation the calculator keeps of the task, as "Kontrolle…" judges it
// with the task's house table.
RectificationVerdict checkRectificationCalculation(const RectificationTask &task,
                                                   const Rectification::Worked &worked);

} // namespace Exercise

#endif
