#include "sheet/sheetparts.h"

#include "core/notation.h"

#include <QDate>
#include <QRegularExpression>

namespace Sheets {

namespace {

// A field the user has left empty (the step reads it as 0).
QString blank()
{
    return QStringLiteral("(leer)");
}

bool isEmpty(const TextTriple &t)
{
    return t[0].isEmpty() && t[1].isEmpty() && t[2].isEmpty();
}

// One element with its unit; a picker's entry already carries it ("47'").
QString withUnit(const QString &text, const QString &unit)
{
    if (text.isEmpty())
        return QStringLiteral("\u2013") + unit;
    return text.endsWith(unit) ? text : text + unit;
}

// 13 h 33 m 17 s, with the unit labels of the form.
QString time(const TextTriple &t)
{
    if (isEmpty(t))
        return blank();
    return withUnit(t[0], QStringLiteral(" h")) + u' ' + withUnit(t[1], QStringLiteral(" m")) +
           u' ' + withUnit(t[2], QStringLiteral(" s"));
}

// 12.07.2024 as every sheet writes a date; a date the calendar does not have
// as typed.
QString date(const TextTriple &t)
{
    if (isEmpty(t))
        return blank();
    const QDate typed(t[2].toInt(), t[1].toInt(), t[0].toInt());
    return typed.isValid() ? Core::Notation::date(typed) : t[0] + u'.' + t[1] + u'.' + t[2];
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

SheetTable checkSheetTable(const QList<Core::CheckRow> &rows, const QString &finding)
{
    SheetTable check;
    check.title = Core::checkCaption();
    check.columnHeaders = QStringList{QString()} + Core::checkColumns();
    for (const Core::CheckRow &row : rows)
        check.rows << QStringList{row.name, row.yours, row.exact, row.deviation};
    check.finding = finding;
    return check;
}

QString notComputedNote(int number, const QString &name)
{
    return QStringLiteral("Schritt %1, %2, wurde nicht gerechnet.").arg(number).arg(name);
}

void addComputation(SheetStep &s, Core::StepLedger::Status status, const QStringList &notes,
                    const std::function<QString(bool current)> &equation)
{
    using Status = Core::StepLedger::Status;
    if (status == Status::NotComputed)
        return;
    s.lines << notes;
    QStringList lines = equation(status == Status::Current).split(u'\n');
    if (status == Status::Stale)
        lines.last() += QStringLiteral(" \u2013 ") + staleText();
    s.lines << lines;
}

void settleStep(SheetStep &s, bool current, bool stale, const QString &result)
{
    s.computed = current && !stale;
    if (s.computed)
        s.result = result;
    else if (stale)
        s.pending = staleText();
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

QString siderealSheetFileName(const QString &name)
{
    return fileName({QStringLiteral("Sternzeit"), name});
}

} // namespace Sheets
