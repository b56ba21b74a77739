#ifndef EXERCISE_EXERCISEWINDOW_H
#define EXERCISE_EXERCISEWINDOW_H

#include "exercise/rectificationtask.h"
#include "exercise/siderealtask.h"
#include "exercise/solartask.h"
#include "exercise/taskpage.h"
#include "record/entry.h"
#include "rekti/rectificationstate.h"
#include "solar/solarstate.h"
#include "sternzeit/siderealstate.h"
#include "ui/windowplacement.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>

namespace Ui {
class Uebung;
}
namespace Core {
class ExamLock;
}
class QResizeEvent;

namespace Exercise {

class RectificationPage;
class SiderealPage;
class SolarPage;

// What the window asks of the program around it.
struct ExerciseLinks {
    // F1: the worked example of a kind of task, opened for the window `asker`.
    std::function<void(QWidget *asker, TaskKind kind)> openExample;
    // "In den Rechner übernehmen": the task's person into the main window
    // and the task into the Solar calculator.
    std::function<void(const SolarTask &task)> workInSolar;
    // The same for a rectification task and the rectification calculator.
    std::function<void(const RectificationTask &task)> workInRectification;
    // The same for a task of the sidereal time and its calculator.
    std::function<void(const SiderealTask &task)> workInSidereal;
    // The calculation of the task of a number that a calculator keeps, as
    // far as it is worked; nothing where none keeps it.
    std::function<std::optional<Solar::Worked>(int number)> solarWork;
    std::function<std::optional<Rectification::Worked>(int number)> rectificationWork;
    std::function<std::optional<Sidereal::Worked>(int number)> siderealWork;
    // Each answer judged by "Prüfen", for the record of the work.
    std::function<void(const Record::Entry &entry)> record;
    // The tasks of a running practice examination: "Prüfen" and "Lösung
    // zeigen" refuse them until they are handed in.
    const Core::ExamLock *examLock = nullptr;
};

// The window "Übungsaufgaben": a numbered task with its page, a Solar task
// with the ephemeris, a rectification task with the house table (and, with
// "Sternzeit selbst berechnen", the page of sidereal times) or a task of the
// sidereal time of birth with the page of sidereal times at 0h UT, answer
// fields that are checked with a hint for a wrong answer, and the worked
// solution on request. A number gives one task of each kind. It is not modal, so the student can
// work the task in the Solar calculator beside it; whoever opens it keeps one instance and calls
// bringToFront() to show it again. Escape closes it.
//
// The number and the kind of the task shown are kept in the store: the window opens on it
// again, after a restart too.
class ExerciseWindow : public QWidget {
    Q_OBJECT

public:
    // Opens on the task shown last, or on one drawn at random.
    explicit ExerciseWindow(QWidget *parent = nullptr, ExerciseLinks links = {});
    ~ExerciseWindow() override;

    // Shows the window, restored from the task bar if need be, in front of
    // the others.
    void bringToFront() { Gui::bringToFront(this); }

    // Shows the task of a number as typing it and pressing "Anzeigen" does;
    // false (with the message) for a number outside 1 .. 999 999.
    bool showTask(int number);
    // The task of a number of a kind, the kind chosen in the list; false when
    // the list does not offer the kind or the number gives no task.
    bool showTask(TaskKind kind, int number);
    // The kinds of the list "Art der Aufgabe", in its order.
    QList<TaskKind> kinds() const;

    // The task shown is that of kind(); the others keep the last task of their kind.
    const std::optional<SolarTask> &task() const;
    const std::optional<RectificationTask> &rectificationTask() const;
    const std::optional<SiderealTask> &siderealTask() const;
    TaskKind kind() const;

    // The exercise sheet of "Übungsblatt…": as many tasks as chosen, from the
    // task shown on, with the page of solutions at the end.
    Sheets::Sheet exerciseSheet() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void prepareFields();
    void connectControls();
    void attachExerciseSheetMenu();
    void restoreLastTask();
    void arrangeTopRow(int width);
    void allowNarrowing();
    void showTypedTask();
    void showRandomTask();
    // The page of the kind chosen in the list, the other hidden.
    void choosePage(int index);
    void kindChosen(int index);
    // The task of a number on the page of the kind chosen; false, with
    // nothing changed, for a number that gives none.
    bool display(int number);
    void remember(int number);
    void showSolution();
    void check();
    // Whether the task shown is under examination; then the message says so.
    bool locked(const QString &message);
    void siderealWorkedChosen(bool worked);

    std::unique_ptr<Ui::Uebung> ui;
    std::function<void(QWidget *asker, TaskKind kind)> m_openExample;
    std::function<void(const Record::Entry &entry)> m_record;
    const Core::ExamLock *m_examLock;
    std::unique_ptr<SolarPage> m_solar;
    std::unique_ptr<RectificationPage> m_rectification;
    std::unique_ptr<SiderealPage> m_sidereal;
    // In the order of the kinds in the list "Art der Aufgabe".
    std::array<TaskPage *, 3> m_pages{};
    TaskPage *m_page = nullptr; // of the kind chosen
    int m_number = 0;           // of the task shown
};

} // namespace Exercise

#endif
