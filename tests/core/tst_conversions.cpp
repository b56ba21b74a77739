#include "core/numbers.h"
#include "core/overflow.h"
#include "core/sexagesimal.h"

#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;

// Reading and writing numbers and the degree/minute/second arithmetic, as the
// hand calculations of both calculators use them.
class tst_Conversions : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void textValue_data();
    void textValue();
    void rounding_data();
    void rounding();
    void plainNumber_data();
    void plainNumber();
    void regionalValue_data();
    void regionalValue();
    void secondsToTriple_data();
    void secondsToTriple();
    void fieldsToSeconds_data();
    void fieldsToSeconds();
    void decimals_data();
    void decimals();
    void rangeChecks_data();
    void rangeChecks();
};

namespace {
const QLocale German(QLocale::German, QLocale::Germany);
const QLocale English(QLocale::English, QLocale::UnitedStates);
const double Overflows = qInf(); // the expected value of a row that throws Overflow

FieldTexts texts(const QString &a, const QString &b = {}, const QString &c = {})
{
    return {a, b, c};
}
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
    row(u" 1 2"_s, 12);
    row(u"\t1\n5"_s, 15);
    row(u"1\r5"_s, 1);
    row(u"3,5"_s, 3);
    row(u"1.2.3"_s, 1.2);
    row(u"--3"_s, 0);
    row(u"-.5e1"_s, -5);
    row(u"1D2"_s, 100);
    row(u"1E"_s, 1);
    row(u"&H1F"_s, 31);
    row(u"&hff"_s, 255);
    row(u"&O18"_s, 1);
    row(u"&"_s, 0);
    row(u"1E-400"_s, 0);
    row(u"0."_s + QString(400, u'0') + u'1', 0);
    row(u"0E99999"_s, 0);
    row(u"1E400"_s, Overflows);
    QCOMPARE(ReadNumber(u" -1E400"_s), -qInf());
    row(QString(400, u'9'), Overflows);
    row(u"&H"_s + QString(300, u'F'), Overflows);
}

void tst_Conversions::textValue()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QLocale::setDefault(German); // the full stop is the decimal point all the same
    if (value == Overflows) {
        QVERIFY_THROWS_EXCEPTION(Overflow, TextValue(text));
        QCOMPARE(ReadNumber(text), qInf());
    } else {
        QCOMPARE(TextValue(text), value);
    }
}

void tst_Conversions::rounding_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded"); // Overflows: beyond 32 bits
    QTest::addColumn<bool>("fits16");
    QTest::newRow("0.5") << 0.5 << 0.0 << true;
    QTest::newRow("1.5") << 1.5 << 2.0 << true;
    QTest::newRow("2.5") << 2.5 << 2.0 << true;
    QTest::newRow("-2.5") << -2.5 << -2.0 << true;
    QTest::newRow("-1.5") << -1.5 << -2.0 << true;
    QTest::newRow("32767") << 32767.0 << 32767.0 << true;
    QTest::newRow("32768") << 32768.0 << 32768.0 << false;
    QTest::newRow("-32768.5") << -32768.5 << -32768.0 << true;
    QTest::newRow("-32769") << -32769.0 << -32769.0 << false;
    QTest::newRow("2^31-0.6") << 2147483647.4 << 2147483647.0 << false;
    QTest::newRow("2^31-0.5") << 2147483647.5 << Overflows << false;
    QTest::newRow("-2^31") << -2147483648.0 << -2147483648.0 << false;
    QTest::newRow("-2^31-1") << -2147483649.0 << Overflows << false;
    QTest::newRow("nan") << qQNaN() << Overflows << false;
}

void tst_Conversions::rounding()
{
    QFETCH(double, value);
    QFETCH(double, rounded);
    QFETCH(bool, fits16);
    if (rounded == Overflows)
        QVERIFY_THROWS_EXCEPTION(Overflow, RoundToInt32(value));
    else
        QCOMPARE(RoundToInt32(value), qint32(rounded));
    if (fits16)
        QCOMPARE(RoundToInt16(value), qint16(rounded));
    else
        QVERIFY_THROWS_EXCEPTION(Overflow, RoundToInt16(value));
}

