#include "core/overflow.h"
#include "rekti/rekti_steps.h"

#include <QHash>
#include <QLocale>
#include <QTest>

using namespace RektiSteps;

namespace {

using Step = Effects (*)(const FormValues &);

Step stepNamed(const QString &name)
{
    static const QHash<QString, Step> steps{
        {QStringLiteral("Command2"), Command2_Click},
        {QStringLiteral("Command3"), Command3_Click},
        {QStringLiteral("Command4"), Command4_Click},
        {QStringLiteral("Command5"), Command5_Click},
        {QStringLiteral("Command6"), Command6_Click},
        {QStringLiteral("Command7"), Command7_Click},
        {QStringLiteral("Command8"), Command8_Click},
        {QStringLiteral("Command9"), Command9_Click},
        {QStringLiteral("Command10"), Command10_Click},
        {QStringLiteral("Command11"), Command11_Click},
        {QStringLiteral("Command12"), Command12_Click},
        {QStringLiteral("Command13"), Command13_Click},
    };
    return steps.value(name);
}

// Effects as readable lines, so that a failing row shows what the step did.
QStringList describe(const Effects &effects)
{
    QStringList lines;
    for (const Effect &e : effects) {
        switch (e.kind) {
        case Effect::Kind::SetText:
            lines << ControlKey(e.control, e.index) + u'=' + e.text;
            break;
        case Effect::Kind::SelectPosition:
            lines << ControlKey(e.control, e.index) + u'#' + QString::number(e.position);
            break;
        case Effect::Kind::SetResultReady:
            lines << (e.flag ? QStringLiteral("ResultReady") : QStringLiteral("!ResultReady"));
            break;
        case Effect::Kind::SetFocus:
            lines << QStringLiteral("focus ") + ControlKey(e.control, e.index);
            break;
        case Effect::Kind::ShowMessage:
            lines << e.title + QStringLiteral(": ") + e.text;
            break;
        }
    }
    return lines;
}

QString s(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

FieldTexts triple(const char *a, const char *b, const char *c)
{
    return {s(a), s(b), s(c)};
}

// The three lines of a triple written into a field triple.
QStringList writes(const char *control, const char *a, const char *b, const char *c)
{
    const QString name = s(control);
    return {name + QStringLiteral("_0=") + s(a), name + QStringLiteral("_1=") + s(b),
            name + QStringLiteral("_2=") + s(c)};
}

QStringList gzk(const char *message)
{
    return {QStringLiteral("GZK: ") + s(message)};
}

const QLocale German(QLocale::German, QLocale::Germany);
const QLocale English(QLocale::English, QLocale::UnitedStates);

void setLists(ValueMap &form)
{
    form.setList(QStringLiteral("Combo1"), -1, {QStringLiteral("-0h"), QStringLiteral("-24h")}, 0);
    form.setList(QStringLiteral("Combo2"), -1,
                 {QStringLiteral(" 0"), QStringLiteral("+360"), QStringLiteral("- 360")}, 0);
    const QStringList signChange{QStringLiteral("-30"), QStringLiteral("+0"),
                                 QStringLiteral("+30")};
    form.setList(QStringLiteral("Combo3"), -1, signChange, 1);
    form.setList(QStringLiteral("Combo4"), -1, signChange, 1);
}

} // namespace

Q_DECLARE_METATYPE(FieldTexts)

namespace QTest {
template <> char *toString(const FieldTexts &t)
{
    return qstrdup((t[0] + u'|' + t[1] + u'|' + t[2]).toUtf8().constData());
}
} // namespace QTest

class tst_RektiSteps : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(German); }
    void cleanup() { QLocale::setDefault(German); }

    void copiesWhileTyping_data();
    void copiesWhileTyping();
    void directionArc_data();
    void directionArc();
    void decimalYearsReadBack_data();
    void decimalYearsReadBack();
    void siderealTimeOfEvent_data();
    void siderealTimeOfEvent();
    void difference_data();
    void difference();
    void quotient_data();
    void quotient();
    void ramcPlusQuotient_data();
    void ramcPlusQuotient();
    void correctedRamc_data();
    void correctedRamc();
    void timeDifference_data();
    void timeDifference();
    void resultRow_data();
    void resultRow();
    void overflow_data();
    void overflow();
    void resultRowOverflow();
};

