#ifndef EXERCISE_SOLARPAGE_H
#define EXERCISE_SOLARPAGE_H

#include "exercise/solartask.h"
#include "exercise/taskpage.h"
#include "record/entry.h"
#include "solar/solarstate.h"

#include <QDateTime>
#include <QElapsedTimer>

#include <functional>
#include <optional>

namespace Ui {
class Uebung;
}

namespace Exercise {

// A Solar task: the ephemeris page of seven days around the birthday, the
// answer as the clock time and the date of the Solar.
class SolarPage final : public TaskPage {
public:
    // The calculator that takes the task over, and the calculation it keeps
    // of the task of a number (nothing where none keeps it).
    using WorkIn = std::function<void(const SolarTask &task)>;
    using KeptWork = std::function<std::optional<Solar::Worked>(int number)>;

    // Works on the widgets of `form`.
    SolarPage(Ui::Uebung &form, WorkIn workIn, KeptWork keptWork);

    TaskKind kind() const override { return TaskKind::Solar; }
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

    // The last Solar task shown.
    const std::optional<SolarTask> &task() const { return m_task; }

private:
    void fillPage();
    // The exact moment of the Solar, worked out once per task when needed:
    // it is the slow part.
    QDateTime exactMoment();

    Ui::Uebung &ui;
    WorkIn m_workIn;
    KeptWork m_keptWork;
    std::optional<SolarTask> m_task;
    QElapsedTimer m_shownSince; // since the task was shown
    std::optional<QDateTime> m_exact;
};

} // namespace Exercise

#endif
