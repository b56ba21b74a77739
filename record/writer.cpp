#include "record/writer.h"

#include <QDate>
#include <QTimer>

namespace Record {

Writer::Writer(const QString &path, const QString &connection)
    : m_path(path), m_store(std::make_unique<Store>(path, connection))
{}

Writer::~Writer() = default;

void Writer::open()
{
    if (!m_retry) {
        // Created here, on the writer's own thread.
        m_retry = new QTimer(this);
        m_retry->setSingleShot(true);
        m_retry->setInterval(RetryMs);
        connect(m_retry, &QTimer::timeout, this, &Writer::flush);
    }
    flush();
}

void Writer::append(const Entry &entry)
{
    if (m_state == State::Off)
        return;
    m_queue.append(entry);
    // A retry already waiting takes this entry with it.
    if (!m_retry || !m_retry->isActive())
        flush();
}

void Writer::finish()
{
    if (m_retry)
        m_retry->stop();
    flush();
    if (m_retry)
        m_retry->stop();
    m_store->close();
    m_state = m_state == State::Off ? State::Off : State::Closed;
}

bool Writer::ensureOpen()
{
    if (m_state == State::Ready)
        return true;
    if (m_state == State::Off)
        return false;
    const Store::Outcome opened = m_store->open();
    if (opened.ok()) {
        m_state = State::Ready;
        return true;
    }
    handle(opened);
    return false;
}

void Writer::flush()
{
    if (!ensureOpen())
        return;
    if (m_queue.isEmpty())
        return;
    const Store::Outcome written = m_store->append(m_queue);
    if (written.ok()) {
        const auto count = static_cast<int>(m_queue.size());
        m_queue.clear();
        emit stored(count);
        return;
    }
    handle(written);
}

void Writer::handle(const Store::Outcome &outcome)
{
    switch (outcome.status) {
    case Store::Status::Ready:
        return;
    case Store::Status::Busy:
        // Not damaged: only held. The queue stays and is tried again.
        if (m_retry)
            m_retry->start();
        return;
    case Store::Status::Damaged:
        // Once per run: a file found damaged again right after it was
        // started anew is not ours to keep fixing.
        if (!m_setAside) {
            m_setAside = true;
            // Moved while still open: closing the last connection would
            // remove the log files that may hold what the file lacks.
            const QString moved = Record::setAside(m_path, QDate::currentDate());
            m_store->close();
            m_state = State::Closed;
            if (!moved.isEmpty()) {
                emit setAside(moved);
                flush();
                return;
            }
        }
        m_store->close();
        m_state = State::Off;
        m_queue.clear();
        emit unwritable(QStringLiteral("die beschädigte Datei lässt sich nicht beiseitelegen"));
        return;
    case Store::Status::Unwritable:
        m_store->close();
        m_state = State::Off;
        m_queue.clear();
        emit unwritable(outcome.reason);
        return;
    }
}

} // namespace Record