void tst_RektiSteps::copiesWhileTyping_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("effects");
    QTest::newRow("years") << s("txtJahre") << 0 << QStringList{s("txtJahre2_0=34")};
    QTest::newRow("days") << s("txtJahre") << 1 << QStringList{s("txtJahre2_1=120")};
    QTest::newRow("hours: step 8 copy first")
        << s("txtTime0") << 0 << QStringList{s("txtTime7_0=6"), s("txtTime2_0=6")};
    QTest::newRow("seconds") << s("txtTime0") << 2
                             << QStringList{s("txtTime7_2=10"), s("txtTime2_2=10")};
}

void tst_RektiSteps::copiesWhileTyping()
{
    QFETCH(QString, control);
    QFETCH(int, index);
    QFETCH(QStringList, effects);
    ValueMap form;
    form.setText(QStringLiteral("txtJahre"), 0, QStringLiteral("34"));
    form.setText(QStringLiteral("txtJahre"), 1, QStringLiteral("120"));
    form.setTriple(QStringLiteral("txtTime0"), triple("6", "2", "10"));
    const Effects done = control == QStringLiteral("txtJahre") ? txtJahre_Change(form, index)
                                                               : txtTime0_Change(form, index);
    QCOMPARE(describe(done), effects);
}

// Steps 2 and 3 as a chain: age → decimal years → direction arc → arc in time.
void tst_RektiSteps::directionArc_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("years");
    QTest::addColumn<QString>("days");
    QTest::addColumn<QString>("decimalYears");
    QTest::addColumn<FieldTexts>("arc");
    QTest::addColumn<FieldTexts>("time");
    QTest::newRow("34 y 120 d, German") << German << s("34") << s("120") << s("34,3287671232877")
                                        << triple("33", "49", "58") << triple("2", "15", "20");
    QTest::newRow("34 y 120 d, English") << English << s("34") << s("120") << s("34.3287671232877")
                                         << triple("33", "49", "58") << triple("2", "15", "20");
    QTest::newRow("nothing typed") << German << QString() << QString() << s("0")
                                   << triple("0", "0", "0") << triple("0", "0", "0");
    // Years are rounded half to even, days are not: 73 days are 0.2 years.
    QTest::newRow("2.5 y count 2") << English << s("2.5") << s("73") << s("2.2")
                                   << triple("2", "10", "6") << triple("0", "8", "41");
    QTest::newRow("3.5 y count 4") << German << s("3.5") << s("73") << s("4,2")
                                   << triple("4", "8", "22") << triple("0", "16", "34");
    QTest::newRow("120 y 364 d") << German << s("120") << s("364") << s("120,997260273973")
                                 << triple("119", "14", "58") << triple("7", "57", "0");
}

void tst_RektiSteps::directionArc()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, years);
    QFETCH(QString, days);
    QFETCH(QString, decimalYears);
    QFETCH(FieldTexts, arc);
    QFETCH(FieldTexts, time);
    QLocale::setDefault(locale);

    ValueMap form;
    form.setText(QStringLiteral("txtJahre"), 0, years);
    form.setText(QStringLiteral("txtJahre"), 1, days);
    form.apply(txtJahre_Change(form, 0));
    form.apply(txtJahre_Change(form, 1));

    Effects done = Command2_Click(form);
    QCOMPARE(describe(done), QStringList{QStringLiteral("Text1_3=") + decimalYears});
    form.apply(done);

    done = Command3_Click(form);
    QCOMPARE(done.size(), 9);
    form.apply(done);
    QCOMPARE(describe(done).mid(0, 3), describe(WriteTriple(QStringLiteral("txtDeg1"), arc)));
    QCOMPARE(describe(done).mid(3, 3), describe(WriteTriple(QStringLiteral("txtDeg2"), arc)));
    QCOMPARE(describe(done).mid(6, 3), describe(WriteTriple(QStringLiteral("txtDeg15"), arc)));

    done = Command4_Click(form);
    QCOMPARE(describe(done), describe(WriteTriple(QStringLiteral("txtTime1"), time) +
                                      WriteTriple(QStringLiteral("txtTime3"), time)));
}

