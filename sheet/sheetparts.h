#ifndef SHEET_SHEETPARTS_H
#define SHEET_SHEETPARTS_H

#include "sheet/sheet.h"

#include "core/stepledger.h"

#include <array>
#include <functional>

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

// The file names the save dialog proposes: "Solar Erika Muster 2024.pdf",
// "Rektifikation Erika Muster.pdf", "Sternzeit Erika Muster.pdf". Characters that a file name may
// not hold on any desktop (/ \ : * ? " < > | and control characters) are left out, and an empty
// name or year drops out with its blank.
QString solarSheetFileName(const QString &name, const QString &year);
QString rectificationSheetFileName(const QString &name);
QString siderealSheetFileName(const QString &name);

} // namespace Sheets

#endif
