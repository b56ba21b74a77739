#ifndef EXERCISE_EXERCISEWINDOW_H
#define EXERCISE_EXERCISEWINDOW_H

#include "exercise/task.h"
#include "ui/formsupport.h"

#include <QDateTime>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

namespace Ui {
class Uebung;
}
class QResizeEvent;

// What a task asks for; it decides the calculator that works it and the
// document that explains it.
enum class TaskKind { Solar };

// A Solar task as the calculator takes it over: the sign and the position
// within it of the radix Sun, and the year.
SolarPreset SolarTaskPreset(const Exercise::Task &task);

// What the window asks of the program around it.
struct ExerciseLinks {
    // F1: the worked example of a kind of task, opened for the window `asker`.
    std::function<void(QWidget *asker, TaskKind kind)> openExample;
    // "In den Rechner übernehmen": the task's person into the main window
    // and the task into the Solar calculator.
    std::function<void(const Exercise::Task &task)> workInSolar;
};

// The window "Übungsaufgaben": a numbered Solar task with its ephemeris page,
// answer fields that are checked with a hint for a wrong answer, and the
// worked solution on request. It is not modal, so the student can work the
// task in the Solar calculator beside it; whoever opens it keeps one instance
// and calls bringToFront() to show it again. Escape closes it.
//
// The number of the task shown is kept in the store: the window opens on it
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

    const std::optional<Exercise::Task> &task() const { return m_task; }
    TaskKind kind() const { return m_kind; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void arrangeTopRow(int width);
    void allowNarrowing();
    void showTypedTask();
    void showRandomTask();
    void display(const Exercise::Task &task);
    void checkAnswer();
    void showSolution();
    void workInCalculator();
    // The exact moment of the Solar, worked out once per task when needed.
    QDateTime exactMoment();

    std::unique_ptr<Ui::Uebung> ui;
    ExerciseLinks m_links;
    TaskKind m_kind = TaskKind::Solar;
    std::optional<Exercise::Task> m_task;
    std::optional<QDateTime> m_exact;
};

#endif
