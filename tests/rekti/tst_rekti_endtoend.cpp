#include "main/haupt.h"
#include "rekti/rektiform.h"
#include "settings/store.h"
#include "tests/support/testsupport.h"
#include "ui/resultlist.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
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
    void quitProgram();
    RektiForm *openRekti();
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
    void type(QWidget *window, const char *field, const char *text);
    void typeTriple(QWidget *window, const char *fields, std::initializer_list<const char *> texts);
    QStringList texts(QWidget *window, const char *fields, int count = 3);

    IsolatedStore store;
    std::unique_ptr<RecordingServices> recorder;
    std::unique_ptr<Haupt> haupt;
};

namespace {

QStringList strings(std::initializer_list<const char *> texts)
{
    QStringList result;
    for (const char *text : texts)
        result << QString::fromUtf8(text);
    return result;
}

} // namespace

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
    haupt = std::make_unique<Haupt>();
    haupt->show();
    QVERIFY(QTest::qWaitForWindowActive(haupt.get()));
}

void tst_RektiEndToEnd::quitProgram()
{
    press(haupt.get(), "Command8"); // "Beenden"
    QVERIFY(!haupt->isVisible());
    haupt.reset();
}

RektiForm *tst_RektiEndToEnd::openRekti()
{
    press(haupt.get(), "Command3"); // "2. Rektifikation mit primär dirigierten Achsen"
    auto *form = haupt->findChild<RektiForm *>();
    if (form && !QTest::qWaitForWindowActive(form))
        qWarning("the rectification form did not become active");
    return form;
}

// Brings the field's page forward, clicks into the field (selecting its text)
// and types over it.
void tst_RektiEndToEnd::type(QWidget *window, const char *field, const char *text)
{
    QLineEdit *target = in<QLineEdit>(window, field);
    if (auto *tabs = window->findChild<QTabWidget *>(QStringLiteral("SSTab1"))) {
        for (int page = 0; page < tabs->count(); ++page) {
            if (tabs->widget(page)->isAncestorOf(target))
                tabs->setCurrentIndex(page);
        }
    }
    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(4, target->height() / 2));
    QTest::keyClicks(target, QString::fromUtf8(text));
}

void tst_RektiEndToEnd::typeTriple(QWidget *window, const char *fields,
                                   std::initializer_list<const char *> texts)
{
    int i = 0;
    for (const char *text : texts) {
        const QByteArray name = QByteArray(fields) + '_' + QByteArray::number(i++);
        type(window, name.constData(), text);
    }
}

QStringList tst_RektiEndToEnd::texts(QWidget *window, const char *fields, int count)
{
    QStringList result;
    for (int i = 0; i < count; ++i)
        result << window->findChild<QLineEdit *>(QLatin1String(fields) + u'_' + QString::number(i))
                      ->text();
    return result;
}

void tst_RektiEndToEnd::wholeRectificationAndRestart_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany);
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates);
}

