#include "main/haupt.h"
#include "solar/solarform.h"
#include "tests/support/testsupport.h"
#include "ui/resultlist.h"

#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

QString s(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

template <typename T = QLineEdit> T *in(QWidget *window, const char *name)
{
    T *control = window->findChild<T *>(s(name));
    if (!control)
        qFatal("no control %s", name);
    return control;
}

void press(QWidget *window, const char *button)
{
    QTest::mouseClick(in<QPushButton>(window, button), Qt::LeftButton);
}

// Clicks into the field, which selects its text, and types over it.
void type(QWidget *window, const char *field, const char *text)
{
    QLineEdit *target = in(window, field);
    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(4, target->height() / 2));
    QTest::keyClicks(target, s(text));
}

// "14|22|30" picks a position in each of three lists; texts() reads three fields so.
void pick(QWidget *window, const char *pickers, const char *positions)
{
    for (int i = 0; i < 3; ++i)
        window->findChild<QComboBox *>(s(pickers) + u'_' + QString::number(i))
            ->setCurrentIndex(s(positions).section(u'|', i, i).toInt());
}

QString texts(QWidget *window, const char *fields)
{
    QStringList result;
    for (int i = 0; i < 3; ++i)
        result << window->findChild<QLineEdit *>(s(fields) + u'_' + QString::number(i))->text();
    return result.join(u'|');
}

} // namespace

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
        haupt = std::make_unique<Haupt>();
        haupt->show();
        QVERIFY(QTest::qWaitForWindowActive(haupt.get()));
    }
    void quitProgram()
    {
        press(haupt.get(), "Command8"); // "Beenden"
        QVERIFY(!haupt->isVisible());
        haupt.reset();
    }
    SolarForm *openSolar()
    {
        press(haupt.get(), "Command2"); // "1. Solarhoroskop"
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
    type(haupt.get(), "Text1h_0", "Erika Muster");
    type(haupt.get(), "txtDateh_0", "3");
    type(haupt.get(), "txtDateh_1", "7");
    type(haupt.get(), "txtDateh_2", "1975");

    QPointer<SolarForm> solar = openSolar();
    QVERIFY(solar);
    QCOMPARE(texts(solar, "txtDateh"), s("3|7|1975"));
    type(solar, "Text1_0", "Krebs");
    pick(solar, "cmbDeg13", "14|22|30");
    pick(solar, "cmbDeg1", "13|50|10");
    pick(solar, "cmbDeg2", "14|47|25");
    press(solar, "Command2");
    press(solar, "Command3");
    press(solar, "Command6"); // on to "Schritt 4-5"
    press(solar, "Command4");
    press(solar, "Command1");
    type(solar, "Text1_2", "12");
    type(solar, "Text1_3", "7");
    type(solar, "Text1_4", "2024");
    press(solar, "Command5");
    press(solar, "Command6"); // "Okay" hands the row over and closes
    QTRY_VERIFY(solar.isNull());
    QVERIFY(recorder.messages.isEmpty());
    const ResultRow expected{s("Solar"), s("12.7.2024"), s("14h33m17s")};
    QCOMPARE(haupt->resultList().rowCount(), 1);
    QCOMPARE(haupt->resultList().row(1), expected);

    // The same store after a restart: the row, the person and the positions
    // come back, the results of the steps do not.
    quitProgram();
    startProgram();
    QCOMPARE(haupt->resultList().rowCount(), 1);
    QCOMPARE(haupt->resultList().row(1), expected);
    QCOMPARE(in(haupt.get(), "Text1h_0")->text(), s("Erika Muster"));
    solar = openSolar();
    QVERIFY(solar);
    QCOMPARE(in<QComboBox>(solar, "cmbDeg13_1")->currentIndex(), 22);
    QCOMPARE(in(solar, "Text1_0")->text(), s("Krebs"));
    QCOMPARE(texts(solar, "txtTime4"), s("||"));
    press(solar, "Command7"); // "Abbrechen"
    QTRY_VERIFY(solar.isNull());

    // A new person: the next opening starts empty, and what is entered then
    // comes back at the opening after.
    press(haupt.get(), "Command7"); // "Neue Berechnung starten"
    solar = openSolar();
    QVERIFY(solar);
    QCOMPARE(in<QComboBox>(solar, "cmbDeg13_1")->currentIndex(), 0);
    QCOMPARE(in(solar, "Text1_0")->text(), QString());
    QCOMPARE(texts(solar, "txtDateh"), s("||"));
    type(solar, "Text1_0", "Widder");
    pick(solar, "cmbDeg1", "5|6|7");
    solar->close(); // the close box
    QTRY_VERIFY(solar.isNull());

    solar = openSolar();
    QVERIFY(solar);
    QCOMPARE(in(solar, "Text1_0")->text(), s("Widder"));
    QCOMPARE(texts(solar, "txtDeg02"), s("5|6|7"));
    QTest::keyClick(solar, Qt::Key_Escape);
    QTRY_VERIFY(solar.isNull());
    quitProgram();
}

QTEST_MAIN(tst_SolarEndToEnd)
#include "tst_solar_endtoend.moc"
