#include "main/haupt.h"
#include "rekti/rektiform.h"
#include "tests/support/testsupport.h"
#include "ui/resultlist.h"

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
    RektiForm *openRekti();
    // Blank-separated actions on a window: "field=text", "array=a,b,c" (its
    // elements in turn) or a button to press.
    void run(QWidget *window, const QString &actions);
    QString texts(QWidget *window, const char *array, int count = 3); // "a b c"

    IsolatedStore store;
    std::unique_ptr<RecordingServices> recorder;
    std::unique_ptr<Haupt> haupt;
};

namespace {

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

// Brings the field's page forward, clicks into the field (selecting its text)
// and types over it.
void type(QWidget *window, const QString &name, const QString &text)
{
    auto *field = window->findChild<QLineEdit *>(name);
    QVERIFY2(field, qPrintable(name));
    if (auto *tabs = window->findChild<QTabWidget *>(QStringLiteral("SSTab1"))) {
        for (int page = 0; page < tabs->count(); ++page) {
            if (tabs->widget(page)->isAncestorOf(field))
                tabs->setCurrentIndex(page);
        }
    }
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(4, field->height() / 2));
    QTest::keyClicks(field, text);
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

RektiForm *tst_RektiEndToEnd::openRekti()
{
    run(haupt.get(), s("Command3")); // "2. Rektifikation mit primär dirigierten Achsen"
    auto *form = haupt->findChild<RektiForm *>();
    if (form && !QTest::qWaitForWindowActive(form))
        qWarning("the rectification form did not become active");
    return form;
}

void tst_RektiEndToEnd::run(QWidget *window, const QString &actions)
{
    for (const QString &action : actions.split(u' ', Qt::SkipEmptyParts)) {
        const QString name = action.section(u'=', 0, 0);
        const QStringList values = action.section(u'=', 1).split(u',');
        if (!action.contains(u'=')) {
            auto *button = window->findChild<QPushButton *>(action);
            QVERIFY2(button, qPrintable(action));
            QTest::mouseClick(button, Qt::LeftButton);
        } else if (values.size() == 1) {
            type(window, name, values.first());
        } else {
            for (int i = 0; i < values.size(); ++i)
                type(window, name + u'_' + QString::number(i), values[i]);
        }
    }
}

QString tst_RektiEndToEnd::texts(QWidget *window, const char *array, int count)
{
    QStringList result;
    for (int i = 0; i < count; ++i)
        result << window->findChild<QLineEdit *>(s(array) + u'_' + QString::number(i))->text();
    return result.join(u' ');
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
    run(haupt.get(), s("Text1h_0=Erika txtDateh=12,3,1980"));

    QPointer<RektiForm> rekti = openRekti();
    QVERIFY(rekti);
    QCOMPARE(rekti->windowModality(), Qt::ApplicationModal);
    QCOMPARE(texts(rekti, "Text1", 1) + u' ' + texts(rekti, "txtDateh"), s("Erika 12 3 1980"));
    auto *tabs = rekti->findChild<QTabWidget *>(QStringLiteral("SSTab1"));

    // "Schritt 1-4": the age at the event as decimal years, in the
    // desktop's notation, gives the direction arc; the arc, turned into
    // time, added to the sidereal time of birth gives that of the event.
    run(rekti, s("txtTime0=6,2,10 Text7_0=Hochzeit txtJahre=34,120 Command2"));
    QCOMPARE(texts(rekti, "Text1", 4).section(u' ', 3), decimalYears);
    run(rekti, s("Command3 Command4 Command5 Command6"));
    QCOMPARE(texts(rekti, "txtDeg1") + u'|' + texts(rekti, "txtTime3"), s("33 49 58|2 15 20"));
    QCOMPARE(texts(rekti, "txtTime5"), s("8 17 30"));
    run(rekti, s("Command1"));
    QCOMPARE(tabs->currentIndex(), 1);

    // "Schritt 5": interpolation in the house tables.
    run(rekti, s("txtSternZeit1=8,16 txtSTernZeit2=8,20 txtDeg3=15,20,0 txtDeg4=14,18,30 "
                 "txtDeg6=14,50,10 txtDeg7=14,18,30 Command7 Command8 Command9"));
    QCOMPARE(texts(rekti, "txtDeg11"), s("0 30 54"));
    run(rekti, s("Command1"));
    QCOMPARE(tabs->currentIndex(), 2);

    // "Schritt 6-8": the corrected RAMC, in time, less the sidereal time of birth.
    run(rekti, s("Text5=123 Command10 Command11 Command12"));
    QCOMPARE(texts(rekti, "txtDeg16"), s("89 40 56"));
    QVERIFY(!rekti->resultReady());
    run(rekti, s("Command13"));
    QCOMPARE(texts(rekti, "txtTime9"), s("0 -3 -26"));
    QVERIFY(rekti->resultReady());
    QCOMPARE(recorder->messages, QList<RecordedMessage>());

    run(rekti, s("Command1"));
    QTRY_VERIFY(rekti.isNull());
    const ResultRow row{s("Rektifikation"), s("Hochzeit"), s("0h-3m-26s")};
    QCOMPARE(haupt->resultList().rowCount(), 1);
    QCOMPARE(haupt->resultList().row(1), row);
    QCOMPARE(haupt->focusWidget(), haupt->findChild<QLineEdit *>(s("Text1h_0")));

    // A new run of the program: the row and the entries are back, the
    // results of the steps are not.
    run(haupt.get(), s("Command8")); // "Beenden"
    QVERIFY(!haupt->isVisible());
    haupt.reset();
    startProgram();
    QCOMPARE(haupt->resultList().rowCount(), 1);
    QCOMPARE(haupt->resultList().row(1), row);
    rekti = openRekti();
    QVERIFY(rekti);
    QCOMPARE(texts(rekti, "Text1", 1) + u'|' + texts(rekti, "txtTime0") + u'|' +
                 texts(rekti, "txtTime7") + u'|' + texts(rekti, "txtJahre2", 2) + u'|' +
                 texts(rekti, "txtDeg6") + u'|' + texts(rekti, "txtSTernZeit2", 2) + u'|' +
                 texts(rekti, "Text7", 1),
             s("Erika|6 2 10|6 2 10|34 120|14 50 10|8 20|Hochzeit"));
    QCOMPARE(texts(rekti, "txtDeg16") + u'|' + texts(rekti, "txtTime9"), s("  |  "));
    QVERIFY(!rekti->resultReady());
    QCOMPARE(recorder->messages, QList<RecordedMessage>());
    run(rekti, s("Command14"));
    QTRY_VERIFY(rekti.isNull());
    QCOMPARE(haupt->resultList().rowCount(), 1);
}

// "Neue Berechnung starten": the next opening starts empty, and what is
// entered then comes back at the opening after.
void tst_RektiEndToEnd::newCalculationOpensEmpty()
{
    startProgram();
    run(haupt.get(), s("Text1h_0=Erika"));
    QPointer<RektiForm> rekti = openRekti();
    run(rekti, s("txtJahre=34,120 Text7_0=Hochzeit Command14"));
    QTRY_VERIFY(rekti.isNull());

    run(haupt.get(), s("Command7"));
    rekti = openRekti();
    QVERIFY(rekti);
    QCOMPARE(texts(rekti, "Text1", 1) + u'|' + texts(rekti, "txtJahre", 2) + u'|' +
                 texts(rekti, "Text7", 1),
             s("| |"));
    run(rekti, s("txtJahre=40,7 Command14"));
    QTRY_VERIFY(rekti.isNull());

    run(haupt.get(), s("Text1h_0=Max"));
    rekti = openRekti();
    QCOMPARE(texts(rekti, "Text1", 1) + u'|' + texts(rekti, "txtJahre", 2) + u'|' +
                 texts(rekti, "txtJahre2", 2),
             s("Max|40 7|40 7"));
    run(rekti, s("Command14"));
    QTRY_VERIFY(rekti.isNull());
}

QTEST_MAIN(tst_RektiEndToEnd)
#include "tst_rekti_endtoend.moc"
