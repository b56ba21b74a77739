#include "core/examlock.h"
#include "exercise/examtaskpanel.h"
#include "exercise/exercisewindow.h"
#include "exercise/rectificationtask.h"
#include "exercise/solartask.h"
#include "pruefung/examrecord.h"
#include "pruefung/examwindow.h"
#include "solar/solarform.h"
#include "tests/support/testsupport.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTextBrowser>

using namespace Qt::StringLiterals;
using namespace Core;
using namespace Exercise;
using namespace Examination;

// The practice examination: its countdown, its keeping across a restart or a
// kill, the verdicts of handing in against those of the exercise page, and
// the lock of the check and the solution while it runs.
class tst_Pruefung : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void init()
    {
        QVERIFY(store.clear());
        recorder = std::make_unique<RecordingServices>();
        now = QDateTime(QDate(2026, 12, 7), QTime(9, 0), Qt::UTC);
    }
    void cleanup() { recorder.reset(); }

    void countdown_data()
    {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("elapsedMs");
        QTest::addColumn<QString>("shown");
        QTest::newRow("start") << 90 << 0 << u"Restzeit 90:00"_s;
        QTest::newRow("a second begun counts whole") << 90 << 1500 << u"Restzeit 89:59"_s;
        QTest::newRow("two seconds") << 90 << 2000 << u"Restzeit 89:58"_s;
        QTest::newRow("hours as minutes") << 150 << 30 * 60'000 << u"Restzeit 120:00"_s;
        QTest::newRow("last second") << 1 << 59'001 << u"Restzeit 00:01"_s;
        QTest::newRow("up") << 1 << 60'000 << u"Restzeit 00:00"_s;
        QTest::newRow("long past") << 1 << 3'600'000 << u"Restzeit 00:00"_s;
    }
    void countdown()
    {
        QFETCH(int, minutes);
        QFETCH(int, elapsedMs);
        ExamRecord record;
        record.start = now;
        record.minutes = minutes;
        QTEST(remainingText(record.remainingSeconds(now.addMSecs(elapsedMs))), "shown");
    }

    // Everything is in the store at once: a second window made while the
    // first still stands (as after a kill, which runs no closing) shows the
    // same examination with the time that is left, the answers and the
    // calculator's time; after the time ran out it shows the verdicts.
    void restartAndKill()
    {
        ExamLock lock;
        auto first = makeWindow(&lock);
        QCOMPARE(readExamMinutes(), 90);
        first->findChild<QSpinBox *>(u"spnMinuten"_s)->setValue(60);
        first->begin(4711, 815, 60);
        QVERIFY(lock.locks(TaskKind::Solar, 4711) && lock.locks(TaskKind::Rectification, 815));
        typeInto(first->findChild<QWidget *>(u"pruefungSolar"_s), "txtAntwort_0", u"16"_s);
        typeInto(first->findChild<QWidget *>(u"pruefungGZK"_s), "txtKorrektur_1", u"-3"_s);
        lock.calculatorOpened(givenTask(*makeSolarTask(4711)));
        now = now.addSecs(65);
        lock.calculatorClosed(givenTask(*makeSolarTask(4711)));
        now = now.addSecs(30 * 60 - 65 + 2);

        ExamLock restarted;
        auto second = makeWindow(&restarted);
        QVERIFY(second->running());
        QCOMPARE(restzeit(*second), u"Restzeit 29:58"_s);
        QCOMPARE(field(*second, "pruefungSolar", "txtAntwort_0")->text(), u"16"_s);
        QCOMPARE(field(*second, "pruefungGZK", "txtKorrektur_1")->text(), u"-3"_s);
        QCOMPARE(second->record().solar.calculatorSeconds, 65);
        QCOMPARE(second->findChild<QSpinBox *>(u"spnMinuten"_s)->value(), 60);
        QVERIFY(restarted.locks(TaskKind::Rectification, 815));

        now = now.addSecs(31 * 60);
        ExamLock later;
        auto third = makeWindow(&later);
        QSignalSpy handedIn(third.get(), &ExamWindow::taskHandedIn);
        QVERIFY(later.running());
        QTRY_VERIFY(!third->running() && !later.running());
        QCOMPARE(handedIn.size(), 2);
        QCOMPARE(third->record().handedIn, third->record().deadline());
        QCOMPARE(third->record().solar.verdict, WrongVerdict);
        QVERIFY(third->findChild<QTextBrowser *>(u"txtErgebnis"_s)
                    ->toPlainText()
                    .contains(u"Gebrauchte Zeit: 60:00 von 60 Minuten"_s));
    }

    // Handing in judges each answer word for word as "Prüfen" on the exercise
    // page does, and gives each task to the record of the work.
    void handInJudgesAsThePage_data()
    {
        QTest::addColumn<QStringList>("solar");
        QTest::addColumn<int>("correctionOffset");
        QTest::newRow("right") << QStringList{u"13"_s, u"27"_s, u"16"_s, u"27"_s, u"6"_s, u"2018"_s}
                               << 0;
        QTest::newRow("wrong") << QStringList{u"13"_s, u"27"_s, u"17"_s, u"27"_s, u"6"_s, u"2018"_s}
                               << 1;
        QTest::newRow("incomplete")
            << QStringList{u"13"_s, u"27"_s, u""_s, u"27"_s, u"6"_s, u""_s} << 60;
    }
    void handInJudgesAsThePage()
    {
        QFETCH(QStringList, solar);
        QFETCH(int, correctionOffset);
        const RectificationTask gzk = *makeRectificationTask(4711);
        const QStringList correction{
            QString::number(gzk.hand.correction.units),
            QString::number(gzk.hand.correction.minutes),
            QString::number(gzk.hand.correction.seconds + correctionOffset)};
        ExerciseWindow page;
        page.showTask(4710);
        const QString solarMessage = pageMessage(page, solarFields, solar);
        page.findChild<QComboBox *>(u"cmbArt"_s)->setCurrentIndex(1);
        page.showTask(4711);
        const QString gzkMessage = pageMessage(page, gzkFields, correction);

        auto window = makeWindow(nullptr);
        QSignalSpy handedIn(window.get(), &ExamWindow::taskHandedIn);
        QSignalSpy recorded(window.get(), &ExamWindow::handedIn);
        window->begin(4710, 4711, 90);
        answer(window->findChild<QWidget *>(u"pruefungSolar"_s), solarFields, solar);
        answer(window->findChild<QWidget *>(u"pruefungGZK"_s), gzkFields, correction);
        now = now.addSecs(600);
        click(window.get(), "cmdAbgeben");

        const ExamRecord &record = window->record();
        QCOMPARE(u"Übungsaufgaben: "_s + record.solar.cause, solarMessage);
        QCOMPARE(u"Übungsaufgaben: "_s + record.rectification.cause, gzkMessage);
        QCOMPARE(record.solar.verdict == RightVerdict, solarMessage.contains(u"Richtig!"_s));
        QCOMPARE(record.rectification.verdict == RightVerdict, gzkMessage.contains(u"Richtig!"_s));
        QCOMPARE(record.solar.verdict == RightVerdict, correctionOffset == 0);
        QCOMPARE(handedIn.size(), 2);
        const QList<QVariant> solarHandedIn = handedIn.at(0);
        QCOMPARE(solarHandedIn.at(1).toInt(), 4710);
        QCOMPARE(solarHandedIn.at(4).toBool(), correctionOffset == 0);
        QCOMPARE(solarHandedIn.at(5).toString(), record.solar.cause);
        QCOMPARE(solarHandedIn.at(6).toLongLong(), 600);
        QVERIFY(solarHandedIn.at(7).toBool());
        // As the record of the work keeps it: the page's cause code, or an
        // incomplete answer as wrong.
        QCOMPARE(recorded.size(), 2);
        const auto entry = recorded.at(0).at(0).value<Record::Entry>();
        QVERIFY(entry.exam && entry.source == Record::Source::Examination);
        QCOMPARE(entry.taskNumber, 4710);
        QCOMPARE(entry.right, correctionOffset == 0);
        QCOMPARE(entry.cause.isEmpty(), correctionOffset == 0);
        if (solar.contains(QString()))
            QCOMPARE(entry.cause, u"pruefung.incomplete"_s);
        QCOMPARE(restzeit(*window), u"Restzeit 80:00"_s);
        // The record prints each task with its verdict, then the solutions.
        const Sheets::Sheet protocol = window->protocolSheet();
        QCOMPARE(protocol.steps.size(), 4);
        QVERIFY(protocol.steps[1].lines.contains(u"Urteil: "_s + record.rectification.verdict));
        QVERIFY(protocol.steps[1].lines.contains(u"Beurteilt wurde die eingegebene Antwort."_s));
        QVERIFY(
            protocol.steps[2].lines.contains(u"Endergebnis: Solar am 27.06.2018 um 13h27m16s"_s));
        // Handed in, the answers stand as given.
        QVERIFY(field(*window, "pruefungSolar", "txtAntwort_0")->isReadOnly());
    }

    // The keyboard alone: Alt+B begins with the cursor in the first answer
    // field, Tab goes from field to field, Alt+2 turns to the rectification
    // task, Alt+A hands in.
    void byKeyboard()
    {
        auto window = makeWindow(nullptr);
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        window->findChild<QSpinBox *>(u"spnSolar"_s)->setValue(4710);
        // A button's mnemonic clicks it after its short animation.
        QTest::keyClick(window.get(), Qt::Key_B, Qt::AltModifier);
        QTRY_VERIFY(window->running());
        for (const QString &typed : {u"13"_s, u"27"_s, u"16"_s, u"27"_s, u"6"_s, u"2018"_s}) {
            QTest::keyClicks(QApplication::focusWidget(), typed);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QTest::keyClick(window.get(), Qt::Key_2, Qt::AltModifier);
        QVERIFY(field(*window, "pruefungGZK", "txtKorrektur_0")->isVisible());
        // The tasks give the sidereal time of birth: no field asks for it.
        QVERIFY(field(*window, "pruefungGZK", "txtSternzeit_0")->isHidden());
        QVERIFY(field(*window, "pruefungSolar", "txtSternzeit_0")->isHidden());
        QTest::keyClick(window.get(), Qt::Key_A, Qt::AltModifier);
        QTRY_VERIFY(!window->running());
        QCOMPARE(window->record().solar.verdict, RightVerdict);
    }

    // While the examination runs, the exercise window's "Lösung zeigen" and
    // "Prüfen" and the calculator's "Kontrolle…" refuse its tasks, and only
    // its tasks; handing in releases them.
    void lockWhileRunning()
    {
        ExamLock lock;
        ExerciseLinks links;
        links.examLock = &lock;
        ExerciseWindow exercises(nullptr, links);
        exercises.showTask(4711);
        auto window = makeWindow(&lock);
        window->begin(4711, 815, 90);

        const QString solutionLocked = u"Übungsaufgaben: "_s + ExamLock::solutionLockedMessage();
        click(&exercises, "cmdLoesung");
        click(&exercises, "cmdPruefen");
        QCOMPARE(
            recorder->messages,
            QStringList({solutionLocked, u"Übungsaufgaben: "_s + ExamLock::checkLockedMessage()}));
        QVERIFY(solution(exercises).isEmpty());
        // Nor does an exercise sheet that holds the task give its solution.
        exercises.showTask(4709);
        exercises.findChild<QSpinBox *>(u"spnAnzahl"_s)->setValue(3);
        QVERIFY(!exercises.exerciseSheet().closing);
        exercises.showTask(4712);
        QVERIFY(exercises.exerciseSheet().closing);
        click(&exercises, "cmdLoesung");
        QVERIFY(!solution(exercises).isEmpty());

        Gui::CalculatorStart start;
        start.examLock = &lock;
        Solar::SolarForm calculator(Gui::taskStart(givenTask(*makeSolarTask(4711)), start));
        recorder->messages.clear();
        click(&calculator, "cmdKontrolle");
        QCOMPARE(recorder->messages.size(), 1);
        QVERIFY(recorder->messages[0].endsWith(ExamLock::checkLockedMessage()));

        click(window.get(), "cmdAbgeben");
        QVERIFY(!lock.running());
        recorder->messages.clear();
        click(&calculator, "cmdKontrolle");
        exercises.showTask(4711);
        click(&exercises, "cmdLoesung");
        QVERIFY(!recorder->messages.join(u'\n').contains(u"gesperrt"_s));
        QVERIFY(!solution(exercises).isEmpty());
    }

private:
    std::unique_ptr<ExamWindow> makeWindow(ExamLock *lock)
    {
        auto window = std::make_unique<ExamWindow>(ExerciseLinks{}, lock, [this] { return now; });
        window->show();
        return window;
    }
    // An answer field of the panel of one task ("pruefungSolar", "pruefungGZK").
    static QLineEdit *field(const QWidget &window, const char *panel, const char *name)
    {
        return window.findChild<QWidget *>(QLatin1String(panel))
            ->findChild<QLineEdit *>(QLatin1String(name));
    }
    static QString restzeit(const QWidget &window)
    {
        return window.findChild<QLabel *>(u"lblRestzeit"_s)->text();
    }
    static QString solution(const QWidget &window)
    {
        return window.findChild<QTextBrowser *>(u"txtLoesung"_s)->toPlainText();
    }
    static void answer(QWidget *form, const QList<const char *> &names, const QStringList &texts)
    {
        for (int i = 0; i < names.size(); ++i) {
            form->findChild<QLineEdit *>(QLatin1String(names[i]))->clear();
            if (!texts[i].isEmpty())
                typeInto(form, names[i], texts[i]);
        }
    }
    QString pageMessage(QWidget &page, const QList<const char *> &names, const QStringList &texts)
    {
        answer(&page, names, texts);
        recorder->messages.clear();
        click(&page, "cmdPruefen");
        return recorder->messages.value(0);
    }

    const QList<const char *> solarFields{"txtAntwort_0",      "txtAntwort_1",
                                          "txtAntwort_2",      "txtAntwortDatum_0",
                                          "txtAntwortDatum_1", "txtAntwortDatum_2"};
    const QList<const char *> gzkFields{"txtKorrektur_0", "txtKorrektur_1", "txtKorrektur_2"};
    IsolatedStore store;
    std::unique_ptr<RecordingServices> recorder;
    QDateTime now;
};

QTEST_MAIN(tst_Pruefung)
#include "tst_pruefung.moc"
