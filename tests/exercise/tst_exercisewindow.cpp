#include "exercise/exercisesheet.h"
#include "exercise/exercisewindow.h"
#include "exercise/task.h"
#include "exercise/tasktexts.h"
#include "sheet/sheetactions.h"
#include "tests/support/testsupport.h"

#include <QAction>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>

// What the window adds to the tasks: its controls, the task shown for a
// number typed, the messages of a wrong number and of the checking, and the
// solution on request. The tasks, answers and hints are tested without it.
class tst_ExerciseWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void init();
    void cleanup()
    {
        window.reset();
        recorder.reset();
    }

    void structure();
    void taskByNumber();
    void wrongNumber_data();
    void wrongNumber();
    void checkAndSolution();
    void sheetTasks_data();
    void sheetTasks();
    void sheetPdf();

private:
    QString text(const QString &name) const { return window->findChild<QLineEdit *>(name)->text(); }
    // Types the number and presses "Anzeigen".
    void showTask(const char *number)
    {
        TypeInto(window.get(), "txtAufgabe", QLatin1String(number));
        Click(window.get(), "cmdAnzeigen");
    }
    QString shownTask() const
    {
        return window->findChild<QTextBrowser *>(QStringLiteral("txtAufgabentext"))->toPlainText();
    }

    std::unique_ptr<ExerciseWindow> window;
    std::unique_ptr<RecordingServices> recorder;
};

void tst_ExerciseWindow::init()
{
    recorder = std::make_unique<RecordingServices>();
    window = std::make_unique<ExerciseWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void tst_ExerciseWindow::structure()
{
    const QStringList names{s("txtAufgabe"),        s("cmdNeueAufgabe"),    s("cmdAnzeigen"),
                            s("txtAufgabentext"),   s("tblEphemeride"),     s("txtAntwort_0"),
                            s("txtAntwort_1"),      s("txtAntwort_2"),      s("txtAntwortDatum_0"),
                            s("txtAntwortDatum_1"), s("txtAntwortDatum_2"), s("cmdPruefen"),
                            s("cmdLoesung")};
    for (const QString &name : names)
        QVERIFY2(window->findChild<QWidget *>(name), qPrintable(name));
    QCOMPARE(window->objectName(), s("Uebung"));
    QCOMPARE(window->windowTitle(), s("Übungsaufgaben"));
    // Beside the Solar calculator, not in front of it.
    QCOMPARE(window->windowModality(), Qt::NonModal);
    QVERIFY(window->isWindow());
    // Opens on a task; the number field takes digits only.
    QVERIFY(window->task());
    TypeInto(window.get(), "txtAufgabe", s("4a7-1b1"));
    QCOMPARE(text(s("txtAufgabe")), s("4711"));
}

void tst_ExerciseWindow::taskByNumber()
{
    TypeInto(window.get(), "txtAufgabe", s("4711"));
    QTest::keyClick(window->findChild<QLineEdit *>(s("txtAufgabe")), Qt::Key_Return);
    QVERIFY(shownTask().startsWith(s("Aufgabe 4711\nSilke Weber wurde am 09.04.1960 in Leipzig")));
    const auto *page = window->findChild<QTableWidget *>(s("tblEphemeride"));
    QCOMPARE(page->rowCount(), 7);
    QCOMPARE(page->item(0, 0)->text(), s("Di 06.04.2032"));
    QCOMPARE(page->item(6, 1)->text(), s("22°38'57'' Widder"));

    showTask("1");
    QVERIFY(shownTask().startsWith(s("Aufgabe 1\n")));
    Click(window.get(), "cmdNeueAufgabe");
    QCOMPARE(text(s("txtAufgabe")), QString::number(window->task()->number));
    QVERIFY(recorder->messages.isEmpty());
}

void tst_ExerciseWindow::wrongNumber_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("empty") << QString();
    QTest::newRow("0") << s("0");
    QTest::newRow("1000000") << s("1000000");
    QTest::newRow("beyond an int") << s("99999999999");
}

void tst_ExerciseWindow::wrongNumber()
{
    QFETCH(QString, typed);
    showTask("4711");
    TypeInto(window.get(), "txtAntwort_0", s("9"));
    window->findChild<QLineEdit *>(s("txtAufgabe"))->setText(typed);

    Click(window.get(), "cmdAnzeigen");
    QCOMPARE(recorder->messages,
             QStringList{
                 s("Übungsaufgaben: Bitte geben Sie eine Aufgabennummer von 1 bis 999999 ein.")});
    // Nothing else changes: the task and the answer begun stay.
    QCOMPARE(window->task()->number, 4711);
    QVERIFY(shownTask().startsWith(s("Aufgabe 4711\n")));
    QCOMPARE(text(s("txtAntwort_0")), s("9"));
    QCOMPARE(text(s("txtAufgabe")), typed);
}

