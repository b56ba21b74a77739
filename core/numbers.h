#ifndef CORE_NUMBERS_H
#define CORE_NUMBERS_H

#include <QString>
#include <QtGlobal>

namespace Core {

// Reading numbers from field texts and writing them back as plain text.
//
// Reading (textValue): the number at the start of a text, the full stop as
// decimal point whatever the desktop's regional settings say.
//   "12abc" -> 12     " 1 2" -> 12 (blanks, tabs, line feeds are skipped anywhere)
//   "3,5"   -> 3      (a comma ends the number)
//   "-.5e1" -> -5     "1D2" -> 100 (D is an exponent letter too)
//   "&H1F"  -> 31     "&O17" -> 15
//   ""      -> 0      "abc" -> 0
// A number beyond the range of a double ("1E400") throws Overflow.
//
// Writing (plainNumber): ASCII digits and '-', no group separator, the shortest
// form with up to 15 significant digits; only the decimal separator of a
// fraction follows the desktop (the default QLocale): 1,5 under German settings,
// 1.5 under English ones. Whole numbers never carry a separator: 14, not 14.0.

double textValue(const QString &text);
// The same reading, but a number beyond a double reads as an infinity of its
// sign instead of throwing.
double readNumber(const QString &text);

// Rounds to the nearest whole number, halves to the even neighbour
// (2.5 -> 2, 3.5 -> 4, -2.5 -> -2); throws Overflow outside the target range.
qint32 roundToInt32(double value);
qint16 roundToInt16(double value);

QString plainNumber(double value);
QString plainInteger(qint64 value);

// A field that may hold a fraction written by the program or typed by the
// user: read as readNumber reads, but the desktop's decimal separator serves
// as the decimal point beside the full stop. Under German settings "14,5"
// and "14.5" both read 14.5; under English ones "14,5" still reads 14.
double textOrRegionalValue(const QString &text);

// A number as the desktop's regional settings write it, read back: the default
// QLocale's decimal separator, an optional sign that may be followed by blanks
// ("- 360", "+360", " 0"). Text that is no such number reads as 0.
double regionalValue(const QString &text);

} // namespace Core

#endif
