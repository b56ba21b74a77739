#include "rekti/rectificationsteps.h"

#include "core/numbers.h"
#include "core/rules.h"

#include <cmath>

using namespace Core;

namespace Rectification {

namespace {

// Seconds of arc -> decimal degrees (four places) -> x 4 m per degree ->
// decimal hours rounded to four places -> h m s.
StepResult<ArcTime> arcToTime(const Sexagesimal &arc)
{
    return guarded([&]() -> StepResult<ArcTime> {
        ArcTime t;
        t.degrees = secondsToDecimal(arc.totalSeconds());
        t.hours = FixedDecimal::fromDouble(t.degrees.toDouble() * HoursPerDegree);
        t.time = decimalToTriple(t.hours);
        return t;
    });
}

StepMessage invalidAngle()
{
    return {QStringLiteral("Winkel ungültig!")};
}

} // namespace

StepResult<double> decimalYears(const Age &age)
{
    return guarded([&]() -> StepResult<double> {
        const double years = age.days / DaysPerYear + roundToInt32(age.years);
        if (!std::isfinite(years))
            throw Overflow();
        return years;
    });
}

double asWritten(double decimalYears)
{
    return regionalValue(plainNumber(decimalYears));
}

StepResult<SexagesimalTriple> directionArc(double decimalYears)
{
    return guarded([&]() -> StepResult<SexagesimalTriple> {
        return secondsToTriple(roundToInt32(decimalYears * NaibodArcSecondsPerYear));
    });
}

StepResult<ArcTime> arcInTime(const Sexagesimal &directionArc)
{
    return arcToTime(directionArc);
}

StepResult<SiderealSum> eventSiderealTime(const Sexagesimal &birthSiderealTime,
                                          const Sexagesimal &arcInTime)
{
    return guarded([&]() -> StepResult<SiderealSum> {
        const qint32 sum = checkedAdd(birthSiderealTime.totalSeconds(), arcInTime.totalSeconds());
        // Beyond a full day "-24h" is proposed; a day exactly keeps "-0h".
        return SiderealSum{secondsToTriple(sum), sum > SecondsPerDay};
    });
}

StepResult<SexagesimalTriple> siderealTimeWithinDay(const Sexagesimal &eventSiderealTime,
                                                    double dayHours)
{
    return guarded([&]() -> StepResult<SexagesimalTriple> {
        const qint32 r = roundToInt32(dayHours * 3600.0 + eventSiderealTime.totalSeconds());
        if (r < 0)
            return StepMessage{QStringLiteral("Wert darf nicht negativ sein!")};
        return secondsToTriple(r);
    });
}

// 15°20'0'' - 14°18'30'' = 1°1'30''; 1°10'0'' - 29°5'0'' + 30° = 2°5'0''.
StepResult<SexagesimalTriple> tableDifference(const Sexagesimal &minuend,
                                              const Sexagesimal &subtrahend, double signCorrection)
{
    return guarded([&]() -> StepResult<SexagesimalTriple> {
        if (minuend.angleOutOfRange() || subtrahend.angleOutOfRange())
            return invalidAngle();
        const qint32 d = checkedSubtract(minuend.totalSeconds(), subtrahend.totalSeconds());
        qint32 x = roundToInt32(signCorrection * 3600.0 + d);
        if (x < 0)
            x = checkedSubtract(0, x); // -2^31 has no positive counterpart in 32 bits
        return secondsToTriple(x);
    });
}

StepResult<Quotient> tableInterpolation(const Sexagesimal &towardsPlanet,
                                        const Sexagesimal &tableStep)
{
    return guarded([&]() -> StepResult<Quotient> {
        Quotient q;
        q.step = tableStep.totalSeconds();
        if (q.step == 0)
            return StepMessage{QStringLiteral("Nulldivision!")};
        if (towardsPlanet.angleOutOfRange() || tableStep.angleOutOfRange())
            return invalidAngle();
        q.towards = towardsPlanet.totalSeconds();
        q.value = FixedDecimal::fromDouble(static_cast<double>(q.towards) / q.step);
        q.asAngle = decimalToTriple(q.value);
        return q;
    });
}

StepResult<SexagesimalTriple> ramcPlusQuotient(double ramc, const Sexagesimal &quotient)
{
    return guarded([&]() -> StepResult<SexagesimalTriple> {
        if (roundToInt32(ramc) > 360)
            return StepMessage{ramcTooLarge()};
        return secondsToTriple(roundToInt32(ramc * 3600.0 + quotient.totalSeconds()));
    });
}

StepResult<SexagesimalTriple> correctedRamc(const Sexagesimal &ramcPlusQuotient,
                                            const Sexagesimal &directionArc,
                                            double circleCorrection)
{
    return guarded([&]() -> StepResult<SexagesimalTriple> {
        const qint32 d =
            checkedSubtract(ramcPlusQuotient.totalSeconds(), directionArc.totalSeconds());
        const qint32 x = roundToInt32(circleCorrection * 3600.0 + d);
        if (x < 0 || x > ArcSecondsPerCircle)
            return StepMessage{
                QStringLiteral("Wert darf nicht negativ oder größer als 360 werden!")};
        return secondsToTriple(x);
    });
}

StepResult<ArcTime> ramcInTime(const Sexagesimal &correctedRamc)
{
    return arcToTime(correctedRamc);
}

// -206 s are 0 h -3 m -26 s.
StepResult<SexagesimalTriple> birthTimeCorrection(const Sexagesimal &ramcInTime,
                                                  const Sexagesimal &birthSiderealTime)
{
    return guarded([&]() -> StepResult<SexagesimalTriple> {
        return secondsToTriple(
            checkedSubtract(ramcInTime.totalSeconds(), birthSiderealTime.totalSeconds()));
    });
}

StepResult<ResultRow> resultRow(const QString &event, const Sexagesimal &correction)
{
    return guarded([&]() -> StepResult<ResultRow> {
        const FieldTexts t = correction.plainTexts();
        return ResultRow{QStringLiteral("Rektifikation"), event,
                         t[0] + u'h' + t[1] + u'm' + t[2] + u's'};
    });
}

} // namespace Rectification
