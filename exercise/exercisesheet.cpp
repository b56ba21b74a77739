#include "exercise/exercisesheet.h"

#include "astro/zodiac.h"
#include "core/notation.h"

#include "exercise/rectificationtask.h"
#include "exercise/rectificationtexts.h"
#include "exercise/solaranswer.h"
#include "exercise/solartask.h"
#include "exercise/solartexts.h"

#include <algorithm>

using namespace Sheets;

namespace Exercise {

namespace {

int lastOnSheet(int first, int count)
{
    return std::min(first + std::clamp(count, 1, MostTasksPerSheet) - 1, LastTask);
}

// A line to write on.
QString blank(int width)
{
    return QString(width, u'_');
}

SheetStep solarTaskStep(int ordinal, const SolarTask &task)
{
    SheetStep step;
    step.number = ordinal;
    step.heading = QStringLiteral("Aufgabe ") + QString::number(task.number);
    step.explanation = task.firstName + u' ' + task.surname + QStringLiteral(" wurde am ") +
                       Core::Notation::date(task.birthDate) + QStringLiteral(" in ") + task.town +
                       QStringLiteral(" geboren. Radix-Sonne: ") + Astro::positionText(task.radix) +
                       QStringLiteral(". Solar für das Jahr ") + QString::number(task.solarYear) +
                       QStringLiteral(", Zeitzone ") + Core::Notation::zone(task.zone) +
                       QStringLiteral(". Berechnen Sie Datum und Uhrzeit des Solars.");
    step.lines << QStringLiteral("Ephemeride, die Sonne um 0h Weltzeit (UT):");
    for (const EphemerisDay &day : task.page)
        step.lines << QStringLiteral("\u2003") + dayText(day.date) + QStringLiteral("\u2003") +
                          Astro::positionText(day.position);
    // Room to work, one line for each step of the hand method.
    step.lines << QString() << QStringLiteral("A = ") + blank(40)
               << QStringLiteral("B = ") + blank(40)
               << QStringLiteral("B ÷ A × 24 h = ") + blank(32)
               << QStringLiteral("Zeitzone ") + Core::Notation::zone(task.zone) +
                      QStringLiteral(": ") + blank(34)
               << QStringLiteral("Solar am ") + blank(16) + QStringLiteral(" um ") + blank(18);
    // Nothing is computed on the sheet: no "not yet computed" under the task.
    step.computed = true;
    return step;
}

SheetStep rectificationTaskStep(int ordinal, const RectificationTask &task)
{
    SheetStep step;
    step.number = ordinal;
    step.heading = QStringLiteral("Aufgabe ") + QString::number(task.number);
    step.explanation = task.firstName + u' ' + task.surname +
                       QStringLiteral(": Um wie viel ist die Geburtszeit zu korrigieren?");
    step.lines << rectificationTaskLines(task) << QString() << houseTableTitle(task) + u':';
    // Each row names its columns: the lines are set in a proportional font.
    const QString gap = QStringLiteral("\u2003");
    const QStringList headers = houseTableHeaders();
    for (const HouseTableRow &row : task.page) {
        const QStringList cells = houseTableCells(row);
        QString line = gap + cells.at(0);
        for (int column = 1; column < cells.size(); ++column)
            line += gap + headers.at(column) + u' ' + cells.at(column);
        step.lines << line;
    }
    // Room to work, one line for each step of the calculator.
    step.lines << QString() << QStringLiteral("Alter: ") + blank(44)
               << QStringLiteral("Direktionsbogen: ") + blank(34)
               << QStringLiteral("Sternzeit des Ereignisses: ") + blank(24)
               << QStringLiteral("Quotient: ") + blank(40)
               << QStringLiteral("korrigierte RAMC: ") + blank(32)
               << QStringLiteral("Korrektur der Geburtszeit: ") + blank(24);
    step.computed = true;
    return step;
}

// The head of an exercise sheet of tasks first .. last.
Sheet sheetHead(const QString &title, int first, int last, QDate printed)
{
    Sheet sheet;
    sheet.title = title;
    sheet.printed = printed;
    sheet.facts << SheetFact{QStringLiteral("Aufgaben"),
                             first == last ? QString::number(first)
                                           : QString::number(first) + QStringLiteral(" bis ") +
                                                 QString::number(last)};
    return sheet;
}

// The table of solutions, which starts on a page of its own.
SheetTable solutionTable(const QStringList &columnHeaders)
{
    SheetTable solutions;
    solutions.title = QStringLiteral("Lösungen");
    solutions.columnHeaders = columnHeaders;
    solutions.ownPage = true;
    return solutions;
}

// The step without the lines to work on, which follow its last empty line.
SheetStep withoutWorkLines(SheetStep step)
{
    const qsizetype gap = step.lines.lastIndexOf(QString());
    if (gap >= 0)
        step.lines = step.lines.first(gap);
    return step;
}

} // namespace

SheetStep solarTaskOnSheet(int ordinal, const SolarTask &task)
{
    return withoutWorkLines(solarTaskStep(ordinal, task));
}

SheetStep rectificationTaskOnSheet(int ordinal, const RectificationTask &task)
{
    return withoutWorkLines(rectificationTaskStep(ordinal, task));
}

Sheet rectificationExerciseSheet(int first, int count, QDate printed)
{
    const int last = lastOnSheet(first, count);
    Sheet sheet =
        sheetHead(QStringLiteral("Übungsblatt Rektifikation (GZK)"), first, last, printed);
    SheetTable solutions = solutionTable(
        {QStringLiteral("Aufgabe"), QStringLiteral("Zeilen"), QStringLiteral("Quotient"),
         QStringLiteral("korrigierte RAMC"), QStringLiteral("Korrektur"), QStringLiteral("genau")});
    for (int number = first; number <= last; ++number) {
        const std::optional<RectificationTask> task = makeRectificationTask(number);
        if (!task)
            continue;
        sheet.steps << rectificationTaskStep(number - first + 1, *task);
        const RectificationHandSolution &hand = task->hand;
        solutions.rows << QStringList{
            QString::number(number),
            Core::Notation::rowTime(task->page.at(hand.smallerRow).siderealSeconds()) +
                QStringLiteral(" / ") +
                Core::Notation::rowTime(task->page.at(hand.smallerRow + 1).siderealSeconds()),
            Core::Notation::angle(Core::pickersToSeconds(hand.quotient)),
            Core::Notation::angle(Core::pickersToSeconds(hand.correctedRamc)),
            correctionText(hand.correction),
            Core::Notation::preciseDuration(exactCorrection(*task).siderealSeconds)};
    }
    solutions.finding = QStringLiteral("Die Korrektur ist die des Rechners, „genau“ dieselbe "
                                       "Korrektur aus den genauen Häuserformeln; beide in "
                                       "Sternzeit.");
    sheet.closing = solutions;
    return sheet;
}

QString rectificationExerciseSheetFileName(int first, int count)
{
    const int last = lastOnSheet(first, count);
    return QStringLiteral("Übungsblatt GZK ") + QString::number(first) +
           (last == first ? QString() : u'-' + QString::number(last)) + QStringLiteral(".pdf");
}

Sheet solarExerciseSheet(int first, int count, QDate printed)
{
    const int last = lastOnSheet(first, count);
    Sheet sheet = sheetHead(QStringLiteral("Übungsblatt Solar"), first, last, printed);
    SheetTable solutions =
        solutionTable({QStringLiteral("Aufgabe"), QStringLiteral("1. Datum"), QStringLiteral("A"),
                       QStringLiteral("B"), QStringLiteral("Greenwich"), QStringLiteral("Solar")});
    for (int number = first; number <= last; ++number) {
        const std::optional<SolarTask> task = makeSolarTask(number);
        if (!task)
            continue;
        sheet.steps << solarTaskStep(number - first + 1, *task);
        const SolarHandSolution &hand = task->hand;
        solutions.rows << QStringList{
            QString::number(number),
            Core::Notation::date(task->pair().date1),
            Core::Notation::angle(Core::pickersToSeconds(hand.motion)),
            Core::Notation::angle(Core::pickersToSeconds(hand.distance)),
            Core::Notation::clock(Core::pickersToSeconds(hand.greenwich)),
            Core::Notation::date(hand.date) + QStringLiteral(", ") +
                Core::Notation::clock(Core::pickersToSeconds(hand.clock))};
    }
    solutions.finding = QStringLiteral("Die Uhrzeiten des Solars gelten in der Zeitzone der "
                                       "Aufgabe; wo sie 24 Uhr erreicht, sind 24 Stunden "
                                       "abgezogen und das Datum rückt auf den folgenden Tag.");
    sheet.closing = solutions;
    return sheet;
}

QString solarExerciseSheetFileName(int first, int count)
{
    const int last = lastOnSheet(first, count);
    return QStringLiteral("Übungsblatt Solar ") + QString::number(first) +
           (last == first ? QString() : u'-' + QString::number(last)) + QStringLiteral(".pdf");
}

SheetTexts exerciseSheetTexts()
{
    return {exerciseTitle(),
            QStringLiteral("Das Übungsblatt konnte nicht gespeichert werden: "),
            QStringLiteral("Drucken…"),
            QStringLiteral("actUebungsblattDrucken"),
            QStringLiteral("Als PDF speichern…"),
            QStringLiteral("actUebungsblattPdf")};
}

} // namespace Exercise
