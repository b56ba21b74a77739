#ifndef SETTINGS_STORE_H
#define SETTINGS_STORE_H

#include "core/giventask.h"

#include <QList>
#include <QString>

#include <optional>

class QWidget;
namespace Gui {
class ResultList;
}

// The per-user settings store (QSettings, native format, organisation
// "velmora"). The entries of all three forms live in application "velmora",
// section "solar"; the result list in application "velmo", section "listview".
// A form writes its controls when it unloads and reads them when it loads;
// every restored text and position runs the control's own handler, so that
// restored values pass the same checks and copies as typed ones.
//
// Every routine below writes only the values that differ from the stored
// ones, and what it wrote reaches the file before it returns.
//
// Each store file stays parsed while the program runs. The first routine
// that opens a file also opens one QSettings object on it that lives as long
// as the application object (its child, so it goes before Qt's own statics);
// QSettings parses a file once for all the objects that have it open at the
// same time, so every later routine works on the keys in memory, and
// comparing a full list (about 100 000 keys) with the window's costs no new
// parse. A change that another process made to the file meanwhile is read in
// when this one next writes. The objects are kept by file name, so a store
// in another folder (a test's own) gets its own; before the application
// object exists nothing is kept, and every routine parses the file anew.

namespace Store {
inline const QString FormsApplication = QStringLiteral("velmora");
inline const QString FormsSection = QStringLiteral("solar");
inline const QString ListApplication = QStringLiteral("velmo");
inline const QString ListSection = QStringLiteral("listview");
// The entries of the form "Sternzeit der Geburt", in a group of their own
// beside the older forms' section.
inline const QString SiderealSection = QStringLiteral("Sternzeit");
// The number of the task that the exercise window showed last, in the forms'
// section.
inline const QString LastExercise = QStringLiteral("UebungNummer");
// Its kind beside it: "Solar", "GZK" or "Sternzeit".
inline const QString LastExerciseKind = QStringLiteral("UebungArt");
// Whether rectification tasks have the student work the sidereal time of
// birth ("Sternzeit selbst berechnen"): "1" or "0".
inline const QString SiderealWorked = QStringLiteral("SternzeitSelbst");
// The house table the rectification check was last made for: the axis ("MC"
// or "AC") and the latitude of the birth place, degrees and minutes.
inline const QString CheckAxis = QStringLiteral("KontrolleAchse");
inline const QString CheckLatitudeDegrees = QStringLiteral("KontrolleBreite_0");
inline const QString CheckLatitudeMinutes = QStringLiteral("KontrolleBreite_1");

// The practice examination, in a group of its own beside the forms' section:
// the time limit last chosen (minutes), and of the examination begun last its
// start (UTC), its limit, its two tasks, the answers as typed (fields joined
// with '|'), the seconds each task's calculator was open, and once handed in
// the moment (UTC) with each task's verdict ("richtig", "falsch") and first
// cause.
inline const QString ExamSection = QStringLiteral("Pruefung");
inline const QString ExamMinutes = QStringLiteral("Minuten");
inline const QString ExamStart = QStringLiteral("Beginn");
inline const QString ExamLimit = QStringLiteral("Limit");
inline const QString ExamSolarTask = QStringLiteral("SolarNummer");
inline const QString ExamRectificationTask = QStringLiteral("GZKNummer");
inline const QString ExamSolarAnswer = QStringLiteral("SolarAntwort");
inline const QString ExamRectificationAnswer = QStringLiteral("GZKAntwort");
inline const QString ExamSolarCalculator = QStringLiteral("SolarRechner");
inline const QString ExamRectificationCalculator = QStringLiteral("GZKRechner");
inline const QString ExamHandedIn = QStringLiteral("Abgabe");
inline const QString ExamSolarVerdict = QStringLiteral("SolarUrteil");
inline const QString ExamRectificationVerdict = QStringLiteral("GZKUrteil");
inline const QString ExamSolarCause = QStringLiteral("SolarBefund");
inline const QString ExamRectificationCause = QStringLiteral("GZKBefund");
// "1" where the calculation a calculator kept was judged, "0" the answer.
inline const QString ExamSolarCalculation = QStringLiteral("SolarRechnung");
inline const QString ExamRectificationCalculation = QStringLiteral("GZKRechnung");

// The task each calculator keeps with its entries, as Core::GivenTask
// writes it; empty while it works a free calculation.
inline const QString SolarTask = QStringLiteral("SolarAufgabe");
inline const QString RectificationTask = QStringLiteral("RektiAufgabe");
inline const QString SiderealTask = QStringLiteral("SternzeitAufgabe");

// The stored control arrays of the forms. Each is kept under a key prefix
// followed by the element number; the prefixes are those that stored entries
// of earlier versions carry, so they never change. The keys of the form
// "Sternzeit der Geburt" are its objectNames without the '_', in the group
// "Sternzeit"; all others live in the section "solar".
enum class Key {
    SolarDate1,          // the Sun's position on date 1
    SolarDate2,          // on date 2
    SolarRadixOfStep3,   // the radix Sun picked in step 3
    SolarRadix,          // the radix Sun of the header
    SolarHeader,         // sign, year, day, month and year of the Solar
    RectificationHeader, // name, place, event date, decimal years
    RectificationEvent,
    RectificationBirthSiderealTime,
    RectificationSmallerRowTime, // the sidereal times of the two house-table rows
    RectificationGreaterRowTime,
    RectificationGreaterValue, // the table values of step 5
    RectificationSmallerValue,
    RectificationCorrectedValue,
    RectificationSmallerValue2,
    RectificationBirthSiderealTimeOfStep4,
    RectificationAge,
    RectificationAgeOfStep2,
    RectificationBirthSiderealTimeOfStep8,
    PersonName,
    BirthDate,
    BirthPlace,
    BirthTime,
    SiderealBirthDate, // the form "Sternzeit der Geburt": its head
    SiderealPlace,
    SiderealCivilTime,
    SiderealZone,
    SiderealLongitude,
    SiderealEastWest,
    SiderealEphemeris, // the sidereal time at 0h UT of step 2
};

// One stored control array of a form: its key and its elements, each a text
// field (its text is stored) or a drop-down list (its position).
struct Controls {
    Key key;
    QList<QWidget *> elements;
};

// The empty text when the key does not exist. A value edited by hand with an
// unquoted comma, which QSettings reads as a list, comes back joined with ", ".
QString readSetting(const QString &application, const QString &section, const QString &key);
void writeSetting(const QString &application, const QString &section, const QString &key,
                  const QString &value);

// Save and restore a form's table of stored controls, in the table's order.
// A stored list position that the list does not have ("77", "-1") selects the
// first entry; a list whose key is missing keeps the entry it shows.
void saveControls(const QList<Controls> &table);
void restoreControls(const QList<Controls> &table);

// Rows under "spalte1"/"spalte2"/"spalte3" and the row number, then "count".
// A save after a change to the list compares only the rows from the first one
// that can have changed (`fromPosition`): the rows above it are as stored. The
// save reaches the file before it returns. The restore reads "count" as a
// 16-bit whole number: no number or a negative one gives no rows; a count
// beyond the list's 32 767 rows (which no save writes) gives the rows that the
// store holds, up to the last row with a key.
void saveResultList(const Gui::ResultList &list, int fromPosition = 1);
void restoreResultList(Gui::ResultList &list);

// The task a calculator keeps under `key`; nothing when it keeps none or the
// stored text is no task.
std::optional<Core::GivenTask> keptTask(const QString &key);
void keepTask(const QString &key, const std::optional<Core::GivenTask> &task);

} // namespace Store

#endif
