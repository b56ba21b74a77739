#ifndef EXERCISE_EXAMTASKPANEL_H
#define EXERCISE_EXAMTASKPANEL_H

#include "exercise/exercisewindow.h"
#include "exercise/taskpage.h"

#include <QStringList>
#include <QWidget>

#include <memory>

class QPushButton;
class QTextBrowser;

namespace Exercise {

// One task of a practice examination: the page of the exercise window for its
// kind (the task, the ephemeris or the house table, the answer fields and "In
// den Rechner übernehmen"), without the choice of a task, "Prüfen", "Lösung
// zeigen" and the exercise sheet. Its answer is judged as "Prüfen" judges it;
// after handing in it shows the worked solution below the answer.
class ExamTaskPanel : public QWidget {
    Q_OBJECT

public:
    // `links` gives the calculator of the kind and the calculation it keeps.
    ExamTaskPanel(TaskKind kind, const ExerciseLinks &links, QWidget *parent = nullptr);
    ~ExamTaskPanel() override;

    TaskPage &page() { return *m_page; }
    const TaskPage &page() const { return *m_page; }
    QPushButton *workButton() const;

    QStringList answerTexts() const;
    void setAnswerTexts(const QStringList &texts);
    // After handing in: the answer stays as it was given, the solution below.
    void setHandedIn(bool handedIn);

signals:
    void answerEdited();

private:
    std::unique_ptr<Ui::Uebung> ui;
    std::unique_ptr<TaskPage> m_page;
    std::unique_ptr<TaskPage> m_hidden;
};

} // namespace Exercise

#endif
