#ifndef ASTRO_ZODIAC_H
#define ASTRO_ZODIAC_H

#include "core/rules.h"

#include <QString>
#include <QtGlobal>

#include <optional>

// The twelve signs of the zodiac, 30° each from 0° Aries (the vernal
// equinox), and Sun positions as a German ephemeris writes them: the sign and
// degrees, minutes and seconds of arc within it.
//
// A position counts whole seconds of arc from 0° Aries, 0 .. 1 295 999:
// "Widder 14°38'29''" is 52 709, "Stier 0°00'00''" is 108 000.

namespace Astro {

constexpr int SignCount = 12;
using Core::ArcSecondsPerSign;

// "Widder", "Stier", ... "Fische" for 0 .. 11.
QString signName(int sign);

// The sign a student typed: upper or lower case, with the umlaut or written
// out ("Löwe", "LOEWE", "schütze", "Schuetze"), blanks around it ignored.
// Nothing for a text that names no sign.
std::optional<int> signNamed(const QString &typed);

// The sign a position lies in, 0 .. 11.
int signIndex(qint32 position);

// The position of a sign and degrees, minutes, seconds within it.
qint32 positionOf(int sign, int degrees, int minutes, int seconds);

// "14°38'29'' Widder", as an ephemeris page and a task write a position:
// the angle within the sign in velmora's one notation, then the sign.
QString positionText(qint32 position);

// "13°05' Löwe", as a printed house table writes a value to the minute.
QString tableValueText(qint32 position);

// How far position a lies ahead of b (positive) or behind it (negative), in
// seconds of arc, across 0° Aries: 0°00'10'' lies 20'' ahead of 359°59'50''.
qint32 arcAhead(qint32 a, qint32 b);

} // namespace Astro

#endif
