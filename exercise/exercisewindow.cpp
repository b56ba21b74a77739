#include "exercise/exercisewindow.h"
#include "ui_exercisewindow.h"

#include "astro/zodiac.h"
#include "core/notation.h"
#include "exercise/exercisesheet.h"
#include "exercise/rectificationanswer.h"
#include "exercise/rectificationtexts.h"
#include "exercise/solaranswer.h"
#include "exercise/solartexts.h"
#include "settings/store.h"
#include "ui/helpkey.h"
#include "ui/inputhelpers.h"
#include "ui/services.h"

#include <QHeaderView>
#include <QRandomGenerator>
#include <QRegularExpressionValidator>
#include <QResizeEvent>
#include <QShortcut>
#include <QTableWidgetItem>

#include <algorithm>

namespace Exercise {

using namespace Core;
using namespace Gui;
using namespace Sheets;

namespace {

QString numberRangeMessage()
{
    return QStringLiteral("Bitte geben Sie eine Aufgabennummer von 1 bis 999999 ein.");
}

// How the store names the kinds of task.
QString kindKey(TaskKind kind)
{
    return kind == TaskKind::Rectification ? QStringLiteral("GZK") : QStringLiteral("Solar");
}

// A page as printed: every row and column at a glance, no scrolling.
void fitToContents(QTableWidget *page)
{
    page->resizeColumnsToContents();
    page->resizeRowsToContents();
    const int frame = 2 * page->frameWidth();
    int height = page->horizontalHeader()->height() + frame;
    for (int row = 0; row < page->rowCount(); ++row)
        height += page->rowHeight(row);
    page->setFixedHeight(height);
    page->setFixedWidth(page->horizontalHeader()->length() + frame);
}

// Whether a calculation has been worked at all: a calculator opened on the
// task with no step pressed leaves the answer typed here to be judged.
template <std::size_t N> bool anyComputed(const std::array<StepLedger::Status, N> &status)
{
    return std::any_of(status.begin(), status.end(),
                       [](StepLedger::Status s) { return s != StepLedger::Status::NotComputed; });
}

void prepareTable(QTableWidget *page)
{
    page->verticalHeader()->hide();
    page->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    page->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    page->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    page->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

} // namespace

ExerciseWindow::ExerciseWindow(QWidget *parent, ExerciseLinks links)
    : QWidget(parent, Qt::Window), ui(std::make_unique<Ui::Uebung>()), m_links(std::move(links))
{
    ui->setupUi(this);

    prepareTable(ui->tblEphemeride);
    prepareTable(ui->tblHaeusertabelle);
    ui->tblHaeusertabelle->setHorizontalHeaderLabels(houseTableHeaders());

    acceptDigitsOnly(ui->txtAufgabe);
    const QList<QLineEdit *> answerFields{ui->txtAntwort_0,      ui->txtAntwort_1,
                                          ui->txtAntwort_2,      ui->txtAntwortDatum_0,
                                          ui->txtAntwortDatum_1, ui->txtAntwortDatum_2};
    for (QLineEdit *field : answerFields) {
        acceptDigitsOnly(field);
        selectAllOnFocus(field);
        connect(field, &QLineEdit::returnPressed, this, &ExerciseWindow::checkSolarAnswer);
    }
    // The correction as the calculator writes it: each part may be negative.
    for (QLineEdit *field : {ui->txtKorrektur_0, ui->txtKorrektur_1, ui->txtKorrektur_2}) {
        field->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("-?[0-9]{0,3}")), field));
        selectAllOnFocus(field);
        connect(field, &QLineEdit::returnPressed, this, &ExerciseWindow::checkSolarAnswer);
    }
    selectAllOnFocus(ui->txtAufgabe);

    connect(ui->txtAufgabe, &QLineEdit::returnPressed, this, &ExerciseWindow::showTypedTask);
    connect(ui->cmdAnzeigen, &QPushButton::clicked, this, &ExerciseWindow::showTypedTask);
    connect(ui->cmdNeueAufgabe, &QPushButton::clicked, this, &ExerciseWindow::showRandomTask);
    connect(ui->cmdPruefen, &QPushButton::clicked, this, &ExerciseWindow::checkSolarAnswer);
    connect(ui->cmdLoesung, &QPushButton::clicked, this, &ExerciseWindow::showSolution);
    connect(ui->cmdInRechner, &QPushButton::clicked, this, &ExerciseWindow::workInCalculator);
    connect(ui->cmbArt, &QComboBox::currentIndexChanged, this, &ExerciseWindow::kindChosen);
    // Narrow enough to stand beside a calculator on a small screen; the task
    // number stays readable in its field.
    ui->txtAufgabe->setMinimumWidth(
        ui->txtAufgabe->fontMetrics().horizontalAdvance(QStringLiteral("9999999")) + 12);
    // The kind's list gives up width before the number does: narrowed, it
    // shows the beginning of "Rektifikation (GZK)".
    ui->cmbArt->setMinimumWidth(
        ui->cmbArt->fontMetrics().horizontalAdvance(QStringLiteral("Rektifik")) + 30);
    openHelpOnF1(this, [this](QWidget *asker) {
        if (m_links.openExample)
            m_links.openExample(asker, m_kind);
    });
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    // The sheet starts with the task shown and takes as many of its kind as
    // asked for.
    attachSheetMenu(
        ui->cmdUebungsblatt, exerciseSheetTexts(),
        [this] {
            const int count = ui->spnAnzahl->value();
            return m_kind == TaskKind::Rectification
                       ? rectificationExerciseSheet(m_rectificationTask->number, count,
                                                    QDate::currentDate())
                       : solarExerciseSheet(m_task->number, count, QDate::currentDate());
        },
        [this] {
            const int count = ui->spnAnzahl->value();
            return m_kind == TaskKind::Rectification
                       ? rectificationExerciseSheetFileName(m_rectificationTask->number, count)
                       : solarExerciseSheetFileName(m_task->number, count);
        });

    const QString kind =
        Store::readSetting(Store::FormsApplication, Store::FormsSection, Store::LastExerciseKind);
    if (kind == kindKey(TaskKind::Rectification)) {
        m_kind = TaskKind::Rectification;
        const QSignalBlocker quiet(ui->cmbArt);
        ui->cmbArt->setCurrentIndex(1);
    }
    bool stored = false;
    const int last =
        Store::readSetting(Store::FormsApplication, Store::FormsSection, Store::LastExercise)
            .toInt(&stored);
    if (stored && makeSolarTask(last))
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
    if (m_kind == TaskKind::Rectification) {
        if (const std::optional<RectificationTask> task = makeRectificationTask(number)) {
            display(*task);
            return true;
        }
    } else if (const std::optional<SolarTask> task = makeSolarTask(number)) {
        display(*task);
        return true;
    }
    services().showMessage(this, numberRangeMessage(), exerciseTitle());
    return false;
}

