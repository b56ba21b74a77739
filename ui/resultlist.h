#ifndef UI_RESULTLIST_H
#define UI_RESULTLIST_H

#include "core/resultrow.h"

#include <QList>
#include <QString>

class QTreeView;

namespace Gui {
class ResultModel;

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
    Core::ResultRow row(int position) const;
    // Appends a row at the end; false (and nothing added) when the list is full.
    // The first row of a list without a current row becomes current.
    bool appendRow(const Core::ResultRow &row);
    // Appends rows at the end in one go (for a restore); the rows beyond the
    // list's capacity are dropped. Returns the number appended.
    int appendRows(const QList<Core::ResultRow> &rows);
    // Puts rows back at a position (1 to rowCount() + 1), the rows from there
    // on moving down; false (and nothing inserted) when they do not all fit.
    bool insertRows(int position, const QList<Core::ResultRow> &rows);
    // Removes the row at a position (nothing for a position without a row);
    // when it was the current row, its successor (or, for the last row, its
    // predecessor) becomes current.
    void removeRow(int position);
    // Removes `count` rows from a position in one go (nothing unless they all
    // exist); the current row is kept as removing them one by one from the
    // last up would keep it.
    void removeRows(int position, int count);
    // The position of the current row, 0 when there is none.
    int currentPosition() const;
    // The position of the marked (selected) row, 0 when none is marked: the
    // user can take the mark off the current row (Ctrl+click, a click below
    // the rows), which then stays current without being marked.
    int markedPosition() const;
    // Makes a row current and selects it; 0 (or a position without a row)
    // leaves no current row.
    void setCurrentPosition(int position);

private:
    QTreeView *m_view;
    ResultModel *m_model;
};

} // namespace Gui

#endif
