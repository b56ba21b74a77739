#ifndef EXERCISE_SIDEREALPAGE_H
#define EXERCISE_SIDEREALPAGE_H

#include "exercise/siderealtask.h"
#include "exercise/taskpage.h"
#include "sternzeit/siderealstate.h"

#include "record/entry.h"

#include <QElapsedTimer>
#include <functional>
#include <optional>

class QTableWidget;
namespace Ui {
class Uebung;
}

namespace Exercise {

// The page of sidereal times at 0h UT as printed: the day with its weekday
// and its sidereal time. The rectification page shows it too, where its task
// has the sidereal time of birth worked out.
void fillSiderealPage(QTableWidget *table, const QList<SiderealDay> &page);

// A task of the sidereal time of birth: the page of sidereal times at 0h UT
// around the day of its universal time, the answer as the sidereal time of
// birth.
class SiderealPage final : public TaskPage {
public:
    // The calculator that takes the task over, and the calculation it keeps
    // of the task of a number (nothing where none keeps it).
    using WorkIn = std::function<void(const SiderealTask &task)>;
    using KeptWork = std::function<std::optional<Sidereal::Worked>(int number)>;

    // Works on the widgets of `form`.
    SiderealPage(Ui::Uebung &form, WorkIn workIn, KeptWork keptWork);

    TaskKind kind() const override { return TaskKind::Sidereal; }
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

    // The last task of the sidereal time shown.
    const std::optional<SiderealTask> &task() const { return m_task; }

private:
    Ui::Uebung &ui;
    WorkIn m_workIn;
    KeptWork m_keptWork;
    std::optional<SiderealTask> m_task;
    QElapsedTimer m_shownSince; // since the task was shown
};

} // namespace Exercise

#endif
