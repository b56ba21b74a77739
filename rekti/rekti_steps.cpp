#include "rekti/rekti_steps.h"

#include "core/fieldchecks.h"
#include "core/numbers.h"
#include "core/overflow.h"
#include "core/sexagesimal.h"

namespace RektiSteps {

namespace {

// The Naibod key: the mean daily motion of the Sun, 0°59'08'' of arc, taken
// as the arc the axes are directed per year of life.
constexpr qint32 NaibodSecondsPerYear = 59 * 60 + 8;
// The year of the age is counted with 365 days.
constexpr double DaysPerYear = 365.0;
// One degree of right ascension passes the meridian in 4 minutes of sidereal time.
constexpr double HoursPerDegree = 4.0 / 60.0;
constexpr qint32 SecondsPerDay = 86400;
constexpr qint32 SecondsPerFullCircle = 360 * 3600;

Effect gzkMessage(const QString &text)
{
    return Effect::message(text, QStringLiteral("GZK"));
}

// Runs one step; a 16- or 32-bit overflow anywhere in it replaces all its
// effects by the one message, so that nothing half-computed is written.
template <typename Step> Effects guarded(Step step)
{
    try {
        return step();
    } catch (const Overflow &) {
        return {gzkMessage(QStringLiteral("Überlauf!"))};
    }
}

// Arc to time: seconds of arc → decimal degrees (four places) → × 4 m per
// degree → decimal hours rounded to four places → h m s.
// 121 798'' = 33.8328° → 2.2555 h → 2 h 15 m 20 s.
SexagesimalTriple arcToTime(const FieldTexts &arc)
{
    const FixedDecimal degrees = SecondsToDecimal(FieldsToSeconds(arc));
    return DecimalToTriple(FixedDecimal::fromDouble(degrees.toDouble() * HoursPerDegree));
}

// Difference of two table values within their signs, with the correction of
// ±30° where the sign changes between them; always shown without sign.
// 15°20'0'' − 14°18'30'' = 1°1'30''; 1°10'0'' − 29°5'0'' + 30° = 2°5'0''.
Effects rowDifference(const FormValues &form, const QString &minuend, const QString &subtrahend,
                      const QString &correction, const QString &result, const QString &copy)
{
    const FieldTexts m = form.triple(minuend);
    const FieldTexts s = form.triple(subtrahend);
    const bool minuendBad = AngleFieldsOutOfRange(m);
    const bool subtrahendBad = AngleFieldsOutOfRange(s);
    if (minuendBad || subtrahendBad)
        return {gzkMessage(QStringLiteral("Winkel ungültig!"))};

    const double degrees = TextValue(form.selectedText(correction));
    const qint32 d = CheckedSubtract(FieldsToSeconds(m), FieldsToSeconds(s));
    qint32 x = RoundToInt32(degrees * 3600.0 + d);
    if (x < 0)
        x = CheckedSubtract(0, x); // -2^31 has no positive counterpart in 32 bits
    const SexagesimalTriple triple = SecondsToTriple(x);
    return WriteTriple(result, triple) + WriteTriple(copy, triple);
}

} // namespace

Effects txtJahre_Change(const FormValues &form, int index)
{
    if (index < 0 || index > 1)
        return {};
    return {Effect::setText(QStringLiteral("txtJahre2"), index,
                            form.text(QStringLiteral("txtJahre"), index))};
}

Effects txtTime0_Change(const FormValues &form, int index)
{
    if (index < 0 || index > 2)
        return {};
    const QString time = form.text(QStringLiteral("txtTime0"), index);
    return {Effect::setText(QStringLiteral("txtTime7"), index, time),
            Effect::setText(QStringLiteral("txtTime2"), index, time)};
}

// Decimal years: the days as a fraction of a year of 365 days plus the whole
// years (the years rounded, the days not). Written as the desktop writes a
// double: 34,3287671232877 under German settings.
Effects Command2_Click(const FormValues &form)
{
    return guarded([&]() -> Effects {
        const double years = TextValue(form.text(QStringLiteral("txtJahre2"), 0));
        const double days = TextValue(form.text(QStringLiteral("txtJahre2"), 1));
        const double decimalYears = days / DaysPerYear + RoundToInt32(years);
        return {Effect::setText(QStringLiteral("Text1"), 3, PlainNumber(decimalYears))};
    });
}

// Direction arc: decimal years × the Naibod key, to the second of arc. The
// decimal years are read back in the desktop's format; anything else counts as 0.
Effects Command3_Click(const FormValues &form)
{
    return guarded([&] {
        const double years = RegionalValue(form.text(QStringLiteral("Text1"), 3));
        const SexagesimalTriple arc = SecondsToTriple(RoundToInt32(years * NaibodSecondsPerYear));
        return WriteTriple(QStringLiteral("txtDeg1"), arc) +
               WriteTriple(QStringLiteral("txtDeg2"), arc) +
               WriteTriple(QStringLiteral("txtDeg15"), arc);
    });
}

Effects Command4_Click(const FormValues &form)
{
    return guarded([&] {
        const SexagesimalTriple time = arcToTime(form.triple(QStringLiteral("txtDeg2")));
        return WriteTriple(QStringLiteral("txtTime1"), time) +
               WriteTriple(QStringLiteral("txtTime3"), time);
    });
}

// Sidereal time of the event = sidereal time of birth + arc in time, shown as
// it comes (25 h 5 m 20 s); beyond a full day "-24h" is proposed, a day
// exactly keeps "-0h".
Effects Command5_Click(const FormValues &form)
{
    return guarded([&] {
        const qint32 sum = CheckedAdd(FieldsToSeconds(form.triple(QStringLiteral("txtTime2"))),
                                      FieldsToSeconds(form.triple(QStringLiteral("txtTime3"))));
        Effects effects = WriteTriple(QStringLiteral("txtTime4"), SecondsToTriple(sum));
        effects.append(Effect::select(QStringLiteral("Combo1"), -1, sum > SecondsPerDay ? 1 : 0));
        return effects;
    });
}

// Less the hours of Combo1 ("-24h" or "-0h", read as the number before the h).
Effects Command6_Click(const FormValues &form)
{
    return guarded([&]() -> Effects {
        const double hours = TextValue(form.selectedText(QStringLiteral("Combo1")));
        const qint32 r =
            RoundToInt32(hours * 3600.0 + FieldsToSeconds(form.triple(QStringLiteral("txtTime4"))));
        if (r < 0)
            return {gzkMessage(QStringLiteral("Wert darf nicht negativ sein!"))};
        return WriteTriple(QStringLiteral("txtTime5"), SecondsToTriple(r));
    });
}

Effects Command7_Click(const FormValues &form)
{
    return guarded([&] {
        return rowDifference(form, QStringLiteral("txtDeg3"), QStringLiteral("txtDeg4"),
                             QStringLiteral("Combo3"), QStringLiteral("txtDeg5"),
                             QStringLiteral("txtDeg10"));
    });
}

Effects Command8_Click(const FormValues &form)
{
    return guarded([&] {
        return rowDifference(form, QStringLiteral("txtDeg6"), QStringLiteral("txtDeg7"),
                             QStringLiteral("Combo4"), QStringLiteral("txtDeg8"),
                             QStringLiteral("txtDeg9"));
    });
}

// The part of the table interval that the radix planet's position covers,
// as a decimal with four places shown like an angle: 0.5149 → 0°30'54''.
Effects Command9_Click(const FormValues &form)
{
    return guarded([&]() -> Effects {
        const FieldTexts numerator = form.triple(QStringLiteral("txtDeg9"));
        const FieldTexts denominator = form.triple(QStringLiteral("txtDeg10"));
        const qint32 divisor = FieldsToSeconds(denominator);
        if (divisor == 0)
            return {gzkMessage(QStringLiteral("Nulldivision!"))};
        const bool numeratorBad = AngleFieldsOutOfRange(numerator);
        const bool denominatorBad = AngleFieldsOutOfRange(denominator);
        if (numeratorBad || denominatorBad)
            return {gzkMessage(QStringLiteral("Winkel ungültig!"))};

        const double q = static_cast<double>(FieldsToSeconds(numerator)) / divisor;
        const SexagesimalTriple quotient = DecimalToTriple(FixedDecimal::fromDouble(q));
        return WriteTriple(QStringLiteral("txtDeg11"), quotient) +
               WriteTriple(QStringLiteral("txtdeg12"), quotient);
    });
}

// RAMC of the smaller table row in whole degrees plus the quotient of step 5.
Effects Command10_Click(const FormValues &form)
{
    return guarded([&]() -> Effects {
        const double ramc = TextValue(form.text(QStringLiteral("Text5")));
        if (RoundToInt32(ramc) > 360) {
            return {gzkMessage(QStringLiteral("RAMC ist maximal 360° möglich!")),
                    Effect::setText(QStringLiteral("Text5"), -1, QString()),
                    Effect::focus(QStringLiteral("Text5"))};
        }
        const qint32 x =
            RoundToInt32(ramc * 3600.0 + FieldsToSeconds(form.triple(QStringLiteral("txtdeg12"))));
        return WriteTriple(QStringLiteral("txtDeg13"), SecondsToTriple(x));
    });
}

// Corrected RAMC = RAMC + quotient − direction arc, brought into 0°..360° by
// the user's choice of Combo2 (" 0", "+360", "- 360").
Effects Command11_Click(const FormValues &form)
{
    return guarded([&]() -> Effects {
        const double correction = RegionalValue(form.selectedText(QStringLiteral("Combo2")));
        const qint32 d = CheckedSubtract(FieldsToSeconds(form.triple(QStringLiteral("txtDeg13"))),
                                         FieldsToSeconds(form.triple(QStringLiteral("txtDeg15"))));
        const qint32 x = RoundToInt32(correction * 3600.0 + d);
        if (x < 0 || x > SecondsPerFullCircle)
            return {
                gzkMessage(QStringLiteral("Wert darf nicht negativ oder größer als 360 werden!"))};
        const SexagesimalTriple ramc = SecondsToTriple(x);
        return WriteTriple(QStringLiteral("txtDeg16"), ramc) +
               WriteTriple(QStringLiteral("txtDeg17"), ramc);
    });
}

Effects Command12_Click(const FormValues &form)
{
    return guarded([&] {
        const SexagesimalTriple time = arcToTime(form.triple(QStringLiteral("txtDeg17")));
        return WriteTriple(QStringLiteral("txtTime6"), time) +
               WriteTriple(QStringLiteral("txtTime8"), time);
    });
}

// The time difference sought: corrected RAMC in time − sidereal time of birth,
// not reduced modulo 24 hours (−206 s are 0 h −3 m −26 s). ResultReady comes
// first, but only once the difference has been computed: after an overflow
// "Okay" must not send a difference that is not there.
Effects Command13_Click(const FormValues &form)
{
    return guarded([&] {
        const qint32 t = CheckedSubtract(FieldsToSeconds(form.triple(QStringLiteral("txtTime6"))),
                                         FieldsToSeconds(form.triple(QStringLiteral("txtTime7"))));
        const SexagesimalTriple difference = SecondsToTriple(t);
        Effects effects{Effect::resultReady(true)};
        effects += WriteTriple(QStringLiteral("txtTime9"), difference);
        return effects;
    });
}

ResultRow ResultRowOf(const FormValues &form)
{
    const FieldTexts d = form.triple(QStringLiteral("txtTime9"));
    return {QStringLiteral("Rektifikation"), form.text(QStringLiteral("Text7"), 0),
            PlainNumber(TextValue(d[0])) + u'h' + PlainNumber(TextValue(d[1])) + u'm' +
                PlainNumber(TextValue(d[2])) + u's'};
}

} // namespace RektiSteps
