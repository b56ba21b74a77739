#include "ui/resultlist.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QTreeView>

namespace {

constexpr int ColumnCount = 3;

QList<QStandardItem *> makeItems(const ResultRow &row)
{
    QList<QStandardItem *> items;
    items.reserve(ColumnCount);
    for (const QString *text : {&row.column1, &row.column2, &row.column3}) {
        auto *item = new QStandardItem(*text);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        items.append(item);
    }
    return items;
}

} // namespace

ResultList::ResultList(QTreeView *view)
    : m_view(view), m_model(new QStandardItemModel(0, ColumnCount, view))
{
    m_view->setModel(m_model);
    m_view->setRootIsDecorated(false);
    m_view->setItemsExpandable(false);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setUniformRowHeights(true);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setAllColumnsShowFocus(true);
}

void ResultList::addColumnHeader(const QString &caption)
{
    // Headers are added from the left: the first column still without a caption.
    int column = 0;
    while (column < m_model->columnCount() && m_model->horizontalHeaderItem(column))
        ++column;
    if (column == m_model->columnCount())
        m_model->setColumnCount(column + 1);
    m_model->setHorizontalHeaderItem(column, new QStandardItem(caption));
}

int ResultList::rowCount() const
{
    return m_model->rowCount();
}

ResultRow ResultList::row(int position) const
{
    Q_ASSERT(position >= 1 && position <= rowCount());
    if (position < 1 || position > rowCount())
        return {};
    const int r = position - 1;
    return {m_model->index(r, 0).data().toString(), m_model->index(r, 1).data().toString(),
            m_model->index(r, 2).data().toString()};
}

bool ResultList::appendRow(const ResultRow &row)
{
    return appendRows({row}) == 1;
}

int ResultList::appendRows(const QList<ResultRow> &rows)
{
    const int room = MaxRows - rowCount();
    const int count = std::min(static_cast<int>(rows.size()), std::max(room, 0));
    if (count == 0)
        return 0;

    const int first = rowCount();
    if (count == 1) {
        m_model->appendRow(makeItems(rows.front()));
    } else {
        // One insertion for all rows: the view lays itself out once.
        QList<QStandardItem *> columns[ColumnCount];
        for (auto &column : columns)
            column.reserve(count);
        for (int i = 0; i < count; ++i) {
            const QList<QStandardItem *> items = makeItems(rows.at(i));
            for (int c = 0; c < ColumnCount; ++c)
                columns[c].append(items.at(c));
        }
        m_model->insertRows(first, count);
        QStandardItem *root = m_model->invisibleRootItem();
        {
            const QSignalBlocker blocker(m_model);
            for (int i = 0; i < count; ++i) {
                for (int c = 0; c < ColumnCount; ++c)
                    root->setChild(first + i, c, columns[c].at(i));
            }
        }
        emit m_model->dataChanged(m_model->index(first, 0),
                                  m_model->index(first + count - 1, ColumnCount - 1));
    }
    // The list keeps a current row whenever it has rows.
    if (currentPosition() == 0)
        setCurrentPosition(1);
    return count;
}

void ResultList::removeRow(int position)
{
    if (position < 1 || position > rowCount())
        return;
    const int current = currentPosition();
    m_model->removeRow(position - 1);
    if (rowCount() == 0) {
        setCurrentPosition(0);
    } else if (current == position || current == 0) {
        setCurrentPosition(std::min(position, rowCount()));
    } else {
        // The row that was current keeps being current and selected.
        setCurrentPosition(current > position ? current - 1 : current);
    }
}

int ResultList::currentPosition() const
{
    const QModelIndex current = m_view->selectionModel()->currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

void ResultList::setCurrentPosition(int position)
{
    QItemSelectionModel *selection = m_view->selectionModel();
    if (position < 1 || position > rowCount()) {
        selection->clear();
        return;
    }
    selection->setCurrentIndex(m_model->index(position - 1, 0),
                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}