void tst_Conversions::plainNumber_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 12345.0 << German << u"12345"_s;
    QTest::newRow("negative") << -24.0 << German << u"-24"_s;
    QTest::newRow("-0") << -0.0 << German << u"0"_s;
    QTest::newRow("1,5") << 1.5 << German << u"1,5"_s;
    QTest::newRow("1.5") << 1.5 << English << u"1.5"_s;
    QTest::newRow("15 digits") << 34.32876712328767 << German << u"34,3287671232877"_s;
    QTest::newRow("no group") << 123456.25 << German << u"123456,25"_s;
    QTest::newRow("1e15-1") << 999999999999999.0 << German << u"999999999999999"_s;
    QTest::newRow("1e20") << 1e20 << German << u"1E+20"_s;
    QTest::newRow("1.5e-5") << 1.5e-5 << German << u"1,5E-05"_s;
}

void tst_Conversions::plainNumber()
{
    QFETCH(double, value);
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QLocale::setDefault(locale);
    QCOMPARE(PlainNumber(value), text);
}

void tst_Conversions::regionalValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("value");
    QTest::newRow("German") << u"34,3287671232877"_s << German << 34.3287671232877;
    QTest::newRow("English") << u"34.3287671232877"_s << English << 34.3287671232877;
    QTest::newRow("full stop, German") << u"34.3287671232877"_s << German << 0.0;
    QTest::newRow("comma, English") << u"34,3287671232877"_s << English << 0.0;
    QTest::newRow("- 360") << u"- 360"_s << English << -360.0;
    QTest::newRow("+360") << u"+360"_s << German << 360.0;
    QTest::newRow("no number") << u"abc"_s << German << 0.0;
}

void tst_Conversions::regionalValue()
{
    QFETCH(QString, text);
    QFETCH(QLocale, locale);
    QFETCH(double, value);
    QLocale::setDefault(locale);
    QCOMPARE(RegionalValue(text), value);
}

void tst_Conversions::secondsToTriple_data()
{
    QTest::addColumn<qint32>("seconds");
    QTest::addColumn<QString>("triple"); // empty: Overflow
    QTest::newRow("0") << 0 << u"0|0|0"_s;
    QTest::newRow("45296") << 45296 << u"12|34|56"_s;
    QTest::newRow("a day is 24 h") << 86400 << u"24|0|0"_s;
    QTest::newRow("-3700") << -3700 << u"-1|-1|-40"_s;
    QTest::newRow("32767 h") << 117964799 << u"32767|59|59"_s;
    QTest::newRow("-32767 h") << -117964799 << u"-32767|-59|-59"_s;
    QTest::newRow("32768 h") << 117964800 << QString();
    QTest::newRow("-2^31") << qint32(-2147483648) << QString();
}

void tst_Conversions::secondsToTriple()
{
    QFETCH(qint32, seconds);
    QFETCH(QString, triple);
    if (triple.isEmpty()) {
        QVERIFY_THROWS_EXCEPTION(Overflow, SecondsToTriple(seconds));
        return;
    }
    const FieldTexts t = TripleToFields(SecondsToTriple(seconds));
    QCOMPARE(t[0] + u'|' + t[1] + u'|' + t[2], triple);
}

void tst_Conversions::fieldsToSeconds_data()
{
    QTest::addColumn<FieldTexts>("fields");
    QTest::addColumn<qint64>("seconds"); // beyond 32 bits: Overflow
    const qint64 overflow = qint64(1) << 40;
    QTest::newRow("empty") << texts({}) << qint64(0);
    QTest::newRow("1|2|3") << texts(u"1"_s, u"2"_s, u"3"_s) << qint64(3723);
    QTest::newRow("12abc") << texts(u"12abc"_s) << qint64(43200);
    QTest::newRow("2.5 s to even") << texts(u"0"_s, u"0"_s, u"2.5"_s) << qint64(2);
    QTest::newRow("3.5 s to even") << texts(u"0"_s, u"0"_s, u"3.5"_s) << qint64(4);
    QTest::newRow("90 minutes") << texts(u"0"_s, u"90"_s) << qint64(5400);
    QTest::newRow("negative") << texts(u"-1"_s, u"-1"_s, u"-40"_s) << qint64(-3700);
    QTest::newRow("2^31-1") << texts(u"596523"_s, u"14"_s, u"7"_s) << qint64(2147483647);
    QTest::newRow("2^31") << texts(u"596523"_s, u"14"_s, u"8"_s) << overflow;
    QTest::newRow("1E400") << texts({}, u"1E400"_s) << overflow;
    QTest::newRow("inf - inf") << texts(u"1E400"_s, u"-1E400"_s) << overflow;
}

