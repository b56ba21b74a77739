#include "main/mainwindow.h"

#include "core/examlock.h"
#include "exercise/exercisewindow.h"
#include "fortschritt/progresswindow.h"
#include "main/documents.h"
#include "main/keeping.h"
#include "pruefung/examwindow.h"
#include "record/recorder.h"
#include "record/store.h"
#include "rekti/rectificationform.h"
#include "solar/solarform.h"
#include "sternzeit/siderealform.h"
#include "ui/helpkey.h"
#include "ui/inputhelpers.h"
#include "ui/keyboardaccess.h"
#include "ui/resultlist.h"
#include "ui/services.h"
#include "ui/windowplacement.h"

#include "ui_mainwindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QShowEvent>
#include <QToolTip>
#include <QTreeView>
#include <QUndoStack>

#include <utility>

namespace App {

using namespace Core;
using namespace Gui;
using namespace Exercise;

MainWindow::MainWindow(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::MainWindow>())
{
    ui->setupUi(this);

    // A fixed single border: the user can minimise the window but neither
    // maximise nor resize it.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());

    m_birthDate = {ui->txtDateh_0, ui->txtDateh_1, ui->txtDateh_2};
    m_birthTime = {ui->txtTime0h_0, ui->txtTime0h_1, ui->txtTime0h_2};
    m_list = std::make_unique<ResultList>(ui->List1);

    // Tabbing or clicking into a person field selects its text, so that typing
    // replaces the old entry.
    for (QLineEdit *field : {ui->Text1h_0, m_birthDate[0], m_birthDate[1], m_birthDate[2],
                             ui->Text3h_0, m_birthTime[0], m_birthTime[1], m_birthTime[2]})
        selectAllOnFocus(field);
    // A day up to 31, a month up to 12, a year up to 3000; a time of day.
    const double dateMaxima[] = {31, 12, 3000};
    const double timeMaxima[] = {23, 59, 59};
    for (int i = 0; i < 3; ++i) {
        for (const auto &[field, max] :
             {std::pair{m_birthDate[i], dateMaxima[i]}, std::pair{m_birthTime[i], timeMaxima[i]}}) {
            connect(field, &QLineEdit::textChanged, this,
                    [field = field, max = max] { validateField(max, field); });
        }
    }

    m_documents = new DocumentLinks(this);
    startRecord();
    m_examLock = new ExamLock(this);
    connectButtons();

    load();

    m_undo = new QUndoStack(this);
    m_keeping = new Keeping(*m_list, storedControls(), m_undo, this);
    addListActions();
    auto *help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, m_documents, &DocumentLinks::openProgramUse);
    // An examination begun before a restart goes on at once: its tasks stay
    // locked and its time runs out even before its window is shown.
    if (const std::optional<Examination::ExamRecord> exam = Examination::readExam();
        exam && exam->running())
        makeExamWindow();
}

// The record of the work is written beside the program's work, never in its
// way: a damaged file is replaced and a file that cannot be written leaves the
// program without a record; the user is told each once.
void MainWindow::startRecord()
{
    m_recorder = new Record::Recorder(Record::defaultPath(), this);
    connect(m_recorder, &Record::Recorder::setAside, this, [this](const QString &moved) {
        services().showMessage(
            this,
            QStringLiteral("Das Übungsprotokoll war beschädigt und wurde als „") +
                QDir::toNativeSeparators(moved) +
                QStringLiteral("“ beiseitegelegt; ein neues wurde angelegt."),
            QStringLiteral("velmora"));
    });
    connect(m_recorder, &Record::Recorder::unwritable, this, [this](const QString &reason) {
        services().showMessage(
            this,
            QStringLiteral("Das Übungsprotokoll kann nicht geschrieben werden: ") + reason +
                QStringLiteral("; das Programm arbeitet ohne Protokoll weiter."),
            QStringLiteral("velmora"));
    });
}

void MainWindow::deleteRecord()
{
    m_undo->push(new RecordRemoval(*m_recorder, *m_undo, this));
}

