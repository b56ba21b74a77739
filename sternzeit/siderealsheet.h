#ifndef STERNZEIT_SIDEREALSHEET_H
#define STERNZEIT_SIDEREALSHEET_H

#include "sheet/sheetparts.h"
#include "sternzeit/siderealcheck.h"
#include "sternzeit/siderealstate.h"

#include <optional>

namespace Sidereal {

// The calculation sheet of a sidereal time of birth, written from the form's
// calculation state: a computation is printed with its result only while the
// result is current; a stale one shows its inputs and "nicht mehr aktuell –
// bitte neu rechnen", one not reached "noch nicht berechnet".
using SiderealSheetInput = Sheets::SheetInput<Worked, 5>;

Sheets::Sheet siderealSheet(const SiderealSheetInput &input);
// The check that closes the sheet: the rows and the finding of "Kontrolle…";
// nothing while the calculation cannot be checked.
std::optional<Sheets::SheetTable> checkTable(const Worked &worked);

} // namespace Sidereal

#endif
