#include "astro/zodiac.h"
#include "exercise/exercisewindow.h"
#include "main/documents.h"
#include "main/mainwindow.h"
#include "main/translations.h"
#include "rekti/rectificationform.h"
#include "solar/solarform.h"
#include "tests/support/testsupport.h"
#include "ui/windowplacement.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace Core;
using namespace Gui;
using namespace Exercise;
using namespace App;

// The main window: the result list's buttons, the documents and web sites,
// the keyboard, and the splash that opens it.
class tst_MainWindow : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_store.clear()); }
    void selectAllOnTheUsersFocus_data();
    void selectAllOnTheUsersFocus();
    void documentsAndLinks();
    void exercisesBesideTheCalculators();
    void menuPlace_data();
    void menuPlace();
    void besideTheExercise_data();
    void besideTheExercise();
    void qtTexts();

private:
    IsolatedStore m_store;
};

namespace {
// Whether a window has been blocked by a modal one since it was watched.
class BlockWatch : public QObject {
public:
    explicit BlockWatch(QWidget *window) { window->installEventFilter(this); }
    bool blocked = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::WindowBlocked)
            blocked = true;
        else if (event->type() == QEvent::WindowUnblocked)
            blocked = false;
        return QObject::eventFilter(watched, event);
    }
};

QString textOf(QWidget *window, const char *field)
{
    return window->findChild<QLineEdit *>(QLatin1String(field))->text();
}

// The exercise windows on screen or hidden: they are windows of their own.
QList<ExerciseWindow *> exerciseWindows()
{
    QList<ExerciseWindow *> found;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *exercises = qobject_cast<ExerciseWindow *>(window))
            found.append(exercises);
    }
    return found;
}
} // namespace

// Only the focus that the user gives a person field (Tab, Shift+Tab, a click,
// a shortcut) selects its whole text; coming back to the window or a focus set
// by the program keeps the caret, and the step fields of a calculator keep it
// also when tabbed into.
void tst_MainWindow::selectAllOnTheUsersFocus_data()
{
    QTest::addColumn<QString>("field"); // of the Solar form unless on the main window
    QTest::addColumn<Qt::FocusReason>("reason");
    QTest::addColumn<bool>("selectsAll");
    const auto row = [](const char *tag, const char16_t *field, Qt::FocusReason reason, bool all) {
        QTest::newRow(tag) << QString::fromUtf16(field) << reason << all;
    };
    row("name, Tab", u"Text1h_0", Qt::TabFocusReason, true);
    row("name, click", u"Text1h_0", Qt::MouseFocusReason, true);
    row("name, back to the window", u"Text1h_0", Qt::ActiveWindowFocusReason, false);
    row("name, set by the program", u"Text1h_0", Qt::OtherFocusReason, false);
    row("step 2, Tab", u"txtDeg02_0", Qt::TabFocusReason, false);
}

void tst_MainWindow::selectAllOnTheUsersFocus()
{
    QFETCH(QString, field);
    QFETCH(Qt::FocusReason, reason);
    QFETCH(bool, selectsAll);
    RecordingServices recorder;
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QWidget *form = &window;
    if (field != u"Text1h_0") {
        click(&window, "Command2");
        form = window.findChild<QDialog *>();
        QTRY_COMPARE(QApplication::activeWindow(), form);
    }
    auto *edit = form->findChild<QLineEdit *>(field);
    edit->setText(u"Hans Meier"_s);
    edit->setFocus();
    edit->setCursorPosition(4); // the caret after "Hans"
    if (reason == Qt::ActiveWindowFocusReason) {
        QWidget elsewhere; // another application's window
        elsewhere.show();
        QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    } else {
        edit->clearFocus();
        if (reason == Qt::MouseFocusReason)
            QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(4, edit->height() / 2));
        else
            edit->setFocus(reason);
    }
    QVERIFY(edit->hasFocus());
    QCOMPARE(edit->selectedText(), selectsAll ? u"Hans Meier"_s : QString());
    if (!selectsAll)
        QCOMPARE(edit->cursorPosition(), 4);
}

