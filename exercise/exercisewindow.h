#ifndef EXERCISE_EXERCISEWINDOW_H
#define EXERCISE_EXERCISEWINDOW_H

#include "exercise/task.h"

#include <QDateTime>
#include <QWidget>

#include <memory>
#include <optional>

namespace Ui {
class Uebung;
}

// The window "Übungsaufgaben": a numbered Solar task with its ephemeris page,
// answer fields that are checked with a hint for a wrong answer, and the
// worked solution on request. It is not modal, so the student can work the
// task in the Solar calculator beside it; whoever opens it keeps one instance
// and calls bringToFront() to show it again.
class ExerciseWindow : public QWidget {
    Q_OBJECT

public:
    // Opens on a task drawn at random.
    explicit ExerciseWindow(QWidget *parent = nullptr);
    ~ExerciseWindow() override;

    // Shows the window, restored from the task bar if need be, in front of
    // the others.
    void bringToFront();

    // Shows the task of a number as typing it and pressing "Anzeigen" does;
    // false (with the message) for a number outside 1 .. 999 999.
    bool showTask(int number);

    const std::optional<Exercise::Task> &task() const { return m_task; }

private:
    void showTypedTask();
    void showRandomTask();
    void display(const Exercise::Task &task);
    void checkAnswer();
    void showSolution();
    // The exact moment of the Solar, worked out once per task when needed.
    QDateTime exactMoment();

    std::unique_ptr<Ui::Uebung> ui;
    std::optional<Exercise::Task> m_task;
    std::optional<QDateTime> m_exact;
};

#endif
