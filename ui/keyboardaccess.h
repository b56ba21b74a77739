#ifndef UI_KEYBOARDACCESS_H
#define UI_KEYBOARDACCESS_H

#include <functional>

class QAbstractButton;
class QKeyEvent;
class QPoint;
class QTabWidget;
class QWidget;

namespace Gui {

// Lets drop-down lists tell a screen reader what they hold. Qt's own
// description of a list names it by the entry shown ("14°") on Linux and
// Unix desktops, where the label is expected to come from a buddy label; our
// pickers stand in triples under one caption, so each carries its own
// accessible name ("Radix-Sonnenposition, Grad") and the entry shown is its
// value. Safe to call more than once.
void installAccessibleListNames();

// Ctrl+Tab and Ctrl+PageDown show the next page of a form's tab control,
// Ctrl+Shift+Tab and Ctrl+PageUp the previous one (wrapping round), wherever
// the focus is in the form: in a header field, on a button below the pages,
// or in a drop-down list, which would otherwise take the keys for itself.
void addPageShortcuts(QTabWidget *tabs);

// Enter on a button that has the focus presses it, as Space does; the forms
// have no default button, so Enter in a text field runs nothing. Returns true
// when the key was used.
bool pressFocusedButtonOnEnter(QWidget *window, QKeyEvent *event);

// A button that opens a pop-up menu calls `open` with the menu's place on
// every click: at the mouse pointer when clicked with the mouse; pressed from
// the keyboard (Space, Enter) or by a screen reader, just below the button's
// left edge, where the user is looking, since the pointer may then be
// anywhere on the screen.
void openMenuOnClick(QAbstractButton *button, std::function<void(const QPoint &)> open);

} // namespace Gui

#endif
