#include "pruefung/examsheet.h"

namespace Examination {

using namespace Sheets;

namespace {

QString localMoment(const QDateTime &utc)
{
    return utc.toLocalTime().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

QString answerText(const QString &answer)
{
    return answer.isEmpty() ? QStringLiteral("keine") : answer;
}

} // namespace

QString judgedText(const ExamTask &task)
{
    return task.calculation ? QStringLiteral("Beurteilt wurde die Rechnung im Rechner.")
                            : QStringLiteral("Beurteilt wurde die eingegebene Antwort.");
}

Sheet examSheet(const ExamRecord &record, const std::array<SheetTask, 2> &tasks, QDate printed)
{
    Sheet sheet;
    sheet.title = QStringLiteral("Prüfungsprotokoll");
    sheet.printed = printed;
    const qint64 used = record.start.secsTo(record.handedIn);
    sheet.facts << SheetFact{QStringLiteral("Beginn"), localMoment(record.start)}
                << SheetFact{QStringLiteral("Abgabe"), localMoment(record.handedIn)}
                << SheetFact{QStringLiteral("Zeitvorgabe"),
                             QString::number(record.minutes) + QStringLiteral(" Minuten")}
                << SheetFact{QStringLiteral("Gebrauchte Zeit"), durationText(used)};
    SheetTable verdicts;
    verdicts.title = QStringLiteral("Ergebnis");
    verdicts.columnHeaders = {QStringLiteral("Aufgabe"), QStringLiteral("Antwort"),
                              QStringLiteral("Urteil"), QStringLiteral("Rechner offen")};
    const std::array<const ExamTask *, 2> judged{&record.solar, &record.rectification};
    int ordinal = 0;
    for (std::size_t i = 0; i < tasks.size(); ++i) {
        SheetStep step = tasks[i].task;
        step.number = ++ordinal;
        step.heading = tasks[i].kindName + QStringLiteral(", ") + step.heading;
        step.lines << QString() << QStringLiteral("Antwort: ") + answerText(tasks[i].answer)
                   << judgedText(*judged[i]) << QStringLiteral("Urteil: ") + judged[i]->verdict
                   << QStringLiteral("Befund: ") + judged[i]->cause
                   << QStringLiteral("Rechner geöffnet: ") +
                          durationText(judged[i]->calculatorSeconds);
        step.computed = true;
        sheet.steps << step;
        verdicts.rows << QStringList{tasks[i].kindName + u' ' + QString::number(judged[i]->number),
                                     answerText(tasks[i].answer), judged[i]->verdict,
                                     durationText(judged[i]->calculatorSeconds)};
    }
    for (const SheetTask &task : tasks) {
        SheetStep solution;
        solution.number = ++ordinal;
        solution.heading =
            QStringLiteral("Lösung: ") + task.kindName + QStringLiteral(", ") + task.task.heading;
        solution.lines = task.solutionLines;
        solution.computed = true;
        sheet.steps << solution;
    }
    verdicts.finding = QStringLiteral("Gebrauchte Zeit ") + durationText(used) +
                       QStringLiteral(" von ") + QString::number(record.minutes) +
                       QStringLiteral(" Minuten.");
    sheet.closing = verdicts;
    return sheet;
}

QString examSheetFileName(const ExamRecord &record)
{
    return QStringLiteral("Prüfungsprotokoll ") + QString::number(record.solar.number) +
           QStringLiteral(" und ") + QString::number(record.rectification.number) +
           QStringLiteral(".pdf");
}

} // namespace Examination
