#include "main/mainwindow.h"
#include "tests/support/testsupport.h"
#include "ui/resultlist.h"

#include <QAccessible>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

using namespace Qt::StringLiterals;

// The Solar calculator as a user works it from the main window: the worked
// example to its row, the entries kept for the next opening, a new
// calculation, a full list.
class tst_SolarForm : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_store.clear()); }
    void workedExampleAndRestart();
    void fullListKeepsTheFormOpen();
    void check_data();
    void check();

private:
    IsolatedStore m_store;
};

namespace {

QDialog *openSolar(MainWindow &window)
{
    Click(&window, "Command2");
    return window.findChild<QDialog *>(u"Solar"_s);
}

void pick(QWidget *form, const char *lists, QList<int> positions)
{
    for (int i = 0; i < 3; ++i) {
        auto *list = form->findChild<QComboBox *>(QLatin1String(lists) + u'_' + QString::number(i));
        list->setCurrentIndex(positions[i]);
    }
}

QString shown(QWidget *form, const char *fields)
{
    QStringList texts;
    for (int i = 0; i < 3; ++i) {
        texts << form->findChild<QLineEdit *>(QLatin1String(fields) + u'_' + QString::number(i))
                     ->text();
    }
    return texts.join(u'|');
}

void closeFinished(MainWindow &window)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!window.findChild<QDialog *>());
}

// Radix 14°22'30'', date 1 13°50'10'', date 2 14°47'25'', 5.7.2024; steps 2 and 3.
void firstPage(QWidget *form)
{
    pick(form, "cmbDeg13", {14, 22, 30});
    pick(form, "cmbDeg1", {13, 50, 10});
    pick(form, "cmbDeg2", {14, 47, 25});
    TypeInto(form, "Text1_2", u"5"_s);
    TypeInto(form, "Text1_3", u"7"_s);
    TypeInto(form, "Text1_4", u"2024"_s);
    form->findChild<QTabWidget *>()->setCurrentIndex(0);
    Click(form, "Command2");
    Click(form, "Command3");
    Click(form, "Command6"); // Okay: on to steps 4 and 5
    Click(form, "Command4");
    Click(form, "Command1");
    Click(form, "Command5");
}

} // namespace

void tst_SolarForm::workedExampleAndRestart()
{
    RecordingServices recorder;
    MainWindow window;
    TypeInto(&window, "txtDateh_0", u"12"_s);
    QDialog *form = openSolar(window);
    QVERIFY(form);
    QCOMPARE(shown(form, "txtDateh"), u"12||"_s);
    // The radix of the header is carried into step 3.
    pick(form, "cmbDeg13", {14, 22, 30});
    QCOMPARE(form->findChild<QComboBox *>(u"cmbDeg5_1"_s)->currentIndex(), 22);
    // Read to a screen reader by its own name, valued by the entry shown.
    QAccessibleInterface *list =
        QAccessible::queryAccessibleInterface(form->findChild<QComboBox *>(u"cmbDeg13_0"_s));
    QCOMPARE(list->text(QAccessible::Value), u"14°"_s);
    QVERIFY(!list->text(QAccessible::Name).isEmpty());
    QVERIFY(list->text(QAccessible::Name) != u"14°"_s);

    firstPage(form);
    QCOMPARE(recorder.messages, QStringList());
    QCOMPARE(shown(form, "txtDeg02") + u' ' + shown(form, "txtDeg01"), u"13|50|10 14|47|25"_s);
    QCOMPARE(shown(form, "txtDeg4") + u' ' + shown(form, "txtDeg3"), u"0|57|15 0|32|20"_s);
    QCOMPARE(shown(form, "txtTime2"), u"13|33|17"_s);
    QCOMPARE(shown(form, "txtTime3"), u"14|33|17"_s);
    QCOMPARE(shown(form, "txtTime4"), u"14|33|17"_s);
    Click(form, "Command6");
    closeFinished(window);
    QCOMPARE(window.resultList().row(1), (ResultRow{u"Solar"_s, u"5.7.2024"_s, u"14h33m17s"_s}));

    // The next opening, even in the next run, brings back the entries.
    window.close();
    MainWindow next;
    form = openSolar(next);
    QCOMPARE(next.resultList().rowCount(), 1);
    QCOMPARE(shown(form, "txtDateh"), u"12||"_s);
    QCOMPARE(shown(form, "txtDeg02") + u' ' + shown(form, "txtDeg03"), u"13|50|10 13|50|10"_s);
    QCOMPARE(shown(form, "txtDeg01"), u"14|47|25"_s);
    QCOMPARE(form->findChild<QComboBox *>(u"cmbDeg5_2"_s)->currentIndex(), 30);
    QCOMPARE(form->findChild<QLineEdit *>(u"Text1_4"_s)->text(), u"2024"_s);
    Click(form, "Command7"); // Abbrechen
    closeFinished(next);

    // A new calculation opens each calculator once without its entries.
    Click(&next, "Command7");
    QCOMPARE(shown(&next, "txtDateh"), u"||"_s);
    form = openSolar(next);
    QCOMPARE(shown(form, "txtDeg02"), u"0|0|0"_s);
    QCOMPARE(form->findChild<QLineEdit *>(u"Text1_4"_s)->text(), QString());
    form->close();
    closeFinished(next);
    form = openSolar(next);
    QCOMPARE(shown(form, "txtDeg02"), u"0|0|0"_s); // what the fresh form saved
    QCOMPARE(next.resultList().rowCount(), 1);
}

