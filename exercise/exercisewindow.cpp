#include "exercise/exercisewindow.h"
#include "ui_exercisewindow.h"

#include "core/examlock.h"
#include "exercise/exercisesheet.h"
#include "exercise/rectificationpage.h"
#include "exercise/siderealpage.h"
#include "exercise/solaranswer.h"
#include "exercise/solarpage.h"
#include "settings/store.h"
#include "ui/helpkey.h"
#include "ui/inputhelpers.h"
#include "ui/services.h"

#include <QRandomGenerator>
#include <QResizeEvent>
#include <QShortcut>

namespace Exercise {

using namespace Gui;
using namespace Sheets;

namespace {

QString numberRangeMessage()
{
    return QStringLiteral("Bitte geben Sie eine Aufgabennummer von 1 bis 999999 ein.");
}

// Births are given in Germany's legal time of their day, which only the
// system's time-zone database knows.
QString noZoneDatabaseMessage()
{
    return QStringLiteral("Die Zeitzonen-Datenbank des Systems fehlt (Paket „tzdata“): ohne "
                          "sie lassen sich keine Geburtszeiten stellen.");
}

} // namespace

ExerciseWindow::ExerciseWindow(QWidget *parent, ExerciseLinks links)
    : QWidget(parent, Qt::Window), ui(std::make_unique<Ui::Uebung>()),
      m_openExample(std::move(links.openExample)), m_record(std::move(links.record)),
      m_examLock(links.examLock)
{
    ui->setupUi(this);
    m_solar =
        std::make_unique<SolarPage>(*ui, std::move(links.workInSolar), std::move(links.solarWork));
    m_rectification = std::make_unique<RectificationPage>(*ui, std::move(links.workInRectification),
                                                          std::move(links.rectificationWork));
    m_sidereal = std::make_unique<SiderealPage>(*ui, std::move(links.workInSidereal),
                                                std::move(links.siderealWork));
    m_pages = {m_solar.get(), m_rectification.get(), m_sidereal.get()};
    m_page = m_solar.get();

    prepareFields();
    connectControls();
    openHelpOnF1(this, [this](QWidget *asker) {
        if (m_openExample)
            m_openExample(asker, kind());
    });
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    attachExerciseSheetMenu();
    restoreLastTask();
}

ExerciseWindow::~ExerciseWindow() = default;

const std::optional<SolarTask> &ExerciseWindow::task() const
{
    return m_solar->task();
}

const std::optional<RectificationTask> &ExerciseWindow::rectificationTask() const
{
    return m_rectification->task();
}

const std::optional<SiderealTask> &ExerciseWindow::siderealTask() const
{
    return m_sidereal->task();
}

TaskKind ExerciseWindow::kind() const
{
    return m_page->kind();
}

void ExerciseWindow::prepareFields()
{
    acceptDigitsOnly(ui->txtAufgabe);
    selectAllOnFocus(ui->txtAufgabe);
    for (const TaskPage *page : m_pages) {
        for (QLineEdit *field : page->answerFields()) {
            selectAllOnFocus(field);
            // Enter in an answer field checks as "Prüfen" does.
            connect(field, &QLineEdit::returnPressed, this, &ExerciseWindow::check);
        }
    }
    // Narrow enough to stand beside a calculator on a small screen; the task
    // number stays readable in its field.
    ui->txtAufgabe->setMinimumWidth(
        ui->txtAufgabe->fontMetrics().horizontalAdvance(QStringLiteral("9999999")) + 12);
    // The kind's list gives up width before the number does: narrowed, it
    // shows the beginning of "Rektifikation (GZK)".
    ui->cmbArt->setMinimumWidth(
        ui->cmbArt->fontMetrics().horizontalAdvance(QStringLiteral("Rektifik")) + 30);
}

void ExerciseWindow::connectControls()
{
    connect(ui->txtAufgabe, &QLineEdit::returnPressed, this, &ExerciseWindow::showTypedTask);
    connect(ui->cmdAnzeigen, &QPushButton::clicked, this, &ExerciseWindow::showTypedTask);
    connect(ui->cmdNeueAufgabe, &QPushButton::clicked, this, &ExerciseWindow::showRandomTask);
    connect(ui->cmdPruefen, &QPushButton::clicked, this, &ExerciseWindow::check);
    connect(ui->cmdLoesung, &QPushButton::clicked, this, &ExerciseWindow::showSolution);
    connect(ui->cmdInRechner, &QPushButton::clicked, this, [this] { m_page->workInCalculator(); });
    connect(ui->cmbArt, &QComboBox::currentIndexChanged, this, &ExerciseWindow::kindChosen);
    connect(ui->chkSternzeitSelbst, &QCheckBox::toggled, this,
            &ExerciseWindow::siderealWorkedChosen);
}

// The sheet starts with the task shown and takes as many of its kind as
// asked for.
void ExerciseWindow::attachExerciseSheetMenu()
{
    attachSheetMenu(
        ui->cmdUebungsblatt, exerciseSheetTexts(), [this] { return exerciseSheet(); },
        [this] { return m_page->exerciseSheetFileName(ui->spnAnzahl->value()); });
}

Sheet ExerciseWindow::exerciseSheet() const
{
    const int count = ui->spnAnzahl->value();
    Sheet sheet = m_page->exerciseSheet(count, QDate::currentDate());
    // A sheet that holds a task under examination goes without its page of
    // solutions while the examination runs.
    for (int number = m_number; m_examLock && number < m_number + count; ++number) {
        if (m_examLock->locks(kind(), number)) {
            sheet.closing.reset();
            break;
        }
    }
    return sheet;
}

// The kind and the number of the task shown last; a number that gives no
// task is replaced by one drawn at random, without a message.
void ExerciseWindow::restoreLastTask()
{
    // Whether the student works the sidereal time of birth of a rectification.
    const bool siderealWorked = Store::readSetting(Store::FormsApplication, Store::FormsSection,
                                                   Store::SiderealWorked) == QStringLiteral("1");
    {
        const QSignalBlocker quiet(ui->chkSternzeitSelbst);
        ui->chkSternzeitSelbst->setChecked(siderealWorked);
    }
    m_rectification->setSiderealWorked(siderealWorked);
    const QString kind =
        Store::readSetting(Store::FormsApplication, Store::FormsSection, Store::LastExerciseKind);
    for (int index = 0; index < static_cast<int>(m_pages.size()); ++index) {
        if (m_pages[index]->storeKey() == kind) {
            const QSignalBlocker quiet(ui->cmbArt);
            ui->cmbArt->setCurrentIndex(index);
        }
    }
    choosePage(ui->cmbArt->currentIndex());
    bool stored = false;
    const int last =
        Store::readSetting(Store::FormsApplication, Store::FormsSection, Store::LastExercise)
            .toInt(&stored);
    if (!stored || !display(last))
        showRandomTask();
}

bool ExerciseWindow::showTask(int number)
{
    if (display(number))
        return true;
    const bool inRange = number >= FirstTask && number <= LastTask;
    services().showMessage(this, inRange ? noZoneDatabaseMessage() : numberRangeMessage(),
                           exerciseTitle());
    return false;
}

bool ExerciseWindow::showTask(TaskKind kind, int number)
{
    const auto index = static_cast<int>(kinds().indexOf(kind));
    if (index < 0)
        return false;
    {
        const QSignalBlocker quiet(ui->cmbArt);
        ui->cmbArt->setCurrentIndex(index);
    }
    choosePage(index);
    return showTask(number);
}

QList<TaskKind> ExerciseWindow::kinds() const
{
    QList<TaskKind> result;
    for (const TaskPage *page : m_pages)
        result.append(page->kind());
    return result;
}

bool ExerciseWindow::display(int number)
{
    if (!m_page->showTask(number))
        return false;
    remember(number);
    allowNarrowing();
    return true;
}

// The pages share widgets (the page of sidereal times): all are hidden before
// the chosen one is shown.
void ExerciseWindow::choosePage(int index)
{
    m_page = m_pages.at(qBound(0, index, static_cast<int>(m_pages.size()) - 1));
    for (TaskPage *page : m_pages)
        page->setShown(false);
    m_page->setShown(true);
}

// Another kind: the task of the same number, of that kind.
void ExerciseWindow::kindChosen(int index)
{
    choosePage(index);
    showTask(m_number);
}

void ExerciseWindow::remember(int number)
{
    m_number = number;
    Store::writeSetting(Store::FormsApplication, Store::FormsSection, Store::LastExercise,
                        QString::number(number));
    Store::writeSetting(Store::FormsApplication, Store::FormsSection, Store::LastExerciseKind,
                        m_page->storeKey());
    ui->txtAufgabe->setText(QString::number(number));
    ui->txtLoesung->clear();
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

bool ExerciseWindow::locked(const QString &message)
{
    if (!m_examLock || !m_examLock->locks(kind(), m_number))
        return false;
    services().showMessage(this, message, exerciseTitle());
    return true;
}

// "Prüfen": the answer judged goes into the record of the work before the
// message waits for OK.
void ExerciseWindow::check()
{
    if (locked(Core::ExamLock::checkLockedMessage()))
        return;
    const TaskVerdict verdict = m_page->judge();
    if (verdict.record && m_record) {
        Record::Entry entry = *verdict.record;
        entry.source = Record::Source::Exercise;
        m_record(entry);
    }
    showVerdict(this, verdict);
}

void ExerciseWindow::showSolution()
{
    if (!locked(Core::ExamLock::solutionLockedMessage()))
        ui->txtLoesung->setHtml(m_page->solutionHtml());
}

// The rectification task shown is set anew, with or without its sidereal time
// of birth, and so are those drawn later; the choice is kept.
void ExerciseWindow::siderealWorkedChosen(bool worked)
{
    Store::writeSetting(Store::FormsApplication, Store::FormsSection, Store::SiderealWorked,
                        worked ? QStringLiteral("1") : QStringLiteral("0"));
    m_rectification->setSiderealWorked(worked);
    ui->txtLoesung->clear();
    allowNarrowing();
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

} // namespace Exercise
