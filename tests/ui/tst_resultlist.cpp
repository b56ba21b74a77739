#include "ui/resultlist.h"

#include <QTest>
#include <QTreeView>

// The main window's list holds no more than 32 767 rows.
class tst_ResultList : public QObject {
    Q_OBJECT

private slots:
    void aFullListRefusesTheNextRow();
};

namespace {

ResultRow numbered(int i)
{
    return {QStringLiteral("Solar"), QString::number(i) + QStringLiteral(".7.2009"),
            QStringLiteral("14h5m33s")};
}

} // namespace

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
