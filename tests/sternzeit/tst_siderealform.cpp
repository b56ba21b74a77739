#include "main/mainwindow.h"
#include "rekti/rectificationform.h"
#include "sternzeit/siderealform.h"
#include "tests/support/testsupport.h"
#include "ui/resultlist.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;
using namespace Core;
using namespace App;

using Action = std::function<void(QWidget *form)>;
Q_DECLARE_METATYPE(Action)

namespace {

QDialog *openSidereal(MainWindow &window)
{
    click(&window, "cmdSternzeit");
    return window.findChild<QDialog *>(u"Sternzeit"_s);
}

void pressSteps(QWidget *form)
{
    for (const char *step :
         {"cmdWeltzeit", "cmdZuschlag", "cmdLaengeZeit", "cmdSumme", "cmdErgebnis"})
        click(form, step);
}

// The birth in Berlin of the document, typed into the form.
void typeBerlin(QWidget *form)
{
    type(form, "txtDateh", {u"1"_s, u"2"_s, u"1987"_s});
    type(form, "txtTime0", {u"14"_s, u"35"_s, u"0"_s});
    type(form, "txtLaenge", {u"13"_s, u"24"_s});
    type(form, "txtEphemeride", {u"8"_s, u"42"_s, u"41"_s});
}

} // namespace

