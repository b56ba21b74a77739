#include "main/haupt.h"
#include "solar/solarform.h"
#include "tests/support/testsupport.h"
#include "ui/resultlist.h"

#include <QLocale>
#include <QPointer>
#include <QTest>

#include <memory>

// A Solar return worked through as a user does it, from the main window to
// the row in its list, and found again after the program has started anew.
class tst_SolarEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QVERIFY(store.clear());
    }
    void cleanup() { haupt.reset(); }
    void wholeCalculationAndRestart();

private:
    void startProgram()
    {
        haupt.reset();
        haupt = std::make_unique<Haupt>();
        haupt->show();
        QVERIFY(QTest::qWaitForWindowActive(haupt.get()));
    }
    SolarForm *openSolar()
    {
        act(haupt.get(), s("Command2")); // "1. Solarhoroskop"
        auto *form = haupt->findChild<SolarForm *>();
        if (!form || !QTest::qWaitForWindowActive(form))
            qWarning("the Solar form did not open");
        return form;
    }

    IsolatedStore store;
    RecordingServices recorder;
    std::unique_ptr<Haupt> haupt;
};

void tst_SolarEndToEnd::wholeCalculationAndRestart()
{
    startProgram();
    act(haupt.get(), s("Text1h_0=Erika txtDateh=3,7,1975"));

    QPointer<SolarForm> solar = openSolar();
    QVERIFY(solar);
    QCOMPARE(state(solar, s("txtDateh=,,")), s("txtDateh=3,7,1975"));
    act(solar, s("Text1_0=Krebs cmbDeg13:14,22,30 cmbDeg1:13,50,10 cmbDeg2:14,47,25 Command2 "
                 "Command3 Command6 Command4 Command1 Text1_2=12 Text1_3=7 Text1_4=2024 Command5"));
    act(solar, s("Command6")); // "Okay" hands the row over and closes
    QTRY_VERIFY(solar.isNull());
    QVERIFY(recorder.messages.isEmpty());
    const ResultRow expected{s("Solar"), s("12.7.2024"), s("14h33m17s")};
    QCOMPARE(haupt->resultList().rowCount(), 1);
    QCOMPARE(haupt->resultList().row(1), expected);

    // The same store after a restart: the row, the person and the positions
    // come back, the results of the steps do not.
    act(haupt.get(), s("Command8")); // "Beenden"
    QVERIFY(!haupt->isVisible());
    startProgram();
    QCOMPARE(haupt->resultList().rowCount(), 1);
    QCOMPARE(haupt->resultList().row(1), expected);
    QCOMPARE(state(haupt.get(), s("Text1h_0=")), s("Text1h_0=Erika"));
    solar = openSolar();
    QVERIFY(solar);
    const QString kept = s("cmbDeg13:,, Text1_0= txtTime4=,,");
    QCOMPARE(state(solar, kept), s("cmbDeg13:14,22,30 Text1_0=Krebs txtTime4=,,"));
    act(solar, s("Command7")); // "Abbrechen"
    QTRY_VERIFY(solar.isNull());

    // A new person: the next opening starts empty, and what is entered then
    // comes back at the opening after.
    act(haupt.get(), s("Command7")); // "Neue Berechnung starten"
    solar = openSolar();
    QVERIFY(solar);
    QCOMPARE(state(solar, kept + s(" txtDateh=,,")),
             s("cmbDeg13:0,0,0 Text1_0= txtTime4=,, txtDateh=,,"));
    act(solar, s("Text1_0=Widder cmbDeg1:5,6,7"));
    solar->close(); // the close box
    QTRY_VERIFY(solar.isNull());

    solar = openSolar();
    QVERIFY(solar);
    QCOMPARE(state(solar, s("Text1_0= txtDeg02=,,")), s("Text1_0=Widder txtDeg02=5,6,7"));
    QTest::keyClick(solar, Qt::Key_Escape);
    QTRY_VERIFY(solar.isNull());
}

QTEST_MAIN(tst_SolarEndToEnd)
#include "tst_solar_endtoend.moc"
