#include "rekti/rectificationsheet.h"

#include "core/notation.h"
#include "core/numbers.h"

#include <cmath>

namespace Rectification {

using namespace Core;
using namespace Sheets;

namespace {

using Status = StepLedger::Status;

// Step 8 in words: "Die Geburtszeit ist um 3 m 26 s früher."
QString correctionSentence(const Results &r)
{
    if (!r.correction)
        return {};
    const qint64 s = pickersToSeconds(*r.correction);
    const qint64 a = std::llabs(s);
    const QString amount =
        (a >= 3600 ? plainInteger(a / 3600) + QStringLiteral(" h ") : QString()) +
        (a >= 60 ? plainInteger(a / 60 % 60) + QStringLiteral(" m ") : QString()) +
        plainInteger(a % 60) + QStringLiteral(" s");
    return s == 0 ? QStringLiteral("Die Geburtszeit stimmt.")
                  : QStringLiteral("Die Geburtszeit ist um %1 %2.")
                        .arg(amount, s < 0 ? QStringLiteral("früher") : QStringLiteral("später"));
}

QString orBlank(const QString &text)
{
    return text.trimmed().isEmpty() ? QStringLiteral("(leer)") : text.trimmed();
}

// 1. The age at the event in whole years and further days, as typed.
SheetStep ageStep(const Header &h, const StepTexts &texts)
{
    SheetStep age = sheetStep(1, texts);
    age.computed = !h.age[0].isEmpty() || !h.age[1].isEmpty();
    if (age.computed)
        age.result = QStringLiteral("Alter zum Ereignis: ") + orBlank(h.age[0]) +
                     QStringLiteral(" Jahre ") + orBlank(h.age[1]) + QStringLiteral(" Tage");
    return age;
}

// The two rows of the house table that step 5 interpolates between.
QStringList rowsLine(const Header &h)
{
    if (QString(h.smallerRow[0] + h.smallerRow[1] + h.greaterRow[0] + h.greaterRow[1]).isEmpty())
        return {};
    return {QStringLiteral("Sternzeit Häusertabelle: kleinerer Wert ") + orBlank(h.smallerRow[0]) +
            QStringLiteral(" h ") + orBlank(h.smallerRow[1]) +
            QStringLiteral(" m, größerer Wert ") + orBlank(h.greaterRow[0]) +
            QStringLiteral(" h ") + orBlank(h.greaterRow[1]) + QStringLiteral(" m")};
}

} // namespace

Sheet rectificationSheet(const RectificationSheetInput &in)
{
    const Worked &w = in.worked;
    const Header &h = w.header;
    Sheet sheet;
    sheet.title = QStringLiteral("Rechenblatt Rektifikation (GZK)");
    sheet.person = sheetPerson(in.person);
    sheet.printed = in.printed;
    sheet.facts = {{QStringLiteral("Sternzeit der Geburt"), Notation::clock(h.birthSidereal)},
                   {QStringLiteral("Ereignis"), h.event},
                   {QStringLiteral("Ereignistag"), h.eventDate}};
    sheet.steps << ageStep(h, in.steps[0]);
    // Steps 2 to 8, each with the computations of its buttons.
    const QString sentence = correctionSentence(w.results);
    for (int number = 2; number <= 8; ++number) {
        SheetStep s = sheetStep(number, in.steps[static_cast<std::size_t>(number - 1)]);
        if (number == 5)
            s.lines << rowsLine(h);
        writeNumberedStep<&rule, &shownText>(
            s, w, number, number == 8 ? QStringLiteral(". ") + sentence : QString());
        sheet.steps << s;
    }
    sheet.finalCaption = QStringLiteral("Gesuchte Zeitdifferenz");
    if (sheet.steps.last().computed)
        sheet.finalResult =
            shownText(CorrectionStep, w.results) + QStringLiteral(" \u2013 ") + sentence;
    else if (statusOf(w, CorrectionStep) == Status::Stale)
        sheet.finalPending = staleText();
    sheet.closing = in.check;
    return sheet;
}

std::optional<SheetTable> checkTable(const Worked &worked, const TableChoice &table)
{
    const auto checked = checkRectification(worked, table);
    if (!checked.ok())
        return std::nullopt;
    return checkSheetTable(checked.value().rows,
                           QStringLiteral("Häusertabelle %1. ").arg(tableText(table)) +
                               checked.value().finding);
}

} // namespace Rectification
