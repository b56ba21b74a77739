#ifndef TESTS_SUPPORT_VERDICTS_H
#define TESTS_SUPPORT_VERDICTS_H

#include "exercise/rectificationtask.h"
#include "exercise/solartask.h"
#include "rekti/rectificationstate.h"
#include "solar/solarstate.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The catalogue of wrong answers: a student works the generated tasks in the
// calculators' own calculation states, once right and once with each of the
// usual slips (a table value or an ephemeris position misread, the wrong rows
// or pair of days, the other axis, a ±30°, ±360° or -24h wrong, a copy a few
// seconds off, the age a year or a day off, the wrong zone, a step not
// pressed again or never; for a Solar abroad the German +1 or the zone's sign
// turned round, the day shift forgotten or the wrong way; across a sign the
// 30° forgotten in A, in B or in both), and every calculation is judged by the check
// ("Kontrolle…"), by the exercise page and by the calculation sheet; the
// answer it gives is also judged alone on the page, in every spelling.
//
// The tally counts what must never happen: a wrong calculation called right,
// a right one called wrong, a first cause other than the slip's, and page,
// check and sheet saying different things.

namespace Verdicts {

// Worked as taken over with the task ("In den Rechner übernehmen"), or typed
// in as a free calculation with the task's house table chosen in the check.
enum class Mode { SolarTask, Free };

struct Tally {
    int tasks = 0;
    int abroad = 0;            // Solar tasks set abroad
    int acrossSign = 0;        // Solar tasks whose two days lie in two signs
    int cases = 0;             // calculations judged
    int refused = 0;           // of them, slips at which the calculator refused a step
    int falseRight = 0;        // a slip called right
    int falseWrong = 0;        // right work called wrong
    int misnamed = 0;          // a slip, but another first cause named
    int disagree = 0;          // page, check and sheet differ
    int answers = 0;           // answers judged alone on the page
    int answerFalse = 0;       // an answer judged against its value
    QMap<QString, int> bySlip; // cases per slip
    QStringList examples;      // the first faults, to show what went wrong

    bool clean() const
    {
        return falseRight == 0 && falseWrong == 0 && misnamed == 0 && disagree == 0 &&
               answerFalse == 0;
    }
    QString report() const;
};

Tally rectificationCatalogue(int first, int last, Mode mode);
Tally solarCatalogue(int first, int last, Mode mode);

// A student at the rectification calculator: what they type and choose, and
// a slip made on the way; the steps are pressed in order, each taking what
// the steps before it wrote, as the form does.
struct RectificationPlan {
    Rectification::Age age;
    qint32 birthSidereal = 0;                       // seconds, typed in the head
    int row = 0;                                    // the page index of the smaller row typed
    qint32 smaller = 0, greater = 0, corrected = 0; // '' from 0° Aries, as read
    std::optional<qint32> smaller2;                 // the smaller value again, if not the same
    // Nothing: as the rule says, or as the calculator preselects.
    std::optional<double> firstSign, secondSign, circle, dayHours;
    std::function<void(Rectification::State &, int step)> beforeStep;
    QList<int> skipped; // steps never pressed
    std::function<void(Rectification::State &)> afterAll;
};
// The plan of a student who makes no slip.
RectificationPlan rightPlan(const Exercise::RectificationTask &task);

struct WorkedRectification {
    Rectification::Worked worked;
    std::optional<int> refusedAt; // the number of the first step the calculator refused
};
WorkedRectification work(const Exercise::RectificationTask &task, const RectificationPlan &plan,
                         Mode mode);

// The same at the Solar calculator.
struct SolarPlan {
    qint32 position1 = 0, position2 = 0; // read for date 1 and date 2, '' from 0° Aries
    int zone = 1;
    // Two days in two signs: after steps 2 and 3 refuse, A and B are worked by
    // hand across the sign and typed into step 4, off by these seconds of arc
    // (-30° where the 30° are forgotten); B is left as it stands unless typed.
    bool byHand = false;
    qint32 motionOff = 0, distanceOff = 0;
    bool typesDistance = true;
    std::optional<double> dayShift; // nothing: as the student's own zone time asks
    int dateShift = 0;              // days added to the date the student's times give
    std::function<void(Solar::State &, int step)> beforeStep;
    QList<int> skipped;
    std::function<void(Solar::State &)> afterAll;
};
SolarPlan rightPlan(const Exercise::SolarTask &task);

struct WorkedSolar {
    Solar::Worked worked;
    std::optional<int> refusedAt; // the step (Solar::Step) first refused
    // Across a sign, the positions as read gave no A or B to type by hand:
    // the misread itself is the first cause, not the step left undone.
    bool refusedByHand = false;
};
WorkedSolar work(const Exercise::SolarTask &task, const SolarPlan &plan, Mode mode);

} // namespace Verdicts

#endif
