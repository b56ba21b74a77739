#include "main/documents.h"
#include "main/mainwindow.h"
#include "tests/support/testsupport.h"
#include "ui/resultlist.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <cstdio>

using namespace Qt::StringLiterals;
using namespace Core;
using namespace Gui;
using namespace App;

// Nothing the user did is lost: the store follows every change at once, the
// deletions can be taken back, F1 explains where the user is, and message
// boxes show their whole titles.
class tst_Keeping : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_store.clear()); }
    void survivesAKill();
    void deletionsUndone_data();
    void deletionsUndone();
    void undoRefusedOnAFullList();
    void newCalculationUndone();
    void failedOpeningTold_data();
    void failedOpeningTold();
    void wholeTitle();

private:
    IsolatedStore m_store;
};

namespace {
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

void tst_Keeping::survivesAKill()
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
void tst_Keeping::deletionsUndone_data()
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

void tst_Keeping::deletionsUndone()
{
    QFETCH(QString, actions);
    QFETCH(QList<int>, rows);
    QFETCH(int, current);
    QFETCH(QStringList, messages);
    QFETCH(QString, nextUndo);
    RecordingServices recorder;
    MainWindow window;
    ResultList &list = window.resultList();
    QCOMPARE(list.view()->model()->headerData(1, Qt::Horizontal).toString(), u"Datum / Ereignis"_s);
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
void tst_Keeping::undoRefusedOnAFullList()
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

void tst_Keeping::newCalculationUndone()
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
void tst_Keeping::failedOpeningTold_data()
{
    QTest::addColumn<char>("way");
    QTest::addColumn<QString>("title"); // empty: the main window's
    QTest::addColumn<QString>("ending");
    QTest::newRow("main window") << 'h' << QString() << u"/Programmbedienung.pdf"_s;
    QTest::newRow("Solar") << 's' << u"Solarberechnung"_s
                           << u"/pdf/other/Berechnung des Solars.pdf"_s;
    QTest::newRow("rectification") << 'r' << u"Rektifikation mit primär dirigierten Achsen"_s
                                   << u"/pdf/other/Berechnung der Rektifikation.pdf"_s;
    QTest::newRow("Solar check") << 'k' << u"Kontrolle mit genauer Rechnung"_s
                                 << u"/Berechnung des Solars.pdf"_s;
    QTest::newRow("web site") << 'l' << QString() << QString();
}

void tst_Keeping::failedOpeningTold()
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
    const QString expected = (title.isEmpty() ? window.windowTitle() : title) +
                             (way == 'l' ? u": Die Internetseite konnte nicht geöffnet werden: "_s +
                                               providerUrl().toString()
                                         : u": Das Dokument konnte nicht geöffnet werden: /"_s);
    QCOMPARE(recorder.messages.size(), 1);
    const QString message = recorder.messages.constFirst();
    QVERIFY2(message.startsWith(expected) && message.endsWith(ending), qPrintable(message));
    QCOMPARE(recorder.messageParents, QList<QWidget *>{asker});
}

// A short message under a long title: the box widens for the title.
void tst_Keeping::wholeTitle()
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

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--child") == 0)
        return runChild(QString::fromLocal8Bit(argv[2]));
    tst_Keeping test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_keeping.moc"
