#ifndef TESTS_SUPPORT_SIDEREALVERDICTS_H
#define TESTS_SUPPORT_SIDEREALVERDICTS_H

#include "sternzeit/siderealcheck.h"
#include "sternzeit/siderealstate.h"

#include <QDate>
#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>

// The catalogue of wrong answers of the sidereal time of birth: random births
// (1900 to 2075, German and foreign places and zones from -12 to +14, many
// close to midnight) worked in the calculator's own calculation state, once
// right and once with each usual slip: the zone with the wrong sign or
// forgotten, the day shift forgotten or another day's ephemeris value, a
// misread ephemeris value, the share left out or taken off, east and west
// swapped, the longitude in time slipped, the sum not brought into the day, a
// value carried wrongly, a step not pressed again or never. The check must
// say "richtig" exactly for the right work and name each slip by its cause;
// the calculation sheet must close with the same finding.
namespace SiderealVerdicts {

struct Birth {
    QDate date;
    qint32 civilSeconds = 0;  // the clock time of the zone
    int zone = 1;             // hours ahead of Greenwich
    int longitudeMinutes = 0; // east positive
};

// The births of a seed, the same on every machine.
QList<Birth> randomBirths(quint64 seed, int count);

// A student at the form: what they type, and a slip made on the way; the
// steps are pressed in order, each taking what the steps before it wrote.
struct Plan {
    Birth birth;
    qint32 ephemeris = 0; // seconds, as typed in step 2
    std::function<void(Sidereal::State &, int step)> beforeStep;
    QList<int> skipped;
    std::function<void(Sidereal::State &)> afterAll;
};
// The plan of a student who makes no slip: the ephemeris value of the day
// the universal time falls on, to the second.
Plan rightPlan(const Birth &birth);
Sidereal::Worked work(const Plan &plan);

struct Tally {
    int births = 0;
    int cases = 0;
    int falseRight = 0; // a slip called right
    int falseWrong = 0; // right work called wrong
    int misnamed = 0;   // a slip, but another first cause named
    int disagree = 0;   // the sheet closes with another finding than the check
    QMap<QString, int> bySlip;
    QStringList examples; // the first faults, to show what went wrong

    bool clean() const
    {
        return falseRight == 0 && falseWrong == 0 && misnamed == 0 && disagree == 0;
    }
    QString report() const;
};

Tally siderealCatalogue(quint64 seed, int births);

// The same over the generated tasks `first` .. `first + count - 1`, worked
// with what each task gives and its printed page: right, and with a few
// seconds misread from the page, the neighbouring day's value, the zone
// forgotten or its sign turned, the share forgotten, the longitude's sign
// turned or another birth date. The check (with the task), the sheet, the
// exercise page's judgement of the calculation and of its answer alone must
// call the right work right and every slip wrong; `births` counts the tasks.
Tally siderealTaskCatalogue(int first, int count);

} // namespace SiderealVerdicts

#endif
