#ifndef UI_RESULTLIST_H
#define UI_RESULTLIST_H

#include "core/resultrow.h"

#include <QString>

class QStandardItemModel;
class QTreeView;

// The main window's result list: three columns, rows in the order they were
// added, one current row, whole-row selection. Positions are 1-based.
class ResultList {
public:
    // The list holds at most 32 767 rows: its row count is a 16-bit number.
    static constexpr int MaxRows = 32767;

    explicit ResultList(QTreeView *view);

    QTreeView *view() const { return m_view; }
    void addColumnHeader(const QString &caption);

    int rowCount() const;
    ResultRow row(int position) const;
    // Appends a row at the end; false (and nothing added) when the list is full.
    bool appendRow(const ResultRow &row);
    void removeRow(int position);
    // The position of the current row, 0 when there is none.
    int currentPosition() const;
    void setCurrentPosition(int position);

private:
    QTreeView *m_view;
    QStandardItemModel *m_model;
};

#endif
