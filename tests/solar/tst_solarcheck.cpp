#include "solar/solarcheck.h"

#include <QTest>

using namespace Qt::StringLiterals;
using SolarCheck::ClockTime;
using SolarCheck::HandCalculation;

Q_DECLARE_METATYPE(HandCalculation)

namespace {

// Radix Sun Krebs 14°22'30'', born 6 July, Solar 2024. The ephemeris gives
// 13°28'35'' for 5 July and 14°25'49'' for 6 July 2024 at 0h UT; the hand
// method makes 22h36m33s Greenwich time of them, the Sun arrives at 22h36m29s.
HandCalculation worked()
{
    HandCalculation h;
    h.sign = u"Krebs"_s;
    h.year = u"2024"_s;
    h.birthDay = u"6"_s;
    h.birthMonth = u"7"_s;
    h.radix = {14, 22, 30};
    h.sunDate1 = {13, 28, 35};
    h.sunDate2 = {14, 25, 49};
    h.greenwichTime = ClockTime{22, 36, 33};
    h.zoneHours = 1;
    h.finalTime = ClockTime{23, 36, 33};
    h.solarDate = {u"5"_s, u"7"_s, u"2024"_s};
    return h;
}

template <typename Change> HandCalculation worked(Change change)
{
    HandCalculation h = worked();
    change(h);
    return h;
}

} // namespace

class tst_SolarCheck : public QObject {
    Q_OBJECT

private slots:
    void compare_data();
    void compare();
    void refused_data();
    void refused();
};

void tst_SolarCheck::compare_data()
{
    QTest::addColumn<HandCalculation>("hand");
    QTest::addColumn<QStringList>("handColumn"); // empty: not looked at
    QTest::addColumn<QStringList>("deviations");
    QTest::addColumn<QString>("finding"); // a part of it
    QTest::addColumn<QString>("notInFinding");

    const QString dash = u"\u2014"_s;
    QTest::newRow("right") << worked()
                           << QStringList{u"Krebs 13°28'35''"_s, u"Krebs 14°25'49''"_s,
                                          u"22h36m33s"_s, u"23h36m33s"_s, u"05.07.2024"_s}
                           << QStringList{u"0''"_s, u"0''"_s, u"+4 s"_s, u"+4 s"_s, QString()}
                           << u"Ihre Rechnung ist richtig. Die Abweichung von +4 s kommt daher"_s
                           << u"Lesefehler"_s;
    QTest::newRow("minutes and seconds swapped on date 1")
        << worked([](HandCalculation &h) {
               h.sunDate1 = {13, 35, 28};
           })
        << QStringList() << QStringList{u"+413''"_s, u"0''"_s, u"+4 s"_s, u"+4 s"_s, QString()}
        << u"Der Sonnenstand des 1. Datums weicht um +413'' vom genauen Wert ab: Schlagen Sie in "
           "den Ephemeriden den 05.07.2024 (0h UT) nach."_s
        << u"richtig"_s;
    // An ephemeris for 0h ET is 3'' behind: no misreading, and the hand time
    // from such positions is right for them although more than a minute late.
    QTest::newRow("ephemeris for 0h ET")
        << worked([](HandCalculation &h) {
               h.sunDate1 = {13, 28, 32};
               h.sunDate2 = {14, 25, 46};
               h.greenwichTime = ClockTime{22, 37, 57};
               h.finalTime = ClockTime{23, 37, 57};
           })
        << QStringList() << QStringList{u"-3''"_s, u"-3''"_s, u"+88 s"_s, u"+88 s"_s, QString()}
        << u"Ihre Rechnung damit ist richtig. Die Abweichung der Uhrzeit von +88 s"_s
        << u"Schritte 2 bis 5"_s;
    QTest::newRow("arithmetic slip in step 4")
        << worked([](HandCalculation &h) {
               h.greenwichTime = ClockTime{22, 46, 33};
               h.finalTime.reset();
               h.solarDate = {};
           })
        << QStringList{u"Krebs 13°28'35''"_s, u"Krebs 14°25'49''"_s, u"22h46m33s"_s, dash, dash}
        << QStringList{u"0''"_s, u"0''"_s, u"+604 s"_s, QString(), QString()}
        << u"Die Sonnenstände stimmen, aber die Uhrzeit weicht um +604 s von der genauen ab. "
           "Prüfen Sie die Schritte 2 bis 5."_s
        << u"richtig"_s;
    QTest::newRow("Solar dated a day late") << worked([](HandCalculation &h) {
        h.solarDate = {u"6"_s, u"7"_s, u"2024"_s};
    }) << QStringList() << QStringList{u"0''"_s, u"0''"_s, u"+4 s"_s, u"+86404 s"_s, QString()}
                                            << u"Schritte 2 bis 5"_s << u"richtig"_s;
    QTest::newRow("zone +2 carries the Solar past midnight")
        << worked([](HandCalculation &h) {
               h.zoneHours = 2;
               h.finalTime = ClockTime{0, 36, 33};
               h.solarDate = {u"06"_s, u"07"_s, u"2024"_s};
           })
        << QStringList{u"Krebs 13°28'35''"_s, u"Krebs 14°25'49''"_s, u"22h36m33s"_s, u"0h36m33s"_s,
                       u"06.07.2024"_s}
        << QStringList{u"0''"_s, u"0''"_s, u"+4 s"_s, u"+4 s"_s, QString()}
        << u"Ihre Rechnung ist richtig"_s << QString();
    // Widder 14°22'30'' is reached in April, three months from a July birthday.
    QTest::newRow("radix far from the birthday")
        << worked([](HandCalculation &h) { h.sign = u"widder"_s; }) << QStringList()
        << QStringList()
        << u"Bitte prüfen Sie das Tierkreiszeichen, die Radix-Sonnenposition und das "
           "Geburtsdatum."_s
        << u"Sonnenstand des"_s;
    // Date 1 at the end of the sign before the radix: Krebs 0°10'00'' in 2024.
    QTest::newRow("date 1 in the sign before") << worked([](HandCalculation &h) {
        h.radix = {0, 10, 0};
        h.sunDate1 = {29, 35, 0};
        h.greenwichTime.reset();
        h.finalTime.reset();
    }) << QStringList() << QStringList() << u"Zwillinge 29°35'00''"_s
                                               << QString();
}

