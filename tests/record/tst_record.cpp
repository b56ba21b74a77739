#include "record/causes.h"
#include "record/recorder.h"
#include "record/store.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include <memory>

#include <unistd.h>

Q_DECLARE_METATYPE(Record::Entry)

using namespace Record;
using namespace Qt::StringLiterals;

namespace {

Entry entry(int number, bool right = false)
{
    Entry e;
    e.time = QDateTime(QDate(2026, 12, 7), QTime(4, 30, 12, 345), QTimeZone::utc());
    e.kind = Core::TaskKind::Rectification;
    e.taskNumber = number;
    e.given = u"{\"art\":\"GZK\",\"nummer\":%1,\"person\":\"Jürgen Weiß\"}"_s.arg(number);
    e.answer = u"-0 | 1 | 4"_s;
    e.right = right;
    e.cause = right ? QString() : u"gzk.table-value"_s;
    e.seconds = 95;
    e.source = Source::Check;
    return e;
}

// Runs SQL on a connection of the test's own, outside the recorder.
class Direct {
public:
    explicit Direct(const QString &path) : m_name(u"direct-"_s + QString::number(++s_count))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_name);
        db.setDatabaseName(path);
        db.open();
    }
    ~Direct()
    {
        QSqlDatabase::database(m_name).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    bool exec(const QString &sql)
    {
        QSqlQuery q(QSqlDatabase::database(m_name));
        return q.exec(sql);
    }
    QVariant value(const QString &sql)
    {
        QSqlQuery q(QSqlDatabase::database(m_name));
        return q.exec(sql) && q.next() ? q.value(0) : QVariant();
    }

private:
    QString m_name;
    static inline int s_count = 0;
};

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestRecord : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_path = m_dir->filePath(u"velmora.sqlite"_s);
    }

    void roundTrip_data()
    {
        QTest::addColumn<Entry>("written");
        QTest::newRow("check, wrong") << entry(4711);
        Entry solar = entry(12, true);
        solar.kind = Core::TaskKind::Solar;
        solar.source = Source::Exercise;
        solar.seconds = -1;
        QTest::newRow("exercise, right, no time") << solar;
        Entry exam = entry(999999);
        exam.source = Source::Examination;
        exam.exam = true;
        exam.answer = u"14 | 05 | 33 · 12 | 3 | 2031 „−“"_s;
        QTest::newRow("examination") << exam;
    }
    void roundTrip()
    {
        QFETCH(Entry, written);
        Recorder recorder(m_path);
        recorder.record(written);
        recorder.record(written);
        QTRY_COMPARE(recorder.readAll().value_or(QList<Entry>()).size(), 2);
        const QList<Entry> read = *recorder.readAll();
        Entry expected = written;
        expected.id = read.first().id;
        QCOMPARE(read.first(), expected);
        QVERIFY(read.at(1).id > read.first().id);
    }

    // A file of the first version, with its entries, is brought to the
    // present one: the entries stay, the new fields take their defaults.
    void migratesOlderFile()
    {
        {
            Direct old(m_path);
            QVERIFY(old.exec(u"CREATE TABLE records (id INTEGER PRIMARY KEY AUTOINCREMENT, "
                             "time INTEGER NOT NULL, kind TEXT NOT NULL, task INTEGER NOT NULL, "
                             "given TEXT NOT NULL, answer TEXT NOT NULL, right INTEGER NOT NULL, "
                             "cause TEXT NOT NULL, seconds INTEGER NOT NULL)"_s));
            QVERIFY(old.exec(u"INSERT INTO records VALUES (7, 1796119200000, "
                             "'Solar', 5, '{}', '1 | 2 | 3', 0, 'solar.zone', 40)"_s));
            QVERIFY(old.exec(u"PRAGMA user_version = 1"_s));
        }
        Recorder recorder(m_path);
        QSignalSpy aside(&recorder, &Recorder::setAside);
        QSignalSpy stored(&recorder, &Recorder::stored);
        recorder.record(entry(1));
        QTRY_COMPARE(stored.size(), 1);
        const QList<Entry> read = recorder.readAll().value_or(QList<Entry>());
        QCOMPARE(read.size(), 2);
        QCOMPARE(read.first().id, 7);
        QCOMPARE(read.first().cause, u"solar.zone"_s);
        QCOMPARE(read.first().source, Source::Exercise);
        QCOMPARE(read.first().exam, false);
        QCOMPARE(aside.size(), 0);
        QCOMPARE(Direct(m_path).value(u"PRAGMA user_version"_s).toInt(), SchemaVersion);
    }

    // What is not our undamaged database goes aside with its log files, an
    // earlier file set aside stays, and a new record is started.
    void setsAside_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("earlier");
        QTest::newRow("not a database, with -wal and -shm") << u"garbage"_s << false;
        QTest::newRow("damaged page") << u"damaged"_s << false;
        QTest::newRow("another program's tables") << u"foreign"_s << false;
        QTest::newRow("a newer version") << u"newer"_s << false;
        QTest::newRow("one set aside the same day already") << u"garbage"_s << true;
    }
    void setsAside()
    {
        QFETCH(QString, kind);
        QFETCH(bool, earlier);
        if (kind == u"garbage") {
            writeFile(m_path, QByteArray(8192, 'x'));
            writeFile(m_path + u"-wal"_s, "wal");
            writeFile(m_path + u"-shm"_s, "shm");
        } else {
            Direct other(m_path);
            if (kind == u"newer") {
                QVERIFY(other.exec(u"CREATE TABLE records (id INTEGER PRIMARY KEY)"_s));
                QVERIFY(other.exec(u"PRAGMA user_version = 99"_s));
            } else {
                QVERIFY(other.exec(u"CREATE TABLE customers (name TEXT)"_s));
                other.exec(u"BEGIN"_s);
                for (int i = 0; i < 200; ++i)
                    other.exec(u"INSERT INTO customers VALUES ('%1')"_s.arg(QString(300, u'n')));
                other.exec(u"COMMIT"_s);
            }
        }
        if (kind == u"damaged") {
            // A page of the table overwritten in the middle.
            QFile f(m_path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            f.seek(4096 + 100);
            f.write(QByteArray(2000, '\xff'));
        }
        const QByteArray before = [this] {
            QFile f(m_path);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        const QString base = m_path + u".defekt-"_s + QDate::currentDate().toString(Qt::ISODate);
        if (earlier)
            writeFile(base, "earlier");

        Recorder recorder(m_path);
        QSignalSpy aside(&recorder, &Recorder::setAside);
        QSignalSpy stored(&recorder, &Recorder::stored);
        QSignalSpy unwritable(&recorder, &Recorder::unwritable);
        recorder.record(entry(1));
        QTRY_COMPARE(stored.size(), 1);
        QCOMPARE(aside.size(), 1);
        QCOMPARE(unwritable.size(), 0);
        const QString moved = earlier ? base + u"-2"_s : base;
        QCOMPARE(aside.first().first().toString(), moved);
        QFile f(moved);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
        if (kind == u"garbage") {
            QVERIFY(QFile::exists(moved + u"-wal"_s));
            QVERIFY(QFile::exists(moved + u"-shm"_s));
        }
        if (earlier) {
            QFile first(base);
            QVERIFY(first.open(QIODevice::ReadOnly));
            QCOMPARE(first.readAll(), QByteArray("earlier"));
        }
        QCOMPARE(recorder.readAll().value_or(QList<Entry>()).size(), 1);
    }

    // Nothing can be written: said once, and recording goes on quietly.
    void unwritable_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder is a file") << u"file"_s;
        QTest::newRow("read-only folder") << u"readonly"_s;
    }
    void unwritable()
    {
        QFETCH(QString, kind);
        QString path;
        if (kind == u"file") {
            writeFile(m_dir->filePath(u"data"_s), "a file, not a folder");
            path = m_dir->filePath(u"data/velmora.sqlite"_s);
        } else {
            if (geteuid() == 0)
                QSKIP("root writes into a read-only folder all the same");
            const QString folder = m_dir->filePath(u"ro"_s);
            QVERIFY(QDir().mkpath(folder));
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
            path = folder + u"/velmora.sqlite"_s;
        }
        Recorder recorder(path);
        QSignalSpy unwritable(&recorder, &Recorder::unwritable);
        QSignalSpy aside(&recorder, &Recorder::setAside);
        recorder.record(entry(1));
        recorder.record(entry(2));
        QTRY_COMPARE(unwritable.size(), 1);
        QTest::qWait(300);
        QCOMPARE(unwritable.size(), 1);
        QCOMPARE(aside.size(), 0);
        QVERIFY(!unwritable.first().first().toString().isEmpty());
        QVERIFY(!recorder.readAll());
    }

    // A file another connection holds is not damaged: the entry waits and
    // lands once the file is free, whether it was held when the recorder
    // opened it or while it wrote.
    void lockedFileIsRetried_data()
    {
        QTest::addColumn<bool>("beforeOpening");
        QTest::newRow("held while writing") << false;
        QTest::newRow("held before opening") << true;
    }
    void lockedFileIsRetried()
    {
        QFETCH(bool, beforeOpening);
        {
            Recorder first(m_path);
            QSignalSpy stored(&first, &Recorder::stored);
            first.record(entry(1));
            QTRY_COMPARE(stored.size(), 1);
        }
        std::unique_ptr<Recorder> recorder;
        if (!beforeOpening)
            recorder = std::make_unique<Recorder>(m_path);
        Direct holder(m_path);
        QVERIFY(holder.exec(u"BEGIN EXCLUSIVE"_s));
        QVERIFY(holder.exec(u"INSERT INTO records (time, kind, task, given, answer, right, "
                            "cause, seconds) VALUES (0, 'Solar', 0, '', '', 0, '', 0)"_s));
        if (beforeOpening)
            recorder = std::make_unique<Recorder>(m_path);
        QSignalSpy stored(recorder.get(), &Recorder::stored);
        QSignalSpy aside(recorder.get(), &Recorder::setAside);
        QSignalSpy unwritable(recorder.get(), &Recorder::unwritable);
        QElapsedTimer call;
        call.start();
        recorder->record(entry(2));
        QVERIFY(call.elapsed() < 10);
        QTest::qWait(3 * 200);
        QCOMPARE(stored.size(), 0);
        QVERIFY(holder.exec(u"COMMIT"_s));
        QTRY_COMPARE(stored.size(), 1);
        QCOMPARE(aside.size(), 0);
        QCOMPARE(unwritable.size(), 0);
        QCOMPARE(recorder->readAll().value_or(QList<Entry>()).size(), 3);
    }

    // Killed while writing, the file opens again whole with every entry
    // committed before the kill.
    void survivesKill()
    {
        QProcess writer;
        writer.start(QStringLiteral(RECORD_WRITER), {m_path});
        QVERIFY(writer.waitForStarted());
        QByteArray out;
        while (out.count('\n') < 40 && writer.waitForReadyRead(10000))
            out += writer.readAllStandardOutput();
        writer.kill();
        QVERIFY(writer.waitForFinished());
        out += writer.readAllStandardOutput();
        QSet<qint64> committed;
        for (const QByteArray &line : out.split('\n')) {
            if (!line.isEmpty())
                committed.insert(line.toLongLong());
        }
        QVERIFY(committed.size() >= 40);

        QCOMPARE(Direct(m_path).value(u"PRAGMA integrity_check"_s).toString(), u"ok"_s);
        Recorder recorder(m_path);
        QSignalSpy aside(&recorder, &Recorder::setAside);
        const QList<Entry> read = recorder.readAll().value_or(QList<Entry>());
        QSet<qint64> ids;
        for (const Entry &e : read)
            ids.insert(e.id);
        QVERIFY(ids.contains(committed));
        QTest::qWait(100);
        QCOMPARE(aside.size(), 0);
    }

    void removeAllAndRestore()
    {
        Recorder recorder(m_path);
        for (int i = 1; i <= 3; ++i)
            recorder.record(entry(i));
        QTRY_COMPARE(recorder.readAll().value_or(QList<Entry>()).size(), 3);
        const QList<Entry> all = *recorder.readAll();

        const std::optional<QList<Entry>> removed = recorder.removeAll();
        QVERIFY(removed);
        QCOMPARE(*removed, all);
        QCOMPARE(recorder.readAll()->size(), 0);
        // An entry made after the removal keeps its own id beside the
        // restored ones.
        recorder.record(entry(4));
        QTRY_COMPARE(recorder.readAll().value_or(QList<Entry>()).size(), 1);
        QVERIFY(recorder.restore(*removed));
        const QList<Entry> back = *recorder.readAll();
        QCOMPARE(back.size(), 4);
        QCOMPARE(back.mid(0, 3), all);
        QVERIFY(back.last().id > all.last().id);
    }

    // Every code a cause maps to has its German name, and no two names share
    // a code.
    void causesHaveNames()
    {
        QSet<QString> known;
        for (const CauseName &n : causeNames()) {
            QVERIFY2(!known.contains(n.code), qPrintable(n.code));
            known.insert(n.code);
        }
        QStringList codes;
        for (int c = 1; c <= static_cast<int>(Solar::Cause::Zone); ++c)
            codes << causeCode(static_cast<Solar::Cause>(c));
        for (int c = 1; c <= static_cast<int>(Rectification::Cause::Overflow); ++c)
            codes << causeCode(static_cast<Rectification::Cause>(c));
        for (int c = 1; c <= static_cast<int>(Sidereal::Cause::Overflow); ++c)
            codes << causeCode(static_cast<Sidereal::Cause>(c));
        for (int h = 1; h <= static_cast<int>(Exercise::AnswerHint::Age); ++h) {
            for (const auto kind : {Core::TaskKind::Solar, Core::TaskKind::Rectification})
                codes << causeCode(kind, static_cast<Exercise::AnswerHint>(h));
        }
        for (const QString &code : codes)
            QVERIFY2(known.contains(code), qPrintable(code));
        QCOMPARE(causeName(u"solar.zone"_s), u"Zeitzone vergessen"_s);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

QTEST_GUILESS_MAIN(TestRecord)

#include "tst_record.moc"
