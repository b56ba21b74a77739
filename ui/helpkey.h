#ifndef UI_HELPKEY_H
#define UI_HELPKEY_H

#include <functional>

class QWidget;

namespace Gui {

// F1 in a window opens the document that explains it: `open` is called with
// the window in which F1 was pressed, so that a failure is reported there.
// The key works in the dialogs that the window opens later too (the Solar
// check, a print preview): they explain the same calculation. A dialog that
// was given a document of its own before it is shown (a calculator opened
// over another) keeps its own.
void openHelpOnF1(QWidget *window, std::function<void(QWidget *asker)> open);

} // namespace Gui

#endif
