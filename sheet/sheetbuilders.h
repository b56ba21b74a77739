#ifndef SHEET_SHEETBUILDERS_H
#define SHEET_SHEETBUILDERS_H

#include "sheet/sheet.h"

#include <array>
#include <optional>

// The calculation sheets of the two calculators, made from what their forms
// show. Every value is the plain text of its control as the user sees it: the
// three elements of a field triple without their unit labels ("14", "47",
// "25"), or the entries of a picker triple with their units ("14°", "47'",
// "25''"); the decimal years and the corrections exactly as written on the
// form ("34,3287671232877", "-24h", "- 360"). An empty result field means that
// its step has not been pressed yet. Nothing is computed again here: the sheet
// repeats the form, so that it matches what the student saw.
//
// The headings and explanations of the steps are the form's own label texts,
// handed over by the form.

using TextTriple = std::array<QString, 3>; // degrees or hours, minutes, seconds
using TextPair = std::array<QString, 2>;   // hours, minutes

struct StepTexts {
    QString heading;
    QString explanation;
};

// The main window's person fields.
struct PersonTexts {
    QString name;         // Text1h
    TextTriple birthDate; // txtDateh: day, month, year
    TextTriple birthTime; // txtTime0h
    QString birthPlace;   // Text3h
};

struct RectificationSheetValues {
    PersonTexts person;
    QDate printed;
    std::array<StepTexts, 8> steps;

    TextTriple birthSiderealTime; // txtTime0
    QString event;                // Text7 0
    QString eventDate;            // Text1 2

    // 1. the age at the event
    TextPair age; // txtJahre: years, days
    // 2. decimal years and the direction arc by the Naibod key
    TextPair ageCopy;     // txtJahre2
    QString decimalYears; // Text1 3
    TextTriple arc;       // txtDeg1
    // 3. the arc in time
    TextTriple arcForTime; // txtDeg2
    TextTriple arcTime;    // txtTime1
    // 4. the sidereal time of the event
    TextTriple sumBirth;          // txtTime2
    TextTriple sumArc;            // txtTime3
    TextTriple sum;               // txtTime4
    QString dayReduction;         // Combo1, "-0h" or "-24h"
    TextTriple eventSiderealTime; // txtTime5
    // 5. interpolation in the house tables
    TextPair tableSmaller;       // txtSternZeit1
    TextPair tableGreater;       // txtSTernZeit2
    TextTriple greater;          // txtDeg3
    TextTriple smaller;          // txtDeg4
    QString firstCorrection;     // Combo3, "-30", "+0", "+30"
    TextTriple firstDifference;  // txtDeg5
    TextTriple corrected;        // txtDeg6
    TextTriple smallerAgain;     // txtDeg7
    QString secondCorrection;    // Combo4
    TextTriple secondDifference; // txtDeg8
    TextTriple numerator;        // txtDeg9
    TextTriple denominator;      // txtDeg10
    TextTriple quotient;         // txtDeg11
    // 6. the corrected RAMC
    QString ramc;                // Text5, whole degrees
    TextTriple quotientCopy;     // txtdeg12
    TextTriple ramcPlusQuotient; // txtDeg13
    TextTriple arcCopy;          // txtDeg15
    QString circleCorrection;    // Combo2, " 0", "+360", "- 360"
    TextTriple correctedRamc;    // txtDeg16
    // 7. the corrected RAMC in time
    TextTriple ramcForTime; // txtDeg17
    TextTriple ramcTime;    // txtTime6
    // 8. the time difference that corrects the birth time
    TextTriple differenceRamcTime; // txtTime8
    TextTriple differenceBirth;    // txtTime7
    TextTriple timeDifference;     // txtTime9
};

// The head of a sheet and a step's heading and explanation, from the form.
SheetPerson sheetPerson(const PersonTexts &person);
SheetStep sheetStep(int number, const StepTexts &texts);
Sheet rectificationSheet(const RectificationSheetValues &values);

// The file names the save dialog proposes: "Solar Erika Muster 2024.pdf",
// "Rektifikation Erika Muster.pdf". Characters that a file name may not hold
// on any desktop (/ \ : * ? " < > | and control characters) are left out, and
// an empty name or year drops out with its blank.
QString solarSheetFileName(const QString &name, const QString &year);
QString rectificationSheetFileName(const QString &name);

#endif
