// Writes an entry at a time into the record named on the command line and
// prints the id of each as soon as it is committed, until it is killed.

#include "record/store.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    Record::Store store(QString::fromLocal8Bit(argv[1]), QStringLiteral("writer"));
    if (!store.open().ok())
        return 1;
    Record::Entry entry;
    entry.given = QString(400, u'x'); // long enough for a write to span pages
    entry.answer = QStringLiteral("12 | 34 | 56");
    entry.cause = QStringLiteral("solar.zone");
    for (int i = 0;; ++i) {
        entry.time = QDateTime::currentDateTimeUtc();
        entry.taskNumber = i;
        QList<Record::Entry> one{entry};
        if (!store.append(one).ok())
            return 1;
        std::printf("%lld\n", static_cast<long long>(one.first().id));
        std::fflush(stdout);
    }
}
