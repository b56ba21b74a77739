#include "core/fieldchecks.h"
#include "core/overflow.h"
#include "core/sexagesimal.h"

#include <QTest>

namespace {

// Runs one conversion on "a|b|c" texts and answers in the same form, so that
// a table row reads like the hand calculation: SecondsToTriple 45296 -> 12|34|56.
QString convert(const QString &conversion, const QString &input)
{
    const QStringList p = input.split(u'|');
    const FieldTexts fields{p.value(0), p.value(1), p.value(2)};
    const auto joined = [](const auto &a, const auto &b, const auto &c) {
        return QStringLiteral("%1|%2|%3").arg(a).arg(b).arg(c);
    };
    const auto triple = [&](const SexagesimalTriple &t) {
        return joined(t.Units, t.Minutes, t.Seconds);
    };
    if (conversion == u"SecondsToTriple")
        return triple(SecondsToTriple(p[0].toInt()));
    if (conversion == u"FieldsToSeconds")
        return QString::number(FieldsToSeconds(fields));
    if (conversion == u"SecondsToDecimal") // in ten-thousandths
        return QString::number(SecondsToDecimal(p[0].toInt()).tenThousandths());
    if (conversion == u"DecimalToTriple")
        return triple(DecimalToTriple(FixedDecimal::fromTenThousandths(p[0].toLongLong())));
    if (conversion == u"FixedDecimal")
        return QString::number(FixedDecimal::fromDouble(p[0].toDouble()).tenThousandths());
    if (conversion == u"TripleToFields") {
        const SexagesimalTriple t{qint16(p[0].toShort()), qint16(p[1].toShort()),
                                  qint16(p[2].toShort())};
        const FieldTexts out = TripleToFields(t);
        return joined(out[0], out[1], out[2]);
    }
    if (conversion == u"CheckedAdd")
        return QString::number(CheckedAdd(p[0].toInt(), p[1].toInt()));
    if (conversion == u"CheckedSubtract")
        return QString::number(CheckedSubtract(p[0].toInt(), p[1].toInt()));
    // An angle within a sign allows 30 units, a time 23: an angle out of range
    // is always a time out of range too.
    if (AngleFieldsOutOfRange(fields))
        return QStringLiteral("both");
    return TimeFieldsOutOfRange(fields) ? QStringLiteral("time") : QStringLiteral("ok");
}

} // namespace

class tst_Sexagesimal : public QObject {
    Q_OBJECT

private slots:
    void conversions_data();
    void conversions();
};

void tst_Sexagesimal::conversions_data()
{
    QTest::addColumn<QString>("conversion");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("output"); // "!": throws Overflow
    const auto row = [](const char *conversion, const char *input, const char *output) {
        QTest::addRow("%s %s", conversion, input)
            << QString::fromLatin1(conversion) << QString::fromLatin1(input)
            << QString::fromLatin1(output);
    };
    row("SecondsToTriple", "0", "0|0|0");
    row("SecondsToTriple", "45296", "12|34|56");
    row("SecondsToTriple", "86399", "23|59|59");
    row("SecondsToTriple", "86400", "24|0|0"); // never reduced to a day
    row("SecondsToTriple", "-3700", "-1|-1|-40");
    row("SecondsToTriple", "117964799", "32767|59|59");
    row("SecondsToTriple", "-117964799", "-32767|-59|-59");
    row("SecondsToTriple", "117964800", "!"); // 32768 h
    row("SecondsToTriple", "-2147483648", "!");

    row("FieldsToSeconds", "||", "0");
    row("FieldsToSeconds", "1|2|3", "3723");
    row("FieldsToSeconds", "12abc||", "43200");
    row("FieldsToSeconds", "0|0|2.5", "2");
    row("FieldsToSeconds", "0|0|3.5", "4");
    row("FieldsToSeconds", "0|90|0", "5400"); // parts are taken as they come
    row("FieldsToSeconds", "-1|-1|-40", "-3700");
    row("FieldsToSeconds", "596523|14|7", "2147483647");
    row("FieldsToSeconds", "596523|14|8", "!");
    row("FieldsToSeconds", "|1E400|", "!");

    row("SecondsToDecimal", "1", "3");
    row("SecondsToDecimal", "1800", "5000");
    row("SecondsToDecimal", "3599", "9997");
    row("SecondsToDecimal", "-2", "-6");

    row("DecimalToTriple", "125125", "12|30|45");
    row("DecimalToTriple", "9997", "0|59|59");
    row("DecimalToTriple", "9999", "1|0|0"); // 59.64 s carry twice
    row("DecimalToTriple", "166", "0|1|0");
    row("DecimalToTriple", "239999", "24|0|0");
    // A negative time carries a rounded -60 s as a positive one carries 60 s.
    row("DecimalToTriple", "-1999", "0|-12|0"); // -11 m -59.64 s
    row("DecimalToTriple", "-9999", "-1|0|0");  // carries twice
    row("DecimalToTriple", "-125125", "-12|-30|-45");
    row("DecimalToTriple", "-327679999", "-32768|0|0");
    row("DecimalToTriple", "327670000", "32767|0|0");
    row("DecimalToTriple", "327679999", "!");

    row("FixedDecimal", "0.00125", "12"); // halves to even
    row("FixedDecimal", "0.00375", "38");
    row("FixedDecimal", "-0.00125", "-12");
    row("FixedDecimal", "1e300", "!");

    row("TripleToFields", "-1|-1|-40", "-1|-1|-40");
    row("CheckedAdd", "2147483647|1", "!");
    row("CheckedSubtract", "-2147483648|1", "!");

    row("OutOfRange", "23|59|59", "ok");
    row("OutOfRange", "24|0|0", "time");
    row("OutOfRange", "30|0|0", "time");
    row("OutOfRange", "31|0|0", "both");
    row("OutOfRange", "0|60|0", "both");
    row("OutOfRange", "0|0|60", "both");
    row("OutOfRange", "99||99", "ok"); // not judged while a part is empty
    row("OutOfRange", "0|59.5|0", "both");
    row("OutOfRange", "0|0|99999999999", "both");
    row("OutOfRange", "-5|0|0", "ok");
}

void tst_Sexagesimal::conversions()
{
    QFETCH(QString, conversion);
    QFETCH(QString, input);
    QFETCH(QString, output);
    if (output == u"!")
        QVERIFY_THROWS_EXCEPTION(Overflow, convert(conversion, input));
    else
        QCOMPARE(convert(conversion, input), output);
}

QTEST_GUILESS_MAIN(tst_Sexagesimal)
#include "tst_sexagesimal.moc"
