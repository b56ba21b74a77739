#ifndef REKTI_RECTIFICATIONCHECKDIALOG_H
#define REKTI_RECTIFICATIONCHECKDIALOG_H

#include "rekti/rectificationcheck.h"

#include <QDate>
#include <QDialog>

#include <memory>

namespace Ui {
class RectificationCheckDialog;
}

namespace Rectification {

// The house table the student worked with, as the check was last made for:
// the axis and the latitude, kept in the store between runs.
TableChoice storedTableChoice();
void storeTableChoice(const TableChoice &choice);

// "Kontrolle mit genauer Rechnung" of a rectification: above the table the
// axis and the latitude of the house table used (the latitude matters for the
// AC only), then the student's values beside the exact ones and the finding.
// Choosing another axis or latitude checks again. It changes nothing in the
// form it was opened from.
class RectificationCheckDialog : public QDialog {
    Q_OBJECT

public:
    RectificationCheckDialog(const Worked &worked, QDate birthDate, QWidget *parent = nullptr);
    ~RectificationCheckDialog() override;

private:
    TableChoice choice() const;
    void check();

    std::unique_ptr<Ui::RectificationCheckDialog> ui;
    Worked m_worked;
    QDate m_birthDate;
};

} // namespace Rectification

#endif