// Another kind: the task of the same number, of that kind.
void ExerciseWindow::kindChosen(int index)
{
    m_kind = index == 1 ? TaskKind::Rectification : TaskKind::Solar;
    showTask(m_number);
}

void ExerciseWindow::remember(int number)
{
    m_number = number;
    Store::writeSetting(Store::FormsApplication, Store::FormsSection, Store::LastExercise,
                        QString::number(number));
    Store::writeSetting(Store::FormsApplication, Store::FormsSection, Store::LastExerciseKind,
                        kindKey(m_kind));
    ui->txtAufgabe->setText(QString::number(number));
    ui->txtLoesung->clear();
}

void ExerciseWindow::showPageOf(TaskKind kind)
{
    const bool solar = kind == TaskKind::Solar;
    for (QWidget *widget : std::initializer_list<QWidget *>{
             ui->lblEphemeride, ui->tblEphemeride, ui->lblAntwortZeit, ui->txtAntwort_0,
             ui->lblAntwortH, ui->txtAntwort_1, ui->lblAntwortM, ui->txtAntwort_2, ui->lblAntwortS,
             ui->lblAntwortDatum, ui->txtAntwortDatum_0, ui->lblPunkt1, ui->txtAntwortDatum_1,
             ui->lblPunkt2, ui->txtAntwortDatum_2})
        widget->setVisible(solar);
    for (QWidget *widget : std::initializer_list<QWidget *>{
             ui->lblHaeusertabelle, ui->tblHaeusertabelle, ui->lblKorrektur, ui->txtKorrektur_0,
             ui->lblKorrekturH, ui->txtKorrektur_1, ui->lblKorrekturM, ui->txtKorrektur_2,
             ui->lblKorrekturS})
        widget->setVisible(!solar);
}

void ExerciseWindow::display(const RectificationTask &task)
{
    m_rectificationTask = task;
    remember(task.number);
    showPageOf(TaskKind::Rectification);
    ui->txtAufgabentext->setHtml(rectificationTaskHtml(task));

    ui->lblHaeusertabelle->setText(houseTableTitle(task));
    QTableWidget *page = ui->tblHaeusertabelle;
    page->setRowCount(static_cast<int>(task.page.size()));
    for (int row = 0; row < page->rowCount(); ++row) {
        const QStringList cells = houseTableCells(task.page.at(row));
        for (int column = 0; column < cells.size(); ++column) {
            auto *item = new QTableWidgetItem(cells.at(column));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            page->setItem(row, column, item);
        }
    }
    fitToContents(page);
    allowNarrowing();
    for (QLineEdit *field : {ui->txtKorrektur_0, ui->txtKorrektur_1, ui->txtKorrektur_2})
        field->clear();
}

void ExerciseWindow::showTypedTask()
{
    // Digits only, but "0", an empty field or seven digits are still possible.
    bool ok = false;
    const int number = ui->txtAufgabe->text().toInt(&ok);
    if (!ok || number < FirstTask || number > LastTask) {
        services().showMessage(this, numberRangeMessage(), exerciseTitle());
        return;
    }
    showTask(number);
}

