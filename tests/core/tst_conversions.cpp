#include "core/numbers.h"
#include "core/overflow.h"
#include "core/sexagesimal.h"

#include <QLocale>
#include <QTest>

#include <limits>

using namespace Qt::StringLiterals;
using namespace Core;

// Reading and writing numbers and the degree/minute/second arithmetic, as the
// hand calculations of both calculators use them.
class tst_Conversions : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void textValue_data();
    void textValue();
    void plainNumber_data();
    void plainNumber();
    void fieldsToSeconds_data();
    void fieldsToSeconds();
    void decimals_data();
    void decimals();
    void roundingAndOverflow();
    void rangeChecks_data();
    void rangeChecks();
};

namespace {
const QLocale German(QLocale::German, QLocale::Germany);
const QLocale English(QLocale::English, QLocale::UnitedStates);
const double Overflows = qInf(); // the expected value of a row that throws Overflow

} // namespace

void tst_Conversions::textValue_data()
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

void tst_Conversions::textValue()
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

void tst_Conversions::plainNumber_data()
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

void tst_Conversions::plainNumber()
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
void tst_Conversions::fieldsToSeconds_data()
{
    QTest::addColumn<FieldTexts>("fields");
    QTest::addColumn<qint64>("seconds"); // beyond 32 bits: Overflow
    QTest::addColumn<QString>("triple"); // empty: Overflow
    const qint64 overflow = qint64(1) << 40;
    const auto row = [](const char *tag, const char16_t *a, const char16_t *b, const char16_t *c,
                        qint64 seconds, const char16_t *triple) {
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

void tst_Conversions::fieldsToSeconds()
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
void tst_Conversions::decimals_data()
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

void tst_Conversions::decimals()
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
void tst_Conversions::roundingAndOverflow()
{
    QCOMPARE(FixedDecimal::fromDouble(0.00125).tenThousandths(), 12);
    QCOMPARE(FixedDecimal::fromDouble(-0.00375).tenThousandths(), -38);
    QVERIFY_THROWS_EXCEPTION(Overflow, FixedDecimal::fromDouble(1e300));
    QCOMPARE(QList({secondsToDecimal(1).tenThousandths(), secondsToDecimal(-2).tenThousandths()}),
             (QList<qint64>{3, -6}));
    QVERIFY_THROWS_EXCEPTION(Overflow, checkedAdd(2147483647, 1));
    QVERIFY_THROWS_EXCEPTION(Overflow, checkedSubtract(-2147483647 - 1, 1));
    QCOMPARE(readNumber(u" -1E400"_s), -qInf());
}

void tst_Conversions::rangeChecks_data()
{
    QTest::addColumn<FieldTexts>("fields");
    QTest::addColumn<bool>("timeOut");
    QTest::addColumn<bool>("angleOut");
    QTest::newRow("30°") << FieldTexts{u"30"_s, u"0"_s, u"0"_s} << true << false;
    QTest::newRow("60 minutes") << FieldTexts{u"0"_s, u"60"_s, u"0"_s} << true << true;
    QTest::newRow("part empty") << FieldTexts{u"99"_s, {}, u"99"_s} << false << false;
    QTest::newRow("beyond 32 bits") << FieldTexts{u"0"_s, u"0"_s, u"99999999999"_s} << true << true;
    QTest::newRow("beyond a double") << FieldTexts{u"1E400"_s, u"0"_s, u"0"_s} << true << true;
}

void tst_Conversions::rangeChecks()
{
    QFETCH(FieldTexts, fields);
    QFETCH(bool, timeOut);
    QFETCH(bool, angleOut);
    const Sexagesimal value = Sexagesimal::read(fields);
    QCOMPARE(value.timeOutOfRange(), timeOut);
    QCOMPARE(value.angleOutOfRange(), angleOut);
}

QTEST_GUILESS_MAIN(tst_Conversions)
#include "tst_conversions.moc"
