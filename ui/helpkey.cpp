#include "ui/helpkey.h"

#include <QChildEvent>
#include <QDialog>
#include <QEvent>
#include <QShortcut>
#include <QVariant>

namespace Gui {

namespace {

// Marks a window that has a document of its own: a dialog opened over it
// keeps that one and does not take the window's too.
const char *const OwnHelp = "velmoraOwnHelp";

// Gives F1 to every dialog of the window once it is polished, that is once it
// is fully built and about to be shown.
class HelpForDialogs : public QObject {
public:
    HelpForDialogs(QWidget *window, std::function<void(QWidget *)> open)
        : QObject(window), m_open(std::move(open))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ChildPolished) {
            auto *dialog = qobject_cast<QDialog *>(static_cast<QChildEvent *>(event)->child());
            if (dialog && dialog->isWindow() && !dialog->property(OwnHelp).toBool())
                openHelpOnF1(dialog, m_open);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void(QWidget *)> m_open;
};

} // namespace

void openHelpOnF1(QWidget *window, std::function<void(QWidget *asker)> open)
{
    window->setProperty(OwnHelp, true);
    auto *help = new QShortcut(QKeySequence::HelpContents, window);
    QObject::connect(help, &QShortcut::activated, window, [window, open] { open(window); });
    new HelpForDialogs(window, std::move(open));
}

} // namespace Gui
