#ifndef EXERCISE_SOLARTEXTS_H
#define EXERCISE_SOLARTEXTS_H

#include "core/sexagesimal.h"
#include "exercise/solartask.h"

#include <QDate>
#include <QDateTime>
#include <QString>

// The texts of a task as the student reads them: the task, the rows of its
// ephemeris page and the worked solution. Rich text for the window and the
// exercise sheet; numbers in plain ASCII digits.

namespace Exercise {

// A date with its weekday, as an ephemeris page lists its days:
// "Mo 12.03.2031".
QString dayText(QDate date);

// For a birth on 29 February, which day is the birthday in a common year
// (Core::birthdayIn): "Geburtstag in Gemeinjahren: 1. März"; empty for any
// other birth.
QString leapDayLine(QDate birthDate);

// The task: the person, birth date and town, the radix Sun, the year of the
// Solar, the time zone and the question.
QString solarTaskHtml(const SolarTask &task);

// The moment of the exact Solar in the task's zone time, to the whole second,
// and how far the hand answer lies from it (hand minus exact, in seconds).
struct ExactComparison {
    QDate date;
    Core::SexagesimalTriple clock;
    qint32 handMinusExact = 0;
};
ExactComparison compareWithExact(const SolarTask &task, const QDateTime &exactUtc);

// "13.03.2031 um 9h46m32s (Zeitzone +1)".
QString exactText(const SolarTask &task, const ExactComparison &exact);

// The worked solution, step by step as the calculator computes it, then the
// exact moment and the difference.
QString solarSolutionHtml(const SolarTask &task, const QDateTime &exactUtc);

} // namespace Exercise

#endif
