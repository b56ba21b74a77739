#include "solar/solar_steps.h"

#include "core/numbers.h"
#include "core/overflow.h"
#include "core/sexagesimal.h"

#include <cmath>
#include <limits>

namespace SolarSteps {

namespace {

// The largest difference of Sun positions that one day can bring: the Sun
// moves between 0°57' and 1°01' a day, so anything above 1°05'00'' means that
// the two ephemeris days were misread.
constexpr qint32 MaximalDifference = 3900;

// Hours in a day, the factor of the interpolation in step 4.
constexpr double HoursPerDay = 24.0;

Effects Message(const QString &text)
{
    return {Effect::message(text, Title())};
}

// Runs a step; an Overflow anywhere in it replaces all its writes by one message.
template <typename Step> Effects Checked(Step step)
{
    try {
        return step();
    } catch (const Overflow &) {
        return Message(QStringLiteral("Überlauf!"));
    }
}

qint16 PickerPosition(const FormValues &v, const QString &picker, int index)
{
    const int p = v.position(picker, index);
    if (p < std::numeric_limits<qint16>::min() || p > std::numeric_limits<qint16>::max())
        throw Overflow();
    return static_cast<qint16>(p);
}

// A field's number written back as plain text: "05" becomes "5", an empty
// field "0".
QString Plain(const QString &text)
{
    return PlainNumber(TextValue(text));
}

// The Greenwich and zone times of step 5 may hold a fraction that this form
// wrote itself in the desktop's format ("14,5" under German settings): it is
// read back whole, and written back as plain text in the same format.
QString PlainTime(const QString &text)
{
    return PlainNumber(TextOrRegionalValue(text));
}

// A sum of hours that is no longer a finite number cannot be shown.
double CheckedSum(double a, double b)
{
    const double sum = a + b;
    if (!std::isfinite(sum))
        throw Overflow();
    return sum;
}

} // namespace

QString Title()
{
    return QStringLiteral("Solar");
}

Effects PickerClicked(const FormValues &v, const QString &picker, int index)
{
    const int position = v.position(picker, index);
    if (position < 0) // an emptied list: there is no value to carry
        return {};

    if (picker == QLatin1String("cmbDeg1")) {
        const QString text = PlainInteger(position);
        return {Effect::setText(QStringLiteral("txtDeg02"), index, text),
                Effect::setText(QStringLiteral("txtDeg03"), index, text)};
    }
    if (picker == QLatin1String("cmbDeg2"))
        return {Effect::setText(QStringLiteral("txtDeg01"), index, PlainInteger(position))};
    if (picker == QLatin1String("cmbDeg13")) {
        // While the form fills its pickers, the radix picker of step 3 may
        // still be empty or half filled: the position is carried only into a
        // picker that holds the same entries.
        const QString radix = QStringLiteral("cmbDeg5");
        if (v.count(radix, index) == v.count(picker, index))
            return {Effect::select(radix, index, position)};
    }
    return {};
}

Effects Command2_Click(const FormValues &v)
{
    return Checked([&]() -> Effects {
        const qint32 date1 = FieldsToSeconds(v.triple(QStringLiteral("txtDeg02")));
        const qint32 date2 = FieldsToSeconds(v.triple(QStringLiteral("txtDeg01")));
        if (date2 < date1)
            return Message(QStringLiteral("1. Datum größer als 2. Datum!"));
        const qint32 motion = CheckedSubtract(date2, date1);
        if (motion > MaximalDifference)
            return Message(QStringLiteral("Differenz zu groß, sie darf maximal 1°05' betragen."));

        const SexagesimalTriple a = SecondsToTriple(motion);
        return WriteTriple(QStringLiteral("txtDeg1"), a) +
               WriteTriple(QStringLiteral("txtDeg4"), a);
    });
}

Effects Command3_Click(const FormValues &v)
{
    return Checked([&]() -> Effects {
        const QString picker = QStringLiteral("cmbDeg5");
        const qint32 radix =
            PickersToSeconds(PickerPosition(v, picker, 0), PickerPosition(v, picker, 1),
                             PickerPosition(v, picker, 2));
        const qint32 date1 = FieldsToSeconds(v.triple(QStringLiteral("txtDeg03")));
        if (radix < date1)
            return Message(QStringLiteral("1. Datum größer als Radix-Sonnenposition"));
        const qint32 distance = CheckedSubtract(radix, date1);
        if (distance > MaximalDifference)
            return Message(QStringLiteral("Differenz zu groß, sie darf maximal 1°05' betragen."));

        const SexagesimalTriple b = SecondsToTriple(distance);
        return WriteTriple(QStringLiteral("txtDeg2"), b) +
               WriteTriple(QStringLiteral("txtDeg3"), b);
    });
}

Effects Command4_Click(const FormValues &v)
{
    return Checked([&]() -> Effects {
        const qint32 motion = FieldsToSeconds(v.triple(QStringLiteral("txtDeg4")));
        if (motion == 0)
            return Message(QStringLiteral("Nulldivision!"));
        const qint32 distance = FieldsToSeconds(v.triple(QStringLiteral("txtDeg3")));

        // The fraction of the day that the Sun needs for the distance B at the
        // day's motion A. No upper bound: B beyond A gives 24 h or more.
        const double hours =
            static_cast<double>(distance) / static_cast<double>(motion) * HoursPerDay;
        const SexagesimalTriple time = DecimalToTriple(FixedDecimal::fromDouble(hours));
        return WriteTriple(QStringLiteral("txtTime1"), time) +
               WriteTriple(QStringLiteral("txtTime2"), time);
    });
}

Effects Command1_Click(const FormValues &v)
{
    return Checked([&]() -> Effects {
        const QString greenwich = QStringLiteral("txtTime2");
        const double zone = TextValue(v.selectedText(QStringLiteral("cmbGMT")));
        const double hour = CheckedSum(TextOrRegionalValue(v.text(greenwich, 0)), zone);
        return WriteTriple(QStringLiteral("txtTime3"),
                           FieldTexts{PlainNumber(hour), PlainTime(v.text(greenwich, 1)),
                                      PlainTime(v.text(greenwich, 2))});
    });
}

Effects Command5_Click(const FormValues &v)
{
    return Checked([&]() -> Effects {
        const QString zoneTime = QStringLiteral("txtTime3");
        const double shift = TextValue(v.selectedText(QStringLiteral("Combo1")));
        const double hour = TextOrRegionalValue(v.text(zoneTime, 0)) + shift;
        // Exactly 24 h is still accepted, whatever the minutes and seconds say.
        if (!(hour >= 0 && hour <= 24))
            return Message(QStringLiteral("Maximimal 24 Stunden pro Tag"));

        const FieldTexts clock{PlainNumber(hour), PlainTime(v.text(zoneTime, 1)),
                               PlainTime(v.text(zoneTime, 2))};
        return Effects{Effect::resultReady(true)} + WriteTriple(QStringLiteral("txtTime4"), clock);
    });
}

ResultRow ResultRowOf(const FormValues &v)
{
    const QString date = QStringLiteral("Text1");
    const QString time = QStringLiteral("txtTime4");
    return {Title(),
            Plain(v.text(date, 2)) + u'.' + Plain(v.text(date, 3)) + u'.' + Plain(v.text(date, 4)),
            Plain(v.text(time, 0)) + u'h' + Plain(v.text(time, 1)) + u'm' + Plain(v.text(time, 2)) +
                u's'};
}

} // namespace SolarSteps
