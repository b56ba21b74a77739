#ifndef PRUEFUNG_EXAMRECORD_H
#define PRUEFUNG_EXAMRECORD_H

#include "core/giventask.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

// A practice examination as the store keeps it: written the moment it begins
// and at every change (an answer typed, a calculator closed, the handing in),
// so that neither a restart nor a killed program loses it or stops its clock.

namespace Examination {

// One task of the examination.
struct ExamTask {
    int number = 0;
    QStringList answer; // the answer fields as typed
    // How long the calculator was open on the task, closed stretches added.
    qint64 calculatorSeconds = 0;
    // Once handed in: "richtig" or "falsch", and the first cause.
    QString verdict;
    QString cause;
    // What was judged: the calculation its calculator kept, else the answer.
    bool calculation = false;
};

struct ExamRecord {
    QDateTime start; // UTC
    int minutes = 90;
    ExamTask solar;
    ExamTask rectification;
    QDateTime handedIn; // UTC; invalid while the examination runs

    ExamTask &task(Core::TaskKind kind)
    {
        return kind == Core::TaskKind::Solar ? solar : rectification;
    }
    const ExamTask &task(Core::TaskKind kind) const
    {
        return kind == Core::TaskKind::Solar ? solar : rectification;
    }
    QDateTime deadline() const { return start.addSecs(qint64{minutes} * 60); }
    bool running() const { return start.isValid() && !handedIn.isValid(); }
    // The whole seconds left at `now`, a second begun counted whole; 0 once
    // the time is up.
    qint64 remainingSeconds(const QDateTime &now) const;
};

inline const QString RightVerdict = QStringLiteral("richtig");
inline const QString WrongVerdict = QStringLiteral("falsch");

// "Restzeit 89:58": minutes and seconds, hours as more minutes ("Restzeit
// 120:00").
QString remainingText(qint64 seconds);
// A duration as minutes and seconds: "12:05", "135:00".
QString durationText(qint64 seconds);

// The examination begun last; nothing where none was begun or the store holds
// no readable one.
std::optional<ExamRecord> readExam();
void writeExam(const ExamRecord &record);

// The time limit chosen last, 90 minutes at first.
int readExamMinutes();
void writeExamMinutes(int minutes);

} // namespace Examination

#endif
