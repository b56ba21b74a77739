#include "exercise/exercisesheet.h"

#include "astro/zodiac.h"
#include "core/notation.h"

#include "exercise/rectificationtask.h"
#include "exercise/rectificationtexts.h"
#include "exercise/siderealtask.h"
#include "exercise/siderealtexts.h"
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

// The zone of the Solar: "Zeitzone +1", or abroad "Wohnort im Solarjahr New
// York (Zeitzone -5)".
QString zoneOf(const SolarTask &task)
{
    const QString zone = QStringLiteral("Zeitzone ") + Core::Notation::zone(task.zone);
    return task.residence.isEmpty() ? zone
                                    : QStringLiteral("Wohnort im Solarjahr ") + task.residence +
                                          QStringLiteral(" (") + zone + u')';
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
                       QStringLiteral(", ") + zoneOf(task) +
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
               << QStringLiteral("Tageskorrektur (+0h, -24h oder +24h): ") + blank(16)
               << QStringLiteral("Solar am ") + blank(16) + QStringLiteral(" um ") + blank(18);
    // Nothing is computed on the sheet: no "not yet computed" under the task.
    step.computed = true;
    return step;
}

// The page of sidereal times at 0h UT under its title, a day a line.
QStringList siderealPageLines(const QList<SiderealDay> &page)
{
    QStringList lines{siderealPageTitle() + u':'};
    for (const SiderealDay &day : page) {
        const QStringList cells = siderealPageCells(day);
        lines << QStringLiteral("\u2003") + cells.at(0) + QStringLiteral("\u2003") + cells.at(1);
    }
    return lines;
}

SheetStep siderealTaskStep(int ordinal, const SiderealTask &task)
{
    SheetStep step;
    step.number = ordinal;
    step.heading = QStringLiteral("Aufgabe ") + QString::number(task.number);
    step.explanation = task.firstName + u' ' + task.surname +
                       QStringLiteral(": Wie groß ist die Sternzeit der Geburt?");
    step.lines << siderealTaskLines(task) << QString() << siderealPageLines(task.page);
    // Room to work, one line for each step of the calculator.
    step.lines << QString() << QStringLiteral("Weltzeit und Tag: ") + blank(34)
               << QStringLiteral("Sternzeit um 0h Weltzeit: ") + blank(26)
               << QStringLiteral("Zuschlag: ") + blank(40)
               << QStringLiteral("Länge in Zeit: ") + blank(36)
               << QStringLiteral("Sternzeit der Geburt: ") + blank(28);
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
    step.lines << rectificationTaskLines(task) << QString();
    if (task.siderealWorked)
        step.lines << siderealPageLines(task.siderealPage) << QString();
    step.lines << houseTableTitle(task) + u':';
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
    step.lines << QString();
    if (task.siderealWorked)
        step.lines << QStringLiteral("Sternzeit der Geburt: ") + blank(28);
    step.lines << QStringLiteral("Alter: ") + blank(44)
               << QStringLiteral("Direktionsbogen: ") + blank(34)
               << QStringLiteral("Sternzeit des Ereignisses: ") + blank(24)
               << QStringLiteral("Quotient: ") + blank(40)
               << QStringLiteral("korrigierte RAMC: ") + blank(32)
               << QStringLiteral("Korrektur der Geburtszeit: ") + blank(24);
    step.computed = true;
    return step;
}

