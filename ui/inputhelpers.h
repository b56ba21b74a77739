#ifndef UI_INPUTHELPERS_H
#define UI_INPUTHELPERS_H

class FieldArray;
class PickerArray;
class QComboBox;
class QLineEdit;
class QWidget;

// Picker triples show the value at each list position: "0°" … "30°",
// "0'" … "59'", "0''" … "59''". Each fill appends its entries (the list is not
// emptied first), then selects position 0 and runs the element's click handler
// as a user's choice would.
void FillDegreePicker(PickerArray &pickers);
void FillMinutePicker(PickerArray &pickers);
void FillSecondPicker(PickerArray &pickers);

// Selects the whole text, so that the next key typed replaces the entry.
void SelectAllText(QLineEdit *field);
// Selects the whole text when the user gives the field the focus: by Tab,
// Shift+Tab, a mouse click (the selection survives the click that gave the
// focus) or a shortcut. Coming back to the window (from another application or
// a message box) and a focus set by the program keep the caret where it was.
void SelectAllOnFocus(QLineEdit *field);
// Every other text field of the form keeps its caret where it was when it is
// tabbed into (Qt's line edit would select its whole text); a click places the
// caret where the user clicked. Fields given SelectAllOnFocus, before or after,
// are left to it.
void KeepCaretOnFocus(QWidget *form);

// Key filters acting on typed characters only: navigation keys, Backspace,
// Delete and the usual shortcuts (Ctrl+A, Ctrl+C, …) keep working.
// AcceptDigitsOnly lets the digits 0-9 through; text pasted into such a field
// keeps only its digits. RejectAllKeys drops every typed character, so that a
// selection-only list is never changed by typing.
void AcceptDigitsOnly(QLineEdit *field);
void RejectAllKeys(QWidget *control);

// Range checks of typed numbers: when TextValue of the text is greater than
// the maximum, the field is emptied and then the message "Bitte nur gültige
// Zahlen eingeben!" titled "Solar und GZK" is shown (once: emptying the field
// runs its change handler again, which then passes). Text that is no number
// reads as 0 and passes.
void ValidateTripleField(double max0, double max1, int max2, FieldArray &fields, int index);
void ValidateField(int maximum, QLineEdit *field);

#endif
