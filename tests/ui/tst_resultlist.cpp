#include "ui/resultlist.h"

#include <QStandardItemModel>
#include <QTest>
#include <QTreeView>

// The main window's list: three columns, rows in the order added, a current
// row whenever there are rows, and no more than 32 767 rows.
class tst_ResultList : public QObject {
    Q_OBJECT

private slots:
    void rowsComeBackAsAdded();
    void headersAreAddedFromTheLeft();
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

void tst_ResultList::rowsComeBackAsAdded()
{
    QTreeView view;
    ResultList list(&view);
    QCOMPARE(list.rowCount(), 0);
    QCOMPARE(list.currentPosition(), 0);

    const ResultRow solar{QStringLiteral("Solar"), QStringLiteral("5.7.2009"),
                          QStringLiteral("14h5m33s")};
    const ResultRow rekti{QStringLiteral("Rektifikation"), QStringLiteral("Heirat, 1990"),
                          QStringLiteral("0h-3m-26s")};
    QVERIFY(list.appendRow(solar));
    QCOMPARE(list.currentPosition(), 1); // the first row becomes current
    QVERIFY(list.appendRow(rekti));
    QCOMPARE(list.appendRows({solar, rekti}), 2);

    QCOMPARE(list.rowCount(), 4);
    QCOMPARE(list.row(1), solar);
    QCOMPARE(list.row(2), rekti);
    QCOMPARE(list.row(4), rekti);
    QCOMPARE(list.currentPosition(), 1);
}

void tst_ResultList::headersAreAddedFromTheLeft()
{
    QTreeView view;
    ResultList list(&view);
    list.addColumnHeader(QStringLiteral("     "));
    list.addColumnHeader(QStringLiteral("  "));
    list.addColumnHeader(QStringLiteral("   "));

    QAbstractItemModel *model = view.model();
    QCOMPARE(model->columnCount(), 3);
    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("     "));
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("  "));
    QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), QStringLiteral("   "));
}

void tst_ResultList::removeRowKeepsACurrentRow_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("removed");
    QTest::addColumn<QList<int>>("left"); // the numbers of the rows left
    QTest::addColumn<int>("currentAfter");

    QTest::newRow("middle, current") << 3 << 2 << 2 << QList<int>{1, 3} << 2;
    QTest::newRow("last, current") << 3 << 3 << 3 << QList<int>{1, 2} << 2;
    QTest::newRow("first, current") << 3 << 1 << 1 << QList<int>{2, 3} << 1;
    QTest::newRow("before the current") << 3 << 3 << 1 << QList<int>{2, 3} << 2;
    QTest::newRow("after the current") << 3 << 1 << 2 << QList<int>{1, 3} << 1;
    QTest::newRow("the only row") << 1 << 1 << 1 << QList<int>{} << 0;
    QTest::newRow("no such row") << 2 << 2 << 3 << QList<int>{1, 2} << 2;
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
        list.appendRow(numbered(i));
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

    QCOMPARE(list.appendRows(rows), ResultList::MaxRows);
    QCOMPARE(list.rowCount(), 32767);
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
