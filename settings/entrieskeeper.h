#ifndef SETTINGS_ENTRIESKEEPER_H
#define SETTINGS_ENTRIESKEEPER_H

#include "settings/store.h"
#include "ui/formsupport.h"

#include <QObject>

class QTimer;

namespace Store {

// Keeps a form's stored controls in the store while the form is open, the
// main window's person fields as the calculators' entries: every change of a
// text or a list position (typed, picked or written by a step) restarts a
// one-second timer, and its end writes the table through saveControls, which
// rewrites only the keys whose values changed. A run that is killed loses at
// most the last second of typing; the saves on closing stay the form's own.
class EntriesKeeper : public QObject {
    Q_OBJECT

public:
    // Watches the elements of `table` from now on, that is once they have
    // been restored: the restore itself writes nothing.
    EntriesKeeper(QObject *parent, QList<Controls> table);

    // The write that the timer would make, at once.
    void saveNow();

signals:
    // An element changed; the write follows a second later.
    void changed();

private:
    QList<Controls> m_table;
    QTimer *m_timer;
};

// How a calculator opens with what it is given, under the key of the task it
// keeps: a free calculation ends the kept task and restores the entries of
// the last use unless a new calculation was started; the task it keeps
// already is continued with its entries; another task is started without
// them and kept from now on. Answers whether the entries are restored.
bool openCalculation(const QString &taskKey, const Gui::CalculatorStart &start);

// Starts keeping a form's entries; called once the form has restored them.
void keepEntriesAsTheyChange(QWidget *form, const QList<Controls> &table);

} // namespace Store

#endif