void tst_SolarForm::fullListKeepsTheFormOpen()
{
    RecordingServices recorder;
    MainWindow window;
    window.resultList().appendRows(QList<ResultRow>(ResultList::MaxRows, ResultRow{}));
    QDialog *form = openSolar(window);
    firstPage(form);
    Click(form, "Command6");
    QCOMPARE(recorder.messages, QStringList{u"Solar: Liste ist voll"_s});
    QVERIFY(form->isVisible());
    QCOMPARE(shown(form, "txtTime4"), u"14|33|17"_s);
    // A final time that no number can hold cannot be listed either.
    TypeInto(form, "txtTime4_1", u"1E400"_s);
    Click(form, "Command6");
    QCOMPARE(recorder.messages.last(), u"Solar: Überlauf!"_s);
}

void tst_SolarForm::check_data()
{
    QTest::addColumn<QString>("sign");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QList<int>>("date1");
    QTest::addColumn<QString>("message"); // empty: the dialog opens
    QTest::addColumn<QStringList>("firstRow");
    QTest::addColumn<QString>("finding"); // its start

    // Radix Krebs 14°22'30'', born 6.7., the ephemeris of 5.7. and 6.7.2024.
    QTest::newRow("positions right")
        << u"krebs"_s << u"2024"_s << QList<int>{13, 28, 35} << QString()
        << QStringList{u"Krebs 13°28'35''"_s, u"Krebs 13°28'35''"_s, u"0''"_s}
        << u"Ihre Rechnung ist richtig. Die Abweichung von +4 s"_s;
    QTest::newRow("misread position")
        << u"Krebs"_s << u"2024"_s << QList<int>{13, 35, 28} << QString()
        << QStringList{u"Krebs 13°35'28''"_s, u"Krebs 13°28'35''"_s, u"+413''"_s}
        << u"Der Sonnenstand des 1. Datums weicht um +413''"_s;
    QTest::newRow("missing sign") << QString() << u"2024"_s << QList<int>{13, 28, 35}
                                  << u"Kontrolle: Für die Kontrolle fehlen: Tierkreis."_s
                                  << QStringList() << QString();
    QTest::newRow("unknown sign") << u"Krabbe"_s << u"2024"_s << QList<int>{13, 28, 35}
                                  << u"Kontrolle: Tierkreiszeichen nicht erkannt: Krabbe"_s
                                  << QStringList() << QString();
    QTest::newRow("year out of range")
        << u"Krebs"_s << u"2124"_s << QList<int>{13, 28, 35}
        << u"Kontrolle: Das Solarjahr muss zwischen 1900 und 2100 liegen."_s << QStringList()
        << QString();
}

// The check reads the form as the student has filled it, shows the table
// and the finding, and changes nothing in the form.
void tst_SolarForm::check()
{
    QFETCH(QString, sign);
    QFETCH(QString, year);
    QFETCH(QList<int>, date1);
    QFETCH(QString, message);
    QFETCH(QStringList, firstRow);
    QFETCH(QString, finding);

    RecordingServices recorder;
    MainWindow window;
    TypeInto(&window, "txtDateh_0", u"6"_s);
    TypeInto(&window, "txtDateh_1", u"7"_s);
    TypeInto(&window, "txtDateh_2", u"1980"_s);
    QDialog *form = openSolar(window);
    if (!sign.isEmpty())
        TypeInto(form, "Text1_0", sign);
    TypeInto(form, "Text1_1", year);
    pick(form, "cmbDeg13", {14, 22, 30});
    pick(form, "cmbDeg1", date1);
    pick(form, "cmbDeg2", {14, 25, 49});
    for (const char *step : {"Command2", "Command3", "Command6", "Command4"})
        Click(form, step);
    const QString before =
        shown(form, "txtTime1") + shown(form, "txtDeg1") + shown(form, "txtDeg2");

    Click(form, "cmdKontrolle");
    auto *dialog = form->findChild<QDialog *>(u"Kontrolle"_s);
    QCOMPARE(before, shown(form, "txtTime1") + shown(form, "txtDeg1") + shown(form, "txtDeg2"));
    if (!message.isEmpty()) {
        QCOMPARE(recorder.messages, QStringList{message});
        QVERIFY(!dialog);
        return;
    }
    QCOMPARE(recorder.messages, QStringList());
    QVERIFY(dialog && dialog->isVisible() && dialog->isModal());
    QCOMPARE(dialog->windowTitle(), u"Kontrolle mit genauer Rechnung"_s);
    auto *table = dialog->findChild<QTableWidget *>(u"tblKontrolle"_s);
    QStringList row;
    for (int c = 0; c < 3; ++c)
        row << table->item(0, c)->text();
    QCOMPARE(row, firstRow);
    QCOMPARE(table->item(3, 0)->text(), u"\u2014"_s); // step 5 not reached yet
    QVERIFY(table->item(3, 2)->text().isEmpty());
    const QString found = dialog->findChild<QLabel *>(u"lblBefund"_s)->text();
    QVERIFY2(found.startsWith(finding), qPrintable(found));
}

QTEST_MAIN(tst_SolarForm)
#include "tst_solarform.moc"
