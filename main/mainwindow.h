#ifndef MAIN_MAINWINDOW_H
#define MAIN_MAINWINDOW_H

#include "core/resultrow.h"
#include "main/deletions.h"
#include "rekti/rectificationstate.h"
#include "settings/store.h"
#include "solar/solarstate.h"
#include "sternzeit/siderealstate.h"
#include "ui/formsupport.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <optional>

namespace Record {
class Recorder;
}

namespace Ui {
class MainWindow;
}
namespace Core {
class ExamLock;
}
namespace Examination {
class ExamWindow;
}
namespace Exercise {
struct ExerciseLinks;
class ExerciseWindow;
struct SolarTask;
struct RectificationTask;
struct SiderealTask;
} // namespace Exercise
class QCloseEvent;
class QDialog;
class QKeyEvent;
class QShowEvent;
class QUndoStack;

namespace Gui {
class ResultList;
}
namespace Progress {
class ProgressWindow;
}
namespace Solar {
class SolarForm;
}
namespace Rectification {
class RectificationForm;
}
namespace Sidereal {
class SiderealForm;
}

namespace App {

class DocumentLinks;
class Keeping;

// The main window: the person's data (name, birth date, birth place, birth
// time), the buttons that open the calculators and the exercises, and the
// result list that collects one row per finished calculation. It stays open for the whole run;
// closing it ends the program.
//
// The person fields and the result list are kept in the settings store: read
// back when the window is built, then written as they change and on closing
// (Keeping says when). A calculator is given the person's name and birth date
// when it opens and offers its finished row back; the window appends it while
// the list has room.
//
// The deletions from the list and the emptying of the person fields can be
// taken back one by one (Ctrl+Z, or "Rückgängig" in the list's context menu).
// F1 opens the document that explains the window the user is in.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    Gui::ResultList &resultList() { return *m_list; }
    // A calculator's finished row appended at the end of the list and written
    // to the store; false when the list already holds its 32 767 rows.
    bool addResultRow(const Core::ResultRow &row);
    // Said after a deletion from the list.
    static QString undoHint();
    // The record of the work, for the windows that show it.
    Record::Recorder &record() { return *m_recorder; }
    // Deletes all its entries as a step that Ctrl+Z takes back.
    void deleteRecord();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void startRecord();
    void connectButtons();
    void load();
    void focusName();
    QList<Store::Controls> storedControls() const;
    QStringList personTexts() const;

    void openSolar();
    void openRectification();
    void openSidereal();
    void openSiderealOver(QWidget *form, const Gui::CalculatorStart &start);
    void openExercises();
    Exercise::ExerciseLinks exerciseLinks();
    void openExam();
    void makeExamWindow();
    void openManualOnF1(QWidget *window);
    void openProgress();
    Gui::CalculatorStart calculatorStart(bool newCalculation);
    void showCalculator(QDialog *form, const QString &document);
    template <typename Form, typename Worked>
    void showKeeping(Form *form, std::optional<Worked> &kept, const QString &document, bool locks);
    // A calculator open on the task given (the same task, or `whole`, the
    // same in every value) comes to the front: true; one open on something
    // else closes, keeping its entries.
    template <typename Form> bool raiseOpen(const Core::GivenTask &given, bool whole);
    void workInSolar(const Exercise::SolarTask &task);
    void workInRectification(const Exercise::RectificationTask &task);
    void workInSidereal(const Exercise::SiderealTask &task);
    // The calculation of a task that a calculator keeps: the open
    // calculator's, or the one handed back when it closed (`kept`).
    template <typename Form, typename Worked>
    std::optional<Worked> keptWork(int number, const std::optional<Worked> &kept) const;
    void startNewCalculation();
    void deleteAllRows();
    void deleteMarkedRow();
    void removeRows(int first, int count, const QString &text);
    void applyPersonState(const PersonState &state);
    void addListActions();

    std::unique_ptr<Ui::MainWindow> ui;
    Gui::FieldTriple m_birthDate; // day, month, year
    Gui::FieldTriple m_birthTime; // hours, minutes, seconds
    std::unique_ptr<Gui::ResultList> m_list;
    DocumentLinks *m_documents;
    // The record of the work: the answers judged on the exercise pages and
    // in "Kontrolle…"; the windows get only its record() call.
    Record::Recorder *m_recorder;
    // "Neue Berechnung starten" was pressed: the calculator opens once
    // without its entries of the last use.
    bool m_newSolar = false;
    bool m_newRectification = false;
    bool m_newSidereal = false;
    bool m_shown = false;
    QUndoStack *m_undo;
    Keeping *m_keeping;
    // The one window of exercises, made at the first press of its button and
    // kept, hidden when closed, with its task until the program ends. It is
    // a window of its own, not one of this window's: a calculator, modal to
    // this window, leaves it usable, and clicking it raises only itself.
    QPointer<Exercise::ExerciseWindow> m_exercises;
    // The practice examination's tasks, locked for the check and the solution
    // while it runs; shared with the calculators and both windows.
    Core::ExamLock *m_examLock;
    // The one window of the practice examination, made at the first press of
    // its button, or at the start while an examination runs so that its
    // clock and its lock go on; kept, hidden when closed, like the exercises.
    QPointer<Examination::ExamWindow> m_exam;
    // The one window "Fortschritt", kept as the exercises are.
    QPointer<Progress::ProgressWindow> m_progress;
    // The calculator that is open, if any.
    QPointer<QDialog> m_calculator;
    // The calculation of a task that each calculator handed back when it
    // closed last, for the exercise page.
    std::optional<Solar::Worked> m_solarWork;
    std::optional<Rectification::Worked> m_rectificationWork;
    std::optional<Sidereal::Worked> m_siderealWork;
};

} // namespace App

#endif
