#ifndef RECORD_STORE_H
#define RECORD_STORE_H

#include "record/entry.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <optional>

// The record's SQLite file, reached through one connection of Qt SQL. Each
// call is done at once on the calling thread; the Recorder runs the writing
// on a thread of its own, so that the window never waits for the disk.

namespace Record {

// The version of the file's tables this program writes (PRAGMA user_version).
// Each step of `migrations` in store.cpp takes a file from one version to the
// next.
constexpr int SchemaVersion = 2;

// Where the record lives: velmora.sqlite in the user's application data
// folder (~/.local/share/velmora/velmora/velmora.sqlite).
QString defaultPath();

class Store {
public:
    enum class Status {
        Ready,      // done
        Busy,       // another connection holds the file: try again later
        Damaged,    // not a database, damaged, or another program's: set it aside
        Unwritable, // the file or its folder cannot be written
    };
    struct Outcome {
        Status status = Status::Ready;
        QString reason; // German, for the message; empty when ready
        bool ok() const { return status == Status::Ready; }
    };

    // `connection` names the Qt SQL connection; each thread needs its own.
    Store(const QString &path, const QString &connection);
    ~Store();
    Store(const Store &) = delete;
    Store &operator=(const Store &) = delete;

    // How far open() looks: every page (the writer, once a run), or only
    // the header and the tables (a reading beside the writer).
    enum class Checking { Pages, Tables };
    // Opens the file (creating it and its folder), checks that it is an
    // undamaged database of ours, brings an older one to SchemaVersion and
    // switches it to write-ahead logging.
    Outcome open(Checking checking = Checking::Pages);
    // Closes the connection, so that the file can be moved.
    void close();

    // The entries in one transaction; the ids they were given written back.
    Outcome append(QList<Entry> &entries);
    // All entries, oldest first.
    std::optional<QList<Entry>> readAll();
    // Removes all entries and answers them, in one transaction.
    std::optional<QList<Entry>> removeAll();
    // Puts removed entries back with their ids.
    Outcome restore(const QList<Entry> &entries);

    QSqlDatabase database() const;

private:
    Outcome outcomeOfError(const class QSqlError &error) const;
    Outcome check(Checking checking);
    Outcome migrate(int from);
    Outcome insert(const QList<Entry> &entries, bool withIds, QList<qint64> *ids);

    QString m_path;
    QString m_connection;
};

// Moves a damaged file aside with its "-wal" and "-shm" files, as
// "<file>.defekt-<yyyy-MM-dd>", then "-2", "-3" … where that name is taken.
// Answers the new name of the file; empty where it could not be moved.
QString setAside(const QString &path, QDate today);

} // namespace Record

#endif
