#ifndef EXERCISE_SIDEREALTASK_H
#define EXERCISE_SIDEREALTASK_H

#include "core/calendar.h"
#include "core/giventask.h"
#include "sternzeit/siderealstate.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QTime>

#include <optional>

// A generated task of the sidereal time of birth, the first hand step of a
// rectification: a person born at a clock time of the legal time of the
// birth place, and beside it a page of an ephemeris with the sidereal time at
// 0h UT of seven days. The student works out the local sidereal time of the
// birth with the calculator "Sternzeit der Geburt": the universal time, the
// sidereal time at 0h UT of its day, the share of 9,8565 s an hour and the
// longitude in time.
//
// Most births are German, one in five lies abroad, west of Greenwich or far
// east. Everything follows from the task number alone (1 .. 999 999), through
// a random stream of its own, so the same number gives the same task from
// this version on.

namespace Exercise {

// A day of the ephemeris page: the Greenwich mean sidereal time at 0h UT,
// printed to the whole second.
struct SiderealDay {
    QDate date;
    qint32 siderealTime = 0; // seconds
};

// The page of seven days whose middle day is `day`.
QList<SiderealDay> siderealPage(QDate day);

// A birth as the steps need it.
struct SiderealBirth {
    QDate date;
    QTime time;                   // the legal clock time, whole minutes
    int zone = 1;                 // hours ahead of Greenwich
    int eastLongitudeMinutes = 0; // west negative
};

// The calculator's steps as a student who makes no slip works them, with the
// sidereal time at 0h UT of the day of the universal time read from the
// page (or, without a page, as an ephemeris prints it).
struct SiderealHandSolution {
    Sidereal::Entries entries;
    Sidereal::Results results;
    QDate ephemerisDay;
    qint32 ephemeris = 0;    // step 2, seconds
    qint32 siderealTime = 0; // the result, seconds
};
std::optional<SiderealHandSolution> siderealHandSolution(const SiderealBirth &birth);

struct SiderealTask {
    int number = 0;
    QString firstName;
    QString surname;
    QString place;
    int latitudeMinutes = 0;  // north positive
    int longitudeMinutes = 0; // east positive
    bool abroad = false;
    QDate birthDate;
    QTime birthTime;
    Core::LegalZone zone;
    QList<SiderealDay> page;
    SiderealHandSolution hand;

    SiderealBirth birth() const { return {birthDate, birthTime, zone.hours, longitudeMinutes}; }
};

// The task of a number; nothing for a number outside 1 .. 999 999 or on a
// system without the time-zone database.
std::optional<SiderealTask> makeSiderealTask(int number);

// What the task gives, as it travels with its calculation.
Core::GivenTask givenTask(const SiderealTask &task);

} // namespace Exercise

#endif
