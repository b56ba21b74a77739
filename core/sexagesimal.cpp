#include "core/sexagesimal.h"

#include "core/numbers.h"
#include "core/overflow.h"

#include <QtNumeric>

#include <cmath>
#include <limits>

namespace Core {

namespace {

qint16 checkedUnits(qint64 units)
{
    if (units < std::numeric_limits<qint16>::min() || units > std::numeric_limits<qint16>::max())
        throw Overflow();
    return static_cast<qint16>(units);
}

// Rounds count / 10000 to a whole number, halves to the even neighbour.
qint64 roundTenThousandths(qint64 count)
{
    qint64 whole = count / 10000;
    const qint64 rest = count % 10000;
    const qint64 twice = 2 * (rest < 0 ? -rest : rest);
    if (twice > 10000 || (twice == 10000 && whole % 2 != 0))
        whole += rest < 0 ? -1 : 1;
    return whole;
}

bool outOfRange(const Sexagesimal &value, qint32 maxUnits)
{
    if (!value.complete)
        return false;
    try {
        return roundToInt32(value.minutes) > 59 || roundToInt32(value.seconds) > 59 ||
               roundToInt32(value.units) > maxUnits;
    } catch (const Overflow &) {
        return true;
    }
}

} // namespace

FixedDecimal FixedDecimal::fromDouble(double value)
{
    const double scaled = std::nearbyint(value * 10000.0); // halves to even
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    constexpr double limit = 9223372036854775808.0;
    if (std::isnan(scaled) || scaled >= limit || scaled < -limit)
        throw Overflow();
    return fromTenThousandths(static_cast<qint64>(scaled));
}

qint32 intDiv(qint32 dividend, qint32 divisor)
{
    // Only ever called with 3600 and 60; the remainder keeps the dividend's
    // sign, so the quotient is truncated toward zero.
    const qint32 r = dividend % divisor;
    return (dividend - r) / divisor;
}

SexagesimalTriple secondsToTriple(qint32 t)
{
    SexagesimalTriple triple;
    triple.units = checkedUnits(intDiv(t, 3600));
    const qint32 rest = t - triple.units * 3600;
    triple.minutes = static_cast<qint16>(intDiv(rest, 60));
    triple.seconds = static_cast<qint16>(rest - triple.minutes * 60);
    return triple;
}

qint32 pickersToSeconds(qint16 p0, qint16 p1, qint16 p2)
{
    // At most 32 767 × 3600 + 32 767 × 60 + 32 767 in magnitude: far inside 32 bits.
    return p0 * 3600 + p1 * 60 + p2;
}

qint32 pickersToSeconds(const SexagesimalTriple &triple)
{
    return pickersToSeconds(triple.units, triple.minutes, triple.seconds);
}

Sexagesimal Sexagesimal::read(const FieldTexts &texts)
{
    return {readNumber(texts[0]), readNumber(texts[1]), readNumber(texts[2]),
            !texts[0].isEmpty() && !texts[1].isEmpty() && !texts[2].isEmpty()};
}

Sexagesimal Sexagesimal::readWithRegionalPoint(const FieldTexts &texts)
{
    return {textOrRegionalValue(texts[0]), textOrRegionalValue(texts[1]),
            textOrRegionalValue(texts[2]), read(texts).complete};
}

Sexagesimal Sexagesimal::of(const SexagesimalTriple &triple)
{
    return {double(triple.units), double(triple.minutes), double(triple.seconds)};
}

qint32 Sexagesimal::totalSeconds() const
{
    return roundToInt32((units * 3600.0 + minutes * 60.0) + seconds);
}

bool Sexagesimal::timeOutOfRange() const
{
    return outOfRange(*this, 23);
}

bool Sexagesimal::angleOutOfRange() const
{
    return outOfRange(*this, 30);
}

const Sexagesimal &Sexagesimal::finite() const
{
    if (!std::isfinite(units) || !std::isfinite(minutes) || !std::isfinite(seconds))
        throw Overflow();
    return *this;
}

FieldTexts Sexagesimal::plainTexts() const
{
    finite();
    return {plainNumber(units), plainNumber(minutes), plainNumber(seconds)};
}

qint32 fieldsToSeconds(const FieldTexts &texts)
{
    return Sexagesimal::read(texts).totalSeconds();
}

FixedDecimal secondsToDecimal(qint32 t)
{
    // t / 3600 in ten-thousandths is t × 25 / 9; no exact half can arise.
    const qint64 scaled = static_cast<qint64>(t) * 25;
    qint64 q = scaled / 9;
    const qint64 r = scaled % 9;
    if (2 * (r < 0 ? -r : r) > 9)
        q += r < 0 ? -1 : 1;
    return FixedDecimal::fromTenThousandths(q);
}

SexagesimalTriple decimalToTriple(FixedDecimal x)
{
    const qint64 count = x.tenThousandths();
    qint64 units = count / 10000;
    const qint64 minutesCount = (count - units * 10000) * 60; // ten-thousandths of a minute
    qint64 minutes = minutesCount / 10000;
    const qint64 secondsCount = (minutesCount - minutes * 10000) * 60;
    const qint64 n = roundTenThousandths(secondsCount);

    qint64 seconds = n;
    // Seconds that round to a whole minute are carried, as on paper: 0.9999
    // gives 1, 0, 0. The parts of a negative value are all zero or negative,
    // so its -60 is carried downwards: -0.1999 h is 0 h -12 m 0 s.
    if (n == 60 || n == -60) {
        const qint64 carry = n / 60;
        seconds = 0;
        minutes += carry;
        if (minutes == 60 * carry) {
            minutes = 0;
            units += carry;
        }
    }
    SexagesimalTriple triple;
    triple.units = checkedUnits(units);
    triple.minutes = static_cast<qint16>(minutes);
    triple.seconds = static_cast<qint16>(seconds);
    return triple;
}

FieldTexts tripleToFields(const SexagesimalTriple &triple)
{
    return {plainInteger(triple.units), plainInteger(triple.minutes), plainInteger(triple.seconds)};
}

qint32 checkedAdd(qint32 a, qint32 b)
{
    qint32 r = 0;
    if (qAddOverflow(a, b, &r))
        throw Overflow();
    return r;
}

qint32 checkedSubtract(qint32 a, qint32 b)
{
    qint32 r = 0;
    if (qSubOverflow(a, b, &r))
        throw Overflow();
    return r;
}

} // namespace Core
