#include "ui/services.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QUrl>

namespace {

// A message box is as wide as its text and button need, and Qt leaves only a
// little room for the title: under a window manager that draws the title bar
// with its own font and puts its buttons beside the title, a short text such
// as "Nulldivision!" under the title "GZK" cut the title to "…". The box is
// made as wide as the title in a bold title-bar font plus the room that the
// frame's buttons and margins take. A QMessageBox sets its own fixed size
// from its layout when it is shown, so the width goes into the layout as an
// empty item below everything else.
void MakeRoomForTitle(QMessageBox &box)
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
        MakeRoomForTitle(box);
        box.exec();
    }

    void openUrl(const QUrl &url) override { QDesktopServices::openUrl(url); }
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
