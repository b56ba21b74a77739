#include "main/haupt.h"
#include "settings/store.h"
#include "tests/support/testsupport.h"
#include "ui/resultlist.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

#include <memory>

namespace {

QLineEdit *field(Haupt &haupt, const QString &name)
{
    return haupt.findChild<QLineEdit *>(name);
}

const QStringList PersonFields = s("Text1h_0 txtDateh_0 txtDateh_1 txtDateh_2 Text3h_0 txtTime0h_0 "
                                   "txtTime0h_1 txtTime0h_2")
                                     .split(u' ');

QString stored(const char *key)
{
    return ReadSetting(Store::FormsApplication, Store::FormsSection, s(key));
}

// The rows of the list by their third column, "a b c".
QString times(Haupt &haupt)
{
    QStringList result;
    for (int position = 1; position <= haupt.resultList().rowCount(); ++position)
        result << haupt.resultList().row(position).column3;
    return result.join(u' ');
}

// The messages shown, "text|title" each.
QString said(const RecordingServices &services)
{
    QStringList result;
    for (const RecordedMessage &box : services.messages)
        result << box.text + u'|' + box.title;
    return result.join(u'/');
}

ResultRow solarRow(const QString &time)
{
    return {s("Solar"), s("12.7.2024"), time};
}

} // namespace

class TestHaupt : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void structure();
    void start();
    void rangeChecks_data();
    void rangeChecks();
    void restart();
    void deleting_data();
    void deleting();
    void unmarkingKeepsEveryRow_data();
    void unmarkingKeepsEveryRow();
    void newCalculation();
    void endsOverAnOpenCalculator();
    void quittingSavesOnce();

private:
    IsolatedStore m_store;
    std::unique_ptr<RecordingServices> m_services;
    std::unique_ptr<Haupt> m_haupt;
    Haupt &shown();
};

void TestHaupt::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    m_services = std::make_unique<RecordingServices>();
}

void TestHaupt::init()
{
    m_haupt.reset();
    QVERIFY(m_store.clear());
    m_services->clear();
}

Haupt &TestHaupt::shown()
{
    m_haupt = std::make_unique<Haupt>();
    m_haupt->show();
    if (!QTest::qWaitForWindowActive(m_haupt.get()))
        qWarning("the main window did not become active");
    return *m_haupt;
}

// Fixed size, and every caption shown whole.
void TestHaupt::structure()
{
    Haupt haupt;
    QCOMPARE(haupt.objectName(), s("Haupt"));
    QCOMPARE(haupt.minimumSize(), QSize(614, 425));
    QCOMPARE(haupt.maximumSize(), QSize(614, 425));
    QVERIFY(haupt.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!haupt.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));

    QCOMPARE(cutCaptions(&haupt, false, true).join(u','), QString());
}

// A new run starts without a new calculation pending, the cursor in the name
// field with the name selected for the next person; a stored value out of
// range is emptied, with one message.
void TestHaupt::start()
{
    WriteSetting(Store::FormsApplication, Store::FormsSection, s("Text1h0"), s("Anna Muster"));
    WriteSetting(Store::FormsApplication, Store::FormsSection, s("txtDateh0"), s("32"));
    WriteSetting(Store::FormsApplication, Store::FormsSection, s("txtDateh1"), s("7"));
    NewSolarCalculation = -1;
    NewRektiCalculation = -1;
    Haupt &haupt = shown();
    QCOMPARE(NewSolarCalculation, qint16(0));
    QCOMPARE(NewRektiCalculation, qint16(0));
    QCOMPARE(QApplication::focusWidget(), field(haupt, s("Text1h_0")));
    QCOMPARE(field(haupt, s("Text1h_0"))->selectedText(), s("Anna Muster"));
    QCOMPARE(state(&haupt, s("txtDateh_0= txtDateh_1=")), s("txtDateh_0= txtDateh_1=7"));
    QCOMPARE(m_services->messages.size(), 1);
}

