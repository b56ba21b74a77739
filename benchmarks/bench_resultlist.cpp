// Saves and restores a full result list (32 767 rows) in a temporary store and
// prints the times. The list is shown, as the main window shows it. Besides
// the wall-clock time the process's CPU time is given: on a machine that
// others share, it is the figure that does not grow with their load.
//
//     QT_QPA_PLATFORM=offscreen bench_resultlist [rounds]

#include "settings/store.h"
#include "ui/resultlist.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <ctime>

using namespace Core;
using namespace Gui;

namespace {

qint64 cpuMilliseconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<qint64>(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

struct Times {
    qint64 wall = -1;
    qint64 cpu = -1;

    void keepBest(qint64 w, qint64 c)
    {
        wall = wall < 0 ? w : std::min(wall, w);
        cpu = cpu < 0 ? c : std::min(cpu, c);
    }
};

ResultRow rowNumber(int i)
{
    return {i % 2 ? QStringLiteral("Solar") : QStringLiteral("Rektifikation"),
            QString::number(i % 28 + 1) + QStringLiteral(".7.") + QString::number(1900 + i % 200),
            QString::number(i % 24) + u'h' + QString::number(i % 60) + u'm' +
                QString::number((i * 7) % 60) + u's'};
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 3;

    Times bestSave;
    Times bestRestore;
    for (int round = 0; round < rounds; ++round) {
        QTemporaryDir dir;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());

        QTreeView view;
        ResultList list(&view);
        QList<ResultRow> rows;
        for (int i = 1; i <= ResultList::MaxRows; ++i)
            rows.append(rowNumber(i));
        list.appendRows(rows);
        view.show();
        QApplication::processEvents();

        QElapsedTimer timer;
        timer.start();
        qint64 cpu = cpuMilliseconds();
        Store::saveResultList(list);
        const qint64 save = timer.elapsed();
        const qint64 saveCpu = cpuMilliseconds() - cpu;

        QTreeView otherView;
        otherView.show();
        ResultList restored(&otherView);
        QApplication::processEvents();
        timer.restart();
        cpu = cpuMilliseconds();
        Store::restoreResultList(restored);
        QApplication::processEvents();
        const qint64 restore = timer.elapsed();
        const qint64 restoreCpu = cpuMilliseconds() - cpu;

        if (restored.rowCount() != ResultList::MaxRows ||
            restored.row(ResultList::MaxRows) != rowNumber(ResultList::MaxRows)) {
            std::fputs("restored list differs from the saved one\n", stderr);
            return 1;
        }
        std::printf("round %d: save %lld ms (cpu %lld ms), restore %lld ms (cpu %lld ms)\n",
                    round + 1, static_cast<long long>(save), static_cast<long long>(saveCpu),
                    static_cast<long long>(restore), static_cast<long long>(restoreCpu));
        bestSave.keepBest(save, saveCpu);
        bestRestore.keepBest(restore, restoreCpu);
    }
    std::printf(
        "best of %d, 32767 rows: save %lld ms (cpu %lld ms), restore %lld ms (cpu %lld ms)\n",
        rounds, static_cast<long long>(bestSave.wall), static_cast<long long>(bestSave.cpu),
        static_cast<long long>(bestRestore.wall), static_cast<long long>(bestRestore.cpu));
    return 0;
}