void tst_MainWindow::documentsAndLinks()
{
    RecordingServices recorder;
    MainWindow window;
    window.show();
    for (const char16_t *item : {u"prog", u"fpsolar", u"fpgzk"})
        window.findChild<QAction *>(QString::fromUtf16(item))->trigger();
    click(&window, "Command4");
    click(&window, "Command5");
    QStringList files;
    for (const QUrl &url : std::as_const(recorder.urls))
        files << url.toLocalFile().section(u'/', -3);
    QCOMPARE(files,
             (QStringList{u"pdf/other/Programmbedienung.pdf"_s, u"pdf/other/Fahrplan Solar.pdf"_s,
                          u"pdf/other/Fahrplan GZK.pdf"_s, u"pdf/other/Berechnung des Solars.pdf"_s,
                          u"pdf/other/Berechnung der Rektifikation.pdf"_s}));
    // Each web site opens from its link label, by the keyboard too.
    recorder.urls.clear();
    for (const char16_t *name : {u"Label6", u"Label7"}) {
        emit window.findChild<QLabel *>(QString::fromUtf16(name))->linkActivated(QString());
    }
    QCOMPARE(recorder.urls, (QList{providerUrl(), publisherUrl()}));
    // The two-character prefix of a teaching document sets its place in the
    // menu and is not shown.
    QStringList captions;
    for (const TeachingItem &item :
         teachingItems({u"02Zeit.pdf"_s, u"01Aspekte.pdf"_s, u"A.pdf"_s}))
        captions << item.caption;
    QCOMPARE(captions, (QStringList{u"Aspekte"_s, u"Zeit"_s, u"A"_s}));
}

// Opened from the keyboard, the menu of "Programmbedienung" (Command1) or
// "Lehrmaterialien" (Command6) hangs below its button, where the user is
// looking; opened by the mouse, at the pointer. No item is marked before the
// user moves to one.
void tst_MainWindow::menuPlace_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key"); // 0: a click with the mouse
    for (const char *button : {"Command1", "Command6"}) {
        QTest::addRow("%s, Space", button) << QString::fromLatin1(button) << int(Qt::Key_Space);
        QTest::addRow("%s, Enter", button) << QString::fromLatin1(button) << int(Qt::Key_Return);
        QTest::addRow("%s, mouse", button) << QString::fromLatin1(button) << 0;
    }
}

void tst_MainWindow::menuPlace()
{
    QFETCH(QString, button);
    QFETCH(int, key);
    RecordingServices recorder;
    MainWindow window;
    window.findChild<QAction *>(u"unter_0"_s)->setVisible(true); // a teaching document
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCursor::setPos(window.mapToGlobal(QPoint(window.width() / 2, 8))); // away from the buttons
    auto *pressed = window.findChild<QPushButton *>(button);
    pressed->setFocus(Qt::TabFocusReason);

    std::optional<QPoint> place;
    QAction *marked = nullptr;
    QTimer::singleShot(0, [&] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            place = menu->pos();
            marked = menu->activeAction();
            menu->close();
        }
    });
    if (key)
        QTest::keyClick(pressed, Qt::Key(key));
    else
        QTest::mouseClick(pressed, Qt::LeftButton);
    QTRY_VERIFY(place);
    QCOMPARE(*place, key ? pressed->mapToGlobal(pressed->rect().bottomLeft()) : QCursor::pos());
    QCOMPARE(marked, nullptr);
}

