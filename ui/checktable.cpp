#include "ui/checktable.h"

#include <QHeaderView>
#include <QTableWidget>

namespace Gui {

void showCheckRows(QTableWidget *table, const QList<Core::CheckRow> &rows)
{
    const QStringList columns = Core::checkColumns();
    table->setColumnCount(static_cast<int>(columns.size()));
    table->setHorizontalHeaderLabels(columns);
    table->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        const Core::CheckRow &row = rows[r];
        table->setVerticalHeaderItem(r, new QTableWidgetItem(row.name));
        const QString cells[] = {row.yours, row.exact, row.deviation};
        for (int c = 0; c < 3; ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            if (c == 2)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(r, c, item);
        }
    }
    // Fitted anew at every check, the deviations then reaching the right edge.
    table->horizontalHeader()->setStretchLastSection(false);
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
}

} // namespace Gui
