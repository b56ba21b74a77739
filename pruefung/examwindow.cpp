#include "pruefung/examwindow.h"
#include "ui_examwindow.h"

#include "core/examlock.h"
#include "exercise/examtaskpanel.h"
#include "exercise/solartask.h"
#include "pruefung/examsheet.h"
#include "sheet/sheetactions.h"
#include "ui/keyboardaccess.h"
#include "ui/services.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QShortcut>
#include <QTextDocument>
#include <QTimer>

namespace Examination {

using namespace Core;
using namespace Exercise;

namespace {

constexpr std::array<TaskKind, 2> Kinds{TaskKind::Solar, TaskKind::Rectification};

std::size_t indexOf(TaskKind kind)
{
    return kind == TaskKind::Solar ? 0 : 1;
}

QString examTitle()
{
    return QStringLiteral("Prüfung üben");
}

QString kindName(TaskKind kind)
{
    return kind == TaskKind::Solar ? QStringLiteral("Solar")
                                   : QStringLiteral("Rektifikation (GZK)");
}

} // namespace

Sheets::SheetTexts protocolTexts()
{
    return {examTitle(),
            QStringLiteral("Das Protokoll konnte nicht gespeichert werden: "),
            QStringLiteral("Drucken…"),
            QStringLiteral("actProtokollDrucken"),
            QStringLiteral("Als PDF speichern…"),
            QStringLiteral("actProtokollPdf")};
}

namespace {

QStringList plainLines(const QString &html)
{
    QTextDocument document;
    document.setHtml(html);
    return document.toPlainText().split(u'\n');
}

} // namespace

ExamWindow::ExamWindow(ExerciseLinks links, ExamLock *lock, Clock now, QWidget *parent)
    : QWidget(parent, Qt::Window), ui(std::make_unique<Ui::Pruefung>()), m_lock(lock),
      m_now(now ? std::move(now) : [] { return QDateTime::currentDateTimeUtc(); }),
      m_timer(new QTimer(this))
{
    ui->setupUi(this);
    // The examination sets its tasks by itself: the exercise window's lock
    // does not apply to its own pages.
    links.examLock = nullptr;
    m_panels[0] = new ExamTaskPanel(TaskKind::Solar, links, this);
    m_panels[1] = new ExamTaskPanel(TaskKind::Rectification, links, this);
    ui->scrSolar->setWidget(m_panels[0]);
    ui->scrGzk->setWidget(m_panels[1]);
    ui->spnMinuten->setValue(readExamMinutes());
    m_timer->setInterval(1000);
    connectControls();
    restore();
}

ExamWindow::~ExamWindow() = default;

ExamTaskPanel &ExamWindow::panel(TaskKind kind)
{
    return *m_panels[indexOf(kind)];
}

void ExamWindow::connectControls()
{
    connect(ui->cmdZufall, &QPushButton::clicked, this, &ExamWindow::drawTasks);
    connect(ui->cmdBeginnen, &QPushButton::clicked, this,
            [this] { begin(ui->spnSolar->value(), ui->spnGzk->value(), ui->spnMinuten->value()); });
    connect(ui->cmdAbgeben, &QPushButton::clicked, this, &ExamWindow::handIn);
    connect(ui->spnMinuten, &QSpinBox::valueChanged, this, &writeExamMinutes);
    connect(m_timer, &QTimer::timeout, this, &ExamWindow::tick);
    for (TaskKind kind : Kinds)
        connect(&panel(kind), &ExamTaskPanel::answerEdited, this,
                [this, kind] { answerEdited(kind); });
    if (m_lock)
        connect(m_lock, &ExamLock::calculatorChanged, this, &ExamWindow::calculatorChanged);
    Sheets::attachSheetMenu(
        ui->cmdProtokoll, protocolTexts(), [this] { return protocolSheet(); },
        [this] { return examSheetFileName(m_record); });
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

Sheets::Sheet ExamWindow::protocolSheet()
{
    std::array<SheetTask, 2> tasks;
    for (TaskKind kind : Kinds) {
        TaskPage &page = panel(kind).page();
        tasks[indexOf(kind)] = {kindName(kind), page.taskOnSheet(1), page.answerText(),
                                plainLines(page.solutionHtml())};
    }
    return examSheet(m_record, tasks, QDate::currentDate());
}

// The examination in the store: a running one goes on with its clock and its
// answers, one whose time ran out meanwhile is handed in at its end.
void ExamWindow::restore()
{
    const std::optional<ExamRecord> stored = readExam();
    if (!stored) {
        drawTasks();
        showState();
        return;
    }
    m_record = *stored;
    m_hasRecord = true;
    ui->spnSolar->setValue(m_record.solar.number);
    ui->spnGzk->setValue(m_record.rectification.number);
    if (!showTasks()) {
        m_hasRecord = false;
        showState();
        return;
    }
    for (TaskKind kind : Kinds)
        panel(kind).setAnswerTexts(m_record.task(kind).answer);
    if (m_record.running()) {
        if (m_lock)
            m_lock->lock(m_record.solar.number, m_record.rectification.number);
        ui->lblRestzeit->setText(remainingText(m_record.remainingSeconds(m_now())));
        m_timer->start();
        // The first tick, which hands in an examination whose time ran out
        // meanwhile, comes once whoever made the window has connected to it.
        QTimer::singleShot(0, this, &ExamWindow::tick);
    } else {
        for (TaskKind kind : Kinds)
            panel(kind).setHandedIn(true);
        showResult();
    }
    showState();
}

void ExamWindow::drawTasks()
{
    // Only the choice of the numbers is random; the tasks follow from them.
    ui->spnSolar->setValue(QRandomGenerator::global()->bounded(FirstTask, LastTask + 1));
    ui->spnGzk->setValue(QRandomGenerator::global()->bounded(FirstTask, LastTask + 1));
}

bool ExamWindow::showTasks()
{
    return panel(TaskKind::Solar).page().showTask(m_record.solar.number) &&
           panel(TaskKind::Rectification).page().showTask(m_record.rectification.number);
}

void ExamWindow::begin(int solarNumber, int rectificationNumber, int minutes)
{
    if (running())
        return;
    const ExamRecord before = m_record;
    m_record = ExamRecord{};
    m_record.minutes = minutes;
    m_record.solar.number = solarNumber;
    m_record.rectification.number = rectificationNumber;
    if (!showTasks()) {
        m_record = before;
        Gui::services().showMessage(
            this,
            QStringLiteral("Zu diesen Nummern lassen sich keine Aufgaben stellen: die "
                           "Zeitzonen-Datenbank des Systems (Paket „tzdata“) fehlt."),
            examTitle());
        return;
    }
    m_record.start = m_now();
    ui->spnSolar->setValue(solarNumber);
    ui->spnGzk->setValue(rectificationNumber);
    ui->spnMinuten->setValue(minutes);
    for (TaskKind kind : Kinds) {
        m_record.task(kind).answer = panel(kind).answerTexts();
        panel(kind).setHandedIn(false);
    }
    m_openSince = {};
    m_hasRecord = true;
    writeExam(m_record);
    if (m_lock)
        m_lock->lock(solarNumber, rectificationNumber);
    m_timer->start();
    tick();
    showState();
    ui->tabAufgaben->setCurrentIndex(0);
    panel(TaskKind::Solar).page().answerFields().constFirst()->setFocus(Qt::OtherFocusReason);
}

void ExamWindow::tick()
{
    if (!running())
        return;
    const qint64 left = m_record.remainingSeconds(m_now());
    ui->lblRestzeit->setText(remainingText(left));
    if (left == 0)
        finish(m_record.deadline());
}

void ExamWindow::handIn()
{
    if (running())
        finish(std::min(m_now(), m_record.deadline()));
}

// Each task judged as "Prüfen" judges it: the calculation its calculator
// keeps, else the answer typed. An answer left incomplete is wrong.
void ExamWindow::finish(const QDateTime &end)
{
    std::array<std::optional<Record::Entry>, 2> records;
    m_timer->stop();
    for (TaskKind kind : Kinds) {
        ExamTask &task = m_record.task(kind);
        QDateTime &since = m_openSince[indexOf(kind)];
        if (since.isValid())
            task.calculatorSeconds += qMax(qint64{0}, since.secsTo(end));
        since = QDateTime();
        task.answer = panel(kind).answerTexts();
        const TaskVerdict verdict = panel(kind).page().judge();
        records[indexOf(kind)] = verdict.record;
        task.verdict = verdict.outcome == TaskVerdict::Outcome::Right ? RightVerdict : WrongVerdict;
        task.cause = verdict.message;
        task.calculation = verdict.calculation;
    }
    m_record.handedIn = end;
    writeExam(m_record);
    if (m_lock)
        m_lock->release();
    ui->lblRestzeit->setText(remainingText(m_record.remainingSeconds(end)));
    for (TaskKind kind : Kinds)
        panel(kind).setHandedIn(true);
    showResult();
    showState();
    const qint64 shown = m_record.start.secsTo(end);
    for (TaskKind kind : Kinds) {
        const ExamTask &task = m_record.task(kind);
        const TaskPage &page = panel(kind).page();
        emit taskHandedIn(kind, task.number, page.given().value_or(GivenTask{}), page.answerText(),
                          task.verdict == RightVerdict, task.cause, shown, true);
        emit handedIn(recordEntry(kind, records[indexOf(kind)], shown));
    }
}

// A task handed in as the record of the work keeps it: an answer left
// incomplete, which the pages do not judge, is recorded as wrong.
Record::Entry ExamWindow::recordEntry(TaskKind kind, const std::optional<Record::Entry> &judged,
                                      qint64 shown)
{
    Record::Entry entry;
    if (judged) {
        entry = *judged;
    } else {
        const TaskPage &page = panel(kind).page();
        entry =
            Record::entryOf(page.given().value_or(GivenTask{}), page.answerText(), false,
                            QStringLiteral("pruefung.incomplete"), 0, Record::Source::Examination);
    }
    entry.seconds = static_cast<int>(shown);
    entry.source = Record::Source::Examination;
    entry.exam = true;
    return entry;
}

void ExamWindow::answerEdited(TaskKind kind)
{
    if (!running())
        return;
    m_record.task(kind).answer = panel(kind).answerTexts();
    writeExam(m_record);
}

// The calculator's time on a task counts from its opening on the task to its
// closing, or to the handing in while it is still open.
void ExamWindow::calculatorChanged(TaskKind kind, int number, bool open)
{
    if (!running() || (kind != TaskKind::Solar && kind != TaskKind::Rectification) ||
        number != m_record.task(kind).number)
        return;
    QDateTime &since = m_openSince[indexOf(kind)];
    if (open) {
        since = m_now();
        return;
    }
    if (!since.isValid())
        return;
    m_record.task(kind).calculatorSeconds += qMax(qint64{0}, since.secsTo(m_now()));
    since = QDateTime();
    writeExam(m_record);
}

void ExamWindow::showResult()
{
    QString html;
    for (TaskKind kind : Kinds) {
        const ExamTask &task = m_record.task(kind);
        html += QStringLiteral("<p><b>") + kindName(kind) + QStringLiteral(", Aufgabe ") +
                QString::number(task.number) + QStringLiteral(": ") + task.verdict +
                QStringLiteral("</b><br>") + judgedText(task) + QStringLiteral("<br>") +
                task.cause.toHtmlEscaped() + QStringLiteral("<br>Rechner geöffnet: ") +
                durationText(task.calculatorSeconds) + QStringLiteral("</p>");
    }
    html += QStringLiteral("<p>Gebrauchte Zeit: ") +
            durationText(m_record.start.secsTo(m_record.handedIn)) + QStringLiteral(" von ") +
            QString::number(m_record.minutes) + QStringLiteral(" Minuten</p>");
    ui->txtErgebnis->setHtml(html);
}

// Before the first examination only its choice; while one runs its tasks and
// "Abgeben"; afterwards its tasks with the result, "Protokoll…" and the
// choice of the next.
void ExamWindow::showState()
{
    const bool runs = running();
    const bool done = m_hasRecord && !runs;
    for (QWidget *choice : std::initializer_list<QWidget *>{ui->spnSolar, ui->spnGzk, ui->cmdZufall,
                                                            ui->spnMinuten, ui->cmdBeginnen})
        choice->setEnabled(!runs);
    ui->lblHinweis->setVisible(!m_hasRecord);
    ui->tabAufgaben->setVisible(m_hasRecord);
    ui->txtErgebnis->setVisible(done);
    ui->cmdAbgeben->setEnabled(runs);
    ui->cmdProtokoll->setEnabled(done);
    if (!m_hasRecord)
        ui->lblRestzeit->setText(remainingText(qint64{ui->spnMinuten->value()} * 60));
}

void ExamWindow::keyPressEvent(QKeyEvent *event)
{
    if (!Gui::pressFocusedButtonOnEnter(this, event))
        QWidget::keyPressEvent(event);
}

} // namespace Examination
