#include "exercise/exercisewindow.h"
#include "main/documents.h"
#include "main/mainwindow.h"
#include "tests/support/testsupport.h"
#include "ui/resultlist.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>

using namespace Qt::StringLiterals;

// The main window: the result list's buttons, the documents and web sites,
// the keyboard, and the splash that opens it.
class tst_MainWindow : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_store.clear()); }
    void deletingRows();
    void selectAllOnTheUsersFocus_data();
    void selectAllOnTheUsersFocus();
    void documentsAndLinks();
    void oneExerciseWindow();
    void menuPlace_data();
    void menuPlace();

private:
    IsolatedStore m_store;
};

namespace {
ResultRow row(int n)
{
    return {u"Solar"_s, QString::number(n), u"1h2m3s"_s};
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

void tst_MainWindow::deletingRows()
{
    RecordingServices recorder;
    MainWindow window;
    ResultList &list = window.resultList();
    list.appendRows({row(1), row(2), row(3), row(4)});
    list.setCurrentPosition(2);
    Click(&window, "Command10");
    QCOMPARE(list.rowCount(), 3);
    QCOMPARE(list.row(2), row(3));
    QCOMPARE(list.currentPosition(), 2); // the successor is marked
    list.setCurrentPosition(3);
    Click(&window, "Command10");
    QCOMPARE(list.currentPosition(), 2); // the last row's predecessor
    QCOMPARE(list.row(2), row(3));
    // Ctrl+click on the marked row, or a click below the rows, takes the mark
    // off while the row stays current: then nothing is deleted.
    window.show();
    QTreeView *view = list.view();
    const QPoint marked = view->visualRect(view->model()->index(1, 0)).center();
    for (const auto &[modifier, place] :
         {std::pair{Qt::ControlModifier, marked},
          std::pair{Qt::NoModifier, QPoint(marked.x(), view->viewport()->height() - 2)}}) {
        list.setCurrentPosition(2);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, modifier, place);
        Click(&window, "Command10");
        QCOMPARE(list.rowCount(), 2);
    }
    // Enter on the focused button presses it, as Space does.
    auto *all = window.findChild<QPushButton *>(u"Command9"_s);
    all->setFocus();
    QTest::keyClick(all, Qt::Key_Return);
    QCOMPARE(list.rowCount(), 0);
    Click(&window, "Command10");
    QCOMPARE(recorder.messages, QStringList{u"velmora: Liste ist leer"_s});
}

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
    row("name, Shift+Tab", u"Text1h_0", Qt::BacktabFocusReason, true);
    row("name, click", u"Text1h_0", Qt::MouseFocusReason, true);
    row("name, shortcut", u"Text1h_0", Qt::ShortcutFocusReason, true);
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
        Click(&window, "Command2");
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
    Click(&window, "Command4");
    Click(&window, "Command5");
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
        auto *label = window.findChild<QLabel *>(QString::fromUtf16(name));
        QVERIFY(label->text().contains(u"www.example."_s));
        emit label->linkActivated(QString());
    }
    QCOMPARE(recorder.urls, (QList{ProviderUrl(), PublisherUrl()}));
    QCOMPARE(PublisherUrl().toString(), u"http://www.example.com"_s);
}

// The exercises open beside the main window, once: a second press brings the
// same window with its task to the front, also after it was closed, and
// closing the main window closes it too.
void tst_MainWindow::oneExerciseWindow()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // Last in the tab order, after the web sites (the first Tab in a link
    // label goes to its link).
    window.findChild<QLabel *>(u"Label7"_s)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), u"cmdUebungen"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(exerciseWindows().size(), 1);
    ExerciseWindow *exercises = exerciseWindows().constFirst();
    QVERIFY(exercises->isVisible());
    QVERIFY(!exercises->isModal());
    const int number = exercises->task()->number;

    exercises->close();
    Click(&window, "cmdUebungen");
    QCOMPARE(exerciseWindows(), QList{exercises});
    QVERIFY(exercises->isVisible());
    QCOMPARE(exercises->task()->number, number);

    window.close();
    QVERIFY(!exercises->isVisible());
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
#include "tst_mainwindow.moc"
