#include "ui/keyboardaccess.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QCursor>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>

#include <utility>

namespace Gui {

namespace {

// A drop-down list as a screen reader sees it: named by its accessible name,
// valued by the entry shown, with its popup list as the one child.
class AccessibleList final : public QAccessibleWidget {
public:
    explicit AccessibleList(QComboBox *list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            // Without a name of its own a list is called by the entry shown.
            return list()->accessibleName().isEmpty() ? list()->currentText()
                                                      : list()->accessibleName();
        case QAccessible::Value:
            return list()->currentText();
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        const bool open = list()->view()->isVisible();
        state.expandable = true;
        state.expanded = open;
        state.collapsed = !open;
        state.hasPopup = true;
        return state;
    }

    int childCount() const override { return 1; }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && child->object() == list()->view() ? 0 : -1;
    }

    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &action) override
    {
        if (action != showMenuAction() && action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (list()->view()->isVisible())
            list()->hidePopup();
        else
            list()->showPopup();
    }
    QStringList keyBindingsForAction(const QString &action) const override
    {
        if (action == showMenuAction() || action == pressAction())
            return {QKeySequence(Qt::ALT | Qt::Key_Down).toString(QKeySequence::NativeText)};
        return QAccessibleWidget::keyBindingsForAction(action);
    }

private:
    QComboBox *list() const { return static_cast<QComboBox *>(object()); }
};

QAccessibleInterface *listFactory(const QString &className, QObject *object)
{
    if (className == u"QComboBox") {
        if (auto *list = qobject_cast<QComboBox *>(object))
            return new AccessibleList(list);
    }
    return nullptr;
}

// Tells whether a button was last released by the mouse or pressed by a key.
class PressedByMouse final : public QObject {
public:
    explicit PressedByMouse(QAbstractButton *button) : QObject(button)
    {
        button->installEventFilter(this);
    }
    // Answers once per click: the next click starts unknown (not by the mouse).
    bool take() { return std::exchange(m_byMouse, false); }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonRelease)
            m_byMouse = true;
        else if (event->type() == QEvent::KeyPress)
            m_byMouse = false;
        return false;
    }

private:
    bool m_byMouse = false;
};

void turnPage(QTabWidget *tabs, int step)
{
    const int count = tabs->count();
    if (count > 1)
        tabs->setCurrentIndex((tabs->currentIndex() + step + count) % count);
}

} // namespace

void installAccessibleListNames()
{
    // Qt keeps each factory once; the latest installed is asked first.
    QAccessible::installFactory(&listFactory);
}

void addPageShortcuts(QTabWidget *tabs)
{
    QWidget *form = tabs->window();
    const struct {
        QList<QKeySequence> keys;
        int step;
    } turns[] = {
        {{QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)}, 1},
        {{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
          QKeySequence(Qt::CTRL | Qt::Key_PageUp)},
         -1},
    };
    for (const auto &[keys, step] : turns) {
        auto *shortcut = new QShortcut(form);
        shortcut->setKeys(keys);
        QObject::connect(shortcut, &QShortcut::activated, tabs,
                         [tabs, step = step] { turnPage(tabs, step); });
    }
}

void openMenuOnClick(QAbstractButton *button, std::function<void(const QPoint &)> open)
{
    auto *byMouse = new PressedByMouse(button);
    QObject::connect(button, &QAbstractButton::clicked, byMouse,
                     [button, byMouse, open = std::move(open)] {
                         open(byMouse->take() ? QCursor::pos()
                                              : button->mapToGlobal(button->rect().bottomLeft()));
                     });
}

bool pressFocusedButtonOnEnter(QWidget *window, QKeyEvent *event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    auto *button = qobject_cast<QPushButton *>(window->focusWidget());
    if (!button)
        return false;
    button->click();
    return true;
}

} // namespace Gui
