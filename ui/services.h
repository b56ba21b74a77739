#ifndef UI_SERVICES_H
#define UI_SERVICES_H

#include <QString>

class QUrl;
class QWidget;

namespace Gui {

// What the forms need from the desktop, gathered in one place so that tests
// can answer message boxes at once and record what would have been opened.
class UiServices {
public:
    virtual ~UiServices() = default;

    // A modal message box with no icon and one OK button (style 0); returns
    // after the user has closed it. A box without its own title shows the
    // application title "velmora".
    virtual void showMessage(QWidget *parent, const QString &text, const QString &title = {}) = 0;

    // The desktop's open action for a document or a web address; returns at
    // once, false when the desktop has nothing that opens it (no PDF viewer,
    // no browser, no launcher at all).
    virtual bool openUrl(const QUrl &url) = 0;
};

// The services in force: the real Qt ones unless a test has installed others.
UiServices &services();
// Installs other services (nullptr: back to the real ones); the caller keeps ownership.
void setServices(UiServices *replacement);

// Opens a document (a local file) or a web address for the window `asker`
// (any widget of it). When the desktop cannot open it the user is told so,
// in a message titled as that window: "Das Dokument konnte nicht geöffnet
// werden: <path>" or "Die Internetseite konnte nicht geöffnet werden:
// <address>".
void openForWindow(QWidget *asker, const QUrl &url);

} // namespace Gui

#endif
