#include "record/recorder.h"

#include "record/store.h"
#include "record/writer.h"

#include <QAtomicInteger>
#include <QThread>

namespace Record {

namespace {

// Each Recorder and each reading needs a connection name of its own.
QString connectionName(const char *use)
{
    static QAtomicInteger<int> counter;
    return QStringLiteral("velmora-record-") + QLatin1String(use) + u'-' +
           QString::number(counter.fetchAndAddRelaxed(1));
}

} // namespace

Recorder::Recorder(const QString &path, QObject *parent) : QObject(parent), m_path(path)
{
    m_thread = new QThread(this);
    m_thread->setObjectName(QStringLiteral("velmora-record"));
    m_writer = new Writer(path, connectionName("writer"));
    m_writer->moveToThread(m_thread);
    connect(m_writer, &Writer::setAside, this, &Recorder::setAside);
    connect(m_writer, &Writer::unwritable, this, &Recorder::unwritable);
    connect(m_writer, &Writer::stored, this, &Recorder::stored);
    connect(m_thread, &QThread::started, m_writer, &Writer::open);
    m_thread->start();
}

Recorder::~Recorder()
{
    QMetaObject::invokeMethod(m_writer, &Writer::finish, Qt::BlockingQueuedConnection);
    m_thread->quit();
    m_thread->wait();
    delete m_writer;
}

void Recorder::record(Entry entry)
{
    if (!entry.time.isValid())
        entry.time = QDateTime::currentDateTimeUtc();
    QMetaObject::invokeMethod(
        m_writer, [writer = m_writer, entry] { writer->append(entry); }, Qt::QueuedConnection);
}

std::optional<QList<Entry>> Recorder::readAll() const
{
    Store store(m_path, connectionName("read"));
    if (!store.open(Store::Checking::Tables).ok())
        return std::nullopt;
    return store.readAll();
}

std::optional<QList<Entry>> Recorder::removeAll()
{
    Store store(m_path, connectionName("remove"));
    if (!store.open(Store::Checking::Tables).ok())
        return std::nullopt;
    return store.removeAll();
}

bool Recorder::restore(const QList<Entry> &entries)
{
    Store store(m_path, connectionName("restore"));
    return store.open(Store::Checking::Tables).ok() && store.restore(entries).ok();
}

} // namespace Record
