#ifndef REKTI_RECTIFICATIONSTATE_H
#define REKTI_RECTIFICATIONSTATE_H

#include "core/stepstate.h"
#include "rekti/rectificationsteps.h"

#include <QDate>

#include <array>
#include <functional>
#include <optional>

// The calculation state of a rectification form: the step fields as typed,
// each step's result, and whether that result still belongs to its inputs.
// The form reads its fields into it as they change and shows what it holds;
// the steps, "Okay", the check, the sheet and the exercises read only the
// state, and every step is written once, in one table (rule()).
namespace Rectification {

// The buttons that compute, in the order of the calculation.
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

// What the steps gave, each step in its own slot, with the values the hand
// method writes on the way.
struct Results {
    std::optional<double> decimalYears;
    std::optional<Core::SexagesimalTriple> arc;
    std::optional<ArcTime> arcInTime;
    std::optional<SiderealSum> sum;
    std::optional<Core::SexagesimalTriple> withinDay;
    std::optional<Core::SexagesimalTriple> tableStep;
    std::optional<Core::SexagesimalTriple> towardsPlanet;
    std::optional<Quotient> quotient;
    std::optional<Core::SexagesimalTriple> ramcPlusQuotient;
    std::optional<Core::SexagesimalTriple> correctedRamc;
    std::optional<ArcTime> ramcInTime;
    std::optional<Core::SexagesimalTriple> correction;
};

// Where a step's result goes besides its own field: an entry that a later
// step reads, standing in the field of a numbered step on the form.
struct Copy {
    Core::Sexagesimal Entries::*entry;
    int standsIn;         // the number of the step whose field holds it
    const char16_t *what; // "der Direktionsbogen", as a finding names it
};

using StepRule = Core::StepRuleOf<Entries, Results, Core::SexagesimalTriple, Copy>;

const StepRule &rule(int step);
// The result as its field shows it, an angle or a time: "33°49'58''".
QString shownText(int step, const Results &results);

// What the form holds besides the steps' inputs, read once where it changes.
struct Header {
    QDate birthDate;                    // of the head; invalid while it is not typed
    QString event;                      // "Heirat"
    QString eventDate;                  // as typed
    std::optional<QDate> eventOn;       // the typed event date, where it is one
    Core::FieldTexts birthSiderealTime; // hours, minutes, seconds as typed
    Core::Sexagesimal birthSidereal;    // the same, read
    std::array<QString, 2> age;         // years, days as typed
    Age typedAge;                       // the same, read
    std::array<QString, 2> smallerRow;  // the house-table rows: hours, minutes
    std::array<QString, 2> greaterRow;
    // The same, read, where both fields of the row hold text.
    std::optional<Core::Sexagesimal> smallerRowTime, greaterRowTime;
    QString dayReduction;    // the lists as they show their entries
    QString firstCorrection; // "-30", "+0", "+30"
    QString secondCorrection;
    QString circleCorrection; // " 0", "+360", "- 360"
};

// Reads the typed texts of a head into its numbers: the birth date, the
// event's date, the sidereal time of birth and the age (the form does it
// where they change).
void readHeader(Header &header, const Core::FieldTexts &birthDate);

using Worked = Core::WorkedSteps<Header, Entries, Results, StepCount>;

class State : public Core::StepState<Worked, &rule> {
public:
    // Runs a step as every step runs; the decimal years go into step 2's
    // field as written, and step 4's sum preselects "-24h" when it passes a
    // day.
    std::optional<QString> run(Step step);
};

} // namespace Rectification

#endif
