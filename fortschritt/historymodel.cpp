#include "fortschritt/historymodel.h"

#include "fortschritt/progress.h"
#include "record/causes.h"

namespace Progress {

HistoryModel::HistoryModel(QObject *parent) : QAbstractTableModel(parent)
{
    for (const Record::CauseName &cause : Record::causeNames())
        m_causeNames.insert(cause.code, cause.name);
}

void HistoryModel::setEntries(QList<Record::Entry> entries)
{
    beginResetModel();
    m_entries = std::move(entries);
    endResetModel();
}

int HistoryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_entries.size());
}

int HistoryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString HistoryModel::causeName(const QString &code) const
{
    return m_causeNames.value(code, code);
}

QVariant HistoryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size())
        return {};
    const Record::Entry &e = m_entries.at(index.row());
    if (role == Qt::TextAlignmentRole) {
        const bool number = index.column() == Task || index.column() == Seconds;
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    if (role != Qt::DisplayRole && role != SortRole)
        return {};
    const bool sort = role == SortRole;
    switch (index.column()) {
    case Time:
        if (sort)
            return e.time;
        return e.time.toLocalTime().toString(QStringLiteral("dd.MM.yyyy hh:mm"));
    case Kind:
        return kindName(e.kind);
    case Task:
        return e.taskNumber;
    case Answer:
        return e.answer;
    case Verdict:
        if (sort)
            return e.right;
        return e.right ? QStringLiteral("richtig") : QStringLiteral("falsch");
    case Cause:
        return e.cause.isEmpty() ? QString() : causeName(e.cause);
    case Seconds:
        if (sort)
            return e.seconds;
        return e.seconds >= 0 ? QVariant(e.seconds) : QVariant(QString());
    case Exam:
        if (sort)
            return e.exam;
        return e.exam ? QStringLiteral("ja") : QStringLiteral("nein");
    default:
        return {};
    }
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Time:
        return QStringLiteral("Zeit");
    case Kind:
        return QStringLiteral("Art");
    case Task:
        return QStringLiteral("Aufgabe");
    case Answer:
        return QStringLiteral("Antwort");
    case Verdict:
        return QStringLiteral("Urteil");
    case Cause:
        return QStringLiteral("Ursache");
    case Seconds:
        return QStringLiteral("Sekunden");
    case Exam:
        return QStringLiteral("Prüfung");
    default:
        return {};
    }
}

} // namespace Progress
