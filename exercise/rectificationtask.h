#ifndef EXERCISE_RECTIFICATIONTASK_H
#define EXERCISE_RECTIFICATIONTASK_H

#include "astro/houses.h"
#include "astro/planets.h"
#include "core/giventask.h"
#include "core/rules.h"
#include "core/sexagesimal.h"
#include "exercise/siderealtask.h"
#include "rekti/rectificationcheck.h"
#include "rekti/rectificationstate.h"
#include "rekti/rectificationsteps.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QTime>

#include <optional>

// A generated rectification task (birth-time correction by primary directed
// axes, "GZK"), as an examination sets it: a person born in a German town at a
// recorded clock time that is a little off, given in the legal time of the
// day (summer time included), an event of later life, the axis (MC or AC) and
// a radix planet where it stood at the birth; the event falls on the day on
// which the axis, directed by the Naibod key from the true birth time,
// reached one of the planet's major aspects. Beside it a page of the house
// table of the birth place's latitude, seven rows around the event's
// sidereal time. The student finds how far the recorded birth time must be
// corrected.
//
// Everything follows from the task number alone (1 .. 999 999), through its
// own random stream of splitmix64.h, so the same number gives the same task
// from this version on; the Solar task of the same number has a stream of its
// own.

namespace Exercise {

enum class Aspect { Conjunction, Sextile, Square, Trine, Opposition };

// "Konjunktion", "Sextil", "Quadrat", "Trigon", "Opposition".
QString aspectName(Aspect aspect);

// A row of a printed house table: the sidereal time in steps of 4 minutes,
// so that the RAMC is a whole degree, and the MC and AC of that RAMC rounded
// to the minute of arc as printed tables give them.
struct HouseTableRow {
    int ramc = 0;  // whole degrees 0 .. 359; the sidereal time is ramc x 4 minutes
    qint32 mc = 0; // '' from 0° Aries, a whole number of minutes
    qint32 ac = 0;
    qint32 value(Astro::Axis axis) const { return axis == Astro::Axis::MC ? mc : ac; }
    qint32 siderealSeconds() const { return ramc * Core::SiderealSecondsPerDegree; }
};

// The steps of the calculator as a student who makes no slip fills them in.
struct RectificationHandSolution {
    // The calculator's state after the last step, with what each step gave on
    // the way (the decimal degrees and hours, the quotient as a decimal).
    Rectification::Entries entries;
    Rectification::Results results;
    Rectification::Age age;
    double decimalYears = 0; // as step 2 writes it, to 15 significant digits
    Core::SexagesimalTriple directionArc;
    Core::SexagesimalTriple arcInTime;
    Core::SexagesimalTriple eventSum; // step 4 before a day is taken off
    double dayHours = 0;              // 0 or -24
    Core::SexagesimalTriple eventSiderealTime;
    int smallerRow = 0; // the page's row at or before the event's sidereal time
    int ramc = 0;       // its RAMC, whole degrees
    // The table values and the planet within their signs, as typed in step 5.
    Core::SexagesimalTriple smallerValue, greaterValue, planetValue;
    double firstSignCorrection = 0; // -30, 0 or +30
    double secondSignCorrection = 0;
    Core::SexagesimalTriple tableStep, towardsPlanet, quotient, ramcPlusQuotient;
    double circleCorrection = 0; // -360, 0 or +360
    Core::SexagesimalTriple correctedRamc, ramcInTime;
    Core::SexagesimalTriple correction; // step 8: the correction of the sidereal time of birth
};

struct RectificationTask {
    int number = 0;
    QString firstName;
    QString surname;
    QString town;
    int latitudeMinutes = 0;  // north, minutes of arc
    int longitudeMinutes = 0; // east, minutes of arc
    QDate birthDate;
    QTime recordedTime; // the legal clock time of the birth, whole minutes
    int zone = 1;       // its hours ahead of Greenwich: 1, 2 or 3
    int trueOffset = 0; // seconds: the true birth time minus the recorded one
    // The sidereal time of the recorded birth as the hand method works it
    // from the birth data and the ephemeris page beside it, seconds: printed
    // in the task, or worked by the student where the task says so.
    qint32 birthSiderealTime = 0;
    bool siderealWorked = false; // "Sternzeit selbst berechnen"
    SiderealHandSolution sidereal;
    QList<SiderealDay> siderealPage;
    QString event;
    QDate eventDate;
    Astro::Axis axis = Astro::Axis::MC;
    Astro::Body body = Astro::Body::Moon;
    QString planet; // the body's German name
    Aspect aspect = Aspect::Conjunction;
    qint32 planetPosition = 0;      // '' from 0° Aries, rounded to 1''
    qint32 aspectPoint = 0;         // the planet's position plus or minus the aspect
    double obliquity = 0;           // degrees, of the birth date
    QList<HouseTableRow> page;      // seven rows in order of sidereal time
    RectificationHandSolution hand; // the answer expected

    double latitude() const { return latitudeMinutes / 60.0; }
    double longitude() const { return longitudeMinutes / 60.0; }
    QDateTime recordedUtc() const;
    QDateTime trueUtc() const;
    // Years of life at the event, whole years and the days since the last
    // birthday divided by 365, unrounded: what the direction arc stands for.
    double exactYears() const;
};

// The task of a number; nothing for a number outside 1 .. 999 999 or on a
// system without the time-zone database.
std::optional<RectificationTask> makeRectificationTask(int number);

// The calculator's eight steps on a task's values and its page. The entries
// left empty are those of a student who makes no slip; the others replace
// them, to see what a slip gives. Nothing when a step refuses the values or
// the event's sidereal time lies on no row of the page.
struct RectificationInputs {
    std::optional<Rectification::Age> age = std::nullopt;
    std::optional<double> dayHours = std::nullopt;
    std::optional<int> smallerRow = std::nullopt; // an index of the page
    // Table values as read, '' from 0° Aries.
    std::optional<qint32> smallerValue = std::nullopt;
    std::optional<qint32> greaterValue = std::nullopt;
    std::optional<double> firstSignCorrection = std::nullopt;
    std::optional<double> secondSignCorrection = std::nullopt;
    // The corrected value, '' from 0° Aries: another planet or aspect point.
    std::optional<qint32> planetPosition = std::nullopt;
};
std::optional<RectificationHandSolution>
runRectificationSteps(const RectificationTask &task, const RectificationInputs &entries = {});

// The correction of step 8 in seconds of time.
qint32 correctionSeconds(const RectificationHandSolution &hand);

// What the task gives, as it travels with its calculation.
Core::GivenTask givenTask(const RectificationTask &task);

// The exact answer: the RAMC at which the axis stands on the planet's aspect
// point exactly, taken back by the unrounded direction arc to the birth; its
// sidereal time minus the printed sidereal time of birth is the correction,
// in sidereal and in civil seconds. The check's one exact answer.
Rectification::Exact exactCorrection(const RectificationTask &task);

} // namespace Exercise

#endif
