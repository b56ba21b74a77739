#include "settings/store.h"
#include "tests/support/testsupport.h"
#include "ui/inputhelpers.h"
#include "ui/resultlist.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTreeView>

using namespace Qt::StringLiterals;
using namespace Core;
using namespace Gui;

namespace {

struct List {
    QTreeView view;
    ResultList list{&view};
};

// The three lists of a position as the Solar form fills them.
struct Position {
    QComboBox lists[3];
    Position()
    {
        for (int i = 0; i < 3; ++i)
            fillPositionList(&lists[i], i);
    }
    QList<QWidget *> elements() { return {&lists[0], &lists[1], &lists[2]}; }
    QList<int> positions() const
    {
        return {lists[0].currentIndex(), lists[1].currentIndex(), lists[2].currentIndex()};
    }
};

} // namespace

// The settings store: the keys as earlier versions wrote them, round trips,
// and a store damaged by hand that neither stops the program nor misleads it.
class tst_Store : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_store.clear()); }
    void listRoundTrip()
    {
        {
            List saved;
            for (int day = 1; day <= 5; ++day)
                saved.list.appendRow(numberedRow(day));
            Store::saveResultList(saved.list);
            saved.list.removeRow(5);
            saved.list.removeRow(4);
            Store::saveResultList(saved.list);
        }
        // A shorter list leaves the keys of the rows beyond its count.
        QCOMPARE(Store::readSetting(u"velmo"_s, u"listview"_s, u"count"_s), u"3"_s);
        QCOMPARE(Store::readSetting(u"velmo"_s, u"listview"_s, u"spalte25"_s), u"5"_s);
        List restored;
        Store::restoreResultList(restored.list);
        QCOMPARE(rowsOf(restored.list), (QList{numberedRow(1), numberedRow(2), numberedRow(3)}));
    }

    // Rows 1 to 4, one of them current; rows removed or appended around it. The
    // current row stays the same row, and a list never grows past its capacity.
    void currentRowFollows_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("removedAt"); // 0: `appended` rows are appended instead
        QTest::addColumn<int>("appended");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("currentAfter");
        QTest::newRow("removed before it") << 4 << 2 << 0 << 3 << 3;
        QTest::newRow("removed after it") << 1 << 3 << 0 << 3 << 1;
        QTest::newRow("appended") << 3 << 0 << 1 << 5 << 3;
        QTest::newRow("appended past the capacity")
            << 2 << 0 << ResultList::MaxRows << ResultList::MaxRows << 2;
    }

    void currentRowFollows()
    {
        QFETCH(int, current);
        QFETCH(int, removedAt);
        QFETCH(int, appended);
        QFETCH(int, rows);
        QFETCH(int, currentAfter);
        List l;
        for (int n = 1; n <= 4; ++n)
            l.list.appendRow(numberedRow(n));
        l.list.setCurrentPosition(current);
        if (removedAt)
            l.list.removeRow(removedAt);
        else
            QCOMPARE(l.list.appendRows(QList<ResultRow>(appended, numberedRow(5))), rows - 4);
        QCOMPARE(l.list.rowCount(), rows);
        QCOMPARE(l.list.row(currentAfter), numberedRow(current));
        QCOMPARE(l.list.currentPosition(), currentAfter);
    }

    void storedRowCount_data()
    {
        QTest::addColumn<QString>("count"); // null: no key
        QTest::addColumn<int>("rows");
        // The store holds rows 1 to 3.
        QTest::newRow("2.5, half to even") << u"2.5"_s << 2;
        QTest::newRow("5, rows 4 and 5 empty") << u"5"_s << 5;
        QTest::newRow("32767, the capacity") << u"32767"_s << 32767;
        // Counts that no save writes give the rows that the store has.
        QTest::newRow("32768") << u"32768"_s << 3;
        QTest::newRow("1e400") << u"1e400"_s << 3;
        QTest::newRow("-1e400") << u"-1e400"_s << 0;
    }

    void storedRowCount()
    {
        QFETCH(QString, count);
        QFETCH(int, rows);
        for (int i = 1; i <= 3; ++i) {
            for (int column = 1; column <= 3; ++column) {
                Store::writeSetting(u"velmo"_s, u"listview"_s, u"spalte%1%2"_s.arg(column).arg(i),
                                    u"r%1"_s.arg(i));
            }
        }
        if (!count.isNull())
            Store::writeSetting(u"velmo"_s, u"listview"_s, u"count"_s, count);
        List restored;
        Store::restoreResultList(restored.list);
        QCOMPARE(restored.list.rowCount(), rows);
        if (rows >= 3)
            QCOMPARE(restored.list.row(3), (ResultRow{u"r3"_s, u"r3"_s, u"r3"_s}));
    }

    void damagedStore()
    {
        QVERIFY(m_store.install(FIXTURES "/damaged-velmo.conf"_L1, u"velmo"_s));
        QVERIFY(m_store.install(FIXTURES "/damaged-velmora.conf"_L1, u"velmora"_s));
        List list;
        Store::restoreResultList(list.list);
        QCOMPARE(list.list.rowCount(), 6);
        QCOMPARE(list.list.row(2).column2, u"Heirat, 12.5.1990"_s);
        QCOMPARE(list.list.row(6), ResultRow());

        Position date1, date2, radix;
        QLineEdit sign, year;
        Store::restoreControls({{Store::Key::SolarDate1, date1.elements()},
                                {Store::Key::SolarDate2, date2.elements()},
                                {Store::Key::SolarRadixOfStep3, radix.elements()},
                                {Store::Key::SolarHeader, {&sign, &year}}});
        QCOMPARE((QList{date1.lists[0].count(), date1.lists[2].count()}), (QList{31, 60}));
        QCOMPARE(date1.lists[0].itemText(30) + date1.lists[2].itemText(59), u"30°59''"_s);
        QCOMPARE(date1.positions(), (QList{0, 0, 0})); // 31: the list's length
        QCOMPARE(date2.positions(), (QList{2, 0, 59}));
        QCOMPARE(radix.positions(), (QList{7, 0, 16}));
        QCOMPARE(sign.text(), u"Sonne, Mond"_s);
        QCOMPARE(year.text(), u"x=y"_s);
    }

private:
    IsolatedStore m_store;
};

QTEST_MAIN(tst_Store)
#include "tst_store.moc"
