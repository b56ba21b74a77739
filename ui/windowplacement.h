#ifndef UI_WINDOWPLACEMENT_H
#define UI_WINDOWPLACEMENT_H

#include <QRect>

class QWidget;

namespace Gui {

// A calculator opened while the exercise window is on screen goes beside it,
// so that the task and its ephemeris page stay readable while the student
// works.

struct SideBySide {
    QRect page;       // where the window that is read stays (its frame)
    QRect calculator; // where the calculator goes (its frame)
};

// Places a calculator frame of size `calculator` beside the frame `page`
// within the screen's free area `available`: to the right of the page where
// there is room, else to its left. Where neither side has room, the page
// moves to the left edge and gives up width down to `narrowestPage`, and the
// calculator goes to the right edge; only when even that does not fit does
// the calculator cover the page's right-hand part, never more than it must.
SideBySide placeBeside(const QRect &available, const QRect &page, int narrowestPage,
                       const QSize &calculator);

// The same for two windows: `calculator` is about to be shown, `page` is
// visible. The calculator's frame is estimated from the page's. A window
// manager that raises a dialog's parent window together with it would put
// that window over the page: whenever the calculator becomes active, the page
// is raised again where the two do not overlap.
void placeBeside(QWidget *calculator, QWidget *page);

// Shows a window, restored from the task bar if need be, in front of the
// others.
void bringToFront(QWidget *window);

} // namespace Gui

#endif
