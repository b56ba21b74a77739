#ifndef FORTSCHRITT_PROGRESSWINDOW_H
#define FORTSCHRITT_PROGRESSWINDOW_H

#include "fortschritt/progress.h"
#include "record/entry.h"
#include "ui/windowplacement.h"

#include <QList>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

namespace Ui {
class Fortschritt;
}
namespace Exercise {
class ExerciseWindow;
}
class QSortFilterProxyModel;
class QUndoStack;

namespace Progress {

class HistoryModel;

// What the window asks of the program around it.
struct ProgressLinks {
    // All entries of the record of the work, oldest first; nothing where the
    // record cannot be read.
    std::function<std::optional<QList<Record::Entry>>()> read;
    // Deletes the record as a step of `undo`.
    std::function<void()> deleteRecord;
    // The program's undo: Ctrl+Z in this window takes its last step back, and
    // each step done or taken back shows the record anew.
    QUndoStack *undo = nullptr;
    // The exercise window, opened and in front.
    std::function<Exercise::ExerciseWindow *()> exercises;
};

// The window "Fortschritt": the share of right answers per week and kind, the
// most frequent causes of the last 30 days, the median time per task and the
// whole record as a sortable table; "Üben, was fehlt" opens a task on the
// most frequent cause, "Verlauf löschen" deletes the record (Ctrl+Z takes it
// back). The record is read when the window opens and on "Aktualisieren". Not
// modal; whoever opens it keeps one instance and calls bringToFront().
class ProgressWindow : public QWidget {
    Q_OBJECT
public:
    explicit ProgressWindow(ProgressLinks links, QWidget *parent = nullptr);
    ~ProgressWindow() override;

    // Shows the window, restored from the task bar if need be, in front of
    // the others.
    void bringToFront() { Gui::bringToFront(this); }
    // Reads the record and shows it anew.
    void reload();

    const QList<CauseCount> &causes() const { return m_causes; }

private:
    void connectControls();
    void showTimes();
    void practiseWhatIsMissing();
    void deleteHistory();

    std::unique_ptr<Ui::Fortschritt> ui;
    ProgressLinks m_links;
    HistoryModel *m_model;
    QSortFilterProxyModel *m_sorted;
    QList<CauseCount> m_causes;
};

} // namespace Progress

#endif
