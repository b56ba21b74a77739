#ifndef RECORD_RECORDER_H
#define RECORD_RECORDER_H

#include "record/entry.h"

#include <QList>
#include <QObject>
#include <QString>

#include <optional>

class QThread;

// The record of the work: every answer judged, kept in an SQLite file for the
// student's progress. The window that records only hands the entry over; a
// thread of the recorder's own writes it, so that neither the disk nor a
// file held by another program ever makes the window wait. A damaged file is
// set aside and a new one started; a file that cannot be written at all ends
// the recording for the run, and the program goes on without it.

namespace Record {

class Writer;

class Recorder : public QObject {
    Q_OBJECT
public:
    // `path`: the file; Record::defaultPath() in the program.
    explicit Recorder(const QString &path, QObject *parent = nullptr);
    // Writes what still waits (briefly: a file held by another program is
    // not waited for) and ends the thread.
    ~Recorder() override;

    QString path() const { return m_path; }

    // Queues the entry and returns at once; `time` is set to now where empty.
    void record(Entry entry);

    // Read and changed on the calling thread, in a connection of their own.
    // All entries, oldest first; nothing where the file cannot be read.
    std::optional<QList<Entry>> readAll() const;
    // Removes all entries and answers them, for an undo; nothing where the
    // file could not be changed (it is then as it was).
    std::optional<QList<Entry>> removeAll();
    // Puts entries that removeAll() answered back.
    bool restore(const QList<Entry> &entries);

signals:
    // The damaged or foreign file was moved to `newPath`; a new one started.
    void setAside(const QString &newPath);
    // The record cannot be written (German reason); nothing more is recorded.
    void unwritable(const QString &reason);
    // `count` entries have reached the file.
    void stored(int count);

private:
    QString m_path;
    QThread *m_thread = nullptr;
    Writer *m_writer = nullptr;
};

} // namespace Record

#endif
