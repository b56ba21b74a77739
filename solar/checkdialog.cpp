#include "solar/checkdialog.h"
#include "ui_checkdialog.h"

#include "ui/checktable.h"

#include <QPushButton>

namespace Solar {

CheckDialog::CheckDialog(const Comparison &comparison, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::CheckDialog>())
{
    ui->setupUi(this);
    setWindowTitle(Core::checkCaption());
    Gui::showCheckRows(ui->tblKontrolle, comparisonRows(comparison));
    ui->lblBefund->setText(comparison.finding);
    ui->lblKonvention->setText(exactConvention());
    connect(ui->btnKontrolle, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

CheckDialog::~CheckDialog() = default;

} // namespace Solar
