#include "core/overflow.h"
#include "solar/solar_steps.h"

#include <QLocale>
#include <QTest>

Q_DECLARE_METATYPE(Effect)

char *toString(const Effect &e) {
    return qstrdup(QStringLiteral("%1 %2_%3 '%4' '%5' %6 %7")
                       .arg(int(e.kind))
                       .arg(e.control)
                       .arg(e.index)
                       .arg(e.text, e.title)
                       .arg(e.position)
                       .arg(e.flag)
                       .toUtf8()
                       .constData());
}

namespace {

using Step = Effects (*)(const FormValues &);

// Each step button reads two inputs and writes its result into the listed
// fields; "ready" marks the calculation finished.
struct StepShape {
    Step run;
    QString input1, input2;
    QStringList outputs;
};

StepShape shapeOf(const QString &button) {
    using namespace SolarSteps;
    const auto s = [](const char *t) { return QString::fromLatin1(t); };
    if (button == s("Command2"))
        return {Command2_Click, s("txtDeg02"), s("txtDeg01"), {s("txtDeg1"), s("txtDeg4")}};
    if (button == s("Command3"))
        return {Command3_Click, s("cmbDeg5"), s("txtDeg03"), {s("txtDeg2"), s("txtDeg3")}};
    if (button == s("Command4"))
        return {Command4_Click, s("txtDeg4"), s("txtDeg3"), {s("txtTime1"), s("txtTime2")}};
    if (button == s("Command1"))
        return {Command1_Click, s("txtTime2"), s("cmbGMT"), {s("txtTime3")}};
    return {Command5_Click, s("txtTime3"), s("Combo1"), {s("ready"), s("txtTime4")}};
}

QStringList numbers(int count) {
    QStringList entries;
    for (int k = 0; k < count; ++k)
        entries << QString::number(k);
    return entries;
}

// "13|50|10" is the three texts of a field triple or the positions of a picker
// triple; a single text is the selected entry of a drop-down list.
void put(ValueMap &form, const QString &control, const QString &value) {
    const QStringList parts = value.split(u'|');
    if (parts.size() == 1)
        form.setList(control, -1, parts);
    else if (control.startsWith(QLatin1String("cmbDeg")))
        for (int i = 0; i < 3; ++i)
            form.setList(control, i, numbers(i == 0 ? 31 : 60), parts[i].toInt());
    else
        form.setTriple(control, {parts[0], parts[1], parts[2]});
}

} // namespace

class tst_SolarSteps : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void steps_data();
    void steps();
    void pickers_data();
    void pickers();
    void wholeCalculation();
    void resultRow_data();
    void resultRow();
};

