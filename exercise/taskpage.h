#ifndef EXERCISE_TASKPAGE_H
#define EXERCISE_TASKPAGE_H

#include "core/giventask.h"
#include "core/stepledger.h"
#include "exercise/exercisesheet.h"
#include "record/causes.h"
#include "record/entry.h"
#include "sheet/sheet.h"

#include <QDate>
#include <QElapsedTimer>
#include <QList>
#include <QString>

#include <algorithm>
#include <array>
#include <functional>
#include <optional>

class QLineEdit;
class QWidget;
class QTableWidget;
namespace Ui {
class Uebung;
}

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
    virtual QString answerText() const;
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

// The texts of three answer fields from `first` on: hours, minutes, seconds
// or day, month, year.
Core::FieldTexts fieldTexts(const QList<QLineEdit *> &fields, int first = 0);
// Answer fields that take whole numbers of up to three digits, each with its
// own minus.
void acceptSignedDigits(const QList<QLineEdit *> &fields);

// The page of one kind of task, on the widgets of the window's form: the task
// shown, since when, the calculator that takes it over and the calculation
// that calculator keeps of it.
template <typename Task, typename Worked> class TaskPageOf : public TaskPage {
public:
    // The calculator that takes the task over, and the calculation it keeps
    // of the task of a number (nothing where none keeps it).
    using WorkIn = std::function<void(const Task &task)>;
    using KeptWork = std::function<std::optional<Worked>(int number)>;

    // Works on the widgets of `form`.
    TaskPageOf(Ui::Uebung &form, WorkIn workIn, KeptWork keptWork)
        : ui(form), m_workIn(std::move(workIn)), m_keptWork(std::move(keptWork))
    {}

    void workInCalculator() override
    {
        if (m_workIn)
            m_workIn(*m_task);
    }
    QString exerciseSheetFileName(int count) const override
    {
        return Exercise::exerciseSheetFileName(kind(), m_task->number, count);
    }
    std::optional<Core::GivenTask> given() const override
    {
        return m_task ? std::optional(givenTask(*m_task)) : std::nullopt;
    }

    // The last task of the kind shown.
    const std::optional<Task> &task() const { return m_task; }

protected:
    // The calculation the calculator keeps of the task shown; nothing where
    // none keeps it or no step of it was pressed, and the answer typed is
    // judged instead.
    std::optional<Worked> keptWork() const
    {
        std::optional<Worked> worked;
        if (m_keptWork)
            worked = m_keptWork(m_task->number);
        if (worked && !anyComputed(worked->status))
            worked.reset();
        return worked;
    }

    // The kind's own verdict on the calculation kept (`worked`) or else the
    // answer typed, as the page reports it; an answer judged, right or wrong,
    // as the record of the work keeps it.
    template <typename Verdict>
    TaskVerdict judged(const Verdict &verdict, const std::optional<Worked> &worked) const
    {
        const QList<QLineEdit *> fields = answerFields();
        TaskVerdict judged{outcomeOf(verdict.outcome), verdict.message};
        judged.calculation = worked.has_value();
        if (verdict.outcome == Verdict::Outcome::Incomplete && verdict.firstEmpty >= 0)
            judged.firstEmpty = fields.at(verdict.firstEmpty);
        if (verdict.outcome == Verdict::Outcome::Incomplete)
            return judged;
        const bool right = judged.outcome == TaskVerdict::Outcome::Right;
        judged.record =
            Record::entryOf(givenTask(*m_task),
                            worked ? Record::answerOf(*worked)
                                   : Record::typedAnswer(fieldTexts(fields),
                                                         fields.size() > 3 ? fieldTexts(fields, 3)
                                                                           : Core::FieldTexts{}),
                            right,
                            right           ? QString()
                            : verdict.cause ? Record::causeCode(*verdict.cause)
                                            : Record::causeCode(kind(), verdict.hint),
                            m_shownSince.elapsed() / 1000, Record::Source::Exercise);
        return judged;
    }

    Ui::Uebung &ui;
    WorkIn m_workIn;
    KeptWork m_keptWork;
    std::optional<Task> m_task;
    QElapsedTimer m_shownSince; // since the task was shown
};

} // namespace Exercise

#endif
