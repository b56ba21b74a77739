#include "core/overflow.h"
#include "rekti/rekti_steps.h"

#include <QLocale>
#include <QTest>

using namespace RektiSteps;

namespace {

const QLocale German(QLocale::German, QLocale::Germany);
const QLocale English(QLocale::English, QLocale::UnitedStates);

QString s(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// What a step did, readable: "txtTime4=25|5|20" for a triple written at once,
// "txtDeg1,txtDeg2=33|49|58" for the same triple written into several rows,
// "Text1_3=2,2" for one element, "Combo1#1" for a selection, "GZK: Nulldivision!"
// for a message.
QString describe(const Effects &effects)
{
    QStringList lines;
    QString lastTriple;
    for (qsizetype k = 0; k < effects.size(); ++k) {
        const Effect &e = effects[k];
        const auto writes = [&](qsizetype j, int index) {
            return j < effects.size() && effects[j].kind == Effect::Kind::SetText &&
                   effects[j].control == e.control && effects[j].index == index;
        };
        if (writes(k, 0) && writes(k + 1, 1) && writes(k + 2, 2)) {
            const QString values =
                u'=' + e.text + u'|' + effects[k + 1].text + u'|' + effects[k + 2].text;
            k += 2;
            if (values == lastTriple)
                lines.last().insert(lines.last().indexOf(u'='), u',' + e.control);
            else
                lines << e.control + values;
            lastTriple = values;
            continue;
        }
        lastTriple.clear();
        switch (e.kind) {
        case Effect::Kind::SetText:
            lines << ControlKey(e.control, e.index) + u'=' + e.text;
            break;
        case Effect::Kind::SelectPosition:
            lines << ControlKey(e.control, e.index) + u'#' + QString::number(e.position);
            break;
        case Effect::Kind::SetResultReady:
            lines << (e.flag ? s("ResultReady") : s("!ResultReady"));
            break;
        case Effect::Kind::SetFocus:
            lines << s("focus ") + ControlKey(e.control, e.index);
            break;
        case Effect::Kind::ShowMessage:
            lines << e.title + s(": ") + e.text;
            break;
        }
    }
    return lines.join(s("; "));
}

// Plays actions on a form with the lists as the calculator fills them:
// "txtDeg3=15|20|0" fills a field triple, "Text1_3=1" one element (typing into
// txtJahre or txtTime0 runs their change handler), "Combo3:2" picks an entry,
// "Command7" presses a step button and "row" takes the result row. Answers
// what the handlers, the steps and the row gave, in order.
QString play(const QString &actions)
{
    ValueMap form;
    form.setList(s("Combo1"), -1, {s("-0h"), s("-24h")});
    form.setList(s("Combo2"), -1, {s(" 0"), s("+360"), s("- 360")});
    for (const char *list : {"Combo3", "Combo4"})
        form.setList(s(list), -1, {s("-30"), s("+0"), s("+30")}, 1);
    const auto record = [&](QStringList &done, const Effects &effects) {
        if (!effects.isEmpty())
            done << describe(effects);
        form.apply(effects);
    };
    static const QList<Effects (*)(const FormValues &)> steps{
        Command2_Click,  Command3_Click,  Command4_Click,  Command5_Click,
        Command6_Click,  Command7_Click,  Command8_Click,  Command9_Click,
        Command10_Click, Command11_Click, Command12_Click, Command13_Click};

    QStringList done;
    for (const QString &action : actions.split(s("; "))) {
        const QString target = action.section(u'=', 0, 0);
        const QString value = action.section(u'=', 1);
        const QString name = target.section(u'_', 0, 0);
        if (action.startsWith(u"Command")) {
            record(done, steps.at(action.mid(7).toInt() - 2)(form));
        } else if (action == u"row") {
            try {
                const ResultRow row = ResultRowOf(form);
                done << s("row ") + row.column1 + u'|' + row.column2 + u'|' + row.column3;
            } catch (const Overflow &) {
                done << s("row Überlauf!");
            }
        } else if (!action.contains(u'=')) {
            form.apply(
                {Effect::select(action.section(u':', 0, 0), -1, action.section(u':', 1).toInt())});
        } else if (target.contains(u'_')) {
            const int index = target.section(u'_', 1).toInt();
            form.setText(name, index, value);
            if (name == u"txtJahre")
                record(done, txtJahre_Change(form, index));
            if (name == u"txtTime0")
                record(done, txtTime0_Change(form, index));
        } else if (value.contains(u'|')) {
            form.setTriple(name, {value.section(u'|', 0, 0), value.section(u'|', 1, 1),
                                  value.section(u'|', 2, 2)});
        } else {
            form.setText(name, -1, value);
        }
    }
    return done.join(s("; "));
}

} // namespace

class tst_RektiSteps : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void steps_data();
    void steps();
};

