#ifndef UI_INPUTHELPERS_H
#define UI_INPUTHELPERS_H

class QComboBox;
class QLineEdit;
class QWidget;

namespace Gui {

// The lists of a position show the value at each list position: "0°" …
// "30°" for the degrees (element 0), "0'" … "59'" for the minutes (1),
// "0''" … "59''" for the seconds (2). The fill appends its entries (the list
// is not emptied first) and selects position 0 without a change signal on the
// way: the caller runs its handler once the whole list is there.
void fillPositionList(QComboBox *list, int element);

// Selects the whole text, so that the next key typed replaces the entry.
void selectAllText(QLineEdit *field);
// Selects the whole text when the user gives the field the focus: by Tab,
// Shift+Tab, a mouse click (the selection survives the click that gave the
// focus) or a shortcut. Coming back to the window (from another application or
// a message box) and a focus set by the program keep the caret where it was.
void selectAllOnFocus(QLineEdit *field);
// Every other text field of the form keeps its caret where it was when it is
// tabbed into, where Qt's line edit would select its whole text. Called after
// the form's selectAllOnFocus fields are set.
void keepCaretOnFocus(QWidget *form);

// Key filters acting on typed characters only: navigation keys, Backspace,
// Delete and the usual shortcuts (Ctrl+A, Ctrl+C, …) keep working.
// acceptDigitsOnly lets the digits 0-9 through; text pasted into such a field
// keeps only its digits. rejectAllKeys drops every typed character, so that a
// selection-only list is never changed by typing.
void acceptDigitsOnly(QLineEdit *field);
void rejectAllKeys(QWidget *control);

// Range checks of typed numbers: when textValue of the text is greater than
// the maximum, the field is emptied and then the message "Bitte nur gültige
// Zahlen eingeben!" titled "Solar und GZK" is shown (once: emptying the field
// runs its change handler again, which then passes). Text that is no number
// reads as 0 and passes.
void validateField(double maximum, QLineEdit *field);

} // namespace Gui

#endif