void tst_ExerciseWindow::checkAndSolution()
{
    showTask("4711");
    TypeInto(window.get(), "txtAntwort_0", s("16"));
    TypeInto(window.get(), "txtAntwort_1", s("19"));
    TypeInto(window.get(), "txtAntwort_2", s("35"));
    TypeInto(window.get(), "txtAntwortDatum_0", s("8"));
    TypeInto(window.get(), "txtAntwortDatum_1", s("4"));
    Click(window.get(), "cmdPruefen");
    QCOMPARE(recorder->messages.size(), 1);
    QVERIFY(recorder->messages[0].startsWith(s("Übungsaufgaben: Bitte geben Sie Uhrzeit")));
    QCOMPARE(QApplication::focusWidget()->objectName(), s("txtAntwortDatum_2"));

    // Enter in an answer field checks as "Prüfen" does.
    TypeInto(window.get(), "txtAntwortDatum_2", s("2032"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(recorder->messages.size(), 2);
    QVERIFY(recorder->messages[1].startsWith(s("Übungsaufgaben: Richtig!")));

    TypeInto(window.get(), "txtAntwort_2", s("36"));
    Click(window.get(), "cmdPruefen");
    QVERIFY(
        recorder->messages[2].startsWith(s("Übungsaufgaben: Das Datum stimmt, aber die Uhrzeit")));

    Click(window.get(), "cmdLoesung");
    const QString solution = window->findChild<QTextBrowser *>(s("txtLoesung"))->toPlainText();
    QVERIFY2(solution.contains(s("Endergebnis: Solar am 08.04.2032 um 16 h 19 m 35 s")),
             qPrintable(solution));
    QVERIFY(solution.contains(s("15,3264 h")));

    // Another task clears the answer and the solution.
    showTask("1");
    QCOMPARE(text(s("txtAntwort_2")), QString());
    QCOMPARE(window->findChild<QTextBrowser *>(s("txtLoesung"))->toPlainText(), QString());
}

void tst_ExerciseWindow::sheetTasks_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("numbers");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("four") << 4711 << 4 << s("4711 4712 4713 4714")
                          << s("Übungsblatt Solar 4711-4714.pdf");
    QTest::newRow("one") << 5 << 1 << s("5") << s("Übungsblatt Solar 5.pdf");
    QTest::newRow("not beyond the last number")
        << 999998 << 4 << s("999998 999999") << s("Übungsblatt Solar 999998-999999.pdf");
    QTest::newRow("at most ten") << 1 << 11 << s("1 2 3 4 5 6 7 8 9 10")
                                 << s("Übungsblatt Solar 1-10.pdf");
}

void tst_ExerciseWindow::sheetTasks()
{
    QFETCH(int, first);
    QFETCH(int, count);
    QFETCH(QString, numbers);
    QFETCH(QString, fileName);

    const Sheet sheet = Exercise::exerciseSheet(first, count, QDate(2026, 12, 6));
    QStringList headings;
    for (const SheetStep &step : sheet.steps)
        headings << step.heading.section(u' ', 1);
    QCOMPARE(headings.join(u' '), numbers);
    QVERIFY(sheet.finalCaption.isEmpty());
    // The solutions: the hand answer of each task, on a page of their own.
    QVERIFY(sheet.closing && sheet.closing->ownPage);
    QCOMPARE(sheet.closing->rows.size(), sheet.steps.size());
    const Exercise::Task last = *Exercise::makeTask(headings.last().toInt());
    QCOMPARE(sheet.closing->rows.last().last(),
             Exercise::dateText(last.hand.date) + u", "_qs + Exercise::clockText(last.hand.clock));
    QCOMPARE(Exercise::exerciseSheetFileName(first, count), fileName);
}

// The sheet as the teacher hands it out: the tasks with their pages, the
// solutions alone on the last page; a file that cannot be written gets the
// window's message.
void tst_ExerciseWindow::sheetPdf()
{
    showTask("4711");
    window->findChild<QSpinBox *>(s("spnAnzahl"))->setValue(2);
    auto *button = window->findChild<QPushButton *>(s("cmdUebungsblatt"));
    QVERIFY(button->menu());
    QVERIFY(button->menu()->findChild<QAction *>(s("actUebungsblattDrucken")));
    QVERIFY(button->menu()->findChild<QAction *>(s("actUebungsblattPdf")));
    QCOMPARE(window->findChild<QSpinBox *>(s("spnAnzahl"))->maximum(), 10);

    QTemporaryDir folder;
    const QString path = folder.filePath(s("blatt.pdf"));
    const Sheet sheet = Exercise::exerciseSheet(4711, 2, QDate(2026, 12, 6));
    QVERIFY(saveSheetPdfTo(window.get(), sheet, path, Exercise::exerciseSheetTexts()));
    QProcess pdftotext;
    pdftotext.start(s("pdftotext"), {path, s("-")});
    QVERIFY(pdftotext.waitForFinished() && pdftotext.exitCode() == 0);
    QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(u'\f');
    pages.removeAll(QString());
    QCOMPARE(pages.size(), 2);
    QVERIFY(pages[0].contains(s("Aufgabe 4711")) && pages[0].contains(s("Aufgabe 4712")));
    QVERIFY(pages[0].contains(s("So 11.04.2032")));
    QVERIFY(pages[1].simplified().startsWith(s("Lösungen")));
    QVERIFY(!pages[1].contains(s("Aufgabe 4711")));

    QVERIFY(!saveSheetPdfTo(window.get(), sheet, folder.path(), Exercise::exerciseSheetTexts()));
    QCOMPARE(recorder->messages.size(), 1);
    QVERIFY(recorder->messages[0].startsWith(
        s("Übungsaufgaben: Das Übungsblatt konnte nicht gespeichert werden: ")));
}

QTEST_MAIN(tst_ExerciseWindow)
#include "tst_exercisewindow.moc"
