#ifndef REKTI_RECTIFICATIONFORM_H
#define REKTI_RECTIFICATIONFORM_H

#include "rekti/rectificationstate.h"
#include "settings/store.h"
#include "sheet/sheet.h"
#include "ui/calculatordialog.h"
#include "ui/formsupport.h"

#include <QDate>
#include <QElapsedTimer>

#include <memory>

namespace Ui {
class RectificationForm;
}

namespace Rectification {

// The rectification calculator ("Rektifikation mit primär dirigierten
// Achsen"). Built anew at every opening: the constructor preselects the
// lists, copies the birth date it is given, restores the entries of the last
// use unless a new calculation was started and then takes the person's name;
// closing it by any way saves the entries exactly once.
//
// The form computes nothing itself: its fields are read into a calculation
// state (State) as they change; each "=" button runs a step on
// that state and writes its result into the step's fields and their copies in
// later steps. A result whose inputs have changed since stays in view, marked
// "nicht mehr aktuell". Only the range checks of the typed fields, the copies
// made while typing and the paging belong to the form.
class RectificationForm : public Gui::CalculatorDialog {
    Q_OBJECT

public:
    explicit RectificationForm(Gui::CalculatorStart start, QWidget *parent = nullptr);
    ~RectificationForm() override;

    // The calculation as it stands: inputs, results and their status.
    const State &state() const { return m_state; }
    // The calculation sheet of what the form shows now.
    Sheets::Sheet calculationSheet() const;

private:
    void paint();
    void load();
    QList<Store::Controls> storedControls() const;
    void collectFields();
    QList<const Gui::FieldTriple *> tableValueFields() const;
    void tableFields();
    void setUpTyping();
    void connectChecks();
    void connectSteps();
    void connectButtons();

    void ageChanged(int element);
    void birthSiderealTimeChanged(int element);
    void showPage();
    void okayClicked();
    void openCheck();
    void computeBirthSiderealTime();

    // Reads the fields into the state; the one place where they are read.
    void readFields();
    void run(Step step);
    void markStale();

    std::unique_ptr<Ui::RectificationForm> ui;
    Gui::CalculatorStart m_start;
    QElapsedTimer m_opened; // for the record: the time spent on a task

    Gui::FieldTriple m_birthDate, m_birthSiderealTime, m_birthSiderealTimeOfStep4,
        m_birthSiderealTimeOfStep8;
    Gui::FieldTriple m_arc, m_arcOfStep3, m_arcOfStep6, m_arcInTime, m_arcInTimeOfStep4;
    Gui::FieldTriple m_eventSiderealTime, m_siderealTimeWithinDay;
    Gui::FieldTriple m_greaterValue, m_smallerValue, m_tableStep, m_tableStepOfStep5;
    Gui::FieldTriple m_correctedValue, m_smallerValue2, m_towardsPlanet, m_towardsPlanetOfStep5;
    Gui::FieldTriple m_quotient, m_quotientOfStep6, m_ramcPlusQuotient;
    Gui::FieldTriple m_correctedRamc, m_correctedRamcOfStep7, m_ramcInTime, m_ramcInTimeOfStep8;
    Gui::FieldTriple m_correction;
    std::array<QLineEdit *, 2> m_age, m_ageOfStep2, m_smallerRowTime, m_greaterRowTime;
    // The fields that hold what a step reads, by its entry.
    QList<std::pair<Core::Sexagesimal Entries::*, const Gui::FieldTriple *>> m_entryFields;
    // Each step's button and the fields that show its result.
    std::array<QPushButton *, StepCount> m_buttons{};
    std::array<QList<const Gui::FieldTriple *>, StepCount> m_resultFields;

    // Step 8 has been computed: only then does "Okay" on the last page hand
    // over the row and close the form.
    bool m_resultReady = false;
    State m_state;
};

} // namespace Rectification

#endif
