#ifndef REKTI_RECTIFICATIONSTATE_H
#define REKTI_RECTIFICATIONSTATE_H

#include "core/giventask.h"
#include "core/stepledger.h"
#include "rekti/rectificationsteps.h"

#include <QDate>

#include <array>
#include <optional>

// The calculation state of a rectification form: the step fields as typed,
// each step's result, and whether that result still belongs to its inputs.
// The form reads its fields into it as they change and shows what it holds;
// the steps, "Okay" and the calculation sheet read only the state.
namespace Rectification {

// The buttons that compute, in the order of the calculation, with the number
// of the step on the form that each belongs to.
enum Step {
    DecimalYearsStep,  // 2: age in decimal years
    ArcStep,           // 2: direction arc by the Naibod key
    ArcTimeStep,       // 3: the arc in time
    SumStep,           // 4: sidereal time of birth + arc in time
    WithinDayStep,     // 4: less a day
    TableStepStep,     // 5: greater - smaller table value
    TowardsPlanetStep, // 5: corrected - smaller table value
    QuotientStep,      // 5: the part of the interval
    RamcSumStep,       // 6: RAMC + quotient
    CorrectedRamcStep, // 6: less the arc, within the circle
    RamcTimeStep,      // 7: the corrected RAMC in time
    CorrectionStep,    // 8: less the sidereal time of birth
    StepCount
};

int stepNumber(int step);
QString stepName(int step);
// The earlier steps whose results a step reads, through its own copies.
QList<int> feedsOf(int step);

struct Results {
    std::optional<double> decimalYears;
    std::optional<SiderealSum> sum;
    // The quotient of step 5 as the division gave it, before it is shown as
    // an angle (0.5648, shown 0°33'53'').
    std::optional<Core::FixedDecimal> quotient;
    // The results that are angles or times, by step (empty for the two above).
    std::array<std::optional<Core::SexagesimalTriple>, StepCount> triples;
};

// What the form holds besides the steps' inputs.
struct Header {
    QDate birthDate;                    // of the head; invalid while it is not typed
    QString event;                      // "Heirat"
    QString eventDate;                  // as typed
    std::optional<QDate> eventOn;       // the typed event date, where it is one
    Core::FieldTexts birthSiderealTime; // hours, minutes, seconds as typed
    std::array<QString, 2> age;         // years, days as typed
    std::array<QString, 2> smallerRow;  // the house-table rows: hours, minutes
    std::array<QString, 2> greaterRow;
    QString dayReduction;    // the lists as they show their entries
    QString firstCorrection; // "-30", "+0", "+30"
    QString secondCorrection;
    QString circleCorrection; // " 0", "+360", "- 360"
};

struct Worked {
    Header header;
    Entries entries;
    Results results;
    std::array<Core::StepLedger::Status, StepCount> status{};
    // The task the calculation answers; nothing for a free calculation.
    std::optional<Core::GivenTask> task;
};

class State {
public:
    State();

    Header header;
    Entries entries;
    // The task taken over from the exercises, kept while the calculation
    // answers it.
    std::optional<Core::GivenTask> task;

    const Results &results() const { return m_results; }
    // Runs a step on the entries. On success the result is kept and written
    // into the entries of the later steps that read it, and the step is
    // current; a failure keeps the old result, now stale, and answers the
    // step's one message.
    std::optional<QString> run(Step step);
    Core::StepLedger::Status status(int step) const;
    // The first stale step on the way to a step, itself included; -1 if none.
    int firstStale(int step) const;
    Worked worked() const;

private:
    Core::StepLedger::Inputs inputsOf(int step) const;
    void copyResult(int step);

    Results m_results;
    Core::StepLedger m_ledger;
};

} // namespace Rectification

#endif
