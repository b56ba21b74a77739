#include "core/numbers.h"
#include "rekti/rectificationsteps.h"
#include "solar/solarsteps.h"

#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace Core;

// The steps of both calculators on typed values: the worked examples step by
// step, the limits, the corrections, the messages and the overflows.
class tst_Steps : public QObject {
    Q_OBJECT

public:
    enum class Step {
        SunMotion,
        DistanceToRadix,
        GreenwichTime,
        ZoneTime,
        FinalTime,
        SolarRow,
        DecimalYears,
        DirectionArc,
        ArcInTime,
        EventSiderealTime,
        WithinDay,
        TableDifference,
        Interpolation,
        RamcPlusQuotient,
        CorrectedRamc,
        RamcInTime,
        BirthTimeCorrection,
        RectificationRow,
    };
    Q_ENUM(Step)

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void steps_data();
    void steps();
};

namespace {

// "13|50|10" as three typed fields, read as the step's form reads them.
Sexagesimal value(const QString &text, tst_Steps::Step step = {})
{
    const QStringList p = text.split(u'|');
    const FieldTexts fields{p.value(0), p.value(1), p.value(2)};
    const bool written = step == tst_Steps::Step::ZoneTime || step == tst_Steps::Step::FinalTime;
    return written ? Sexagesimal::readWithRegionalPoint(fields) : Sexagesimal::read(fields);
}

template <typename T, typename Show> QString answer(const StepResult<T> &r, Show show)
{
    return r.ok() ? QString(show(r.value())) : QString(u'!' + r.message());
}

QString joined(const FieldTexts &t)
{
    return t[0] + u'|' + t[1] + u'|' + t[2];
}

QString triple(const SexagesimalTriple &t)
{
    return joined(tripleToFields(t));
}

QString plain(const Sexagesimal &t)
{
    return joined(t.plainTexts());
}

QString row(const ResultRow &r)
{
    return r.column1 + u'|' + r.column2 + u'|' + r.column3;
}

} // namespace

