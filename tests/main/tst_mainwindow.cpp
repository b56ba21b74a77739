#include "astro/zodiac.h"
#include "exercise/exercisewindow.h"
#include "main/documents.h"
#include "main/mainwindow.h"
#include "main/translations.h"
#include "rekti/rectificationform.h"
#include "solar/solarform.h"
#include "tests/support/testsupport.h"
#include "ui/resultlist.h"
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
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <cstdio>

using namespace Qt::StringLiterals;
using namespace Core;
using namespace Gui;
using namespace Exercise;
using namespace App;

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

// The child of survivesAKill: works on the store in `folder` as a user would,
// says "ready" and keeps running until it is killed.
int runChild(const QString &folder)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
    RecordingServices quiet;
    MainWindow window;
    window.show();
    for (int n = 1; n <= 3; ++n)
        window.addResultRow(numberedRow(n)); // as a calculator's "Okay" does
    window.resultList().setCurrentPosition(2);
    window.findChild<QPushButton *>(u"Command10"_s)->click();
    auto *name = window.findChild<QLineEdit *>(u"Text1h_0"_s);
    name->setFocus();
    QTest::keyClicks(name, u"Anna Berg"_s);
    // Both calculators open, typed into, and never closed.
    window.findChild<QPushButton *>(u"Command2"_s)->click();
    QWidget *solar = window.findChild<QWidget *>(u"Solar"_s);
    typeInto(solar, "Text1_0", u"Krebs"_s);
    typeInto(solar, "Text1_1", u"2025"_s);
    window.findChild<QComboBox *>(u"cmbDeg13_1"_s)->setCurrentIndex(22);
    window.findChild<QPushButton *>(u"Command3"_s)->click();
    QWidget *rectification = window.findChild<QWidget *>(u"Rekti"_s);
    typeInto(rectification, "Text7_0", u"Heirat"_s);
    typeInto(rectification, "txtJahre_0", u"34"_s);
    std::puts("ready");
    std::fflush(stdout);
    return QApplication::exec();
}
} // namespace

