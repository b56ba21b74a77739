#ifndef EXERCISE_SIDEREALPAGE_H
#define EXERCISE_SIDEREALPAGE_H

#include "exercise/siderealtask.h"
#include "exercise/taskpage.h"
#include "sternzeit/siderealstate.h"

#include <optional>

class QTableWidget;
namespace Exercise {

// The page of sidereal times at 0h UT as printed: the day with its weekday
// and its sidereal time. The rectification page shows it too, where its task
// has the sidereal time of birth worked out.
void fillSiderealPage(QTableWidget *table, const QList<SiderealDay> &page);

// A task of the sidereal time of birth: the page of sidereal times at 0h UT
// around the day of its universal time, the answer as the sidereal time of
// birth.
class SiderealPage final : public TaskPageOf<SiderealTask, Sidereal::Worked> {
public:
    SiderealPage(Ui::Uebung &form, WorkIn workIn, KeptWork keptWork);

    TaskKind kind() const override { return TaskKind::Sidereal; }
    QString storeKey() const override;
    QList<QLineEdit *> answerFields() const override;
    void setShown(bool shown) override;
    bool showTask(int number) override;
    TaskVerdict judge() override;
    QString solutionHtml() override;
    Sheets::Sheet exerciseSheet(int count, QDate printed) const override;
    Sheets::SheetStep taskOnSheet(int ordinal) const override;
};

} // namespace Exercise

#endif
