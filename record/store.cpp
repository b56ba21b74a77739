#include "record/store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTimeZone>
#include <QVariant>

#include <algorithm>

namespace Record {

namespace {

// SQLite's primary result codes that decide what is done about a failure.
enum SqliteCode {
    SqlitePerm = 3,
    SqliteBusy = 5,
    SqliteLocked = 6,
    SqliteReadOnly = 8,
    SqliteIoErr = 10,
    SqliteCorrupt = 11,
    SqliteFull = 13,
    SqliteCantOpen = 14,
    SqliteNotADb = 26,
};

// The steps from each version of the file to the next; step i takes a file
// of version i to version i + 1. A new column or table is a new step at the
// end; a step once released is never changed.
const QList<QStringList> Migrations = {
    // 0 → 1: the answers judged.
    {QStringLiteral("CREATE TABLE records ("
                    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
                    " time INTEGER NOT NULL,"
                    " kind TEXT NOT NULL,"
                    " task INTEGER NOT NULL,"
                    " given TEXT NOT NULL,"
                    " answer TEXT NOT NULL,"
                    " right INTEGER NOT NULL,"
                    " cause TEXT NOT NULL,"
                    " seconds INTEGER NOT NULL)")},
    // 1 → 2: where the answer was judged, and whether in an examination.
    {QStringLiteral("ALTER TABLE records ADD COLUMN source TEXT NOT NULL DEFAULT 'pruefen'"),
     QStringLiteral("ALTER TABLE records ADD COLUMN exam INTEGER NOT NULL DEFAULT 0")},
};
static_assert(SchemaVersion == 2, "a new version needs its step in Migrations");

// The columns a file of each version has, for telling our file from another
// program's.
QStringList columnsOf(int version)
{
    QStringList columns = {
        QStringLiteral("id"),    QStringLiteral("time"),  QStringLiteral("kind"),
        QStringLiteral("task"),  QStringLiteral("given"), QStringLiteral("answer"),
        QStringLiteral("right"), QStringLiteral("cause"), QStringLiteral("seconds")};
    if (version >= 2)
        columns << QStringLiteral("source") << QStringLiteral("exam");
    return columns;
}

const QString Columns =
    QStringLiteral("id, time, kind, task, given, answer, right, cause, seconds, source, exam");

// An empty text is kept as one, not as NULL, which the columns refuse.
QString text(const QString &value)
{
    return value.isNull() ? QStringLiteral("") : value;
}

Entry entryOf(const QSqlQuery &q)
{
    Entry e;
    e.id = q.value(0).toLongLong();
    e.time = QDateTime::fromMSecsSinceEpoch(q.value(1).toLongLong(), QTimeZone::utc());
    e.kind = Core::kindNamed(q.value(2).toString()).value_or(Core::TaskKind::Solar);
    e.taskNumber = q.value(3).toInt();
    e.given = q.value(4).toString();
    e.answer = q.value(5).toString();
    e.right = q.value(6).toBool();
    e.cause = q.value(7).toString();
    e.seconds = q.value(8).toInt();
    e.source = sourceNamed(q.value(9).toString()).value_or(Source::Exercise);
    e.exam = q.value(10).toBool();
    return e;
}

} // namespace

Entry entryOf(const Core::GivenTask &task, const QString &answer, bool right, const QString &cause,
              qint64 seconds, Source source)
{
    Entry entry;
    entry.kind = task.kind;
    entry.taskNumber = task.number;
    entry.given = task.toText();
    entry.answer = answer;
    entry.right = right;
    entry.cause = right ? QString() : cause;
    entry.seconds = static_cast<int>(seconds);
    entry.source = source;
    return entry;
}

QString sourceText(Source source)
{
    switch (source) {
    case Source::Exercise:
        return QStringLiteral("pruefen");
    case Source::Check:
        return QStringLiteral("kontrolle");
    case Source::Examination:
        break;
    }
    return QStringLiteral("pruefung");
}

std::optional<Source> sourceNamed(const QString &text)
{
    for (const Source s : {Source::Exercise, Source::Check, Source::Examination}) {
        if (sourceText(s) == text)
            return s;
    }
    return std::nullopt;
}

QString defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/velmora.sqlite");
}

