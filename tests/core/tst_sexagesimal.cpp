#include "core/fieldchecks.h"
#include "core/overflow.h"
#include "core/sexagesimal.h"

#include <QTest>

Q_DECLARE_METATYPE(SexagesimalTriple)

namespace {
SexagesimalTriple dms(int u, int m, int s)
{
    return {static_cast<qint16>(u), static_cast<qint16>(m), static_cast<qint16>(s)};
}
FieldTexts texts(const char *a, const char *b, const char *c)
{
    return {QString::fromUtf8(a), QString::fromUtf8(b), QString::fromUtf8(c)};
}
} // namespace

namespace QTest {
template <> char *toString(const SexagesimalTriple &t)
{
    const QByteArray text = QByteArray::number(t.Units) + ", " + QByteArray::number(t.Minutes) +
                            ", " + QByteArray::number(t.Seconds);
    return qstrdup(text.constData());
}
} // namespace QTest

class tst_Sexagesimal : public QObject {
    Q_OBJECT

private slots:
    void intDiv_data();
    void intDiv();
    void secondsToTriple_data();
    void secondsToTriple();
    void secondsToTripleOverflow_data();
    void secondsToTripleOverflow();
    void fieldsToSeconds_data();
    void fieldsToSeconds();
    void fieldsToSecondsOverflow_data();
    void fieldsToSecondsOverflow();
    void pickersToSeconds();
    void secondsToDecimal_data();
    void secondsToDecimal();
    void decimalToTriple_data();
    void decimalToTriple();
    void decimalToTripleOverflow();
    void fixedDecimalFromDouble_data();
    void fixedDecimalFromDouble();
    void tripleToFields();
    void checkedArithmetic();
    void outOfRange_data();
    void outOfRange();
};

void tst_Sexagesimal::intDiv_data()
{
    QTest::addColumn<int>("dividend");
    QTest::addColumn<int>("divisor");
    QTest::addColumn<int>("quotient");
    QTest::newRow("-7/2") << -7 << 2 << -3;
    QTest::newRow("7/-2") << 7 << -2 << -3;
    QTest::newRow("-3599/3600") << -3599 << 3600 << 0;
    QTest::newRow("-3600/3600") << -3600 << 3600 << -1;
    QTest::newRow("int32 min") << int(-2147483647 - 1) << 60 << -35791394;
}

void tst_Sexagesimal::intDiv()
{
    QFETCH(int, dividend);
    QFETCH(int, divisor);
    QFETCH(int, quotient);
    QCOMPARE(IntDiv(dividend, divisor), quotient);
}

void tst_Sexagesimal::secondsToTriple_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<SexagesimalTriple>("triple");
    QTest::newRow("0") << 0 << dms(0, 0, 0);
    QTest::newRow("45296") << 45296 << dms(12, 34, 56);
    QTest::newRow("86399") << 86399 << dms(23, 59, 59);
    QTest::newRow("86400 is not wrapped") << 86400 << dms(24, 0, 0);
    QTest::newRow("-3700") << -3700 << dms(-1, -1, -40);
    QTest::newRow("-206") << -206 << dms(0, -3, -26);
    QTest::newRow("largest units") << 32767 * 3600 + 3599 << dms(32767, 59, 59);
    QTest::newRow("smallest units") << -32767 * 3600 - 3599 << dms(-32767, -59, -59);
}

void tst_Sexagesimal::secondsToTriple()
{
    QFETCH(int, seconds);
    QFETCH(SexagesimalTriple, triple);
    QCOMPARE(SecondsToTriple(seconds), triple);
}

void tst_Sexagesimal::secondsToTripleOverflow_data()
{
    QTest::addColumn<int>("seconds");
    QTest::newRow("32768 h") << 32768 * 3600;
    QTest::newRow("-32769 h") << -32769 * 3600;
    QTest::newRow("int32 max") << 2147483647;
    QTest::newRow("int32 min") << int(-2147483647 - 1);
}

void tst_Sexagesimal::secondsToTripleOverflow()
{
    QFETCH(int, seconds);
    QVERIFY_THROWS_EXCEPTION(Overflow, SecondsToTriple(seconds));
}

