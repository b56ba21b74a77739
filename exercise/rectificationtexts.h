#ifndef EXERCISE_RECTIFICATIONTEXTS_H
#define EXERCISE_RECTIFICATIONTEXTS_H

#include "exercise/rectificationtask.h"

#include <QString>
#include <QStringList>

// The texts of a rectification task as the student reads them: the task, its
// house-table page and the worked solution. Numbers in plain ASCII digits;
// only a fraction's decimal separator follows the desktop.

namespace Exercise {

// The lines of the task, from "Geburtsdatum: 07.11.1975" to
// "Radix-Planet: Jupiter 17°42'13'' Waage (Trigon)", without the question.
QStringList rectificationTaskLines(const RectificationTask &task);
// The task as rich text: the person, the lines and the question.
QString rectificationTaskHtml(const RectificationTask &task);

// "Häusertabelle für 48°08' nördlicher Breite".
QString houseTableTitle(const RectificationTask &task);
// "Sternzeit", "RAMC", "MC", "AC".
QStringList houseTableHeaders();
// A row as printed: "8h16m", "124°", "13°05' Löwe", "4°51' Skorpion".
QStringList houseTableCells(const HouseTableRow &row);

// "0h-3m-26s", as the calculator writes the correction.
QString correctionText(const Core::SexagesimalTriple &correction);
// The exact correction as the page, the check and the sheet give it:
// "-1 m 5,3 s Sternzeit, -1 m 5,1 s bürgerliche Zeit".
QString exactCorrectionText(const Rectification::Exact &exact);

// The worked solution: the eight steps as the calculator takes them, then the
// exact correction and why the hand result differs from it.
QString rectificationSolutionHtml(const RectificationTask &task);

} // namespace Exercise

#endif
