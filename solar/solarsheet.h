#ifndef SOLAR_SOLARSHEET_H
#define SOLAR_SOLARSHEET_H

#include "sheet/sheetparts.h"
#include "solar/solarcheck.h"
#include "solar/solarstate.h"

#include <optional>

namespace Solar {

// The calculation sheet of a Solar, written from the form's calculation
// state: a step is printed with its computation only while its result is
// current, so that the sheet holds no equation that the inputs no longer
// give; a stale step shows its inputs and "nicht mehr aktuell – bitte neu
// rechnen", a step not reached "noch nicht berechnet".
using SolarSheetInput = Sheets::SheetInput<Worked, 5, Comparison>;

Sheets::Sheet solarSheet(const SolarSheetInput &input);
// The check that closes the sheet: the rows and the finding of "Kontrolle…".
Sheets::SheetTable checkTable(const Comparison &comparison);

} // namespace Solar

#endif