void TestHaupt::rangeChecks_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");

    const auto row = [](const char *tag, const char *field, const char *typed, bool accepted) {
        QTest::newRow(tag) << s(field) << s(typed) << accepted;
    };
    row("day 31", "txtDateh_0", "31", true);
    row("day 32", "txtDateh_0", "32", false);
    row("month 12", "txtDateh_1", "12", true);
    row("month 13", "txtDateh_1", "13", false);
    row("year 3000", "txtDateh_2", "3000", true);
    row("year 3001", "txtDateh_2", "3001", false);
    row("hours 23", "txtTime0h_0", "23", true);
    row("hours 24", "txtTime0h_0", "24", false);
    row("minutes 60", "txtTime0h_1", "60", false);
    row("seconds 60", "txtTime0h_2", "60", false);
    row("no leading number", "txtDateh_1", "x99", true);
    row("place unchecked", "Text3h_0", "4000", true);
}

void TestHaupt::rangeChecks()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    typeInto(&shown(), field, typed);
    QCOMPARE(::field(*m_haupt, field)->text(), accepted ? typed : QString());
    QCOMPARE(said(*m_services),
             accepted ? QString() : s("Bitte nur gültige Zahlen eingeben!|Solar und GZK"));
}

// Everything typed and every row is back after the window has been closed by
// its close box and the program started again.
void TestHaupt::restart()
{
    const QStringList typed = s("Anna Muster|05|7|1970|Köln, Rhein|14|05|0").split(u'|');
    Haupt &haupt = shown();
    for (int i = 0; i < typed.size(); ++i)
        typeInto(&haupt, PersonFields[i], typed[i]);
    QVERIFY(haupt.resultList().appendRow(solarRow(s("14h33m17s"))));
    QVERIFY(haupt.resultList().appendRow({s("Rektifikation"), s("Heirat, 1990"), s("0h-3m-26s")}));
    QVERIFY(haupt.close());
    m_haupt.reset();

    // The store holds the values under the keys that earlier versions wrote.
    QCOMPARE(stored("Text1h0") + u'|' + stored("txtDateh2") + u'|' + stored("txtTime0h0"),
             s("Anna Muster|1970|14"));
    QCOMPARE(ReadSetting(Store::ListApplication, Store::ListSection, s("spalte32")),
             s("0h-3m-26s"));

    Haupt again;
    QCOMPARE(times(again), s("14h33m17s 0h-3m-26s"));
    QCOMPARE(again.resultList().row(2).column2, s("Heirat, 1990"));
    for (int i = 0; i < typed.size(); ++i)
        QCOMPARE(field(again, PersonFields[i])->text(), typed[i]);
    QVERIFY(m_services->messages.isEmpty());
}

// "markierte Zeile löschen" (Command10) and "Liste löschen" (Command9).
void TestHaupt::deleting_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("remaining"); // and the row marked then
    QTest::addColumn<QString>("message");

    QTest::newRow("first marked") << s("Command10") << 3 << 1 << s("2h 3h @1") << QString();
    QTest::newRow("middle marked") << s("Command10") << 3 << 2 << s("1h 3h @2") << QString();
    QTest::newRow("last marked") << s("Command10") << 3 << 3 << s("1h 2h @2") << QString();
    QTest::newRow("the only row") << s("Command10") << 1 << 1 << s(" @0") << QString();
    QTest::newRow("none marked") << s("Command10") << 3 << 0 << s("1h 2h 3h @0") << QString();
    QTest::newRow("marked of an empty list")
        << s("Command10") << 0 << 0 << s(" @0") << s("Liste ist leer|velmora");
    QTest::newRow("all") << s("Command9") << 3 << 2 << s(" @0") << QString();
}

void TestHaupt::deleting()
{
    QFETCH(QString, button);
    QFETCH(int, rows);
    QFETCH(int, current);
    QFETCH(QString, remaining);
    QFETCH(QString, message);
    Haupt &haupt = shown();
    for (int i = 1; i <= rows; ++i)
        QVERIFY(haupt.resultList().appendRow(solarRow(QString::number(i) + u'h')));
    haupt.resultList().setCurrentPosition(current);
    act(&haupt, button);
    QCOMPARE(times(haupt) + s(" @") + QString::number(haupt.resultList().currentPosition()),
             remaining);
    QCOMPARE(said(*m_services), message);
}

