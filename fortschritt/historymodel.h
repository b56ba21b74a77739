#ifndef FORTSCHRITT_HISTORYMODEL_H
#define FORTSCHRITT_HISTORYMODEL_H

#include "record/entry.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>

// The record of the work as a table, one row per entry: Zeit, Art, Aufgabe,
// Antwort, Urteil, Ursache, Sekunden, Prüfung. Qt::DisplayRole gives the
// texts; SortRole the values to sort by (the moment, the numbers as numbers),
// for a QSortFilterProxyModel. The texts are made when a row is shown, so that
// ten thousand entries cost only their copy.

namespace Progress {

class HistoryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Time, Kind, Task, Answer, Verdict, Cause, Seconds, Exam, ColumnCount };
    static constexpr int SortRole = Qt::UserRole;

    explicit HistoryModel(QObject *parent = nullptr);

    void setEntries(QList<Record::Entry> entries);
    const QList<Record::Entry> &entries() const { return m_entries; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QString causeName(const QString &code) const;

    QList<Record::Entry> m_entries;
    QHash<QString, QString> m_causeNames;
};

} // namespace Progress

#endif
