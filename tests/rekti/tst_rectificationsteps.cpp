#include "core/numbers.h"
#include "rekti/rectificationsteps.h"

#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;

// The eight rectification steps on typed values: the worked example step by
// step, the corrections of sign and circle, the limits and the messages.
class tst_RectificationSteps : public QObject {
    Q_OBJECT

public:
    enum class Step {
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
        Row,
    };
    Q_ENUM(Step)

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void steps_data();
    void steps();
};

namespace {

Sexagesimal value(const QString &text)
{
    const QStringList p = text.split(u'|');
    return Sexagesimal::read({p.value(0), p.value(1), p.value(2)});
}

template <typename T, typename Show> QString answer(const StepResult<T> &r, Show show)
{
    return r.ok() ? QString(show(r.value())) : QString(u'!' + r.message());
}

QString triple(const SexagesimalTriple &t)
{
    const FieldTexts f = TripleToFields(t);
    return f[0] + u'|' + f[1] + u'|' + f[2];
}

} // namespace

void tst_RectificationSteps::steps_data()
{
    QTest::addColumn<Step>("step");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<double>("number");  // the correction or the number a step takes
    QTest::addColumn<QString>("result"); // "!" and the message
    const auto row = [](const char *tag, Step step, const char16_t *first, const char16_t *second,
                        double number, const char16_t *result) {
        QTest::newRow(tag) << step << QString::fromUtf16(first) << QString::fromUtf16(second)
                           << number << QString::fromUtf16(result);
    };
    using S = Step;
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
    row("row", S::Row, u"0|-3|-26", u"", 0, u"Rektifikation|Heirat|0h-3m-26s");

    // Years rounded half to even, days not: 73 days are 0.2 years.
    row("2.5 y count 2", S::DecimalYears, u"2.5|73", u"", 0, u"2,2");
    row("3.5 y count 4", S::DecimalYears, u"3.5|73", u"", 0, u"4,2");
    row("days beyond a double", S::DecimalYears, u"1|1E400", u"", 0, u"!Überlauf!");
    row("one year", S::DirectionArc, u"", u"", 1, u"0|59|8");
    row("arc beyond 16 bits", S::DirectionArc, u"", u"", 1e6, u"!Überlauf!");
    row("exactly a day keeps -0h", S::EventSiderealTime, u"22|0|0", u"2|0|0", 0, u"24|0|0 -0h");
    row("a second over", S::EventSiderealTime, u"22|0|1", u"2|0|0", 0, u"24|0|1 -24h");
    row("sum beyond 32 bits", S::EventSiderealTime, u"596523", u"1", 0, u"!Überlauf!");
    row("a day too much", S::WithinDay, u"21|0|30", u"", -24, u"!Wert darf nicht negativ sein!");
    row("0 h passes", S::WithinDay, u"24|0|0", u"", -24, u"0|0|0");
    row("smaller - greater", S::TableDifference, u"14|18|30", u"15|20|0", 0, u"1|1|30");
    row("sign change +30", S::TableDifference, u"1|10|0", u"29|5|0", 30, u"2|5|0");
    row("sign change -30", S::TableDifference, u"29|5|0", u"1|10|0", -30, u"2|5|0");
    row("30°59'59'' passes", S::TableDifference, u"30|59|59", u"0|0|0", 0, u"30|59|59");
    row("31°", S::TableDifference, u"31|0|0", u"1|0|0", 0, u"!Winkel ungültig!");
    row("60 minutes", S::TableDifference, u"1|0|0", u"0|60|0", 0, u"!Winkel ungültig!");
    row("-2^31 has no opposite", S::TableDifference, u"-596523|-14|-8", u"0|0|0", 0, u"!Überlauf!");
    row("quotient 1", S::Interpolation, u"30|59|59", u"30|59|59", 0, u"1|0|0");
    row("31° numerator", S::Interpolation, u"31|0|0", u"30|59|59", 0, u"!Winkel ungültig!");
    row("zero divides first", S::Interpolation, u"31|0|0", u"0|0|0", 0, u"!Nulldivision!");
    row("RAMC 360", S::RamcPlusQuotient, u"0|30|0", u"", 360, u"360|30|0");
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
    row("360° is 24 h", S::RamcInTime, u"360|0|0", u"", 0, u"24|0|0");
    row("beyond a double", S::BirthTimeCorrection, u"1E400", u"", 0, u"!Überlauf!");
}

void tst_RectificationSteps::steps()
{
    using namespace Rectification;
    QFETCH(Step, step);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(double, number);
    QFETCH(QString, result);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const Sexagesimal a = value(first);
    const Sexagesimal b = value(second);
    QString got;
    switch (step) {
    case Step::DecimalYears:
        got = answer(decimalYears({a.units, a.minutes}), PlainNumber);
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
    case Step::Row:
        got = answer(resultRow(u"Heirat"_s, a), [](const ResultRow &r) -> QString {
            return r.column1 + u'|' + r.column2 + u'|' + r.column3;
        });
        break;
    }
    QCOMPARE(got, result);
}

QTEST_GUILESS_MAIN(tst_RectificationSteps)
#include "tst_rectificationsteps.moc"
