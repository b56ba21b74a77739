#include "exercise/exercisesheet.h"
#include "exercise/exercisewindow.h"
#include "exercise/gzktexts.h"
#include "exercise/task.h"
#include "exercise/tasktexts.h"
#include "settings/store.h"
#include "sheet/sheetactions.h"
#include "tests/support/testsupport.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>

using namespace Core;
using namespace Sheets;
using namespace Exercise;

// What the window adds to the tasks: its controls, the task shown for a
// number typed, the messages of a wrong number and of the checking, and the
// solution on request. The tasks, answers and hints are tested without it.
class tst_ExerciseWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void init()
    {
        QVERIFY(store.clear());
        recorder = std::make_unique<RecordingServices>();
        window = std::make_unique<ExerciseWindow>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void cleanup()
    {
        window.reset();
        recorder.reset();
    }

    void taskByNumber()
    {
        // Beside the Solar calculator, not in front of it.
        QCOMPARE(window->windowModality(), Qt::NonModal);
        // The number field takes digits only.
        typeInto(window.get(), "txtAufgabe", s("4a7-1b1"));
        QCOMPARE(text(s("txtAufgabe")), s("4711"));
        QTest::keyClick(window->findChild<QLineEdit *>(s("txtAufgabe")), Qt::Key_Return);
        QVERIFY(shownTask().startsWith(s("Aufgabe 4711\n")));
        const auto *page = window->findChild<QTableWidget *>(s("tblEphemeride"));
        QCOMPARE(page->rowCount(), 7);
        QCOMPARE(page->item(6, 1)->text(), s("22°38'57'' Widder"));

        showTask("1");
        QVERIFY(shownTask().startsWith(s("Aufgabe 1\n")));
        click(window.get(), "cmdNeueAufgabe");
        QCOMPARE(text(s("txtAufgabe")), QString::number(window->task()->number));
        QVERIFY(recorder->messages.isEmpty());
    }

    // A number outside 1 to 999 999 gets a message; nothing else changes: the
    // task and the answer begun stay.
    void wrongNumber()
    {
        showTask("4711");
        typeInto(window.get(), "txtAntwort_0", s("9"));
        for (const QString &typed : {QString(), s("0"), s("1000000"), s("99999999999")}) {
            window->findChild<QLineEdit *>(s("txtAufgabe"))->setText(typed);
            click(window.get(), "cmdAnzeigen");
            QCOMPARE(text(s("txtAufgabe")), typed);
        }
        QCOMPARE(recorder->messages,
                 QStringList(4, s("Übungsaufgaben: Bitte geben Sie eine Aufgabennummer von 1 bis "
                                  "999999 ein.")));
        QCOMPARE(window->task()->number, 4711);
        QVERIFY(shownTask().startsWith(s("Aufgabe 4711\n")));
        QCOMPARE(text(s("txtAntwort_0")), s("9"));
    }

    void checkAndSolution()
    {
        showTask("4711");
        typeInto(window.get(), "txtAntwort_0", s("16"));
        typeInto(window.get(), "txtAntwort_1", s("19"));
        typeInto(window.get(), "txtAntwort_2", s("35"));
        typeInto(window.get(), "txtAntwortDatum_0", s("8"));
        typeInto(window.get(), "txtAntwortDatum_1", s("4"));
        click(window.get(), "cmdPruefen");
        QCOMPARE(recorder->messages.size(), 1);
        QVERIFY(recorder->messages[0].startsWith(s("Übungsaufgaben: Bitte geben Sie Uhrzeit")));
        QCOMPARE(QApplication::focusWidget()->objectName(), s("txtAntwortDatum_2"));

        // Enter in an answer field checks as "Prüfen" does.
        typeInto(window.get(), "txtAntwortDatum_2", s("2032"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(recorder->messages.size(), 2);
        QVERIFY(recorder->messages[1].startsWith(s("Übungsaufgaben: Richtig!")));

        typeInto(window.get(), "txtAntwort_2", s("36"));
        click(window.get(), "cmdPruefen");
        QVERIFY(recorder->messages[2].startsWith(
            s("Übungsaufgaben: Das Datum stimmt, aber die Uhrzeit")));

        click(window.get(), "cmdLoesung");
        const QString solution = window->findChild<QTextBrowser *>(s("txtLoesung"))->toPlainText();
        QVERIFY2(solution.contains(s("und dem 2. Datum Fr 09.04.2032")) &&
                     solution.contains(s("Endergebnis: Solar am 08.04.2032")),
                 qPrintable(solution));

        // Another task clears the answer and the solution.
        showTask("1");
        QCOMPARE(text(s("txtAntwort_2")), QString());
        QCOMPARE(window->findChild<QTextBrowser *>(s("txtLoesung"))->toPlainText(), QString());
    }

    // The sheets as the teacher hands them out: the tasks with their pages (a
    // rectification task with its house table), never past the last task number,
    // the solutions alone on the last page; a file that cannot be written gets
    // the window's message.
    void sheetPdf()
    {
        QCOMPARE(Exercise::exerciseSheet(1, 11, QDate(2026, 12, 6)).steps.size(), 10);
        QCOMPARE(Exercise::exerciseSheetFileName(999998, 4),
                 s("Übungsblatt Solar 999998-999999.pdf"));
        QCOMPARE(Exercise::gzkExerciseSheetFileName(17, 2), s("Übungsblatt GZK 17-18.pdf"));
        QTemporaryDir folder;
        const QString path = folder.filePath(s("blatt.pdf"));
        const Sheet sheet = Exercise::exerciseSheet(999998, 4, QDate(2026, 12, 6));
        QVERIFY(saveSheetPdfTo(window.get(), sheet, path, Exercise::exerciseSheetTexts()));
        QStringList pages = pdfPages(path);
        QCOMPARE(pages.size(), 2);
        QCOMPARE(firstOutOfOrder(pages.join(u' '),
                                 {s("1. Aufgabe 999998"), s("2. Aufgabe 999999"),
                                  s("Fr 03.12.1982"), s("Lösungen"), s("01.12.1982, 8h00m00s")}),
                 QString());
        QVERIFY(!pages[0].contains(s("Aufgabe 1000000")) &&
                !pages[1].contains(s("Aufgabe 999998")));

        const Exercise::GzkTask task = *Exercise::makeGzkTask(18);
        QVERIFY(saveSheetPdfTo(window.get(), Exercise::gzkExerciseSheet(17, 2, QDate(2026, 12, 6)),
                               path, Exercise::exerciseSheetTexts()));
        pages = pdfPages(path);
        const QString tasks = pages.mid(0, pages.size() - 1).join(u'\n');
        QCOMPARE(tasks.count(s("Häusertabelle für ")), 2);
        QCOMPARE(firstOutOfOrder(tasks, {s("Aufgabe 17"), s("Aufgabe 18"), s("Radix-Planet: "),
                                         Exercise::houseTableCells(task.page.at(6)).at(3)}),
                 QString());
        QVERIFY(pages.last().startsWith(s("Lösungen")) &&
                !pages.last().contains(s("Häusertabelle")));
        QVERIFY(pages.last().contains(Exercise::correctionText(task.hand.correction)));

        QVERIFY(
            !saveSheetPdfTo(window.get(), sheet, folder.path(), Exercise::exerciseSheetTexts()));
        QCOMPARE(recorder->messages.size(), 1);
        QVERIFY(recorder->messages[0].startsWith(
            s("Übungsaufgaben: Das Übungsblatt konnte nicht gespeichert werden: ")));
    }

    // "In den Rechner übernehmen" follows the sheet's button (what it hands over
    // is tst_mainwindow's).
    void taskIntoCalculator()
    {
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        auto *button = window->findChild<QPushButton *>(s("cmdInRechner"));
        window->findChild<QWidget *>(s("cmdUebungsblatt"))->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), button);
        // Narrowed to its least width, the number field shows the whole number.
        window->resize(window->minimumSizeHint().width(), window->height());
        auto *number = window->findChild<QLineEdit *>(s("txtAufgabe"));
        QVERIFY(number->width() >= number->fontMetrics().horizontalAdvance(s("999999")));
        QTest::keyClick(number, Qt::Key_Escape);
        QVERIFY(!window->isVisible());
    }

    // A rectification task of the same number: the house table instead of the
    // ephemeris, the correction checked, the solution, F1 opening the worked
    // example of the task's kind for this window, and the kind and the number
    // kept for the next run.
    void gzkTask()
    {
        QList<TaskKind> examples;
        ExerciseLinks links;
        links.openExample = [&examples, this](QWidget *asker, TaskKind kind) {
            examples.append(asker == window.get() ? kind : TaskKind{-1});
        };
        window = std::make_unique<ExerciseWindow>(nullptr, links);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        showTask("4711");
        QTest::keyClick(window.get(), Qt::Key_F1);
        window->findChild<QComboBox *>(s("cmbArt"))->setCurrentIndex(1);
        QCOMPARE(window->kind(), TaskKind::Rectification);
        const Exercise::GzkTask task = *window->gzkTask();
        QCOMPARE(task.number, 4711);
        QVERIFY2(shownTask().contains(s("Sternzeit der Geburt: ")), qPrintable(shownTask()));

        const auto *houses = window->findChild<QTableWidget *>(s("tblHaeusertabelle"));
        QVERIFY(houses->isVisible() &&
                !window->findChild<QWidget *>(s("tblEphemeride"))->isVisible() &&
                !window->findChild<QWidget *>(s("txtAntwort_0"))->isVisible());
        QCOMPARE(QList({houses->rowCount(), houses->columnCount()}), QList({7, 4}));
        QCOMPARE(houses->item(0, 3)->text(), Exercise::houseTableCells(task.page.at(0)).at(3));
        const QString latitude = QString::number(task.latitudeMinutes / 60) + u'°' +
                                 QString::number(task.latitudeMinutes % 60).rightJustified(2, u'0');
        QVERIFY(window->findChild<QLabel *>(s("lblHaeusertabelle"))->text().contains(latitude));

        const SexagesimalTriple right = task.hand.correction;
        typeInto(window.get(), "txtKorrektur_0", QString::number(right.units));
        typeInto(window.get(), "txtKorrektur_1", QString::number(right.minutes));
        typeInto(window.get(), "txtKorrektur_2", QString::number(right.seconds + 1));
        click(window.get(), "cmdPruefen");
        typeInto(window.get(), "txtKorrektur_2", QString::number(right.seconds));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(recorder->messages.size(), 2);
        QVERIFY(!recorder->messages[0].contains(s("Richtig")));
        QVERIFY(recorder->messages[1].startsWith(s("Übungsaufgaben: Richtig!")));
        click(window.get(), "cmdLoesung");
        QVERIFY(window->findChild<QTextBrowser *>(s("txtLoesung"))
                    ->toPlainText()
                    .startsWith(s("Lösung der Aufgabe 4711")));
        QTest::keyClick(window.get(), Qt::Key_F1);
        QCOMPARE(examples, (QList{TaskKind::Solar, TaskKind::Rectification}));

        window = std::make_unique<ExerciseWindow>();
        QCOMPARE(window->kind(), TaskKind::Rectification);
        QCOMPARE(window->gzkTask()->number, 4711);
        QCOMPARE(text(s("txtAufgabe")), s("4711"));
        QCOMPARE(window->findChild<QComboBox *>(s("cmbArt"))->currentText(),
                 s("Rektifikation (GZK)"));
        // Back to the Solar task of the same number.
        window->findChild<QComboBox *>(s("cmbArt"))->setCurrentIndex(0);
        QVERIFY(shownTask().startsWith(s("Aufgabe 4711\n")));
        // A number in the store that is no task gives one drawn at random.
        window.reset();
        Store::writeSetting(Store::FormsApplication, Store::FormsSection, Store::LastExercise,
                            s("0"));
        window = std::make_unique<ExerciseWindow>();
        QVERIFY(window->task()->number >= Exercise::FirstTask);
        QCOMPARE(recorder->messages.size(), 2);
    }

private:
    QString text(const QString &name) const { return window->findChild<QLineEdit *>(name)->text(); }
    // Types the number and presses "Anzeigen".
    void showTask(const char *number)
    {
        typeInto(window.get(), "txtAufgabe", QLatin1String(number));
        click(window.get(), "cmdAnzeigen");
    }
    QString shownTask() const
    {
        return window->findChild<QTextBrowser *>(QStringLiteral("txtAufgabentext"))->toPlainText();
    }

    std::unique_ptr<ExerciseWindow> window;
    std::unique_ptr<RecordingServices> recorder;
    IsolatedStore store;
};

QTEST_MAIN(tst_ExerciseWindow)
#include "tst_exercisewindow.moc"
