// A session at the rectification form: the fuzzer types into the fields,
// refills and selects the drop-down lists and presses the step buttons in
// any order; each answer is applied to the form as the form would, so later
// steps compute from earlier results. Every answer must be all of a step's
// writes or exactly one message ("RAMC ist maximal 360° möglich!" also
// empties Text5 and puts the cursor there), and the results must be what
// the hand method gives.

#include "core/numbers.h"
#include "core/overflow.h"
#include "fuzzsupport.h"
#include "rekti/rekti_steps.h"

#include <cmath>
#include <functional>

namespace {

const std::vector<Control> &TextFields()
{
    static const std::vector<Control> fields = [] {
        std::vector<Control> f{{QStringLiteral("txtJahre"), 2}, {QStringLiteral("txtJahre2"), 2},
                               {QStringLiteral("Text1"), 4},    {QStringLiteral("Text5"), 0},
                               {QStringLiteral("Text7"), 1},    {QStringLiteral("txtdeg12"), 3}};
        for (int i = 0; i <= 9; ++i)
            f.push_back({QStringLiteral("txtTime") + QString::number(i), 3});
        for (int i = 1; i <= 17; ++i) {
            if (i != 12)
                f.push_back({QStringLiteral("txtDeg") + QString::number(i), 3});
        }
        return f;
    }();
    return fields;
}

const std::vector<Control> &Lists()
{
    static const std::vector<Control> lists{{QStringLiteral("Combo1"), 0},
                                            {QStringLiteral("Combo2"), 0},
                                            {QStringLiteral("Combo3"), 0},
                                            {QStringLiteral("Combo4"), 0}};
    return lists;
}

// The form as it stands after loading, its lists preselected.
ValueMap LoadedForm()
{
    ValueMap form;
    form.setList(QStringLiteral("Combo1"), -1, {QStringLiteral("-0h"), QStringLiteral("-24h")}, 0);
    form.setList(QStringLiteral("Combo2"), -1,
                 {QStringLiteral(" 0"), QStringLiteral("+360"), QStringLiteral("- 360")}, 0);
    const QStringList signs{QStringLiteral("-30"), QStringLiteral("+0"), QStringLiteral("+30")};
    form.setList(QStringLiteral("Combo3"), -1, signs, 1);
    form.setList(QStringLiteral("Combo4"), -1, signs, 1);
    return form;
}

const QString Overflowed = QStringLiteral("Überlauf!");
const QString BadAngle = QStringLiteral("Winkel ungültig!");
const QString RamcTooLarge = QStringLiteral("RAMC ist maximal 360° möglich!");

StepRule Rule(QStringList messages, QStringList triples)
{
    StepRule rule;
    rule.title = QStringLiteral("GZK");
    rule.messages = messages << Overflowed;
    rule.triples = triples;
    return rule;
}

struct Step {
    const char *name;
    std::function<Effects(const FormValues &)> run;
    StepRule rule;
};

const std::vector<Step> &Steps()
{
    using namespace RektiSteps;
    static const std::vector<Step> steps = [] {
        std::vector<Step> s{
            {"Command2_Click", Command2_Click, Rule({}, {})},
            {"Command3_Click", Command3_Click,
             Rule({}, {QStringLiteral("txtDeg1"), QStringLiteral("txtDeg2"),
                       QStringLiteral("txtDeg15")})},
            {"Command4_Click", Command4_Click,
             Rule({}, {QStringLiteral("txtTime1"), QStringLiteral("txtTime3")})},
            {"Command5_Click", Command5_Click, Rule({}, {QStringLiteral("txtTime4")})},
            {"Command6_Click", Command6_Click,
             Rule({QStringLiteral("Wert darf nicht negativ sein!")}, {QStringLiteral("txtTime5")})},
            {"Command7_Click", Command7_Click,
             Rule({BadAngle}, {QStringLiteral("txtDeg5"), QStringLiteral("txtDeg10")})},
            {"Command8_Click", Command8_Click,
             Rule({BadAngle}, {QStringLiteral("txtDeg8"), QStringLiteral("txtDeg9")})},
            {"Command9_Click", Command9_Click,
             Rule({BadAngle, QStringLiteral("Nulldivision!")},
                  {QStringLiteral("txtDeg11"), QStringLiteral("txtdeg12")})},
            {"Command10_Click", Command10_Click,
             Rule({RamcTooLarge}, {QStringLiteral("txtDeg13")})},
            {"Command11_Click", Command11_Click,
             Rule({QStringLiteral("Wert darf nicht negativ oder größer als 360 werden!")},
                  {QStringLiteral("txtDeg16"), QStringLiteral("txtDeg17")})},
            {"Command12_Click", Command12_Click,
             Rule({}, {QStringLiteral("txtTime6"), QStringLiteral("txtTime8")})},
            {"Command13_Click", Command13_Click, Rule({}, {QStringLiteral("txtTime9")})},
        };
        s[0].rule.numbers = QStringList{QStringLiteral("Text1")};
        s[3].rule.select = QStringLiteral("Combo1");
        s[8].rule.messageWithTail = RamcTooLarge;
        s[8].rule.tail = {Effect::setText(QStringLiteral("Text5"), -1, QString()),
                          Effect::focus(QStringLiteral("Text5"))};
        s[11].rule.setsResultReady = true;
        return s;
    }();
    return steps;
}

// Arc to time at 4 minutes per degree, to the second: the four-place
// degrees and hours lose at most 0.012 s and 0.18 s, the rounding to whole
// seconds 0.5 s.
void CheckArcInTime(const char *step, const FormValues &form, const QString &arc,
                    const Written &written, const QString &time)
{
    const double exact = FieldsToSeconds(form.triple(arc)) / 15.0;
    if (std::fabs(static_cast<double>(TripleTotal(written, time)) - exact) > 0.7)
        Finding("an arc in time that is not arc / 15", QString::fromLatin1(step));
}

void CheckSameTotal(const Written &written, const QString &a, const QString &b)
{
    if (TripleTotal(written, a) != TripleTotal(written, b))
        Finding("a copied result differs from the result", a + u' ' + b);
}

void CheckResults(const Step &step, const FormValues &form, const Written &written,
                  const Effects &effects)
{
    const QString name = QString::fromLatin1(step.name);
    const auto total = [&](const char *control) {
        return TripleTotal(written, QString::fromLatin1(control));
    };
    if (name == QLatin1String("Command2_Click")) {
        if (written.size() != 1 || !written.contains(QStringLiteral("Text1_3")))
            Finding("decimal years written elsewhere than Text1 3", Describe(effects));
    } else if (name == QLatin1String("Command3_Click")) {
        CheckSameTotal(written, QStringLiteral("txtDeg1"), QStringLiteral("txtDeg2"));
        CheckSameTotal(written, QStringLiteral("txtDeg1"), QStringLiteral("txtDeg15"));
    } else if (name == QLatin1String("Command4_Click")) {
        CheckArcInTime(step.name, form, QStringLiteral("txtDeg2"), written,
                       QStringLiteral("txtTime1"));
        CheckSameTotal(written, QStringLiteral("txtTime1"), QStringLiteral("txtTime3"));
    } else if (name == QLatin1String("Command5_Click")) {
        // Beyond a full day "-24h" is proposed, otherwise "-0h".
        const Effect &selection = effects.last();
        if (selection.kind != Effect::Kind::SelectPosition ||
            selection.position != (total("txtTime4") > 86400 ? 1 : 0))
            Finding("the day correction proposed wrongly", Describe(effects));
    } else if (name == QLatin1String("Command6_Click")) {
        if (total("txtTime5") < 0)
            Finding("a negative sidereal time written", Describe(effects));
    } else if (name == QLatin1String("Command7_Click")) {
        if (total("txtDeg5") < 0)
            Finding("a table difference with a sign", Describe(effects));
        CheckSameTotal(written, QStringLiteral("txtDeg5"), QStringLiteral("txtDeg10"));
    } else if (name == QLatin1String("Command8_Click")) {
        if (total("txtDeg8") < 0)
            Finding("a table difference with a sign", Describe(effects));
        CheckSameTotal(written, QStringLiteral("txtDeg8"), QStringLiteral("txtDeg9"));
    } else if (name == QLatin1String("Command9_Click")) {
        // The quotient to four places, shown like an angle.
        const double q =
            static_cast<double>(FieldsToSeconds(form.triple(QStringLiteral("txtDeg9")))) /
            FieldsToSeconds(form.triple(QStringLiteral("txtDeg10")));
        if (std::fabs(static_cast<double>(total("txtDeg11")) - q * 3600.0) > 0.7)
            Finding("a quotient that is not corrected / greater difference", Describe(effects));
        CheckSameTotal(written, QStringLiteral("txtDeg11"), QStringLiteral("txtdeg12"));
    } else if (name == QLatin1String("Command11_Click")) {
        if (total("txtDeg16") < 0 || total("txtDeg16") > 360 * 3600)
            Finding("a corrected RAMC outside 0..360°", Describe(effects));
        CheckSameTotal(written, QStringLiteral("txtDeg16"), QStringLiteral("txtDeg17"));
    } else if (name == QLatin1String("Command12_Click")) {
        CheckArcInTime(step.name, form, QStringLiteral("txtDeg17"), written,
                       QStringLiteral("txtTime6"));
        CheckSameTotal(written, QStringLiteral("txtTime6"), QStringLiteral("txtTime8"));
    }
}

void CheckCopy(const char *name, const FormValues &form, const Effects &effects,
               const QString &source, int index)
{
    for (const Effect &e : effects) {
        if (e.index != index || e.text != form.text(source, index))
            Finding("a typed value copied wrongly",
                    QString::fromLatin1(name) + u'\n' + Describe(effects));
    }
}

void Press(FuzzedDataProvider &data, ValueMap &form)
{
    const size_t choice = data.ConsumeIntegralInRange<size_t>(0, Steps().size() + 2);
    if (choice == Steps().size()) {
        const int index = data.ConsumeIntegralInRange(-1, 2);
        StepRule rule = Rule({}, {});
        rule.mayBeEmpty = true;
        rule.copies = QStringList{QStringLiteral("txtJahre2")};
        const Effects effects = RektiSteps::txtJahre_Change(form, index);
        CheckAnswer("txtJahre_Change", rule, effects);
        CheckCopy("txtJahre_Change", form, effects, QStringLiteral("txtJahre"), index);
        form.apply(effects);
        return;
    }
    if (choice == Steps().size() + 1) {
        const int index = data.ConsumeIntegralInRange(-1, 3);
        StepRule rule = Rule({}, {});
        rule.mayBeEmpty = true;
        rule.copies = QStringList{QStringLiteral("txtTime7"), QStringLiteral("txtTime2")};
        const Effects effects = RektiSteps::txtTime0_Change(form, index);
        CheckAnswer("txtTime0_Change", rule, effects);
        CheckCopy("txtTime0_Change", form, effects, QStringLiteral("txtTime0"), index);
        form.apply(effects);
        return;
    }
    if (choice == Steps().size() + 2) {
        try {
            const ResultRow row = RektiSteps::ResultRowOf(form);
            Trace(QStringLiteral("row: ") + row.column1 + u'|' + row.column2 + u'|' + row.column3);
            if (row.column1 != QLatin1String("Rektifikation") || MentionsInfOrNan(row.column3))
                Finding("a result row with a foreign title or an infinity",
                        row.column1 + u'|' + row.column2 + u'|' + row.column3);
        } catch (const Overflow &) {
            // a number beyond a double in the difference fields: the form reports it
        }
        return;
    }

    const Step &step = Steps()[choice];
    const Effects effects = step.run(form);
    if (step.run(form) != effects)
        Finding("a step answers differently to the same form", QString::fromLatin1(step.name));
    const Written written = CheckAnswer(step.name, step.rule, effects);
    if (!written.isEmpty() && MessageOf(effects).isEmpty())
        CheckResults(step, form, written, effects);
    form.apply(effects);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const ValueMap loaded = LoadedForm();
    return RunSession(data, size, loaded, TextFields(), Lists(), Press);
}