// The buttons and the two links, in the order of the keyboard.
void MainWindow::connectButtons()
{
    openMenuOnClick(ui->Command1,
                    [this](const QPoint &where) { m_documents->showDocumentMenu(where); });
    connect(ui->Command2, &QPushButton::clicked, this, &MainWindow::openSolar);
    connect(ui->Command3, &QPushButton::clicked, this, &MainWindow::openRectification);
    connect(ui->Command4, &QPushButton::clicked, m_documents, &DocumentLinks::openSolarExample);
    connect(ui->Command5, &QPushButton::clicked, m_documents,
            &DocumentLinks::openRectificationExample);
    openMenuOnClick(ui->Command6,
                    [this](const QPoint &where) { m_documents->showTeachingMenu(where); });
    connect(ui->Command7, &QPushButton::clicked, this, &MainWindow::startNewCalculation);
    connect(ui->Command8, &QPushButton::clicked, this, &MainWindow::close);
    connect(ui->Command9, &QPushButton::clicked, this, &MainWindow::deleteAllRows);
    connect(ui->Command10, &QPushButton::clicked, this, &MainWindow::deleteMarkedRow);
    // The two web sites, reached from the keyboard after the list's buttons.
    showAsLink(ui->Label6, providerText(), providerUrl());
    showAsLink(ui->Label7, publisherText(), publisherUrl());
    setTabOrder(ui->Command10, ui->Label6);
    setTabOrder(ui->Label6, ui->Label7);
    // The exercises stand in the column of buttons below the rectification,
    // and are reached there.
    connect(ui->cmdUebungen, &QPushButton::clicked, this, &MainWindow::openExercises);
    setTabOrder(ui->Command3, ui->cmdUebungen);
    setTabOrder(ui->cmdUebungen, ui->Command6);
    // The row below everything else, from left to right, after the links.
    connect(ui->cmdSternzeit, &QPushButton::clicked, this, &MainWindow::openSidereal);
    setTabOrder(ui->Label7, ui->cmdSternzeit);
    connect(ui->cmdPruefung, &QPushButton::clicked, this, &MainWindow::openExam);
    setTabOrder(ui->cmdSternzeit, ui->cmdPruefung);
    connect(ui->cmdFortschritt, &QPushButton::clicked, this, &MainWindow::openProgress);
    setTabOrder(ui->cmdPruefung, ui->cmdFortschritt);
}

QString MainWindow::undoHint()
{
    return QStringLiteral("Mit Strg+Z rückgängig machen");
}

// The list's context menu, whose "Rückgängig" also answers Ctrl+Z anywhere in
// the window and names the step it takes back ("Rückgängig: Zeile löschen");
// the Delete key in the list deletes the marked row.
void MainWindow::addListActions()
{
    QTreeView *view = ui->List1;
    QAction *undo = m_undo->createUndoAction(view, QStringLiteral("Rückgängig:"));
    const auto nameUndo = [undo](const QString &step) {
        if (step.isEmpty())
            undo->setText(QStringLiteral("Rückgängig"));
    };
    nameUndo(m_undo->undoText());
    connect(m_undo, &QUndoStack::undoTextChanged, undo, nameUndo);
    undo->setObjectName(QStringLiteral("undo"));
    undo->setShortcut(QKeySequence::Undo);
    undo->setShortcutContext(Qt::WindowShortcut);
    connect(m_undo, &QUndoStack::canUndoChanged, view,
            [view](bool can) { view->setToolTip(can ? undoHint() : QString()); });
    auto *deleteRow = new QAction(QStringLiteral("Zeile löschen"), view);
    deleteRow->setObjectName(QStringLiteral("deleteRow"));
    deleteRow->setShortcut(QKeySequence::Delete);
    deleteRow->setShortcutContext(Qt::WidgetShortcut);
    connect(deleteRow, &QAction::triggered, this, &MainWindow::deleteMarkedRow);
    auto *deleteAll = new QAction(QStringLiteral("Liste löschen"), view);
    deleteAll->setObjectName(QStringLiteral("deleteAll"));
    connect(deleteAll, &QAction::triggered, this, &MainWindow::deleteAllRows);
    view->addActions({undo, deleteRow, deleteAll});
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
}

MainWindow::~MainWindow()
{
    delete m_progress;
    delete m_exercises;
    delete m_exam;
    // The store follows the window no further: the undo stack, which goes
    // after the fields, still says that it changed while it is emptied.
    delete m_keeping;
}

void MainWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shown || event->spontaneous())
        return;
    m_shown = true;
    if (const QScreen *where = screen())
        move(where->availableGeometry().center() - rect().center());
    focusName();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Closing is never refused: the close box ends the program as "Beenden"
    // does.
    m_keeping->saveOnClosing();
    // The exercises are worked beside the calculators; they end with them.
    if (m_exercises)
        m_exercises->close();
    if (m_exam)
        m_exam->close();
    if (m_progress)
        m_progress->close();
    event->accept();
}

// Enter on a button that has the focus presses it, as Space does; Enter in a
// person field runs nothing.
void MainWindow::keyPressEvent(QKeyEvent *event)
{
    if (!pressFocusedButtonOnEnter(this, event))
        QWidget::keyPressEvent(event);
}

