#include "tests/support/siderealverdicts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QTextStream>

// The catalogue of wrong answers of the sidereal time of birth:
//   bench_siderealverdicts [count] [seed] [tasks]
// (20 000 births, seed 1, and the generated tasks 1 to 5 000 by default)
// prints how many calculations were judged, how many verdicts were false, and
// the calculations of each slip; the tasks are judged by the check, the sheet
// and the exercise page.
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 20'000;
    const quint64 seed = argc > 2 ? QString::fromLocal8Bit(argv[2]).toULongLong() : 1;
    const int tasks = argc > 3 ? QString::fromLocal8Bit(argv[3]).toInt() : 5'000;
    QElapsedTimer timer;
    timer.start();
    const SiderealVerdicts::Tally tally = SiderealVerdicts::siderealCatalogue(seed, count);
    QTextStream out(stdout);
    out << "Sternzeit (" << timer.elapsed() / 1000 << " s): " << tally.report() << '\n';
    for (auto it = tally.bySlip.cbegin(); it != tally.bySlip.cend(); ++it)
        out << "    " << it.key() << ": " << it.value() << '\n';
    timer.restart();
    const SiderealVerdicts::Tally onTasks = SiderealVerdicts::siderealTaskCatalogue(1, tasks);
    out << "Sternzeit-Aufgaben (" << timer.elapsed() / 1000 << " s): " << onTasks.report() << '\n';
    for (auto it = onTasks.bySlip.cbegin(); it != onTasks.bySlip.cend(); ++it)
        out << "    " << it.key() << ": " << it.value() << '\n';
    return tally.clean() && onTasks.clean() ? 0 : 1;
}
