#include "ui/formsupport.h"

#include "core/examlock.h"

#include "ui/services.h"

#include <QColor>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QScreen>

namespace Gui {

using namespace Core;

namespace {

void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

} // namespace

FieldTexts textsOf(const FieldTriple &fields)
{
    return {fields[0]->text(), fields[1]->text(), fields[2]->text()};
}

Sexagesimal readTriple(const FieldTriple &fields)
{
    return Sexagesimal::read(textsOf(fields));
}

SexagesimalTriple positionsOf(const PickerTriple &pickers)
{
    // The lists hold at most 60 entries: a position always fits.
    return {static_cast<qint16>(pickers[0]->currentIndex()),
            static_cast<qint16>(pickers[1]->currentIndex()),
            static_cast<qint16>(pickers[2]->currentIndex())};
}

void showInFields(const FieldTriple &fields, const FieldTexts &texts)
{
    for (size_t i = 0; i < fields.size(); ++i) {
        fields[i]->setText(texts[i]);
        if (fields[i]->isReadOnly())
            fields[i]->setCursorPosition(0);
    }
}

void showInFields(const FieldTriple &fields, const SexagesimalTriple &triple)
{
    showInFields(fields, tripleToFields(triple));
}

void showInFields(const FieldTriple &fields, const Sexagesimal &value)
{
    showInFields(fields, value.plainTexts());
}

bool showStepMessage(QWidget *form, const QString &message, const QString &title)
{
    services().showMessage(form, message, title);
    return false;
}

bool offerResult(QWidget *form, const StepResult<ResultRow> &row, const CalculatorStart &start,
                 const QString &title)
{
    if (!succeeded(form, row, title))
        return false;
    // The list counts its rows in 16 bits: a full list takes no further row,
    // and the form stays open rather than pretend that the row was added.
    if (start.offerRow && start.offerRow(row.value()))
        return true;
    return showStepMessage(form, QStringLiteral("Liste ist voll"), title);
}

void setFieldColour(QLineEdit *field, const QColor &colour)
{
    setColour(field, QPalette::Base, colour);
}

void setListColour(QComboBox *list, const QColor &colour)
{
    setColour(list, QPalette::Base, colour);
    setColour(list, QPalette::Button, colour);
}

void setLabelColour(QLabel *label, const QColor &colour)
{
    setColour(label, QPalette::Window, colour);
    label->setAutoFillBackground(true);
}

void setLineColour(QFrame *line, const QColor &colour)
{
    setColour(line, QPalette::WindowText, colour);
}

void centreOnScreen(QWidget *form)
{
    const QWidget *parent = form->parentWidget();
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen)
        form->move(screen->availableGeometry().center() - form->rect().center());
}

void markStale(QLineEdit *field, bool stale)
{
    if (field->font().strikeOut() == stale)
        return;
    QFont font = field->font();
    font.setStrikeOut(stale);
    field->setFont(font);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Text, stale ? QColor(128, 128, 128)
                                           : QGuiApplication::palette().color(QPalette::Text));
    field->setPalette(palette);
    const QString note = stale ? QStringLiteral("nicht mehr aktuell") : QString();
    field->setToolTip(note);
    field->setAccessibleDescription(note);
}

bool underExamination(const CalculatorStart &start, const std::optional<GivenTask> &task)
{
    return start.examLock && task && start.examLock->locks(*task);
}

bool checkLocked(QWidget *form, const CalculatorStart &start, const std::optional<GivenTask> &task,
                 const QString &title)
{
    if (!underExamination(start, task))
        return false;
    services().showMessage(form, ExamLock::checkLockedMessage(), title);
    return true;
}

CalculatorStart taskStart(const GivenTask &task, CalculatorStart start)
{
    const auto number = [](int n) {
        return QString::number(n);
    };
    start.personName = task.person;
    start.birthDate = {number(task.birthDate.day()), number(task.birthDate.month()),
                       number(task.birthDate.year())};
    start.birthTime = task.birthTime ? FieldTexts{number(task.birthTime->hour()),
                                                  number(task.birthTime->minute()),
                                                  number(task.birthTime->second())}
                                     : FieldTexts{};
    start.birthPlace = task.place;
    start.task = task;
    return start;
}

void showTaskSummary(QLabel *label, const std::optional<GivenTask> &task)
{
    const QString text = task ? task->summary() : QString();
    label->setText(label->fontMetrics().elidedText(text, Qt::ElideRight, label->width()));
    label->setToolTip(text);
}

void showBeginningOfText(QLineEdit *field)
{
    // setText leaves the cursor at the end and then reports the change.
    QObject::connect(field, &QLineEdit::textChanged, field, [field] {
        if (!field->hasFocus())
            field->setCursorPosition(0);
    });
}

} // namespace Gui