// The person fields in the order of their restore.
QList<Store::Controls> MainWindow::storedControls() const
{
    using K = Store::Key;
    return {{K::PersonName, {ui->Text1h_0}},
            {K::BirthDate, {m_birthDate[0], m_birthDate[1], m_birthDate[2]}},
            {K::BirthPlace, {ui->Text3h_0}},
            {K::BirthTime, {m_birthTime[0], m_birthTime[1], m_birthTime[2]}}};
}

void MainWindow::load()
{
    // The headers come before the restore, so that the restored rows fill all
    // three columns.
    m_list->addColumnHeader(QStringLiteral("Berechnung"));
    m_list->addColumnHeader(QStringLiteral("Datum / Ereignis"));
    m_list->addColumnHeader(QStringLiteral("Ergebnis"));
    Store::restoreResultList(*m_list);

    // Each restored date or time element passes its range check as a typed one
    // would: a stored value above its maximum comes back empty, with the message.
    Store::restoreControls(storedControls());

    m_documents->buildTeachingMenu();
}

// The cursor goes into the name field with its text selected, ready for the
// next person. Setting the focus of a window that is not active yet makes the
// field the one that gets the focus when the window is activated.
void MainWindow::focusName()
{
    ui->Text1h_0->setFocus(Qt::OtherFocusReason);
    selectAllText(ui->Text1h_0);
}

QStringList MainWindow::personTexts() const
{
    QStringList texts;
    for (const Store::Controls &controls : storedControls()) {
        for (QWidget *field : controls.elements)
            texts.append(static_cast<QLineEdit *>(field)->text());
    }
    return texts;
}

CalculatorStart MainWindow::calculatorStart(bool newCalculation)
{
    CalculatorStart start{
        ui->Text1h_0->text(), textsOf(m_birthDate),
        !newCalculation,      [this](const ResultRow &row) { return addResultRow(row); },
        textsOf(m_birthTime), ui->Text3h_0->text()};
    start.examLock = m_examLock;
    start.openSiderealTime = [this](QWidget *form, const CalculatorStart &given) {
        openSiderealOver(form, given);
    };
    start.record = [recorder = m_recorder](const Record::Entry &entry) {
        recorder->record(entry);
    };
    return start;
}

// A calculator is built anew at every opening and deleted when it closes, so
// that nothing of the last calculation survives in it. It is modal to this
// window, which takes no input until the calculator has closed (then the
// cursor goes back into the name field); the exercise window stays usable
// beside it, so that a task can be worked in the calculator, which opens
// beside the exercise window when that is on screen.
void MainWindow::showCalculator(QDialog *form, const QString &document)
{
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->setWindowModality(Qt::WindowModal);
    // F1 opens the worked example of the calculator, as its "?" button does.
    openHelpOnF1(form, [documents = m_documents, document](QWidget *asker) {
        documents->openFixedDocument(document, asker);
    });
    // The name field, not the window, receives the signal: while the window
    // itself is torn down the field is gone before the calculator.
    QLineEdit *name = ui->Text1h_0;
    connect(form, &QObject::destroyed, name, [name] {
        name->setFocus(Qt::OtherFocusReason);
        selectAllText(name);
    });
    if (m_exam && m_exam->isVisible() && m_exam->running())
        placeBeside(form, m_exam);
    else if (m_exercises)
        placeBeside(form, m_exercises);
    m_calculator = form;
    form->show();
}

// Opened from here, a calculator works a free calculation for the person of
// this window; the task it kept ends.
void MainWindow::openSolar()
{
    m_solarWork.reset();
    showKeeping(new Solar::SolarForm(calculatorStart(std::exchange(m_newSolar, false)), this),
                m_solarWork, Documents::SolarExample, true);
}
void MainWindow::openRectification()
{
    m_rectificationWork.reset();
    showKeeping(new Rectification::RectificationForm(
                    calculatorStart(std::exchange(m_newRectification, false)), this),
                m_rectificationWork, Documents::RectificationExample, true);
}
void MainWindow::openSidereal()
{
    m_siderealWork.reset();
    showKeeping(
        new Sidereal::SiderealForm(calculatorStart(std::exchange(m_newSidereal, false)), this),
        m_siderealWork, Documents::SiderealExample, false);
}
// "…" beside the rectification's sidereal time of birth: the calculator
// opens over the rectification with its birth, modal to it, and its result
// goes back into it; the list takes no row. F1 in it explains the sidereal
// time, not the rectification.
void MainWindow::openSiderealOver(QWidget *form, const CalculatorStart &start)
{
    auto *sidereal = new Sidereal::SiderealForm(start, form);
    sidereal->setAttribute(Qt::WA_DeleteOnClose);
    sidereal->setWindowModality(Qt::WindowModal);
    openHelpOnF1(sidereal, [documents = m_documents](QWidget *asker) {
        documents->openFixedDocument(Documents::SiderealExample, asker);
    });
    sidereal->show();
}

