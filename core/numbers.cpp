#include "core/numbers.h"

#include "core/overflow.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace Core {

namespace {

bool isSkipped(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

int digitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int d = -1;
    if (u >= u'0' && u <= u'9')
        d = u - u'0';
    else if (u >= u'a' && u <= u'f')
        d = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        d = u - u'A' + 10;
    return d < base ? d : -1;
}

// "&H1F" and "&O17": whole numbers in base 16 or 8, as many digits as fit.
double radixValue(const QString &s, int base)
{
    double v = 0;
    for (qsizetype i = 2; i < s.size(); ++i) {
        const int d = digitValue(s[i], base);
        if (d < 0)
            break;
        v = v * base + d;
    }
    if (!std::isfinite(v))
        throw Overflow();
    return v;
}

// A decimal number that std::from_chars found out of range: decide from its
// order of magnitude whether it is too large (an overflow) or too small (0).
double outOfRange(const std::string &mantissa, long long exponent)
{
    long long magnitude = 0;
    const auto dot = mantissa.find('.');
    const std::string whole = mantissa.substr(0, dot);
    const auto firstNonZero = whole.find_first_not_of('0');
    if (firstNonZero != std::string::npos) {
        magnitude = static_cast<long long>(whole.size() - firstNonZero);
    } else if (dot != std::string::npos) {
        const std::string fraction = mantissa.substr(dot + 1);
        const auto nz = fraction.find_first_not_of('0');
        if (nz == std::string::npos)
            return 0;
        magnitude = -static_cast<long long>(nz);
    }
    if (magnitude + exponent > 0)
        throw Overflow();
    return 0;
}

} // namespace

namespace {

// The digits of a mantissa with at most one full stop, from position i on;
// i is left after them.
std::string mantissaAt(const QString &s, qsizetype &i)
{
    std::string mantissa;
    bool seenPoint = false;
    for (; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c >= u'0' && c <= u'9') {
            mantissa += static_cast<char>(c.unicode());
        } else if (c == u'.' && !seenPoint) {
            mantissa += '.';
            seenPoint = true;
        } else {
            break;
        }
    }
    return mantissa;
}

// An exponent at position i: E or D, an optional sign, digits. Without
// digits it is not part of the number ("1E" reads as 1): then "" and 0.
std::pair<std::string, long long> exponentAt(const QString &s, qsizetype i)
{
    if (i >= s.size() || (s[i].toUpper() != u'E' && s[i].toUpper() != u'D'))
        return {};
    qsizetype j = i + 1;
    bool negative = false;
    if (j < s.size() && (s[j] == u'+' || s[j] == u'-')) {
        negative = s[j] == u'-';
        ++j;
    }
    std::string digits;
    long long exponent = 0;
    for (; j < s.size() && s[j] >= u'0' && s[j] <= u'9'; ++j) {
        digits += static_cast<char>(s[j].unicode());
        exponent = std::min<long long>(exponent * 10 + (s[j].unicode() - u'0'), 1'000'000'000LL);
    }
    if (digits.empty())
        return {};
    return {(negative ? "e-" : "e") + digits, negative ? -exponent : exponent};
}

} // namespace

double textValue(const QString &text)
{
    QString s;
    s.reserve(text.size());
    for (QChar c : text) {
        if (!isSkipped(c))
            s += c;
    }

    if (s.size() >= 2 && s[0] == u'&') {
        const QChar kind = s[1].toUpper();
        if (kind == u'H')
            return radixValue(s, 16);
        if (kind == u'O')
            return radixValue(s, 8);
        return 0;
    }

    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        negative = s[i] == u'-';
        ++i;
    }
    const std::string mantissa = mantissaAt(s, i);
    if (mantissa.find_first_of("0123456789") == std::string::npos)
        return 0;
    const auto [exponentText, exponent] = exponentAt(s, i);
    const std::string number = mantissa + exponentText;

    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range)
        value = outOfRange(mantissa, exponent);
    else if (error != std::errc())
        return 0;
    if (!std::isfinite(value))
        throw Overflow();
    return negative ? -value : value;
}

double readNumber(const QString &text)
{
    try {
        return textValue(text);
    } catch (const Overflow &) {
        return text.trimmed().startsWith(u'-') ? -HUGE_VAL : HUGE_VAL;
    }
}

qint32 roundToInt32(double value)
{
    if (std::isnan(value))
        throw Overflow();
    const double r = std::nearbyint(value); // the default rounding mode: halves to even
    if (r < std::numeric_limits<qint32>::min() || r > std::numeric_limits<qint32>::max())
        throw Overflow();
    return static_cast<qint32>(r);
}

qint16 roundToInt16(double value)
{
    const qint32 r = roundToInt32(value);
    if (r < std::numeric_limits<qint16>::min() || r > std::numeric_limits<qint16>::max())
        throw Overflow();
    return static_cast<qint16>(r);
}

QString plainInteger(qint64 value)
{
    return QString::number(value); // never localised: no group separator, ASCII minus
}

QString plainNumber(double value)
{
    if (value == 0 || std::isnan(value))
        return QStringLiteral("0"); // also for -0
    if (std::trunc(value) == value && std::fabs(value) < 1e15)
        return plainInteger(static_cast<qint64>(value));

    // Fifteen significant digits, trailing zeros dropped, an exponent only for
    // very large or very small magnitudes ("1E+20", "1.5E-05"). At the top of
    // the range fifteen digits would round beyond the largest double and read
    // back as an overflow: there the largest fifteen-digit number stands.
    constexpr double Largest = 1.79769313486231e308;
    QString text = QString::number(std::clamp(value, -Largest, Largest), 'g', 15);
    text.replace(u'e', u'E');
    const qsizetype point = text.indexOf(u'.');
    if (point >= 0)
        text.replace(point, 1, QLocale().decimalPoint());
    return text;
}

double textOrRegionalValue(const QString &text)
{
    const QString point = QLocale().decimalPoint();
    if (point.isEmpty() || point == u'.')
        return readNumber(text);
    return readNumber(QString(text).replace(point, QStringLiteral(".")));
}

double regionalValue(const QString &text)
{
    QString s = text.trimmed();
    bool negative = false;
    if (!s.isEmpty() && (s[0] == u'+' || s[0] == u'-')) {
        negative = s[0] == u'-';
        s = s.mid(1).trimmed();
    }
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double v = locale.toDouble(s, &ok);
    if (!ok || !std::isfinite(v))
        return 0;
    return negative ? -v : v;
}

} // namespace Core
