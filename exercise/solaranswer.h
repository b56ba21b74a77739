#ifndef EXERCISE_SOLARANSWER_H
#define EXERCISE_SOLARANSWER_H

#include "core/sexagesimal.h"
#include "exercise/answerhint.h"
#include "exercise/solartask.h"
#include "solar/solarcheck.h"

#include <QDateTime>
#include <QString>

#include <optional>

// Checking a Solar task on the exercise page. Where the calculator keeps the
// student's calculation of the task, "Prüfen" judges that calculation with
// the check of "Kontrolle…". With the answer alone it compares the answer
// with the hand answer of the task: a wrong answer is told which part is
// wrong, the time or the date, and where it is exactly what a usual slip
// gives, that slip is named as a possibility ("Vielleicht: …"), without the
// right values: the wrong pair of days, A and B swapped, B measured from date
// 2, the time zone forgotten, the German +1 taken abroad or the zone's sign
// turned round, an hour of 24 or more left standing, or the date not moved
// (or moved the wrong way) after "-24h" or "+24h".

namespace Exercise {

struct SolarAnswer {
    Core::FieldTexts time; // hours, minutes, seconds as typed
    Core::FieldTexts date; // day, month, year as typed
};

struct SolarVerdict {
    enum class Outcome { Incomplete, Right, Wrong };
    Outcome outcome = Outcome::Incomplete;
    bool timeRight = false;
    bool dateRight = false;
    // Incomplete: the first empty field, 0-2 the time, 3-5 the date.
    int firstEmpty = -1;
    QString message;
    // The first cause, where a worked calculation was judged.
    std::optional<Solar::Cause> cause;
    // The hint to a wrong answer alone (the time's where both are wrong).
    AnswerHint hint = AnswerHint::None;
};

// The title of the window's messages.
QString exerciseTitle();

// The answer alone, against the task's hand answer. exactUtc is the exact
// moment of the Solar (exactMoment), shown with a right answer for comparison.
SolarVerdict checkSolarAnswer(const SolarTask &task, const SolarAnswer &answer,
                              const QDateTime &exactUtc);

// The calculation that the Solar calculator keeps of the task, judged as
// "Kontrolle…" judges it, word for word.
// The exact Solar of the task (Solar::exactSolar), where it is known already.
SolarVerdict
checkSolarCalculation(const SolarTask &task, const Solar::Worked &worked,
                      const std::optional<Astro::ExactSolarReturn> &exact = std::nullopt);

} // namespace Exercise

#endif
