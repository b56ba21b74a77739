#ifndef PRUEFUNG_EXAMSHEET_H
#define PRUEFUNG_EXAMSHEET_H

#include "pruefung/examrecord.h"
#include "sheet/sheet.h"

#include <QDate>
#include <QStringList>

#include <array>

namespace Examination {

// What a task's verdict judged: "Beurteilt wurde die Rechnung im Rechner."
// or "… die eingegebene Antwort."
QString judgedText(const ExamTask &task);

// A task of the examination as its record prints it.
struct SheetTask {
    QString kindName;          // "Solar", "Rektifikation (GZK)"
    Sheets::SheetStep task;    // the task as the exercise sheet writes it
    QString answer;            // in one line, as typed
    QStringList solutionLines; // the worked solution as plain text
};

// The record of a finished examination ("Prüfungsprotokoll"): its start,
// limit and time used in the head; each task with the answer, the verdict,
// the first cause and the time its calculator was open; then each task's
// worked solution; and a closing table of both verdicts.
Sheets::Sheet examSheet(const ExamRecord &record, const std::array<SheetTask, 2> &tasks,
                        QDate printed);

// "Prüfungsprotokoll 4711 und 815.pdf".
QString examSheetFileName(const ExamRecord &record);

} // namespace Examination

#endif
