#include "solar/solarsteps.h"

#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;

// The Solar steps on typed values: the worked example, the limits of a day's
// motion, the messages and the overflows.
class tst_SolarSteps : public QObject {
    Q_OBJECT

public:
    enum class Step { SunMotion, DistanceToRadix, GreenwichTime, ZoneTime, FinalTime, Row };
    Q_ENUM(Step)

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void steps_data();
    void steps();
};

namespace {

// "13|50|10" as three typed fields.
Sexagesimal value(const QString &text)
{
    const QStringList p = text.split(u'|');
    return Sexagesimal::read({p.value(0), p.value(1), p.value(2)});
}

template <typename T> QString answer(const StepResult<T> &r, QString (*show)(const T &))
{
    return r.ok() ? show(r.value()) : u'!' + r.message();
}

QString joined(const FieldTexts &t)
{
    return t[0] + u'|' + t[1] + u'|' + t[2];
}

QString triple(const SexagesimalTriple &t)
{
    return joined(TripleToFields(t));
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

void tst_SolarSteps::steps_data()
{
    QTest::addColumn<Step>("step");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("result"); // "!" and the message
    QTest::addColumn<QLocale>("locale");
    const QLocale de(QLocale::German, QLocale::Germany);
    const QString tooLarge = u"!Differenz zu groß, sie darf maximal 1°05' betragen."_s;
    const QString overflow = u"!Überlauf!"_s;
    const QString perDay = u"!Maximimal 24 Stunden pro Tag"_s;
    const auto add = [&](const char *tag, Step step, const char16_t *first, const char16_t *second,
                         const QString &result, const QLocale &locale) {
        QTest::newRow(tag) << step << QString::fromUtf16(first) << QString::fromUtf16(second)
                           << result << locale;
    };
    const auto row = [&](const char *tag, Step step, const char16_t *first, const char16_t *second,
                         const char16_t *result) {
        add(tag, step, first, second, QString::fromUtf16(result), de);
    };
    using S = Step;
    // The worked example: radix 14°22'30'', date 1 13°50'10'', date 2 14°47'25''.
    row("example A", S::SunMotion, u"13|50|10", u"14|47|25", u"0|57|15");
    row("example B", S::DistanceToRadix, u"14|22|30", u"13|50|10", u"0|32|20");
    row("example Greenwich", S::GreenwichTime, u"0|57|15", u"0|32|20", u"13|33|17");
    row("example zone", S::ZoneTime, u"13|33|17", u"1", u"14|33|17");
    row("example final", S::FinalTime, u"14|33|17", u"0", u"14|33|17");
    row("example row", S::Row, u"5|7|2024", u"14|33|17", u"Solar|5.7.2024|14h33m17s");

    row("A 3900 passes", S::SunMotion, u"12|0|0", u"13|5|0", u"1|5|0");
    add("A 3901", S::SunMotion, u"12|0|0", u"13|5|1", tooLarge, de);
    row("A 0", S::SunMotion, u"7|7|7", u"7|7|7", u"0|0|0");
    row("across the sign", S::SunMotion, u"29|40|0", u"0|41|0", u"!1. Datum größer als 2. Datum!");
    add("A beyond 32 bits", S::SunMotion, u"0|0|0", u"999999|0|0", overflow, de);
    add("A difference beyond 32 bits", S::SunMotion, u"-596523", u"596523", overflow, de);
    row("B 3900 passes", S::DistanceToRadix, u"14|5|0", u"13|0|0", u"1|5|0");
    add("B 3901", S::DistanceToRadix, u"14|5|1", u"13|0|0", tooLarge, de);
    row("B 0", S::DistanceToRadix, u"13|50|10", u"13|50|10", u"0|0|0");
    row("radix before date 1", S::DistanceToRadix, u"13|50|9", u"13|50|10",
        u"!1. Datum größer als Radix-Sonnenposition");
    add("B difference beyond 32 bits", S::DistanceToRadix, u"30", u"-596523", overflow, de);
    row("3600/1800", S::GreenwichTime, u"1|0|0", u"0|30|0", u"12|0|0");
    row("3001/25 carries", S::GreenwichTime, u"0|50|1", u"0|0|25", u"0|12|0");
    row("B beyond A", S::GreenwichTime, u"0|58|20", u"1|0|0", u"24|41|9");
    row("negative B", S::GreenwichTime, u"1|0|0", u"0|-1|0", u"0|-24|0");
    row("A 0 divides", S::GreenwichTime, u"0|0|0", u"0|32|20", u"!Nulldivision!");
    row("32767 h", S::GreenwichTime, u"0|0|24", u"0|0|32767", u"32767|0|0");
    add("32768 h", S::GreenwichTime, u"0|0|24", u"0|0|32768", overflow, de);
    add("B beyond a double", S::GreenwichTime, u"1|0|0", u"1E400", overflow, de);
    row("zone -1", S::ZoneTime, u"0|10|0", u"-1", u"-1|10|0");
    row("plain texts", S::ZoneTime, u"13|05|", u"0", u"13|5|0");
    row("fraction, German", S::ZoneTime, u"13.5|0|0", u"1", u"14,5|0|0");
    add("fraction, English", S::ZoneTime, u"13.5|0|0", u"1", u"14.5|0|0"_s, QLocale::c());
    add("zone sum not finite", S::ZoneTime, u"1.7976931348623157E308", u"1E308", overflow, de);
    add("zone minutes beyond a double", S::ZoneTime, u"1|1E400", u"0", overflow, de);
    row("24 h passes", S::FinalTime, u"24|59|36", u"0", u"24|59|36");
    row("less a day", S::FinalTime, u"24|59|36", u"-24", u"0|59|36");
    row("0 h passes", S::FinalTime, u"0|0|0", u"0", u"0|0|0");
    add("24.5 h", S::FinalTime, u"24.5|0|0", u"0", perDay, de);
    add("below 0 h", S::FinalTime, u"-1|10|0", u"0", perDay, de);
    add("hour beyond a double", S::FinalTime, u"1E400|0|0", u"0", overflow, de);
    add("seconds beyond a double", S::FinalTime, u"5|0|1E400", u"0", overflow, de);
    add("date beyond a double", S::Row, u"1E400|7|2024", u"1|2|3", overflow, de);
}

void tst_SolarSteps::steps()
{
    QFETCH(Step, step);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, result);
    QFETCH(QLocale, locale);
    QLocale::setDefault(locale);
    const Sexagesimal a = value(first);
    const Sexagesimal b = value(second);
    QString got;
    switch (step) {
    case Step::SunMotion:
        got = answer(Solar::sunMotion(a, b), triple);
        break;
    case Step::DistanceToRadix:
        got = answer(
            Solar::distanceToRadix({qint16(a.units), qint16(a.minutes), qint16(a.seconds)}, b),
            triple);
        break;
    case Step::GreenwichTime:
        got = answer(Solar::greenwichTime(a, b), triple);
        break;
    case Step::ZoneTime:
        got = answer(Solar::zoneTime(a, b.units), plain);
        break;
    case Step::FinalTime:
        got = answer(Solar::finalTime(a, b.units), plain);
        break;
    case Step::Row:
        got = answer(Solar::resultRow(a, b), row);
        break;
    }
    QCOMPARE(got, result);
}

QTEST_GUILESS_MAIN(tst_SolarSteps)
#include "tst_solarsteps.moc"
