#ifndef EXERCISE_TASKPAGE_H
#define EXERCISE_TASKPAGE_H

#include "core/giventask.h"
#include "core/stepledger.h"
#include "record/entry.h"
#include "sheet/sheet.h"

#include <QDate>
#include <QList>
#include <QString>

#include <algorithm>
#include <array>
#include <optional>

class QLineEdit;
class QWidget;
class QTableWidget;

namespace Exercise {

// What a task asks for; it decides the calculator that works it and the
// document that explains it.
using TaskKind = Core::TaskKind;

// The judgement of a task's answer: the calculation a calculator keeps of the
// task, else the answer typed. "Prüfen" shows its message; the examination
// keeps it.
struct TaskVerdict {
    enum class Outcome { Incomplete, Right, Wrong };
    Outcome outcome = Outcome::Incomplete;
    // The finding, or for the answer alone the hint; its first cause.
    QString message;
    // Incomplete: the answer field to fill first.
    QLineEdit *firstEmpty = nullptr;
    // The calculation a calculator keeps was judged, not the answer typed.
    bool calculation = false;
    // Right or wrong: the answer judged as the record of the work keeps it
    // (its source and moment are the judge's caller's to set).
    std::optional<Record::Entry> record = std::nullopt;
};

// The outcome of either kind's own verdict.
template <typename Outcome> TaskVerdict::Outcome outcomeOf(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Right:
        return TaskVerdict::Outcome::Right;
    case Outcome::Wrong:
        return TaskVerdict::Outcome::Wrong;
    case Outcome::Incomplete:
        break;
    }
    return TaskVerdict::Outcome::Incomplete;
}

// One kind of task in the window "Übungsaufgaben": its page (the ephemeris or
// the house table), its answer fields, how an answer is judged, its worked
// solution, its exercise sheet and the calculator that works it. Each kind
// keeps the last task of its kind while the other is shown.
class TaskPage {
public:
    virtual ~TaskPage() = default;

    virtual TaskKind kind() const = 0;
    // How the store names the kind: "Solar", "GZK".
    virtual QString storeKey() const = 0;
    // The fields the student answers in; Enter in them checks.
    virtual QList<QLineEdit *> answerFields() const = 0;
    // The page with its title and the answer fields with their labels.
    virtual void setShown(bool shown) = 0;

    // The task of a number with its page, the answer fields emptied; false,
    // with nothing changed, for a number that gives no task.
    virtual bool showTask(int number) = 0;
    // The calculation a calculator keeps of the task, else the answer typed,
    // judged.
    virtual TaskVerdict judge() = 0;
    // "Prüfen": that judgement in a message, the cursor in the field to fill.
    void checkAnswer(QWidget *window);
    virtual QString solutionHtml() = 0;
    // "In den Rechner übernehmen".
    virtual void workInCalculator() = 0;

    // The sheet of `count` tasks starting with the task shown, and the name
    // of its file.
    virtual Sheets::Sheet exerciseSheet(int count, QDate printed) const = 0;
    virtual QString exerciseSheetFileName(int count) const = 0;

    // The task shown, as it travels with its calculation; nothing before the
    // first task.
    virtual std::optional<Core::GivenTask> given() const = 0;
    // The task as the exercise sheet writes it, without the lines to work on.
    virtual Sheets::SheetStep taskOnSheet(int ordinal) const = 0;
    // The answer typed, in one line: "9 | 46 | 32, 13.3.2031"; empty while
    // every field is.
    virtual QString answerText() const = 0;
};

// A judgement in a message to `window`, the cursor in the field to fill.
void showVerdict(QWidget *window, const TaskVerdict &verdict);

// Both pages are laid out as printed: no scrolling, no row numbers.
void preparePageTable(QTableWidget *page);
// A page as printed: every row and column at a glance, no scrolling.
void fitToContents(QTableWidget *page);

// Whether a calculation has been worked at all: a calculator opened on the
// task with no step pressed leaves the answer typed here to be judged.
template <std::size_t N> bool anyComputed(const std::array<Core::StepLedger::Status, N> &status)
{
    return std::any_of(status.begin(), status.end(), [](Core::StepLedger::Status s) {
        return s != Core::StepLedger::Status::NotComputed;
    });
}

} // namespace Exercise

#endif