void tst_Sexagesimal::fieldsToSeconds_data()
{
    QTest::addColumn<FieldTexts>("fields");
    QTest::addColumn<int>("seconds");
    QTest::newRow("empty") << texts("", "", "") << 0;
    QTest::newRow("1 2 3") << texts("1", "2", "3") << 3723;
    QTest::newRow("12abc") << texts("12abc", "", "") << 43200;
    QTest::newRow("2.5 s rounds to even") << texts("0", "0", "2.5") << 2;
    QTest::newRow("3.5 s rounds to even") << texts("0", "0", "3.5") << 4;
    QTest::newRow("-2.5 s rounds to even") << texts("0", "0", "-2.5") << -2;
    QTest::newRow("90 minutes taken as they come") << texts("0", "90", "0") << 5400;
    QTest::newRow("negative parts") << texts("-1", "-1", "-40") << -3700;
    QTest::newRow("fraction of a degree") << texts("0.5", "", "") << 1800;
    QTest::newRow("32-bit limit") << texts("596523", "14", "7") << 2147483647;
}

void tst_Sexagesimal::fieldsToSeconds()
{
    QFETCH(FieldTexts, fields);
    QFETCH(int, seconds);
    QCOMPARE(FieldsToSeconds(fields), seconds);
}

void tst_Sexagesimal::fieldsToSecondsOverflow_data()
{
    QTest::addColumn<FieldTexts>("fields");
    QTest::newRow("one second past the 32-bit limit") << texts("596523", "14", "8");
    QTest::newRow("long digit string") << texts("99999999999", "", "");
    QTest::newRow("beyond a double") << texts("", "1E400", "");
}

void tst_Sexagesimal::fieldsToSecondsOverflow()
{
    QFETCH(FieldTexts, fields);
    QVERIFY_THROWS_EXCEPTION(Overflow, FieldsToSeconds(fields));
}

void tst_Sexagesimal::pickersToSeconds()
{
    QCOMPARE(PickersToSeconds(30, 59, 59), 111599);
    QCOMPARE(PickersToSeconds(0, 0, 0), 0);
}

void tst_Sexagesimal::secondsToDecimal_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<qint64>("tenThousandths");
    QTest::newRow("1 s") << 1 << qint64(3);
    QTest::newRow("1800 s") << 1800 << qint64(5000);
    QTest::newRow("3599 s") << 3599 << qint64(9997);
    QTest::newRow("45296 s") << 45296 << qint64(125822);
    QTest::newRow("121798 s") << 121798 << qint64(338328);
    QTest::newRow("-1 s") << -1 << qint64(-3);
    QTest::newRow("-2 s rounds away") << -2 << qint64(-6);
}

void tst_Sexagesimal::secondsToDecimal()
{
    QFETCH(int, seconds);
    QFETCH(qint64, tenThousandths);
    QCOMPARE(SecondsToDecimal(seconds).tenThousandths(), tenThousandths);
}

void tst_Sexagesimal::decimalToTriple_data()
{
    QTest::addColumn<qint64>("tenThousandths");
    QTest::addColumn<SexagesimalTriple>("triple");
    QTest::newRow("12.5125") << qint64(125125) << dms(12, 30, 45);
    QTest::newRow("12.5822") << qint64(125822) << dms(12, 34, 56);
    QTest::newRow("0.9997") << qint64(9997) << dms(0, 59, 59);
    QTest::newRow("0.9999 carries twice") << qint64(9999) << dms(1, 0, 0);
    QTest::newRow("0.0166") << qint64(166) << dms(0, 1, 0);
    QTest::newRow("23.9999") << qint64(239999) << dms(24, 0, 0);
    QTest::newRow("13.5546") << qint64(135546) << dms(13, 33, 17);
    QTest::newRow("0.1999 carries seconds") << qint64(1999) << dms(0, 12, 0);
    QTest::newRow("0.5149") << qint64(5149) << dms(0, 30, 54);
    // 0.0004 h = 1.44 s.
    QTest::newRow("0.0004") << qint64(4) << dms(0, 0, 1);
    // 0.1236 h = 7 m 24.96 s.
    QTest::newRow("0.1236") << qint64(1236) << dms(0, 7, 25);
    // Negative: -0.9999 gives -59.64 s rounded to -60, which is not carried.
    QTest::newRow("-0.9999 keeps -60") << qint64(-9999) << dms(0, -59, -60);
    QTest::newRow("-1.5") << qint64(-15000) << dms(-1, -30, 0);
    QTest::newRow("largest units") << qint64(327670000) << dms(32767, 0, 0);
}