void tst_Conversions::fieldsToSeconds()
{
    QFETCH(FieldTexts, fields);
    QFETCH(qint64, seconds);
    if (seconds > std::numeric_limits<qint32>::max())
        QVERIFY_THROWS_EXCEPTION(Overflow, FieldsToSeconds(fields));
    else
        QCOMPARE(FieldsToSeconds(fields), seconds);
}

// Decimal hours or degrees with four places, as the steps pass them on.
void tst_Conversions::decimals_data()
{
    QTest::addColumn<qint64>("tenThousandths");
    QTest::addColumn<QString>("triple"); // empty: Overflow
    QTest::newRow("12.5125") << qint64(125125) << u"12|30|45"_s;
    QTest::newRow("0.9997") << qint64(9997) << u"0|59|59"_s;
    QTest::newRow("0.9999 carries twice") << qint64(9999) << u"1|0|0"_s;
    QTest::newRow("0.0166 carries once") << qint64(166) << u"0|1|0"_s;
    QTest::newRow("23.9999") << qint64(239999) << u"24|0|0"_s;
    QTest::newRow("-0.9999 no carry") << qint64(-9999) << u"0|-59|-60"_s;
    QTest::newRow("32767") << qint64(327670000) << u"32767|0|0"_s;
    QTest::newRow("32767.9999") << qint64(327679999) << QString();
}

void tst_Conversions::decimals()
{
    QFETCH(qint64, tenThousandths);
    QFETCH(QString, triple);
    const FixedDecimal d = FixedDecimal::fromTenThousandths(tenThousandths);
    if (triple.isEmpty()) {
        QVERIFY_THROWS_EXCEPTION(Overflow, DecimalToTriple(d));
        return;
    }
    const FieldTexts t = TripleToFields(DecimalToTriple(d));
    QCOMPARE(t[0] + u'|' + t[1] + u'|' + t[2], triple);
    // Seconds to four places: no exact half can arise (t x 25 / 9).
    QCOMPARE(SecondsToDecimal(1).tenThousandths(), 3);
    QCOMPARE(SecondsToDecimal(1800).tenThousandths(), 5000);
    QCOMPARE(SecondsToDecimal(3599).tenThousandths(), 9997);
    QCOMPARE(SecondsToDecimal(-2).tenThousandths(), -6);
    QCOMPARE(FixedDecimal::fromDouble(0.00125).tenThousandths(), 12); // halves to even
    QCOMPARE(FixedDecimal::fromDouble(0.00375).tenThousandths(), 38);
    QCOMPARE(FixedDecimal::fromDouble(-0.00125).tenThousandths(), -12);
    QVERIFY_THROWS_EXCEPTION(Overflow, FixedDecimal::fromDouble(1e300));
    QVERIFY_THROWS_EXCEPTION(Overflow, CheckedAdd(2147483647, 1));
    QVERIFY_THROWS_EXCEPTION(Overflow, CheckedSubtract(-2147483647 - 1, 1));
    QCOMPARE(CheckedSubtract(5, 7), -2);
    QCOMPARE(CheckedAdd(5, -7), -2);
}

void tst_Conversions::rangeChecks_data()
{
    QTest::addColumn<FieldTexts>("fields");
    QTest::addColumn<bool>("timeOut");
    QTest::addColumn<bool>("angleOut");
    QTest::newRow("23|59|59") << texts(u"23"_s, u"59"_s, u"59"_s) << false << false;
    QTest::newRow("24 h") << texts(u"24"_s, u"0"_s, u"0"_s) << true << false;
    QTest::newRow("30°") << texts(u"30"_s, u"0"_s, u"0"_s) << true << false;
    QTest::newRow("31°") << texts(u"31"_s, u"0"_s, u"0"_s) << true << true;
    QTest::newRow("60 minutes") << texts(u"0"_s, u"60"_s, u"0"_s) << true << true;
    QTest::newRow("60 seconds") << texts(u"0"_s, u"0"_s, u"60"_s) << true << true;
    QTest::newRow("59.5 minutes") << texts(u"0"_s, u"59.5"_s, u"0"_s) << true << true;
    QTest::newRow("part empty") << texts(u"99"_s, {}, u"99"_s) << false << false;
    QTest::newRow("beyond 32 bits") << texts(u"0"_s, u"0"_s, u"99999999999"_s) << true << true;
    QTest::newRow("beyond a double") << texts(u"1E400"_s, u"0"_s, u"0"_s) << true << true;
    QTest::newRow("negative") << texts(u"-5"_s, u"0"_s, u"0"_s) << false << false;
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
