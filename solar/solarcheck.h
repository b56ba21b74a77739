#ifndef SOLAR_SOLARCHECK_H
#define SOLAR_SOLARCHECK_H

#include "core/stepresult.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

// The check of a Solar worked by hand against the exact computation.
//
// In the examination a student reads two Sun positions from a printed
// ephemeris and interpolates between them. Two things go wrong: the reading
// (the wrong day or year, the wrong column, minutes and seconds swapped) and
// the arithmetic. The check sets the student's values beside the exact ones:
// the 0h UT positions of the two ephemeris days that enclose the radix Sun,
// rounded to the second of arc as an ephemeris prints them, and the moment at
// which the Sun truly reaches the radix position. A correct hand calculation
// still differs from that moment by some seconds: the ephemeris rounds to a
// second of arc (about 24 s of time), and the Sun does not move evenly within
// a day, while the hand method interpolates linearly.
namespace SolarCheck {

inline QString title()
{
    return QStringLiteral("Kontrolle");
}

struct Angle {
    int degrees = 0;
    int minutes = 0;
    int seconds = 0;
};

struct ClockTime {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
};

// What the Solar form holds at the moment of the check: the texts the student
// typed, the positions picked in the lists, and the times as far as the steps
// have got (nothing where a result field is still empty).
struct HandCalculation {
    QString sign;                           // "Krebs", as typed
    QString year;                           // the Solar year, as typed
    QString birthDay;                       // of the birth date, as typed
    QString birthMonth;                     //
    Angle radix;                            // within the sign
    Angle sunDate1;                         // the ephemeris position picked for date 1
    Angle sunDate2;                         // and for date 2
    std::optional<ClockTime> greenwichTime; // step 4
    int zoneHours = 1;                      // the time zone, "+1"
    std::optional<ClockTime> finalTime;     // step 5
    std::array<QString, 3> solarDate;       // day, month, year, as typed
};

// One line of the comparison; deviation is empty where there is nothing to
// compare.
struct Row {
    QString caption;
    QString hand;
    QString exact;
    QString deviation;
};

struct Comparison {
    QList<Row> rows; // the two positions, Greenwich time, Solar time, Solar date
    QString finding;
};

// The column headers of the comparison, after the row captions.
QList<QString> columnHeaders();
// The convention of the exact positions, in one line.
QString convention();

// Compares the hand calculation with the exact Solar return. Missing or
// unusable input answers with one message instead (title "Kontrolle").
StepResult<Comparison> Compare(const HandCalculation &hand);

} // namespace SolarCheck

#endif
