#ifndef CORE_NOTATION_H
#define CORE_NOTATION_H

#include "core/sexagesimal.h"

#include <QDate>
#include <QString>
#include <QtGlobal>

// How velmora writes angles, clock times, dates and deviations wherever it
// explains a calculation (the check, the calculation sheets, the exercises):
// one notation, so that the same value never reads two ways.
//
//   angle      1°01'08''     degrees plain, minutes and seconds of arc two-digit
//   clock      8h05m07s      hours plain, minutes and seconds two-digit
//   date       16.01.2026
//   deviation  +62''  +3'00''  +1°00'04''     of a position
//              +4 s   +9h03m12s  +1 Tag 0h00m04s   of a moment
//
// The result list keeps its own, older row format ("8h5m7s"), which other
// programs read.
namespace Core::Notation {

// An angle given in whole seconds of arc; a negative one with a leading '-'.
QString angle(qint64 arcSeconds);
// A clock time or a duration in whole seconds; not reduced to a day.
QString clock(qint64 seconds);
QString date(QDate date);

// A value as the student typed or the calculator wrote it. Whole parts are
// written as the value they make together (the field triple -4 | 58 | 42 is
// -4 h + 58 m 42 s, written "-3h01m18s"); a value with a fractional part keeps
// its parts, each as the desktop writes it (14,5).
QString angle(const Sexagesimal &value);
QString clock(const Sexagesimal &value);

// A position deviation: "+62''" below two minutes of arc, "+3'00''" below a
// degree, "+1°00'04''" beyond; "0''" for none.
QString arcDeviation(qint64 arcSeconds);
// A deviation between two moments: "+4 s" below a minute, "+9h03m12s" below a
// day, "+1 Tag 0h00m04s" beyond; "0 s" for none.
QString timeDeviation(qint64 seconds);
// A deviation between two dates: "+1 Tag", "-2 Tage".
QString dayDeviation(qint64 days);

// A duration to the tenth of a second, as the exact correction of a
// rectification is given: "-3 m 29,8 s", "5,0 s"; with a "+" before a
// positive value when it is a deviation ("+5,0 s"). A value that rounds to
// 0,0 carries no sign.
QString preciseDuration(double seconds);
QString preciseDeviation(double seconds);

// A time zone as the calculator's list shows it: "+1", "0", "-5".
QString zone(int hours);
// A northern latitude to the minute of arc: "51°31' N".
QString latitude(int arcMinutes);

} // namespace Core::Notation

#endif