// The calculation a calculator hands back when it closes, however it closes:
// the exercise page can still judge it. The examination's lock knows while a
// calculator is open on a task (`locks`: all but the sidereal time's).
template <typename Form, typename Worked>
void MainWindow::showKeeping(Form *form, std::optional<Worked> &kept, const QString &document,
                             bool locks)
{
    if (locks && form->state().task)
        m_examLock->calculatorOpened(*form->state().task);
    connect(form, &QDialog::finished, this, [this, form, &kept, locks] {
        if (form->state().task) {
            kept = form->state().worked();
            if (locks)
                m_examLock->calculatorClosed(*form->state().task);
        }
    });
    showCalculator(form, document);
}
// The exercises are not modal: the student keeps the task and its ephemeris
// page beside the Solar calculator. A second press brings the same window,
// with the task it shows, to the front.
void MainWindow::openExercises()
{
    if (!m_exercises)
        m_exercises = new ExerciseWindow(nullptr, exerciseLinks());
    Gui::bringToFront(m_exercises);
}

// What the exercise window and the examination ask of this window: the
// documents, the calculators and the calculations they keep, the lock.
ExerciseLinks MainWindow::exerciseLinks()
{
    ExerciseLinks links;
    links.openExample = [this](QWidget *asker, TaskKind kind) {
        switch (kind) {
        case TaskKind::Solar:
            m_documents->openFixedDocument(Documents::SolarExample, asker);
            break;
        case TaskKind::Rectification:
            m_documents->openFixedDocument(Documents::RectificationExample, asker);
            break;
        case TaskKind::Sidereal:
            m_documents->openFixedDocument(Documents::SiderealExample, asker);
            break;
        }
    };
    links.workInSolar = [this](const Exercise::SolarTask &task) {
        workInSolar(task);
    };
    links.workInRectification = [this](const Exercise::RectificationTask &task) {
        workInRectification(task);
    };
    links.solarWork = [this](int number) {
        return keptWork<Solar::SolarForm>(number, m_solarWork);
    };
    links.rectificationWork = [this](int number) {
        return keptWork<Rectification::RectificationForm>(number, m_rectificationWork);
    };
    links.workInSidereal = [this](const Exercise::SiderealTask &task) {
        workInSidereal(task);
    };
    links.siderealWork = [this](int number) {
        return keptWork<Sidereal::SiderealForm>(number, m_siderealWork);
    };
    links.record = [recorder = m_recorder](const Record::Entry &entry) {
        recorder->record(entry);
    };
    links.examLock = m_examLock;
    return links;
}

// The windows that have no document of their own open the manual, which
// has a section on each.
void MainWindow::openManualOnF1(QWidget *window)
{
    openHelpOnF1(window, [documents = m_documents](QWidget *asker) {
        documents->openFixedDocument(Documents::ProgramUse, asker);
    });
}

// The examination is not modal either: its tasks are worked in the
// calculators beside it. A second press brings the same window to the front.
void MainWindow::openExam()
{
    if (!m_exam)
        makeExamWindow();
    Gui::bringToFront(m_exam);
}

// A window of its own, as the exercises' is. Each task it hands in comes out
// of its signal taskHandedIn.
void MainWindow::makeExamWindow()
{
    m_exam = new Examination::ExamWindow(exerciseLinks(), m_examLock);
    openManualOnF1(m_exam);
    connect(m_exam, &Examination::ExamWindow::handedIn, m_recorder, &Record::Recorder::record);
}

// The progress is read from the record when its window opens; its deletion
// is a step of this window's undo, and "Üben, was fehlt" shows a task in the
// exercise window.
void MainWindow::openProgress()
{
    if (!m_progress) {
        Progress::ProgressLinks links;
        links.read = [recorder = m_recorder] {
            return recorder->readAll();
        };
        links.deleteRecord = [this] {
            deleteRecord();
        };
        links.undo = m_undo;
        links.exercises = [this] {
            openExercises();
            return m_exercises.data();
        };
        m_progress = new Progress::ProgressWindow(std::move(links));
        openManualOnF1(m_progress);
    } else if (!m_progress->isVisible()) {
        m_progress->reload();
    }
    Gui::bringToFront(m_progress);
}