void tst_SolarSteps::steps_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("input1");
    QTest::addColumn<QString>("input2");
    QTest::addColumn<QString>("result"); // the triple written, or "!" and the message
    QTest::addColumn<QString>("locale");
    const auto row = [](const char *tag, const char *button, const char *in1, const char *in2,
                        const char *result, const char *locale = "de_DE") {
        QTest::newRow(tag) << QString::fromUtf8(button) << QString::fromUtf8(in1)
                           << QString::fromUtf8(in2) << QString::fromUtf8(result)
                           << QString::fromUtf8(locale);
    };
    const char *tooLarge = "!Differenz zu groß, sie darf maximal 1°05' betragen.";
    const char *overflow = "!Überlauf!";
    const char *perDay = "!Maximimal 24 Stunden pro Tag";

    row("A 3660", "Command2", "12|30|0", "13|31|0", "1|1|0");
    row("A 3900 passes", "Command2", "12|0|0", "13|5|0", "1|5|0");
    row("A 3901", "Command2", "12|0|0", "13|5|1", tooLarge);
    row("A 0 passes", "Command2", "7|7|7", "7|7|7", "0|0|0");
    row("across the sign", "Command2", "29|40|0", "0|41|0", "!1. Datum größer als 2. Datum!");
    row("seconds halves to even", "Command2", "0|0|2.5", "0|0|3.5", "0|0|2");
    row("A total beyond 32 bits", "Command2", "0|0|0", "999999|0|0", overflow);
    row("A difference beyond 32 bits", "Command2", "-596523|0|0", "596523|0|0", overflow);

    row("B 3900 passes", "Command3", "14|5|0", "13|0|0", "1|5|0");
    row("B 3901", "Command3", "14|5|1", "13|0|0", tooLarge);
    row("B 0 passes", "Command3", "13|50|10", "13|50|10", "0|0|0");
    row("radix before date 1", "Command3", "13|50|9", "13|50|10",
        "!1. Datum größer als Radix-Sonnenposition");
    row("B difference beyond 32 bits", "Command3", "30|0|0", "-596523|0|0", overflow);

    row("8.0896 h", "Command4", "1|1|1", "0|20|34", "8|5|23");
    row("0.1999 h carries", "Command4", "0|50|1", "0|0|25", "0|12|0");
    row("24.6857 h", "Command4", "0|58|20", "1|0|0", "24|41|9");
    row("0.28125 h halves to even", "Command4", "0|4|16", "0|0|3", "0|16|52");
    row("negative B", "Command4", "1|0|0", "0|-1|0", "0|-24|0");
    row("A 0", "Command4", "0|0|0", "0|32|20", "!Nulldivision!");
    row("32767 h", "Command4", "0|0|24", "0|0|32767", "32767|0|0");
    row("32768 h", "Command4", "0|0|24", "0|0|32768", overflow);
    row("43200 h", "Command4", "0|0|1", "0|30|0", overflow);
    row("A total beyond 32 bits", "Command4", "99999999999|0|0", "1|0|0", overflow);
    row("B total beyond 32 bits", "Command4", "1|0|0", "0|0|2147483648", overflow);
    row("B beyond a double", "Command4", "1|0|0", "1E400|0|0", overflow);

    row("zone +1", "Command1", "23|59|36", "+1", "24|59|36");
    row("zone -1", "Command1", "0|10|0", "-1", "-1|10|0");
    row("zone plain texts", "Command1", "13|05|", "0", "13|5|0");
    row("typed fraction, German", "Command1", "13.5|0|0", "+1", "14,5|0|0");
    row("typed fraction, English", "Command1", "13.5|0|0", "+1", "14.5|0|0", "en_US");
    row("zone seconds beyond a double", "Command1", "1|0|1E400", "+1", overflow);
    row("zone sum not finite", "Command1", "1.7976931348623157E308|0|0", "1E300", overflow);

    row("24 h passes", "Command5", "24|59|36", "+0h", "24|59|36");
    row("24 h minus a day", "Command5", "24|59|36", "-24h", "0|59|36");
    row("24.5 h", "Command5", "24.5|0|0", "+0h", perDay);
    row("below 0 h", "Command5", "-1|10|0", "+0h", perDay);
    row("0 h minus a day", "Command5", "0|0|0", "-24h", perDay);
    row("final plain texts", "Command5", "05|05|", "+0h", "5|5|0");
    row("final beyond a double", "Command5", "5|1E400|0", "+0h", overflow);
}

void tst_SolarSteps::steps() {
    QFETCH(QString, button);
    QFETCH(QString, input1);
    QFETCH(QString, input2);
    QFETCH(QString, result);
    QFETCH(QString, locale);
    QLocale::setDefault(QLocale(locale));
    const StepShape shape = shapeOf(button);
    ValueMap form;
    put(form, shape.input1, input1);
    put(form, shape.input2, input2);

    Effects expected;
    if (result.startsWith(u'!')) {
        expected << Effect::message(result.mid(1), QStringLiteral("Solar"));
    } else {
        const QStringList parts = result.split(u'|');
        for (const QString &output : shape.outputs) {
            if (output == QLatin1String("ready"))
                expected << Effect::resultReady(true);
            else
                expected << WriteTriple(output, FieldTexts{parts[0], parts[1], parts[2]});
        }
    }
    QCOMPARE(shape.run(form), expected);
}

void tst_SolarSteps::pickers_data() {
    QTest::addColumn<QString>("picker");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("radixEntries"); // of cmbDeg5, which may still be filling
    QTest::addColumn<Effects>("effects");
    const auto s = [](const char *t) { return QString::fromLatin1(t); };
    QTest::newRow("date 1") << s("cmbDeg1") << 59 << 60
                            << Effects{Effect::setText(s("txtDeg02"), 1, s("59")),
                                       Effect::setText(s("txtDeg03"), 1, s("59"))};
    QTest::newRow("date 2") << s("cmbDeg2") << 7 << 60
                            << Effects{Effect::setText(s("txtDeg01"), 1, s("7"))};
    QTest::newRow("radix") << s("cmbDeg13") << 22 << 60
                           << Effects{Effect::select(s("cmbDeg5"), 1, 22)};
    QTest::newRow("radix, step 3 half filled") << s("cmbDeg13") << 22 << 30 << Effects{};
    QTest::newRow("radix, step 3 empty") << s("cmbDeg13") << 22 << 0 << Effects{};
    QTest::newRow("no selection") << s("cmbDeg1") << -1 << 60 << Effects{};
}