void tst_RektiSteps::steps_data()
{
    QTest::addColumn<QString>("actions");
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<QLocale>("locale");
    const auto row = [](const char *tag, const char *actions, const char *outcome,
                        const QLocale &locale = German) {
        QTest::newRow(tag) << s(actions) << s(outcome) << locale;
    };
    const char *overflow = "GZK: Überlauf!";
    const char *badAngle = "GZK: Winkel ungültig!";
    const char *outside360 = "GZK: Wert darf nicht negativ oder größer als 360 werden!";

    row("copies while typing, step 8 first", "txtJahre_1=120; txtTime0_0=6",
        "txtJahre2_1=120; txtTime7_0=6; txtTime2_0=6");

    // Age -> decimal years -> direction arc -> arc in time.
    row("34 y 120 d, German", "txtJahre_0=34; txtJahre_1=120; Command2; Command3; Command4",
        "txtJahre2_0=34; txtJahre2_1=120; Text1_3=34,3287671232877; "
        "txtDeg1,txtDeg2,txtDeg15=33|49|58; txtTime1,txtTime3=2|15|20");
    row("34 y 120 d, English", "txtJahre_0=34; txtJahre_1=120; Command2; Command3; Command4",
        "txtJahre2_0=34; txtJahre2_1=120; Text1_3=34.3287671232877; "
        "txtDeg1,txtDeg2,txtDeg15=33|49|58; txtTime1,txtTime3=2|15|20",
        English);
    // The years are rounded half to even, the days are not: 73 days are 0.2 years.
    row("2.5 y count 2", "txtJahre2_0=2.5; txtJahre2_1=73; Command2", "Text1_3=2.2", English);
    row("3.5 y count 4", "txtJahre2_0=3.5; txtJahre2_1=73; Command2", "Text1_3=4,2");
    row("one year is the Naibod key", "Text1_3=1; Command3", "txtDeg1,txtDeg2,txtDeg15=0|59|8");

    // Sidereal time of the event, less a day where the sum passes 24 h.
    row("over a day", "txtTime2=22|50|0; txtTime3=2|15|20; Command5; Command6",
        "txtTime4=25|5|20; Combo1#1; txtTime5=1|5|20");
    row("exactly 24 h keeps -0h", "txtTime2=22|0|0; txtTime3=2|0|0; Command5; Command6",
        "txtTime4=24|0|0; Combo1#0; txtTime5=24|0|0");
    row("one second over", "txtTime2=22|0|1; txtTime3=2|0|0; Command5; Command6",
        "txtTime4=24|0|1; Combo1#1; txtTime5=0|0|1");
    row("-24h by hand below a day",
        "txtTime2=18|45|10; txtTime3=2|15|20; Command5; Combo1:1; Command6",
        "txtTime4=21|0|30; Combo1#0; GZK: Wert darf nicht negativ sein!");

    // Differences of table values, shown without sign; ±30° at a change of sign.
    row("greater - smaller", "txtDeg3=15|20|0; txtDeg4=14|18|30; Command7",
        "txtDeg5,txtDeg10=1|1|30");
    row("smaller - greater", "txtDeg3=14|18|30; txtDeg4=15|20|0; Command7",
        "txtDeg5,txtDeg10=1|1|30");
    row("sign change +30", "txtDeg6=1|10|0; txtDeg7=29|5|0; Combo4:2; Command8",
        "txtDeg8,txtDeg9=2|5|0");
    row("sign change -30", "txtDeg6=29|5|0; txtDeg7=1|10|0; Combo4:0; Command8",
        "txtDeg8,txtDeg9=2|5|0");
    row("30°59'59'' passes", "txtDeg3=30|59|59; txtDeg4=0|0|0; Command7",
        "txtDeg5,txtDeg10=30|59|59");
    row("31°", "txtDeg3=31|0|0; txtDeg4=1|0|0; Command7", badAngle);
    row("60 minutes", "txtDeg6=1|0|0; txtDeg7=0|60|0; Command8", badAngle);

    // 1900'' / 3690'' = 0.51490 -> 0.5149 -> 0°30'54''.
    row("1900/3690", "txtDeg9=0|31|40; txtDeg10=1|1|30; Command9", "txtDeg11,txtdeg12=0|30|54");
    row("quotient of 30°59'59''", "txtDeg9=30|59|59; txtDeg10=30|59|59; Command9",
        "txtDeg11,txtdeg12=1|0|0");
    row("31° numerator", "txtDeg9=31|0|0; txtDeg10=30|59|59; Command9", badAngle);
    row("empty denominator", "txtDeg9=1|0|0; Command9", "GZK: Nulldivision!");
    row("zero division before angle", "txtDeg9=31|0|0; txtDeg10=0|0|0; Command9",
        "GZK: Nulldivision!");

    row("RAMC 123", "Text5=123; txtdeg12=0|30|54; Command10", "txtDeg13=123|30|54");
    row("RAMC 360", "Text5=360; txtdeg12=0|30|0; Command10", "txtDeg13=360|30|0");
    row("RAMC 361", "Text5=361; Command10",
        "GZK: RAMC ist maximal 360° möglich!; Text5=; focus Text5");

    // Corrected RAMC with the correction chosen in Combo2.
    row("123°30'54'' - arc", "txtDeg13=123|30|54; txtDeg15=33|49|58; Command11",
        "txtDeg16,txtDeg17=89|40|56");
    row("+360, German", "txtDeg13=10|0|0; txtDeg15=33|49|58; Combo2:1; Command11",
        "txtDeg16,txtDeg17=336|10|2");
    row("+360, English", "txtDeg13=10|0|0; txtDeg15=33|49|58; Combo2:1; Command11",
        "txtDeg16,txtDeg17=336|10|2", English);
    row("- 360, German", "txtDeg13=360|30|0; Combo2:2; Command11", "txtDeg16,txtDeg17=0|30|0");
    row("- 360, English", "txtDeg13=360|30|0; Combo2:2; Command11", "txtDeg16,txtDeg17=0|30|0",
        English);
    row("negative", "txtDeg13=10|0|0; txtDeg15=33|49|58; Command11", outside360);
    row("exactly 360°", "txtDeg13=360|0|0; Command11", "txtDeg16,txtDeg17=360|0|0");
    row("one second over 360°", "txtDeg13=360|0|1; Command11", outside360);

    // Corrected RAMC in time less the sidereal time of birth, not reduced.
    row("89°40'56'' - 6 h 2 m 10 s",
        "txtDeg17=89|40|56; txtTime7=6|2|10; Text7_0=Heirat; Command12; Command13; row",
        "txtTime6,txtTime8=5|58|44; ResultReady; txtTime9=0|-3|-26; "
        "row Rektifikation|Heirat|0h-3m-26s");
    row("360° is 24 h", "txtDeg17=360|0|0; Command12; Command13",
        "txtTime6,txtTime8=24|0|0; ResultReady; txtTime9=24|0|0");

    row("event kept as typed", "Text7_0= Unfall, 3. Mai ; txtTime9=1|5|30; row",
        "row Rektifikation| Unfall, 3. Mai |1h5m30s");
    row("empty row", "row", "row Rektifikation||0h0m0s");
    row("plain numbers", "txtTime9= 01|-05|7abc; row", "row Rektifikation||1h-5m7s");
    row("fraction, German", "txtTime9=2.5|0|0; row", "row Rektifikation||2,5h0m0s");
    row("fraction, English", "txtTime9=2.5|0|0; row", "row Rektifikation||2.5h0m0s", English);
    row("row beyond a double", "txtTime9=1E400|0|0; row", "row Überlauf!");

    // Long digit strings reach the 16- and 32-bit limits: one message, nothing
    // written; step 8 leaves ResultReady as it was. -596523°14'8'' is -2^31''.
    row("step 2: years", "txtJahre2_0=99999999999; Command2", overflow);
    row("step 2: arc of a million years", "Text1_3=1000000; Command3", overflow);
    row("step 3: hours beyond 16 bits", "txtDeg2=500000||; Command4", overflow);
    row("step 4: sum", "txtTime2=596523|14|7; txtTime3=0|0|1; Command5", overflow);
    row("step 4: hours beyond 16 bits", "txtTime4=40000||; Command6", overflow);
    row("step 5: |-2^31|", "txtDeg3=-596523|-14|-8; Command7", overflow);
    row("step 5: denominator", "txtDeg10=99999999999||; Command9", overflow);
    row("step 6: RAMC plus quotient", "txtdeg12=40000||; Command10", overflow);
    row("step 6: difference", "txtDeg13=-596523|-14|-8; txtDeg15=0|0|1; Command11", overflow);
    row("step 7", "txtDeg17=600000||; Command12", overflow);
    row("step 8", "txtTime6=-596523|-14|-8; txtTime7=0|0|1; Command13", overflow);
}

void tst_RektiSteps::steps()
{
    QFETCH(QString, actions);
    QFETCH(QString, outcome);
    QFETCH(QLocale, locale);
    QLocale::setDefault(locale);
    QCOMPARE(play(actions), outcome);
}

QTEST_GUILESS_MAIN(tst_RektiSteps)
#include "tst_rekti_steps.moc"