void tst_RektiEndToEnd::wholeRectificationAndRestart()
{
    QFETCH(QLocale, locale);
    QLocale::setDefault(locale);
    startProgram();
    type(haupt.get(), "Text1h_0", "Erika Muster");
    typeTriple(haupt.get(), "txtDateh", {"12", "3", "1980"});

    QPointer<RektiForm> rekti = openRekti();
    QVERIFY(rekti);
    QCOMPARE(rekti->windowModality(), Qt::ApplicationModal);
    QCOMPARE(in<QLineEdit>(rekti, "Text1_0")->text(), QStringLiteral("Erika Muster"));
    QCOMPARE(texts(rekti, "txtDateh"), strings({"12", "3", "1980"}));
    auto *tabs = in<QTabWidget>(rekti, "SSTab1");

    // Page "Schritt 1-4".
    typeTriple(rekti, "txtTime0", {"6", "2", "10"});
    type(rekti, "Text7_0", "Hochzeit");
    typeTriple(rekti, "txtJahre", {"34", "120"});
    for (const char *step : {"Command2", "Command3", "Command4", "Command5", "Command6"})
        press(rekti, step);
    QCOMPARE(texts(rekti, "txtTime5"), strings({"8", "17", "30"}));
    press(rekti, "Command1");
    QCOMPARE(tabs->currentIndex(), 1);

    // Page "Schritt 5".
    typeTriple(rekti, "txtSternZeit1", {"8", "16"});
    typeTriple(rekti, "txtSTernZeit2", {"8", "20"});
    typeTriple(rekti, "txtDeg3", {"15", "20", "0"});
    typeTriple(rekti, "txtDeg4", {"14", "18", "30"});
    typeTriple(rekti, "txtDeg6", {"14", "50", "10"});
    typeTriple(rekti, "txtDeg7", {"14", "18", "30"});
    for (const char *step : {"Command7", "Command8", "Command9"})
        press(rekti, step);
    QCOMPARE(texts(rekti, "txtDeg11"), strings({"0", "30", "54"}));
    press(rekti, "Command1");
    QCOMPARE(tabs->currentIndex(), 2);

    // Page "Schritt 6-8".
    type(rekti, "Text5", "123");
    for (const char *step : {"Command10", "Command11", "Command12", "Command13"})
        press(rekti, step);
    QCOMPARE(texts(rekti, "txtDeg16"), strings({"89", "40", "56"}));
    QCOMPARE(texts(rekti, "txtTime9"), strings({"0", "-3", "-26"}));
    QCOMPARE(recorder->messages, QList<RecordedMessage>());

    press(rekti, "Command1");
    QTRY_VERIFY(rekti.isNull());
    const ResultRow row{QStringLiteral("Rektifikation"), QStringLiteral("Hochzeit"),
                        QStringLiteral("0h-3m-26s")};
    QCOMPARE(haupt->resultList().rowCount(), 1);
    QCOMPARE(haupt->resultList().row(1), row);
    QCOMPARE(haupt->focusWidget(), in<QLineEdit>(haupt.get(), "Text1h_0"));

    // A new run of the program: the row and the entries are back, the
    // results of the steps are not.
    quitProgram();
    startProgram();
    QCOMPARE(haupt->resultList().rowCount(), 1);
    QCOMPARE(haupt->resultList().row(1), row);
    rekti = openRekti();
    QVERIFY(rekti);
    QCOMPARE(in<QLineEdit>(rekti, "Text1_0")->text(), QStringLiteral("Erika Muster"));
    QCOMPARE(texts(rekti, "txtTime0"), strings({"6", "2", "10"}));
    QCOMPARE(texts(rekti, "txtTime7"), strings({"6", "2", "10"}));
    QCOMPARE(texts(rekti, "txtJahre2", 2), strings({"34", "120"}));
    QCOMPARE(texts(rekti, "txtDeg6"), strings({"14", "50", "10"}));
    QCOMPARE(texts(rekti, "txtSTernZeit2", 2), strings({"8", "20"}));
    QCOMPARE(in<QLineEdit>(rekti, "Text7_0")->text(), QStringLiteral("Hochzeit"));
    QCOMPARE(texts(rekti, "txtDeg16"), strings({"", "", ""}));
    QCOMPARE(texts(rekti, "txtTime9"), strings({"", "", ""}));
    QVERIFY(!rekti->resultReady());
    QCOMPARE(recorder->messages, QList<RecordedMessage>());
    press(rekti, "Command14");
    QTRY_VERIFY(rekti.isNull());
    QCOMPARE(haupt->resultList().rowCount(), 1);
}

void tst_RektiEndToEnd::newCalculationOpensEmpty()
{
    startProgram();
    type(haupt.get(), "Text1h_0", "Erika Muster");
    QPointer<RektiForm> rekti = openRekti();
    typeTriple(rekti, "txtJahre", {"34", "120"});
    type(rekti, "Text7_0", "Hochzeit");
    press(rekti, "Command14");
    QTRY_VERIFY(rekti.isNull());

    press(haupt.get(), "Command7"); // "Neue Berechnung starten"
    rekti = openRekti();
    QVERIFY(rekti);
    QCOMPARE(in<QLineEdit>(rekti, "Text1_0")->text(), QString());
    QCOMPARE(texts(rekti, "txtJahre", 2), strings({"", ""}));
    QCOMPARE(in<QLineEdit>(rekti, "Text7_0")->text(), QString());
    typeTriple(rekti, "txtJahre", {"40", "7"});
    press(rekti, "Command14");
    QTRY_VERIFY(rekti.isNull());

    // Closing ended the new calculation: the next opening restores again.
    type(haupt.get(), "Text1h_0", "Max Muster");
    rekti = openRekti();
    QCOMPARE(texts(rekti, "txtJahre", 2), strings({"40", "7"}));
    QCOMPARE(texts(rekti, "txtJahre2", 2), strings({"40", "7"}));
    QCOMPARE(in<QLineEdit>(rekti, "Text1_0")->text(), QStringLiteral("Max Muster"));
    press(rekti, "Command14");
    QTRY_VERIFY(rekti.isNull());
}

QTEST_MAIN(tst_RektiEndToEnd)
#include "tst_rekti_endtoend.moc"