void tst_SolarSteps::pickers() {
    QFETCH(QString, picker);
    QFETCH(int, position);
    QFETCH(int, radixEntries);
    QFETCH(Effects, effects);
    ValueMap form;
    form.setList(picker, 1, numbers(60), position);
    form.setList(QStringLiteral("cmbDeg5"), 1, numbers(radixEntries));
    QCOMPARE(SolarSteps::PickerClicked(form, picker, 1), effects);
}

void tst_SolarSteps::wholeCalculation() {
    // Radix 14°22'30'', date 1 at 13°50'10'', date 2 at 14°47'25'': from the
    // pickers to the row, each step reading what the earlier ones wrote.
    const auto s = [](const char *t) { return QString::fromLatin1(t); };
    ValueMap form;
    put(form, s("cmbDeg13"), s("14|22|30"));
    put(form, s("cmbDeg1"), s("13|50|10"));
    put(form, s("cmbDeg2"), s("14|47|25"));
    put(form, s("cmbDeg5"), s("0|0|0"));
    put(form, s("cmbGMT"), s("+1"));
    put(form, s("Combo1"), s("+0h"));
    for (const char *picker : {"cmbDeg1", "cmbDeg2", "cmbDeg13"})
        for (int i = 0; i < 3; ++i)
            form.apply(SolarSteps::PickerClicked(form, s(picker), i));
    form.apply(SolarSteps::Command2_Click(form));
    form.apply(SolarSteps::Command3_Click(form));
    QCOMPARE(form.triple(s("txtDeg4")), FieldTexts({s("0"), s("57"), s("15")}));
    QCOMPARE(form.triple(s("txtDeg3")), FieldTexts({s("0"), s("32"), s("20")}));
    form.apply(SolarSteps::Command4_Click(form));
    QCOMPARE(form.triple(s("txtTime2")), FieldTexts({s("13"), s("33"), s("17")}));
    form.apply(SolarSteps::Command1_Click(form));
    form.apply(SolarSteps::Command5_Click(form));
    form.setTriple(s("Text1"), {}); // elements 2-4 hold the date of the Solar
    for (int i = 2; i < 5; ++i)
        form.setText(s("Text1"), i, s("12|7|2024").section(u'|', i - 2, i - 2));
    QCOMPARE(SolarSteps::ResultRowOf(form),
             ResultRow({s("Solar"), s("12.7.2024"), s("14h33m17s")}));
}

void tst_SolarSteps::resultRow_data() {
    QTest::addColumn<QString>("date");    // Text1 elements 2-4
    QTest::addColumn<QString>("time");    // txtTime4
    QTest::addColumn<QString>("columns"); // columns 2 and 3, or empty for an overflow
    const auto row = [](const char *tag, const char *date, const char *time, const char *columns) {
        QTest::newRow(tag) << QString::fromLatin1(date) << QString::fromLatin1(time)
                           << QString::fromLatin1(columns);
    };
    row("empty", "||", "||", "0.0.0 0h0m0s");
    row("leading zeros", "05|07|2024", "0|59|36", "5.7.2024 0h59m36s");
    row("negative minutes", "1|1|2025", "0|-24|0", "1.1.2025 0h-24m0s");
    row("year beyond a double", "1|1|1E400", "0|0|0", "");
}

void tst_SolarSteps::resultRow() {
    QFETCH(QString, date);
    QFETCH(QString, time);
    QFETCH(QString, columns);
    ValueMap form;
    for (int i = 0; i < 3; ++i) {
        form.setText(QStringLiteral("Text1"), i + 2, date.section(u'|', i, i));
        form.setText(QStringLiteral("txtTime4"), i, time.section(u'|', i, i));
    }
    if (columns.isEmpty()) {
        QVERIFY_THROWS_EXCEPTION(Overflow, SolarSteps::ResultRowOf(form));
        return;
    }
    const ResultRow row{QStringLiteral("Solar"), columns.section(u' ', 0, 0),
                        columns.section(u' ', 1, 1)};
    QCOMPARE(SolarSteps::ResultRowOf(form), row);
}

QTEST_GUILESS_MAIN(tst_SolarSteps)
#include "tst_solar_steps.moc"
