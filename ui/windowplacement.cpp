#include "ui/windowplacement.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

SideBySide PlaceBeside(const QRect &available, const QRect &page, int narrowestPage,
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

void PlaceBeside(QWidget *calculator, QWidget *page)
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
    const int narrowest = page->minimumSizeHint().width() + margins.left() + margins.right();
    const SideBySide places =
        PlaceBeside(page->screen()->availableGeometry(), frame,
                    std::max(narrowest, page->minimumWidth()), calculatorFrame);
    if (places.page != frame) {
        page->resize(places.page.size().shrunkBy(margins));
        page->move(places.page.topLeft());
    }
    calculator->move(places.calculator.topLeft());
}