void tst_RektiSteps::decimalYearsReadBack_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("decimalYears");
    QTest::addColumn<FieldTexts>("arc");
    QTest::newRow("German comma") << German << s("34,3287671232877") << triple("33", "49", "58");
    QTest::newRow("English point") << English << s("34.3287671232877") << triple("33", "49", "58");
    QTest::newRow("point under German") << German << s("34.3287671232877") << triple("0", "0", "0");
    QTest::newRow("comma under English")
        << English << s("34,3287671232877") << triple("0", "0", "0");
    QTest::newRow("empty: before the first button") << German << QString() << triple("0", "0", "0");
    QTest::newRow("one year is the Naibod key") << English << s("1") << triple("0", "59", "8");
    // 0.5 × 3548'' = 1774'' exactly.
    QTest::newRow("half year") << German << s("0,5") << triple("0", "29", "34");
}

void tst_RektiSteps::decimalYearsReadBack()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, decimalYears);
    QFETCH(FieldTexts, arc);
    QLocale::setDefault(locale);
    ValueMap form;
    form.setText(QStringLiteral("Text1"), 3, decimalYears);
    form.apply(Command3_Click(form));
    QCOMPARE(form.triple(QStringLiteral("txtDeg15")), arc);
}

// Step 4: the sum, Combo1's proposal, and the reduction (with a hand choice).
void tst_RektiSteps::siderealTimeOfEvent_data()
{
    QTest::addColumn<FieldTexts>("birth");
    QTest::addColumn<FieldTexts>("arcInTime");
    QTest::addColumn<int>("chosen"); // Combo1 position chosen by hand, -1: as proposed
    QTest::addColumn<QStringList>("sum");
    QTest::addColumn<QStringList>("reduced");
    QTest::newRow("over a day") << triple("22", "50", "0") << triple("2", "15", "20") << -1
                                << writes("txtTime4", "25", "5", "20") + QStringList{s("Combo1#1")}
                                << writes("txtTime5", "1", "5", "20");
    QTest::newRow("exactly 24 h keeps -0h")
        << triple("22", "0", "0") << triple("2", "0", "0") << -1
        << writes("txtTime4", "24", "0", "0") + QStringList{s("Combo1#0")}
        << writes("txtTime5", "24", "0", "0");
    QTest::newRow("one second over")
        << triple("22", "0", "1") << triple("2", "0", "0") << -1
        << writes("txtTime4", "24", "0", "1") + QStringList{s("Combo1#1")}
        << writes("txtTime5", "0", "0", "1");
    QTest::newRow("-24h by hand below a day")
        << triple("18", "45", "10") << triple("2", "15", "20") << 1
        << writes("txtTime4", "21", "0", "30") + QStringList{s("Combo1#0")}
        << gzk("Wert darf nicht negativ sein!");
    QTest::newRow("empty fields") << FieldTexts{} << FieldTexts{} << -1
                                  << writes("txtTime4", "0", "0", "0") + QStringList{s("Combo1#0")}
                                  << writes("txtTime5", "0", "0", "0");
}

void tst_RektiSteps::siderealTimeOfEvent()
{
    QFETCH(FieldTexts, birth);
    QFETCH(FieldTexts, arcInTime);
    QFETCH(int, chosen);
    QFETCH(QStringList, sum);
    QFETCH(QStringList, reduced);
    ValueMap form;
    setLists(form);
    form.setList(QStringLiteral("Combo1"), -1, {QStringLiteral("-0h"), QStringLiteral("-24h")}, 1);
    form.setTriple(QStringLiteral("txtTime2"), birth);
    form.setTriple(QStringLiteral("txtTime3"), arcInTime);

    const Effects done = Command5_Click(form);
    QCOMPARE(describe(done), sum);
    form.apply(done);
    if (chosen >= 0)
        form.apply({Effect::select(QStringLiteral("Combo1"), -1, chosen)});
    QCOMPARE(describe(Command6_Click(form)), reduced);
}

