#ifndef TESTS_SUPPORT_TESTSUPPORT_H
#define TESTS_SUPPORT_TESTSUPPORT_H

#include "ui/services.h"

#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>

#include <functional>
#include <memory>

class QWidget;

// A text as written in the test's source (UTF-8).
inline QString s(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// Working a window as a user does. A control array's element is its name, '_'
// and the index ("txtDeg3_0").
//
// typeInto brings the field's page forward, clicks into the field (which
// selects its text) and types over it, key by key, umlauts too.
void typeInto(QWidget *window, const QString &field, const QString &text);
// Blank-separated actions: "field=text", "array=a,b,c" (typed into its
// elements in turn), "list:n" (a choice), "pickers:a,b,c" (a choice in each
// element) or the name of a button to click.
void act(QWidget *window, const QString &actions);
// What the window shows, in the notation of act(), for the names of `items`
// ("txtDeg1=,, Combo2:0"); "@" stands for the focused control's name.
//
//     QCOMPARE(state(form, s("txtDeg11=0,30,54 @Text5")), s("txtDeg11=0,30,54 @Text5"));
QString state(QWidget *window, const QString &items);

// The controls of a form whose caption cannot be read whole: a label's text
// (wrapped, or one line by its advance and the ink of its glyphs) beyond its
// room or under another control of its page, a button's text beyond its face,
// a list entry beyond the face of its list (where asked).
QStringList cutCaptions(const QWidget *form, bool covering, bool listEntries);

// Services that answer every message box at once and record it, and record
// every document or web address instead of opening it. From its construction
// it is the services in force (setServices); destroying it puts the real ones
// back unless a newer recorder has taken over.
//
//     RecordingServices recorder;
//     ... drive the form ...
//     QCOMPARE(recorder.messages, (QList<RecordedMessage>{{"Überlauf!", "Solar"}}));
struct RecordedMessage {
    QString text;
    QString title; // as passed: empty when the box shows the application title

    friend bool operator==(const RecordedMessage &, const RecordedMessage &) = default;
};

class RecordingServices : public UiServices {
public:
    RecordingServices();
    ~RecordingServices() override;
    RecordingServices(const RecordingServices &) = delete;
    RecordingServices &operator=(const RecordingServices &) = delete;

    void showMessage(QWidget *parent, const QString &text, const QString &title = {}) override;
    void openUrl(const QUrl &url) override;

    QList<RecordedMessage> messages;
    QList<QWidget *> messageParents; // the parent of each box, in step with messages
    QList<QUrl> openedUrls;

    // Runs while a box is "open" (after it was recorded): a test can look at
    // the form at that moment, as a user looking at the box would.
    std::function<void(const RecordedMessage &)> whileShown;

    void clear();
};

// A settings store of the test's own, in a temporary folder, never the
// developer's. While an object exists, QSettings' per-user native store lies
// below path(): application "velmora" in velmora/velmora.conf, "velmo" in
// velmora/velmo.conf. clear() moves to a fresh empty folder, so nothing that
// QSettings may hold in memory for the old files is seen again.
//
//     IsolatedStore store;                   // in the test class
//     void init() { QVERIFY(store.clear()); }
class IsolatedStore {
public:
    IsolatedStore();
    ~IsolatedStore();
    IsolatedStore(const IsolatedStore &) = delete;
    IsolatedStore &operator=(const IsolatedStore &) = delete;

    // False (with a warning) when no temporary folder could be made.
    bool clear();
    QString path() const;
    // The file that holds an application's store ("velmora" or "velmo").
    QString fileOf(const QString &application) const;
    // Copies a hand-written store file (a fixture beside the test) in place of
    // an application's store.
    bool install(const QString &fixtureFile, const QString &application);

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

#endif