Store::Store(const QString &path, const QString &connection)
    : m_path(path), m_connection(connection)
{}

Store::~Store()
{
    close();
}

QSqlDatabase Store::database() const
{
    return QSqlDatabase::database(m_connection, false);
}

void Store::close()
{
    if (!QSqlDatabase::contains(m_connection))
        return;
    database().close();
    QSqlDatabase::removeDatabase(m_connection);
}

Store::Outcome Store::outcomeOfError(const QSqlError &error) const
{
    const int code = error.nativeErrorCode().toInt() & 0xff;
    const QString file = QDir::toNativeSeparators(m_path);
    switch (code) {
    case SqliteBusy:
    case SqliteLocked:
        return {Status::Busy, QStringLiteral("die Datei ist gesperrt")};
    case SqliteCorrupt:
    case SqliteNotADb:
        return {Status::Damaged, QStringLiteral("die Datei ist beschädigt")};
    case SqliteReadOnly:
    case SqlitePerm:
        return {Status::Unwritable,
                QStringLiteral("die Datei „") + file + QStringLiteral("“ ist schreibgeschützt")};
    case SqliteCantOpen:
        return {Status::Unwritable, QStringLiteral("die Datei „") + file +
                                        QStringLiteral("“ lässt sich nicht anlegen oder öffnen")};
    case SqliteFull:
        return {Status::Unwritable, QStringLiteral("der Datenträger ist voll")};
    case SqliteIoErr:
        return {Status::Unwritable,
                QStringLiteral("Schreibfehler auf dem Datenträger (") + error.text() + u')'};
    default:
        break;
    }
    return {Status::Unwritable, error.text()};
}

Store::Outcome Store::open(Checking checking)
{
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(folder))
        return {Status::Unwritable, QStringLiteral("der Ordner „") +
                                        QDir::toNativeSeparators(folder) +
                                        QStringLiteral("“ lässt sich nicht anlegen")};
    if (!QSqlDatabase::contains(m_connection)) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
        db.setDatabaseName(m_path);
        // Another connection holding the file is waited for briefly, then
        // the caller tries again later.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=100"));
    }
    QSqlDatabase db = database();
    if (!db.isOpen() && !db.open())
        return outcomeOfError(db.lastError());
    // The check and the migration under the write lock, so that two
    // connections opening a new file never both create its tables, and none
    // sees a file half migrated.
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return outcomeOfError(q.lastError());
    if (Outcome checked = check(checking); !checked.ok()) {
        q.exec(QStringLiteral("ROLLBACK"));
        return checked;
    }
    if (!q.exec(QStringLiteral("COMMIT"))) {
        const Outcome failed = outcomeOfError(q.lastError());
        q.exec(QStringLiteral("ROLLBACK"));
        return failed;
    }
    if (!q.exec(QStringLiteral("PRAGMA journal_mode=WAL")))
        return outcomeOfError(q.lastError());
    // With the write-ahead log a commit survives the program being killed;
    // only a power loss may take the last ones.
    if (!q.exec(QStringLiteral("PRAGMA synchronous=NORMAL")))
        return outcomeOfError(q.lastError());
    return {};
}

// An undamaged database whose tables are ours, at our version or an older one.
Store::Outcome Store::check(Checking checking)
{
    QSqlQuery q(database());
    q.setForwardOnly(true);
    if (checking == Checking::Pages) {
        if (!q.exec(QStringLiteral("PRAGMA quick_check")))
            return outcomeOfError(q.lastError());
        if (!q.next() || q.value(0).toString() != QStringLiteral("ok"))
            return {Status::Damaged, QStringLiteral("die Datei ist beschädigt")};
    }
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
        return outcomeOfError(q.lastError());
    const int version = q.value(0).toInt();
    const Outcome foreign{Status::Damaged, QStringLiteral("die Datei gehört nicht zu velmora")};
    if (version < 0 || version > SchemaVersion)
        return foreign;

    if (!q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT "
                               "LIKE 'sqlite_%'")))
        return outcomeOfError(q.lastError());
    QStringList tables;
    while (q.next())
        tables.append(q.value(0).toString());
    if (version == 0)
        return tables.isEmpty() ? migrate(0) : foreign;
    if (tables != QStringList{QStringLiteral("records")})
        return foreign;
    if (!q.exec(QStringLiteral("PRAGMA table_info(records)")))
        return outcomeOfError(q.lastError());
    QSet<QString> columns;
    while (q.next())
        columns.insert(q.value(1).toString());
    for (const QString &c : columnsOf(version)) {
        if (!columns.contains(c))
            return foreign;
    }
    return version < SchemaVersion ? migrate(version) : Outcome{};
}

