#ifndef SHEET_SHEETACTIONS_H
#define SHEET_SHEETACTIONS_H

#include "sheet/sheet.h"

#include <functional>

class QAction;
class QPushButton;
class QWidget;

namespace Sheets {

// What the user does with a sheet: look at it in the print preview and print
// it from there, or save it as a PDF file. The texts are the caller's, so that
// another kind of sheet can use the same menu with its own names.
struct SheetTexts {
    QString title;      // of the message box and the save dialog
    QString saveFailed; // the message, followed by the reason
    QString printText;
    QString printName; // objectName of the print action
    QString pdfText;
    QString pdfName; // objectName of the save action
};

// The calculation sheet's texts: "Rechenblatt", "Drucken…"
// (actRechenblattDrucken), "Als PDF speichern…" (actRechenblattPdf).
SheetTexts calculationSheetTexts();

// Qt's print preview of the sheet on A4 portrait; the user prints from it
// or closes it.
void printSheet(QWidget *parent, const Sheet &sheet);

// A save dialog in the user's documents folder, proposing `fileName`; then
// the file is written. Cancelling the dialog does nothing.
void saveSheetAsPdf(QWidget *parent, const Sheet &sheet, const QString &fileName,
                    const SheetTexts &texts);

// Writes the PDF to `path`; a failure is reported in one message box, titled
// texts.title, and leaves no file. Answers whether the file was written.
bool saveSheetPdfTo(QWidget *parent, const Sheet &sheet, const QString &path,
                    const SheetTexts &texts);

// Gives the button a menu with the two actions. `compose` makes the sheet of
// what the form shows at the moment an action is chosen, `fileName` the name
// to propose.
struct SheetMenu {
    QAction *print;
    QAction *savePdf;
};
SheetMenu attachSheetMenu(QPushButton *button, const SheetTexts &texts,
                          std::function<Sheet()> compose, std::function<QString()> fileName);

} // namespace Sheets

#endif
