#ifndef STERNZEIT_SIDEREALFORM_H
#define STERNZEIT_SIDEREALFORM_H

#include "settings/store.h"
#include "sheet/sheet.h"
#include "sternzeit/siderealstate.h"
#include "ui/calculatordialog.h"

#include "ui/formsupport.h"
#include <QElapsedTimer>

#include <array>
#include <memory>

namespace Ui {
class SiderealForm;
}

namespace Sidereal {

// The calculator "Sternzeit der Geburt". Built anew at every opening: the
// constructor restores the entries of the last use (unless a new
// calculation was started or a task gives the birth) and then takes the
// birth data it is given; closing it by any way saves the entries exactly
// once, and they are kept as they change.
//
// The form computes nothing itself: its fields are read into a calculation
// state (State) as they change; each "=" button runs a step on that state and
// writes its result into the step's field and its copies in later steps. A
// result whose inputs have changed since stays in view, marked "nicht mehr
// aktuell", and "Okay" refuses it. "Okay" hands the sidereal time of birth
// in: a row of the result list, or, opened from the rectification, back into
// its sidereal time of birth.
class SiderealForm : public Gui::CalculatorDialog {
    Q_OBJECT

public:
    explicit SiderealForm(Gui::CalculatorStart start, QWidget *parent = nullptr);
    ~SiderealForm() override;

    // The calculation as it stands: inputs, results and their status.
    const State &state() const { return m_state; }
    // The calculation sheet of what the form shows now.
    Sheets::Sheet calculationSheet() const;

private:
    void collectFields();
    void paint();
    void setUpTyping();
    void connectChecks();
    void connectButtons();
    void load();
    void takeStart();
    void focusFirstEntry();
    QList<Store::Controls> storedControls() const;

    void civilTimeChanged(int element);
    void ephemerisChanged(int element);
    void copyZone();
    void copyLongitude();
    // Reads the fields into the state; the one place where they are read.
    void readFields();
    void run(Step step);
    void markStale();
    void okayClicked();
    void openCheck();

    std::unique_ptr<Ui::SiderealForm> ui;
    Gui::CalculatorStart m_start;
    QElapsedTimer m_opened; // for the record: the time spent on a task

    Gui::FieldTriple m_birthDate, m_civilTime, m_ephemeris;
    Gui::FieldTriple m_civilTimeOfStep1, m_universalTime, m_universalTimeOfStep3, m_share;
    Gui::FieldTriple m_longitudeTime, m_ephemerisOfStep5, m_universalTimeOfStep5, m_shareOfStep5,
        m_longitudeTimeOfStep5, m_sum, m_siderealTime;
    std::array<QLineEdit *, 2> m_longitude{}, m_longitudeOfStep4{};
    // The fields that hold what a step reads, by its entry, and each step's
    // button and the field that shows its result.
    QList<std::pair<Core::Sexagesimal Entries::*, const Gui::FieldTriple *>> m_entryFields;
    std::array<QPushButton *, StepCount> m_buttons{};
    std::array<const Gui::FieldTriple *, StepCount> m_resultFields{};

    State m_state;
};

} // namespace Sidereal

#endif
