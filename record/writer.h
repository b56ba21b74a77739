#ifndef RECORD_WRITER_H
#define RECORD_WRITER_H

#include "record/entry.h"
#include "record/store.h"

#include <QList>
#include <QObject>

#include <memory>

class QTimer;

namespace Record {

// The writing side of the Recorder, living on its thread with a connection
// of its own. Entries wait in a queue until they are in the file: a file
// held by another connection is tried again a little later, a damaged one
// set aside once and started anew, and one that cannot be written ends the
// recording for this run.
class Writer : public QObject {
    Q_OBJECT
public:
    Writer(const QString &path, const QString &connection);
    ~Writer() override;

    // The pause before a file held by another connection is tried again.
    static constexpr int RetryMs = 200;

    void open();
    void append(const Entry &entry);
    // A last try to write what waits, then the connection is closed.
    void finish();

signals:
    void setAside(const QString &newPath);
    void unwritable(const QString &reason);
    void stored(int count);

private:
    void flush();
    // Answers whether the file is ready for writing.
    bool ensureOpen();
    void handle(const Store::Outcome &outcome);

    enum class State { Closed, Ready, Off };
    QString m_path;
    std::unique_ptr<Store> m_store;
    QList<Entry> m_queue;
    QTimer *m_retry = nullptr;
    State m_state = State::Closed;
    bool m_setAside = false;
};

} // namespace Record

#endif
