#ifndef EXERCISE_EXERCISEWINDOW_H
#define EXERCISE_EXERCISEWINDOW_H

#include "exercise/rectificationtask.h"
#include "exercise/solartask.h"
#include "exercise/taskpage.h"
#include "record/entry.h"
#include "rekti/rectificationstate.h"
#include "solar/solarstate.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>

namespace Ui {
class Uebung;
}
class QResizeEvent;

namespace Exercise {

class RectificationPage;
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
    // The calculation of the task of a number that a calculator keeps, as
    // far as it is worked; nothing where none keeps it.
    std::function<std::optional<Solar::Worked>(int number)> solarWork;
    std::function<std::optional<Rectification::Worked>(int number)> rectificationWork;
    // Each answer judged by "Prüfen", for the record of the work.
    std::function<void(const Record::Entry &entry)> record;
};

// The window "Übungsaufgaben": a numbered task with its page, a Solar task
// with the ephemeris or a rectification task with the house table, answer
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
    void bringToFront();

    // Shows the task of a number as typing it and pressing "Anzeigen" does;
    // false (with the message) for a number outside 1 .. 999 999.
    bool showTask(int number);
    // The task of a number of a kind, the kind chosen in the list; false when
    // the list does not offer the kind or the number gives no task.
    bool showTask(TaskKind kind, int number);
    // The kinds of the list "Art der Aufgabe", in its order.
    QList<TaskKind> kinds() const;

    // The task shown is that of kind(); the other keeps the last task of its kind.
    const std::optional<SolarTask> &task() const;
    const std::optional<RectificationTask> &rectificationTask() const;
    TaskKind kind() const;

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

    std::unique_ptr<Ui::Uebung> ui;
    std::function<void(QWidget *asker, TaskKind kind)> m_openExample;
    std::unique_ptr<SolarPage> m_solar;
    std::unique_ptr<RectificationPage> m_rectification;
    // In the order of the kinds in the list "Art der Aufgabe".
    std::array<TaskPage *, 2> m_pages{};
    TaskPage *m_page = nullptr; // of the kind chosen
    int m_number = 0;           // of the task shown
};

} // namespace Exercise

#endif
