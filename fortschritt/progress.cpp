#include "fortschritt/progress.h"

#include "record/causes.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <map>

namespace Progress {

using Core::TaskKind;
using Record::Entry;

QString kindName(TaskKind kind)
{
    switch (kind) {
    case TaskKind::Solar:
        return QStringLiteral("Solar");
    case TaskKind::Rectification:
        return QStringLiteral("Rektifikation");
    case TaskKind::Sidereal:
        return QStringLiteral("Sternzeit");
    }
    return {};
}

Week weekOf(const QDateTime &time)
{
    Week week;
    week.number = time.toLocalTime().date().weekNumber(&week.year);
    return week;
}

QString weekLabel(Week week)
{
    return QStringLiteral("KW %1/%2").arg(week.number).arg(week.year);
}

QList<WeekShare> weeklyShares(const QList<Entry> &entries)
{
    // Weeks in order, and in each the kinds in the order of Kinds.
    std::map<std::pair<Week, int>, WeekShare> shares;
    for (const Entry &entry : entries) {
        const auto kindIndex =
            static_cast<int>(std::find(Kinds.begin(), Kinds.end(), entry.kind) - Kinds.begin());
        const Week week = weekOf(entry.time);
        WeekShare &share = shares[{week, kindIndex}];
        share.week = week;
        share.kind = entry.kind;
        ++share.total;
        if (entry.right)
            ++share.right;
    }
    QList<WeekShare> result;
    result.reserve(static_cast<qsizetype>(shares.size()));
    for (const auto &[key, share] : shares)
        result.append(share);
    return result;
}

QString causeLabel(const CauseCount &cause)
{
    static const std::array<std::pair<QLatin1StringView, TaskKind>, 3> Prefixes = {{
        {QLatin1StringView("solar."), TaskKind::Solar},
        {QLatin1StringView("gzk."), TaskKind::Rectification},
        {QLatin1StringView("sternzeit."), TaskKind::Sidereal},
    }};
    for (const auto &[prefix, kind] : Prefixes) {
        if (cause.code.startsWith(prefix))
            return cause.name + QStringLiteral(" (") + kindName(kind) + u')';
    }
    return cause.name;
}

QList<CauseCount> frequentCauses(const QList<Entry> &entries, const QDateTime &now, int days)
{
    const QDateTime since = now.addDays(-days);
    QHash<QString, int> counts;
    for (const Entry &entry : entries) {
        if (!entry.right && !entry.cause.isEmpty() && entry.time > since && entry.time <= now)
            ++counts[entry.cause];
    }
    QList<CauseCount> result;
    result.reserve(counts.size());
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        result.append({it.key(), Record::causeName(it.key()), it.value()});
    std::sort(result.begin(), result.end(), [](const CauseCount &a, const CauseCount &b) {
        return a.count != b.count ? a.count > b.count : a.code < b.code;
    });
    return result;
}

std::optional<double> medianSeconds(const QList<Entry> &entries, TaskKind kind)
{
    QList<int> seconds;
    for (const Entry &entry : entries) {
        if (entry.kind == kind && entry.seconds >= 0)
            seconds.append(entry.seconds);
    }
    if (seconds.isEmpty())
        return std::nullopt;
    const qsizetype middle = seconds.size() / 2;
    std::nth_element(seconds.begin(), seconds.begin() + middle, seconds.end());
    const double upper = seconds.at(middle);
    if (seconds.size() % 2 == 1)
        return upper;
    // An even count: the mean of the two middle values, the lower being the
    // greatest of the lower half.
    const double lower = *std::max_element(seconds.begin(), seconds.begin() + middle);
    return (lower + upper) / 2;
}

QString minutesAndSeconds(double seconds)
{
    const auto whole = static_cast<qint64>(std::llround(std::max(0.0, seconds)));
    if (whole < 60)
        return QStringLiteral("%1 s").arg(whole);
    return QStringLiteral("%1 min %2 s").arg(whole / 60).arg(whole % 60, 2, 10, QLatin1Char('0'));
}

} // namespace Progress
