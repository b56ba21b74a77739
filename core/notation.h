#ifndef CORE_NOTATION_H
#define CORE_NOTATION_H

#include "core/sexagesimal.h"

#include <QDate>
#include <QString>
#include <QtGlobal>

// How velmora writes angles, clock times, dates, durations and deviations
// wherever it explains a calculation (the check, the calculation sheets, the
// exercises): one notation, so that the same value never reads two ways.
//
//   angle        1°01'08''      degrees plain, minutes and seconds of arc two-digit
//   clock        8h05m07s       hours plain, minutes and seconds two-digit
//   to a tenth   8h17m29,6s  123°35'07,4''  -3 m 29,8 s
//   decimal      33,8328        four places, as the steps round
//   date         16.01.2026
//   deviation    +12''  +1'02''  +1°00'04''   of a position
//                +4 s   +9h03m12s  +1 Tag 0h00m04s   of a moment
//
// A negative number carries the hyphen-minus '-', as the calculators' fields
// do; only the decimal separator of a fraction follows the desktop. The
// result list keeps its own, older row format ("8h5m7s").
namespace Core::Notation {

// An angle given in whole seconds of arc.
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
// A value picked in three lists or shown by a step: "33°49'58''", "2h15m20s".
QString angle(const SexagesimalTriple &value);
QString clock(const SexagesimalTriple &value);

// Values to a tenth of a second: a clock time, an angle, a duration
// ("-3 m 29,8 s", "5,0 s"), and a duration as a deviation ("+5,0 s"). A value
// that rounds to 0,0 carries no sign.
QString preciseClock(double seconds);
QString preciseAngle(double degrees);
QString preciseDuration(double seconds);
QString preciseDeviation(double seconds);

// A decimal to four places, as the steps round it: "33,8328"; as a deviation
// with its sign: "+0,0035".
QString decimal(FixedDecimal value);
QString decimal(double value);
QString decimalDeviation(double value);

// A position deviation: "+12''" below a minute of arc, "+1'02''" below a
// degree, "+1°00'04''" beyond; "0''" for none. The same to a tenth of a second
// below a minute ("-12,3''").
QString arcDeviation(qint64 arcSeconds);
QString preciseArcDeviation(double arcSeconds);
// A deviation between two moments: "+4 s" below a minute, "+9h03m12s" below a
// day, "+1 Tag 0h00m04s" beyond; "0 s" for none.
QString timeDeviation(qint64 seconds);
// A deviation between two dates: "+1 Tag", "-2 Tage".
QString dayDeviation(qint64 days);

// A time zone as the calculator's list shows it: "+1", "0", "-5".
QString zone(int hours);
// A geographic coordinate to the minute of arc: "48°08'"; a northern
// latitude "51°31' N", an eastern longitude "9°11' O", a western one (a
// negative east longitude) "74°00' W".
QString degreesMinutes(int arcMinutes);
QString latitude(int arcMinutes);
QString longitude(int arcMinutes);
// A row of a house table, whole minutes of sidereal time: "22h52m".
QString rowTime(qint64 seconds);

} // namespace Core::Notation

#endif
