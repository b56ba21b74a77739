#ifndef EXERCISE_ANSWERCHECK_H
#define EXERCISE_ANSWERCHECK_H

#include "core/sexagesimal.h"
#include "exercise/task.h"

#include <QDateTime>
#include <QString>

// Checking a student's answer against the hand answer of the task. A wrong
// answer is told which part is wrong, the time or the date, and given a hint
// to the slip it looks like, without the right values: the wrong pair of
// days, A and B swapped, B measured from date 2, the time zone forgotten, an
// hour of 24 or more left standing, or the date not moved after "-24h".

namespace Exercise {

struct Answer {
    Core::FieldTexts time; // hours, minutes, seconds as typed
    Core::FieldTexts date; // day, month, year as typed
};

struct Verdict {
    enum class Outcome { Incomplete, Right, Wrong };
    Outcome outcome = Outcome::Incomplete;
    bool timeRight = false;
    bool dateRight = false;
    // Incomplete: the first empty field, 0-2 the time, 3-5 the date.
    int firstEmpty = -1;
    QString message;
};

// The title of the window's messages.
QString exerciseTitle();

// exactUtc is the exact moment of the Solar (exactMoment), shown with a right
// answer for comparison.
Verdict checkAnswer(const Task &task, const Answer &answer, const QDateTime &exactUtc);

} // namespace Exercise

#endif
