// A session at the Solar form: the fuzzer types into the fields, refills and
// selects the drop-down lists and presses the step buttons in any order;
// each answer is applied to the form as the form would, so later steps
// compute from earlier results. Every answer must be all of a step's writes
// or exactly one message, and the results must be what the hand method gives.

#include "core/numbers.h"
#include "core/overflow.h"
#include "fuzzsupport.h"
#include "solar/solar_steps.h"

#include <cmath>

namespace {

QStringList Numbers(int first, int last)
{
    QStringList entries;
    for (int i = first; i <= last; ++i)
        entries << QString::number(i);
    return entries;
}

const std::vector<Control> &TextFields()
{
    static const std::vector<Control> fields{
        {QStringLiteral("txtDeg01"), 3}, {QStringLiteral("txtDeg02"), 3},
        {QStringLiteral("txtDeg03"), 3}, {QStringLiteral("txtDeg1"), 3},
        {QStringLiteral("txtDeg2"), 3},  {QStringLiteral("txtDeg3"), 3},
        {QStringLiteral("txtDeg4"), 3},  {QStringLiteral("txtTime1"), 3},
        {QStringLiteral("txtTime2"), 3}, {QStringLiteral("txtTime3"), 3},
        {QStringLiteral("txtTime4"), 3}, {QStringLiteral("Text1"), 5}};
    return fields;
}

const std::vector<Control> &Lists()
{
    static const std::vector<Control> lists{
        {QStringLiteral("cmbDeg1"), 3},  {QStringLiteral("cmbDeg2"), 3},
        {QStringLiteral("cmbDeg13"), 3}, {QStringLiteral("cmbDeg5"), 3},
        {QStringLiteral("cmbGMT"), 0},   {QStringLiteral("Combo1"), 0}};
    return lists;
}

// The form as it stands after loading: pickers of 0..30 degrees and 0..59
// minutes and seconds, time zone +1, day shift +0h.
ValueMap LoadedForm()
{
    ValueMap form;
    for (const QString &picker : {QStringLiteral("cmbDeg1"), QStringLiteral("cmbDeg2"),
                                  QStringLiteral("cmbDeg13"), QStringLiteral("cmbDeg5")}) {
        form.setList(picker, 0, Numbers(0, 30), 0);
        form.setList(picker, 1, Numbers(0, 59), 0);
        form.setList(picker, 2, Numbers(0, 59), 0);
    }
    QStringList zones;
    for (int i = 12; i >= -12; --i)
        zones << (i > 0 ? u'+' + QString::number(i) : QString::number(i));
    form.setList(QStringLiteral("cmbGMT"), -1, zones, 11);
    form.setList(QStringLiteral("Combo1"), -1, {QStringLiteral("+0h"), QStringLiteral("-24h")}, 0);
    return form;
}

const QString Overflowed = QStringLiteral("Überlauf!");
const QString TooLarge = QStringLiteral("Differenz zu groß, sie darf maximal 1°05' betragen.");

StepRule Rule(QStringList messages)
{
    StepRule rule;
    rule.title = SolarSteps::Title();
    rule.messages = messages << Overflowed;
    return rule;
}

// A difference of Sun positions: at least 0, at most 1°05'.
void CheckDifference(const char *step, const Written &written, const QString &control)
{
    const qint64 total = TripleTotal(written, control);
    if (total < 0 || total > 3900)
        Finding("a Sun difference outside 0..1°05'", QString::fromLatin1(step));
}

void Press(FuzzedDataProvider &data, ValueMap &form)
{
    using namespace SolarSteps;
    enum Step { Picker, Step2, Step3, Step4, Zone, DayShift, Row, Count };
    const int step = data.ConsumeIntegralInRange(0, Count - 1);

    if (step == Row) {
        try {
            const ResultRow row = ResultRowOf(form);
            Trace(QStringLiteral("row: ") + row.column1 + u'|' + row.column2 + u'|' + row.column3);
            if (row.column1 != QLatin1String("Solar") || MentionsInfOrNan(row.column2) ||
                MentionsInfOrNan(row.column3))
                Finding("a result row with a foreign title or an infinity",
                        row.column1 + u'|' + row.column2 + u'|' + row.column3);
        } catch (const Overflow &) {
            // a number beyond a double in a date or time field: the form reports it
        }
        return;
    }

    StepRule rule;
    Effects effects;
    const char *name = "";
    switch (step) {
    case Picker: {
        static const QStringList pickers{QStringLiteral("cmbDeg1"), QStringLiteral("cmbDeg2"),
                                         QStringLiteral("cmbDeg13"), QStringLiteral("cmbDeg5")};
        const QString picker = pickers[data.ConsumeIntegralInRange<qsizetype>(0, 3)];
        const int index = data.ConsumeIntegralInRange(0, 2);
        name = "PickerClicked";
        rule = Rule({});
        rule.mayBeEmpty = true;
        rule.integers = QStringList{QStringLiteral("txtDeg01"), QStringLiteral("txtDeg02"),
                                    QStringLiteral("txtDeg03")};
        rule.select = QStringLiteral("cmbDeg5");
        effects = PickerClicked(form, picker, index);
        if (effects != PickerClicked(form, picker, index))
            Finding("a step answers differently to the same form", QString::fromLatin1(name));
        for (const Effect &e : effects) {
            if (e.index != index ||
                (e.kind == Effect::Kind::SelectPosition &&
                 (e.position < 0 || e.position >= form.count(e.control, e.index))))
                Finding("a picker carried to the wrong place", Describe(effects));
        }
        CheckAnswer(name, rule, effects);
        form.apply(effects);
        return;
    }
    case Step2:
        name = "Command2_Click";
        rule = Rule({QStringLiteral("1. Datum größer als 2. Datum!"), TooLarge});
        rule.triples = QStringList{QStringLiteral("txtDeg1"), QStringLiteral("txtDeg4")};
        effects = Command2_Click(form);
        break;
    case Step3:
        name = "Command3_Click";
        rule = Rule({QStringLiteral("1. Datum größer als Radix-Sonnenposition"), TooLarge});
        rule.triples = QStringList{QStringLiteral("txtDeg2"), QStringLiteral("txtDeg3")};
        effects = Command3_Click(form);
        break;
    case Step4:
        name = "Command4_Click";
        rule = Rule({QStringLiteral("Nulldivision!")});
        rule.triples = QStringList{QStringLiteral("txtTime1"), QStringLiteral("txtTime2")};
        effects = Command4_Click(form);
        break;
    case Zone:
        name = "Command1_Click";
        rule = Rule({});
        rule.numbers = QStringList{QStringLiteral("txtTime3")};
        effects = Command1_Click(form);
        break;
    case DayShift:
        name = "Command5_Click";
        rule = Rule({QStringLiteral("Maximimal 24 Stunden pro Tag")});
        rule.numbers = QStringList{QStringLiteral("txtTime4")};
        rule.setsResultReady = true;
        effects = Command5_Click(form);
        break;
    default:
        return;
    }

    // The same form always gets the same answer.
    const Effects again = step == Step2   ? Command2_Click(form)
                          : step == Step3 ? Command3_Click(form)
                          : step == Step4 ? Command4_Click(form)
                          : step == Zone  ? Command1_Click(form)
                                          : Command5_Click(form);
    if (again != effects)
        Finding("a step answers differently to the same form", QString::fromLatin1(name));

    const Written written = CheckAnswer(name, rule, effects);
    if (!written.isEmpty()) {
        if (step == Step2) {
            CheckDifference(name, written, QStringLiteral("txtDeg1"));
            if (TripleTotal(written, QStringLiteral("txtDeg1")) !=
                TripleTotal(written, QStringLiteral("txtDeg4")))
                Finding("the copy of A differs from A", Describe(effects));
        } else if (step == Step3) {
            CheckDifference(name, written, QStringLiteral("txtDeg2"));
            if (TripleTotal(written, QStringLiteral("txtDeg2")) !=
                TripleTotal(written, QStringLiteral("txtDeg3")))
                Finding("the copy of B differs from B", Describe(effects));
        } else if (step == Step4) {
            // B / A x 24 h, to the second: the four-place hours lose at most
            // 0.18 s, the rounding to whole seconds 0.5 s.
            const double a = FieldsToSeconds(form.triple(QStringLiteral("txtDeg4")));
            const double b = FieldsToSeconds(form.triple(QStringLiteral("txtDeg3")));
            const double exact = b / a * 86400.0;
            const qint64 shown = TripleTotal(written, QStringLiteral("txtTime1"));
            if (std::fabs(static_cast<double>(shown) - exact) > 0.7)
                Finding("the interpolated time is not B / A x 24 h", Describe(effects));
        } else if (step == DayShift) {
            const double hour = TextOrRegionalValue(written.value(QStringLiteral("txtTime4_0")));
            if (!(hour >= 0 && hour <= 24))
                Finding("a final hour outside the day", Describe(effects));
        }
    }
    form.apply(effects);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const ValueMap loaded = LoadedForm();
    return RunSession(data, size, loaded, TextFields(), Lists(), Press);
}
