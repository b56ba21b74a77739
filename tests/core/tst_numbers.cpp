#include "core/numbers.h"
#include "core/overflow.h"

#include <QLocale>
#include <QTest>

class tst_Numbers : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void textValue_data();
    void textValue();
    void textValueOverflow_data();
    void textValueOverflow();
    void textValueIgnoresLocale();
    void roundHalfEven_data();
    void roundHalfEven();
    void roundOverflow_data();
    void roundOverflow();
    void plainNumber_data();
    void plainNumber();
    void regionalValue_data();
    void regionalValue();
};

void tst_Numbers::textValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("letters") << QStringLiteral("abc") << 0.0;
    QTest::newRow("digits then letters") << QStringLiteral("12abc") << 12.0;
    QTest::newRow("blanks between digits") << QStringLiteral(" 1 2") << 12.0;
    QTest::newRow("tab and line feed") << QStringLiteral("\t1\n5") << 15.0;
    QTest::newRow("carriage return stops") << QStringLiteral("1\r5") << 1.0;
    QTest::newRow("leading zeros") << QStringLiteral("05") << 5.0;
    QTest::newRow("comma ends") << QStringLiteral("3,5") << 3.0;
    QTest::newRow("full stop") << QStringLiteral("2.5") << 2.5;
    QTest::newRow("second full stop ends") << QStringLiteral("1.2.3") << 1.2;
    QTest::newRow("negative fraction with exponent") << QStringLiteral("-.5e1") << -5.0;
    QTest::newRow("D exponent") << QStringLiteral("1D2") << 100.0;
    QTest::newRow("negative exponent") << QStringLiteral("25E-1") << 2.5;
    QTest::newRow("exponent without digits") << QStringLiteral("1E") << 1.0;
    QTest::newRow("exponent sign without digits") << QStringLiteral("7e+x") << 7.0;
    QTest::newRow("plus sign") << QStringLiteral("+4") << 4.0;
    QTest::newRow("sign alone") << QStringLiteral("-") << 0.0;
    QTest::newRow("full stop alone") << QStringLiteral(".") << 0.0;
    QTest::newRow("blank after sign") << QStringLiteral("- 3") << -3.0;
    QTest::newRow("double sign") << QStringLiteral("--3") << 0.0;
    QTest::newRow("hex") << QStringLiteral("&H1F") << 31.0;
    QTest::newRow("hex lower case") << QStringLiteral("&hff") << 255.0;
    QTest::newRow("octal") << QStringLiteral("&O17") << 15.0;
    QTest::newRow("octal stops at 8") << QStringLiteral("&O18") << 1.0;
    QTest::newRow("ampersand alone") << QStringLiteral("&") << 0.0;
    QTest::newRow("tiny underflows to 0") << QStringLiteral("1E-400") << 0.0;
    QTest::newRow("long fraction underflows") << QStringLiteral("0.") + QString(400, u'0') + u'1'
                                              << 0.0;
    QTest::newRow("zero with huge exponent") << QStringLiteral("0E99999") << 0.0;
}

void tst_Numbers::textValue()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(TextValue(text), value);
}

void tst_Numbers::textValueOverflow_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("1E400") << QStringLiteral("1E400");
    QTest::newRow("-1D309") << QStringLiteral("-1D309");
    QTest::newRow("400 digits") << QString(400, u'9');
    QTest::newRow("long hex") << QStringLiteral("&H") + QString(300, u'F');
}

void tst_Numbers::textValueOverflow()
{
    QFETCH(QString, text);
    QVERIFY_THROWS_EXCEPTION(Overflow, TextValue(text));
}

void tst_Numbers::textValueIgnoresLocale()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(TextValue(QStringLiteral("1.5")), 1.5);
    QCOMPARE(TextValue(QStringLiteral("1,5")), 1.0);
}

