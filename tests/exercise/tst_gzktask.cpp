#include "astro/zodiac.h"
#include "exercise/gzktask.h"

#include <QElapsedTimer>
#include <QTest>

#include <cmath>

using namespace Exercise;

class tst_GzkTask : public QObject {
    Q_OBJECT

private slots:
    void numbersOutsideTheRangeGiveNothing_data();
    void numbersOutsideTheRangeGiveNothing();
    void ageAt_data();
    void ageAt();
    void tasksOneToFiveHundred();
};

void tst_GzkTask::numbersOutsideTheRangeGiveNothing_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("given");
    QTest::newRow("0") << 0 << false;
    QTest::newRow("-1") << -1 << false;
    QTest::newRow("1 000 000") << 1'000'000 << false;
    QTest::newRow("1") << 1 << true;
    QTest::newRow("999 999") << 999'999 << true;
}

void tst_GzkTask::numbersOutsideTheRangeGiveNothing()
{
    QFETCH(int, number);
    QFETCH(bool, given);
    QCOMPARE(makeGzkTask(number).has_value(), given);
}

void tst_GzkTask::ageAt_data()
{
    QTest::addColumn<QDate>("birth");
    QTest::addColumn<QDate>("event");
    QTest::addColumn<double>("years");
    QTest::addColumn<double>("days");
    QTest::newRow("on the birthday") << QDate(1975, 11, 7) << QDate(2010, 11, 7) << 35.0 << 0.0;
    QTest::newRow("the day before") << QDate(1975, 11, 7) << QDate(2010, 11, 6) << 34.0 << 364.0;
    QTest::newRow("across a leap day") << QDate(1975, 11, 7) << QDate(2012, 3, 7) << 36.0 << 121.0;
    QTest::newRow("29 Feb, common year, 28 Feb")
        << QDate(1960, 2, 29) << QDate(1999, 2, 28) << 38.0 << 364.0;
    QTest::newRow("29 Feb, common year, 1 Mar")
        << QDate(1960, 2, 29) << QDate(1999, 3, 1) << 39.0 << 0.0;
    QTest::newRow("29 Feb, leap year") << QDate(1960, 2, 29) << QDate(2000, 3, 1) << 40.0 << 1.0;
    QTest::newRow("after a leap year's birthday")
        << QDate(1970, 3, 10) << QDate(2012, 3, 9) << 41.0 << 365.0;
}

void tst_GzkTask::ageAt()
{
    QFETCH(QDate, birth);
    QFETCH(QDate, event);
    QFETCH(double, years);
    QFETCH(double, days);
    const Rectification::Age age = Exercise::ageAt(birth, event);
    QCOMPARE(age.years, years);
    QCOMPARE(age.days, days);
}

void tst_GzkTask::tasksOneToFiveHundred()
{
    QElapsedTimer timer;
    timer.start();
    int signChanges = 0;
    double worst = 0;
    for (int number = 1; number <= 500; ++number) {
        const std::optional<GzkTask> made = makeGzkTask(number);
        QVERIFY(made);
        const GzkTask &task = *made;
        const QString where = QStringLiteral("task ") + QString::number(number);
        // The page: seven rows 4 minutes apart, each the formulas rounded to the minute.
        QCOMPARE(task.page.size(), 7);
        for (qsizetype i = 0; i < task.page.size(); ++i) {
            const HouseTableRow &row = task.page.at(i);
            if (i > 0)
                QCOMPARE(row.ramc, (task.page.at(i - 1).ramc + 1) % 360);
            const double mc = Astro::MidheavenLongitude(row.ramc, task.obliquity) * 60;
            const double ac =
                Astro::AscendantLongitude(row.ramc, task.obliquity, task.latitude()) * 60;
            // 359°59'40'' is printed as 0°00'.
            QVERIFY2(row.mc % 60 == 0 && std::abs(std::remainder(row.mc / 60 - mc, 21600)) <= 0.5,
                     qPrintable(where));
            QVERIFY2(row.ac % 60 == 0 && std::abs(std::remainder(row.ac / 60 - ac, 21600)) <= 0.5,
                     qPrintable(where));
        }
        // The planet lies inside the values of the two rows with 30'' to spare.
        const qint32 smaller = task.page.at(task.hand.smallerRow).value(task.axis);
        const qint32 greater = task.page.at(task.hand.smallerRow + 1).value(task.axis);
        QVERIFY2(Astro::ArcAhead(task.aspectPoint, smaller) >= 30, qPrintable(where));
        QVERIFY2(Astro::ArcAhead(greater, task.aspectPoint) >= 30, qPrintable(where));
        if (smaller / Astro::ArcSecondsPerSign != greater / Astro::ArcSecondsPerSign)
            ++signChanges;
        QCOMPARE(task.planetPosition % Astro::ArcSecondsPerSign,
                 task.aspectPoint % Astro::ArcSecondsPerSign);
        QVERIFY(std::abs(task.trueOffset) >= 20 && std::abs(task.trueOffset) <= 230);

        // The exact correction finds the true birth again, and the hand
        // result lies near it.
        const GzkExact exact = exactCorrection(task);
        QVERIFY2(std::abs(exact.civilSeconds - task.trueOffset) < 0.5,
                 qPrintable(where + u' ' + QString::number(exact.civilSeconds)));
        const double off = std::abs(correctionSeconds(task.hand) - exact.civilSeconds);
        worst = std::max(worst, off);
        QVERIFY2(off <= 30, qPrintable(where + u' ' + QString::number(off)));
    }
    QCOMPARE(signChanges, 250);
    qInfo("500 tasks in %lld ms; the hand result at most %.1f s from the exact one",
          timer.elapsed(), worst);
}

QTEST_GUILESS_MAIN(tst_GzkTask)
#include "tst_gzktask.moc"
