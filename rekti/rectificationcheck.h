#ifndef REKTI_RECTIFICATIONCHECK_H
#define REKTI_RECTIFICATIONCHECK_H

#include "astro/houses.h"
#include "core/stepledger.h"
#include "rekti/rectificationstate.h"
#include "rekti/rectificationsteps.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The check of a worked rectification against the exact sky. The hand method
// reads MC or AC off a printed house table and interpolates linearly between
// two rows; the exact answer asks at which RAMC the axis stands on the
// corrected value, computed from the formulas of the axes. Beside each value
// of the student's calculation the check sets the exact one, names the first
// fault it finds (the rows, the RAMC, a misread table value, the corrected
// value outside the table values, the ±30° and ±360° choices, a step not
// pressed again after its inputs changed or never pressed) and judges whether
// what remains is explained by the interpolation and the roundings.

namespace Rectification {

// What the rectification form holds, and what the check needs besides.
struct CheckInput {
    Astro::Axis axis = Astro::Axis::MC;
    // The latitude of the birth place, north; used for the AC only.
    double latitudeDegrees = 0;
    double latitudeMinutes = 0;
    // The birth date gives the obliquity of the ecliptic; an invalid date
    // takes that of 1 January 2000.
    QDate birthDate;
    Entries entries;
    Core::Sexagesimal eventWithinDay; // the sidereal time of the event after step 4's "-24h"
    Core::Sexagesimal smallerRowTime; // the sidereal times of the two table rows, h m
    Core::Sexagesimal greaterRowTime;
    // Whether each step's result still belongs to its inputs, as the form's
    // calculation state keeps it: a stale or never computed step is named
    // before anything else.
    std::array<Core::StepLedger::Status, StepCount> status{};
};

// Where the check takes the axis and the birth place's latitude from: the
// house table the student used, chosen in the check itself.
struct TableChoice {
    Astro::Axis axis = Astro::Axis::MC;
    double latitudeDegrees = 0;
    double latitudeMinutes = 0;
};

// The check's input from a form's calculation state; nothing while no step
// has been computed or the two table rows are not typed, with the message
// that says what is missing.
Core::StepResult<CheckInput> checkInputOf(const Worked &worked, const TableChoice &table,
                                          QDate birthDate);

struct CheckRow {
    QString name;
    QString yours;
    QString exact;
    QString deviation;
};

struct CheckReport {
    QList<CheckRow> rows;
    QString finding;
    bool right = false;
};

// "Kontrolle"; the dialog's caption "Kontrolle mit genauer Rechnung".
QString checkTitle();
QString checkCaption();
// "Ihre Rechnung", "Genau", "Abweichung".
QStringList checkColumns();

CheckReport checkRectification(const CheckInput &input);

} // namespace Rectification

#endif
