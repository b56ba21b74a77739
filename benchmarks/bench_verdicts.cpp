#include "tests/support/verdicts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QTextStream>

// The catalogue of wrong answers over the first tasks of each kind:
//   bench_verdicts [count]     (20 000 by default)
// prints, for both kinds and both ways of working (taken over with the task,
// typed in free), how many calculations and answers were judged and how many
// verdicts were false.
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 20'000;
    QTextStream out(stdout);
    bool clean = true;
    for (const bool solar : {false, true}) {
        for (const Verdicts::Mode mode : {Verdicts::Mode::SolarTask, Verdicts::Mode::Free}) {
            QElapsedTimer timer;
            timer.start();
            const Verdicts::Tally tally = solar ? Verdicts::solarCatalogue(1, count, mode)
                                                : Verdicts::rectificationCatalogue(1, count, mode);
            out << (solar ? "Solar" : "Rektifikation") << ", "
                << (mode == Verdicts::Mode::SolarTask ? "mit Aufgabe" : "frei") << " ("
                << timer.elapsed() / 1000 << " s): " << tally.report() << '\n';
            for (auto it = tally.bySlip.cbegin(); it != tally.bySlip.cend(); ++it)
                out << "    " << it.key() << ": " << it.value() << '\n';
            out.flush();
            clean = clean && tally.clean();
        }
    }
    return clean ? 0 : 1;
}
