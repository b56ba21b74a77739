#ifndef SOLAR_CHECKDIALOG_H
#define SOLAR_CHECKDIALOG_H

#include "solar/solarcheck.h"

#include <QDialog>

#include <memory>

namespace Ui {
class CheckDialog;
}

namespace Solar {

// "Kontrolle mit genauer Rechnung": the student's values beside the exact
// ones, with the finding below. It only shows a comparison made beforehand
// and changes nothing in the form it was opened from.
class CheckDialog : public QDialog {
    Q_OBJECT

public:
    explicit CheckDialog(const Comparison &comparison, QWidget *parent = nullptr);
    ~CheckDialog() override;

private:
    std::unique_ptr<Ui::CheckDialog> ui;
};

} // namespace Solar

#endif
