#ifndef MAIN_DELETIONS_H
#define MAIN_DELETIONS_H

#include "core/resultrow.h"

#include <QList>
#include <QStringList>
#include <QUndoCommand>

#include <functional>

class ResultList;

// What the main window can take back: a deletion from the result list, the
// emptying of the person fields and their filling with an exercise's person. Each is a step of the
// window's undo stack; pushing it does it, and taking it back restores what it changed.

// Rows removed from the result list: the marked row, or all rows. They are
// removed from the last up, as the buttons have always done, and put back at
// their positions with the row that was marked marked again. `written` is
// told the first position that changed, so that the store follows at once.
class RowRemoval : public QUndoCommand {
public:
    RowRemoval(ResultList &list, int first, int count, std::function<void(int)> written);

    void redo() override;
    void undo() override;
    // Whether the rows fit into the list again (it holds at most 32 767 rows,
    // and new rows may have come in since they were removed).
    bool fitsBack() const;

private:
    ResultList &m_list;
    int m_first;
    QList<ResultRow> m_rows;
    int m_marked;
    std::function<void(int)> m_written;
};

// The person's eight fields and whether each calculator starts without its
// last entries, as "Neue Berechnung starten" changes them.
struct PersonState {
    QStringList fields;
    bool newSolar = false;
    bool newRectification = false;
};

class PersonEmptying : public QUndoCommand {
public:
    PersonEmptying(PersonState before, std::function<void(const PersonState &)> apply);

    void redo() override;
    void undo() override;

private:
    PersonState m_before;
    std::function<void(const PersonState &)> m_apply;
};

// The person fields filled with another person (an exercise's), whatever
// they held before.
class PersonReplacement : public QUndoCommand {
public:
    PersonReplacement(PersonState before, PersonState after,
                      std::function<void(const PersonState &)> apply);

    void redo() override;
    void undo() override;

private:
    PersonState m_before;
    PersonState m_after;
    std::function<void(const PersonState &)> m_apply;
};

#endif
