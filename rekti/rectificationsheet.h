#ifndef REKTI_RECTIFICATIONSHEET_H
#define REKTI_RECTIFICATIONSHEET_H

#include "rekti/rectificationcheck.h"
#include "rekti/rectificationstate.h"
#include "sheet/sheetparts.h"

#include <optional>

namespace Rectification {

// The calculation sheet of a rectification, written from the form's
// calculation state: a computation is printed with its result only while the
// result is current; a stale one shows its inputs and "nicht mehr aktuell –
// bitte neu rechnen", one not reached "noch nicht berechnet". A step computed
// on an earlier result that never was says so.
using RectificationSheetInput = Sheets::SheetInput<Worked, 8>;

Sheets::Sheet rectificationSheet(const RectificationSheetInput &input);
// The check that closes the sheet, made with a house table: the rows and the
// finding of "Kontrolle…"; nothing while the calculation cannot be checked.
std::optional<Sheets::SheetTable> checkTable(const Worked &worked, const TableChoice &table);

} // namespace Rectification

#endif
