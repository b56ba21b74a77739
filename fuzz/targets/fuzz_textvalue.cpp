// Reading numbers from field texts: whatever a student types or pastes,
// TextValue answers with a finite number or Overflow, independently of the
// desktop's regional settings, and every number the program writes reads
// back as itself.

#include "core/numbers.h"
#include "core/overflow.h"
#include "fuzzsupport.h"

#include <QLocale>

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace {

// The value read, or nothing for an overflow.
std::optional<double> Read(const QString &text)
{
    try {
        const double v = TextValue(text);
        if (!std::isfinite(v))
            Finding("TextValue gives an infinity or NaN", text);
        return v;
    } catch (const Overflow &) {
        return std::nullopt;
    }
}

bool Same(const std::optional<double> &a, const std::optional<double> &b)
{
    return a.has_value() == b.has_value() && (!a || *a == *b);
}

QString Show(const std::optional<double> &v)
{
    return v ? QString::number(*v, 'g', 17) : QStringLiteral("Overflow");
}

void Expect(bool ok, const char *what, const QString &text, const std::optional<double> &a,
            const std::optional<double> &b)
{
    if (!ok)
        Finding(what,
                u'"' + text + QStringLiteral("\": ") + Show(a) + QStringLiteral(" vs ") + Show(b));
}

// The text as std::strtod must read it, when it is nothing but one decimal
// number (digits, one full stop, an E or D exponent) after its blanks.
std::optional<std::string> PlainDecimal(const QString &stripped)
{
    std::string s;
    qsizetype i = 0;
    if (i < stripped.size() && (stripped[i] == u'+' || stripped[i] == u'-'))
        s += static_cast<char>(stripped[i++].unicode());
    int digits = 0;
    bool point = false;
    for (; i < stripped.size(); ++i) {
        const QChar c = stripped[i];
        if (c >= u'0' && c <= u'9') {
            ++digits;
        } else if (c == u'.' && !point) {
            point = true;
        } else {
            break;
        }
        s += static_cast<char>(c.unicode());
    }
    if (digits == 0)
        return std::nullopt;
    if (i < stripped.size()) {
        const QChar e = stripped[i].toUpper();
        if (e != u'E' && e != u'D')
            return std::nullopt;
        s += 'e';
        ++i;
        if (i < stripped.size() && (stripped[i] == u'+' || stripped[i] == u'-'))
            s += static_cast<char>(stripped[i++].unicode());
        const qsizetype exponentStart = i;
        for (; i < stripped.size() && stripped[i] >= u'0' && stripped[i] <= u'9'; ++i)
            s += static_cast<char>(stripped[i].unicode());
        if (i == exponentStart || i != stripped.size())
            return std::nullopt;
    }
    return s;
}

void CheckAgainstStrtod(const QString &text, const QString &stripped,
                        const std::optional<double> &value)
{
    const std::optional<std::string> decimal = PlainDecimal(stripped);
    if (!decimal)
        return;
    errno = 0;
    const double expected = std::strtod(decimal->c_str(), nullptr);
    if (errno == ERANGE && std::isinf(expected)) {
        Expect(!value, "a number beyond a double is no overflow", text, value, expected);
    } else if (errno == ERANGE || (expected != 0 && std::fabs(expected) < DBL_MIN)) {
        // Below the smallest normal double: 0 or the subnormal value both do.
        Expect(value && std::fabs(*value) < DBL_MIN, "a tiny number read wrongly", text, value,
               expected);
    } else {
        Expect(value && *value == expected, "a decimal number read wrongly", text, value, expected);
    }
}

// Every number the program writes must read back as (the 15-digit rounding
// of) itself: with TextValue under a full-stop locale, with RegionalValue
// under any.
void CheckWrittenReadsBack(double v)
{
    if (!std::isfinite(v) || std::fabs(v) >= 1e308)
        return;
    const QString written = PlainNumber(v);
    if (!IsPlainNumber(written) || MentionsInfOrNan(written))
        Finding("PlainNumber writes no plain number", written);
    const double tolerance = std::fabs(v) * 1e-13;
    const double regional = RegionalValue(written);
    if (std::fabs(regional - v) > tolerance)
        Finding("a written number reads back differently in the desktop's format",
                written + QStringLiteral(" from ") + QString::number(v, 'g', 17));
    if (QLocale().decimalPoint() == QLatin1String(".")) {
        const std::optional<double> back = Read(written);
        if (!back || std::fabs(*back - v) > tolerance)
            Finding("a written number reads back differently", written);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    try {
        FuzzedDataProvider fdp(data, size);
        PinLocale(fdp);
        const QLocale desktop;
        const bool utf16 = fdp.ConsumeBool();
        const std::vector<char> bytes = fdp.ConsumeRemainingBytes<char>();
        QString text;
        if (utf16) {
            // Any UTF-16 code units, lone surrogates included.
            for (size_t i = 0; i + 1 < bytes.size(); i += 2)
                text += QChar(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                    static_cast<unsigned char>(bytes[i + 1]) << 8));
        } else {
            text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
        }

        const std::optional<double> value = Read(text);

        // Blanks, tabs and line feeds count nowhere.
        QString stripped = text;
        stripped.remove(u' ').remove(u'\t').remove(u'\n');
        Expect(Same(Read(stripped), value), "blanks change the value", text, Read(stripped), value);
        QString spaced = text;
        spaced.insert(text.size() / 2, QStringLiteral(" \t\n"));
        Expect(Same(Read(spaced), value), "inserted blanks change the value", text, Read(spaced),
               value);

        // What follows a number does not belong to it.
        Expect(Same(Read(text + u'x'), value), "a trailing letter changes the value", text,
               Read(text + u'x'), value);
        Expect(Same(Read(text + u','), value), "a trailing comma changes the value", text,
               Read(text + u','), value);

        // A minus sign in front negates a number that starts with a digit or point.
        if (!stripped.isEmpty() && (stripped[0].isDigit() || stripped[0] == u'.') &&
            stripped[0].unicode() < 128) {
            const std::optional<double> negated = Read(u'-' + text);
            Expect(negated.has_value() == value.has_value() && (!value || *negated == -*value),
                   "a minus sign does not negate", text, negated, value);
        }

        CheckAgainstStrtod(text, stripped, value);

        // The full stop is the decimal point whatever the desktop says.
        QLocale::setDefault(QLocale::c());
        Expect(Same(Read(text), value), "the value depends on the regional settings", text,
               Read(text), value);
        QLocale::setDefault(desktop);

        // Reading with the desktop's format never fails.
        if (!std::isfinite(RegionalValue(text)))
            Finding("RegionalValue gives an infinity or NaN", text);

        if (value) {
            CheckWrittenReadsBack(*value);
            CheckWrittenReadsBack(*value / 7);
            CheckWrittenReadsBack(*value / 365 + 34);
        }
    } catch (const std::exception &e) {
        Finding("unexpected exception", QString::fromUtf8(e.what()));
    }
    return 0;
}