// A task's row of solutions: A and B marked "+30°" where they are worked
// across a sign, the Solar with its day shift where it has one.
QStringList solarSolutionRow(const SolarTask &task)
{
    const SolarHandSolution &hand = task.hand;
    const auto angle = [&hand](const Core::SexagesimalTriple &value, bool carried) -> QString {
        return Core::Notation::angle(value) + (carried ? QStringLiteral(" (+30°)") : QString());
    };
    const QString shift = hand.nextDay       ? QStringLiteral(" (-24h)")
                          : hand.previousDay ? QStringLiteral(" (+24h)")
                                             : QString();
    return {QString::number(task.number),
            Core::Notation::date(task.pair().date1),
            angle(hand.motion, hand.acrossSign),
            angle(hand.distance, hand.radixInSecondSign),
            Core::Notation::clock(hand.greenwich),
            Core::Notation::date(hand.date) + QStringLiteral(", ") +
                Core::Notation::clock(hand.clock) + shift};
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

SheetStep siderealTaskOnSheet(int ordinal, const SiderealTask &task)
{
    return withoutWorkLines(siderealTaskStep(ordinal, task));
}

Sheet rectificationExerciseSheet(int first, int count, QDate printed, bool siderealWorked)
{
    const int last = lastOnSheet(first, count);
    Sheet sheet =
        sheetHead(QStringLiteral("Übungsblatt Rektifikation (GZK)"), first, last, printed);
    SheetTable solutions = solutionTable(
        {QStringLiteral("Aufgabe"), QStringLiteral("Zeilen"), QStringLiteral("Quotient"),
         QStringLiteral("korrigierte RAMC"), QStringLiteral("Korrektur"), QStringLiteral("genau")});
    // Where the student works the sidereal time of birth, its answer too.
    if (siderealWorked)
        solutions.columnHeaders.insert(1, QStringLiteral("Sternzeit der Geburt"));
    for (int number = first; number <= last; ++number) {
        std::optional<RectificationTask> task = makeRectificationTask(number);
        if (!task)
            continue;
        task->siderealWorked = siderealWorked;
        sheet.steps << rectificationTaskStep(number - first + 1, *task);
        const RectificationHandSolution &hand = task->hand;
        solutions.rows << QStringList{
            QString::number(number),
            Core::Notation::rowTime(task->page.at(hand.smallerRow).siderealSeconds()) +
                QStringLiteral(" / ") +
                Core::Notation::rowTime(task->page.at(hand.smallerRow + 1).siderealSeconds()),
            Core::Notation::angle(hand.quotient),
            Core::Notation::angle(hand.correctedRamc),
            correctionText(hand.correction),
            Core::Notation::preciseDuration(exactCorrection(*task).siderealSeconds)};
        if (siderealWorked)
            solutions.rows.last().insert(1, Core::Notation::clock(task->birthSiderealTime));
    }
    solutions.finding = QStringLiteral("Die Korrektur ist die des Rechners, „genau“ dieselbe "
                                       "Korrektur aus den genauen Häuserformeln; beide in "
                                       "Sternzeit.");
    sheet.closing = solutions;
    return sheet;
}

QString exerciseSheetFileName(Core::TaskKind kind, int first, int count)
{
    const int last = lastOnSheet(first, count);
    return QStringLiteral("Übungsblatt ") + Core::kindText(kind) + u' ' + QString::number(first) +
           (last == first ? QString() : u'-' + QString::number(last)) + QStringLiteral(".pdf");
}

Sheet siderealExerciseSheet(int first, int count, QDate printed)
{
    const int last = lastOnSheet(first, count);
    Sheet sheet =
        sheetHead(QStringLiteral("Übungsblatt Sternzeit der Geburt"), first, last, printed);
    SheetTable solutions = solutionTable(
        {QStringLiteral("Aufgabe"), QStringLiteral("Weltzeit"), QStringLiteral("0h Weltzeit"),
         QStringLiteral("Zuschlag"), QStringLiteral("Länge in Zeit"), QStringLiteral("Sternzeit")});
    for (int number = first; number <= last; ++number) {
        const std::optional<SiderealTask> task = makeSiderealTask(number);
        if (!task)
            continue;
        sheet.steps << siderealTaskStep(number - first + 1, *task);
        const SiderealHandSolution &hand = task->hand;
        solutions.rows << QStringList{QString::number(number),
                                      Core::Notation::clock(hand.results.universalTime->time) +
                                          QStringLiteral(", ") +
                                          Core::Notation::date(hand.ephemerisDay),
                                      Core::Notation::clock(hand.ephemeris),
                                      Core::Notation::clock(hand.results.share->time),
                                      Core::Notation::clock(*hand.results.longitudeTime),
                                      Core::Notation::clock(hand.siderealTime)};
    }
    solutions.finding = QStringLiteral("Die Weltzeit mit dem Tag, dessen Sternzeit um 0h "
                                       "Weltzeit gilt; die Länge in Zeit westlich negativ.");
    sheet.closing = solutions;
    return sheet;
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
        solutions.rows << solarSolutionRow(*task);
    }
    solutions.finding = QStringLiteral("A und B sind mit 30° über die Zeichengrenze gerechnet, wo "
                                       "die beiden Tage in zwei Zeichen liegen (+30°). Die "
                                       "Uhrzeiten des Solars gelten in der Zeitzone der Aufgabe; "
                                       "wo sie 24 Uhr erreicht, sind 24 Stunden abgezogen und das "
                                       "Datum rückt auf den folgenden Tag (-24h), wo sie unter 0 "
                                       "Uhr fällt, sind 24 Stunden addiert und das Datum geht auf "
                                       "den Tag davor zurück (+24h).");
    sheet.closing = solutions;
    return sheet;
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