// Within the transaction of open(): interrupted, the file stays at the
// version it had.
Store::Outcome Store::migrate(int from)
{
    QSqlQuery q(database());
    for (int version = from; version < SchemaVersion; ++version) {
        QStringList statements = Migrations.at(version);
        statements.append(QStringLiteral("PRAGMA user_version = ") + QString::number(version + 1));
        for (const QString &statement : statements) {
            if (!q.exec(statement))
                return outcomeOfError(q.lastError());
        }
    }
    return {};
}

Store::Outcome Store::insert(const QList<Entry> &entries, bool withIds, QList<qint64> *ids)
{
    QSqlQuery q(database());
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return outcomeOfError(q.lastError());
    const auto fail = [this, &q] {
        const Outcome failed = outcomeOfError(q.lastError());
        q.exec(QStringLiteral("ROLLBACK"));
        return failed;
    };
    if (!q.prepare(QStringLiteral("INSERT INTO records (") + Columns +
                   QStringLiteral(") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")))
        return fail();
    for (const Entry &e : entries) {
        q.bindValue(0, withIds ? QVariant(e.id) : QVariant());
        q.bindValue(1, e.time.toMSecsSinceEpoch());
        q.bindValue(2, Core::kindText(e.kind));
        q.bindValue(3, e.taskNumber);
        q.bindValue(4, text(e.given));
        q.bindValue(5, text(e.answer));
        q.bindValue(6, e.right ? 1 : 0);
        q.bindValue(7, text(e.cause));
        q.bindValue(8, e.seconds);
        q.bindValue(9, sourceText(e.source));
        q.bindValue(10, e.exam ? 1 : 0);
        if (!q.exec())
            return fail();
        if (ids)
            ids->append(q.lastInsertId().toLongLong());
    }
    if (!q.exec(QStringLiteral("COMMIT")))
        return fail();
    return {};
}

Store::Outcome Store::append(QList<Entry> &entries)
{
    QList<qint64> ids;
    const Outcome done = insert(entries, false, &ids);
    if (done.ok()) {
        for (qsizetype i = 0; i < entries.size(); ++i)
            entries[i].id = ids.at(i);
    }
    return done;
}

Store::Outcome Store::restore(const QList<Entry> &entries)
{
    return insert(entries, true, nullptr);
}

std::optional<QList<Entry>> Store::readAll()
{
    QSqlQuery q(database());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT ") + Columns + QStringLiteral(" FROM records ORDER BY id")))
        return std::nullopt;
    QList<Entry> entries;
    while (q.next())
        entries.append(entryOf(q));
    return entries;
}

std::optional<QList<Entry>> Store::removeAll()
{
    QSqlQuery q(database());
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return std::nullopt;
    std::optional<QList<Entry>> removed = readAll();
    if (!removed || !q.exec(QStringLiteral("DELETE FROM records")) ||
        !q.exec(QStringLiteral("COMMIT"))) {
        q.exec(QStringLiteral("ROLLBACK"));
        return std::nullopt;
    }
    return removed;
}

QString setAside(const QString &path, QDate today)
{
    const QString base = path + QStringLiteral(".defekt-") + today.toString(Qt::ISODate);
    const QStringList companions = {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")};
    // An earlier file set aside is never overwritten, nor its companions.
    QString target = base;
    for (int n = 2;; ++n) {
        const bool taken =
            std::any_of(companions.begin(), companions.end(),
                        [&target](const QString &c) { return QFileInfo::exists(target + c); });
        if (!taken)
            break;
        target = base + u'-' + QString::number(n);
    }
    if (!QFile::rename(path, target))
        return {};
    for (const QString &c : {QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        // A log left beside the new file would be read into it.
        if (QFileInfo::exists(path + c) && !QFile::rename(path + c, target + c))
            QFile::remove(path + c);
    }
    return target;
}

} // namespace Record
