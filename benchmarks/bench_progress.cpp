// The window "Fortschritt" over a record of 10 000 entries: reading them,
// working out the statistics, and the whole opening of the window (reading,
// statistics, the table's model sorted by time, shown and painted once).
// Works in a temporary folder, never the user's record.
//
//     QT_QPA_PLATFORM=offscreen bench_progress [entries]
//     bench_progress 300 --show     (the window stays open, to look at it)

#include "fortschritt/progress.h"
#include "fortschritt/progresswindow.h"
#include "record/causes.h"
#include "record/recorder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <ctime>
#include <vector>

namespace {

// Answers of the last twelve weeks, the kinds and causes mixed, getting
// better with time; the causes of the Solar more frequent.
Record::Entry sample(int number, int count)
{
    static const QList<Record::CauseName> &causes = Record::causeNames();
    Record::Entry e;
    const qint64 spacing = 12 * 7 * 86'400 / count;
    e.time = QDateTime::currentDateTimeUtc().addSecs(-qint64(count - number) * spacing);
    e.kind = static_cast<Core::TaskKind>(number % 3);
    e.taskNumber = 1 + (number * 7919) % 999'999;
    e.given = QString(420, u'x');
    e.answer = QStringLiteral("-0h01m04s");
    e.right = (number * 37) % 100 < 40 + 50 * number / count;
    e.cause = e.right ? QString() : causes.at((number * number) % causes.size()).code;
    e.seconds = number % 10 == 0 ? -1 : 60 + number % 900;
    return e;
}

struct Timing {
    std::vector<double> wall;
    std::vector<double> cpu;
    QElapsedTimer timer;
    std::clock_t started = 0;
    void start()
    {
        started = std::clock();
        timer.start();
    }
    void stop()
    {
        wall.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        cpu.push_back(1000.0 * static_cast<double>(std::clock() - started) / CLOCKS_PER_SEC);
    }
    static double median(std::vector<double> values)
    {
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    }
    QString text() const
    {
        const auto [low, high] = std::minmax_element(wall.begin(), wall.end());
        return QStringLiteral("median %1 ms (%2–%3), processor time %4 ms")
            .arg(median(wall), 0, 'f', 1)
            .arg(*low, 0, 'f', 1)
            .arg(*high, 0, 'f', 1)
            .arg(median(cpu), 0, 'f', 1);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10000;
    QTemporaryDir dir;
    if (!dir.isValid() || count <= 0)
        return 1;
    Record::Recorder recorder(dir.filePath(QStringLiteral("velmora.sqlite")));
    qint64 written = 0;
    QObject::connect(&recorder, &Record::Recorder::stored, &app,
                     [&written](int n) { written += n; });
    for (int i = 0; i < count; ++i) {
        recorder.record(sample(i, count));
        if (i % 100 == 99)
            QCoreApplication::processEvents();
    }
    while (written < count)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);

    if (QCoreApplication::arguments().contains(QStringLiteral("--show"))) {
        Progress::ProgressLinks links;
        links.read = [&recorder] {
            return recorder.readAll();
        };
        Progress::ProgressWindow window(std::move(links));
        window.show();
        return QApplication::exec();
    }

    constexpr int Runs = 7;
    Timing reading, statistics, opening;
    for (int run = 0; run < Runs; ++run) {
        reading.start();
        const auto all = recorder.readAll();
        reading.stop();
        if (!all || all->size() != count) {
            out << "reading failed\n";
            return 1;
        }
        statistics.start();
        const auto shares = Progress::weeklyShares(*all);
        const auto causes = Progress::frequentCauses(*all, QDateTime::currentDateTimeUtc());
        for (const Core::TaskKind kind : Progress::Kinds)
            Progress::medianSeconds(*all, kind);
        statistics.stop();
        if (shares.isEmpty() || causes.isEmpty())
            return 1;

        Progress::ProgressLinks links;
        links.read = [&recorder] {
            return recorder.readAll();
        };
        opening.start();
        Progress::ProgressWindow window(std::move(links));
        window.show();
        QCoreApplication::processEvents();
        window.repaint();
        opening.stop();
    }
    out << count << " entries, " << Runs << " runs\n";
    out << "readAll():                      " << reading.text() << "\n";
    out << "statistics (weeks, causes, medians): " << statistics.text() << "\n";
    out << "window opened, shown, painted:  " << opening.text() << "\n";
    return 0;
}
