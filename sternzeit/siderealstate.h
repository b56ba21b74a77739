#ifndef STERNZEIT_SIDEREALSTATE_H
#define STERNZEIT_SIDEREALSTATE_H

#include "core/stepstate.h"
#include "sternzeit/siderealsteps.h"

#include <QDate>

#include <array>
#include <functional>
#include <optional>

// The calculation state of the form "Sternzeit der Geburt": the step fields
// as typed and copied, each step's result, and whether that result still
// belongs to its inputs. The form reads its fields into it as they change and
// shows what it holds; the steps, "Okay", the check and the sheet read only
// the state, and every step is written once, in one table (rule()).
namespace Sidereal {

// The buttons that compute, in the order of the calculation. Step 2, the
// sidereal time at 0h UT, is read from the ephemeris and typed.
enum Step {
    UniversalTimeStep, // 1: birth time less the zone, and the ephemeris day
    ShareStep,         // 3: 9,8565 s per hour of universal time
    LongitudeStep,     // 4: the longitude in time
    SumStep,           // 5: the four terms added
    WithinDayStep,     // 5: brought into the day
    StepCount
};

struct Results {
    std::optional<UniversalTime> universalTime;
    std::optional<Share> share;
    std::optional<Core::SexagesimalTriple> longitudeTime;
    std::optional<SiderealSum> sum;
    std::optional<Core::SexagesimalTriple> siderealTime;
};

// Where a step's result goes besides its own field: an entry that a later
// step reads, standing in the field of a numbered step on the form.
struct Copy {
    Core::Sexagesimal Entries::*entry;
    int standsIn;         // the number of the step whose field holds it
    const char16_t *what; // "die Weltzeit", as a finding names it
};

// Every result of the sidereal time is a time.
using StepRule = Core::StepRuleOf<Entries, Results, Core::SexagesimalTriple, Copy>;

const StepRule &rule(int step);
// The result as its field shows it: "13h35m00s".
QString shownText(int step, const Results &results);

// The head of the form, as typed, and read once where it changes.
struct Header {
    Core::FieldTexts birthDateTexts; // day, month, year
    std::optional<QDate> birthDate;  // nothing while it is no date
    Core::FieldTexts civilTimeTexts; // hours, minutes, seconds of the birth time
    Core::Sexagesimal civilTime;
    QString zoneText; // "+1", as the list shows it
    int zone = 1;
    std::array<QString, 2> longitudeTexts; // degrees, minutes of arc
    QString eastWestText;                  // "O" or "W"
    Core::Sexagesimal longitude;           // degrees, minutes, 0
    double eastWest = 1;
    Core::FieldTexts ephemerisTexts; // step 2, as typed
    Core::Sexagesimal ephemeris;
    QString place;
};

// Reads the typed texts of a head into its numbers.
void readHeader(Header &header);
// The longitude of a head in minutes of arc, east positive.
int eastLongitudeMinutes(const Header &header);

// The task a calculation answers is a task of the sidereal time taken over
// from the exercises, or the task of the rectification it was opened from.
using Worked = Core::WorkedSteps<Header, Entries, Results, StepCount>;

class State : public Core::StepState<Worked, &rule> {
public:
    // Runs a step as every step runs; the sum proposes the whole days that
    // bring it into the day.
    std::optional<QString> run(Step step);
};

} // namespace Sidereal

#endif
