#include "solar/checkdialog.h"
#include "ui_checkdialog.h"

#include <QHeaderView>
#include <QPushButton>

namespace Solar {

CheckDialog::CheckDialog(const Comparison &comparison, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::CheckDialog>())
{
    ui->setupUi(this);
    setWindowTitle(checkCaption());
    const QList<ComparisonRow> rows = comparisonRows(comparison);
    ui->tblKontrolle->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        const ComparisonRow &row = rows[r];
        ui->tblKontrolle->setVerticalHeaderItem(r, new QTableWidgetItem(row.caption));
        const QString cells[] = {row.hand, row.exact, row.deviation};
        for (int c = 0; c < 3; ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            // Deviations line up on their units.
            if (c == 2)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            ui->tblKontrolle->setItem(r, c, item);
        }
    }
    ui->tblKontrolle->resizeColumnsToContents();
    ui->tblKontrolle->horizontalHeader()->setStretchLastSection(true);
    ui->lblBefund->setText(comparison.finding);
    ui->lblKonvention->setText(exactConvention());
    connect(ui->btnKontrolle, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

CheckDialog::~CheckDialog() = default;

} // namespace Solar
