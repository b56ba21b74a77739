#ifndef EXERCISE_EXERCISESHEET_H
#define EXERCISE_EXERCISESHEET_H

#include "core/giventask.h"
#include "sheet/sheet.h"
#include "sheet/sheetactions.h"

#include <QDate>

// An exercise sheet to hand out: consecutive numbered tasks of one kind, each
// with its page (the ephemeris or the house table) and lines to work on, and the solutions of all
// of them on a page of their own at the end, for the teacher or to cut off.

namespace Exercise {

constexpr int MostTasksPerSheet = 10;

// The tasks `first`, `first` + 1, ... up to `count` of them (1 to 10), not
// beyond the last task number.
Sheets::Sheet solarExerciseSheet(int first, int count, QDate printed);

// The file name of a sheet of the tasks of a kind as the store names it:
// "Übungsblatt Solar 4711-4714.pdf", "Übungsblatt GZK 4711.pdf".
QString exerciseSheetFileName(Core::TaskKind kind, int first, int count);

// The same for rectification tasks: each with its page of the house table,
// the solutions with the exact correction on the last page. With
// `siderealWorked` each task gives the birth data and the page of sidereal
// times at 0h UT instead of the sidereal time of birth.
Sheets::Sheet rectificationExerciseSheet(int first, int count, QDate printed,
                                         bool siderealWorked = false);

// The same for tasks of the sidereal time of birth: each with its page of
// sidereal times at 0h UT, the solutions step by step on the last page.
Sheets::Sheet siderealExerciseSheet(int first, int count, QDate printed);

struct SolarTask;
struct RectificationTask;
struct SiderealTask;

// A task as the exercise sheet writes it, numbered `ordinal`, without the
// lines to work on: for the record of an examination.
Sheets::SheetStep solarTaskOnSheet(int ordinal, const SolarTask &task);
Sheets::SheetStep rectificationTaskOnSheet(int ordinal, const RectificationTask &task);
Sheets::SheetStep siderealTaskOnSheet(int ordinal, const SiderealTask &task);

// The menu of the button "Übungsblatt…": "Drucken…" (actUebungsblattDrucken),
// "Als PDF speichern…" (actUebungsblattPdf); messages titled "Übungsaufgaben".
Sheets::SheetTexts exerciseSheetTexts();

} // namespace Exercise

#endif
