#include "tests/support/verdicts.h"

#include <QLocale>
#include <QTest>

using namespace Verdicts;

// A sample of the catalogue of wrong answers: every slip on the first tasks
// of each kind, worked as taken over and as a free calculation. The first
// 20 000 of each are counted by bench_verdicts.
class tst_Verdicts : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void catalogue_data()
    {
        QTest::addColumn<bool>("solar");
        QTest::addColumn<bool>("free");
        QTest::newRow("Rektifikation, Aufgabe") << false << false;
        QTest::newRow("Rektifikation, frei") << false << true;
        QTest::newRow("Solar, Aufgabe") << true << false;
        QTest::newRow("Solar, frei") << true << true;
    }

    void catalogue()
    {
        QFETCH(bool, solar);
        QFETCH(bool, free);
        const Mode mode = free ? Mode::Free : Mode::SolarTask;
        const Tally tally =
            solar ? solarCatalogue(1, 60, mode) : rectificationCatalogue(1, 60, mode);
        QVERIFY2(tally.clean(), qPrintable(tally.report()));
        QVERIFY(tally.cases > 60 * 15);
    }
};

QTEST_GUILESS_MAIN(tst_Verdicts)
#include "tst_verdicts.moc"
