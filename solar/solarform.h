#ifndef SOLAR_SOLARFORM_H
#define SOLAR_SOLARFORM_H

#include <QDialog>

class MainWindowAccess;

// The Solar return calculator ("Solarberechnung"). Built anew at every
// opening: the constructor runs the load sequence (pickers filled, birth date
// copied from the main window, entries of the last use restored unless a new
// calculation was started); closing it by any way runs the unload sequence
// (entries saved) exactly once, and the main window deletes it afterwards.
class SolarForm : public QDialog {
    Q_OBJECT

public:
    explicit SolarForm(MainWindowAccess &main, QWidget *parent = nullptr);
    ~SolarForm() override;
};

#endif
