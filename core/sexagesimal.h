#ifndef CORE_SEXAGESIMAL_H
#define CORE_SEXAGESIMAL_H

#include <QString>
#include <QtGlobal>

#include <array>

namespace Core {

// Angles in degrees, minutes and seconds of arc and times in hours, minutes and
// seconds of time, as the examination's hand calculations write them.
//
// The calculators turn the three parts into one whole number of seconds
// (1° = 3600'', 1 h = 3600 s), compute with it or with a four-place decimal
// value, and show the result as three parts again. Nothing here reduces a
// value modulo 360° or 24 h and nothing clamps: 86 400 s are 24 h 0 m 0 s.
// Leaving a 16-bit or 32-bit range throws Overflow (core/overflow.h).

// Element 0 of a triple of controls always holds degrees or hours (for a date:
// the day), element 1 minutes (the month), element 2 seconds (the year).
using FieldTexts = std::array<QString, 3>;

struct SexagesimalTriple {
    qint16 units = 0; // whole degrees or hours; never reduced
    qint16 minutes = 0;
    qint16 seconds = 0;

    friend bool operator==(const SexagesimalTriple &, const SexagesimalTriple &) = default;
};

// A signed decimal with exactly four places, held as a count of
// ten-thousandths: decimal degrees or decimal hours between two steps
// (13.5546 h is the count 135546). Arithmetic on it is exact and checked.
class FixedDecimal {
public:
    constexpr FixedDecimal() = default;
    static constexpr FixedDecimal fromTenThousandths(qint64 count)
    {
        FixedDecimal d;
        d.m_count = count;
        return d;
    }
    // Rounds to the nearest ten-thousandth, halves to the even neighbour.
    static FixedDecimal fromDouble(double value);

    constexpr qint64 tenThousandths() const { return m_count; }
    double toDouble() const { return static_cast<double>(m_count) / 10000.0; }
    // The whole part, truncated toward zero (-1.5 gives -1).
    constexpr qint64 wholePart() const { return m_count / 10000; }

    friend bool operator==(const FixedDecimal &, const FixedDecimal &) = default;

private:
    qint64 m_count = 0;
};

// An angle, a time or a date as typed into its three fields: each part is the
// number at the start of its text (readNumber). A part beyond any double is
// kept as an infinity, so that the step that uses it answers "Überlauf!".
struct Sexagesimal {
    double units = 0; // degrees or hours; for a date the day
    double minutes = 0;
    double seconds = 0;
    // All three fields hold text: a part still being typed is not judged.
    bool complete = true;

    static Sexagesimal read(const FieldTexts &texts);
    // Read the same way, but each part may also carry the desktop's decimal
    // separator: a fraction that a step wrote under German settings ("14,5")
    // reads back whole (textOrRegionalValue).
    static Sexagesimal readWithRegionalPoint(const FieldTexts &texts);
    static Sexagesimal of(const SexagesimalTriple &triple);

    // The same three parts, whether complete or not.
    bool sameValue(const Sexagesimal &other) const
    {
        return units == other.units && minutes == other.minutes && seconds == other.seconds;
    }

    // units x 3600 + minutes x 60 + seconds, rounded half to even; throws
    // Overflow beyond 32 bits.
    qint32 totalSeconds() const;
    // Each part rounded to a whole number: hours above 23 (for an angle within
    // a sign: degrees above 30), minutes or seconds above 59. Not judged while
    // a field is empty; a part beyond 32 bits is out of range.
    bool timeOutOfRange() const;
    bool angleOutOfRange() const;
    // Throws Overflow unless every part is a finite number.
    const Sexagesimal &finite() const;
    // The parts as plain text ("05" becomes "5"); throws Overflow for an
    // infinite part.
    FieldTexts plainTexts() const;
};

// Quotient of two 32-bit integers truncated toward zero (-7 / 2 = -3).
qint32 intDiv(qint32 dividend, qint32 divisor);

SexagesimalTriple secondsToTriple(qint32 totalSeconds);
qint32 pickersToSeconds(qint16 position0, qint16 position1, qint16 position2);
// The one way from a triple to its total of seconds: units x 3600 + minutes x
// 60 + seconds, never beyond 32 bits.
qint32 pickersToSeconds(const SexagesimalTriple &triple);
qint32 fieldsToSeconds(const FieldTexts &texts);
FixedDecimal secondsToDecimal(qint32 totalSeconds);
SexagesimalTriple decimalToTriple(FixedDecimal value);
FieldTexts tripleToFields(const SexagesimalTriple &triple);

// Checked 32-bit arithmetic on totals of seconds.
qint32 checkedAdd(qint32 a, qint32 b);
qint32 checkedSubtract(qint32 a, qint32 b);

} // namespace Core

#endif
