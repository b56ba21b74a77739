#ifndef CORE_STEPLEDGER_H
#define CORE_STEPLEDGER_H

#include <QList>
#include <QtGlobal>

#include <functional>

namespace Core {

// Which results of a calculator still belong to its inputs.
//
// A form runs its steps in any order and keeps every result in view, also
// when the student changes what it was computed from. The ledger records, for
// each step, the inputs it was computed from and when, and answers whether
// its result is current: computed, its own inputs unchanged since, no failure
// of the step or of an earlier one since, and every earlier step that feeds
// it computed-and-current (or never computed at all: a step run on an empty
// earlier result reads it as 0, as it always has, and counts as computed).
//
// Steps are numbered 0 .. n-1 in the order of the calculation; a step's
// inputs are the values of the fields it reads, as numbers.
//
// A step builds on an earlier one only while it reads that step's result: a
// copy typed over in the later step's field (a value worked out by hand
// instead) is no longer the earlier step's, and the earlier step's being
// stale or refused no longer touches the later one.
class StepLedger {
public:
    enum class Status { NotComputed, Current, Stale };
    using Inputs = QList<double>;
    using InputsOf = std::function<Inputs(int step)>;
    // Whether `step` reads the result of its feed `earlier` as it stands now;
    // without it, every feed is read.
    using Reads = std::function<bool(int step, int earlier)>;

    // feeds[k]: the earlier steps whose results step k reads.
    explicit StepLedger(QList<QList<int>> feeds);

    void succeeded(int step, Inputs inputs);
    void failed(int step);

    Status status(int step, const InputsOf &inputsNow, const Reads &reads = {}) const;
    // The first stale step among step k and the steps it builds on; -1 if none.
    int firstStale(int step, const InputsOf &inputsNow, const Reads &reads = {}) const;

private:
    struct Record {
        qint64 computedAt = 0;
        qint64 failedAt = 0;
        Inputs inputs;
    };
    QList<int> ancestors(int step, const Reads &reads) const;

    QList<QList<int>> m_feeds;
    QList<Record> m_steps;
    qint64 m_clock = 0;
};

} // namespace Core

#endif