// Steps 5a and 5b: one operation on two rows of fields.
void tst_RektiSteps::difference_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<FieldTexts>("minuend");
    QTest::addColumn<FieldTexts>("subtrahend");
    QTest::addColumn<int>("correction"); // position in "-30", "+0", "+30"
    QTest::addColumn<QStringList>("effects");
    QTest::newRow("greater - smaller")
        << s("Command7") << triple("15", "20", "0") << triple("14", "18", "30") << 1
        << writes("txtDeg5", "1", "1", "30") + writes("txtDeg10", "1", "1", "30");
    QTest::newRow("smaller - greater shown without sign")
        << s("Command7") << triple("14", "18", "30") << triple("15", "20", "0") << 1
        << writes("txtDeg5", "1", "1", "30") + writes("txtDeg10", "1", "1", "30");
    QTest::newRow("sign change +30")
        << s("Command8") << triple("1", "10", "0") << triple("29", "5", "0") << 2
        << writes("txtDeg8", "2", "5", "0") + writes("txtDeg9", "2", "5", "0");
    QTest::newRow("sign change -30")
        << s("Command8") << triple("29", "5", "0") << triple("1", "10", "0") << 0
        << writes("txtDeg8", "2", "5", "0") + writes("txtDeg9", "2", "5", "0");
    QTest::newRow("30 degrees pass")
        << s("Command7") << triple("30", "59", "59") << triple("0", "0", "0") << 1
        << writes("txtDeg5", "30", "59", "59") + writes("txtDeg10", "30", "59", "59");
    QTest::newRow("minuend 31 degrees") << s("Command7") << triple("31", "0", "0")
                                        << triple("1", "0", "0") << 1 << gzk("Winkel ungültig!");
    QTest::newRow("subtrahend 60 minutes")
        << s("Command8") << triple("1", "0", "0") << triple("0", "60", "0") << 1
        << gzk("Winkel ungültig!");
}

void tst_RektiSteps::difference()
{
    QFETCH(QString, step);
    QFETCH(FieldTexts, minuend);
    QFETCH(FieldTexts, subtrahend);
    QFETCH(int, correction);
    QFETCH(QStringList, effects);
    const bool first = step == QStringLiteral("Command7");
    ValueMap form;
    setLists(form);
    form.apply({Effect::select(first ? s("Combo3") : s("Combo4"), -1, correction)});
    form.setTriple(first ? s("txtDeg3") : s("txtDeg6"), minuend);
    form.setTriple(first ? s("txtDeg4") : s("txtDeg7"), subtrahend);
    QCOMPARE(describe(stepNamed(step)(form)), effects);
}

void tst_RektiSteps::quotient_data()
{
    QTest::addColumn<FieldTexts>("numerator");
    QTest::addColumn<FieldTexts>("denominator");
    QTest::addColumn<QStringList>("effects");
    // 1900'' / 3690'' = 0.51490 → 0.5149 → 0°30'54''
    QTest::newRow("1900/3690") << triple("0", "31", "40") << triple("1", "1", "30")
                               << writes("txtDeg11", "0", "30", "54") +
                                      writes("txtdeg12", "0", "30", "54");
    QTest::newRow("equal differences")
        << triple("2", "5", "0") << triple("2", "5", "0")
        << writes("txtDeg11", "1", "0", "0") + writes("txtdeg12", "1", "0", "0");
    QTest::newRow("0.9999 carries")
        << triple("27", "46", "30") << triple("27", "46", "40")
        << writes("txtDeg11", "1", "0", "0") + writes("txtdeg12", "1", "0", "0");
    QTest::newRow("30°59'59'' passes")
        << triple("30", "59", "59") << triple("30", "59", "59")
        << writes("txtDeg11", "1", "0", "0") + writes("txtdeg12", "1", "0", "0");
    QTest::newRow("31° numerator")
        << triple("31", "0", "0") << triple("30", "59", "59") << gzk("Winkel ungültig!");
    QTest::newRow("31° denominator")
        << triple("1", "0", "0") << triple("31", "0", "0") << gzk("Winkel ungültig!");
    QTest::newRow("empty denominator")
        << triple("1", "0", "0") << FieldTexts{} << gzk("Nulldivision!");
    QTest::newRow("zero division before angle check")
        << triple("31", "0", "0") << triple("0", "0", "0") << gzk("Nulldivision!");
}

