#ifndef SHEET_SHEETPARTS_H
#define SHEET_SHEETPARTS_H

#include "sheet/sheet.h"

#include "core/checkwords.h"
#include "core/stepledger.h"

#include <QDate>

#include <array>
#include <functional>
#include <optional>

namespace Sheets {

// What the calculation sheets of both calculators share: the head with the
// person as the main window holds it, a step's heading and explanation from
// the form's own labels, and the file name the save dialog proposes. Each
// calculator writes its steps from its calculation state (solar/solarsheet.h,
// rekti/rectificationsheet.h).

using TextTriple = std::array<QString, 3>; // degrees or hours, minutes, seconds
using TextPair = std::array<QString, 2>;   // hours, minutes

struct StepTexts {
    QString heading;
    QString explanation;
};

// The main window's person fields.
struct PersonTexts {
    QString name;         // Text1h
    TextTriple birthDate; // txtDateh: day, month, year
    TextTriple birthTime; // txtTime0h
    QString birthPlace;   // Text3h
};

// The head of a sheet and a step's heading and explanation, from the form.
SheetPerson sheetPerson(const PersonTexts &person);
SheetStep sheetStep(int number, const StepTexts &texts);

// "Schritt 2, Direktionsbogen, wurde nicht gerechnet.": the note of an earlier
// step that a computation read although it was never computed.
QString notComputedNote(int number, const QString &name);

// Adds the lines of one computation of a step: the notes, then its equation
// while it is current (`equation(true)`), or its terms and "nicht mehr
// aktuell" once its inputs have changed (`equation(false)`); nothing before
// it ran. An equation of several lines is written with line feeds.
void addComputation(SheetStep &s, Core::StepLedger::Status status, const QStringList &notes,
                    const std::function<QString(bool current)> &equation);

// Sets a numbered step's result as its computations allow: shown while they
// are current, "nicht mehr aktuell" when one is stale, else "noch nicht
// berechnet".
void settleStep(SheetStep &s, bool current, bool stale, const QString &result);

// What a calculation sheet is written from: the person, the day it is
// printed, the form's headings and explanations of its numbered steps, the
// calculation as it stands and the check against the exact values that
// closes it, where it can be made.
template <typename Worked, std::size_t Steps, typename Check = SheetTable> struct SheetInput {
    PersonTexts person;
    QDate printed;
    std::array<StepTexts, Steps> steps;
    Worked worked;
    std::optional<Check> check;
};

// The table of a check that closes a sheet: its rows and its finding.
SheetTable checkSheetTable(const QList<Core::CheckRow> &rows, const QString &finding);

template <typename Worked> Core::StepLedger::Status statusOf(const Worked &w, int step)
{
    return w.status[static_cast<std::size_t>(step)];
}

// The computation of a step of a calculation, written by its rule (`rule(step)`
// of its table of steps): the notes, then its equation as addComputation
// writes it.
template <auto rule, typename Worked>
void writeComputation(SheetStep &s, const Worked &w, int step, const QStringList &notes)
{
    addComputation(s, statusOf(w, step), notes, [&](bool current) {
        return rule(step).equation(w.entries, current ? &w.results : nullptr);
    });
}

// The notes of the earlier steps that a step reads although they were never
// computed.
template <auto rule, typename Worked> QStringList notComputedNotes(const Worked &w, int step)
{
    QStringList notes;
    for (int earlier : rule(step).feeds) {
        if (statusOf(w, earlier) == Core::StepLedger::Status::NotComputed)
            notes << notComputedNote(rule(earlier).number, rule(earlier).stepName());
    }
    return notes;
}

// A numbered step with the computations of its buttons, and as its result
// that of the last of them: its rule's caption, " = ", the result as its
// field shows it (`shownText`) and `sentence`.
template <auto rule, auto shownText, typename Worked>
void writeNumberedStep(SheetStep &s, const Worked &w, int number, const QString &sentence = {})
{
    using Status = Core::StepLedger::Status;
    bool stale = false;
    int last = -1;
    for (int step = 0; step < Worked::StepCount; ++step) {
        if (rule(step).number != number)
            continue;
        writeComputation<rule>(s, w, step, notComputedNotes<rule>(w, step));
        stale = stale || statusOf(w, step) == Status::Stale;
        last = step;
    }
    settleStep(s, statusOf(w, last) == Status::Current, stale,
               QString::fromUtf16(rule(last).result) + QStringLiteral(" = ") +
                   shownText(last, w.results) + sentence);
}

// The file names the save dialog proposes: "Solar Erika Muster 2024.pdf",
// "Rektifikation Erika Muster.pdf", "Sternzeit Erika Muster.pdf". Characters that a file name may
// not hold on any desktop (/ \ : * ? " < > | and control characters) are left out, and an empty
// name or year drops out with its blank.
QString solarSheetFileName(const QString &name, const QString &year);
QString rectificationSheetFileName(const QString &name);
QString siderealSheetFileName(const QString &name);

} // namespace Sheets

#endif