void tst_Steps::steps_data()
{
    QTest::addColumn<Step>("step");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<double>("number");  // the zone, shift, correction or number a step takes
    QTest::addColumn<QString>("result"); // "!" and the message
    QTest::addColumn<bool>("english");   // else German regional settings
    const auto row = [](const char *tag, Step step, const char16_t *first, const char16_t *second,
                        double number, const char16_t *result, bool english = false) {
        QTest::newRow(tag) << step << QString::fromUtf16(first) << QString::fromUtf16(second)
                           << number << QString::fromUtf16(result) << english;
    };
    using S = Step;
    // The worked example: radix 14°22'30'', date 1 13°50'10'', date 2 14°47'25''.
    row("example A", S::SunMotion, u"13|50|10", u"14|47|25", 0, u"0|57|15");
    row("example B", S::DistanceToRadix, u"14|22|30", u"13|50|10", 0, u"0|32|20");
    row("example Greenwich", S::GreenwichTime, u"0|57|15", u"0|32|20", 0, u"13|33|17");
    row("example zone", S::ZoneTime, u"13|33|17", u"", 1, u"14|33|17");
    row("example row", S::SolarRow, u"5|7|2024", u"14|33|17", 0, u"Solar|5.7.2024|14h33m17s");

    row("A 3900 passes", S::SunMotion, u"12|0|0", u"13|5|0", 0, u"1|5|0");
    row("A 3901", S::SunMotion, u"12|0|0", u"13|5|1", 0,
        u"!Differenz zu groß, sie darf maximal 1°05' betragen.");
    row("across the sign", S::SunMotion, u"29|40|0", u"0|41|0", 0,
        u"!1. Datum größer als 2. Datum!");
    row("A beyond 32 bits", S::SunMotion, u"0|0|0", u"999999|0|0", 0, u"!Überlauf!");
    row("B 3901", S::DistanceToRadix, u"14|5|1", u"13|0|0", 0,
        u"!Differenz zu groß, sie darf maximal 1°05' betragen.");
    row("radix before date 1", S::DistanceToRadix, u"13|50|9", u"13|50|10", 0,
        u"!1. Datum größer als Radix-Sonnenposition");
    row("B beyond A", S::GreenwichTime, u"0|58|20", u"1|0|0", 0, u"24|41|9");
    row("negative B", S::GreenwichTime, u"1|0|0", u"0|-1|0", 0, u"0|-24|0");
    row("negative B carries", S::GreenwichTime, u"0|50|1", u"0|0|-25", 0, u"0|-12|0");
    row("A 0 divides", S::GreenwichTime, u"0|0|0", u"0|32|20", 0, u"!Nulldivision!");
    row("32767 h", S::GreenwichTime, u"0|0|24", u"0|0|32767", 0, u"32767|0|0");
    row("32768 h", S::GreenwichTime, u"0|0|24", u"0|0|32768", 0, u"!Überlauf!");
    row("plain texts", S::ZoneTime, u"13|05|", u"", 0, u"13|5|0");
    row("fraction, German", S::ZoneTime, u"13.5|0|0", u"", 1, u"14,5|0|0");
    row("fraction, English", S::ZoneTime, u"13.5|0|0", u"", 1, u"14.5|0|0", true);
    // Step 5 reads back the fractions it wrote; under English settings a comma
    // ends the number.
    row("written fraction, German", S::ZoneTime, u"13,5|1,5|0,5", u"", 1, u"14,5|1,5|0,5");
    row("comma, English", S::ZoneTime, u"13,5|1,5|0", u"", 1, u"14|1|0", true);
    row("final fraction, German", S::FinalTime, u"14,5|1,5|0", u"", 0, u"14,5|1,5|0");
    row("final comma, English", S::FinalTime, u"14,5|1,5|0", u"", 0, u"14|1|0", true);
    row("24,5 h", S::FinalTime, u"24,5|0|0", u"", 0, u"!Maximimal 24 Stunden pro Tag");
    row("zone minutes beyond a double", S::ZoneTime, u"1|1E400", u"", 0, u"!Überlauf!");
    row("24 h passes", S::FinalTime, u"24|59|36", u"", 0, u"24|59|36");
    row("less a day", S::FinalTime, u"24|59|36", u"", -24, u"0|59|36");
    row("24.5 h", S::FinalTime, u"24.5|0|0", u"", 0, u"!Maximimal 24 Stunden pro Tag");
    row("below 0 h", S::FinalTime, u"-1|10|0", u"", 0, u"!Maximimal 24 Stunden pro Tag");
    row("hour beyond a double", S::FinalTime, u"1E400|0|0", u"", 0, u"!Überlauf!");
    row("date beyond a double", S::SolarRow, u"1E400|7|2024", u"1|2|3", 0, u"!Überlauf!");

    // The worked example of the hand method.
    row("years", S::DecimalYears, u"34|120", u"", 0, u"34,3287671232877");
    row("arc", S::DirectionArc, u"", u"", 34.3287671232877, u"33|49|58");
    row("arc in time", S::ArcInTime, u"33|49|58", u"", 0, u"2|15|20");
    row("event", S::EventSiderealTime, u"22|50|0", u"2|15|20", 0, u"25|5|20 -24h");
    row("within a day", S::WithinDay, u"25|5|20", u"", -24, u"1|5|20");
    row("table step", S::TableDifference, u"15|20|0", u"14|18|30", 0, u"1|1|30");
    row("towards planet", S::TableDifference, u"14|50|10", u"14|18|30", 0, u"0|31|40");
    row("1900/3690", S::Interpolation, u"0|31|40", u"1|1|30", 0, u"0|30|54");
    row("RAMC 123", S::RamcPlusQuotient, u"0|30|54", u"", 123, u"123|30|54");
    row("corrected", S::CorrectedRamc, u"123|30|54", u"33|49|58", 0, u"89|40|56");
    row("in time", S::RamcInTime, u"89|40|56", u"", 0, u"5|58|44");
    row("correction", S::BirthTimeCorrection, u"5|58|44", u"6|2|10", 0, u"0|-3|-26");
    row("row", S::RectificationRow, u"0|-3|-26", u"", 0, u"Rektifikation|Heirat|0h-3m-26s");

    // Years rounded half to even, days not: 73 days are 0.2 years.
    row("2.5 y count 2", S::DecimalYears, u"2.5|73", u"", 0, u"2,2");
    row("days beyond a double", S::DecimalYears, u"1|1E400", u"", 0, u"!Überlauf!");
    row("arc beyond 16 bits", S::DirectionArc, u"", u"", 1e6, u"!Überlauf!");
    row("exactly a day keeps -0h", S::EventSiderealTime, u"22|0|0", u"2|0|0", 0, u"24|0|0 -0h");
    row("a second over", S::EventSiderealTime, u"22|0|1", u"2|0|0", 0, u"24|0|1 -24h");
    row("sum beyond 32 bits", S::EventSiderealTime, u"596523", u"1", 0, u"!Überlauf!");
    row("a day too much", S::WithinDay, u"21|0|30", u"", -24, u"!Wert darf nicht negativ sein!");
    row("0 h passes", S::WithinDay, u"24|0|0", u"", -24, u"0|0|0");
    row("smaller - greater", S::TableDifference, u"14|18|30", u"15|20|0", 0, u"1|1|30");
    row("sign change +30", S::TableDifference, u"1|10|0", u"29|5|0", 30, u"2|5|0");
    row("30°59'59'' passes", S::TableDifference, u"30|59|59", u"0|0|0", 0, u"30|59|59");
    row("31°", S::TableDifference, u"31|0|0", u"1|0|0", 0, u"!Winkel ungültig!");
    row("60 minutes", S::TableDifference, u"1|0|0", u"0|60|0", 0, u"!Winkel ungültig!");
    row("-2^31 has no opposite", S::TableDifference, u"-596523|-14|-8", u"0|0|0", 0, u"!Überlauf!");
    row("31° numerator", S::Interpolation, u"31|0|0", u"30|59|59", 0, u"!Winkel ungültig!");
    row("zero divides first", S::Interpolation, u"31|0|0", u"0|0|0", 0, u"!Nulldivision!");
    row("RAMC 360.5 to even", S::RamcPlusQuotient, u"0|0|0", u"", 360.5, u"360|30|0");
    row("RAMC 361", S::RamcPlusQuotient, u"0|0|0", u"", 361, u"!RAMC ist maximal 360° möglich!");
    row("+360", S::CorrectedRamc, u"10|0|0", u"33|49|58", 360, u"336|10|2");
    row("- 360", S::CorrectedRamc, u"360|30|0", u"", -360, u"0|30|0");
    row("exactly 360°", S::CorrectedRamc, u"360|0|0", u"", 0, u"360|0|0");
    row("0° passes", S::CorrectedRamc, u"33|49|58", u"33|49|58", 0, u"0|0|0");
    row("one second over", S::CorrectedRamc, u"360|0|1", u"", 0,
        u"!Wert darf nicht negativ oder größer als 360 werden!");
    row("negative", S::CorrectedRamc, u"10|0|0", u"33|49|58", 0,
        u"!Wert darf nicht negativ oder größer als 360 werden!");
}

