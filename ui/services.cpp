#include "ui/services.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

namespace {

class DesktopServices final : public UiServices {
public:
    void showMessage(QWidget *parent, const QString &text, const QString &title) override
    {
        // The application title is set on the box itself: a display name on
        // the application would be appended to every window caption.
        QMessageBox box(QMessageBox::NoIcon, title.isEmpty() ? QStringLiteral("velmora") : title,
                        text, QMessageBox::Ok, parent);
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
