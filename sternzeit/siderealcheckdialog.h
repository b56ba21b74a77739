#ifndef STERNZEIT_SIDEREALCHECKDIALOG_H
#define STERNZEIT_SIDEREALCHECKDIALOG_H

#include "sternzeit/siderealcheck.h"

#include <QDialog>

#include <memory>

namespace Ui {
class SiderealCheckDialog;
}

namespace Sidereal {

// "Kontrolle mit genauer Rechnung" of a sidereal time of birth: the student's
// values beside the exact ones of the sky, and the finding below. It shows a
// check made beforehand and changes nothing in the form it was opened from.
class SiderealCheckDialog : public QDialog {
    Q_OBJECT

public:
    explicit SiderealCheckDialog(const CheckReport &report, QWidget *parent = nullptr);
    ~SiderealCheckDialog() override;

private:
    std::unique_ptr<Ui::SiderealCheckDialog> ui;
};

} // namespace Sidereal

#endif
