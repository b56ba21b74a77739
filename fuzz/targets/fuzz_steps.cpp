// The steps of both calculators on any entries: up to twelve lines of text are
// read as four angles or times. Every step answers with a result or with one
// message, never with a wrapped number, and every triple it gives is a proper
// sexagesimal value: minutes and seconds below 60, all parts of one sign.
#include "rekti/rectificationsteps.h"
#include "solar/solarsteps.h"

#include <QStringList>

#include <cmath>
#include <cstdlib>

namespace {

template <typename T> void check(const StepResult<T> &r)
{
    if (r.ok() == !r.message().isEmpty())
        std::abort();
}

void check(const StepResult<SexagesimalTriple> &r)
{
    check<SexagesimalTriple>(r);
    if (!r.ok())
        return;
    const SexagesimalTriple t = r.value();
    const bool negative = t.Units < 0 || t.Minutes < 0 || t.Seconds < 0;
    const bool positive = t.Units > 0 || t.Minutes > 0 || t.Seconds > 0;
    // -59.5 s and beyond round to -60 without a carry.
    if ((negative && positive) || std::abs(t.Minutes) > 59 || std::abs(t.Seconds) > 60)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size))
            .split(u'\n');
    Sexagesimal v[4];
    for (int k = 0; k < 4; ++k)
        v[k] =
            Sexagesimal::read({lines.value(3 * k), lines.value(3 * k + 1), lines.value(3 * k + 2)});
    const double number = v[3].units;

    check(Solar::sunMotion(v[0], v[1]));
    // The radix Sun comes from three lists, whose positions are 0-30, 0-59, 0-59.
    const auto position = [](double value, int count) {
        return qint16(std::isfinite(value) ? std::fmod(std::abs(value), count) : 0);
    };
    check(Solar::distanceToRadix(
        {position(v[2].units, 31), position(v[2].minutes, 60), position(v[2].seconds, 60)}, v[0]));
    check(Solar::greenwichTime(v[0], v[1]));
    check(Solar::zoneTime(v[0], number));
    check(Solar::finalTime(v[1], number));
    check(Solar::resultRow(v[2], v[3]));

    using namespace Rectification;
    check(decimalYears({v[0].units, v[0].minutes}));
    check(directionArc(number));
    check(arcInTime(v[1]));
    check(eventSiderealTime(v[0], v[1]));
    check(siderealTimeWithinDay(v[2], number));
    check(tableDifference(v[0], v[1], v[3].minutes));
    check(tableInterpolation(v[2], v[3]));
    check(ramcPlusQuotient(number, v[1]));
    check(correctedRamc(v[0], v[1], v[3].seconds));
    check(ramcInTime(v[2]));
    check(birthTimeCorrection(v[0], v[1]));
    check(resultRow(lines.value(0), v[2]));
    return 0;
}