void tst_SolarCheck::compare()
{
    QFETCH(HandCalculation, hand);
    QFETCH(QStringList, handColumn);
    QFETCH(QStringList, deviations);
    QFETCH(QString, finding);
    QFETCH(QString, notInFinding);

    const auto result = SolarCheck::Compare(hand);
    QVERIFY2(result.ok(), qPrintable(result.message()));
    const SolarCheck::Comparison &c = result.value();
    QStringList handTexts, offs;
    for (const SolarCheck::Row &row : c.rows) {
        handTexts << row.hand;
        offs << row.deviation;
    }
    if (!handColumn.isEmpty())
        QCOMPARE(handTexts, handColumn);
    if (!deviations.isEmpty())
        QCOMPARE(offs, deviations);
    const QString all = c.finding + u' ' + handTexts.join(u' ');
    QVERIFY2(all.contains(finding), qPrintable(c.finding));
    if (!notInFinding.isEmpty())
        QVERIFY2(!c.finding.contains(notInFinding), qPrintable(c.finding));
}

void tst_SolarCheck::refused_data()
{
    QTest::addColumn<HandCalculation>("hand");
    QTest::addColumn<QString>("message");

    QTest::newRow("nothing given") << worked([](HandCalculation &h) {
        h.sign = h.year = h.birthDay = h.birthMonth = QString();
    }) << u"Für die Kontrolle fehlen: Tierkreis, Solar für das Jahr, Geburtsdatum."_s;
    QTest::newRow("no day in the birth date") << worked([](HandCalculation &h) {
        h.birthDay = u"31"_s;
        h.birthMonth = u"2"_s;
    }) << u"Für die Kontrolle fehlen: Geburtsdatum."_s;
    QTest::newRow("year no number") << worked([](HandCalculation &h) { h.year = u"abc"_s; })
                                    << u"Das Solarjahr muss zwischen 1900 und 2100 liegen."_s;
}

void tst_SolarCheck::refused()
{
    QFETCH(HandCalculation, hand);
    QFETCH(QString, message);
    const auto result = SolarCheck::Compare(hand);
    QVERIFY(!result.ok());
    QCOMPARE(result.message(), message);
}

QTEST_MAIN(tst_SolarCheck)
#include "tst_solarcheck.moc"
