// The steps of both calculators on any entries: up to twelve lines of text are
// read as four angles or times. Every step answers with a result or with one
// message, never with a wrapped number, and every triple it gives is a proper
// sexagesimal value: minutes and seconds below 60, all parts of one sign.
#include "rekti/rectificationsteps.h"
#include "solar/solarsteps.h"

#include <QStringList>

#include <cstdlib>
#include <type_traits>

using namespace Core;

namespace {

template <typename T> void check(const StepResult<T> &r)
{
    if (r.ok() == !r.message().isEmpty())
        std::abort();
    if constexpr (std::is_same_v<T, SexagesimalTriple>) {
        const SexagesimalTriple t = r.ok() ? r.value() : SexagesimalTriple{};
        if ((t.units < 0 || t.minutes < 0 || t.seconds < 0) &&
            (t.units > 0 || t.minutes > 0 || t.seconds > 0))
            std::abort();
        if (std::abs(t.minutes) > 59 || std::abs(t.seconds) > 59)
            std::abort();
    }
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
    // The radix comes from a list of 0° to 30°.
    const double degrees = v[2].units >= 0 && v[2].units <= 30 ? v[2].units : 0;
    check(Solar::distanceToRadix({qint16(degrees), 0, 0}, v[0]));
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