void tst_RektiSteps::quotient()
{
    QFETCH(FieldTexts, numerator);
    QFETCH(FieldTexts, denominator);
    QFETCH(QStringList, effects);
    ValueMap form;
    form.setTriple(QStringLiteral("txtDeg9"), numerator);
    form.setTriple(QStringLiteral("txtDeg10"), denominator);
    QCOMPARE(describe(Command9_Click(form)), effects);
}

void tst_RektiSteps::ramcPlusQuotient_data()
{
    QTest::addColumn<QString>("ramc");
    QTest::addColumn<FieldTexts>("quotient");
    QTest::addColumn<QStringList>("effects");
    QTest::newRow("123 + 0°30'54''")
        << s("123") << triple("0", "30", "54") << writes("txtDeg13", "123", "30", "54");
    QTest::newRow("360 accepted") << s("360") << triple("0", "30", "0")
                                  << writes("txtDeg13", "360", "30", "0");
    QTest::newRow("361 refused") << s("361") << triple("0", "30", "0")
                                 << gzk("RAMC ist maximal 360° möglich!") +
                                        QStringList{s("Text5="), s("focus Text5")};
    QTest::newRow("empty RAMC") << QString() << triple("0", "30", "54")
                                << writes("txtDeg13", "0", "30", "54");
}

void tst_RektiSteps::ramcPlusQuotient()
{
    QFETCH(QString, ramc);
    QFETCH(FieldTexts, quotient);
    QFETCH(QStringList, effects);
    ValueMap form;
    form.setText(QStringLiteral("Text5"), -1, ramc);
    form.setTriple(QStringLiteral("txtdeg12"), quotient);
    QCOMPARE(describe(Command10_Click(form)), effects);
}

void tst_RektiSteps::correctedRamc_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<FieldTexts>("ramcPlusQuotient");
    QTest::addColumn<FieldTexts>("arc");
    QTest::addColumn<int>("correction"); // position in " 0", "+360", "- 360"
    QTest::addColumn<QStringList>("effects");
    const QStringList refused = gzk("Wert darf nicht negativ oder größer als 360 werden!");
    for (const QLocale &locale : {German, English}) {
        const QByteArray l = locale == German ? "German" : "English";
        QTest::addRow("123°30'54'' - arc, %s", l.constData())
            << locale << triple("123", "30", "54") << triple("33", "49", "58") << 0
            << writes("txtDeg16", "89", "40", "56") + writes("txtDeg17", "89", "40", "56");
        QTest::addRow("+360, %s", l.constData())
            << locale << triple("10", "0", "0") << triple("33", "49", "58") << 1
            << writes("txtDeg16", "336", "10", "2") + writes("txtDeg17", "336", "10", "2");
        QTest::addRow("- 360, %s", l.constData())
            << locale << triple("360", "30", "0") << FieldTexts{} << 2
            << writes("txtDeg16", "0", "30", "0") + writes("txtDeg17", "0", "30", "0");
    }
    QTest::newRow("negative") << German << triple("10", "0", "0") << triple("33", "49", "58") << 0
                              << refused;
    QTest::newRow("exactly 360° passes")
        << German << triple("360", "0", "0") << FieldTexts{} << 0
        << writes("txtDeg16", "360", "0", "0") + writes("txtDeg17", "360", "0", "0");
    QTest::newRow("one second over 360°")
        << German << triple("360", "0", "1") << FieldTexts{} << 0 << refused;
}

