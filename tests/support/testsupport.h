#ifndef TESTS_SUPPORT_TESTSUPPORT_H
#define TESTS_SUPPORT_TESTSUPPORT_H

#include "ui/resultlist.h"
#include "ui/services.h"

#include <QList>
#include <QTemporaryDir>
#include <QUrl>

#include <memory>

class QWidget;

// Services that answer every message box at once and record its text and
// title, and record every address instead of opening it; in force while the
// object exists.
class RecordingServices : public Gui::UiServices {
public:
    RecordingServices() { Gui::setServices(this); }
    ~RecordingServices() override { Gui::setServices(nullptr); }
    void showMessage(QWidget *parent, const QString &text, const QString &title) override
    {
        messages.append(title + u": " + text);
        messageParents.append(parent);
    }
    bool openUrl(const QUrl &url) override
    {
        urls.append(url);
        return !openingFails;
    }

    QStringList messages; // "Solar: Überlauf!"
    QList<QWidget *> messageParents;
    QList<QUrl> urls;
    bool openingFails = false; // as on a desktop without a PDF viewer or browser
};

// A settings store of the test's own in a temporary folder; clear() moves to
// a fresh empty folder. install() copies a fixture in as an application's file.
class IsolatedStore {
public:
    IsolatedStore() { clear(); }
    bool clear();
    bool install(const QString &fixture, const QString &application);
    QString path() const { return m_dir->path(); }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

// The text of each page of a PDF as pdftotext lays it out, blanks and line
// breaks made single blanks; empty if the file cannot be read.
QStringList pdfPages(const QString &path);
// The first of `fragments` not found after its predecessor in `text`.
QString firstOutOfOrder(const QString &text, const QStringList &fragments);

// A Solar row told apart from others by its number n in the date column.
Core::ResultRow numberedRow(int n);
// The rows of a result list, first to last.
QList<Core::ResultRow> rowsOf(const Gui::ResultList &list);

// Types text key by key into a field after giving it the focus, as a user does.
void typeInto(QWidget *window, const char *field, const QString &text);
// Clicks a button of the window by its name.
void click(QWidget *window, const char *button);
// Types texts into the numbered fields "fields_0", "fields_1", … of a form.
void type(QWidget *form, const char *fields, const QStringList &texts);
// The texts of the numbered fields "fields_0" … "fields_<count-1>", joined by '|'.
QString shown(QWidget *form, const char *fields, int count = 3);
// Closes a window that deletes itself on closing, and lets it go at once.
void closeNow(QWidget *window);
// Chooses the entry of a list by its text.
void choose(QWidget *form, const char *list, const QString &entry);

#endif
