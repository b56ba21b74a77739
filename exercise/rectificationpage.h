#ifndef EXERCISE_RECTIFICATIONPAGE_H
#define EXERCISE_RECTIFICATIONPAGE_H

#include "exercise/rectificationtask.h"
#include "exercise/taskpage.h"
#include "rekti/rectificationstate.h"

#include <optional>

namespace Exercise {

// A rectification task: the page of the house table of the birth place's
// latitude, the answer as the correction of the birth time; where the student
// works the sidereal time of birth, the page of sidereal times beside it.
class RectificationPage final : public TaskPageOf<RectificationTask, Rectification::Worked> {
public:
    RectificationPage(Ui::Uebung &form, WorkIn workIn, KeptWork keptWork);

    TaskKind kind() const override { return TaskKind::Rectification; }
    QString storeKey() const override;
    QList<QLineEdit *> answerFields() const override;
    void setShown(bool shown) override;
    bool showTask(int number) override;
    TaskVerdict judge() override;
    QString solutionHtml() override;
    Sheets::Sheet exerciseSheet(int count, QDate printed) const override;
    Sheets::SheetStep taskOnSheet(int ordinal) const override;

    // "Sternzeit selbst berechnen": the task shown and those drawn after it
    // give the birth data and the page of sidereal times at 0h UT instead of
    // the sidereal time of birth; the answers typed are emptied.
    void setSiderealWorked(bool worked);
    bool siderealWorked() const { return m_siderealWorked; }

private:
    void fillPage();
    void showSiderealPage(bool shown);

    bool m_siderealWorked = false;
    bool m_shown = false;
};

} // namespace Exercise

#endif
