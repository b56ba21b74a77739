#ifndef UI_CHECKTABLE_H
#define UI_CHECKTABLE_H

#include "core/checkwords.h"

#include <QList>

class QTableWidget;

namespace Gui {

// Fills the table of a check dialog: one row per compared value with its
// caption as the row header, the columns "Ihre Rechnung", "Genau" and
// "Abweichung", the deviations lined up on their units, the columns fitted
// to their texts and the last one reaching the right edge.
void showCheckRows(QTableWidget *table, const QList<Core::CheckRow> &rows);

} // namespace Gui

#endif
