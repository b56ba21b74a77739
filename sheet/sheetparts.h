#ifndef SHEET_SHEETPARTS_H
#define SHEET_SHEETPARTS_H

#include "sheet/sheet.h"

#include <array>

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

// The file names the save dialog proposes: "Solar Erika Muster 2024.pdf",
// "Rektifikation Erika Muster.pdf". Characters that a file name may not hold
// on any desktop (/ \ : * ? " < > | and control characters) are left out, and
// an empty name or year drops out with its blank.
QString solarSheetFileName(const QString &name, const QString &year);
QString rectificationSheetFileName(const QString &name);

} // namespace Sheets

#endif