// "In den Rechner übernehmen": the calculator opens on the task, its person
// in the calculator's head; this window's person, its list and the other
// calculator's entries stay as they are. The task the calculator keeps
// already is continued (an open calculator on it comes to the front); another
// task is started anew, and a calculator open on something else goes first,
// keeping its entries.
template <typename Form> bool MainWindow::raiseOpen(const GivenTask &given, bool whole)
{
    if (const auto *open = qobject_cast<Form *>(m_calculator.data());
        open && open->state().task &&
        (whole ? *open->state().task == given : open->state().task->sameTask(given))) {
        m_calculator->raise();
        m_calculator->activateWindow();
        return true;
    }
    if (m_calculator)
        m_calculator->close();
    return false;
}

void MainWindow::workInSolar(const Exercise::SolarTask &task)
{
    const GivenTask given = givenTask(task);
    if (!raiseOpen<Solar::SolarForm>(given, false))
        showKeeping(new Solar::SolarForm(taskStart(given, calculatorStart(false)), this),
                    m_solarWork, Documents::SolarExample, true);
}
void MainWindow::workInRectification(const Exercise::RectificationTask &task)
{
    const GivenTask given = givenTask(task);
    // The same task with or without its sidereal time worked is opened again,
    // with its entries, so that the calculator names what the page shows.
    if (!raiseOpen<Rectification::RectificationForm>(given, true))
        showKeeping(
            new Rectification::RectificationForm(taskStart(given, calculatorStart(false)), this),
            m_rectificationWork, Documents::RectificationExample, true);
}
void MainWindow::workInSidereal(const Exercise::SiderealTask &task)
{
    const GivenTask given = givenTask(task);
    if (!raiseOpen<Sidereal::SiderealForm>(given, false))
        showKeeping(new Sidereal::SiderealForm(taskStart(given, calculatorStart(false)), this),
                    m_siderealWork, Documents::SiderealExample, false);
}
template <typename Form, typename Worked>
std::optional<Worked> MainWindow::keptWork(int number, const std::optional<Worked> &kept) const
{
    if (const auto *open = qobject_cast<Form *>(m_calculator.data()); open && open->state().task)
        return open->state().task->number == number ? std::optional(open->state().worked())
                                                    : std::nullopt;
    if (kept && kept->task && kept->task->number == number)
        return kept;
    return std::nullopt;
}
// A new person: the person fields are emptied, the result list stays, and
// each calculator opens once without its entries of the last use. It can be
// taken back.
void MainWindow::startNewCalculation()
{
    PersonState before{personTexts(), m_newSolar, m_newRectification, m_newSidereal};
    PersonState emptied{QStringList(before.fields.size(), QString()), true, true, true};
    m_undo->push(new PersonChange(QStringLiteral("Neue Berechnung starten"), std::move(before),
                                  std::move(emptied),
                                  [this](const PersonState &state) { applyPersonState(state); }));
}

void MainWindow::applyPersonState(const PersonState &state)
{
    qsizetype i = 0;
    for (const Store::Controls &controls : storedControls()) {
        for (QWidget *field : controls.elements)
            static_cast<QLineEdit *>(field)->setText(state.fields.value(i++));
    }
    m_newSolar = state.newSolar;
    m_newRectification = state.newRectification;
    m_newSidereal = state.newSidereal;
}

void MainWindow::deleteAllRows()
{
    // An empty list stays as it is, and leaves nothing to take back.
    if (m_list->rowCount() > 0)
        removeRows(1, m_list->rowCount(), QStringLiteral("Liste löschen"));
}

void MainWindow::deleteMarkedRow()
{
    if (m_list->rowCount() < 1) {
        services().showMessage(this, QStringLiteral("Liste ist leer"), QStringLiteral("velmora"));
        return;
    }
    // Only the row that the user sees marked goes. The mark can be taken off
    // (Ctrl+click, a click below the rows) while the row stays current: then
    // nothing is deleted.
    const int position = m_list->markedPosition();
    if (position > 0)
        removeRows(position, 1, QStringLiteral("Zeile löschen"));
}

void MainWindow::removeRows(int first, int count, const QString &text)
{
    m_undo->push(new RowRemoval(*m_list, *m_undo, first, count, text));
    // The way back is not visible anywhere else: it is said at once beside
    // the list, and the list's tooltip repeats it.
    QTreeView *view = ui->List1;
    QToolTip::showText(view->mapToGlobal(view->rect().center()), undoHint(), view);
}

bool MainWindow::addResultRow(const ResultRow &row)
{
    return m_list->appendRow(row);
}

} // namespace App
