#include "sheet/sheetbuilders.h"

#include <QRegularExpression>

namespace {

// The operators of a written-out computation, as on paper: a true minus
// sign, not the hyphen that a negative value on the form carries.
const QString Minus = QStringLiteral(" \u2212 ");
const QString Plus = QStringLiteral(" + ");
const QString Times = QStringLiteral(" \u00d7 ");
const QString Over = QStringLiteral(" \u00f7 ");
const QString Equals = QStringLiteral(" = ");

// A field the user has left empty (the step reads it as 0).
QString blank()
{
    return QStringLiteral("(leer)");
}

bool isEmpty(const TextTriple &t)
{
    return t[0].isEmpty() && t[1].isEmpty() && t[2].isEmpty();
}

bool isEmpty(const TextPair &p)
{
    return p[0].isEmpty() && p[1].isEmpty();
}

// One element with its unit; a picker's entry already carries it ("47'").
QString withUnit(const QString &text, const QString &unit)
{
    if (text.isEmpty())
        return QStringLiteral("\u2013") + unit;
    return text.endsWith(unit) ? text : text + unit;
}

// 14°47'25'' as the examination writes an angle.
QString angle(const TextTriple &t)
{
    if (isEmpty(t))
        return blank();
    return withUnit(t[0], QStringLiteral("°")) + withUnit(t[1], QStringLiteral("'")) +
           withUnit(t[2], QStringLiteral("''"));
}

// 13 h 33 m 17 s, with the unit labels of the form.
QString time(const TextTriple &t)
{
    if (isEmpty(t))
        return blank();
    return withUnit(t[0], QStringLiteral(" h")) + u' ' + withUnit(t[1], QStringLiteral(" m")) +
           u' ' + withUnit(t[2], QStringLiteral(" s"));
}

QString time(const TextPair &p)
{
    if (isEmpty(p))
        return blank();
    return withUnit(p[0], QStringLiteral(" h")) + u' ' + withUnit(p[1], QStringLiteral(" m"));
}

// 12.7.2024, the elements as typed.
QString date(const TextTriple &t)
{
    if (isEmpty(t))
        return blank();
    return t[0] + u'.' + t[1] + u'.' + t[2];
}

QString orBlank(const QString &text)
{
    return text.isEmpty() ? blank() : text;
}

// A correction chosen from a list, as a term of the computation: "+1 h",
// "-24h", "+30°", "- 360°". The lists write their own signs; the " 0" of
// the full-circle list has a blank where the sign would be.
QString correction(const QString &chosen, const QString &unit)
{
    QString term = chosen.trimmed();
    if (term.isEmpty())
        return blank();
    if (!term.startsWith(u'+') && !term.startsWith(u'-'))
        term.prepend(u'+');
    return term.endsWith(unit.trimmed()) ? term : term + unit;
}


// A step is worked once the field of its result holds something.
void finish(SheetStep &s, const TextTriple &resultField, const QString &result)
{
    s.computed = !isEmpty(resultField);
    if (s.computed)
        s.result = result;
}

} // namespace

SheetPerson sheetPerson(const PersonTexts &p)
{
    return {p.name, isEmpty(p.birthDate) ? QString() : date(p.birthDate),
            isEmpty(p.birthTime) ? QString() : time(p.birthTime), p.birthPlace};
}

SheetStep sheetStep(int number, const StepTexts &texts)
{
    SheetStep s;
    s.number = number;
    s.heading = texts.heading.simplified();
    s.explanation = texts.explanation.simplified();
    return s;
}

