#ifndef SOLAR_SOLARSTATE_H
#define SOLAR_SOLARSTATE_H

#include "core/stepstate.h"
#include "solar/solarsteps.h"

#include <QDate>

#include <array>
#include <functional>
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

struct Results {
    std::optional<Core::SexagesimalTriple> motion;   // A
    std::optional<Core::SexagesimalTriple> distance; // B
    std::optional<Interpolation> greenwich;          // B ÷ A × 24 h
    std::optional<Core::Sexagesimal> zone;           // plus the time zone
    std::optional<Core::Sexagesimal> final;          // plus the day shift
};

// Where a step's result goes: into an entry of its own field or of a later
// step that reads it.
struct Copy {
    Core::Sexagesimal Entries::*entry;
    int readBy;           // the step (Step) that reads it; the step itself for its own field
    const char16_t *what; // "A", "die Greenwich-Zeit", as a finding names it
};

// A step's result shows as its field reads it back.
using StepRule = Core::StepRuleOf<Entries, Results, Core::Sexagesimal, Copy>;

// A step by its Step: its number on the form (2 .. 5), its name in a message
// ("Schritt 5 (Zeitzone)"), the earlier steps it reads through their copies.
const StepRule &rule(int step);

// Whether a step reads the result of an earlier step that feeds it, on these
// entries and results: the copy in the later step's field is what the earlier
// step gave.
bool reads(const Entries &entries, const Results &results, int step, int earlier);

// Whether the later value of step 2 (date 2) or step 3 (the radix) has fewer
// degrees within its sign than date 1: it lies in the next sign, and 30° are
// carried across.
bool carriesAcrossSign(int step, const Entries &entries);
// Steps 2 and 3 worked by hand across a sign's beginning (sunMotionAcrossSign,
// distanceAcrossSign) on what steps 2 and 3 hold: step is MotionStep or
// DistanceStep.
Core::StepResult<Core::SexagesimalTriple> acrossSign(int step, const Entries &entries);
// The same as the hand method writes it: "A = 0°28'40'' + 30° − 29°31'10'' =
// 0°57'30''"; without " + 30°" where the later value lies in the same sign,
// and without a result where the values give none.
QString acrossSignEquation(int step, const Entries &entries);

// What the form holds besides the steps' own fields, as typed and as read
// once where it changes.
struct Header {
    QString sign;                                 // "Krebs", as typed
    std::optional<int> signIndex;                 // 0 Widder .. 11 Fische, where it names one
    QString year;                                 // the Solar year, as typed
    std::optional<int> yearNumber;                // where it is a whole number
    Core::FieldTexts birthDate;                   // day, month, year from the main window
    std::optional<int> birthDay, birthMonth;      // where they are whole numbers
    Core::SexagesimalTriple radix;                // the radix Sun picked in the header
    Core::SexagesimalTriple sunDate1;             // the ephemeris positions picked in step 1
    Core::SexagesimalTriple sunDate2;             //
    Core::FieldTexts solarDate;                   // the date of the Solar, as typed
    std::optional<QDate> solarDateRead;           // where it is a date of the calendar
    QString zoneText = QStringLiteral("+1");      // the entries as the lists show them
    QString dayShiftText = QStringLiteral("+0h"); //
};

// A whole number typed into a field, or nothing for text that is none.
std::optional<int> wholeNumber(const QString &text);
// A date typed into three fields, day, month, year; nothing for one that the
// calendar does not have.
std::optional<QDate> dateOf(const Core::FieldTexts &texts);

using Worked = Core::WorkedSteps<Header, Entries, Results, StepCount>;

// A step builds on an earlier one while it reads its result (reads()).
class State : public Core::StepState<Worked, &rule, &Solar::reads> {
public:
    // Whether a step reads the result of an earlier step that feeds it: the
    // copy in its field is what the earlier step gave. A value typed over it
    // (A and B worked by hand across a sign) is the student's own, and what
    // becomes of the earlier step no longer touches the later one.
    bool reads(int step, int earlier) const
    {
        return Solar::reads(entries, results(), step, earlier);
    }
};

} // namespace Solar

#endif
