#include "rekti/rectificationcheckdialog.h"
#include "ui_rectificationcheckdialog.h"

#include "settings/store.h"
#include "ui/checktable.h"
#include "ui/inputhelpers.h"

#include <QRegularExpressionValidator>

namespace Rectification {

using namespace Gui;

namespace {

QString storedValue(const QString &key)
{
    return Store::readSetting(Store::FormsApplication, Store::FormsSection, key);
}

void write(const QString &key, const QString &value)
{
    Store::writeSetting(Store::FormsApplication, Store::FormsSection, key, value);
}

// A stored latitude that is no number or out of range counts as 0.
int storedPart(const QString &key, int maximum)
{
    bool ok = false;
    const int value = storedValue(key).toInt(&ok);
    return ok && value >= 0 && value <= maximum ? value : 0;
}

} // namespace

TableChoice storedTableChoice()
{
    return {storedValue(Store::CheckAxis) == Core::axisName(Astro::Axis::AC) ? Astro::Axis::AC
                                                                             : Astro::Axis::MC,
            storedPart(Store::CheckLatitudeDegrees, 89) * 60 +
                storedPart(Store::CheckLatitudeMinutes, 59)};
}

void storeTableChoice(const TableChoice &choice)
{
    write(Store::CheckAxis, Core::axisName(choice.axis));
    write(Store::CheckLatitudeDegrees, QString::number(choice.latitudeMinutes / 60));
    write(Store::CheckLatitudeMinutes, QString::number(choice.latitudeMinutes % 60));
}

TableChoice tableToCheck(const Worked &worked)
{
    return worked.task ? tableOf(*worked.task) : storedTableChoice();
}

RectificationCheckDialog::RectificationCheckDialog(const Worked &worked, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::RectificationCheckDialog>()), m_worked(worked)
{
    ui->setupUi(this);
    setWindowTitle(Core::checkCaption());
    const TableChoice first = tableToCheck(worked);
    ui->cmbAchse->setCurrentIndex(first.axis == Astro::Axis::AC ? 1 : 0);
    ui->txtBreite_0->setText(QString::number(first.latitudeMinutes / 60));
    ui->txtBreite_1->setText(QString::number(first.latitudeMinutes % 60));
    // North latitudes up to 89°59': what cannot be one is not taken.
    ui->txtBreite_0->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-8]?[0-9]")), this));
    ui->txtBreite_1->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-5]?[0-9]")), this));
    for (QLineEdit *field : {ui->txtBreite_0, ui->txtBreite_1}) {
        selectAllOnFocus(field);
        connect(field, &QLineEdit::textChanged, this, &RectificationCheckDialog::check);
    }
    connect(ui->cmbAchse, &QComboBox::currentIndexChanged, this, &RectificationCheckDialog::check);
    connect(ui->btnKontrolle, &QDialogButtonBox::accepted, this, &QDialog::accept);
    check();
}

RectificationCheckDialog::~RectificationCheckDialog() = default;

TableChoice RectificationCheckDialog::choice() const
{
    return {ui->cmbAchse->currentIndex() == 1 ? Astro::Axis::AC : Astro::Axis::MC,
            ui->txtBreite_0->text().toInt() * 60 + ui->txtBreite_1->text().toInt()};
}

void RectificationCheckDialog::check()
{
    const TableChoice table = choice();
    // The choice of a free calculation is kept for the next one; a task names
    // its own.
    if (!m_worked.task)
        storeTableChoice(table);
    // The latitude only shapes the AC; the MC depends on the RAMC alone.
    ui->txtBreite_0->setEnabled(table.axis == Astro::Axis::AC);
    ui->txtBreite_1->setEnabled(table.axis == Astro::Axis::AC);

    const auto checked = checkRectification(m_worked, table);
    if (!checked.ok()) {
        ui->tblKontrolle->clearContents();
        ui->lblBefund->setText(checked.message());
        return;
    }
    const CheckReport &report = checked.value();
    showCheckRows(ui->tblKontrolle, report.rows);
    ui->lblBefund->setText(report.finding);
}

} // namespace Rectification
