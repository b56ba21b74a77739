#ifndef CORE_EXAMLOCK_H
#define CORE_EXAMLOCK_H

#include "core/giventask.h"

#include <QObject>
#include <QString>

namespace Core {

// The two tasks of a practice examination while it runs. The main window owns
// the one object and hands it to the calculators, the exercise window and the
// examination window when it makes them: while the examination runs, nothing
// may judge or solve its tasks before they are handed in ("Kontrolle…",
// "Prüfen", "Lösung zeigen"). The calculators also say here when they open
// and close on a task, so that the examination can tell how long each task's
// calculator was open.
class ExamLock : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // The examination of these two tasks has begun or goes on after a restart.
    void lock(int solarNumber, int rectificationNumber);
    // Handed in or the time is up: the tasks may be checked and solved again.
    void release();
    bool running() const { return m_running; }
    // Whether the task of this kind and number is under examination now.
    bool locks(TaskKind kind, int number) const;
    bool locks(const GivenTask &task) const { return locks(task.kind, task.number); }

    // A calculator opened or closed on a task.
    void calculatorOpened(const GivenTask &task)
    {
        emit calculatorChanged(task.kind, task.number, true);
    }
    void calculatorClosed(const GivenTask &task)
    {
        emit calculatorChanged(task.kind, task.number, false);
    }

    // Why a locked action does nothing.
    static QString checkLockedMessage();
    static QString solutionLockedMessage();

signals:
    void calculatorChanged(Core::TaskKind kind, int number, bool open);

private:
    bool m_running = false;
    int m_solar = 0;
    int m_rectification = 0;
};

} // namespace Core

#endif
