#include "fortschritt/progresswindow.h"
#include "ui_progresswindow.h"

#include "exercise/exercisewindow.h"
#include "fortschritt/historymodel.h"
#include "fortschritt/practice.h"
#include "ui/services.h"

#include <QAction>
#include <QHeaderView>
#include <QRandomGenerator>
#include <QShortcut>
#include <QSortFilterProxyModel>
#include <QUndoStack>

namespace Progress {

using namespace Gui;

namespace {

QString title()
{
    return QStringLiteral("Fortschritt");
}

} // namespace

ProgressWindow::ProgressWindow(ProgressLinks links, QWidget *parent)
    : QWidget(parent, Qt::Window), ui(std::make_unique<Ui::Fortschritt>()),
      m_links(std::move(links)), m_model(new HistoryModel(this)),
      m_sorted(new QSortFilterProxyModel(this))
{
    ui->setupUi(this);
    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(HistoryModel::SortRole);
    QTableView *table = ui->tblVerlauf;
    table->setModel(m_sorted);
    table->setSortingEnabled(true);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    // Widths from the font, not from the rows: ten thousand rows would be
    // measured one by one.
    const QFontMetrics metrics = fontMetrics();
    const auto fit = [&](int column, const QString &widest) {
        table->setColumnWidth(column, metrics.horizontalAdvance(widest) + 24);
    };
    fit(HistoryModel::Time, QStringLiteral("00.00.0000 00:00"));
    fit(HistoryModel::Kind, QStringLiteral("Rektifikation"));
    fit(HistoryModel::Task, QStringLiteral("Aufgabe"));
    fit(HistoryModel::Answer, QStringLiteral("14 | 5 | 33 · 12.3.2031"));
    fit(HistoryModel::Verdict, QStringLiteral("richtig"));
    fit(HistoryModel::Cause, QStringLiteral("Tabellenwert falsch gelesen"));
    fit(HistoryModel::Seconds, QStringLiteral("Sekunden"));
    table->horizontalHeader()->setStretchLastSection(true);
    table->sortByColumn(HistoryModel::Time, Qt::DescendingOrder);

    connectControls();
    reload();
}

ProgressWindow::~ProgressWindow() = default;

void ProgressWindow::connectControls()
{
    connect(ui->cmdUebenWasFehlt, &QPushButton::clicked, this,
            &ProgressWindow::practiseWhatIsMissing);
    connect(ui->cmdVerlaufLoeschen, &QPushButton::clicked, this, &ProgressWindow::deleteHistory);
    connect(ui->cmdAktualisieren, &QPushButton::clicked, this, &ProgressWindow::reload);
    connect(ui->cmdSchliessen, &QPushButton::clicked, this, &QWidget::close);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    if (m_links.undo) {
        QAction *undo = m_links.undo->createUndoAction(this, QStringLiteral("Rückgängig:"));
        undo->setObjectName(QStringLiteral("undo"));
        undo->setShortcut(QKeySequence::Undo);
        undo->setShortcutContext(Qt::WindowShortcut);
        addAction(undo);
        // A deletion, or its undo, shows at once what the record now holds.
        // Hidden, it reads the record when it is shown again.
        connect(m_links.undo, &QUndoStack::indexChanged, this, [this] {
            if (isVisible())
                reload();
        });
    }
}

void ProgressWindow::reload()
{
    std::optional<QList<Record::Entry>> read;
    if (m_links.read)
        read = m_links.read();
    QList<Record::Entry> entries = read.value_or(QList<Record::Entry>());
    ui->chartWochen->setShares(weeklyShares(entries));
    m_causes = frequentCauses(entries, QDateTime::currentDateTimeUtc());
    ui->chartUrsachen->setCauses(m_causes);
    m_model->setEntries(std::move(entries));
    showTimes();
    if (!read)
        ui->lblZeiten->setText(QStringLiteral("Das Übungsprotokoll kann nicht gelesen werden."));
}

void ProgressWindow::showTimes()
{
    QStringList parts;
    for (const Core::TaskKind kind : Kinds) {
        const std::optional<double> median = medianSeconds(m_model->entries(), kind);
        parts.append(kindName(kind) + QStringLiteral(" ") +
                     (median ? minutesAndSeconds(*median) : QStringLiteral("–")));
    }
    ui->lblZeiten->setText(QStringLiteral("Zeit je Aufgabe (Median): ") +
                           parts.join(QStringLiteral(" · ")));
}

void ProgressWindow::practiseWhatIsMissing()
{
    if (m_causes.isEmpty()) {
        services().showMessage(
            this, QStringLiteral("In den letzten 30 Tagen wurde nichts falsch gerechnet."),
            title());
        return;
    }
    Exercise::ExerciseWindow *exercises = m_links.exercises ? m_links.exercises() : nullptr;
    if (!exercises)
        return;
    // Only the start of the search is random; the task follows from it.
    const std::optional<Practice> practice = practiceTask(
        m_causes.first().code, QRandomGenerator::global()->generate64(), exercises->kinds());
    if (practice)
        exercises->showTask(practice->kind, practice->number);
}

// No question: Ctrl+Z takes the deletion back.
void ProgressWindow::deleteHistory()
{
    if (m_links.deleteRecord)
        m_links.deleteRecord();
    if (!m_links.undo)
        reload();
}

} // namespace Progress