Sheet rectificationSheet(const RectificationSheetValues &v)
{
    Sheet sheet;
    sheet.title = QStringLiteral("Rechenblatt Rektifikation (GZK)");
    sheet.person = sheetPerson(v.person);
    sheet.printed = v.printed;
    sheet.facts = {{QStringLiteral("Sternzeit der Geburt"), time(v.birthSiderealTime)},
                   {QStringLiteral("Ereignis"), v.event},
                   {QStringLiteral("Ereignistag"), v.eventDate}};

    const auto years = [](const TextPair &p) -> QString {
        return orBlank(p[0]) + QStringLiteral(" Jahre ") + orBlank(p[1]) + QStringLiteral(" Tage");
    };

    // 1. The age at the event in whole years and further days.
    SheetStep age = sheetStep(1, v.steps[0]);
    age.computed = !isEmpty(v.age);
    if (age.computed)
        age.result = QStringLiteral("Alter zum Ereignis: ") + years(v.age);

    // 2. The age as decimal years (365 days to the year), times the Naibod
    //    key of 0°59'08'' of arc per year, gives the direction arc.
    SheetStep arc = sheetStep(2, v.steps[1]);
    if (!v.decimalYears.isEmpty())
        arc.lines << years(v.ageCopy) + Equals + v.decimalYears + QStringLiteral(" Jahre");
    finish(arc, v.arc, QStringLiteral("Direktionsbogen = ") + angle(v.arc));
    if (arc.computed)
        arc.lines << orBlank(v.decimalYears) + Times + QStringLiteral("0°59'08''") + Equals +
                         angle(v.arc);

    // 3. Four minutes of time to each degree of arc.
    SheetStep arcTime = sheetStep(3, v.steps[2]);
    finish(arcTime, v.arcTime, QStringLiteral("Direktionsbogen in Zeit = ") + time(v.arcTime));
    if (arcTime.computed)
        arcTime.lines << angle(v.arcForTime) + Times + QStringLiteral("4 m") + Equals +
                             time(v.arcTime);

    // 4. Sidereal time of birth plus the arc in time; past a day, less 24 h.
    SheetStep event = sheetStep(4, v.steps[3]);
    if (!isEmpty(v.sum))
        event.lines << time(v.sumBirth) + Plus + time(v.sumArc) + Equals + time(v.sum);
    finish(event, v.eventSiderealTime,
           QStringLiteral("Sternzeit des Ereignisses = ") + time(v.eventSiderealTime));
    if (event.computed)
        event.lines << time(v.sum) + u' ' + correction(v.dayReduction, QString()) + Equals +
                           time(v.eventSiderealTime);

    // 5. Interpolation in the house tables between the smaller and the
    //    greater value; ±30° where the sign changes between them.
    SheetStep table = sheetStep(5, v.steps[4]);
    if (!isEmpty(v.tableSmaller) || !isEmpty(v.tableGreater))
        table.lines << QStringLiteral("Sternzeit Häusertabelle: kleinerer Wert ") +
                           time(v.tableSmaller) + QStringLiteral(", größerer Wert ") +
                           time(v.tableGreater);
    if (!isEmpty(v.firstDifference))
        table.lines << angle(v.greater) + Minus + angle(v.smaller) + u' ' +
                           correction(v.firstCorrection, QStringLiteral("°")) + Equals +
                           angle(v.firstDifference);
    if (!isEmpty(v.secondDifference))
        table.lines << angle(v.corrected) + Minus + angle(v.smallerAgain) + u' ' +
                           correction(v.secondCorrection, QStringLiteral("°")) + Equals +
                           angle(v.secondDifference);
    finish(table, v.quotient, QStringLiteral("Ergebnis der Differenzwerte = ") + angle(v.quotient));
    if (table.computed)
        table.lines << angle(v.numerator) + Over + angle(v.denominator) + Equals +
                           angle(v.quotient);

    // 6. RAMC of the smaller table row plus the part found, less the arc.
    SheetStep ramc = sheetStep(6, v.steps[5]);
    if (!isEmpty(v.ramcPlusQuotient))
        ramc.lines << withUnit(orBlank(v.ramc), QStringLiteral("°")) + Plus +
                          angle(v.quotientCopy) + Equals + angle(v.ramcPlusQuotient);
    finish(ramc, v.correctedRamc, QStringLiteral("korrigierte RAMC = ") + angle(v.correctedRamc));
    if (ramc.computed)
        ramc.lines << angle(v.ramcPlusQuotient) + Minus + angle(v.arcCopy) + u' ' +
                          correction(v.circleCorrection, QStringLiteral("°")) + Equals +
                          angle(v.correctedRamc);

    // 7. The corrected RAMC in time, four minutes to the degree.
    SheetStep ramcTime = sheetStep(7, v.steps[6]);
    finish(ramcTime, v.ramcTime, QStringLiteral("korrigierte RAMC in Zeit = ") + time(v.ramcTime));
    if (ramcTime.computed)
        ramcTime.lines << angle(v.ramcForTime) + Times + QStringLiteral("4 m") + Equals +
                              time(v.ramcTime);

    // 8. Less the sidereal time of birth: the correction of the birth time.
    SheetStep difference = sheetStep(8, v.steps[7]);
    const QString found = time(v.timeDifference);
    finish(difference, v.timeDifference, QStringLiteral("gesuchte Zeitdifferenz = ") + found);
    if (difference.computed)
        difference.lines << time(v.differenceRamcTime) + Minus + time(v.differenceBirth) + Equals +
                                found;

    sheet.steps = {age, arc, arcTime, event, table, ramc, ramcTime, difference};
    sheet.finalCaption = QStringLiteral("Gesuchte Zeitdifferenz");
    if (difference.computed)
        sheet.finalResult = found;
    return sheet;
}

namespace {

QString fileName(QStringList parts)
{
    static const QRegularExpression forbidden(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f\\x7f]"));
    for (QString &part : parts)
        part = part.remove(forbidden).simplified();
    parts.removeAll(QString());
    return parts.join(u' ') + QStringLiteral(".pdf");
}

} // namespace

QString solarSheetFileName(const QString &name, const QString &year)
{
    return fileName({QStringLiteral("Solar"), name, year});
}

QString rectificationSheetFileName(const QString &name)
{
    return fileName({QStringLiteral("Rektifikation"), name});
}
