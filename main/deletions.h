#ifndef MAIN_DELETIONS_H
#define MAIN_DELETIONS_H

#include "core/resultrow.h"
#include "record/entry.h"

#include <QList>
#include <QStringList>
#include <QUndoCommand>

#include <functional>

class QUndoStack;

namespace Gui {
class ResultList;
}
namespace Record {
class Recorder;
}

namespace App {

// What the main window can take back: a deletion from the result list, the
// emptying of the person fields and their filling with an exercise's person.
// Each is a step of the window's undo stack, named as the user asked for it;
// pushing it does it, and taking it back restores what it changed. What the
// steps change reaches the store through the window's keeping, not through
// the steps.

// Rows removed from the result list: the marked row, or all rows. They are
// put back at their positions with the row that was marked marked again,
// unless they no longer fit beside the rows added since (the list holds at
// most 32 767 rows): then the list stays as it is, the user is told that it
// is full, and the deletion stays the next step to take back.
class RowRemoval : public QUndoCommand {
public:
    RowRemoval(Gui::ResultList &list, QUndoStack &steps, int first, int count, const QString &text);

    void redo() override;
    void undo() override;

private:
    Gui::ResultList &m_list;
    QUndoStack &m_steps;
    int m_first;
    QList<Core::ResultRow> m_rows;
    int m_marked;
    // The last undo was refused: the rows are still removed.
    bool m_refused = false;
};

// The person's eight fields and whether each calculator starts without its
// last entries, as "Neue Berechnung starten" changes them.
struct PersonState {
    QStringList fields;
    bool newSolar = false;
    bool newRectification = false;
    bool newSidereal = false;
};

// The person fields emptied ("Neue Berechnung starten") or filled with
// another person (an exercise's), whatever they held before.
class PersonChange : public QUndoCommand {
public:
    PersonChange(const QString &text, PersonState before, PersonState after,
                 std::function<void(const PersonState &)> apply);

    void redo() override;
    void undo() override;

private:
    PersonState m_before;
    PersonState m_after;
    std::function<void(const PersonState &)> m_apply;
};

// All entries of the record of the work deleted ("Übungsprotokoll
// löschen"), and put back with their ids. A record that cannot be changed is
// said so: a deletion that did not happen is no step, and an undo that could
// not put the entries back stays the next step to take back.
class RecordRemoval : public QUndoCommand {
public:
    RecordRemoval(Record::Recorder &recorder, QUndoStack &steps, QWidget *window);

    void redo() override;
    void undo() override;

private:
    Record::Recorder &m_recorder;
    QUndoStack &m_steps;
    QWidget *m_window;
    QList<Record::Entry> m_entries;
    bool m_removed = false;
};

} // namespace App

#endif
