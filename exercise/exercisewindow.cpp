#include "exercise/exercisewindow.h"
#include "ui_exercisewindow.h"

#include "astro/zodiac.h"
#include "exercise/answercheck.h"
#include "exercise/exercisesheet.h"
#include "exercise/tasktexts.h"
#include "settings/store.h"
#include "ui/helpkey.h"
#include "ui/inputhelpers.h"
#include "ui/services.h"

#include <QHeaderView>
#include <QRandomGenerator>
#include <QResizeEvent>
#include <QShortcut>
#include <QTableWidgetItem>

namespace {

QString NumberRangeMessage()
{
    return QStringLiteral("Bitte geben Sie eine Aufgabennummer von 1 bis 999999 ein.");
}

} // namespace

SolarPreset SolarTaskPreset(const Exercise::Task &task)
{
    // The radix counts arc seconds from 0° Aries; the form takes the sign by
    // name and the degrees, minutes and seconds within it.
    const SexagesimalTriple within = SecondsToTriple(task.radix % Astro::ArcSecondsPerSign);
    return {Astro::SignName(task.radix / Astro::ArcSecondsPerSign),
            QString::number(task.solarYear),
            {within.Units, within.Minutes, within.Seconds}};
}

ExerciseWindow::ExerciseWindow(QWidget *parent, ExerciseLinks links)
    : QWidget(parent, Qt::Window), ui(std::make_unique<Ui::Uebung>()), m_links(std::move(links))
{
    ui->setupUi(this);

    QTableWidget *page = ui->tblEphemeride;
    page->verticalHeader()->hide();
    page->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    page->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    page->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    page->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    AcceptDigitsOnly(ui->txtAufgabe);
    const QList<QLineEdit *> answerFields{ui->txtAntwort_0,      ui->txtAntwort_1,
                                          ui->txtAntwort_2,      ui->txtAntwortDatum_0,
                                          ui->txtAntwortDatum_1, ui->txtAntwortDatum_2};
    for (QLineEdit *field : answerFields) {
        AcceptDigitsOnly(field);
        SelectAllOnFocus(field);
        connect(field, &QLineEdit::returnPressed, this, &ExerciseWindow::checkAnswer);
    }
    SelectAllOnFocus(ui->txtAufgabe);

    connect(ui->txtAufgabe, &QLineEdit::returnPressed, this, &ExerciseWindow::showTypedTask);
    connect(ui->cmdAnzeigen, &QPushButton::clicked, this, &ExerciseWindow::showTypedTask);
    connect(ui->cmdNeueAufgabe, &QPushButton::clicked, this, &ExerciseWindow::showRandomTask);
    connect(ui->cmdPruefen, &QPushButton::clicked, this, &ExerciseWindow::checkAnswer);
    connect(ui->cmdLoesung, &QPushButton::clicked, this, &ExerciseWindow::showSolution);
    connect(ui->cmdInRechner, &QPushButton::clicked, this, &ExerciseWindow::workInCalculator);
    // Narrow enough to stand beside a calculator on a small screen; the task
    // number stays readable in its field.
    ui->txtAufgabe->setMinimumWidth(
        ui->txtAufgabe->fontMetrics().horizontalAdvance(QStringLiteral("9999999")) + 12);
    OpenHelpOnF1(this, [this](QWidget *asker) {
        if (m_links.openExample)
            m_links.openExample(asker, m_kind);
    });
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    // The sheet starts with the task shown and takes as many as asked for.
    attachSheetMenu(
        ui->cmdUebungsblatt, Exercise::exerciseSheetTexts(),
        [this] {
            return Exercise::exerciseSheet(m_task->number, ui->spnAnzahl->value(),
                                           QDate::currentDate());
        },
        [this] { return Exercise::exerciseSheetFileName(m_task->number, ui->spnAnzahl->value()); });

    bool stored = false;
    const int last = ReadSetting(Store::FormsApplication, Store::FormsSection, Store::LastExercise)
                         .toInt(&stored);
    if (stored && Exercise::makeTask(last))
        showTask(last);
    else
        showRandomTask();
}

ExerciseWindow::~ExerciseWindow() = default;

void ExerciseWindow::bringToFront()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

bool ExerciseWindow::showTask(int number)
{
    const std::optional<Exercise::Task> task = Exercise::makeTask(number);
    if (!task) {
        services().showMessage(this, NumberRangeMessage(), Exercise::exerciseTitle());
        return false;
    }
    display(*task);
    return true;
}

void ExerciseWindow::showTypedTask()
{
    // Digits only, but "0", an empty field or seven digits are still possible.
    bool ok = false;
    const int number = ui->txtAufgabe->text().toInt(&ok);
    if (!ok || number < Exercise::FirstTask || number > Exercise::LastTask) {
        services().showMessage(this, NumberRangeMessage(), Exercise::exerciseTitle());
        return;
    }
    showTask(number);
}

