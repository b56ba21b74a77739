#include "ui/services.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QUrl>
#include <QWidget>

namespace Gui {

namespace {

// A message box is as wide as its text and button need, and Qt leaves only a
// little room for the title: under a window manager that draws the title bar
// with its own font and puts its buttons beside the title, a short text such
// as "Nulldivision!" under the title "GZK" cut the title to "…". The box is
// made as wide as the title in a bold title-bar font plus the room that the
// frame's buttons and margins take. A QMessageBox sets its own fixed size
// from its layout when it is shown, so the width goes into the layout as an
// empty item below everything else.
void makeRoomForTitle(QMessageBox &box)
{
    constexpr int FrameButtons = 120; // close, maximise, minimise, menu and margins
    QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
    titleFont.setBold(true);
    const int width = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + FrameButtons;
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout())) {
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
}

class DesktopServices final : public UiServices {
public:
    void showMessage(QWidget *parent, const QString &text, const QString &title) override
    {
        // The application title is set on the box itself: a display name on
        // the application would be appended to every window caption.
        QMessageBox box(QMessageBox::NoIcon, title.isEmpty() ? QStringLiteral("velmora") : title,
                        text, QMessageBox::Ok, parent);
        makeRoomForTitle(box);
        box.exec();
    }

    bool openUrl(const QUrl &url) override { return QDesktopServices::openUrl(url); }
};

DesktopServices desktopServices;
UiServices *installed = nullptr;

} // namespace

UiServices &services()
{
    return installed ? *installed : desktopServices;
}

void setServices(UiServices *replacement)
{
    installed = replacement;
}

void openForWindow(QWidget *asker, const QUrl &url)
{
    if (services().openUrl(url))
        return;
    const QString text =
        url.isLocalFile()
            ? QStringLiteral("Das Dokument konnte nicht geöffnet werden: ") +
                  QDir::toNativeSeparators(url.toLocalFile())
            : QStringLiteral("Die Internetseite konnte nicht geöffnet werden: ") + url.toString();
    QWidget *window = asker ? asker->window() : nullptr;
    services().showMessage(window, text, window ? window->windowTitle() : QString());
}

} // namespace Gui
