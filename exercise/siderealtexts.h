#ifndef EXERCISE_SIDEREALTEXTS_H
#define EXERCISE_SIDEREALTEXTS_H

#include "exercise/siderealtask.h"

#include <QString>
#include <QStringList>

// The texts of a task of the sidereal time of birth as the student reads
// them: the task, the rows of its page of sidereal times and the worked
// solution. Numbers in plain ASCII digits.

namespace Exercise {

// The lines of the task, from "Geburtsdatum: 07.11.1975" to
// "Geburtsort: New York, Breite 40°43' N, Länge 74°00' W".
QStringList siderealTaskLines(const SiderealTask &task);
// The task as rich text: the person, the lines and the question.
QString siderealTaskHtml(const SiderealTask &task);

// "Ephemeride: Sternzeit um 0h Weltzeit (UT)".
QString siderealPageTitle();
// "Datum", "Sternzeit".
QStringList siderealPageHeaders();
// A day as printed: "Mo 12.03.2031", "10h19m21s".
QStringList siderealPageCells(const SiderealDay &day);

// The worked solution: the steps as the calculator numbers them, each with
// its equation, then the sidereal time of birth.
QString siderealSolutionHtml(const SiderealTask &task);
// The exact sidereal time of birth and the hand result against it:
// "9h00m06,6s. Die Handrechnung weicht davon um +0,4 s ab: …"
QString exactSiderealText(const SiderealTask &task);

} // namespace Exercise

#endif