// The user takes the mark off the row again: the list keeps that row as its
// current one, but nothing is marked, so "markierte Zeile löschen" removes
// nothing and says nothing.
void TestHaupt::unmarkingKeepsEveryRow_data()
{
    QTest::addColumn<int>("row");                        // the row clicked, 0 below the rows
    QTest::addColumn<Qt::KeyboardModifiers>("modifier"); // of that click

    QTest::newRow("Ctrl+click on the marked row")
        << 1 << Qt::KeyboardModifiers(Qt::ControlModifier);
    QTest::newRow("click below the rows") << 0 << Qt::KeyboardModifiers();
}

void TestHaupt::unmarkingKeepsEveryRow()
{
    QFETCH(int, row);
    QFETCH(Qt::KeyboardModifiers, modifier);
    Haupt &haupt = shown();
    for (int i = 1; i <= 3; ++i)
        QVERIFY(haupt.resultList().appendRow(solarRow(QString::number(i) + u'h')));
    QTreeView *list = haupt.resultList().view();
    const auto pointAt = [list](int position) {
        const QRect first = list->visualRect(list->model()->index(0, 0));
        return position > 0 ? list->visualRect(list->model()->index(position - 1, 0)).center()
                            : QPoint(first.center().x(), list->viewport()->height() - 4);
    };
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, pointAt(1));
    QCOMPARE(list->selectionModel()->selectedRows().size(), 1);

    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifier, pointAt(row));
    QVERIFY(list->selectionModel()->selectedRows().isEmpty());
    act(&haupt, s("Command10"));
    QCOMPARE(times(haupt), s("1h 2h 3h"));
    QCOMPARE(said(*m_services), QString());
}

void TestHaupt::newCalculation()
{
    Haupt &haupt = shown();
    for (const QString &name : PersonFields)
        typeInto(&haupt, name, s("1"));
    QVERIFY(haupt.resultList().appendRow(solarRow(s("1h"))));
    act(&haupt, s("Command7"));
    for (const QString &name : PersonFields)
        QVERIFY2(field(haupt, name)->text().isEmpty(), qPrintable(name));
    QCOMPARE(times(haupt), s("1h"));
    QCOMPARE(NewSolarCalculation, qint16(-1));
    QCOMPARE(NewRektiCalculation, qint16(-1));
    QVERIFY(m_services->messages.isEmpty());
}

// The program may end over an open calculator: the window goes with it.
void TestHaupt::endsOverAnOpenCalculator()
{
    act(&shown(), s("Command2"));
    QVERIFY(m_haupt->findChild<QDialog *>(s("Solar")));
    m_haupt.reset();
}

// At logout the desktop may end the program without closing its window: the
// rows and the person fields are saved all the same, and only once.
void TestHaupt::quittingSavesOnce()
{
    const auto quitApplication = [] {
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
    };
    Haupt &haupt = shown();
    typeInto(&haupt, s("Text1h_0"), s("Anna"));
    QVERIFY(haupt.resultList().appendRow(solarRow(s("1h"))));
    quitApplication();
    QCOMPARE(stored("Text1h0"), s("Anna"));
    QCOMPARE(ReadSetting(Store::ListApplication, Store::ListSection, s("spalte11")), s("Solar"));

    // Nothing is written a second time for the same contents: a value that
    // reached the store otherwise meanwhile stays, through a second quit and
    // through closing the window.
    WriteSetting(Store::FormsApplication, Store::FormsSection, s("Text1h0"), s("unchanged"));
    quitApplication();
    QVERIFY(haupt.close());
    QCOMPARE(stored("Text1h0"), s("unchanged"));

    // Work done after a quit that did not happen (a cancelled logout) is saved
    // when the program really ends.
    haupt.show();
    field(haupt, s("Text1h_0"))->setText(s("Berta"));
    QVERIFY(haupt.close());
    QCOMPARE(stored("Text1h0"), s("Berta"));
}

QTEST_MAIN(TestHaupt)
#include "tst_haupt.moc"
