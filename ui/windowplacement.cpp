#include "ui/windowplacement.h"

#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace Gui {

namespace {

// Raises the page whenever the calculator becomes active (opened, clicked,
// back from one of its dialogs), as long as the two do not overlap: a window
// manager that raises the calculator's whole family raises the main window
// over the page too.
class PageOnTop : public QObject {
public:
    PageOnTop(QWidget *calculator, QWidget *page)
        : QObject(calculator), m_calculator(calculator), m_page(page)
    {
        calculator->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The window manager raises the family after the activation has been
        // reported: the page goes up once the event loop has let it do so.
        if (event->type() == QEvent::WindowActivate)
            QTimer::singleShot(150, this, [this] {
                if (m_page && m_page->isVisible() &&
                    !m_page->frameGeometry().intersects(m_calculator->frameGeometry()))
                    m_page->raise();
            });
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget *m_calculator;
    QPointer<QWidget> m_page;
};

} // namespace

SideBySide placeBeside(const QRect &available, const QRect &page, int narrowestPage,
                       const QSize &calculator)
{
    // Vertically the calculator starts level with the page, kept on screen.
    const int top =
        std::clamp(page.top(), available.top(),
                   std::max(available.top(), available.bottom() + 1 - calculator.height()));
    const auto at = [&](int left) {
        return QRect(QPoint(left, top), calculator);
    };

    if (page.right() + calculator.width() <= available.right())
        return {page, at(page.right() + 1)};
    if (page.left() - calculator.width() >= available.left())
        return {page, at(page.left() - calculator.width())};

    // No room on either side: the page goes to the left edge, narrowed as far
    // as it allows, and the calculator to the right edge.
    const int calculatorLeft = available.right() + 1 - calculator.width();
    QRect narrowed = page;
    narrowed.moveLeft(available.left());
    const int width =
        std::max(narrowestPage, std::min(page.width(), calculatorLeft - available.left()));
    narrowed.setWidth(width);
    return {narrowed, at(std::max(available.left(), calculatorLeft))};
}

void placeBeside(QWidget *calculator, QWidget *page)
{
    if (!page || !page->isVisible() || page->isMinimized() || !page->screen())
        return;
    const QRect frame = page->frameGeometry();
    const QRect inner = page->geometry();
    // The frame that the window manager puts around the calculator is taken
    // to be that of the page.
    const QMargins margins(inner.left() - frame.left(), inner.top() - frame.top(),
                           frame.right() - inner.right(), frame.bottom() - inner.bottom());
    const QSize calculatorFrame = calculator->size().grownBy(margins);
    // A window that can be narrowed below its layout's width says how far.
    const int narrowest =
        (page->minimumWidth() > 0 ? page->minimumWidth() : page->minimumSizeHint().width()) +
        margins.left() + margins.right();
    const SideBySide places =
        placeBeside(page->screen()->availableGeometry(), frame, narrowest, calculatorFrame);
    if (places.page != frame) {
        page->resize(places.page.size().shrunkBy(margins));
        page->move(places.page.topLeft());
    }
    calculator->move(places.calculator.topLeft());
    new PageOnTop(calculator, page);
}

void bringToFront(QWidget *window)
{
    if (window->isMinimized())
        window->showNormal();
    else
        window->show();
    window->raise();
    window->activateWindow();
}

} // namespace Gui
