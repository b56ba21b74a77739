#include "core/calendar.h"
#include "core/notation.h"
#include "core/numbers.h"
#include "core/overflow.h"
#include "core/sexagesimal.h"
#include "rekti/rectificationsteps.h"
#include "solar/solarsteps.h"

#include <QDateTime>
#include <QLocale>
#include <QTest>
#include <QTimeZone>

#include <functional>
#include <limits>

using namespace Qt::StringLiterals;
using namespace Core;

// A step on two typed values ("13|50|10" as three fields) and the number it
// takes (a zone, shift, correction or RAMC); its result as text, or "!" and
// its message.
using Step = std::function<QString(const QString &, const QString &, double)>;
Q_DECLARE_METATYPE(Step)

namespace {
const QLocale German(QLocale::German, QLocale::Germany);
const QLocale English(QLocale::English, QLocale::UnitedStates);
const double Overflows = qInf(); // the expected value of a row that throws Overflow

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

// Reading and writing numbers, the degree/minute/second arithmetic, and the
// steps of both calculators on typed values: the limits, the corrections, the
// messages and the overflows (the worked examples run through the forms).
class tst_Core : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void textValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        const auto row = [](const QString &text, double value) {
            QTest::addRow("%s", qPrintable(text.left(16))) << text << value;
        };
        row({}, 0);
        row(u"12abc"_s, 12);
        row(u"3,5"_s, 3);
        row(u"-.5e1"_s, -5);
        row(u"1D9"_s, 1e9);
        row(u"1E"_s, 1);
        row(u"&hF1EafG"_s, 990895);
        row(u"1E-400"_s, 0);
        row(u"0."_s + QString(1000, u'0') + u"1E600"_s, 0);
        row(u"1E400"_s, Overflows);
        row(QString(400, u'9'), Overflows);
        row(u"&H"_s + QString(300, u'F'), Overflows);
    }

    void textValue()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QLocale::setDefault(German); // the full stop is the decimal point all the same
        if (value == Overflows) {
            QVERIFY_THROWS_EXCEPTION(Overflow, Core::textValue(text));
            QCOMPARE(readNumber(text), qInf());
        } else {
            QCOMPARE(Core::textValue(text), value);
        }
    }

    void plainNumber_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 12345.0 << German << u"12345"_s;
        QTest::newRow("-0") << -0.0 << German << u"0"_s;
        QTest::newRow("1.5") << 1.5 << English << u"1.5"_s;
        QTest::newRow("1e20") << 1e20 << German << u"1E+20"_s;
        QTest::newRow("1.5e-5") << 1.5e-5 << German << u"1,5E-05"_s;
        // Fifteen digits of the largest double would round past it.
        QTest::newRow("largest") << std::numeric_limits<double>::max() << English
                                 << u"1.79769313486231E+308"_s;
    }

    void plainNumber()
    {
        QFETCH(double, value);
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QLocale::setDefault(locale);
        QCOMPARE(Core::plainNumber(value), text);
        // Read back as the desktop writes numbers; the other separator reads as 0.
        if (text.contains(locale.decimalPoint()))
            QCOMPARE(regionalValue(u"- "_s + text) - regionalValue(u"+ "_s + text), -2 * value);
        if (value != qint64(value) && !text.contains(u'E'))
            QCOMPARE(regionalValue(QString(text).replace(locale.decimalPoint(), u"x"_s)), 0.0);
    }

    // Field texts to a total of seconds and back to a triple, never reduced.
    void fieldsToSeconds_data()
    {
        QTest::addColumn<FieldTexts>("fields");
        QTest::addColumn<qint64>("seconds"); // beyond 32 bits: Overflow
        QTest::addColumn<QString>("triple"); // empty: Overflow
        const qint64 overflow = qint64(1) << 40;
        const auto row = [](const char *tag, const char16_t *a, const char16_t *b,
                            const char16_t *c, qint64 seconds, const char16_t *triple) {
            QTest::newRow(tag) << FieldTexts{QString::fromUtf16(a), QString::fromUtf16(b),
                                             QString::fromUtf16(c)}
                               << seconds << QString::fromUtf16(triple);
        };
        row("empty", u"", u"", u"", 0, u"0|0|0");
        row("carries", u"0", u"0", u"45296", 45296, u"12|34|56");
        row("a day is 24 h", u"23", u"60", u"0", 86400, u"24|0|0");
        row("2.5 s to even", u"0", u"0", u"2.5", 2, u"0|0|2");
        row("3.5 s to even", u"0", u"0", u"3.5", 4, u"0|0|4");
        row("negative", u"-1", u"-1", u"-40", -3700, u"-1|-1|-40");
        row("32767 h", u"32767", u"59", u"59", 117964799, u"32767|59|59");
        row("-32768 h", u"-32768", u"0", u"0", -117964800, u"-32768|0|0");
        row("32768 h", u"32768", u"0", u"0", 117964800, u"");
        row("-2^31", u"-596523", u"-14", u"-8", -2147483648LL, u"");
        row("2^31-1", u"596523", u"14", u"7", 2147483647, u"");
        row("2^31", u"596523", u"14", u"8", overflow, u"");
        row("1E400", u"", u"1E400", u"", overflow, u"");
        row("inf - inf", u"1E400", u"-1E400", u"", overflow, u"");
    }

    void fieldsToSeconds()
    {
        QFETCH(FieldTexts, fields);
        QFETCH(qint64, seconds);
        QFETCH(QString, triple);
        if (seconds > std::numeric_limits<qint32>::max()) {
            QVERIFY_THROWS_EXCEPTION(Overflow, Core::fieldsToSeconds(fields));
            return;
        }
        QCOMPARE(Core::fieldsToSeconds(fields), seconds);
        if (triple.isEmpty()) {
            QVERIFY_THROWS_EXCEPTION(Overflow, secondsToTriple(qint32(seconds)));
            return;
        }
        const FieldTexts t = tripleToFields(secondsToTriple(qint32(seconds)));
        QCOMPARE(t[0] + u'|' + t[1] + u'|' + t[2], triple);
    }

    // Decimal hours or degrees with four places, as the steps pass them on.
    void decimals_data()
    {
        QTest::addColumn<qint64>("tenThousandths");
        QTest::addColumn<QString>("triple"); // empty: Overflow
        QTest::newRow("12.5125") << qint64(125125) << u"12|30|45"_s;
        QTest::newRow("0.9999 carries twice") << qint64(9999) << u"1|0|0"_s;
        QTest::newRow("0.0166 carries once") << qint64(166) << u"0|1|0"_s;
        // A negative time carries a rounded -60 as a positive one carries 60.
        QTest::newRow("-0.9999 carries twice") << qint64(-9999) << u"-1|0|0"_s;
        QTest::newRow("-0.1999") << qint64(-1999) << u"0|-12|0"_s;
        QTest::newRow("32767") << qint64(327670000) << u"32767|0|0"_s;
        QTest::newRow("32767.9999") << qint64(327679999) << QString();
        QTest::newRow("-0.0006") << qint64(-6) << u"0|0|-2"_s;
    }

    void decimals()
    {
        QFETCH(qint64, tenThousandths);
        QFETCH(QString, triple);
        const FixedDecimal d = FixedDecimal::fromTenThousandths(tenThousandths);
        if (triple.isEmpty()) {
            QVERIFY_THROWS_EXCEPTION(Overflow, decimalToTriple(d));
            return;
        }
        const FieldTexts t = tripleToFields(decimalToTriple(d));
        QCOMPARE(t[0] + u'|' + t[1] + u'|' + t[2], triple);
        // Seconds to four places (t x 25 / 9, no exact half can arise) and back.
        QCOMPARE(decimalToTriple(secondsToDecimal(Core::fieldsToSeconds(t))), decimalToTriple(d));
    }

    // Rounding to four places, halves to even, and the checked sums.
    void roundingAndOverflow()
    {
        QCOMPARE(FixedDecimal::fromDouble(0.00125).tenThousandths(), 12);
        QCOMPARE(FixedDecimal::fromDouble(-0.00375).tenThousandths(), -38);
        QVERIFY_THROWS_EXCEPTION(Overflow, FixedDecimal::fromDouble(1e300));
        QCOMPARE(
            QList({secondsToDecimal(1).tenThousandths(), secondsToDecimal(-2).tenThousandths()}),
            (QList<qint64>{3, -6}));
        QVERIFY_THROWS_EXCEPTION(Overflow, checkedAdd(2147483647, 1));
        QVERIFY_THROWS_EXCEPTION(Overflow, checkedSubtract(-2147483647 - 1, 1));
        QCOMPARE(readNumber(u" -1E400"_s), -qInf());
    }

    void rangeChecks_data()
    {
        QTest::addColumn<FieldTexts>("fields");
        QTest::addColumn<bool>("timeOut");
        QTest::addColumn<bool>("angleOut");
        QTest::newRow("30°") << FieldTexts{u"30"_s, u"0"_s, u"0"_s} << true << false;
        QTest::newRow("60 minutes") << FieldTexts{u"0"_s, u"60"_s, u"0"_s} << true << true;
        QTest::newRow("part empty") << FieldTexts{u"99"_s, {}, u"99"_s} << false << false;
        QTest::newRow("beyond 32 bits")
            << FieldTexts{u"0"_s, u"0"_s, u"99999999999"_s} << true << true;
        QTest::newRow("beyond a double") << FieldTexts{u"1E400"_s, u"0"_s, u"0"_s} << true << true;
    }

    void rangeChecks()
    {
        QFETCH(FieldTexts, fields);
        QFETCH(bool, timeOut);
        QFETCH(bool, angleOut);
        const Sexagesimal value = Sexagesimal::read(fields);
        QCOMPARE(value.timeOutOfRange(), timeOut);
        QCOMPARE(value.angleOutOfRange(), angleOut);
    }

    // The steps of both calculators.
    void steps_data()
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
            return answer(Solar::greenwichTime(value(a), value(b)),
                          [](const Solar::Interpolation &i) { return triple(i.time); });
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
            return answer(decimalYears({v.units, v.minutes}), Core::plainNumber);
        };
        const Step arc = [](QS, QS, double n) {
            return answer(directionArc(n), triple);
        };
        const Step event = [](QS a, QS b, double) {
            return answer(eventSiderealTime(value(a), value(b)),
                          [](const SiderealSum &sum) -> QString {
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
            return answer(tableInterpolation(value(a), value(b)), [](const Quotient &q) -> QString {
                return Notation::decimal(q.value) + u' ' + triple(q.asAngle);
            });
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
        row("across the sign", sunMotion, u"29|40|0", u"0|41|0", 0,
            u"!1. Datum größer als 2. Datum!");
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

    void steps()
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

    // Birthdays and ages: 29 February counts on 1 March in a common year.
    void ageAt_data()
    {
        QTest::addColumn<QDate>("birth");
        QTest::addColumn<QDate>("event");
        QTest::addColumn<int>("years");
        QTest::addColumn<int>("days");
        const auto row = [](const char *tag, QDate birth, QDate event, int years, int days) {
            QTest::newRow(tag) << birth << event << years << days;
        };
        const QDate november(1975, 11, 7), leapDay(1960, 2, 29);
        row("on the birthday", november, QDate(2010, 11, 7), 35, 0);
        row("the day before", november, QDate(2010, 11, 6), 34, 364);
        row("across a leap day", november, QDate(2012, 3, 7), 36, 121);
        row("29 Feb, common year, 28 Feb", leapDay, QDate(1999, 2, 28), 38, 364);
        row("29 Feb, common year, 1 Mar", leapDay, QDate(1999, 3, 1), 39, 0);
        row("29 Feb, leap year", leapDay, QDate(2000, 3, 1), 40, 1);
        row("after a leap year's birthday", QDate(1970, 3, 10), QDate(2012, 3, 9), 41, 365);
    }

    void ageAt()
    {
        QFETCH(QDate, birth);
        QFETCH(QDate, event);
        QFETCH(int, years);
        QFETCH(int, days);
        const AgeInYearsAndDays age = Core::ageAt(birth, event);
        QCOMPARE(age.years, years);
        QCOMPARE(age.days, days);
        QCOMPARE(age.onFirstOfMarch, leapDayMoved(birth.year() + years, birth));
    }

    // The legal time of a German birth, from the system's time-zone
    // database: summer and double summer time, and no answer within an hour
    // of a changeover, where a clock time alone does not tell the moment.
    void legalZone_data()
    {
        QTest::addColumn<QByteArray>("place");
        QTest::addColumn<QDateTime>("clock"); // a clock time of the place, written as UTC
        QTest::addColumn<int>("zone");        // 0: no answer
        QTest::addColumn<QString>("text");
        const auto at = [](const char *tag, QByteArray place, QDate date, QTime time, int zone,
                           QString text) {
            QTest::newRow(tag) << place << QDateTime(date, time, QTimeZone::utc()) << zone << text;
        };
        const auto row = [&at](const char *tag, QDate date, QTime time, int zone, QString text) {
            at(tag, "Europe/Berlin", date, time, zone, text);
        };
        const QDate spring1980(1980, 4, 6), autumn1996(1996, 10, 27), spring2024(2024, 3, 31);
        row("1980, before the clocks go on", spring1980, QTime(0, 59), 1, u"+1"_s);
        row("1980, an hour before", spring1980, QTime(1, 30), 0, {});
        row("1980, the skipped hour", spring1980, QTime(2, 30), 0, {});
        row("1980, just after", spring1980, QTime(3, 30), 0, {});
        row("1980, summer time", spring1980, QTime(4, 1), 2, u"+2, Sommerzeit"_s);
        row("1996, the repeated hour", autumn1996, QTime(2, 30), 0, {});
        row("1996, the hour before it", autumn1996, QTime(1, 30), 2, u"+2, Sommerzeit"_s);
        row("1996, summer time at midnight", autumn1996, QTime(0, 59), 2, u"+2, Sommerzeit"_s);
        row("1996, winter time", autumn1996, QTime(4, 1), 1, u"+1"_s);
        row("2024, the skipped hour", spring2024, QTime(2, 0), 0, {});
        row("2024, summer time", spring2024, QTime(12, 0), 2, u"+2, Sommerzeit"_s);
        row("1945, double summer time", QDate(1945, 7, 1), QTime(14, 35), 3,
            u"+3, doppelte Sommerzeit"_s);
        row("1947, double summer time", QDate(1947, 6, 1), QTime(9, 0), 3,
            u"+3, doppelte Sommerzeit"_s);
        row("1947, summer time after it", QDate(1947, 7, 1), QTime(9, 0), 2, u"+2, Sommerzeit"_s);
        row("1941, summer time through the winter", QDate(1941, 1, 15), QTime(9, 0), 2,
            u"+2, Sommerzeit"_s);
        row("1965, no summer time", QDate(1965, 7, 1), QTime(9, 0), 1, u"+1"_s);
        at("New York in summer", "America/New_York", QDate(1990, 7, 1), QTime(12, 0), -4,
           u"-4, Sommerzeit"_s);
        at("New York in winter", "America/New_York", QDate(1990, 1, 1), QTime(12, 0), -5, u"-5"_s);
        at("not a place", "Mars/Olympus_Mons", QDate(1990, 1, 1), QTime(12, 0), 0, {});
    }

    void legalZone()
    {
        QFETCH(QByteArray, place);
        QFETCH(QDateTime, clock);
        QFETCH(int, zone);
        QFETCH(QString, text);
        const std::optional<LegalZone> found = Core::legalZone(place, clock.date(), clock.time());
        QCOMPARE(found ? found->hours : 0, zone);
        if (found)
            QCOMPARE(zoneText(*found), text);
        if (place == "Europe/Berlin") {
            QCOMPARE(Core::germanLegalZone(clock.date(), clock.time()).value_or(0), zone);
            if (found)
                QCOMPARE(germanZoneText(zone), text);
        }
    }

    // An event date as typed into its free field.
    // A deviation of arc in seconds below a minute, in minutes below a
    // degree, then in degrees; a decimal one with its sign only where it is
    // not 0 at four places.
    void deviations_data()
    {
        QTest::addColumn<qint64>("arcSeconds");
        QTest::addColumn<QString>("written");
        QTest::newRow("59''") << qint64(59) << u"+59''"_s;
        QTest::newRow("60''") << qint64(60) << u"+1'00''"_s;
        QTest::newRow("-3599''") << qint64(-3599) << u"-59'59''"_s;
        QTest::newRow("3600''") << qint64(3600) << u"+1°00'00''"_s;
        QTest::newRow("0''") << qint64(0) << u"0''"_s;
    }

    void deviations()
    {
        QFETCH(qint64, arcSeconds);
        QFETCH(QString, written);
        QCOMPARE(Notation::arcDeviation(arcSeconds), written);
        QLocale::setDefault(German);
        QCOMPARE(Notation::decimalDeviation(0.00004) + u' ' + Notation::decimalDeviation(0.00005),
                 u"0,0000 +0,0001"_s);
    }

    void typedDates()
    {
        QCOMPARE(typedDate(u" 12.5.2031 "_s), QDate(2031, 5, 12));
        QCOMPARE(typedDate(u"12.05.2031"_s), QDate(2031, 5, 12));
        for (const QString &none :
             {u""_s, u"12.13.2031"_s, u"31.4.2031"_s, u"Mai 2031"_s, u"12.5.31"_s})
            QVERIFY2(!typedDate(none), qPrintable(none));
    }
};

QTEST_GUILESS_MAIN(tst_Core)
#include "tst_core.moc"
