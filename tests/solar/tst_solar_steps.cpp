#include "core/overflow.h"
#include "solar/solar_steps.h"

#include <QLocale>
#include <QTest>

using namespace SolarSteps;

namespace {

QString s(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// Each step reads two inputs and writes its result into the listed field
// triples; "ready" marks the calculation finished.
struct StepShape {
    Effects (*run)(const FormValues &);
    const char *input1, *input2;
    QList<const char *> outputs;
};

StepShape shapeOf(const QString &button)
{
    if (button == u"Command2")
        return {Command2_Click, "txtDeg02", "txtDeg01", {"txtDeg1", "txtDeg4"}};
    if (button == u"Command3")
        return {Command3_Click, "cmbDeg5", "txtDeg03", {"txtDeg2", "txtDeg3"}};
    if (button == u"Command4")
        return {Command4_Click, "txtDeg4", "txtDeg3", {"txtTime1", "txtTime2"}};
    if (button == u"Command1")
        return {Command1_Click, "txtTime2", "cmbGMT", {"txtTime3"}};
    return {Command5_Click, "txtTime3", "Combo1", {"ready", "txtTime4"}};
}

QStringList numbers(int count)
{
    QStringList entries;
    for (int k = 0; k < count; ++k)
        entries << QString::number(k);
    return entries;
}

// "13|50|10" is the three texts of a field triple or the positions of a picker
// triple; a single text is the selected entry of a drop-down list.
void put(ValueMap &form, const char *control, const QString &value)
{
    const QString name = s(control);
    const QStringList parts = value.split(u'|');
    if (parts.size() == 1)
        form.setList(name, -1, parts);
    else if (name.startsWith(u"cmbDeg"))
        for (int i = 0; i < 3; ++i)
            form.setList(name, i, numbers(i == 0 ? 31 : 60), parts[i].toInt());
    else
        form.setTriple(name, {parts[0], parts[1], parts[2]});
}

} // namespace

class tst_SolarSteps : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void steps_data();
    void steps();
    void pickers();
    void wholeCalculation();
};

void tst_SolarSteps::steps_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("input1");
    QTest::addColumn<QString>("input2");
    QTest::addColumn<QString>("result"); // the triple written, or "!" and the message
    QTest::addColumn<QString>("locale");
    const auto row = [](const char *tag, const char *button, const char *in1, const char *in2,
                        const char *result, const char *locale = "de_DE") {
        QTest::newRow(tag) << s(button) << s(in1) << s(in2) << s(result) << s(locale);
    };
    const char *tooLarge = "!Differenz zu groß, sie darf maximal 1°05' betragen.";
    const char *overflow = "!Überlauf!";
    const char *perDay = "!Maximimal 24 Stunden pro Tag";

    row("A 3660", "Command2", "12|30|0", "13|31|0", "1|1|0");
    row("A 3900 passes", "Command2", "12|0|0", "13|5|0", "1|5|0");
    row("A 3901", "Command2", "12|0|0", "13|5|1", tooLarge);
    row("equal positions, A 0", "Command2", "7|7|7", "7|7|7", "0|0|0");
    row("across the sign", "Command2", "29|40|0", "0|41|0", "!1. Datum größer als 2. Datum!");
    row("A total beyond 32 bits", "Command2", "0|0|0", "999999|0|0", overflow);
    row("A difference beyond 32 bits", "Command2", "-596523|0|0", "596523|0|0", overflow);

    row("B 3900 passes", "Command3", "14|5|0", "13|0|0", "1|5|0");
    row("B 3901", "Command3", "14|5|1", "13|0|0", tooLarge);
    row("B 0", "Command3", "13|50|10", "13|50|10", "0|0|0");
    row("radix before date 1", "Command3", "13|50|9", "13|50|10",
        "!1. Datum größer als Radix-Sonnenposition");
    row("B difference beyond 32 bits", "Command3", "30|0|0", "-596523|0|0", overflow);

    row("3600/1800", "Command4", "1|0|0", "0|30|0", "12|0|0");
    row("3661/1234", "Command4", "1|1|1", "0|20|34", "8|5|23");
    row("3001/25 carries", "Command4", "0|50|1", "0|0|25", "0|12|0");
    row("3500/3600", "Command4", "0|58|20", "1|0|0", "24|41|9");
    row("B 0 in step 4", "Command4", "1|0|0", "0|0|0", "0|0|0");
    row("negative B", "Command4", "1|0|0", "0|-1|0", "0|-24|0");
    row("negative B carries", "Command4", "0|50|1", "0|0|-25", "0|-12|0");
    row("A 0", "Command4", "0|0|0", "0|32|20", "!Nulldivision!");
    row("32767 h", "Command4", "0|0|24", "0|0|32767", "32767|0|0");
    row("32768 h", "Command4", "0|0|24", "0|0|32768", overflow);
    row("1/1800: 43200 h", "Command4", "0|0|1", "0|30|0", overflow);
    row("B beyond a double", "Command4", "1|0|0", "1E400|0|0", overflow);

    row("zone +1", "Command1", "23|59|36", "+1", "24|59|36");
    row("zone -1", "Command1", "0|10|0", "-1", "-1|10|0");
    row("zone plain texts", "Command1", "13|05|", "0", "13|5|0");
    row("typed fraction, German", "Command1", "13.5|0|0", "+1", "14,5|0|0");
    row("typed fraction, English", "Command1", "13.5|0|0", "+1", "14.5|0|0", "en_US");
    // A fraction written under German settings reads back whole; under
    // English ones a comma still ends the number.
    row("written fraction, German", "Command1", "13,5|1,5|0,5", "+1", "14,5|1,5|0,5");
    row("comma, English", "Command1", "13,5|1,5|0", "+1", "14|1|0", "en_US");
    row("zone sum not finite", "Command1", "1.7976931348623157E308|0|0", "1E300", overflow);

    row("24 h passes", "Command5", "24|59|36", "+0h", "24|59|36");
    row("24 h minus a day", "Command5", "24|59|36", "-24h", "0|59|36");
    row("24.5 h", "Command5", "24.5|0|0", "+0h", perDay);
    row("final fraction, German", "Command5", "14,5|1,5|0", "+0h", "14,5|1,5|0");
    row("final full stop, German", "Command5", "14.5|1.5|0", "+0h", "14,5|1,5|0");
    row("final comma, English", "Command5", "14,5|1,5|0", "+0h", "14|1|0", "en_US");
    row("24,5 h", "Command5", "24,5|0|0", "+0h", perDay);
    row("below 0 h", "Command5", "-1|10|0", "+0h", perDay);
    row("final plain texts", "Command5", "05|05|", "+0h", "5|5|0");
    row("final beyond a double", "Command5", "5|1E400|0", "+0h", overflow);
}