void tst_Numbers::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("rounded");
    QTest::newRow("0.5") << 0.5 << 0;
    QTest::newRow("1.5") << 1.5 << 2;
    QTest::newRow("2.5") << 2.5 << 2;
    QTest::newRow("3.5") << 3.5 << 4;
    QTest::newRow("-0.5") << -0.5 << 0;
    QTest::newRow("-1.5") << -1.5 << -2;
    QTest::newRow("-2.5") << -2.5 << -2;
    QTest::newRow("near tie below") << 2.4999999 << 2;
    QTest::newRow("near tie above") << 2.5000001 << 3;
    QTest::newRow("int32 max") << 2147483647.0 << 2147483647;
    QTest::newRow("int32 min") << -2147483648.0 << int(-2147483647 - 1);
    QTest::newRow("rounds down to max") << 2147483647.4 << 2147483647;
}

void tst_Numbers::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(int, rounded);
    QCOMPARE(RoundToInt32(value), rounded);
}

void tst_Numbers::roundOverflow_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("sixteenBit");
    QTest::newRow("2^31") << 2147483648.0 << false;
    QTest::newRow("rounds up past max") << 2147483647.5 << false;
    QTest::newRow("below min") << -2147483649.0 << false;
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << false;
    QTest::newRow("32768 in 16 bits") << 32768.0 << true;
    QTest::newRow("-32769 in 16 bits") << -32769.0 << true;
}

void tst_Numbers::roundOverflow()
{
    QFETCH(double, value);
    QFETCH(bool, sixteenBit);
    if (sixteenBit)
        QVERIFY_THROWS_EXCEPTION(Overflow, RoundToInt16(value));
    else
        QVERIFY_THROWS_EXCEPTION(Overflow, RoundToInt32(value));
}

void tst_Numbers::plainNumber_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    const QLocale de(QLocale::German, QLocale::Germany);
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("whole, German") << de << 12345.0 << QStringLiteral("12345");
    QTest::newRow("negative whole, German") << de << -24.0 << QStringLiteral("-24");
    QTest::newRow("negative zero") << de << -0.0 << QStringLiteral("0");
    QTest::newRow("fraction, German") << de << 1.5 << QStringLiteral("1,5");
    QTest::newRow("fraction, English") << en << 1.5 << QStringLiteral("1.5");
    QTest::newRow("15 digits, German") << de << 34.0 + 120.0 / 365.0
                                       << QStringLiteral("34,3287671232877");
    QTest::newRow("15 digits, English") << en << 34.0 + 120.0 / 365.0
                                        << QStringLiteral("34.3287671232877");
    QTest::newRow("large fraction has no group separator")
        << de << 123456.25 << QStringLiteral("123456,25");
    QTest::newRow("huge uses exponent") << en << 1e20 << QStringLiteral("1E+20");
    QTest::newRow("tiny uses exponent") << de << 1.5e-5 << QStringLiteral("1,5E-05");
    QTest::newRow("largest plain whole") << en << 999999999999999.0
                                         << QStringLiteral("999999999999999");
}

void tst_Numbers::plainNumber()
{
    QFETCH(QLocale, locale);
    QFETCH(double, value);
    QFETCH(QString, text);
    QLocale::setDefault(locale);
    QCOMPARE(PlainNumber(value), text);
}

void tst_Numbers::regionalValue_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    const QLocale de(QLocale::German, QLocale::Germany);
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("German comma") << de << QStringLiteral("34,3287671232877") << 34.3287671232877;
    QTest::newRow("English point") << en << QStringLiteral("34.3287671232877") << 34.3287671232877;
    QTest::newRow("English text under German") << de << QStringLiteral("34.3287671232877") << 0.0;
    QTest::newRow("German text under English") << en << QStringLiteral("34,3287671232877") << 0.0;
    QTest::newRow("blank zero") << de << QStringLiteral(" 0") << 0.0;
    QTest::newRow("plus 360") << de << QStringLiteral("+360") << 360.0;
    QTest::newRow("minus blank 360") << en << QStringLiteral("- 360") << -360.0;
    QTest::newRow("empty") << de << QString() << 0.0;
    QTest::newRow("letters") << en << QStringLiteral("abc") << 0.0;
}

void tst_Numbers::regionalValue()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(double, value);
    QLocale::setDefault(locale);
    QCOMPARE(RegionalValue(text), value);
}

QTEST_GUILESS_MAIN(tst_Numbers)
#include "tst_numbers.moc"