// The main window: the documents and web sites, the keyboard, the exercises
// beside the calculators. Nothing the user did is lost: the store follows every
// change at once, the deletions can be taken back, F1 explains where the user
// is, and message boxes show their whole titles.
class tst_MainWindow : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_store.clear()); }
    // Only the focus that the user gives a person field (Tab, Shift+Tab, a click,
    // a shortcut) selects its whole text; coming back to the window or a focus set
    // by the program keeps the caret, and the step fields of a calculator keep it
    // also when tabbed into.
    void selectAllOnTheUsersFocus_data()
    {
        QTest::addColumn<QString>("field"); // of the Solar form unless on the main window
        QTest::addColumn<Qt::FocusReason>("reason");
        QTest::addColumn<bool>("selectsAll");
        const auto row = [](const char *tag, const char16_t *field, Qt::FocusReason reason,
                            bool all) {
            QTest::newRow(tag) << QString::fromUtf16(field) << reason << all;
        };
        row("name, Tab", u"Text1h_0", Qt::TabFocusReason, true);
        row("name, click", u"Text1h_0", Qt::MouseFocusReason, true);
        row("name, back to the window", u"Text1h_0", Qt::ActiveWindowFocusReason, false);
        row("name, set by the program", u"Text1h_0", Qt::OtherFocusReason, false);
        row("step 2, Tab", u"txtDeg02_0", Qt::TabFocusReason, false);
    }

    void selectAllOnTheUsersFocus()
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

    void documentsAndLinks()
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
        QCOMPARE(
            files,
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

    // The exercises open beside the main window, once, last in its tab order:
    // a second press brings the same window with its task to the front, also
    // after it was closed, and closing the main window closes it too.
    // "In den Rechner übernehmen": the task's person replaces the main window's
    // (one Ctrl+Z away), the calculator of the task's kind opens on the task, and
    // the exercise window goes on taking input beside it.
    void exercisesBesideTheCalculators()
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

    // Opened from the keyboard, the menu of "Programmbedienung" (Command1) or
    // "Lehrmaterialien" (Command6) hangs below its button, where the user is
    // looking; opened by the mouse, at the pointer. No item is marked before the
    // user moves to one.
    void menuPlace_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key"); // 0: a click with the mouse
        for (const char *button : {"Command1", "Command6"}) {
            QTest::addRow("%s, Space", button) << QString::fromLatin1(button) << int(Qt::Key_Space);
            QTest::addRow("%s, Enter", button)
                << QString::fromLatin1(button) << int(Qt::Key_Return);
            QTest::addRow("%s, mouse", button) << QString::fromLatin1(button) << 0;
        }
    }

    void menuPlace()
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

    // Where a calculator of 560 × 700 goes beside an exercise window 760 wide
    // (both with their frames; the screen's free area is 30 pixels short of the
    // screen for a panel).
    void besideTheExercise_data()
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

    void besideTheExercise()
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
    void qtTexts()
    {
        QTemporaryDir empty;
        QVERIFY(!loadQtGermanTexts(*qApp, empty.path()));
        QCOMPARE(QDialogButtonBox(QDialogButtonBox::Save).buttons().constFirst()->text(),
                 u"Save"_s);
        QVERIFY2(loadQtGermanTexts(*qApp), "qt6-translations-l10n is missing (scripts/setup.sh)");
        QCOMPARE(QDialogButtonBox(QDialogButtonBox::Save).buttons().constFirst()->text(),
                 u"Speichern"_s);
        QLineEdit field;
        const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
        QVERIFY(menu->actions().constFirst()->text().startsWith(u"&Rückgängig"_s));
    }

    void survivesAKill()
    {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {u"--child"_s, m_store.path()});
        QVERIFY(child.waitForReadyRead(60000));
        QCOMPARE(child.readLine().trimmed(), "ready");
        // The name was typed just before "ready" and is written a second after the
        // last key; the margin is for a busy machine.
        QTest::qWait(1500);
        child.kill();
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        MainWindow again;
        QCOMPARE(rowsOf(again.resultList()), (QList{numberedRow(1), numberedRow(3)}));
        QCOMPARE(again.findChild<QLineEdit *>(u"Text1h_0"_s)->text(), u"Anna Berg"_s);
        // The next opening of each calculator brings back what was typed.
        click(&again, "Command2");
        QWidget *solar = again.findChild<QWidget *>(u"Solar"_s);
        QCOMPARE(solar->findChild<QLineEdit *>(u"Text1_0"_s)->text(), u"Krebs"_s);
        QCOMPARE(solar->findChild<QLineEdit *>(u"Text1_1"_s)->text(), u"2025"_s);
        QCOMPARE(solar->findChild<QComboBox *>(u"cmbDeg13_1"_s)->currentIndex(), 22);
        click(&again, "Command3");
        QWidget *rectification = again.findChild<QWidget *>(u"Rekti"_s);
        QCOMPARE(rectification->findChild<QLineEdit *>(u"Text7_0"_s)->text(), u"Heirat"_s);
        QCOMPARE(rectification->findChild<QLineEdit *>(u"txtJahre2_0"_s)->text(), u"34"_s);
    }

    // Each action is one character: 1-4 mark that row (0 none), d "markierte Zeile
    // löschen", k the Delete key in the list, a "Liste löschen", e Enter on its
    // focused button, + a new row 5, z Ctrl+Z; c Ctrl+click on the marked row and
    // b a click below the rows take the mark off and leave the row current.
    void deletionsUndone_data()
    {
        QTest::addColumn<QString>("actions");
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<int>("current");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("nextUndo"); // empty: nothing left to take back
        const QList<int> all{1, 2, 3, 4};
        const QStringList none;
        const QStringList empty{u"velmora: Liste ist leer"_s};
        const QString row = u"Zeile löschen"_s;
        const QString list = u"Liste löschen"_s;
        QTest::newRow("second click, one undo") << u"2ddz"_s << QList{1, 3, 4} << 2 << none << row;
        QTest::newRow("Delete key") << u"3k"_s << QList{1, 2, 4} << 3 << none << row;
        QTest::newRow("last row: its predecessor") << u"4k"_s << QList{1, 2, 3} << 3 << none << row;
        QTest::newRow("last row, Delete key back") << u"4kz"_s << all << 4 << none << QString();
        QTest::newRow("all, then a row") << u"3adz"_s << all << 3 << empty << QString();
        QTest::newRow("Enter on the button") << u"e"_s << QList<int>() << 0 << none << list;
        QTest::newRow("empty list, Delete key") << u"ak"_s << QList<int>() << 0 << empty << list;
        QTest::newRow("nothing current") << u"0kdz"_s << all << 0 << none << QString();
        QTest::newRow("Ctrl+click") << u"2cd"_s << all << 2 << none << QString();
        QTest::newRow("click below the rows") << u"2bk"_s << all << 2 << none << QString();
        QTest::newRow("new rows stay last")
            << u"1d+z"_s << QList{1, 2, 3, 4, 5} << 1 << none << QString();
        QTest::newRow("back to the start") << u"1d2dazzzz"_s << all << 1 << none << QString();
    }

    void deletionsUndone()
    {
        QFETCH(QString, actions);
        QFETCH(QList<int>, rows);
        QFETCH(int, current);
        QFETCH(QStringList, messages);
        QFETCH(QString, nextUndo);
        RecordingServices recorder;
        MainWindow window;
        ResultList &list = window.resultList();
        QCOMPARE(list.view()->model()->headerData(1, Qt::Horizontal).toString(),
                 u"Datum / Ereignis"_s);
        for (int n = 1; n <= 4; ++n)
            QVERIFY(window.addResultRow(numberedRow(n)));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTreeView *view = list.view();
        view->setFocus();
        const QPoint second = view->visualRect(view->model()->index(1, 0)).center();
        for (const QChar action : std::as_const(actions)) {
            if (action.isDigit()) {
                list.setCurrentPosition(action.digitValue());
            } else if (action == u'd') {
                click(&window, "Command10");
            } else if (action == u'a') {
                click(&window, "Command9");
            } else if (action == u'e') {
                auto *all = window.findChild<QPushButton *>(u"Command9"_s);
                all->setFocus();
                QTest::keyClick(all, Qt::Key_Return);
            } else if (action == u'k') {
                QTest::keyClick(view, Qt::Key_Delete);
            } else if (action == u'c') {
                QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ControlModifier, second);
            } else if (action == u'b') {
                QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                                  {second.x(), view->viewport()->height() - 2});
            } else if (action == u'+') {
                QVERIFY(window.addResultRow(numberedRow(5)));
            } else if (action == u'z') {
                QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
            }
        }
        QList<ResultRow> expected;
        for (int n : std::as_const(rows))
            expected.append(numberedRow(n));
        QCOMPARE(rowsOf(list), expected);
        QCOMPARE(list.currentPosition(), current);
        QCOMPARE(recorder.messages, messages);
        // The way back is told beside the list while there is one, and names the
        // step it takes.
        QCOMPARE(view->toolTip(), nextUndo.isEmpty() ? QString() : MainWindow::undoHint());
        QCOMPARE(window.findChild<QAction *>(u"undo"_s)->text(),
                 nextUndo.isEmpty() ? u"Rückgängig"_s : u"Rückgängig: "_s + nextUndo);
        // The window goes without being closed: the store already holds the list.
        QCOMPARE(rowsOf(MainWindow().resultList()), expected);
    }

    // The list holds at most 32 767 rows. A deletion whose rows no longer fit
    // beside the row added since is not taken back: the list is full, and the
    // deletion stays the next step to take back.
    void undoRefusedOnAFullList()
    {
        RecordingServices recorder;
        MainWindow window;
        ResultList &list = window.resultList();
        QList<ResultRow> rows;
        for (int n = 1; n <= ResultList::MaxRows; ++n)
            rows.append(numberedRow(n));
        QCOMPARE(list.appendRows(rows), ResultList::MaxRows);
        list.setCurrentPosition(ResultList::MaxRows);
        click(&window, "Command10");
        QVERIFY(window.addResultRow(numberedRow(0)));
        auto *undo = window.findChild<QAction *>(u"undo"_s);
        for (int attempt = 1; attempt <= 2; ++attempt) {
            QCOMPARE(undo->text(), u"Rückgängig: Zeile löschen"_s);
            undo->trigger();
            QCOMPARE(list.rowCount(), ResultList::MaxRows);
            QCOMPARE(list.row(ResultList::MaxRows), numberedRow(0));
            QCOMPARE(recorder.messages, QStringList(attempt, u"velmora: Liste ist voll"_s));
        }
        QVERIFY(undo->isEnabled());
    }

    void newCalculationUndone()
    {
        RecordingServices recorder;
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        typeInto(&window, "Text1h_0", u"Anna Berg"_s);
        typeInto(&window, "txtDateh_2", u"1970"_s);
        auto *start = window.findChild<QPushButton *>(u"Command7"_s);
        start->setFocus();
        QTest::keyClick(start, Qt::Key_Space);
        QCOMPARE(MainWindow().findChild<QLineEdit *>(u"txtDateh_2"_s)->text(), QString());
        // The list's "Rückgängig" is the same step as Ctrl+Z.
        auto *undo = window.findChild<QAction *>(u"undo"_s);
        QCOMPARE(undo->text(), u"Rückgängig: Neue Berechnung starten"_s);
        undo->trigger();
        MainWindow reread;
        QCOMPARE(reread.findChild<QLineEdit *>(u"Text1h_0"_s)->text(), u"Anna Berg"_s);
        QCOMPARE(reread.findChild<QLineEdit *>(u"txtDateh_2"_s)->text(), u"1970"_s);
        QVERIFY(!undo->isEnabled());
        QCOMPARE(undo->text(), u"Rückgängig"_s);
    }

    // Without a PDF viewer or browser, the window that asked says what could not
    // be opened. Each way is one character: F1 in the main window (h), in the
    // Solar calculator (s), in the rectification (r), in the Solar check (k); the
    // provider's link (l).
    void failedOpeningTold_data()
    {
        QTest::addColumn<char>("way");
        QTest::addColumn<QString>("title"); // empty: the main window's
        QTest::addColumn<QString>("ending");
        QTest::newRow("main window") << 'h' << QString() << u"/Programmbedienung.pdf"_s;
        QTest::newRow("Solar") << 's' << u"Solarberechnung"_s
                               << u"/pdf/other/Berechnung des Solars.pdf"_s;
        QTest::newRow("rectification") << 'r' << u"Rektifikation mit primär dirigierten Achsen"_s
                                       << u"/pdf/other/Berechnung der Rektifikation.pdf"_s;
        QTest::newRow("Solar check")
            << 'k' << u"Kontrolle mit genauer Rechnung"_s << u"/Berechnung des Solars.pdf"_s;
        QTest::newRow("web site") << 'l' << QString() << QString();
    }

    void failedOpeningTold()
    {
        QFETCH(char, way);
        QFETCH(QString, title);
        QFETCH(QString, ending);
        RecordingServices recorder;
        recorder.openingFails = true;
        MainWindow window;
        typeInto(&window, "txtDateh_0", u"12"_s);
        typeInto(&window, "txtDateh_1", u"7"_s);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        if (way == 's' || way == 'k')
            click(&window, "Command2");
        else if (way == 'r')
            click(&window, "Command3");
        if (way == 'k') {
            QWidget *solar = window.findChild<QWidget *>(u"Solar"_s);
            typeInto(solar, "Text1_0", u"Krebs"_s);
            typeInto(solar, "Text1_1", u"2025"_s);
            click(solar, "cmdKontrolle");
        }
        QWidget *asker = way == 'h' || way == 'l' ? &window : QApplication::activeModalWidget();
        QVERIFY(asker);
        QTRY_COMPARE(QApplication::activeWindow(), asker);
        if (way == 'l')
            emit window.findChild<QLabel *>(u"Label6"_s)->linkActivated(providerUrl().toString());
        else
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QCOMPARE(recorder.urls.size(), 1);
        const QString expected =
            (title.isEmpty() ? window.windowTitle() : title) +
            (way == 'l' ? u": Die Internetseite konnte nicht geöffnet werden: "_s +
                              providerUrl().toString()
                        : u": Das Dokument konnte nicht geöffnet werden: /"_s);
        QCOMPARE(recorder.messages.size(), 1);
        const QString message = recorder.messages.constFirst();
        QVERIFY2(message.startsWith(expected) && message.endsWith(ending), qPrintable(message));
        QCOMPARE(recorder.messageParents, QList<QWidget *>{asker});
    }

    // A short message under a long title: the box widens for the title.
    void wholeTitle()
    {
        const auto widthOfBox = [this](const QString &title) {
            int width = 0;
            QTimer::singleShot(0, this, [&width] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                if (box) {
                    width = box->width();
                    box->accept();
                }
            });
            services().showMessage(nullptr, u"OK"_s, title);
            return width;
        };
        const int shortTitle = widthOfBox(u"GZK"_s);
        QVERIFY(shortTitle > 0);
        QVERIFY(widthOfBox(u"Solar und GZK – eine längere Überschrift"_s) > shortTitle + 150);
    }

private:
    IsolatedStore m_store;
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--child") == 0)
        return runChild(QString::fromLocal8Bit(argv[2]));
    tst_MainWindow test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_mainwindow.moc"
