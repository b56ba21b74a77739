// How long the exact Sun, Moon and planets cost: generated exercises compute
// thousands of positions. Prints microseconds per apparent longitude of the
// Sun, per passage of the Sun through a longitude, per exact Solar return
// (with its two ephemeris days) and per apparent longitude of each of the
// Moon and the planets, each the median of five rounds.

#include "astro/planets.h"
#include "astro/solarreturn.h"
#include "astro/sun.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimeZone>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

template <typename Work> double medianMicroseconds(int count, Work work)
{
    std::vector<double> rounds;
    for (int round = 0; round < 5; ++round) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < count; ++i)
            work(i);
        rounds.push_back(static_cast<double>(timer.nsecsElapsed()) / 1000.0 / count);
    }
    std::sort(rounds.begin(), rounds.end());
    return rounds[2];
}

volatile double sink = 0;

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QDateTime start(QDate(2000, 1, 1), QTime(0, 0), QTimeZone::utc());

    const double longitude = medianMicroseconds(2000, [&](int i) {
        sink = sink + Astro::apparentSolarLongitude(start.addSecs(qint64(i) * 37'000));
    });
    const double passage = medianMicroseconds(200, [&](int i) {
        sink =
            sink + static_cast<double>(
                       Astro::sunReachesLongitude(i * 1.8, start.addDays(i)).toMSecsSinceEpoch());
    });
    const double solar = medianMicroseconds(200, [&](int i) {
        const auto s = Astro::solveSolarReturn(i * 6480, 2000 + i % 100, 1 + i % 28, 1 + i % 12);
        sink = sink + static_cast<double>(s ? s->position1 : 0);
    });

    std::printf("apparent longitude   %8.1f us\n", longitude);
    std::printf("passage (crossing)   %8.1f us\n", passage);
    std::printf("exact Solar return   %8.1f us\n", solar);

    for (const Astro::Body body : Astro::AllBodies) {
        const double planet = medianMicroseconds(2000, [&](int i) {
            sink = sink + Astro::apparentLongitude(body, start.addSecs(qint64(i) * 37'000)).value();
        });
        std::printf("%-20s %8.1f us\n", qPrintable(Astro::bodyName(body)), planet);
    }
    return 0;
}
