#include "ui/resultlist.h"

#include <QAbstractTableModel>
#include <QItemSelectionModel>
#include <QTreeView>

#include <algorithm>

namespace Gui {

using namespace Core;

// The rows as plain texts: a list of 32 767 rows holds three strings a row
// and nothing else, so that loading and showing a full list stays light.
class ResultModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : ColumnCount;
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_rows.size())
            return {};
        const ResultRow &row = m_rows.at(index.row());
        switch (index.column()) {
        case 0:
            return row.column1;
        case 1:
            return row.column2;
        case 2:
            return row.column3;
        default:
            return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return section >= 0 && section < ColumnCount ? m_headers[section] : QString();
        return QAbstractTableModel::headerData(section, orientation, role);
    }

    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

    // Captions are given from the left: the first column still without one.
    void addHeader(const QString &caption)
    {
        if (m_captioned == ColumnCount)
            return;
        m_headers[m_captioned] = caption;
        emit headerDataChanged(Qt::Horizontal, m_captioned, m_captioned);
        ++m_captioned;
    }

    void insert(int first, const QList<ResultRow> &rows)
    {
        beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
        if (first == m_rows.size()) {
            m_rows.append(rows);
        } else {
            m_rows.insert(first, rows.size(), ResultRow{});
            std::copy(rows.cbegin(), rows.cend(), m_rows.begin() + first);
        }
        endInsertRows();
    }

    void remove(int first, int count)
    {
        beginRemoveRows({}, first, first + count - 1);
        m_rows.remove(first, count);
        endRemoveRows();
    }

    const ResultRow &at(int row) const { return m_rows.at(row); }

    static constexpr int ColumnCount = 3;

private:
    QString m_headers[ColumnCount];
    int m_captioned = 0;
    QList<ResultRow> m_rows;
};

ResultList::ResultList(QTreeView *view) : m_view(view), m_model(new ResultModel(view))
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
    m_model->addHeader(caption);
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
    return m_model->at(position - 1);
}

bool ResultList::appendRow(const ResultRow &row)
{
    return appendRows({row}) == 1;
}

int ResultList::appendRows(const QList<ResultRow> &rows)
{
    const int room = MaxRows - rowCount();
    const qsizetype count = std::min(rows.size(), static_cast<qsizetype>(std::max(room, 0)));
    if (count == 0)
        return 0;
    // One insertion for all rows: the view lays itself out once.
    m_model->insert(rowCount(), count == rows.size() ? rows : rows.first(count));
    // The list keeps a current row whenever it has rows.
    if (currentPosition() == 0)
        setCurrentPosition(1);
    return static_cast<int>(count);
}

bool ResultList::insertRows(int position, const QList<ResultRow> &rows)
{
    if (position < 1 || position > rowCount() + 1 || rows.size() > MaxRows - rowCount())
        return false;
    if (!rows.isEmpty())
        m_model->insert(position - 1, rows);
    return true;
}

void ResultList::removeRow(int position)
{
    removeRows(position, 1);
}

void ResultList::removeRows(int position, int count)
{
    const int last = position + count - 1;
    if (position < 1 || count < 1 || last > rowCount())
        return;
    const int current = currentPosition();
    // One removal for all rows: the view and the store follow it once.
    m_model->remove(position - 1, count);
    if (rowCount() == 0) {
        setCurrentPosition(0);
    } else if (current == 0 || (current >= position && current <= last)) {
        // The successor of the removed rows, or the row before them when
        // they were the last.
        setCurrentPosition(std::min(position, rowCount()));
    } else {
        // The row that was current keeps being current and selected.
        setCurrentPosition(current > last ? current - count : current);
    }
}

int ResultList::currentPosition() const
{
    const QModelIndex current = m_view->selectionModel()->currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

int ResultList::markedPosition() const
{
    const QModelIndexList marked = m_view->selectionModel()->selectedRows();
    return marked.isEmpty() ? 0 : marked.constFirst().row() + 1;
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

} // namespace Gui