void tst_RektiSteps::correctedRamc()
{
    QFETCH(QLocale, locale);
    QFETCH(FieldTexts, ramcPlusQuotient);
    QFETCH(FieldTexts, arc);
    QFETCH(int, correction);
    QFETCH(QStringList, effects);
    QLocale::setDefault(locale);
    ValueMap form;
    setLists(form);
    form.apply({Effect::select(QStringLiteral("Combo2"), -1, correction)});
    form.setTriple(QStringLiteral("txtDeg13"), ramcPlusQuotient);
    form.setTriple(QStringLiteral("txtDeg15"), arc);
    QCOMPARE(describe(Command11_Click(form)), effects);
}

// Steps 7 and 8 as a chain, ending in the result row.
void tst_RektiSteps::timeDifference_data()
{
    QTest::addColumn<FieldTexts>("correctedRamc");
    QTest::addColumn<FieldTexts>("birth");
    QTest::addColumn<FieldTexts>("inTime");
    QTest::addColumn<FieldTexts>("difference");
    QTest::addColumn<QString>("column3");
    QTest::newRow("89°40'56'' - 6 h 2 m 10 s")
        << triple("89", "40", "56") << triple("6", "2", "10") << triple("5", "58", "44")
        << triple("0", "-3", "-26") << s("0h-3m-26s");
    QTest::newRow("positive") << triple("16", "22", "30") << triple("0", "0", "0")
                              << triple("1", "5", "30") << triple("1", "5", "30") << s("1h5m30s");
    QTest::newRow("360° is 24 h, not reduced")
        << triple("360", "0", "0") << triple("0", "0", "0") << triple("24", "0", "0")
        << triple("24", "0", "0") << s("24h0m0s");
    QTest::newRow("all empty") << FieldTexts{} << FieldTexts{} << triple("0", "0", "0")
                               << triple("0", "0", "0") << s("0h0m0s");
    QTest::newRow("only the birth time")
        << FieldTexts{} << triple("6", "2", "10") << triple("0", "0", "0")
        << triple("-6", "-2", "-10") << s("-6h-2m-10s");
}

void tst_RektiSteps::timeDifference()
{
    QFETCH(FieldTexts, correctedRamc);
    QFETCH(FieldTexts, birth);
    QFETCH(FieldTexts, inTime);
    QFETCH(FieldTexts, difference);
    QFETCH(QString, column3);
    ValueMap form;
    form.setTriple(QStringLiteral("txtDeg17"), correctedRamc);
    form.setTriple(QStringLiteral("txtTime7"), birth);
    form.setText(QStringLiteral("Text7"), 0, QStringLiteral("Heirat"));

    Effects done = Command12_Click(form);
    QCOMPARE(describe(done), describe(WriteTriple(QStringLiteral("txtTime6"), inTime) +
                                      WriteTriple(QStringLiteral("txtTime8"), inTime)));
    form.apply(done);

    done = Command13_Click(form);
    QCOMPARE(describe(done), QStringList{QStringLiteral("ResultReady")} +
                                 describe(WriteTriple(QStringLiteral("txtTime9"), difference)));
    form.apply(done);

    const ResultRow row = ResultRowOf(form);
    QCOMPARE(row, (ResultRow{QStringLiteral("Rektifikation"), QStringLiteral("Heirat"), column3}));
}

