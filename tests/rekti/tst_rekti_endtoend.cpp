#include "main/haupt.h"
#include "rekti/rektiform.h"
#include "tests/support/testsupport.h"
#include "ui/resultlist.h"

#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QTabWidget>
#include <QTest>

#include <memory>

// A rectification worked through as a user does it: the person's data typed
// on the main window, the calculator opened from there, every step typed and
// pressed on its page, the row read back from the main window's list, and the
// entries found again after the program has been started anew.
class tst_RektiEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void wholeRectificationAndRestart_data();
    void wholeRectificationAndRestart();
    void newCalculationOpensEmpty();

private:
    void startProgram();
    RektiForm *openRekti();

    IsolatedStore store;
    std::unique_ptr<RecordingServices> recorder;
    std::unique_ptr<Haupt> haupt;
};

void tst_RektiEndToEnd::init()
{
    QVERIFY(store.clear());
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    recorder = std::make_unique<RecordingServices>();
}

void tst_RektiEndToEnd::cleanup()
{
    haupt.reset();
    recorder.reset();
}

void tst_RektiEndToEnd::startProgram()
{
    haupt.reset();
    haupt = std::make_unique<Haupt>();
    haupt->show();
    QVERIFY(QTest::qWaitForWindowActive(haupt.get()));
}

RektiForm *tst_RektiEndToEnd::openRekti()
{
    act(haupt.get(), s("Command3")); // "2. Rektifikation mit primär dirigierten Achsen"
    auto *form = haupt->findChild<RektiForm *>();
    if (form && !QTest::qWaitForWindowActive(form))
        qWarning("the rectification form did not become active");
    return form;
}

void tst_RektiEndToEnd::wholeRectificationAndRestart_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("decimalYears");
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << s("34,3287671232877");
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates)
                             << s("34.3287671232877");
}

void tst_RektiEndToEnd::wholeRectificationAndRestart()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, decimalYears);
    QLocale::setDefault(locale);
    startProgram();
    act(haupt.get(), s("Text1h_0=Erika txtDateh=12,3,1980"));

    QPointer<RektiForm> rekti = openRekti();
    QVERIFY(rekti);
    QCOMPARE(rekti->windowModality(), Qt::ApplicationModal);
    QCOMPARE(state(rekti, s("Text1_0= txtDateh=,,")), s("Text1_0=Erika txtDateh=12,3,1980"));
    auto *tabs = rekti->findChild<QTabWidget *>(QStringLiteral("SSTab1"));

    // "Schritt 1-4": the age at the event as decimal years, in the
    // desktop's notation, gives the direction arc; the arc, turned into
    // time, added to the sidereal time of birth gives that of the event.
    act(rekti, s("txtTime0=6,2,10 Text7_0=Hochzeit txtJahre=34,120 Command2"));
    QCOMPARE(state(rekti, s("Text1_3=")), s("Text1_3=") + decimalYears);
    act(rekti, s("Command3 Command4 Command5 Command6"));
    QCOMPARE(state(rekti, s("txtDeg1=,, txtTime3=,, txtTime5=,,")),
             s("txtDeg1=33,49,58 txtTime3=2,15,20 txtTime5=8,17,30"));
    act(rekti, s("Command1"));
    QCOMPARE(tabs->currentIndex(), 1);

    // "Schritt 5": interpolation in the house tables.
    act(rekti, s("txtSternZeit1=8,16 txtSTernZeit2=8,20 txtDeg3=15,20,0 txtDeg4=14,18,30 "
                 "txtDeg6=14,50,10 txtDeg7=14,18,30 Command7 Command8 Command9"));
    QCOMPARE(state(rekti, s("txtDeg11=,,")), s("txtDeg11=0,30,54"));
    act(rekti, s("Command1"));
    QCOMPARE(tabs->currentIndex(), 2);

    // "Schritt 6-8": the corrected RAMC, in time, less the sidereal time of birth.
    act(rekti, s("Text5=123 Command10 Command11 Command12"));
    QCOMPARE(state(rekti, s("txtDeg16=,,")), s("txtDeg16=89,40,56"));
    QVERIFY(!rekti->resultReady());
    act(rekti, s("Command13"));
    QCOMPARE(state(rekti, s("txtTime9=,,")), s("txtTime9=0,-3,-26"));
    QVERIFY(rekti->resultReady());
    QCOMPARE(recorder->messages, QList<RecordedMessage>());

    act(rekti, s("Command1"));
    QTRY_VERIFY(rekti.isNull());
    const ResultRow row{s("Rektifikation"), s("Hochzeit"), s("0h-3m-26s")};
    QCOMPARE(haupt->resultList().rowCount(), 1);
    QCOMPARE(haupt->resultList().row(1), row);
    QCOMPARE(haupt->focusWidget(), haupt->findChild<QLineEdit *>(s("Text1h_0")));

    // A new run of the program: the row and the entries are back, the
    // results of the steps are not.
    act(haupt.get(), s("Command8")); // "Beenden"
    QVERIFY(!haupt->isVisible());
    startProgram();
    QCOMPARE(haupt->resultList().rowCount(), 1);
    QCOMPARE(haupt->resultList().row(1), row);
    rekti = openRekti();
    QVERIFY(rekti);
    const QString expected = s("Text1_0=Erika txtTime0=6,2,10 txtTime7=6,2,10 txtJahre2=34,120 "
                               "txtDeg6=14,50,10 Text7_0=Hochzeit txtDeg16=,, txtTime9=,,");
    QCOMPARE(state(rekti, expected), expected);
    QVERIFY(!rekti->resultReady());
    QCOMPARE(recorder->messages, QList<RecordedMessage>());
}

// "Neue Berechnung starten": the next opening starts empty, and what is
// entered then comes back at the opening after.
void tst_RektiEndToEnd::newCalculationOpensEmpty()
{
    startProgram();
    act(haupt.get(), s("Text1h_0=Erika"));
    QPointer<RektiForm> rekti = openRekti();
    act(rekti, s("txtJahre=34,120 Text7_0=Hochzeit Command14"));
    QTRY_VERIFY(rekti.isNull());

    act(haupt.get(), s("Command7"));
    rekti = openRekti();
    QVERIFY(rekti);
    QCOMPARE(state(rekti, s("Text1_0= txtJahre=, Text7_0=")), s("Text1_0= txtJahre=, Text7_0="));
    act(rekti, s("txtJahre=40,7 Command14"));
    QTRY_VERIFY(rekti.isNull());

    act(haupt.get(), s("Text1h_0=Max"));
    rekti = openRekti();
    QVERIFY(rekti);
    QCOMPARE(state(rekti, s("Text1_0= txtJahre=, txtJahre2=,")),
             s("Text1_0=Max txtJahre=40,7 txtJahre2=40,7"));
}

QTEST_MAIN(tst_RektiEndToEnd)
#include "tst_rekti_endtoend.moc"
