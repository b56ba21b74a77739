#include "main/haupt.h"
#include "settings/store.h"
#include "solar/solarform.h"
#include "tests/support/testsupport.h"
#include "ui/resultlist.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <memory>

// A Solar return worked through as a user does it: the person's data typed on
// the main window, the calculator opened from there, every position picked
// and every step pressed, the row read back from the main window's list, and
// all of it found again after the program has been started anew.
class tst_SolarEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void wholeCalculationAndRestart();

private:
    void startProgram();
    void quitProgram();
    SolarForm *openSolar();
    template <typename T = QWidget> T *in(QWidget *window, const char *name)
    {
        T *control = window->findChild<T *>(QLatin1String(name));
        if (!control)
            qWarning("no control %s", name);
        return control;
    }
    void press(QWidget *window, const char *button)
    {
        QTest::mouseClick(in<QPushButton>(window, button), Qt::LeftButton);
    }
    void type(QWidget *window, const char *field, const QString &text);
    void pick(QWidget *window, const char *pickers, int degrees, int minutes, int seconds);
    QStringList texts(QWidget *window, const char *fields);

    IsolatedStore store;
    RecordingServices recorder;
    std::unique_ptr<Haupt> haupt;
};

void tst_SolarEndToEnd::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QVERIFY(store.clear());
}

void tst_SolarEndToEnd::cleanup()
{
    haupt.reset();
}

void tst_SolarEndToEnd::startProgram()
{
    haupt = std::make_unique<Haupt>();
    haupt->show();
    QVERIFY(QTest::qWaitForWindowActive(haupt.get()));
}

void tst_SolarEndToEnd::quitProgram()
{
    press(haupt.get(), "Command8"); // "Beenden"
    QVERIFY(!haupt->isVisible());
    haupt.reset();
}

SolarForm *tst_SolarEndToEnd::openSolar()
{
    press(haupt.get(), "Command2"); // "1. Solarhoroskop"
    auto *form = haupt->findChild<SolarForm *>();
    if (form && !QTest::qWaitForWindowActive(form))
        qWarning("the Solar form did not become active");
    return form;
}

// Clicks into the field (selecting its text) and types over it.
void tst_SolarEndToEnd::type(QWidget *window, const char *field, const QString &text)
{
    QLineEdit *target = in<QLineEdit>(window, field);
    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(4, target->height() / 2));
    QTest::keyClicks(target, text);
}

// A choice in each of the three lists, as the user makes it.
void tst_SolarEndToEnd::pick(QWidget *window, const char *pickers, int degrees, int minutes,
                             int seconds)
{
    const int positions[] = {degrees, minutes, seconds};
    for (int i = 0; i < 3; ++i) {
        const QString name = QLatin1String(pickers) + u'_' + QString::number(i);
        window->findChild<QComboBox *>(name)->setCurrentIndex(positions[i]);
    }
}

QStringList tst_SolarEndToEnd::texts(QWidget *window, const char *fields)
{
    QStringList result;
    for (int i = 0; i < 3; ++i) {
        const QString name = QLatin1String(fields) + u'_' + QString::number(i);
        result << window->findChild<QLineEdit *>(name)->text();
    }
    return result;
}

