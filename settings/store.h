#ifndef SETTINGS_STORE_H
#define SETTINGS_STORE_H

#include <QString>
#include <QtGlobal>

class FieldArray;
class PickerArray;
class ResultList;

// The per-user settings store (QSettings, native format, organisation
// "velmora"). The entries of all three forms live in application "velmora",
// section "solar"; the result list in application "velmo", section "listview".
// A form writes its controls when it unloads and reads them when it loads;
// every restored text and position runs the control's own handler, so that
// restored values pass the same checks and copies as typed ones.

namespace Store {
inline const QString FormsApplication = QStringLiteral("velmora");
inline const QString FormsSection = QStringLiteral("solar");
inline const QString ListApplication = QStringLiteral("velmo");
inline const QString ListSection = QStringLiteral("listview");
} // namespace Store

// The empty text when the key does not exist. A value edited by hand with an
// unquoted comma, which QSettings reads as a list, comes back joined with ", ".
QString ReadSetting(const QString &application, const QString &section, const QString &key);
void WriteSetting(const QString &application, const QString &section, const QString &key,
                  const QString &value);

// Picker positions under the prefix and the element digit ("13" + "2" = "132").
// A stored position that the list does not have ("77", "-1") selects the
// first entry, as a missing key does.
void SavePickers(const PickerArray &pickers, const QString &prefix);
void RestorePickers(PickerArray &pickers, const QString &prefix);
// Texts under "textbox" and the element number (the Solar form's Text1).
void SaveFieldsByNumber(const FieldArray &fields, int last);
void RestoreFieldsByNumber(FieldArray &fields, int last);
// Texts under the control name and the element number ("txtDateh2").
void SaveFieldsByName(const FieldArray &fields, int last);
void RestoreFieldsByName(FieldArray &fields, int last);
// Rows under "spalte1"/"spalte2"/"spalte3" and the row number, then "count".
// The restore reads "count" as a 16-bit whole number: no number or a negative
// one gives no rows; a count beyond the list's 32 767 rows (which no save
// writes) gives the rows that the store holds, up to the last row with a key.
void SaveResultList(const ResultList &list);
void RestoreResultList(ResultList &list);

// While true (-1), the calculator form opens without restoring its entries:
// set by "Neue Berechnung starten", cleared when the form unloads.
extern qint16 NewSolarCalculation;
extern qint16 NewRektiCalculation;

#endif
