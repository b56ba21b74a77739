#include "core/notation.h"
#include "exercise/exercisesheet.h"
#include "exercise/exercisewindow.h"
#include "exercise/rectificationtexts.h"
#include "exercise/siderealtask.h"
#include "exercise/solartask.h"
#include "exercise/solartexts.h"
#include "settings/store.h"
#include "sheet/sheetactions.h"
#include "tests/support/testsupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

using namespace Qt::StringLiterals;
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
        // The number field takes digits only.
        typeInto(window.get(), "txtAufgabe", u"4a7-1b1"_s);
        QCOMPARE(text(u"txtAufgabe"_s), u"4711"_s);
        QTest::keyClick(window->findChild<QLineEdit *>(u"txtAufgabe"_s), Qt::Key_Return);
        QVERIFY(shownTask().startsWith(u"Aufgabe 4711\n"_s));
        const auto *page = window->findChild<QTableWidget *>(u"tblEphemeride"_s);
        QCOMPARE(page->rowCount(), 7);
        QCOMPARE(page->item(6, 1)->text(), u"3°47'02'' Skorpion"_s);

        showTask("1");
        QVERIFY(shownTask().startsWith(u"Aufgabe 1\n"_s));
        click(window.get(), "cmdNeueAufgabe");
        QCOMPARE(text(u"txtAufgabe"_s), QString::number(window->task()->number));
        QVERIFY(recorder->messages.isEmpty());
    }

    // On each kind's page the keyboard reaches the answer fields before
    // "Prüfen", which judges them.
    void answerBeforeCheck_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("lastField");
        QTest::newRow("Solar") << 0 << u"txtAntwortDatum_2"_s;
        QTest::newRow("rectification") << 1 << u"txtKorrektur_2"_s;
        QTest::newRow("sidereal time") << 2 << u"txtSternzeit_2"_s;
    }
    void answerBeforeCheck()
    {
        QFETCH(int, kind);
        QFETCH(QString, lastField);
        window->findChild<QComboBox *>(u"cmbArt"_s)->setCurrentIndex(kind);
        QWidget *check = window->findChild<QWidget *>(u"cmdPruefen"_s);
        QWidget *before = check->previousInFocusChain();
        while (!before->isVisible() || !(before->focusPolicy() & Qt::TabFocus))
            before = before->previousInFocusChain();
        QCOMPARE(before->objectName(), lastField);
    }

    // A number outside 1 to 999 999 gets a message; nothing else changes: the
    // task and the answer begun stay.
    void wrongNumber()
    {
        showTask("4711");
        typeInto(window.get(), "txtAntwort_0", u"9"_s);
        for (const QString &typed : {QString(), u"0"_s, u"1000000"_s, u"99999999999"_s}) {
            window->findChild<QLineEdit *>(u"txtAufgabe"_s)->setText(typed);
            click(window.get(), "cmdAnzeigen");
            QCOMPARE(text(u"txtAufgabe"_s), typed);
        }
        QCOMPARE(recorder->messages,
                 QStringList(4, u"Übungsaufgaben: Bitte geben Sie eine Aufgabennummer von 1 bis "
                                "999999 ein."_s));
        QCOMPARE(window->task()->number, 4711);
        QVERIFY(shownTask().startsWith(u"Aufgabe 4711\n"_s));
        QCOMPARE(text(u"txtAntwort_0"_s), u"9"_s);
    }

    // Task 4711: its two days lie in two signs, the solution works A and B
    // across the sign.
    void checkAndSolution()
    {
        showTask("4711");
        typeInto(window.get(), "txtAntwort_0", u"23"_s);
        typeInto(window.get(), "txtAntwort_1", u"19"_s);
        typeInto(window.get(), "txtAntwort_2", u"56"_s);
        typeInto(window.get(), "txtAntwortDatum_0", u"23"_s);
        typeInto(window.get(), "txtAntwortDatum_1", u"10"_s);
        click(window.get(), "cmdPruefen");
        QCOMPARE(recorder->messages.size(), 1);
        QVERIFY(recorder->messages[0].startsWith(u"Übungsaufgaben: Bitte geben Sie Uhrzeit"_s));
        QCOMPARE(QApplication::focusWidget()->objectName(), u"txtAntwortDatum_2"_s);

        // Enter in an answer field checks as "Prüfen" does.
        typeInto(window.get(), "txtAntwortDatum_2", u"2021"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(recorder->messages.size(), 2);
        QVERIFY(recorder->messages[1].startsWith(u"Übungsaufgaben: Richtig!"_s));

        typeInto(window.get(), "txtAntwort_2", u"57"_s);
        click(window.get(), "cmdPruefen");
        QVERIFY(recorder->messages[2].startsWith(
            u"Übungsaufgaben: Das Datum stimmt, aber die Uhrzeit"_s));

        click(window.get(), "cmdLoesung");
        const QString solution = window->findChild<QTextBrowser *>(u"txtLoesung"_s)->toPlainText();
        QVERIFY2(solution.contains(u"und dem 2. Datum So 24.10.2021"_s) &&
                     solution.contains(u"A = 0°47'39'' + 30° − 29°47'56'' = 0°59'43''"_s) &&
                     solution.contains(u"Endergebnis: Solar am 23.10.2021"_s),
                 qPrintable(solution));

        // Another task clears the answer and the solution.
        showTask("1");
        QCOMPARE(text(u"txtAntwort_2"_s), QString());
        QCOMPARE(window->findChild<QTextBrowser *>(u"txtLoesung"_s)->toPlainText(), QString());
    }

    // The sheets as the teacher hands them out: the tasks with their pages (a
    // rectification task with its house table), never past the last task number,
    // the solutions alone on the last page; a file that cannot be written gets
    // the window's message. Task 999999 is set in Chicago.
    void sheetPdf()
    {
        QCOMPARE(solarExerciseSheet(1, 11, QDate(2026, 12, 6)).steps.size(), 10);
        QCOMPARE(exerciseSheetFileName(TaskKind::Solar, 999998, 4),
                 u"Übungsblatt Solar 999998-999999.pdf"_s);
        QCOMPARE(exerciseSheetFileName(TaskKind::Rectification, 17, 2),
                 u"Übungsblatt GZK 17-18.pdf"_s);
        QTemporaryDir folder;
        const QString path = folder.filePath(u"blatt.pdf"_s);
        const Sheet sheet = solarExerciseSheet(999998, 4, QDate(2026, 12, 6));
        QVERIFY(saveSheetPdfTo(window.get(), sheet, path, exerciseSheetTexts()));
        QStringList pages = pdfPages(path);
        QCOMPARE(pages.size(), 2);
        QCOMPARE(
            firstOutOfOrder(pages.join(u' '),
                            {u"1. Aufgabe 999998"_s, u"2. Aufgabe 999999"_s,
                             u"Wohnort im Solarjahr Chicago (Zeitzone -6)"_s, u"Fr 03.12.1982"_s,
                             u"Zeitzone -6:"_s, u"Tageskorrektur (+0h, -24h oder +24h):"_s,
                             u"Lösungen"_s, u"01.12.1982, 1h00m00s"_s, u"+24h"_s}),
            QString());
        QVERIFY(!pages[0].contains(u"Aufgabe 1000000"_s) &&
                !pages[1].contains(u"Aufgabe 999998"_s));

        const RectificationTask task = *makeRectificationTask(18);
        QVERIFY(saveSheetPdfTo(window.get(), rectificationExerciseSheet(17, 2, QDate(2026, 12, 6)),
                               path, exerciseSheetTexts()));
        pages = pdfPages(path);
        const QString tasks = pages.mid(0, pages.size() - 1).join(u'\n');
        QCOMPARE(tasks.count(u"Häusertabelle für "_s), 2);
        QCOMPARE(firstOutOfOrder(tasks, {u"Aufgabe 17"_s, u"Aufgabe 18"_s, u"Radix-Planet: "_s,
                                         houseTableCells(task.page.at(6)).at(3)}),
                 QString());
        QVERIFY(pages.last().startsWith(u"Lösungen"_s) &&
                !pages.last().contains(u"Häusertabelle"_s));
        QVERIFY(pages.last().contains(correctionText(task.hand.correction)));

        QVERIFY(!saveSheetPdfTo(window.get(), sheet, folder.path(), exerciseSheetTexts()));
        QCOMPARE(recorder->messages.size(), 1);
        QVERIFY(recorder->messages[0].startsWith(
            u"Übungsaufgaben: Das Übungsblatt konnte nicht gespeichert werden: "_s));
    }

    // The sheet of tasks of the sidereal time prints each page and the
    // answers; with the sidereal time worked, the rectification sheet prints
    // the page of sidereal times instead of the sidereal time of birth.
    void siderealSheets()
    {
        const SiderealTask sidereal = *makeSiderealTask(4711);
        const Sheet sheet = siderealExerciseSheet(4711, 2, QDate(2026, 12, 7));
        const QString title = u"Ephemeride: Sternzeit um 0h Weltzeit (UT):"_s;
        QCOMPARE(sheet.steps.size(), 2);
        QVERIFY(sheet.steps[0].lines.contains(title));
        QCOMPARE(sheet.closing->rows[0].constLast(), Notation::clock(sidereal.hand.siderealTime));
        QCOMPARE(exerciseSheetFileName(TaskKind::Sidereal, 4711, 1),
                 u"Übungsblatt Sternzeit 4711.pdf"_s);

        const RectificationTask task = *makeRectificationTask(1);
        const QString given = u"Sternzeit der Geburt: "_s + Notation::clock(task.birthSiderealTime);
        const Sheet plain = rectificationExerciseSheet(1, 1, QDate(2026, 12, 7));
        const Sheet worked = rectificationExerciseSheet(1, 1, QDate(2026, 12, 7), true);
        QVERIFY(plain.steps[0].lines.contains(given) && !plain.steps[0].lines.contains(title));
        QVERIFY(!worked.steps[0].lines.contains(given) && worked.steps[0].lines.contains(title));
        QCOMPARE(worked.closing->rows[0].at(1), Notation::clock(task.birthSiderealTime));
    }

    // Each kind, chosen after the other: its own page, and the exercise sheet
    // offered is of that kind and starts with the task shown.
    void sheetOfTheKindShown_data()
    {
        QTest::addColumn<int>("kind"); // in the list "Art der Aufgabe"
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("otherPage");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("Solar") << 0 << u"tblEphemeride"_s << u"tblHaeusertabelle"_s
                               << u"Übungsblatt Solar 4711-4713.pdf"_s;
        QTest::newRow("GZK") << 1 << u"tblHaeusertabelle"_s << u"tblEphemeride"_s
                             << u"Übungsblatt GZK 4711-4713.pdf"_s;
        QTest::newRow("Sternzeit") << 2 << u"tblSternzeiten"_s << u"tblHaeusertabelle"_s
                                   << u"Übungsblatt Sternzeit 4711-4713.pdf"_s;
    }

    void sheetOfTheKindShown()
    {
        QFETCH(int, kind);
        QFETCH(QString, page);
        QFETCH(QString, otherPage);
        QFETCH(QString, fileName);
        showTask("4711");
        auto *kinds = window->findChild<QComboBox *>(u"cmbArt"_s);
        kinds->setCurrentIndex((kind + 1) % kinds->count());
        kinds->setCurrentIndex(kind);
        QVERIFY(window->findChild<QWidget *>(page)->isVisible());
        QVERIFY(!window->findChild<QWidget *>(otherPage)->isVisible());
        window->findChild<QSpinBox *>(u"spnAnzahl"_s)->setValue(3);
        QCOMPARE(proposedSheetName(), fileName);
        QVERIFY(recorder->messages.isEmpty());
    }

    // A rectification task of the same number: the house table instead of the
    // ephemeris, the correction checked, the solution, F1 opening the worked
    // example of the task's kind for this window, and the kind and the number
    // kept for the next run.
    void rectificationTask()
    {
        QList<TaskKind> examples;
        ExerciseLinks links;
        links.openExample = [&examples, this](QWidget *asker, TaskKind kind) {
            examples.append(asker == window.get() ? kind : TaskKind{-1});
        };
        QList<Record::Entry> recorded;
        links.record = [&recorded](const Record::Entry &entry) {
            recorded.append(entry);
        };
        window = std::make_unique<ExerciseWindow>(nullptr, links);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        showTask("4711");
        QTest::keyClick(window.get(), Qt::Key_F1);
        window->findChild<QComboBox *>(u"cmbArt"_s)->setCurrentIndex(1);
        QCOMPARE(window->kind(), TaskKind::Rectification);
        const RectificationTask task = *window->rectificationTask();
        QCOMPARE(task.number, 4711);
        QVERIFY2(shownTask().contains(u"Sternzeit der Geburt: "_s), qPrintable(shownTask()));

        const auto *houses = window->findChild<QTableWidget *>(u"tblHaeusertabelle"_s);
        QVERIFY(houses->isVisible() &&
                !window->findChild<QWidget *>(u"tblEphemeride"_s)->isVisible() &&
                !window->findChild<QWidget *>(u"txtAntwort_0"_s)->isVisible());
        QCOMPARE(QList({houses->rowCount(), houses->columnCount()}), QList({7, 4}));
        QCOMPARE(houses->item(0, 3)->text(), houseTableCells(task.page.at(0)).at(3));
        QCOMPARE(window->findChild<QLabel *>(u"lblHaeusertabelle"_s)->text(),
                 houseTableTitle(task));

        const SexagesimalTriple right = task.hand.correction;
        typeInto(window.get(), "txtKorrektur_0", QString::number(right.units));
        typeInto(window.get(), "txtKorrektur_1", QString::number(right.minutes));
        typeInto(window.get(), "txtKorrektur_2", QString::number(right.seconds + 1));
        click(window.get(), "cmdPruefen");
        typeInto(window.get(), "txtKorrektur_2", QString::number(right.seconds));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(recorder->messages.size(), 2);
        QVERIFY(!recorder->messages[0].contains(u"Richtig"_s));
        QVERIFY(recorder->messages[1].startsWith(u"Übungsaufgaben: Richtig!"_s));
        // Each answer judged goes into the record with its task and the
        // hint's cause: one second off is a matter of reading or rounding.
        QCOMPARE(recorded.size(), 2);
        for (const Record::Entry &entry : recorded) {
            QCOMPARE(entry.kind, TaskKind::Rectification);
            QCOMPARE(entry.taskNumber, 4711);
            QCOMPARE(Core::GivenTask::fromText(entry.given), givenTask(task));
            QCOMPARE(entry.source, Record::Source::Exercise);
        }
        QCOMPARE(QList({recorded[0].right, recorded[1].right}), QList({false, true}));
        QCOMPARE(QStringList({recorded[0].cause, recorded[1].cause}),
                 QStringList({u"gzk.near"_s, QString()}));
        click(window.get(), "cmdLoesung");
        QVERIFY(window->findChild<QTextBrowser *>(u"txtLoesung"_s)
                    ->toPlainText()
                    .startsWith(u"Lösung der Aufgabe 4711"_s));
        QTest::keyClick(window.get(), Qt::Key_F1);
        QCOMPARE(examples, (QList{TaskKind::Solar, TaskKind::Rectification}));

        window = std::make_unique<ExerciseWindow>();
        QCOMPARE(window->kind(), TaskKind::Rectification);
        QCOMPARE(window->rectificationTask()->number, 4711);
        QCOMPARE(text(u"txtAufgabe"_s), u"4711"_s);
        QCOMPARE(window->findChild<QComboBox *>(u"cmbArt"_s)->currentText(),
                 u"Rektifikation (GZK)"_s);
        // Back to the Solar task of the same number.
        window->findChild<QComboBox *>(u"cmbArt"_s)->setCurrentIndex(0);
        QVERIFY(shownTask().startsWith(u"Aufgabe 4711\n"_s));
        // A number in the store that is no task gives one drawn at random.
        window.reset();
        Store::writeSetting(Store::FormsApplication, Store::FormsSection, Store::LastExercise,
                            u"0"_s);
        window = std::make_unique<ExerciseWindow>();
        QVERIFY(window->task()->number >= FirstTask);
        QCOMPARE(recorder->messages.size(), 2);
    }

    // A task of the sidereal time: its page, the answer checked, the solution,
    // the calculator it goes to; the kind kept for the next run.
    void siderealTask()
    {
        QList<int> workedIn;
        ExerciseLinks links;
        links.workInSidereal = [&workedIn](const SiderealTask &task) {
            workedIn.append(task.number);
        };
        window = std::make_unique<ExerciseWindow>(nullptr, links);
        window->show();
        showTask("4711");
        window->findChild<QComboBox *>(u"cmbArt"_s)->setCurrentIndex(2);
        QCOMPARE(window->kind(), TaskKind::Sidereal);
        const SiderealTask task = *window->siderealTask();
        QVERIFY2(shownTask().startsWith(u"Aufgabe 4711 (Sternzeit)"_s), qPrintable(shownTask()));
        const auto *page = window->findChild<QTableWidget *>(u"tblSternzeiten"_s);
        QVERIFY(page->isVisible() &&
                !window->findChild<QWidget *>(u"txtKorrektur_0"_s)->isVisible() &&
                !window->findChild<QWidget *>(u"chkSternzeitSelbst"_s)->isVisible());
        QCOMPARE(page->rowCount(), 7);
        QCOMPARE(page->item(3, 1)->text(), Notation::clock(task.hand.ephemeris));

        const SexagesimalTriple right = secondsToTriple(task.hand.siderealTime);
        typeInto(window.get(), "txtSternzeit_0", QString::number(right.units));
        typeInto(window.get(), "txtSternzeit_1", QString::number(right.minutes));
        typeInto(window.get(), "txtSternzeit_2", QString::number((right.seconds + 1) % 60));
        click(window.get(), "cmdPruefen");
        typeInto(window.get(), "txtSternzeit_2", QString::number(right.seconds));
        QTest::keyClick(window->findChild<QLineEdit *>(u"txtSternzeit_2"_s), Qt::Key_Return);
        QCOMPARE(recorder->messages.size(), 2);
        QVERIFY(!recorder->messages[0].contains(u"Richtig"_s));
        QVERIFY(recorder->messages[1].startsWith(u"Übungsaufgaben: Richtig! "_s));
        click(window.get(), "cmdLoesung");
        QVERIFY(window->findChild<QTextBrowser *>(u"txtLoesung"_s)
                    ->toPlainText()
                    .startsWith(u"Lösung der Aufgabe 4711"_s));
        click(window.get(), "cmdInRechner");
        QCOMPARE(workedIn, QList{4711});

        window = std::make_unique<ExerciseWindow>();
        QCOMPARE(window->kind(), TaskKind::Sidereal);
        QCOMPARE(window->siderealTask()->number, 4711);
    }

    // "Sternzeit selbst berechnen": the rectification task shown gives its
    // birth data and the page of sidereal times, the same task otherwise; the
    // choice is kept and only the rectification page shows it.
    void siderealTimeWorkedByTheStudent()
    {
        showTask("4711");
        auto *kinds = window->findChild<QComboBox *>(u"cmbArt"_s);
        kinds->setCurrentIndex(1);
        auto *box = window->findChild<QCheckBox *>(u"chkSternzeitSelbst"_s);
        const auto *page = window->findChild<QTableWidget *>(u"tblSternzeiten"_s);
        QVERIFY(box->isVisible() && !box->isChecked() && !page->isVisible());
        const RectificationTask given = *window->rectificationTask();
        box->click();
        const RectificationTask worked = *window->rectificationTask();
        QVERIFY(worked.siderealWorked && !given.siderealWorked);
        QCOMPARE(worked.hand.correction, given.hand.correction);
        QVERIFY(page->isVisible());
        QCOMPARE(page->item(3, 1)->text(), Notation::clock(worked.sidereal.ephemeris));
        QVERIFY2(shownTask().contains(u"selbst berechnen"_s), qPrintable(shownTask()));

        window = std::make_unique<ExerciseWindow>();
        window->show();
        box = window->findChild<QCheckBox *>(u"chkSternzeitSelbst"_s);
        QVERIFY(box->isChecked() && window->rectificationTask()->siderealWorked);
        window->findChild<QComboBox *>(u"cmbArt"_s)->setCurrentIndex(0);
        QVERIFY(!box->isVisible() &&
                !window->findChild<QWidget *>(u"tblSternzeiten"_s)->isVisible());
        window->findChild<QComboBox *>(u"cmbArt"_s)->setCurrentIndex(1);
        box->click();
        QVERIFY(!window->rectificationTask()->siderealWorked &&
                !window->findChild<QWidget *>(u"tblSternzeiten"_s)->isVisible());
    }

private:
    QString text(const QString &name) const { return window->findChild<QLineEdit *>(name)->text(); }
    // Types the number and presses "Anzeigen".
    void showTask(const char *number)
    {
        typeInto(window.get(), "txtAufgabe", QLatin1String(number));
        click(window.get(), "cmdAnzeigen");
    }
    // The file name that "Als PDF speichern…" proposes; the dialog is cancelled.
    QString proposedSheetName()
    {
        QString proposed;
        QTimer::singleShot(0, window.get(), [&proposed] {
            if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                const QStringList files = dialog->selectedFiles();
                if (!files.isEmpty())
                    proposed = QFileInfo(files.constFirst()).fileName();
                dialog->reject();
            }
        });
        window->findChild<QAction *>(u"actUebungsblattPdf"_s)->trigger();
        return proposed;
    }
    QString shownTask() const
    {
        return window->findChild<QTextBrowser *>(u"txtAufgabentext"_s)->toPlainText();
    }

    std::unique_ptr<ExerciseWindow> window;
    std::unique_ptr<RecordingServices> recorder;
    IsolatedStore store;
};

QTEST_MAIN(tst_ExerciseWindow)
#include "tst_exercisewindow.moc"
