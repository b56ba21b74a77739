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
        if (!solar)
            return;
        // The sample holds Solars abroad, with "+24h" and "-24h", and across a
        // sign with the radix in either sign: each of their slips is judged.
        QCOMPARE(tally.abroad, 12);
        QCOMPARE(tally.acrossSign, 6);
        for (const char16_t *slip :
             {u"+24h vergessen", u"-24h vergessen", u"Tageskorrektur falsch herum",
              u"Zeitzone +1 statt der des Wohnorts", u"30° in A vergessen", u"30° in B vergessen",
              u"30° in A und B vergessen", u"30° auch zu B", u"nur A in Schritt 4 eingetragen",
              u"richtig, Schritt 2 vorher mit einem anderen Paar"})
            QVERIFY2(tally.bySlip.value(QString::fromUtf16(slip)) > 0,
                     qPrintable(QString::fromUtf16(slip)));
    }
};

QTEST_GUILESS_MAIN(tst_Verdicts)
#include "tst_verdicts.moc"
