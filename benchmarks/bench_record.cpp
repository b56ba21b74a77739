// The record of the work with 10 000 entries: how long one record() call
// holds the calling (window) thread, how long reading all entries takes, and
// the size of the file. Works in a temporary folder, never the user's record.
//
//     bench_record [entries]

#include "record/recorder.h"
#include "record/store.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <ctime>
#include <vector>

namespace {

Record::Entry sample(int number)
{
    Record::Entry e;
    e.kind = number % 2 ? Core::TaskKind::Solar : Core::TaskKind::Rectification;
    e.taskNumber = number;
    // About the size of a rectification task's stored form.
    e.given = QString(420, u'x');
    e.answer = QStringLiteral("-0h01m04s");
    e.right = number % 3 == 0;
    e.cause = e.right ? QString() : QStringLiteral("gzk.table-value");
    e.seconds = 300 + number % 600;
    e.source = number % 4 ? Record::Source::Exercise : Record::Source::Check;
    return e;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10000;
    QTemporaryDir dir;
    if (!dir.isValid() || count <= 0)
        return 1;
    const QString path = dir.filePath(QStringLiteral("velmora.sqlite"));

    std::vector<double> calls;
    calls.reserve(static_cast<std::size_t>(count));
    qint64 written = 0;
    QElapsedTimer total;
    {
        Record::Recorder recorder(path);
        QObject::connect(&recorder, &Record::Recorder::stored, &app,
                         [&written](int n) { written += n; });
        total.start();
        for (int i = 0; i < count; ++i) {
            QElapsedTimer call;
            call.start();
            recorder.record(sample(i));
            calls.push_back(static_cast<double>(call.nsecsElapsed()) / 1000.0);
            // As a student does, one answer at a time: let the writer keep up
            // every hundred entries.
            if (i % 100 == 99)
                QCoreApplication::processEvents();
        }
        while (written < count)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        out << "written:        " << count << " entries in " << total.elapsed() << " ms\n";
        std::sort(calls.begin(), calls.end());
        out << "record() call:  median " << calls[calls.size() / 2] << " µs, 99 % within "
            << calls[calls.size() * 99 / 100] << " µs, slowest " << calls.back() << " µs\n";

        std::vector<double> reads;
        std::vector<double> cpu;
        for (int run = 0; run < 5; ++run) {
            QElapsedTimer read;
            const std::clock_t started = std::clock();
            read.start();
            const auto all = recorder.readAll();
            reads.push_back(static_cast<double>(read.nsecsElapsed()) / 1e6);
            cpu.push_back(1000.0 * static_cast<double>(std::clock() - started) / CLOCKS_PER_SEC);
            if (!all || all->size() != count) {
                out << "reading failed\n";
                return 1;
            }
        }
        out << "readAll():      median " << median(reads) << " ms of 5, processor time "
            << median(cpu) << " ms\n";
    }
    out << "file size:      " << QFileInfo(path).size() / 1024 << " KiB ("
        << QFileInfo(path).size() / count << " bytes per entry)\n";
    return 0;
}
