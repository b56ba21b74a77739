#include "ui/resultlist.h"

#include <QTest>
#include <QTreeView>

// The main window's list: rows in the order added, a current row whenever
// there are rows, and no more than 32 767 rows.
class tst_ResultList : public QObject {
    Q_OBJECT

private slots:
    void removeRowKeepsACurrentRow_data();
    void removeRowKeepsACurrentRow();
    void aFullListRefusesTheNextRow();
};

namespace {

ResultRow numbered(int i)
{
    return {QStringLiteral("Solar"), QString::number(i) + QStringLiteral(".7.2009"),
            QStringLiteral("14h5m33s")};
}

} // namespace

void tst_ResultList::removeRowKeepsACurrentRow_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("current"); // 0: as appending left it
    QTest::addColumn<int>("removed");
    QTest::addColumn<QList<int>>("left"); // the numbers of the rows left
    QTest::addColumn<int>("currentAfter");

    QTest::newRow("first row appended becomes current") << 3 << 0 << 0 << QList{1, 2, 3} << 1;
    QTest::newRow("middle, current") << 3 << 2 << 2 << QList{1, 3} << 2;
    QTest::newRow("last, current") << 3 << 3 << 3 << QList{1, 2} << 2;
    QTest::newRow("before the current") << 3 << 3 << 1 << QList{2, 3} << 2;
    QTest::newRow("the only row") << 1 << 1 << 1 << QList<int>{} << 0;
    QTest::newRow("no such row") << 2 << 2 << 3 << QList{1, 2} << 2;
}

void tst_ResultList::removeRowKeepsACurrentRow()
{
    QFETCH(int, rows);
    QFETCH(int, current);
    QFETCH(int, removed);
    QFETCH(QList<int>, left);
    QFETCH(int, currentAfter);

    QTreeView view;
    ResultList list(&view);
    for (int i = 1; i <= rows; ++i)
        QVERIFY(list.appendRow(numbered(i)));
    if (current)
        list.setCurrentPosition(current);

    list.removeRow(removed);
    QCOMPARE(list.rowCount(), left.size());
    for (int i = 0; i < left.size(); ++i)
        QCOMPARE(list.row(i + 1), numbered(left.at(i)));
    QCOMPARE(list.currentPosition(), currentAfter);
    QCOMPARE(view.selectionModel()->selectedRows().size(), currentAfter ? 1 : 0);
}

void tst_ResultList::aFullListRefusesTheNextRow()
{
    QTreeView view;
    ResultList list(&view);
    QList<ResultRow> rows;
    for (int i = 1; i <= ResultList::MaxRows + 5; ++i)
        rows.append(numbered(i));

    QCOMPARE(list.appendRows(rows), 32767);
    QCOMPARE(list.row(32767), numbered(32767));
    QVERIFY(!list.appendRow(numbered(0)));
    QCOMPARE(list.appendRows({numbered(0)}), 0);
    QCOMPARE(list.rowCount(), 32767);

    list.removeRow(1);
    QVERIFY(list.appendRow(numbered(0)));
    QCOMPARE(list.row(32767), numbered(0));
}

QTEST_MAIN(tst_ResultList)
#include "tst_resultlist.moc"
