#include "fortschritt/practice.h"

#include "astro/zodiac.h"
#include "exercise/rectificationtask.h"
#include "exercise/solartask.h"
#include "exercise/splitmix64.h"

#include <functional>

namespace Progress {

using Core::TaskKind;

namespace {

enum class Aim { Solar, SolarWest, SolarAcrossSign, Rectification, RectificationAc, Sidereal };

std::optional<Aim> aimOf(const QString &cause)
{
    static const QStringList West = {
        QStringLiteral("solar.zone"),         QStringLiteral("solar.minus-24h"),
        QStringLiteral("solar.date"),         QStringLiteral("solar.date-missing"),
        QStringLiteral("solar.no-such-date"), QStringLiteral("solar.date-not-moved"),
        QStringLiteral("solar.date-moved"),   QStringLiteral("solar.date-wrong-way"),
        QStringLiteral("solar.german-zone"),  QStringLiteral("solar.zone-sign"),
    };
    // The steps where A and B are measured, which a pair across a sign
    // makes harder: 30° carried.
    static const QStringList AcrossSign = {
        QStringLiteral("solar.step-slip"),
        QStringLiteral("solar.swapped-ab"),
        QStringLiteral("solar.distance"),
    };
    static const QStringList Axis = {QStringLiteral("gzk.other-axis"),
                                     QStringLiteral("gzk.other-table")};
    if (West.contains(cause))
        return Aim::SolarWest;
    if (AcrossSign.contains(cause) ||
        (cause.startsWith(QLatin1String("solar.")) && cause.contains(QLatin1String("sign"))))
        return Aim::SolarAcrossSign;
    if (Axis.contains(cause))
        return Aim::RectificationAc;
    if (cause.startsWith(QLatin1String("solar.")))
        return Aim::Solar;
    if (cause.startsWith(QLatin1String("gzk.")))
        return Aim::Rectification;
    if (cause.startsWith(QLatin1String("sternzeit.")))
        return Aim::Sidereal;
    return std::nullopt;
}

bool west(int number)
{
    const auto task = Exercise::makeSolarTask(number);
    return task && task->zone < 0;
}

bool acrossSign(int number)
{
    const auto task = Exercise::makeSolarTask(number);
    if (!task)
        return false;
    const Exercise::EphemerisPair days = task->pair();
    return Astro::signIndex(days.position1) != Astro::signIndex(days.position2);
}

bool acAxis(int number)
{
    const auto task = Exercise::makeRectificationTask(number);
    return task && task->axis == Astro::Axis::AC;
}

} // namespace

std::optional<Practice> practiceTask(const QString &cause, quint64 seed,
                                     const QList<TaskKind> &offered)
{
    std::optional<Aim> aim = aimOf(cause);
    if (!aim)
        return std::nullopt;
    if (*aim == Aim::Sidereal && !offered.contains(TaskKind::Sidereal))
        aim = Aim::Rectification;

    TaskKind kind = TaskKind::Solar;
    std::function<bool(int)> wanted;
    switch (*aim) {
    case Aim::Solar:
        break;
    case Aim::SolarWest:
        wanted = west;
        break;
    case Aim::SolarAcrossSign:
        wanted = acrossSign;
        break;
    case Aim::Rectification:
        kind = TaskKind::Rectification;
        break;
    case Aim::RectificationAc:
        kind = TaskKind::Rectification;
        wanted = acAxis;
        break;
    case Aim::Sidereal:
        kind = TaskKind::Sidereal;
        break;
    }
    if (!offered.contains(kind))
        return std::nullopt;

    // Mixed, so that neighbouring seeds start far apart.
    Exercise::SplitMix64 random(seed);
    const int span = Exercise::LastTask - Exercise::FirstTask + 1;
    const int start = Exercise::FirstTask + static_cast<int>(random.below(span));
    if (!wanted)
        return Practice{kind, start, true};
    for (int i = 0; i < PracticeTries; ++i) {
        const int number = Exercise::FirstTask + (start - Exercise::FirstTask + i) % span;
        if (wanted(number))
            return Practice{kind, number, true};
    }
    return Practice{kind, start, false};
}

} // namespace Progress