void ExerciseWindow::showRandomTask()
{
    // Only the choice of the number is random; the task follows from it.
    showTask(QRandomGenerator::global()->bounded(Exercise::FirstTask, Exercise::LastTask + 1));
}

void ExerciseWindow::display(const Exercise::Task &task)
{
    m_task = task;
    m_exact.reset();
    WriteSetting(Store::FormsApplication, Store::FormsSection, Store::LastExercise,
                 QString::number(task.number));
    ui->txtAufgabe->setText(QString::number(task.number));
    ui->txtAufgabentext->setHtml(Exercise::taskHtml(task));

    QTableWidget *page = ui->tblEphemeride;
    page->setRowCount(static_cast<int>(task.page.size()));
    for (int row = 0; row < page->rowCount(); ++row) {
        const Exercise::EphemerisDay &day = task.page.at(row);
        page->setItem(row, 0, new QTableWidgetItem(Exercise::dayText(day.date)));
        auto *position = new QTableWidgetItem(Exercise::positionText(day.position));
        position->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        page->setItem(row, 1, position);
    }
    // The whole page at a glance, as printed: no scrolling.
    page->resizeColumnsToContents();
    page->resizeRowsToContents();
    const int frame = 2 * page->frameWidth();
    int height = page->horizontalHeader()->height() + frame;
    for (int row = 0; row < page->rowCount(); ++row)
        height += page->rowHeight(row);
    page->setFixedHeight(height);
    page->setFixedWidth(page->horizontalHeader()->length() + frame);
    allowNarrowing();

    for (QLineEdit *field : {ui->txtAntwort_0, ui->txtAntwort_1, ui->txtAntwort_2,
                             ui->txtAntwortDatum_0, ui->txtAntwortDatum_1, ui->txtAntwortDatum_2})
        field->clear();
    ui->txtLoesung->clear();
}

QDateTime ExerciseWindow::exactMoment()
{
    if (!m_exact)
        m_exact = Exercise::exactMoment(*m_task);
    return *m_exact;
}

void ExerciseWindow::checkAnswer()
{
    const Exercise::Answer answer{
        {ui->txtAntwort_0->text(), ui->txtAntwort_1->text(), ui->txtAntwort_2->text()},
        {ui->txtAntwortDatum_0->text(), ui->txtAntwortDatum_1->text(),
         ui->txtAntwortDatum_2->text()}};
    // The exact moment only matters for a right answer; it is the slow part.
    const Exercise::Verdict verdict = Exercise::checkAnswer(*m_task, answer, exactMoment());
    if (verdict.outcome == Exercise::Verdict::Outcome::Incomplete) {
        const QList<QLineEdit *> fields{ui->txtAntwort_0,      ui->txtAntwort_1,
                                        ui->txtAntwort_2,      ui->txtAntwortDatum_0,
                                        ui->txtAntwortDatum_1, ui->txtAntwortDatum_2};
        fields.at(verdict.firstEmpty)->setFocus(Qt::OtherFocusReason);
    }
    services().showMessage(this, verdict.message, Exercise::exerciseTitle());
}

void ExerciseWindow::showSolution()
{
    ui->txtLoesung->setHtml(Exercise::solutionHtml(*m_task, exactMoment()));
}

// Beside a calculator on a small screen the window can be narrowed down to
// the widest of its rows with the sheet's controls below the task number:
// the task text then wraps, and the page, the number and the answer fields
// stay whole.
void ExerciseWindow::allowNarrowing()
{
    const QBoxLayout::Direction direction = ui->layoutAufgabe->direction();
    ui->layoutAufgabe->setDirection(QBoxLayout::TopToBottom);
    const int narrowest = layout()->minimumSize().width();
    ui->layoutAufgabe->setDirection(direction);
    setMinimumWidth(narrowest);
}

void ExerciseWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    arrangeTopRow(event->size().width());
}

// The sheet's controls stand beside the task number where the row has room
// for both, else below it.
void ExerciseWindow::arrangeTopRow(int width)
{
    const QMargins margins = layout()->contentsMargins();
    const int sideBySide = ui->layoutNummer->minimumSize().width() + ui->layoutAufgabe->spacing() +
                           ui->layoutBlatt->minimumSize().width() + margins.left() +
                           margins.right();
    ui->layoutAufgabe->setDirection(width < sideBySide ? QBoxLayout::TopToBottom
                                                       : QBoxLayout::LeftToRight);
}

void ExerciseWindow::workInCalculator()
{
    if (m_links.workInSolar)
        m_links.workInSolar(*m_task);
}
