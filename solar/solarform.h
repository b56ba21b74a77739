#ifndef SOLAR_SOLARFORM_H
#define SOLAR_SOLARFORM_H

#include "settings/store.h"
#include "sheet/sheet.h"
#include "solar/solarcheck.h"
#include "solar/solarstate.h"
#include "ui/calculatordialog.h"
#include "ui/formsupport.h"

#include <QElapsedTimer>

#include <memory>

namespace Ui {
class SolarForm;
}

namespace Solar {

// The Solar return calculator ("Solarberechnung"). Built anew at every
// opening: the constructor fills the lists, copies the birth date it is given
// and restores the entries of the last use unless a new calculation was
// started; closing it by any way saves the entries exactly once.
//
// The form computes nothing itself. Its fields are read into a calculation
// state (State) as they change; each step button runs a step on that
// state and writes its result into the step's fields and their copies in
// later steps, or shows the step's one message. A result whose inputs have
// changed since stays in view, marked "nicht mehr aktuell"; "Okay", the check
// and the calculation sheet read the state, never the fields.
class SolarForm : public Gui::CalculatorDialog {
    Q_OBJECT

public:
    explicit SolarForm(Gui::CalculatorStart start, QWidget *parent = nullptr);
    ~SolarForm() override;

    // The calculation as it stands: inputs, results and their status.
    const State &state() const { return m_state; }
    // The calculation sheet of what the form shows now, closed by the check
    // where it can be made.
    Sheets::Sheet calculationSheet() const;

private:
    void collectFields();
    void setUpTyping();
    void connectSteps();
    void paint();
    void load();
    QList<Store::Controls> storedControls() const;

    void carryDate1(int element);
    void carryDate2(int element);
    void carryRadix(int element);
    // Reads the fields into the state; the one place where they are read.
    void readFields();
    void run(Step step);
    // Marks the results that no longer belong to their inputs.
    void markStale();
    void showPage(int page);
    void okayClicked();
    void openCheck();

    std::unique_ptr<Ui::SolarForm> ui;
    Gui::CalculatorStart m_start;
    QElapsedTimer m_opened; // for the record: the time spent on a task

    Gui::PickerTriple m_radix; // the radix Sun of the header
    Gui::PickerTriple m_date1; // the Sun on date 1
    Gui::PickerTriple m_date2; // the Sun on date 2
    Gui::PickerTriple m_radixOfStep3;
    Gui::FieldTriple m_date1OfStep2, m_date2OfStep2, m_date1OfStep3;
    Gui::FieldTriple m_motion, m_motionOfStep4, m_distance, m_distanceOfStep4;
    Gui::FieldTriple m_greenwichTime, m_greenwichTimeOfStep5, m_zoneTime, m_finalTime;
    Gui::FieldTriple m_birthDate, m_solarDate;
    // The fields that hold what a step reads or shows, by its entry, and the
    // field of each step's own result.
    QList<std::pair<Core::Sexagesimal Entries::*, const Gui::FieldTriple *>> m_entryFields;
    std::array<const Gui::FieldTriple *, StepCount> m_resultFields{};

    State m_state;
    bool m_resultReady = false;
};

} // namespace Solar

#endif
