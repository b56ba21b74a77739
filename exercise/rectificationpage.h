#ifndef EXERCISE_RECTIFICATIONPAGE_H
#define EXERCISE_RECTIFICATIONPAGE_H

#include "exercise/rectificationtask.h"
#include "exercise/taskpage.h"
#include "record/entry.h"
#include "rekti/rectificationstate.h"

#include <QElapsedTimer>

#include <functional>
#include <optional>

namespace Ui {
class Uebung;
}

namespace Exercise {

// A rectification task: the page of the house table of the birth place's
// latitude, the answer as the correction of the birth time; where the student
// works the sidereal time of birth, the page of sidereal times beside it.
class RectificationPage final : public TaskPage {
public:
    // The calculator that takes the task over, and the calculation it keeps
    // of the task of a number (nothing where none keeps it).
    using WorkIn = std::function<void(const RectificationTask &task)>;
    using KeptWork = std::function<std::optional<Rectification::Worked>(int number)>;

    // Works on the widgets of `form`.
    RectificationPage(Ui::Uebung &form, WorkIn workIn, KeptWork keptWork);

    TaskKind kind() const override { return TaskKind::Rectification; }
    QString storeKey() const override;
    QList<QLineEdit *> answerFields() const override;
    void setShown(bool shown) override;
    bool showTask(int number) override;
    TaskVerdict judge() override;
    QString solutionHtml() override;
    void workInCalculator() override;
    Sheets::Sheet exerciseSheet(int count, QDate printed) const override;
    QString exerciseSheetFileName(int count) const override;
    std::optional<Core::GivenTask> given() const override;
    Sheets::SheetStep taskOnSheet(int ordinal) const override;
    QString answerText() const override;

    // The last rectification task shown.
    const std::optional<RectificationTask> &task() const { return m_task; }

    // "Sternzeit selbst berechnen": the task shown and those drawn after it
    // give the birth data and the page of sidereal times at 0h UT instead of
    // the sidereal time of birth; the answers typed are emptied.
    void setSiderealWorked(bool worked);
    bool siderealWorked() const { return m_siderealWorked; }

private:
    void fillPage();
    void showSiderealPage(bool shown);

    Ui::Uebung &ui;
    WorkIn m_workIn;
    KeptWork m_keptWork;
    std::optional<RectificationTask> m_task;
    bool m_siderealWorked = false;
    bool m_shown = false;
    QElapsedTimer m_shownSince; // since the task was shown
};

} // namespace Exercise

#endif
