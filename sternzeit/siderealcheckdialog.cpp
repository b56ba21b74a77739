#include "sternzeit/siderealcheckdialog.h"
#include "ui_siderealcheckdialog.h"

#include "ui/checktable.h"

namespace Sidereal {

SiderealCheckDialog::SiderealCheckDialog(const CheckReport &report, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::SiderealCheckDialog>())
{
    ui->setupUi(this);
    setWindowTitle(Core::checkCaption());
    Gui::showCheckRows(ui->tblKontrolle, report.rows);
    ui->lblBefund->setText(report.finding);
    connect(ui->btnKontrolle, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

SiderealCheckDialog::~SiderealCheckDialog() = default;

} // namespace Sidereal
