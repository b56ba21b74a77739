#ifndef CORE_STEPSTATE_H
#define CORE_STEPSTATE_H

#include "core/giventask.h"
#include "core/sexagesimal.h"
#include "core/stepledger.h"

#include <QList>
#include <QString>

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <type_traits>

// The plumbing that every calculator in steps shares: what a calculation
// holds once worked, and the state that runs its steps from one table of
// rules and keeps which results still belong to their inputs.
namespace Core {

// A finished or half-finished calculation, as the check and the sheet see it:
// the head, the inputs of every step as they stand, each step's result and
// its status.
template <typename HeaderT, typename EntriesT, typename ResultsT, std::size_t Count>
struct WorkedSteps {
    using Header = HeaderT;
    using Entries = EntriesT;
    using Results = ResultsT;
    static constexpr int StepCount = static_cast<int>(Count);

    Header header;
    Entries entries;
    Results results;
    std::array<StepLedger::Status, Count> status{};
    // The task the calculation answers; nothing for a free calculation.
    std::optional<GivenTask> task;
};

// One step of a calculation, written once for the state, the form, the check,
// the sheet and the exercises: `Shown` is what its own field shows, `Copy`
// where its result goes besides.
template <typename Entries, typename Results, typename Shown, typename Copy> struct StepRuleOf {
    int number;             // of the step on the form
    const char16_t *name;   // "Direktionsbogen", in "Schritt 2 (Direktionsbogen)"
    QList<int> feeds;       // the earlier steps whose results it reads
    bool isTime;            // its result a time (h m s) rather than an angle
    const char16_t *result; // its result as the sheet or a finding names it, or none
    // The values of the fields it reads, as numbers.
    std::function<StepLedger::Inputs(const Entries &)> inputs;
    // Runs it on the entries into its slot of the results; its one message
    // when it refuses.
    std::function<std::optional<QString>(const Entries &, Results &)> run;
    // What its own field shows; nothing before it ran.
    std::function<std::optional<Shown>(const Results &)> shown;
    QList<Copy> copies;
    // Its equation as the sheet writes it: the terms from its inputs and,
    // given what it gave, " = " and the values on the way to the result.
    std::function<QString(const Entries &, const Results *)> equation;

    QString stepName() const { return QString::fromUtf16(name); }
};

// A result as it goes into the field of a step that reads it.
inline Sexagesimal asEntry(const Sexagesimal &value)
{
    return value;
}
inline Sexagesimal asEntry(const SexagesimalTriple &value)
{
    return Sexagesimal::of(value);
}

// The calculation state of a form in steps: the step fields as typed and
// copied, each step's result, and whether that result still belongs to its
// inputs. `rule(step)` is the calculation's one table of steps: each with the
// earlier steps it feeds on (feeds), the values it reads (inputs), what it
// runs (run), the result its field shows (shown) and the entries of the
// later fields the result is copied into (copies). `reads`, where given,
// tells whether a step still reads the result of an earlier one that feeds
// it: reads(entries, results, step, earlier).
template <typename Worked, auto rule, auto reads = nullptr> class StepState {
public:
    using Header = typename Worked::Header;
    using Entries = typename Worked::Entries;
    using Results = typename Worked::Results;

    StepState() : m_ledger(feedsOfAll()) {}

    Header header;
    Entries entries;
    // The task taken over from the exercises, kept while the calculation
    // answers it.
    std::optional<GivenTask> task;

    const Results &results() const { return m_results; }

    // Runs a step on the entries. On success the result is kept and written
    // into the entries of the fields that read it, as the form writes them
    // and reads them back, and the step is current with its inputs as they
    // then stand; a failure keeps the old result, now stale, and answers the
    // step's one message.
    std::optional<QString> run(int step)
    {
        const auto &r = rule(step);
        if (const auto message = r.run(entries, m_results)) {
            m_ledger.failed(step);
            return message;
        }
        for (const auto &copy : r.copies)
            entries.*copy.entry = asEntry(*r.shown(m_results));
        m_ledger.succeeded(step, r.inputs(entries));
        return std::nullopt;
    }

    StepLedger::Status status(int step) const
    {
        return m_ledger.status(step, inputsNow(), feedsRead());
    }
    // The first stale step on the way to a step, itself included; -1 if none.
    int firstStale(int step) const { return m_ledger.firstStale(step, inputsNow(), feedsRead()); }

    Worked worked() const
    {
        Worked w{header, entries, m_results, {}, task};
        for (int s = 0; s < Worked::StepCount; ++s)
            w.status[static_cast<std::size_t>(s)] = status(s);
        return w;
    }

private:
    static QList<QList<int>> feedsOfAll()
    {
        QList<QList<int>> feeds;
        for (int step = 0; step < Worked::StepCount; ++step)
            feeds << rule(step).feeds;
        return feeds;
    }
    StepLedger::InputsOf inputsNow() const
    {
        return [this](int s) {
            return rule(s).inputs(entries);
        };
    }
    StepLedger::Reads feedsRead() const
    {
        if constexpr (std::is_null_pointer_v<decltype(reads)>)
            return {};
        else
            return [this](int s, int earlier) {
                return reads(entries, m_results, s, earlier);
            };
    }

    Results m_results;
    StepLedger m_ledger;
};

} // namespace Core

#endif
