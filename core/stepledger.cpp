#include "core/stepledger.h"

#include <algorithm>
#include <cmath>

namespace Core {

namespace {

// Two readings of the same fields are the same when every number is; an
// overflowing part (an infinity) equals itself, and so does a NaN.
bool sameInputs(const StepLedger::Inputs &a, const StepLedger::Inputs &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] && !(std::isnan(a[i]) && std::isnan(b[i])))
            return false;
    }
    return true;
}

} // namespace

StepLedger::StepLedger(QList<QList<int>> feeds) : m_feeds(std::move(feeds)), m_steps(m_feeds.size())
{}

void StepLedger::succeeded(int step, Inputs inputs)
{
    Record &r = m_steps[step];
    r.computedAt = ++m_clock;
    r.inputs = std::move(inputs);
}

void StepLedger::failed(int step)
{
    m_steps[step].failedAt = ++m_clock;
}

StepLedger::Status StepLedger::status(int step, const InputsOf &inputsNow, const Reads &reads) const
{
    const Record &r = m_steps.at(step);
    if (r.computedAt == 0)
        return Status::NotComputed;
    if (r.failedAt > r.computedAt || !sameInputs(r.inputs, inputsNow(step)))
        return Status::Stale;
    for (int earlier : ancestors(step, reads)) {
        const Record &e = m_steps.at(earlier);
        // A failure of an earlier step after this one was computed.
        if (e.failedAt > r.computedAt)
            return Status::Stale;
        if (e.computedAt > 0 &&
            (e.failedAt > e.computedAt || !sameInputs(e.inputs, inputsNow(earlier))))
            return Status::Stale;
    }
    return Status::Current;
}

QList<int> StepLedger::ancestors(int step, const Reads &reads) const
{
    QList<int> found;
    const auto readFeeds = [this, &reads](int s) {
        QList<int> feeds = m_feeds.at(s);
        if (reads)
            feeds.removeIf([&reads, s](int earlier) { return !reads(s, earlier); });
        return feeds;
    };
    QList<int> open = readFeeds(step);
    while (!open.isEmpty()) {
        const int s = open.takeLast();
        if (found.contains(s))
            continue;
        found << s;
        open << readFeeds(s);
    }
    std::sort(found.begin(), found.end());
    return found;
}

int StepLedger::firstStale(int step, const InputsOf &inputsNow, const Reads &reads) const
{
    QList<int> chain = ancestors(step, reads);
    chain << step;
    for (int s : chain) {
        if (status(s, inputsNow, reads) == Status::Stale)
            return s;
    }
    return -1;
}

} // namespace Core