void tst_SolarEndToEnd::wholeCalculationAndRestart()
{
    startProgram();
    type(haupt.get(), "Text1h_0", QStringLiteral("Erika Muster"));
    type(haupt.get(), "txtDateh_0", QStringLiteral("3"));
    type(haupt.get(), "txtDateh_1", QStringLiteral("7"));
    type(haupt.get(), "txtDateh_2", QStringLiteral("1975"));
    type(haupt.get(), "Text3h_0", QStringLiteral("Berlin"));

    QPointer<SolarForm> solar = openSolar();
    QVERIFY(solar);
    QVERIFY(solar->isModal());
    QCOMPARE(texts(solar, "txtDateh"),
             QStringList({QStringLiteral("3"), QStringLiteral("7"), QStringLiteral("1975")}));
    type(solar, "Text1_0", QStringLiteral("Krebs"));
    type(solar, "Text1_1", QStringLiteral("2024"));
    pick(solar, "cmbDeg13", 14, 22, 30);
    pick(solar, "cmbDeg1", 13, 50, 10);
    pick(solar, "cmbDeg2", 14, 47, 25);
    press(solar, "Command2");
    press(solar, "Command3");
    press(solar, "Command6"); // on to "Schritt 4-5"
    QCOMPARE(in<QTabWidget>(solar, "SSTab1")->currentIndex(), 1);
    press(solar, "Command4");
    QCOMPARE(texts(solar, "txtTime1"),
             QStringList({QStringLiteral("13"), QStringLiteral("33"), QStringLiteral("17")}));
    QCOMPARE(in<QComboBox>(solar, "cmbGMT")->currentText(), QStringLiteral("+1"));
    press(solar, "Command1");
    QCOMPARE(in<QComboBox>(solar, "Combo1")->currentText(), QStringLiteral("+0h"));
    type(solar, "Text1_2", QStringLiteral("12"));
    type(solar, "Text1_3", QStringLiteral("7"));
    type(solar, "Text1_4", QStringLiteral("2024"));
    press(solar, "Command5");
    press(solar, "Command6");
    QTRY_VERIFY(solar.isNull());
    QVERIFY(recorder.messages.isEmpty());

    const ResultRow expected{QStringLiteral("Solar"), QStringLiteral("12.7.2024"),
                             QStringLiteral("14h33m17s")};
    QCOMPARE(haupt->resultList().rowCount(), 1);
    QCOMPARE(haupt->resultList().row(1), expected);
    auto *name = in<QLineEdit>(haupt.get(), "Text1h_0");
    // The name field takes the focus as soon as the desktop makes the main
    // window active again (the offscreen test platform does not).
    QCOMPARE(haupt->focusWidget(), name);
    QCOMPARE(name->selectedText(), QStringLiteral("Erika Muster"));

    // The program ends and starts again over the same store.
    quitProgram();
    startProgram();
    QCOMPARE(haupt->resultList().rowCount(), 1);
    QCOMPARE(haupt->resultList().row(1), expected);
    QCOMPARE(in<QLineEdit>(haupt.get(), "Text1h_0")->text(), QStringLiteral("Erika Muster"));
    QCOMPARE(in<QLineEdit>(haupt.get(), "Text3h_0")->text(), QStringLiteral("Berlin"));
    solar = openSolar();
    QVERIFY(solar);
    QCOMPARE(in<QComboBox>(solar, "cmbDeg13_1")->currentIndex(), 22);
    QCOMPARE(in<QComboBox>(solar, "cmbDeg5_2")->currentIndex(), 30);
    QCOMPARE(texts(solar, "txtDeg01"),
             QStringList({QStringLiteral("14"), QStringLiteral("47"), QStringLiteral("25")}));
    QCOMPARE(texts(solar, "txtDeg03"),
             QStringList({QStringLiteral("13"), QStringLiteral("50"), QStringLiteral("10")}));
    QCOMPARE(in<QLineEdit>(solar, "Text1_0")->text(), QStringLiteral("Krebs"));
    QCOMPARE(in<QLineEdit>(solar, "Text1_4")->text(), QStringLiteral("2024"));
    QCOMPARE(texts(solar, "txtTime4"), QStringList({QString(), QString(), QString()}));
    press(solar, "Command7"); // "Abbrechen"
    QTRY_VERIFY(solar.isNull());
    QCOMPARE(haupt->resultList().rowCount(), 1);

    // A new person: the next opening starts without the entries of the last
    // one, and what is entered then comes back at the opening after.
    press(haupt.get(), "Command7"); // "Neue Berechnung starten"
    solar = openSolar();
    QVERIFY(solar);
    QCOMPARE(in<QComboBox>(solar, "cmbDeg13_1")->currentIndex(), 0);
    QCOMPARE(in<QLineEdit>(solar, "Text1_0")->text(), QString());
    QCOMPARE(texts(solar, "txtDateh"), QStringList({QString(), QString(), QString()}));
    type(solar, "Text1_0", QStringLiteral("Widder"));
    pick(solar, "cmbDeg1", 5, 6, 7);
    solar->close(); // the close box
    QTRY_VERIFY(solar.isNull());

    solar = openSolar();
    QVERIFY(solar);
    QCOMPARE(in<QLineEdit>(solar, "Text1_0")->text(), QStringLiteral("Widder"));
    QCOMPARE(texts(solar, "txtDeg02"),
             QStringList({QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7")}));
    QCOMPARE(in<QComboBox>(solar, "cmbDeg13_1")->currentIndex(), 0);
    QTest::keyClick(solar, Qt::Key_Escape);
    QTRY_VERIFY(solar.isNull());
    quitProgram();
}

QTEST_MAIN(tst_SolarEndToEnd)
#include "tst_solar_endtoend.moc"
