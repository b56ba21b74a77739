#ifndef SOLAR_SOLARSTATE_H
#define SOLAR_SOLARSTATE_H

#include "core/giventask.h"
#include "core/stepledger.h"
#include "solar/solarsteps.h"

#include <array>
#include <optional>

// The calculation state of a Solar form: what the student has typed and
// picked, each step's result, and whether that result still belongs to the
// inputs. The form writes its fields into it as they change (the one place
// where fields are read) and shows what it holds; the steps, "Okay", the
// check and the calculation sheet read only the state.
namespace Solar {

// The steps that compute, in the order of the calculation. Step 5 has two
// buttons: the time zone, then the day shift that gives the final time.
enum Step { MotionStep, DistanceStep, GreenwichStep, ZoneStep, FinalStep, StepCount };

// The number of the step on the form (2 .. 5) and its name in a message:
// "Schritt 5 (Zeitzone)".
int stepNumber(int step);
QString stepName(int step);
// The earlier steps whose results a step reads, through its own copies.
QList<int> feedsOf(int step);

struct Results {
    std::optional<Core::SexagesimalTriple> motion;    // A
    std::optional<Core::SexagesimalTriple> distance;  // B
    std::optional<Core::SexagesimalTriple> greenwich; // B ÷ A × 24 h
    std::optional<Core::Sexagesimal> zone;            // plus the time zone
    std::optional<Core::Sexagesimal> final;           // plus the day shift
};

// What the form holds besides the steps' own fields.
struct Header {
    QString sign;                                 // "Krebs", as typed
    QString year;                                 // the Solar year, as typed
    Core::FieldTexts birthDate;                   // day, month, year from the main window
    Core::SexagesimalTriple radix;                // the radix Sun picked in the header
    Core::SexagesimalTriple sunDate1;             // the ephemeris positions picked in step 1
    Core::SexagesimalTriple sunDate2;             //
    Core::FieldTexts solarDate;                   // the date of the Solar, as typed
    QString zoneText = QStringLiteral("+1");      // the entries as the lists show them
    QString dayShiftText = QStringLiteral("+0h"); //
};

// A finished or half-finished calculation, as the check and the sheet see it:
// the inputs of every step as they stand, each step's result and its status.
struct Worked {
    Header header;
    Entries entries;
    Results results;
    std::array<Core::StepLedger::Status, StepCount> status{};
    // The earlier steps that a computed step built on without their having
    // been computed, first of them; -1 for none.
    int firstSkipped = -1;
    // The task the calculation answers; nothing for a free calculation.
    std::optional<Core::GivenTask> task;
};

class State {
public:
    State();

    Header header;
    // The task taken over from the exercises, kept while the calculation
    // answers it.
    std::optional<Core::GivenTask> task;
    // The step fields as they stand, read once where they change. The result
    // fields are read too: a result typed over is no longer the step's.
    Entries entries;
    Core::Sexagesimal motionShown, distanceShown, greenwichShown;

    const Results &results() const { return m_results; }

    // Runs a step on the entries. On success the result is kept, written
    // into the entries of its own field and of the later steps that read it,
    // and the step is current; a failure keeps the old result, now stale, and
    // answers the step's one message.
    std::optional<QString> run(Step step);

    Core::StepLedger::Status status(int step) const;
    // The first stale step on the way to a step (itself included), -1 if none.
    int firstStale(int step) const;
    int firstSkipped(int step) const;

    Worked worked() const;

private:
    Core::StepLedger::Inputs inputsOf(int step) const;
    Core::StepLedger::InputsOf reader() const;
    void showResult(int step);

    Results m_results;
    Core::StepLedger m_ledger;
};

} // namespace Solar

#endif