// Column 3 of the row: the numbers of txtTime9 in the desktop's format.
void tst_RektiSteps::resultRow_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("event");
    QTest::addColumn<FieldTexts>("difference");
    QTest::addColumn<QString>("column3");
    QTest::newRow("event kept as typed")
        << German << s(" Unfall, 3. Mai ") << triple("1", "5", "30") << s("1h5m30s");
    QTest::newRow("empty event and fields") << English << QString() << FieldTexts{} << s("0h0m0s");
    QTest::newRow("leading zeros and blanks")
        << German << s("x") << triple(" 01", "-05", "7abc") << s("1h-5m7s");
    QTest::newRow("fraction, German")
        << German << s("x") << triple("2.5", "0", "0") << s("2,5h0m0s");
    QTest::newRow("fraction, English")
        << English << s("x") << triple("2.5", "0", "0") << s("2.5h0m0s");
}

void tst_RektiSteps::resultRow()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, event);
    QFETCH(FieldTexts, difference);
    QFETCH(QString, column3);
    QLocale::setDefault(locale);
    ValueMap form;
    form.setText(QStringLiteral("Text7"), 0, event);
    form.setTriple(QStringLiteral("txtTime9"), difference);
    QCOMPARE(ResultRowOf(form), (ResultRow{QStringLiteral("Rektifikation"), event, column3}));
}

// Long digit strings reach the 16- and 32-bit limits through fields without a
// range check: one message, nothing written, and no ResultReady.
void tst_RektiSteps::overflow_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("control");
    QTest::addColumn<FieldTexts>("texts");
    // -596523°14'8'' is -2^31 seconds: its absolute value needs 33 bits.
    const FieldTexts minimum = triple("-596523", "-14", "-8");
    QTest::newRow("step 2: years beyond 32 bits")
        << s("Command2") << s("txtJahre2") << triple("99999999999", "0", "");
    QTest::newRow("step 2: arc beyond 32 bits") // a million years
        << s("Command3") << s("Text1") << triple("1000000", "", "");
    QTest::newRow("step 3: degrees beyond 32 bits")
        << s("Command4") << s("txtDeg2") << triple("600000", "", "");
    QTest::newRow("step 3: hours beyond 16 bits")
        << s("Command4") << s("txtDeg2") << triple("500000", "", "");
    QTest::newRow("step 4: sum beyond 32 bits")
        << s("Command5") << s("txtTime2") << triple("596523", "14", "7");
    QTest::newRow("step 4: hours beyond 16 bits")
        << s("Command6") << s("txtTime4") << triple("40000", "", "");
    QTest::newRow("step 5: |-2^31|") << s("Command7") << s("txtDeg3") << minimum;
    QTest::newRow("step 5: denominator")
        << s("Command9") << s("txtDeg10") << triple("99999999999", "", "");
    QTest::newRow("step 6: RAMC plus quotient")
        << s("Command10") << s("txtdeg12") << triple("40000", "", "");
    QTest::newRow("step 6: difference") << s("Command11") << s("txtDeg13") << minimum;
    QTest::newRow("step 7") << s("Command12") << s("txtDeg17") << triple("600000", "", "");
    QTest::newRow("step 8 leaves ResultReady") << s("Command13") << s("txtTime6") << minimum;
}

void tst_RektiSteps::overflow()
{
    QFETCH(QString, step);
    QFETCH(QString, control);
    QFETCH(FieldTexts, texts);
    ValueMap form;
    setLists(form);
    if (control == QStringLiteral("Text1"))
        form.setText(control, 3, texts[0]); // the decimal years
    else
        form.setTriple(control, texts);
    form.setTriple(QStringLiteral("txtTime3"), triple("0", "0", "1"));
    form.setTriple(QStringLiteral("txtDeg15"), triple("0", "0", "1"));
    form.setTriple(QStringLiteral("txtTime7"), triple("0", "0", "1"));
    QCOMPARE(describe(stepNamed(step)(form)), gzk("Überlauf!"));
}

void tst_RektiSteps::resultRowOverflow()
{
    ValueMap form;
    form.setTriple(QStringLiteral("txtTime9"), triple("1E400", "0", "0"));
    QVERIFY_THROWS_EXCEPTION(Overflow, ResultRowOf(form));
}

QTEST_GUILESS_MAIN(tst_RektiSteps)
#include "tst_rekti_steps.moc"