void tst_Sexagesimal::decimalToTriple()
{
    QFETCH(qint64, tenThousandths);
    QFETCH(SexagesimalTriple, triple);
    QCOMPARE(DecimalToTriple(FixedDecimal::fromTenThousandths(tenThousandths)), triple);
}

void tst_Sexagesimal::decimalToTripleOverflow()
{
    // 32767.9999 carries into 32768 units.
    QVERIFY_THROWS_EXCEPTION(Overflow,
                             DecimalToTriple(FixedDecimal::fromTenThousandths(327679999)));
    QVERIFY_THROWS_EXCEPTION(Overflow,
                             DecimalToTriple(FixedDecimal::fromTenThousandths(327680000)));
}

void tst_Sexagesimal::fixedDecimalFromDouble_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("tenThousandths");
    QTest::newRow("13.554585") << 1940.0 / 3435.0 * 24.0 << qint64(135546);
    QTest::newRow("half to even down") << 0.00125 << qint64(12);
    QTest::newRow("half to even up") << 0.00375 << qint64(38);
    QTest::newRow("negative half") << -0.00125 << qint64(-12);
    QTest::newRow("0.19993") << 25.0 / 3001.0 * 24.0 << qint64(1999);
}

void tst_Sexagesimal::fixedDecimalFromDouble()
{
    QFETCH(double, value);
    QFETCH(qint64, tenThousandths);
    QCOMPARE(FixedDecimal::fromDouble(value).tenThousandths(), tenThousandths);
}

void tst_Sexagesimal::tripleToFields()
{
    QCOMPARE(TripleToFields(dms(-1, -1, -40)), texts("-1", "-1", "-40"));
    QCOMPARE(TripleToFields(dms(7, 0, 5)), texts("7", "0", "5"));
}

void tst_Sexagesimal::checkedArithmetic()
{
    QCOMPARE(CheckedSubtract(5, 7), -2);
    QVERIFY_THROWS_EXCEPTION(Overflow, CheckedAdd(2147483647, 1));
    QVERIFY_THROWS_EXCEPTION(Overflow, CheckedSubtract(-2147483647 - 1, 1));
    QVERIFY_THROWS_EXCEPTION(Overflow, FixedDecimal::fromDouble(1e300));
}

void tst_Sexagesimal::outOfRange_data()
{
    QTest::addColumn<FieldTexts>("fields");
    QTest::addColumn<bool>("time");
    QTest::addColumn<bool>("angle");
    QTest::newRow("23 59 59") << texts("23", "59", "59") << false << false;
    QTest::newRow("24 0 0") << texts("24", "0", "0") << true << false;
    QTest::newRow("30 degrees") << texts("30", "0", "0") << true << false;
    QTest::newRow("31 degrees") << texts("31", "0", "0") << true << true;
    QTest::newRow("60 minutes") << texts("0", "60", "0") << true << true;
    QTest::newRow("60 seconds") << texts("0", "0", "60") << true << true;
    QTest::newRow("empty minutes") << texts("99", "", "99") << false << false;
    QTest::newRow("59.5 rounds to 60") << texts("0", "59.5", "0") << true << true;
    QTest::newRow("58.5 rounds to 58") << texts("0", "58.5", "0") << false << false;
    QTest::newRow("letters read as 0") << texts("x", "y", "z") << false << false;
    QTest::newRow("beyond 32 bits") << texts("0", "0", "99999999999") << true << true;
    QTest::newRow("beyond a double") << texts("1E400", "0", "0") << true << true;
    QTest::newRow("negative passes") << texts("-5", "0", "0") << false << false;
}

void tst_Sexagesimal::outOfRange()
{
    QFETCH(FieldTexts, fields);
    QFETCH(bool, time);
    QFETCH(bool, angle);
    QCOMPARE(TimeFieldsOutOfRange(fields), time);
    QCOMPARE(AngleFieldsOutOfRange(fields), angle);
}

QTEST_GUILESS_MAIN(tst_Sexagesimal)
#include "tst_sexagesimal.moc"
