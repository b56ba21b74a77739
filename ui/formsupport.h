#ifndef UI_FORMSUPPORT_H
#define UI_FORMSUPPORT_H

#include "core/giventask.h"
#include "core/resultrow.h"
#include "core/sexagesimal.h"
#include "core/stepresult.h"
#include "record/entry.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>

namespace Core {
class ExamLock;
}
class QColor;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QWidget;

namespace Gui {

// What the two calculator forms share between their controls and the steps.

// The three fields or lists of an angle, a time or a date: degrees or hours
// (the day), minutes (the month), seconds (the year).
using FieldTriple = std::array<QLineEdit *, 3>;
using PickerTriple = std::array<QComboBox *, 3>;

Core::FieldTexts textsOf(const FieldTriple &fields);
Core::Sexagesimal readTriple(const FieldTriple &fields);
Core::SexagesimalTriple positionsOf(const PickerTriple &pickers);
// Writes the texts in order; every write runs the field's change handler
// before the next, as typing would. A result longer than its read-only field
// shows its leading digits.
void showInFields(const FieldTriple &fields, const Core::FieldTexts &texts);
void showInFields(const FieldTriple &fields, const Core::SexagesimalTriple &triple);
void showInFields(const FieldTriple &fields, const Core::Sexagesimal &value);

// What a calculator form is given when the main window opens it.
struct CalculatorStart {
    QString personName;
    Core::FieldTexts birthDate; // day, month, year
    bool restoreEntries = true;
    // Offers the finished row to the result list; false when the list is full.
    std::function<bool(const Core::ResultRow &)> offerRow;
    // For the head of the calculation sheet.
    Core::FieldTexts birthTime; // hours, minutes, seconds
    QString birthPlace;
    // A task taken over from the exercises ("In den Rechner übernehmen"): the
    // person above is then the task's. Nothing for a free calculation.
    std::optional<Core::GivenTask> task = std::nullopt;
    // Opens the calculator of the sidereal time of birth over `form` for the
    // person of `start` (the main window knows how, with its F1 document);
    // on "Okay" its result goes to `start.handBack`.
    std::function<void(QWidget *form, const CalculatorStart &start)> openSiderealTime = nullptr;
    // Set where a calculator's final time goes back into the form that
    // opened it instead of into the result list.
    std::function<void(const Core::SexagesimalTriple &)> handBack = nullptr;
    // Takes the verdict of "Kontrolle…" on a calculation of a task into the
    // record of the work.
    std::function<void(const Record::Entry &)> record = nullptr;
    // The practice examination's tasks, which the check may not judge while
    // it runs; nothing where no examination can run.
    const Core::ExamLock *examLock = nullptr;
};

// Whether the calculation's task is under a running examination: its check
// and the check on its calculation sheet are locked.
bool underExamination(const CalculatorStart &start, const std::optional<Core::GivenTask> &task);
// Whether the check of the calculation's task is locked by a running
// examination; then the message says so.
bool checkLocked(QWidget *form, const CalculatorStart &start,
                 const std::optional<Core::GivenTask> &task, const QString &title);

// The start of a calculator for a task: the task's person and birth in the
// head, nothing of the main window's.
CalculatorStart taskStart(const Core::GivenTask &task, CalculatorStart start);

// The task a calculation answers, in one line at the top of the calculator
// ("Aufgabe 4711 · Solar 2031 · Zeitzone +1"), shortened with "…" where the
// line is too narrow, the whole text in its tooltip; empty for a free
// calculation.
void showTaskSummary(QLabel *label, const std::optional<Core::GivenTask> &task);

// A read-only field whose number is longer than the field shows its
// beginning after every write, not its end.
void showBeginningOfText(QLineEdit *field);

// Shows a step's one message, titled as the calculator's other messages;
// answers whether the step gave its result.
template <typename T>
bool succeeded(QWidget *form, const Core::StepResult<T> &result, const QString &title);
bool showStepMessage(QWidget *form, const QString &message, const QString &title);

// "Okay" after the final step: offers the row. Answers false, after one
// message, when the row cannot be composed ("Überlauf!") or the list already
// holds its 32 767 rows ("Liste ist voll"): the form then stays open.
bool offerResult(QWidget *form, const Core::StepResult<Core::ResultRow> &row,
                 const CalculatorStart &start, const QString &title);

// The colours that show which values belong together, set through the
// palette: a text field's Base, a selection-only list's Base and Button (its
// face), a label's Window, a plain line's WindowText.
void setFieldColour(QLineEdit *field, const QColor &colour);
void setListColour(QComboBox *list, const QColor &colour);
void setLabelColour(QLabel *label, const QColor &colour);
void setLineColour(QFrame *line, const QColor &colour);

// Marks a result field whose step no longer belongs to its inputs: the text
// stays, struck through and grey, and its tooltip and accessible description
// say "nicht mehr aktuell".
void markStale(QLineEdit *field, bool stale);

// Centres a form on the screen of its parent (or on the primary screen).
void centreOnScreen(QWidget *form);

template <typename T>
bool succeeded(QWidget *form, const Core::StepResult<T> &result, const QString &title)
{
    return result.ok() || showStepMessage(form, result.message(), title);
}

} // namespace Gui

#endif
