#include "tests/support/siderealverdicts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QTextStream>

// The catalogue of wrong answers of the sidereal time of birth:
//   bench_siderealverdicts [count] [seed]     (20 000 births, seed 1, by default)
// prints how many calculations were judged, how many verdicts were false, and
// the calculations of each slip.
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 20'000;
    const quint64 seed = argc > 2 ? QString::fromLocal8Bit(argv[2]).toULongLong() : 1;
    QElapsedTimer timer;
    timer.start();
    const SiderealVerdicts::Tally tally = SiderealVerdicts::siderealCatalogue(seed, count);
    QTextStream out(stdout);
    out << "Sternzeit (" << timer.elapsed() / 1000 << " s): " << tally.report() << '\n';
    for (auto it = tally.bySlip.cbegin(); it != tally.bySlip.cend(); ++it)
        out << "    " << it.key() << ": " << it.value() << '\n';
    return tally.clean() ? 0 : 1;
}
