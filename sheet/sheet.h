#ifndef SHEET_SHEET_H
#define SHEET_SHEET_H

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace Sheets {

// A calculation sheet ("Rechenblatt"): a calculation written out step by
// step, the way a clean exam solution looks on paper. It holds only texts,
// already worded and with the numbers exactly as the form shows them; the
// parts (sheetparts.h) and each calculator's sheet make it from a calculator's values and the
// renderer (sheetrender.h) lays it out on A4 pages.

// The person the calculation is for, from the main window.
struct SheetPerson {
    QString name;
    QString birthDate; // "03.07.1975"
    QString birthTime; // "14 h 30 m 0 s"
    QString birthPlace;
};

// A caption and its value in the head of the sheet ("Tierkreis: Krebs").
struct SheetFact {
    QString caption;
    QString value;

    friend bool operator==(const SheetFact &, const SheetFact &) = default;
};

// One numbered step of the calculation. A step that the user has not worked
// yet keeps its heading and explanation and shows "noch nicht berechnet"
// instead of its result; the lines it already has (a first button pressed,
// the second not yet) stay.
struct SheetStep {
    int number = 0;
    QString heading;
    QString explanation;
    // The computation written out, one line each, with the values the form
    // holds: "A = 14°47'25'' − 13°50'10'' = 0°57'15''".
    QStringList lines;
    bool computed = false;
    // What the step found ("Ergebnis A = 0°57'15''"); may be empty for a step
    // that only gathers inputs.
    QString result;
    // Instead of "noch nicht berechnet" for a step that is not computed: why
    // its result is not shown ("nicht mehr aktuell – bitte neu rechnen").
    QString pending;
};

// A table that closes the sheet, such as the check of a result against an
// exact computation: column headers (the first stands over the row headers),
// rows that start with their own header, and the finding below.
struct SheetTable {
    QString title;
    QStringList columnHeaders;
    QList<QStringList> rows;
    QString finding;
    // Starts on a page of its own, as the solutions at the end of an
    // exercise sheet do.
    bool ownPage = false;
};

struct Sheet {
    QString title; // "Rechenblatt Solar"
    SheetPerson person;
    QList<SheetFact> facts; // the calculation's own data under the person
    QDate printed;
    QList<SheetStep> steps;
    // The answer the whole calculation seeks, set apart below the steps;
    // empty while the last step is not computed. A sheet without a final
    // caption (a sheet of several tasks) has no such box.
    QString finalCaption;
    QString finalResult;
    // Instead of "noch nicht berechnet" while there is no final result.
    QString finalPending;
    std::optional<SheetTable> closing;
};

// The text of a step or a final result that has not been computed yet.
inline QString notComputedText()
{
    return QStringLiteral("noch nicht berechnet");
}

// The text of a step whose result no longer belongs to its inputs.
inline QString staleText()
{
    return QStringLiteral("nicht mehr aktuell \u2013 bitte neu rechnen");
}

} // namespace Sheets

#endif