// The form "Sternzeit der Geburt" as a user works it from the main window and
// from the rectification: the worked examples to their rows, every message it
// shows, the keyboard alone, its entries kept as they are typed.
class tst_SiderealForm : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_store.clear()); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // "4. Sternzeit der Geburt" opens the form modally with the person's birth.
    void mainWindowButton()
    {
        RecordingServices recorder;
        MainWindow window;
        QCOMPARE(window.findChild<QPushButton *>(u"cmdSternzeit"_s)->text(),
                 u"4. Sternzeit der Geburt"_s);
        type(&window, "txtDateh", {u"1"_s, u"2"_s, u"1987"_s});
        type(&window, "txtTime0h", {u"14"_s, u"35"_s, u"0"_s});
        typeInto(&window, "Text3h_0", u"Berlin"_s);
        QDialog *form = openSidereal(window);
        QVERIFY(form && form->isVisible() && form->isModal());
        QCOMPARE(form->windowTitle(), u"Sternzeit der Geburt"_s);
        QCOMPARE(shown(form, "txtDateh") + u' ' + shown(form, "txtTime1"), u"1|2|1987 14|35|0"_s);
        QCOMPARE(form->findChild<QLineEdit *>(u"Text3_0"_s)->text(), u"Berlin"_s);
        QCOMPARE(form->findChild<QComboBox *>(u"cmbZone_0"_s)->currentText(), u"+1"_s);
    }

    // The three births of the document "Berechnung der Sternzeit" to their
    // rows; the sheet writes the steps, the check finds them right.
    void workedExamples_data()
    {
        QTest::addColumn<QStringList>(
            "birth"); // day, month, year, h, m, s, zone, degrees, minutes, side
        QTest::addColumn<QStringList>("ephemeris");
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("dayChoice");
        QTest::addColumn<QString>("result");
        QTest::newRow("Berlin, 14.35 MEZ")
            << QStringList{u"1"_s, u"2"_s,  u"1987"_s, u"14"_s, u"35"_s,
                           u"0"_s, u"+1"_s, u"13"_s,   u"24"_s, u"O"_s}
            << QStringList{u"8"_s, u"42"_s, u"41"_s} << u"01.02.1987"_s << u"+0h"_s
            << u"23h13m31s"_s;
        QTest::newRow("Berlin, 0.20 MEZ: the day before")
            << QStringList{u"2"_s, u"2"_s,  u"1987"_s, u"0"_s,  u"20"_s,
                           u"0"_s, u"+1"_s, u"13"_s,   u"24"_s, u"O"_s}
            << QStringList{u"8"_s, u"42"_s, u"41"_s} << u"01.02.1987"_s << u"-24h"_s << u"9h0m7s"_s;
        QTest::newRow("New York, 23.10: the day after, west")
            << QStringList{u"1"_s, u"2"_s,  u"1987"_s, u"23"_s, u"10"_s,
                           u"0"_s, u"-5"_s, u"74"_s,   u"0"_s,  u"W"_s}
            << QStringList{u"8"_s, u"46"_s, u"37"_s} << u"02.02.1987"_s << u"+0h"_s << u"8h1m18s"_s;
    }

    void workedExamples()
    {
        QFETCH(QStringList, birth);
        QFETCH(QStringList, ephemeris);
        QFETCH(QString, day);
        QFETCH(QString, dayChoice);
        QFETCH(QString, result);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        RecordingServices recorder;
        MainWindow window;
        QDialog *form = openSidereal(window);
        type(form, "txtDateh", birth.mid(0, 3));
        type(form, "txtTime0", birth.mid(3, 3));
        choose(form, "cmbZone_0", birth[6]);
        type(form, "txtLaenge", birth.mid(7, 2));
        choose(form, "cmbLaenge_0", birth[9]);
        type(form, "txtEphemeride", ephemeris);
        pressSteps(form);
        QCOMPARE(recorder.messages, QStringList());
        QCOMPARE(form->findChild<QLineEdit *>(u"txtEphemeridentag_0"_s)->text(), day);
        QCOMPARE(form->findChild<QComboBox *>(u"cmbTag_0"_s)->currentText(), dayChoice);
        const Sheets::Sheet sheet = static_cast<Sidereal::SiderealForm *>(form)->calculationSheet();
        QVERIFY(sheet.closing && sheet.closing->finding.startsWith(u"Ihre Rechnung ist richtig"_s));
        click(form, "cmdOkay");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window.findChild<QDialog *>(u"Sternzeit"_s));
        QCOMPARE(window.resultList().row(1),
                 (ResultRow{u"Sternzeit"_s, birth[0] + u'.' + birth[1] + u'.' + birth[2], result}));
    }

    // Every message the form shows, each with what leads to it.
    void messages_data()
    {
        QTest::addColumn<Action>("action");
        QTest::addColumn<QString>("message");
        const QString invalid = u"Solar und GZK: Bitte nur gültige Zahlen eingeben!"_s;
        QTest::newRow("day 32") << Action([](QWidget *f) { typeInto(f, "txtDateh_0", u"32"_s); })
                                << invalid;
        QTest::newRow("hour 24") << Action([](QWidget *f) { typeInto(f, "txtTime0_0", u"24"_s); })
                                 << invalid;
        QTest::newRow("181°") << Action([](QWidget *f) { typeInto(f, "txtLaenge_0", u"181"_s); })
                              << invalid;
        QTest::newRow("60'") << Action([](QWidget *f) { typeInto(f, "txtLaenge_1", u"60"_s); })
                             << invalid;
        QTest::newRow("ephemeris 24 h") << Action([](QWidget *f) {
            type(f, "txtEphemeride", {u"23"_s, u"59"_s, u"59"_s});
            typeInto(f, "txtEphemeride_0", u"24"_s);
            QCOMPARE(shown(f, "txtTime6"), u"2|59|59"_s);
        }) << u"Sternzeit: Zeit ungültig!"_s;
        QTest::newRow("31 February") << Action([](QWidget *f) {
            type(f, "txtDateh", {u"31"_s, u"2"_s, u"1987"_s});
            click(f, "cmdWeltzeit");
        }) << u"Sternzeit: Datum ungültig!"_s;
        QTest::newRow("180°30'") << Action([](QWidget *f) {
            type(f, "txtLaenge", {u"180"_s, u"30"_s});
            click(f, "cmdLaengeZeit");
        }) << u"Sternzeit: Die Länge ist maximal 180° möglich!"_s;
        QTest::newRow("sum left above a day") << Action([](QWidget *f) {
            typeBerlin(f);
            typeInto(f, "txtTime0_0", u"23"_s);
            for (const char *step : {"cmdWeltzeit", "cmdZuschlag", "cmdLaengeZeit", "cmdSumme"})
                click(f, step);
            choose(f, "cmbTag_0", u"+0h"_s);
            click(f, "cmdErgebnis");
        }) << u"Sternzeit: Die Sternzeit muss zwischen 0h und 24h liegen!"_s;
        QTest::newRow("Okay before step 5") << Action([](QWidget *f) { click(f, "cmdOkay"); })
                                            << u"Sternzeit: Die Sternzeit der Geburt ist noch "
                                               "nicht berechnet: bitte zuerst die Schritte bis "
                                               "Schritt 5 rechnen."_s;
        QTest::newRow("Okay on a stale result")
            << Action([](QWidget *f) {
                   typeBerlin(f);
                   pressSteps(f);
                   typeInto(f, "txtLaenge_1", u"25"_s);
                   click(f, "cmdOkay");
               })
            << u"Sternzeit: Das Endergebnis passt nicht mehr zu den Eingaben. Bitte ab Schritt 4 "
               "neu rechnen."_s;
        QTest::newRow("check of nothing")
            << Action([](QWidget *f) { click(f, "cmdKontrolle"); })
            << u"Kontrolle: Für die Kontrolle fehlt die Rechnung: bitte zuerst die Schritte "
               "rechnen."_s;
        QTest::newRow("check without a date") << Action([](QWidget *f) {
            typeBerlin(f);
            typeInto(f, "txtDateh_0", QString());
            click(f, "cmdLaengeZeit");
            click(f, "cmdKontrolle");
        }) << u"Kontrolle: Für die Kontrolle fehlen: Geburtsdatum."_s;
    }

    void messages()
    {
        QFETCH(Action, action);
        QFETCH(QString, message);
        RecordingServices recorder;
        MainWindow window;
        QDialog *form = openSidereal(window);
        action(form);
        QCOMPARE(recorder.messages, QStringList{message});
        QVERIFY(form->isVisible());
        QCOMPARE(window.resultList().rowCount(), 0);
    }

    // A full list takes no row: the form stays open with its result.
    void fullList()
    {
        RecordingServices recorder;
        MainWindow window;
        window.resultList().appendRows(QList<ResultRow>(Gui::ResultList::MaxRows, ResultRow{}));
        QDialog *form = openSidereal(window);
        typeBerlin(form);
        pressSteps(form);
        click(form, "cmdOkay");
        QCOMPARE(recorder.messages, QStringList{u"Sternzeit: Liste ist voll"_s});
        QVERIFY(form->isVisible());
    }

    // Tab, Enter and F1 alone: from the main window's button through every
    // entry and step to the row, the document on F1.
    void keyboardOnly()
    {
        RecordingServices recorder;
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto *button = window.findChild<QPushButton *>(u"cmdSternzeit"_s);
        // From the last link (Tab first selects its link, then leaves it).
        QWidget *link = window.findChild<QWidget *>(u"Label7"_s);
        link->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < 3 && QApplication::focusWidget() == link; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), button);
        QTest::keyClick(button, Qt::Key_Return);
        QDialog *form = window.findChild<QDialog *>(u"Sternzeit"_s);
        QVERIFY(form);
        QTRY_COMPARE(QApplication::activeWindow(), form);
        // Each text is typed where the focus is; an empty text passes a list
        // or a field left as it is; "=" is Enter on a button.
        const QStringList keys{u"1"_s,  u"2"_s,  u"1987"_s, u"Berlin"_s, u"14"_s, u"35"_s, u"0"_s,
                               u""_s,   u"13"_s, u"24"_s,   u""_s,       u"="_s,  u"8"_s,  u"42"_s,
                               u"41"_s, u"="_s,  u"="_s,    u"="_s,      u""_s,   u"="_s};
        QCOMPARE(QApplication::focusWidget()->objectName(), u"txtDateh_0"_s);
        for (const QString &key : keys) {
            QWidget *focus = QApplication::focusWidget();
            if (key == u"=")
                QTest::keyClick(focus, Qt::Key_Return);
            else if (!key.isEmpty())
                QTest::keyClicks(focus, key);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(recorder.messages, QStringList());
        QCOMPARE(shown(form, "txtTime11"), u"23|13|31"_s);
        QCOMPARE(QApplication::focusWidget()->objectName(), u"cmdOkay"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QCOMPARE(recorder.urls.size(), 1);
        QVERIFY(
            recorder.urls[0].toLocalFile().endsWith(u"/pdf/other/Berechnung der Sternzeit.pdf"_s));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(window.resultList().row(1),
                 (ResultRow{u"Sternzeit"_s, u"1.2.1987"_s, u"23h13m31s"_s}));
    }

    // From the rectification: the form opens over it with its birth; "Okay"
    // types the result into its sidereal time of birth, the steps that read it
    // no longer current, and the list takes no row. F1 explains the sidereal
    // time there, not the rectification.
    void fromTheRectification()
    {
        RecordingServices recorder;
        MainWindow window;
        type(&window, "txtDateh", {u"1"_s, u"2"_s, u"1987"_s});
        type(&window, "txtTime0h", {u"14"_s, u"35"_s, u"0"_s});
        window.show();
        click(&window, "Command3");
        auto *rectification = window.findChild<Rectification::RectificationForm *>();
        type(rectification, "txtTime0", {u"22"_s, u"50"_s, u"0"_s});
        type(rectification, "txtJahre", {u"34"_s, u"120"_s});
        for (const char *step : {"Command2", "Command3", "Command4", "Command5"})
            click(rectification, step);
        click(rectification, "cmdSternzeitRechnen");
        auto *form = rectification->findChild<QDialog *>(u"Sternzeit"_s);
        QVERIFY(form && form->isVisible());
        QTRY_COMPARE(QApplication::activeWindow(), form);
        QCOMPARE(shown(form, "txtDateh") + u' ' + shown(form, "txtTime0"), u"1|2|1987 14|35|0"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QCOMPARE(recorder.urls.size(), 1);
        QVERIFY(recorder.urls[0].toLocalFile().endsWith(u"Berechnung der Sternzeit.pdf"_s));
        type(form, "txtLaenge", {u"13"_s, u"24"_s});
        type(form, "txtEphemeride", {u"8"_s, u"42"_s, u"41"_s});
        pressSteps(form);
        click(form, "cmdOkay");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!rectification->findChild<QDialog *>(u"Sternzeit"_s));
        QCOMPARE(shown(rectification, "txtTime0") + u' ' + shown(rectification, "txtTime2"),
                 u"23|13|31 23|13|31"_s);
        QCOMPARE(rectification->state().status(Rectification::SumStep), StepLedger::Status::Stale);
        QCOMPARE(window.resultList().rowCount(), 0);
        QCOMPARE(recorder.messages, QStringList());
    }

    // What is typed reaches the store while the form is open, under the group
    // "Sternzeit" (a killed run keeps it); the next opening brings it back and
    // a new calculation clears it.
    void keptWhileTyping()
    {
        RecordingServices recorder;
        MainWindow window;
        QDialog *form = openSidereal(window);
        typeBerlin(form);
        choose(form, "cmbZone_0", u"+2"_s);
        choose(form, "cmbLaenge_0", u"W"_s);
        typeInto(form, "Text3_0", u"Berlin"_s);
        QTRY_COMPARE(Store::readSetting(u"velmora"_s, u"Sternzeit"_s, u"Text30"_s), u"Berlin"_s);
        QCOMPARE(Store::readSetting(u"velmora"_s, u"Sternzeit"_s, u"txtEphemeride1"_s), u"42"_s);
        closeNow(form);
        MainWindow again;
        form = openSidereal(again);
        QCOMPARE(shown(form, "txtDateh") + u' ' + shown(form, "txtTime0") + u' ' +
                     shown(form, "txtLaenge", 2) + u' ' + shown(form, "txtEphemeride"),
                 u"1|2|1987 14|35|0 13|24 8|42|41"_s);
        QCOMPARE(form->findChild<QComboBox *>(u"cmbZone_0"_s)->currentText(), u"+2"_s);
        QCOMPARE(form->findChild<QComboBox *>(u"cmbLaenge_0"_s)->currentText(), u"W"_s);
        QCOMPARE(recorder.messages, QStringList());
        closeNow(form);
        click(&again, "Command7");
        form = openSidereal(again);
        QCOMPARE(shown(form, "txtEphemeride"), u"||"_s);
        QCOMPARE(form->findChild<QComboBox *>(u"cmbZone_0"_s)->currentText(), u"+1"_s);
    }

private:
    IsolatedStore m_store;
};

QTEST_MAIN(tst_SiderealForm)
#include "tst_siderealform.moc"
