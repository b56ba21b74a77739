#ifndef SHEET_SHEETRENDER_H
#define SHEET_SHEETRENDER_H

#include "sheet/sheet.h"

class QPageLayout;
class QPagedPaintDevice;

namespace Sheets {

// The page of a sheet: A4 portrait with margins wide enough for a punch and
// a binder.
QPageLayout sheetPageLayout();

// Lays a sheet out on the pages of a printer or PDF writer: A4 portrait
// unless the device has been given another page, real text in Liberation Sans
// (embedded in a PDF), a head with the title, the person and the printing
// date, the steps, the final result in a frame, and the closing table. A step
// is never split between two pages unless it is longer than a page. Every
// page ends with the title and "Seite n von m".
//
// Answers false when the device cannot be painted on.
bool renderSheet(const Sheet &sheet, QPagedPaintDevice *device);

// Writes the sheet as a PDF file. The file is written beside its final name
// and takes that name only when complete, so a failure (a folder without
// write permission, a full disk) leaves no file and keeps an older one
// untouched. Answers the reason of a failure in German, empty on success.
QString writeSheetPdf(const Sheet &sheet, const QString &path);

} // namespace Sheets

#endif
