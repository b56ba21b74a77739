#ifndef PRUEFUNG_EXAMWINDOW_H
#define PRUEFUNG_EXAMWINDOW_H

#include "core/giventask.h"
#include "exercise/exercisewindow.h"
#include "pruefung/examrecord.h"
#include "record/entry.h"
#include "sheet/sheetactions.h"
#include "ui/windowplacement.h"

#include <QDateTime>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

namespace Ui {
class Pruefung;
}
namespace Core {
class ExamLock;
}
namespace Exercise {
class ExamTaskPanel;
}
class QKeyEvent;
class QTimer;

namespace Examination {

// The window "Prüfung üben": one Solar and one rectification task, set at
// random or by their numbers, worked against a time limit. "Beginnen" shows
// both tasks on their pages and starts the countdown; each task is worked in
// its calculator ("In den Rechner übernehmen") or answered in its fields.
// While the examination runs, nothing judges or solves its two tasks (the
// lock it shares with the calculators and the exercise window). "Abgeben", or
// the end of the time, judges each task as "Prüfen" does on the exercise page
// (the calculation a calculator keeps of it, else the answer typed) and shows
// the verdicts with their first causes, how long each task's calculator was
// open and the whole time used; "Protokoll…" prints it or saves it as a PDF.
//
// Everything is in the store from the moment it begins, so the countdown goes
// on across a restart or a killed program; whoever opens the window keeps one
// instance and calls bringToFront() to show it again.
// The menu of "Protokoll…": "Drucken…" (actProtokollDrucken), "Als PDF
// speichern…" (actProtokollPdf), messages titled "Prüfung üben".
Sheets::SheetTexts protocolTexts();

class ExamWindow : public QWidget {
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    // `links` gives the calculators and what they keep, `lock` is shared with
    // them; `now` is the clock (UTC), the system's by default. Opens on the
    // examination in the store, running or finished.
    ExamWindow(Exercise::ExerciseLinks links, Core::ExamLock *lock, Clock now = {},
               QWidget *parent = nullptr);
    ~ExamWindow() override;

    // Shows the window, restored from the task bar if need be, in front of
    // the others.
    void bringToFront() { Gui::bringToFront(this); }
    const ExamRecord &record() const { return m_record; }
    bool running() const { return m_record.running(); }

    // "Beginnen" with these tasks and limit.
    void begin(int solarNumber, int rectificationNumber, int minutes);
    // "Abgeben".
    void handIn();
    // The countdown's tick: the remaining time shown, and at its end the
    // examination handed in.
    void tick();
    // "Protokoll…": both tasks, the answers, the verdicts and the worked
    // solutions of the examination handed in.
    Sheets::Sheet protocolSheet();

protected:
    void keyPressEvent(QKeyEvent *event) override;

signals:
    // A task handed in, for the record of the work: its verdict ("richtig":
    // right), the first cause, and the seconds since the task was shown.
    void taskHandedIn(Core::TaskKind kind, int number, const Core::GivenTask &task,
                      const QString &answer, bool right, const QString &cause, qint64 secondsShown,
                      bool exam);
    // The same, as the record of the work keeps it.
    void handedIn(const Record::Entry &entry);

private:
    Record::Entry recordEntry(Core::TaskKind kind, const std::optional<Record::Entry> &judged,
                              qint64 shown);
    void connectControls();
    void restore();
    void drawTasks();
    bool showTasks();
    void showState();
    void showResult();
    void answerEdited(Core::TaskKind kind);
    void calculatorChanged(Core::TaskKind kind, int number, bool open);
    // Ends the examination at `end`: the time that ran out, or now.
    void finish(const QDateTime &end);
    Exercise::ExamTaskPanel &panel(Core::TaskKind kind);

    std::unique_ptr<Ui::Pruefung> ui;
    Core::ExamLock *m_lock;
    Clock m_now;
    QTimer *m_timer;
    std::array<Exercise::ExamTaskPanel *, 2> m_panels{}; // Solar, rectification
    ExamRecord m_record;
    bool m_hasRecord = false;
    // Since when each task's calculator is open; invalid while it is closed.
    std::array<QDateTime, 2> m_openSince;
};

} // namespace Examination

#endif
