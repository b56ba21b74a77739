#ifndef MAIN_KEEPING_H
#define MAIN_KEEPING_H

#include "settings/store.h"

#include <QObject>

class QUndoStack;

namespace Gui {
class ResultList;
}
namespace Store {
class EntriesKeeper;
}

namespace App {

// When the main window's data reach the settings store. A run that ends
// without the window being closed (a crash, a power cut, a kill) must lose
// nothing the user did more than a second ago, and closing saves once more,
// as the window has always done:
//
// - the result list is written as soon as its rows change (a calculator's row
//   added, rows deleted or put back), from the first row that moved on;
// - the person fields a second after the last change, as the calculators keep
//   their entries (EntriesKeeper);
// - a step done or taken back on the undo stack (the person fields emptied,
//   filled or given back) is written at once, fields included;
// - closing the window, the application quitting and the session asking for
//   its data at logout each write the whole list and the fields; one after
//   the other, only the first writes unless something changed in between.
//
// Every write goes through the store's routines, which rewrite only the
// values that changed.
class Keeping : public QObject {
    Q_OBJECT

public:
    // Follows the list's rows, the person fields and the undo stack from now
    // on: made after the restore, which writes nothing. Owned by `parent`.
    Keeping(Gui::ResultList &list, QList<Store::Controls> personFields, QUndoStack *steps,
            QObject *parent);

    // The save when the program ends, by whatever road.
    void saveOnClosing();

private:
    void rowsChanged(int firstPosition);

    Gui::ResultList &m_list;
    Store::EntriesKeeper *m_personFields;
    // The save on closing has written what the window holds now.
    bool m_savedOnClosing = false;
};

} // namespace App

#endif