void tst_Steps::steps()
{
    using namespace Rectification;
    QFETCH(Step, step);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(double, number);
    QFETCH(QString, result);
    QFETCH(bool, english);
    QLocale::setDefault(english ? QLocale::c() : QLocale(QLocale::German, QLocale::Germany));
    const Sexagesimal a = value(first, step);
    const Sexagesimal b = value(second);
    const SexagesimalTriple radix{qint16(a.units), qint16(a.minutes), qint16(a.seconds)};
    QString got;
    switch (step) {
    case Step::SunMotion:
        got = answer(Solar::sunMotion(a, b), triple);
        break;
    case Step::DistanceToRadix:
        got = answer(Solar::distanceToRadix(radix, b), triple);
        break;
    case Step::GreenwichTime:
        got = answer(Solar::greenwichTime(a, b), triple);
        break;
    case Step::ZoneTime:
        got = answer(Solar::zoneTime(a, number), plain);
        break;
    case Step::FinalTime:
        got = answer(Solar::finalTime(a, number), plain);
        break;
    case Step::SolarRow:
        got = answer(Solar::resultRow(a, b), ::row);
        break;
    case Step::DecimalYears:
        got = answer(decimalYears({a.units, a.minutes}), plainNumber);
        break;
    case Step::DirectionArc:
        got = answer(directionArc(number), triple);
        break;
    case Step::ArcInTime:
        got = answer(arcInTime(a), triple);
        break;
    case Step::EventSiderealTime:
        got = answer(eventSiderealTime(a, b), [](const SiderealSum &sum) -> QString {
            return triple(sum.time) + (sum.beyondADay ? u" -24h"_s : u" -0h"_s);
        });
        break;
    case Step::WithinDay:
        got = answer(siderealTimeWithinDay(a, number), triple);
        break;
    case Step::TableDifference:
        got = answer(tableDifference(a, b, number), triple);
        break;
    case Step::Interpolation:
        got = answer(tableInterpolation(a, b), triple);
        break;
    case Step::RamcPlusQuotient:
        got = answer(ramcPlusQuotient(number, a), triple);
        break;
    case Step::CorrectedRamc:
        got = answer(correctedRamc(a, b, number), triple);
        break;
    case Step::RamcInTime:
        got = answer(ramcInTime(a), triple);
        break;
    case Step::BirthTimeCorrection:
        got = answer(birthTimeCorrection(a, b), triple);
        break;
    case Step::RectificationRow:
        got = answer(Rectification::resultRow(u"Heirat"_s, a), ::row);
        break;
    }
    QCOMPARE(got, result);
}

QTEST_GUILESS_MAIN(tst_Steps)
#include "tst_steps.moc"
