#ifndef EXERCISE_SOLARPAGE_H
#define EXERCISE_SOLARPAGE_H

#include "exercise/solartask.h"
#include "exercise/taskpage.h"
#include "solar/solarstate.h"

#include <QDateTime>

#include <optional>

namespace Exercise {

// A Solar task: the ephemeris page of seven days around the birthday, the
// answer as the clock time and the date of the Solar.
class SolarPage final : public TaskPageOf<SolarTask, Solar::Worked> {
public:
    SolarPage(Ui::Uebung &form, WorkIn workIn, KeptWork keptWork);

    TaskKind kind() const override { return TaskKind::Solar; }
    QString storeKey() const override;
    QList<QLineEdit *> answerFields() const override;
    void setShown(bool shown) override;
    bool showTask(int number) override;
    TaskVerdict judge() override;
    QString solutionHtml() override;
    Sheets::Sheet exerciseSheet(int count, QDate printed) const override;
    Sheets::SheetStep taskOnSheet(int ordinal) const override;

private:
    void fillPage();
    // The exact moment of the Solar, worked out once per task when needed:
    // it is the slow part.
    QDateTime exactMoment();

    std::optional<QDateTime> m_exact;
};

} // namespace Exercise

#endif
