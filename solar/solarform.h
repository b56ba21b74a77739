#ifndef SOLAR_SOLARFORM_H
#define SOLAR_SOLARFORM_H

#include "core/effects.h"
#include "ui/controlarrays.h"

#include <QDialog>

#include <memory>

class MainWindowAccess;
class QKeyEvent;

namespace Ui {
class Solar;
}

// The Solar return calculator ("Solarberechnung"). Built anew at every
// opening: the constructor runs the load sequence (pickers filled, birth date
// copied from the main window, entries of the last use restored unless a new
// calculation was started); closing it by any way runs the unload sequence
// (entries saved) exactly once, and the main window deletes it afterwards.
//
// The form computes nothing itself. Every handler asks a step of SolarSteps
// for its answer, reading the controls through FormValues by their names, and
// hands that answer to apply(), the one place where controls are written and
// messages shown.
class SolarForm : public QDialog {
    Q_OBJECT

public:
    explicit SolarForm(MainWindowAccess &main, QWidget *parent = nullptr);
    ~SolarForm() override;

    // True once the final step has succeeded since the form was loaded.
    bool resultReady() const { return m_resultReady; }

    // Every way of closing (Okay with a result, Abbrechen, the close box,
    // Escape) ends here; the entries are saved before the window goes.
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void load();
    void unload();
    void apply(const Effects &effects);
    void pageChanged(int page);
    void okayClicked();

    std::unique_ptr<Ui::Solar> ui;
    std::unique_ptr<FormValues> m_values;
    MainWindowAccess &m_main;

    FieldArray m_text1;
    FieldArray m_birthDate;
    PickerArray m_radix;  // cmbDeg13, the header's radix Sun
    PickerArray m_date1;  // cmbDeg1
    PickerArray m_date2;  // cmbDeg2
    PickerArray m_radix3; // cmbDeg5, the radix Sun of step 3

    bool m_resultReady = false;
    bool m_unloaded = false;
};

#endif
