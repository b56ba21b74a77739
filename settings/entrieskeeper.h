#ifndef SETTINGS_ENTRIESKEEPER_H
#define SETTINGS_ENTRIESKEEPER_H

#include "settings/store.h"

#include <QObject>

class QTimer;
class QWidget;

// Keeps a form's stored controls in the store while the form is open: every
// change of a text or a list position (typed, picked or written by a step)
// restarts a one-second timer, and its end writes the table through
// SaveControls, which rewrites only the keys whose values changed. A run
// that is killed loses at most the last second of typing; the form's own
// save on closing stays as it was.
class EntriesKeeper : public QObject {
    Q_OBJECT

public:
    // Watches the elements of `table` from now on; owned by `form`.
    EntriesKeeper(QWidget *form, QList<Store::Controls> table);

    // The write that the timer would make, at once.
    void saveNow();

private:
    QList<Store::Controls> m_table;
    QTimer *m_timer;
};

// Starts keeping a form's entries; called once the form has restored them.
void KeepEntriesAsTheyChange(QWidget *form, const QList<Store::Controls> &table);

#endif