void tst_SolarSteps::steps()
{
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
    const QStringList parts = result.split(u'|');
    if (result.startsWith(u'!'))
        expected << Effect::message(result.mid(1), s("Solar"));
    else
        for (const char *output : shape.outputs)
            expected << (qstrcmp(output, "ready") == 0
                             ? Effects{Effect::resultReady(true)}
                             : WriteTriple(s(output), FieldTexts{parts[0], parts[1], parts[2]}));
    QCOMPARE(shape.run(form), expected);
}

// A picked position is carried into the fields; the radix position only into
// the radix picker of step 3 once that holds the same entries (it fills later).
void tst_SolarSteps::pickers()
{
    ValueMap form;
    for (const char *picker : {"cmbDeg1", "cmbDeg2", "cmbDeg13"})
        form.setList(s(picker), 1, numbers(60), 59);
    form.setList(s("cmbDeg5"), 1, numbers(30));
    QCOMPARE(PickerClicked(form, s("cmbDeg1"), 1),
             Effects({Effect::setText(s("txtDeg02"), 1, s("59")),
                      Effect::setText(s("txtDeg03"), 1, s("59"))}));
    QCOMPARE(PickerClicked(form, s("cmbDeg2"), 1),
             Effects({Effect::setText(s("txtDeg01"), 1, s("59"))}));
    QCOMPARE(PickerClicked(form, s("cmbDeg13"), 1), Effects());
    form.setList(s("cmbDeg5"), 1, numbers(60));
    QCOMPARE(PickerClicked(form, s("cmbDeg13"), 1), Effects({Effect::select(s("cmbDeg5"), 1, 59)}));
    form.setList(s("cmbDeg1"), 1, numbers(60), -1);
    QCOMPARE(PickerClicked(form, s("cmbDeg1"), 1), Effects());
}

// Radix 14°22'30'', date 1 at 13°50'10'', date 2 at 14°47'25'': from the
// pickers to the row, each step reading what the earlier ones wrote.
void tst_SolarSteps::wholeCalculation()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ValueMap form;
    put(form, "cmbDeg13", s("14|22|30"));
    put(form, "cmbDeg1", s("13|50|10"));
    put(form, "cmbDeg2", s("14|47|25"));
    put(form, "cmbDeg5", s("0|0|0"));
    put(form, "cmbGMT", s("+1"));
    put(form, "Combo1", s("+0h"));
    for (int i = 0; i < 3; ++i) // the date of the Solar lies in elements 2-4
        form.setText(s("Text1"), i + 2, s("12|7|2024").section(u'|', i, i));
    for (const char *picker : {"cmbDeg1", "cmbDeg2", "cmbDeg13"})
        for (int i = 0; i < 3; ++i)
            form.apply(PickerClicked(form, s(picker), i));
    form.apply(Command2_Click(form));
    form.apply(Command3_Click(form));
    QCOMPARE(form.triple(s("txtDeg4")), FieldTexts({s("0"), s("57"), s("15")}));
    QCOMPARE(form.triple(s("txtDeg3")), FieldTexts({s("0"), s("32"), s("20")}));
    form.apply(Command4_Click(form));
    QCOMPARE(form.triple(s("txtTime2")), FieldTexts({s("13"), s("33"), s("17")}));
    form.apply(Command1_Click(form));
    form.apply(Command5_Click(form));
    QCOMPARE(ResultRowOf(form), ResultRow({s("Solar"), s("12.7.2024"), s("14h33m17s")}));

    // An empty form still gives a row; a year beyond a double cannot be shown.
    QCOMPARE(ResultRowOf(ValueMap()), ResultRow({s("Solar"), s("0.0.0"), s("0h0m0s")}));
    form.setText(s("Text1"), 4, s("1E400"));
    QVERIFY_THROWS_EXCEPTION(Overflow, ResultRowOf(form));
}

QTEST_GUILESS_MAIN(tst_SolarSteps)
#include "tst_solar_steps.moc"
