#include "core/numbers.h"
#include "core/overflow.h"

#include <QLocale>
#include <QTest>

namespace {

const QLocale German(QLocale::German, QLocale::Germany);
const QLocale English(QLocale::English, QLocale::UnitedStates);

// Runs one routine on a text (a number in C notation for the routines that take
// one) and gives its result as text, numbers in their shortest exact form.
QString run(const QString &routine, const QString &input)
{
    const auto exact = [](double v) {
        return QString::number(v, 'g', QLocale::FloatingPointShortest);
    };
    if (routine == u"TextValue")
        return exact(TextValue(input));
    if (routine == u"TextOrRegionalValue")
        return exact(TextOrRegionalValue(input));
    if (routine == u"RegionalValue")
        return exact(RegionalValue(input));
    if (routine == u"PlainNumber")
        return PlainNumber(input.toDouble());
    if (routine == u"RoundToInt16")
        return QString::number(RoundToInt16(input.toDouble()));
    return QString::number(RoundToInt32(input.toDouble()));
}

} // namespace

class tst_Numbers : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void routines_data();
    void routines();
};

void tst_Numbers::routines_data()
{
    QTest::addColumn<QString>("routine");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("output"); // "!": throws Overflow
    QTest::addColumn<QLocale>("locale");
    const auto row = [](const char *routine, const QString &input, const char *output,
                        const QLocale &locale = German) {
        QTest::addRow("%s %s %s", routine, qPrintable(input.left(20)),
                      locale == German ? "de" : "en")
            << QString::fromLatin1(routine) << input << QString::fromLatin1(output) << locale;
    };
    const auto s = [](const char *text) {
        return QString::fromLatin1(text);
    };

    // Read with the full stop as decimal point whatever the desktop says.
    row("TextValue", s(""), "0");
    row("TextValue", s("12abc"), "12");
    row("TextValue", s(" 1 2"), "12");
    row("TextValue", s("\t1\n5"), "15");
    row("TextValue", s("1\r5"), "1"); // only blanks, tabs and line feeds are skipped
    row("TextValue", s("3,5"), "3");
    row("TextValue", s("2.5"), "2.5");
    row("TextValue", s("1.2.3"), "1.2");
    row("TextValue", s("--3"), "0");
    row("TextValue", s("-.5e1"), "-5");
    row("TextValue", s("1D2"), "100");
    row("TextValue", s("1E"), "1");
    row("TextValue", s("&H1F"), "31");
    row("TextValue", s("&hff"), "255");
    row("TextValue", s("&O17"), "15");
    row("TextValue", s("&O18"), "1");
    row("TextValue", s("&"), "0");
    row("TextValue", s("1E-400"), "0");
    row("TextValue", s("0.") + QString(400, u'0') + u'1', "0");
    row("TextValue", s("0E99999"), "0");
    row("TextValue", s("1E400"), "!");
    row("TextValue", QString(400, u'9'), "!");
    row("TextValue", s("&H") + QString(300, u'F'), "!");

    row("RoundToInt32", s("0.5"), "0");
    row("RoundToInt32", s("1.5"), "2");
    row("RoundToInt32", s("2.5"), "2");
    row("RoundToInt32", s("-1.5"), "-2");
    row("RoundToInt32", s("-2.5"), "-2");
    row("RoundToInt32", s("2147483647.4"), "2147483647");
    row("RoundToInt32", s("2147483647.5"), "!");
    row("RoundToInt32", s("-2147483648"), "-2147483648");
    row("RoundToInt32", s("-2147483649"), "!");
    row("RoundToInt32", s("nan"), "!");
    row("RoundToInt16", s("32767"), "32767");
    row("RoundToInt16", s("32768"), "!");
    row("RoundToInt16", s("-32768.5"), "-32768");
    row("RoundToInt16", s("-32769"), "!");

    row("PlainNumber", s("12345"), "12345");
    row("PlainNumber", s("-24"), "-24");
    row("PlainNumber", s("-0"), "0");
    row("PlainNumber", s("1.5"), "1,5");
    row("PlainNumber", s("1.5"), "1.5", English);
    row("PlainNumber", s("34.32876712328767"), "34,3287671232877");
    row("PlainNumber", s("123456.25"), "123456,25");
    row("PlainNumber", s("999999999999999"), "999999999999999");
    row("PlainNumber", s("1e20"), "1E+20");
    row("PlainNumber", s("1.5e-5"), "1,5E-05");

    // Read as the desktop writes numbers.
    row("RegionalValue", s("34,3287671232877"), "34.3287671232877");
    row("RegionalValue", s("34.3287671232877"), "34.3287671232877", English);
    row("RegionalValue", s("34.3287671232877"), "0");
    row("RegionalValue", s("34,3287671232877"), "0", English);
    row("RegionalValue", s("- 360"), "-360", English);
    row("RegionalValue", s("abc"), "0");

    // Read as TextValue reads, the desktop's decimal separator taken as well.
    row("TextOrRegionalValue", s("14,5"), "14.5");
    row("TextOrRegionalValue", s("14.5"), "14.5");
    row("TextOrRegionalValue", s("14.5"), "14.5", English);
    row("TextOrRegionalValue", s("14,5"), "14", English);
    row("TextOrRegionalValue", s("-0,25h"), "-0.25");
    row("TextOrRegionalValue", s("12abc"), "12");
}

void tst_Numbers::routines()
{
    QFETCH(QString, routine);
    QFETCH(QString, input);
    QFETCH(QString, output);
    QFETCH(QLocale, locale);
    QLocale::setDefault(locale);
    if (output == u"!")
        QVERIFY_THROWS_EXCEPTION(Overflow, run(routine, input));
    else
        QCOMPARE(run(routine, input), output);
}

QTEST_GUILESS_MAIN(tst_Numbers)
#include "tst_numbers.moc"