QTEST_MAIN(tst_MainWindow)
// The exercises open beside the main window, once, last in its tab order:
// a second press brings the same window with its task to the front, also
// after it was closed, and closing the main window closes it too.
// "In den Rechner übernehmen": the task's person replaces the main window's
// (one Ctrl+Z away), the calculator of the task's kind opens on the task, and
// the exercise window goes on taking input beside it.
void tst_MainWindow::exercisesBesideTheCalculators()
{
    RecordingServices recorder;
    MainWindow window;
    typeInto(&window, "Text1h_0", u"Anna Berg"_s);
    typeInto(&window, "txtTime0h_0", u"14"_s);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // After the web sites (the first Tab in a link label goes to its link).
    window.findChild<QLabel *>(u"Label7"_s)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), u"cmdUebungen"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(exerciseWindows().size(), 1);
    ExerciseWindow *exercises = exerciseWindows().constFirst();
    QVERIFY(exercises->isVisible() && !exercises->isModal());
    const int shown = exercises->task()->number;
    exercises->close();
    click(&window, "cmdUebungen");
    QCOMPARE(exerciseWindows(), QList{exercises});
    QVERIFY(exercises->isVisible() && exercises->task()->number == shown);

    QVERIFY(exercises->showTask(4711));
    const Exercise::Task task = *exercises->task();
    BlockWatch watch(exercises);
    click(exercises, "cmdInRechner");
    auto *form = window.findChild<Solar::SolarForm *>();
    QVERIFY(form && form->isVisible());
    QCOMPARE(textOf(&window, "Text1h_0"), task.firstName + u' ' + task.surname);
    QCOMPARE(textOf(&window, "txtDateh_2"), QString::number(task.birthDate.year()));
    QCOMPARE(textOf(&window, "Text3h_0"), task.town);
    QCOMPARE(textOf(&window, "txtTime0h_0"), QString()); // the task gives no time
    const Solar::Header &hand = form->state().header;
    QCOMPARE(hand.sign, Astro::signName(task.radix / Astro::ArcSecondsPerSign));
    QCOMPARE(hand.year, QString::number(task.solarYear));
    QCOMPARE(hand.radix, secondsToTriple(task.radix % Astro::ArcSecondsPerSign));
    QCOMPARE(hand.birthDate[0], QString::number(task.birthDate.day()));
    QCOMPARE(hand.birthDate[1], QString::number(task.birthDate.month()));
    // The page takes the answer and checks it while the calculator is open.
    QVERIFY(!watch.blocked);
    QCOMPARE(QApplication::activeModalWidget(), form);
    typeInto(exercises, "txtAntwort_0", u"1"_s);
    click(exercises, "cmdPruefen");
    QCOMPARE(recorder.messageParents, QList<QWidget *>{exercises});
    form->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(textOf(&window, "Text1h_0"), u"Anna Berg"_s);
    QCOMPARE(textOf(&window, "txtTime0h_0"), u"14"_s);

    // A rectification task: the person with the recorded birth time, and
    // what the task gives in the form's head.
    exercises->findChild<QComboBox *>(u"cmbArt"_s)->setCurrentIndex(1);
    const Exercise::GzkTask gzk = *exercises->gzkTask();
    click(exercises, "cmdInRechner");
    auto *rectification = window.findChild<Rectification::RectificationForm *>();
    QVERIFY(rectification && rectification->isVisible());
    QCOMPARE(textOf(&window, "Text1h_0"), gzk.firstName + u' ' + gzk.surname);
    QCOMPARE(textOf(&window, "txtTime0h_0"), QString::number(gzk.recordedTime.hour()));
    QCOMPARE(textOf(&window, "txtTime0h_1"), QString::number(gzk.recordedTime.minute()));
    const Rectification::Header &head = rectification->state().header;
    QCOMPARE(head.event, gzk.event);
    QCOMPARE(head.eventDate, gzk.eventDate.toString(u"dd.MM.yyyy"_s));
    QCOMPARE(Sexagesimal::read(head.birthSiderealTime).totalSeconds(), gzk.birthSiderealTime);
    QCOMPARE(rectification->state().entries.birthSiderealTimeOfStep8.totalSeconds(),
             gzk.birthSiderealTime);
    QCOMPARE(recorder.messages.size(), 1);
    rectification->close();

    window.close();
    QVERIFY(!exercises->isVisible());
}

// Where a calculator of 560 × 700 goes beside an exercise window 760 wide
// (both with their frames; the screen's free area is 30 pixels short of the
// screen for a panel).
void tst_MainWindow::besideTheExercise_data()
{
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("page");
    QTest::addColumn<QRect>("pageAfter");
    QTest::addColumn<QRect>("calculator");
    const QSize size(560, 700);
    QTest::newRow("room on the right") << QRect(0, 0, 1366, 738) << QRect(0, 0, 760, 600)
                                       << QRect(0, 0, 760, 600) << QRect(QPoint(760, 0), size);
    QTest::newRow("room on the left, kept on screen")
        << QRect(0, 0, 1366, 738) << QRect(700, 100, 600, 500) << QRect(700, 100, 600, 500)
        << QRect(QPoint(140, 38), size);
    QTest::newRow("1024 x 768: the page narrowed")
        << QRect(0, 0, 1024, 738) << QRect(100, 20, 760, 600) << QRect(0, 20, 464, 600)
        << QRect(QPoint(464, 20), size);
    QTest::newRow("too small a screen: as little covered as can be")
        << QRect(0, 0, 800, 570) << QRect(100, 0, 760, 500) << QRect(0, 0, 420, 500)
        << QRect(QPoint(240, 0), size);
}

void tst_MainWindow::besideTheExercise()
{
    QFETCH(QRect, available);
    QFETCH(QRect, page);
    QFETCH(QRect, pageAfter);
    QFETCH(QRect, calculator);
    const SideBySide places = placeBeside(available, page, 420, QSize(560, 700));
    QCOMPARE(places.page, pageAfter);
    QCOMPARE(places.calculator, calculator);
}

// Without Qt's translations the program starts all the same; once they are
// loaded, Qt's own buttons and menus speak German.
void tst_MainWindow::qtTexts()
{
    QTemporaryDir empty;
    QVERIFY(!loadQtGermanTexts(*qApp, empty.path()));
    QCOMPARE(QDialogButtonBox(QDialogButtonBox::Save).buttons().constFirst()->text(), u"Save"_s);
    QVERIFY2(loadQtGermanTexts(*qApp), "qt6-translations-l10n is missing (scripts/setup.sh)");
    QCOMPARE(QDialogButtonBox(QDialogButtonBox::Save).buttons().constFirst()->text(),
             u"Speichern"_s);
    QLineEdit field;
    const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    QVERIFY(menu->actions().constFirst()->text().startsWith(u"&Rückgängig"_s));
}

#include "tst_mainwindow.moc"