void ExerciseWindow::showRandomTask()
{
    // Only the choice of the number is random; the task follows from it.
    showTask(QRandomGenerator::global()->bounded(FirstTask, LastTask + 1));
}

void ExerciseWindow::display(const SolarTask &task)
{
    m_task = task;
    m_exact.reset();
    remember(task.number);
    showPageOf(TaskKind::Solar);
    ui->txtAufgabentext->setHtml(solarTaskHtml(task));

    QTableWidget *page = ui->tblEphemeride;
    page->setRowCount(static_cast<int>(task.page.size()));
    for (int row = 0; row < page->rowCount(); ++row) {
        const EphemerisDay &day = task.page.at(row);
        page->setItem(row, 0, new QTableWidgetItem(dayText(day.date)));
        auto *position = new QTableWidgetItem(positionText(day.position));
        position->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        page->setItem(row, 1, position);
    }
    fitToContents(page);
    allowNarrowing();

    for (QLineEdit *field : {ui->txtAntwort_0, ui->txtAntwort_1, ui->txtAntwort_2,
                             ui->txtAntwortDatum_0, ui->txtAntwortDatum_1, ui->txtAntwortDatum_2})
        field->clear();
}

QDateTime ExerciseWindow::exactMoment()
{
    if (!m_exact)
        m_exact = Exercise::exactMoment(*m_task);
    return *m_exact;
}

// Where a calculator keeps the calculation of the task shown, "Prüfen"
// judges it as "Kontrolle…" does; else the answer typed here.
void ExerciseWindow::checkSolarAnswer()
{
    if (m_kind == TaskKind::Rectification) {
        checkRectificationAnswer();
        return;
    }
    const QList<QLineEdit *> fields{ui->txtAntwort_0,      ui->txtAntwort_1,
                                    ui->txtAntwort_2,      ui->txtAntwortDatum_0,
                                    ui->txtAntwortDatum_1, ui->txtAntwortDatum_2};
    std::optional<Solar::Worked> worked;
    if (m_links.solarWork)
        worked = m_links.solarWork(m_task->number);
    if (worked && !anyComputed(worked->status))
        worked.reset();
    SolarVerdict verdict;
    if (worked) {
        verdict = checkSolarCalculation(*m_task, *worked);
    } else {
        const SolarAnswer answer{{fields[0]->text(), fields[1]->text(), fields[2]->text()},
                                 {fields[3]->text(), fields[4]->text(), fields[5]->text()}};
        // The exact moment only matters for a right answer; it is the slow part.
        verdict = Exercise::checkSolarAnswer(*m_task, answer, exactMoment());
    }
    if (verdict.outcome == SolarVerdict::Outcome::Incomplete && verdict.firstEmpty >= 0)
        fields.at(verdict.firstEmpty)->setFocus(Qt::OtherFocusReason);
    services().showMessage(this, verdict.message, exerciseTitle());
}

void ExerciseWindow::checkRectificationAnswer()
{
    const QList<QLineEdit *> fields{ui->txtKorrektur_0, ui->txtKorrektur_1, ui->txtKorrektur_2};
    std::optional<Rectification::Worked> worked;
    if (m_links.rectificationWork)
        worked = m_links.rectificationWork(m_rectificationTask->number);
    if (worked && !anyComputed(worked->status))
        worked.reset();
    const RectificationVerdict verdict =
        worked
            ? checkRectificationCalculation(*m_rectificationTask, *worked)
            : Exercise::checkRectificationAnswer(
                  *m_rectificationTask, {fields[0]->text(), fields[1]->text(), fields[2]->text()});
    if (verdict.outcome == RectificationVerdict::Outcome::Incomplete && verdict.firstEmpty >= 0)
        fields.at(verdict.firstEmpty)->setFocus(Qt::OtherFocusReason);
    services().showMessage(this, verdict.message, exerciseTitle());
}

void ExerciseWindow::showSolution()
{
    if (m_kind == TaskKind::Rectification) {
        ui->txtLoesung->setHtml(rectificationSolutionHtml(*m_rectificationTask));
        return;
    }
    ui->txtLoesung->setHtml(solarSolutionHtml(*m_task, exactMoment()));
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
    // Side by side only where both rows have the width they ask for, so that
    // the kind's list is not cut short to make room.
    const int sideBySide = ui->layoutNummer->sizeHint().width() + ui->layoutAufgabe->spacing() +
                           ui->layoutBlatt->sizeHint().width() + margins.left() + margins.right();
    ui->layoutAufgabe->setDirection(width < sideBySide ? QBoxLayout::TopToBottom
                                                       : QBoxLayout::LeftToRight);
}

void ExerciseWindow::workInCalculator()
{
    if (m_kind == TaskKind::Rectification) {
        if (m_links.workInRectification)
            m_links.workInRectification(*m_rectificationTask);
    } else if (m_links.workInSolar) {
        m_links.workInSolar(*m_task);
    }
}

} // namespace Exercise
