#include "core/numbers.h"
#include "rekti/rectificationsteps.h"
#include "solar/solarsteps.h"

#include <QLocale>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;
using namespace Core;

// A step on two typed values ("13|50|10" as three fields) and the number it
// takes (a zone, shift, correction or RAMC); its result as text, or "!" and
// its message.
using Step = std::function<QString(const QString &, const QString &, double)>;
Q_DECLARE_METATYPE(Step)

// The steps of both calculators on typed values: the limits, the corrections,
// the messages and the overflows (the worked examples run through the forms).
class tst_Steps : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void steps_data();
    void steps();
};

namespace {

FieldTexts fields(const QString &text)
{
    const QStringList p = text.split(u'|');
    return {p.value(0), p.value(1), p.value(2)};
}

// Read as the step's form reads them; steps 5 and 5a read back the fractions
// they wrote, with the regional decimal separator.
Sexagesimal value(const QString &text)
{
    return Sexagesimal::read(fields(text));
}

Sexagesimal written(const QString &text)
{
    return Sexagesimal::readWithRegionalPoint(fields(text));
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

SexagesimalTriple picked(const QString &text)
{
    const Sexagesimal a = value(text);
    return {qint16(a.units), qint16(a.minutes), qint16(a.seconds)};
}

} // namespace

void tst_Steps::steps_data()
{
    QTest::addColumn<Step>("step");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<double>("number");
    QTest::addColumn<QString>("result"); // "!" and the message
    QTest::addColumn<bool>("english");   // else German regional settings
    const auto row = [](const char *tag, const Step &step, const char16_t *first,
                        const char16_t *second, double number, const char16_t *result,
                        bool english = false) {
        QTest::newRow(tag) << step << QString::fromUtf16(first) << QString::fromUtf16(second)
                           << number << QString::fromUtf16(result) << english;
    };
    using QS = const QString &;
    using namespace Rectification;
    const Step sunMotion = [](QS a, QS b, double) {
        return answer(Solar::sunMotion(value(a), value(b)), triple);
    };
    const Step distance = [](QS a, QS b, double) {
        return answer(Solar::distanceToRadix(picked(a), value(b)), triple);
    };
    const Step greenwich = [](QS a, QS b, double) {
        return answer(Solar::greenwichTime(value(a), value(b)), triple);
    };
    const Step zone = [](QS a, QS, double n) {
        return answer(Solar::zoneTime(written(a), n), plain);
    };
    const Step final = [](QS a, QS, double n) {
        return answer(Solar::finalTime(written(a), n), plain);
    };
    const Step solarRow = [](QS a, QS b, double) {
        return answer(Solar::resultRow(value(a), value(b)), ::row);
    };
    const Step years = [](QS a, QS, double) {
        const Sexagesimal v = value(a);
        return answer(decimalYears({v.units, v.minutes}), plainNumber);
    };
    const Step arc = [](QS, QS, double n) {
        return answer(directionArc(n), triple);
    };
    const Step event = [](QS a, QS b, double) {
        return answer(eventSiderealTime(value(a), value(b)), [](const SiderealSum &sum) -> QString {
            return triple(sum.time) + (sum.beyondADay ? u" -24h"_s : u" -0h"_s);
        });
    };
    const Step withinDay = [](QS a, QS, double n) {
        return answer(siderealTimeWithinDay(value(a), n), triple);
    };
    const Step difference = [](QS a, QS b, double n) {
        return answer(tableDifference(value(a), value(b), n), triple);
    };
    const Step interpolation = [](QS a, QS b, double) {
        return answer(tableInterpolation(value(a), value(b)), triple);
    };
    const Step ramcPlus = [](QS a, QS, double n) {
        return answer(ramcPlusQuotient(n, value(a)), triple);
    };
    const Step corrected = [](QS a, QS b, double n) {
        return answer(correctedRamc(value(a), value(b), n), triple);
    };
    const Step correction = [](QS a, QS b, double) {
        return answer(birthTimeCorrection(value(a), value(b)), triple);
    };

    row("A 3900 passes", sunMotion, u"12|0|0", u"13|5|0", 0, u"1|5|0");
    row("A 3901", sunMotion, u"12|0|0", u"13|5|1", 0,
        u"!Differenz zu groß, sie darf maximal 1°05' betragen.");
    row("across the sign", sunMotion, u"29|40|0", u"0|41|0", 0, u"!1. Datum größer als 2. Datum!");
    row("A beyond 32 bits", sunMotion, u"0|0|0", u"999999|0|0", 0, u"!Überlauf!");
    row("B 3901", distance, u"14|5|1", u"13|0|0", 0,
        u"!Differenz zu groß, sie darf maximal 1°05' betragen.");
    row("radix before date 1", distance, u"13|50|9", u"13|50|10", 0,
        u"!1. Datum größer als Radix-Sonnenposition");
    row("B beyond A", greenwich, u"0|58|20", u"1|0|0", 0, u"24|41|9");
    row("negative B", greenwich, u"1|0|0", u"0|-1|0", 0, u"0|-24|0");
    row("negative B carries", greenwich, u"0|50|1", u"0|0|-25", 0, u"0|-12|0");
    row("A 0 divides", greenwich, u"0|0|0", u"0|32|20", 0, u"!Nulldivision!");
    row("32767 h", greenwich, u"0|0|24", u"0|0|32767", 0, u"32767|0|0");
    row("32768 h", greenwich, u"0|0|24", u"0|0|32768", 0, u"!Überlauf!");
    row("plain texts", zone, u"13|05|", u"", 0, u"13|5|0");
    row("fraction, German", zone, u"13.5|0|0", u"", 1, u"14,5|0|0");
    row("fraction, English", zone, u"13.5|0|0", u"", 1, u"14.5|0|0", true);
    // Step 5 reads back the fractions it wrote; under English settings a comma
    // ends the number.
    row("written fraction, German", zone, u"13,5|1,5|0,5", u"", 1, u"14,5|1,5|0,5");
    row("comma, English", zone, u"13,5|1,5|0", u"", 1, u"14|1|0", true);
    row("final fraction, German", final, u"14,5|1,5|0", u"", 0, u"14,5|1,5|0");
    row("final comma, English", final, u"14,5|1,5|0", u"", 0, u"14|1|0", true);
    row("24,5 h", final, u"24,5|0|0", u"", 0, u"!Maximimal 24 Stunden pro Tag");
    row("zone minutes beyond a double", zone, u"1|1E400", u"", 0, u"!Überlauf!");
    row("24 h passes", final, u"24|59|36", u"", 0, u"24|59|36");
    row("less a day", final, u"24|59|36", u"", -24, u"0|59|36");
    row("24.5 h", final, u"24.5|0|0", u"", 0, u"!Maximimal 24 Stunden pro Tag");
    row("below 0 h", final, u"-1|10|0", u"", 0, u"!Maximimal 24 Stunden pro Tag");
    row("hour beyond a double", final, u"1E400|0|0", u"", 0, u"!Überlauf!");
    row("date beyond a double", solarRow, u"1E400|7|2024", u"1|2|3", 0, u"!Überlauf!");

    row("correction", correction, u"5|58|44", u"6|2|10", 0, u"0|-3|-26");

    // Years rounded half to even, days not: 73 days are 0.2 years.
    row("2.5 y count 2", years, u"2.5|73", u"", 0, u"2,2");
    row("days beyond a double", years, u"1|1E400", u"", 0, u"!Überlauf!");
    row("arc beyond 16 bits", arc, u"", u"", 1e6, u"!Überlauf!");
    row("exactly a day keeps -0h", event, u"22|0|0", u"2|0|0", 0, u"24|0|0 -0h");
    row("a second over", event, u"22|0|1", u"2|0|0", 0, u"24|0|1 -24h");
    row("sum beyond 32 bits", event, u"596523", u"1", 0, u"!Überlauf!");
    row("a day too much", withinDay, u"21|0|30", u"", -24, u"!Wert darf nicht negativ sein!");
    row("0 h passes", withinDay, u"24|0|0", u"", -24, u"0|0|0");
    row("smaller - greater", difference, u"14|18|30", u"15|20|0", 0, u"1|1|30");
    row("sign change +30", difference, u"1|10|0", u"29|5|0", 30, u"2|5|0");
    row("30°59'59'' passes", difference, u"30|59|59", u"0|0|0", 0, u"30|59|59");
    row("31°", difference, u"31|0|0", u"1|0|0", 0, u"!Winkel ungültig!");
    row("60 minutes", difference, u"1|0|0", u"0|60|0", 0, u"!Winkel ungültig!");
    row("-2^31 has no opposite", difference, u"-596523|-14|-8", u"0|0|0", 0, u"!Überlauf!");
    row("31° numerator", interpolation, u"31|0|0", u"30|59|59", 0, u"!Winkel ungültig!");
    row("zero divides first", interpolation, u"31|0|0", u"0|0|0", 0, u"!Nulldivision!");
    row("RAMC 360.5 to even", ramcPlus, u"0|0|0", u"", 360.5, u"360|30|0");
    row("RAMC 361", ramcPlus, u"0|0|0", u"", 361, u"!RAMC ist maximal 360° möglich!");
    row("+360", corrected, u"10|0|0", u"33|49|58", 360, u"336|10|2");
    row("- 360", corrected, u"360|30|0", u"", -360, u"0|30|0");
    row("exactly 360°", corrected, u"360|0|0", u"", 0, u"360|0|0");
    row("0° passes", corrected, u"33|49|58", u"33|49|58", 0, u"0|0|0");
    row("one second over", corrected, u"360|0|1", u"", 0,
        u"!Wert darf nicht negativ oder größer als 360 werden!");
    row("negative", corrected, u"10|0|0", u"33|49|58", 0,
        u"!Wert darf nicht negativ oder größer als 360 werden!");
}

void tst_Steps::steps()
{
    QFETCH(Step, step);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(double, number);
    QFETCH(QString, result);
    QFETCH(bool, english);
    QLocale::setDefault(english ? QLocale::c() : QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(step(first, second, number), result);
}

QTEST_GUILESS_MAIN(tst_Steps)
#include "tst_steps.moc"
