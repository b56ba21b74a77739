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

// A part of a typed value: a whole number as it is, two-digit where the
// notation wants it; a fraction as the desktop writes it.
QString part(double value, bool padded)
{
    if (!std::isfinite(value) || value != std::floor(value) || std::fabs(value) > 1e15)
        return plainNumber(value);
    const auto whole = static_cast<qint64>(value);
    return padded && whole >= 0 ? twoDigits(whole) : plainInteger(whole);
}

} // namespace

QString angle(qint64 arcSeconds)
{
    const qint64 a = std::llabs(arcSeconds);
    return (arcSeconds < 0 ? QStringLiteral("-") : QString()) + plainInteger(a / 3600) + u'°' +
           twoDigits(a / 60 % 60) + u'\'' + twoDigits(a % 60) + QStringLiteral("''");
}

QString clock(qint64 seconds)
{
    const qint64 s = std::llabs(seconds);
    return (seconds < 0 ? QStringLiteral("-") : QString()) + plainInteger(s / 3600) + u'h' +
           twoDigits(s / 60 % 60) + u'm' + twoDigits(s % 60) + u's';
}

QString date(QDate date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

namespace {

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

} // namespace

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

QString arcDeviation(qint64 arcSeconds)
{
    const qint64 a = std::llabs(arcSeconds);
    if (a < 120)
        return sign(arcSeconds) + plainInteger(a) + QStringLiteral("''");
    if (a < 3600)
        return sign(arcSeconds) + plainInteger(a / 60) + u'\'' + twoDigits(a % 60) +
               QStringLiteral("''");
    return sign(arcSeconds) + angle(a);
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

QString preciseDuration(double seconds)
{
    const qint64 tenths = std::llround(std::fabs(seconds) * 10);
    const qint64 minutes = tenths / 600;
    const qint64 rest = tenths % 600;
    return (seconds < 0 && tenths > 0 ? QStringLiteral("-") : QString()) +
           (minutes > 0 ? plainInteger(minutes) + QStringLiteral(" m ") : QString()) +
           plainInteger(rest / 10) + QLocale().decimalPoint() + plainInteger(rest % 10) +
           QStringLiteral(" s");
}

QString preciseDeviation(double seconds)
{
    const bool positive = std::llround(seconds * 10) > 0;
    return (positive ? QStringLiteral("+") : QString()) + preciseDuration(seconds);
}

QString zone(int hours)
{
    return (hours > 0 ? QStringLiteral("+") : QString()) + plainInteger(hours);
}

QString latitude(int arcMinutes)
{
    return plainInteger(arcMinutes / 60) + u'°' + twoDigits(arcMinutes % 60) +
           QStringLiteral("' N");
}

} // namespace Core::Notation
