// The three texts of a field triple turned into a total of seconds and back:
// any texts give a 32-bit total or Overflow, never a wrapped value, and a
// total shown again as degrees (hours), minutes and seconds reads back as
// the same total, by either of the two conversion chains the calculators use.

#include "core/fieldchecks.h"
#include "core/numbers.h"
#include "core/overflow.h"
#include "core/sexagesimal.h"
#include "fuzzsupport.h"

#include <cmath>
#include <limits>
#include <optional>

namespace {

template <typename F> auto Attempt(F f) -> std::optional<decltype(f())>
{
    try {
        return f();
    } catch (const Overflow &) {
        return std::nullopt;
    }
}

QString Show(const FieldTexts &t)
{
    return u'"' + t[0] + QStringLiteral("\" \"") + t[1] + QStringLiteral("\" \"") + t[2] + u'"';
}

qint64 Total(const SexagesimalTriple &t)
{
    return qint64(t.Units) * 3600 + qint64(t.Minutes) * 60 + t.Seconds;
}

bool SameSign(const SexagesimalTriple &t)
{
    const bool negative = t.Units < 0 || t.Minutes < 0 || t.Seconds < 0;
    const bool positive = t.Units > 0 || t.Minutes > 0 || t.Seconds > 0;
    return !(negative && positive);
}

// Fields within a day (an angle within a sign) pass the range checks.
void CheckRangeChecks(qint32 t, const FieldTexts &fields)
{
    if (t >= 0 && t < 86400 && TimeFieldsOutOfRange(fields))
        Finding("a time within the day judged out of range", Show(fields));
    if (t >= 0 && t < 31 * 3600 && AngleFieldsOutOfRange(fields))
        Finding("an angle within a sign judged out of range", Show(fields));
}

void CheckTotal(qint32 t, const FieldTexts &texts)
{
    const std::optional<SexagesimalTriple> triple = Attempt([&] { return SecondsToTriple(t); });
    constexpr qint64 limit = qint64(std::numeric_limits<qint16>::max() + 1) * 3600;
    if (!triple) {
        if (t > -limit && t < limit)
            Finding("SecondsToTriple overflows within 16-bit units", QString::number(t));
    } else {
        if (Total(*triple) != t || !SameSign(*triple) || std::abs(triple->Minutes) > 59 ||
            std::abs(triple->Seconds) > 59)
            Finding("SecondsToTriple gives a wrong triple",
                    QString::number(t) + u' ' + Show(texts));
        const FieldTexts fields = TripleToFields(*triple);
        for (const QString &f : fields) {
            if (!IsPlainInteger(f))
                Finding("TripleToFields writes no plain whole number", Show(fields));
        }
        if (FieldsToSeconds(fields) != t)
            Finding("a triple's texts read back as another total", Show(fields));
        CheckRangeChecks(t, fields);
    }

    // The decimal chain: t / 3600 to four places and back to a triple loses
    // at most 0.18 s, less than the rounding to whole seconds.
    const FixedDecimal decimal = SecondsToDecimal(t);
    if (std::fabs(decimal.toDouble() * 3600.0 - t) > 0.18 + 1e-6)
        Finding("SecondsToDecimal rounds wrongly", QString::number(t));
    const std::optional<SexagesimalTriple> back = Attempt([&] { return DecimalToTriple(decimal); });
    if (back && (Total(*back) != t || !SameSign(*back) || std::abs(back->Minutes) > 59 ||
                 back->Seconds > 59 || back->Seconds < -60))
        Finding("the decimal chain gives another total", QString::number(t));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    try {
        FuzzedDataProvider fdp(data, size);
        PinLocale(fdp);
        FieldTexts texts;
        for (QString &t : texts)
            t = ConsumeText(fdp, 32);

        const std::optional<qint32> t = Attempt([&] { return FieldsToSeconds(texts); });
        const std::optional<qint32> t3 =
            Attempt([&] { return FieldsToSeconds(texts[0], texts[1], texts[2]); });
        if (t != t3)
            Finding("the two forms of FieldsToSeconds disagree", Show(texts));
        // The range checks judge any texts without failing.
        TimeFieldsOutOfRange(texts);
        AngleFieldsOutOfRange(texts);
        if (t)
            CheckTotal(*t, texts);

        // The 16/32-bit building blocks on arbitrary values: Overflow or the
        // exact result, never a wrapped one.
        const auto a = fdp.ConsumeIntegral<qint32>();
        const auto b = fdp.ConsumeIntegral<qint32>();
        const std::optional<qint32> sum = Attempt([&] { return CheckedAdd(a, b); });
        if (sum ? *sum != qint64(a) + b : qint64(a) + b == qint32(qint64(a) + b))
            Finding("CheckedAdd", QString::number(a) + u' ' + QString::number(b));
        const std::optional<qint32> difference = Attempt([&] { return CheckedSubtract(a, b); });
        if (difference ? *difference != qint64(a) - b : qint64(a) - b == qint32(qint64(a) - b))
            Finding("CheckedSubtract", QString::number(a) + u' ' + QString::number(b));
        if (IntDiv(a, 3600) != a / 3600 || IntDiv(a, 60) != a / 60)
            Finding("IntDiv", QString::number(a));
        const auto p0 = fdp.ConsumeIntegral<qint16>();
        const auto p1 = fdp.ConsumeIntegral<qint16>();
        const auto p2 = fdp.ConsumeIntegral<qint16>();
        if (PickersToSeconds(p0, p1, p2) != qint64(p0) * 3600 + qint64(p1) * 60 + p2)
            Finding("PickersToSeconds", QString::number(p0));
        const auto count = fdp.ConsumeIntegral<qint64>();
        Attempt([&] { return DecimalToTriple(FixedDecimal::fromTenThousandths(count)); });
        const auto x = fdp.ConsumeFloatingPoint<double>();
        Attempt([&] { return FixedDecimal::fromDouble(x); });
        Attempt([&] { return RoundToInt16(x); });
        if (!IsPlainNumber(PlainNumber(x)) && std::isfinite(x))
            Finding("PlainNumber writes no plain number", PlainNumber(x));
    } catch (const std::exception &e) {
        Finding("unexpected exception", QString::fromUtf8(e.what()));
    }
    return 0;
}
