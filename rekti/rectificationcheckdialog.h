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

// The house table a calculation is checked with at first: its task's, or
// for a free calculation the one last chosen.
TableChoice tableToCheck(const Worked &worked);

// "Kontrolle mit genauer Rechnung" of a rectification: above the table the
// axis and the latitude of the house table used (the latitude matters for the
// AC only), preset to the task's; then the student's values beside the exact
// ones and the finding. Choosing another axis or latitude checks again (for a
// task, the finding then names the task's). It changes nothing in the form it
// was opened from.
class RectificationCheckDialog : public QDialog {
    Q_OBJECT

public:
    explicit RectificationCheckDialog(const Worked &worked, QWidget *parent = nullptr);
    ~RectificationCheckDialog() override;

private:
    TableChoice choice() const;
    void check();

    std::unique_ptr<Ui::RectificationCheckDialog> ui;
    Worked m_worked;
};

} // namespace Rectification

#endif
