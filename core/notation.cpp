#include "core/notation.h"

#include "core/numbers.h"

#include <QLocale>

#include <cmath>
#include <cstdlib>
#include <optional>

namespace Core::Notation {

namespace {

QString twoDigits(qint64 value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

QString sign(qint64 value)
{
    return value > 0 ? QStringLiteral("+") : value < 0 ? QStringLiteral("-") : QString();
}

QString minusIf(bool negative)
{
    return negative ? QStringLiteral("-") : QString();
}

QString point()
{
    return QLocale().decimalPoint();
}

// A part of a typed value: a whole number as it is, two-digit where the
// notation wants it; a fraction as the desktop writes it.
QString part(double value, bool padded)
{
    if (!std::isfinite(value) || value != std::floor(value) || std::fabs(value) > 1e15)
        return plainNumber(value);
    const auto whole = static_cast<qint64>(value);
    return padded && whole >= 0 ? twoDigits(whole) : plainInteger(whole);
}

// The whole seconds that whole parts make together; nothing for a part with
// a fraction or beyond what a calendar needs.
std::optional<qint64> wholeTotal(const Sexagesimal &value)
{
    const double total = value.units * 3600.0 + value.minutes * 60.0 + value.seconds;
    const bool whole = value.units == std::floor(value.units) &&
                       value.minutes == std::floor(value.minutes) &&
                       value.seconds == std::floor(value.seconds);
    if (!whole || !std::isfinite(total) || std::fabs(total) > 1e15)
        return std::nullopt;
    return static_cast<qint64>(total);
}

// Whole units and two-digit minutes and seconds, and a last part.
QString sexagesimal(qint64 seconds, QChar units, QChar minutes, const QString &last)
{
    return plainInteger(seconds / 3600) + units + twoDigits(seconds / 60 % 60) + minutes +
           twoDigits(seconds % 60) + last;
}

} // namespace

QString angle(qint64 arcSeconds)
{
    return minusIf(arcSeconds < 0) +
           sexagesimal(std::llabs(arcSeconds), u'°', u'\'', QStringLiteral("''"));
}

QString clock(qint64 seconds)
{
    return minusIf(seconds < 0) + sexagesimal(std::llabs(seconds), u'h', u'm', QStringLiteral("s"));
}

QString date(QDate date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

QString angle(const Sexagesimal &value)
{
    if (const auto total = wholeTotal(value))
        return angle(*total);
    return part(value.units, false) + u'°' + part(value.minutes, true) + u'\'' +
           part(value.seconds, true) + QStringLiteral("''");
}

QString clock(const Sexagesimal &value)
{
    if (const auto total = wholeTotal(value))
        return clock(*total);
    return part(value.units, false) + u'h' + part(value.minutes, true) + u'm' +
           part(value.seconds, true) + u's';
}

QString angle(const SexagesimalTriple &value)
{
    return angle(pickersToSeconds(value));
}

QString clock(const SexagesimalTriple &value)
{
    return clock(pickersToSeconds(value));
}

QString preciseClock(double seconds)
{
    const qint64 tenths = std::llround(std::fabs(seconds) * 10);
    return minusIf(seconds < 0 && tenths > 0) +
           sexagesimal(tenths / 10, u'h', u'm', point() + plainInteger(tenths % 10) + u's');
}

QString preciseAngle(double degrees)
{
    const qint64 tenths = std::llround(std::fabs(degrees) * 36000.0);
    return minusIf(degrees < 0 && tenths > 0) +
           sexagesimal(tenths / 10, u'°', u'\'',
                       point() + plainInteger(tenths % 10) + QStringLiteral("''"));
}

QString preciseDuration(double seconds)
{
    const qint64 tenths = std::llround(std::fabs(seconds) * 10);
    const qint64 minutes = tenths / 600;
    const qint64 rest = tenths % 600;
    return minusIf(seconds < 0 && tenths > 0) +
           (minutes > 0 ? plainInteger(minutes) + QStringLiteral(" m ") : QString()) +
           plainInteger(rest / 10) + point() + plainInteger(rest % 10) + QStringLiteral(" s");
}

QString preciseDeviation(double seconds)
{
    const bool positive = std::llround(seconds * 10) > 0;
    return (positive ? QStringLiteral("+") : QString()) + preciseDuration(seconds);
}

QString decimal(FixedDecimal value)
{
    const qint64 count = value.tenThousandths();
    const qint64 magnitude = std::llabs(count);
    return minusIf(count < 0) + plainInteger(magnitude / 10000) + point() +
           QString::number(magnitude % 10000).rightJustified(4, u'0');
}

QString decimal(double value)
{
    return decimal(FixedDecimal::fromTenThousandths(std::llround(value * 10000)));
}

QString decimalDeviation(double value)
{
    return (std::llround(value * 10000) > 0 ? QStringLiteral("+") : QString()) + decimal(value);
}

QString arcDeviation(qint64 arcSeconds)
{
    const qint64 a = std::llabs(arcSeconds);
    if (a < 60)
        return sign(arcSeconds) + plainInteger(a) + QStringLiteral("''");
    if (a < 3600)
        return sign(arcSeconds) + plainInteger(a / 60) + u'\'' + twoDigits(a % 60) +
               QStringLiteral("''");
    return sign(arcSeconds) + angle(a);
}

QString preciseArcDeviation(double arcSeconds)
{
    const qint64 tenths = std::llround(arcSeconds * 10);
    if (std::llabs(tenths) >= 600)
        return arcDeviation(std::llround(arcSeconds));
    return sign(tenths) + plainInteger(std::llabs(tenths) / 10) + point() +
           plainInteger(std::llabs(tenths) % 10) + QStringLiteral("''");
}

QString timeDeviation(qint64 seconds)
{
    const qint64 s = std::llabs(seconds);
    if (s < 60)
        return sign(seconds) + plainInteger(s) + QStringLiteral(" s");
    if (s < 86'400)
        return sign(seconds) + clock(s);
    const qint64 days = s / 86'400;
    return sign(seconds) + plainInteger(days) +
           (days == 1 ? QStringLiteral(" Tag ") : QStringLiteral(" Tage ")) + clock(s % 86'400);
}

QString dayDeviation(qint64 days)
{
    return sign(days) + plainInteger(std::llabs(days)) +
           (std::llabs(days) == 1 ? QStringLiteral(" Tag") : QStringLiteral(" Tage"));
}

QString zone(int hours)
{
    return (hours > 0 ? QStringLiteral("+") : QString()) + plainInteger(hours);
}

QString degreesMinutes(int arcMinutes)
{
    return minusIf(arcMinutes < 0) + plainInteger(std::abs(arcMinutes) / 60) + u'°' +
           twoDigits(std::abs(arcMinutes) % 60) + u'\'';
}

QString latitude(int arcMinutes)
{
    return degreesMinutes(arcMinutes) + QStringLiteral(" N");
}

QString longitude(int arcMinutes)
{
    return degreesMinutes(std::abs(arcMinutes)) +
           (arcMinutes < 0 ? QStringLiteral(" W") : QStringLiteral(" O"));
}

QString rowTime(qint64 seconds)
{
    const qint64 s = ((seconds % 86'400) + 86'400) % 86'400;
    return plainInteger(s / 3600) + u'h' + twoDigits(s / 60 % 60) + u'm';
}

} // namespace Core::Notation
