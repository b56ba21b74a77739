#ifndef EXERCISE_SOLARTASK_H
#define EXERCISE_SOLARTASK_H

#include "core/giventask.h"
#include "exercise/solarhandsolution.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// A generated Solar task, as an examination sets it: a person born on a day
// in a German town, the radix Sun (the Sun's position at the birth), the year
// of the Solar and the time zone; beside it the excerpt of an ephemeris page
// with the Sun at 0h UT of seven days around the birthday in that year.
//
// The Solar is given in the standard time of where the person lives in the
// Solar year, all year round, as the form teaches it for Germany ("Für
// Deutschland gilt immer +1 Stunde"). One task in five sets the person
// abroad (New York -5, Tokio +9, ...), so that a zone time below 0 h ("+24h",
// the day before) and from 24 h on ("-24h", the day after) are practised. One
// task in ten has its radix between two days in two signs, which the hand
// method works across the sign with 30° carried.
//
// Everything follows from the task number alone (1 .. 999 999), through the
// random stream of splitmix64.h: the same number gives the same task on every
// machine, so a teacher can hand out numbered tasks to a class.

namespace Exercise {

constexpr int FirstTask = 1;
constexpr int LastTask = 999'999;

// Days on the ephemeris page before and after the birthday in the Solar year.
constexpr int PageDaysAround = 3;

struct EphemerisDay {
    QDate date;
    qint32 position = 0; // the Sun at 0h UT, '' from 0° Aries, rounded to 1''
};

struct SolarTask {
    int number = 0;
    QString firstName;
    QString surname;
    QString town;
    QDate birthDate; // the local date of the birth
    // The radix Sun: the Sun's exact position at the birth, rounded to 1''.
    qint32 radix = 0;
    int solarYear = 0;
    // The residence in the Solar year abroad, empty in Germany, and its
    // standard time in hours ahead of Greenwich (+1 in Germany).
    QString residence;
    int zone = 1;

    QList<EphemerisDay> page; // seven days, in order
    int pairIndex = 0;        // date 1 of the enclosing pair is page[pairIndex]
    SolarHandSolution hand;   // the answer expected

    EphemerisPair pair() const;
    // The two days of the pair lie in two signs.
    bool acrossSign() const { return hand.acrossSign; }
};

// The task of a number; nothing for a number outside 1 .. 999 999.
std::optional<SolarTask> makeSolarTask(int number);

// Of the consecutive days of a page, the first of the two whose 0h positions
// enclose the radix Sun (position1 <= radix < position2, across 0° Aries), as a
// student looks for them; nothing when no two days of the page do.
std::optional<int> enclosingPair(const QList<EphemerisDay> &page, qint32 radix);

// The moment (UTC, to a tenth of a second) at which the Sun reaches the radix
// position in the Solar year, computed exactly, to set beside the hand answer:
// the check's one exact answer.
QDateTime exactMoment(const SolarTask &task);

// What the task gives, as it travels with its calculation.
Core::GivenTask givenTask(const SolarTask &task);

} // namespace Exercise

#endif
