#include "sternzeit/siderealsheet.h"

#include "core/notation.h"

#include <algorithm>

namespace Sidereal {

using namespace Core;
using namespace Sheets;

namespace {

using Status = StepLedger::Status;

// Step 2: the value read from the ephemeris, for the day step 1 names.
SheetStep ephemerisStep(const Worked &w, const StepTexts &texts)
{
    SheetStep s = sheetStep(2, texts);
    const Header &h = w.header;
    s.computed = std::any_of(h.ephemerisTexts.begin(), h.ephemerisTexts.end(),
                             [](const QString &t) { return !t.trimmed().isEmpty(); });
    const auto &ut = w.results.universalTime;
    if (ut && statusOf(w, UniversalTimeStep) == Status::Current)
        s.lines << QStringLiteral("Ephemeridentag: ") + Notation::date(ut->ephemerisDay);
    if (s.computed)
        s.result = QStringLiteral("Sternzeit um 0 Uhr Weltzeit = ") + Notation::clock(h.ephemeris);
    return s;
}

QString longitudeFact(const Header &h)
{
    if (h.longitudeTexts[0].trimmed().isEmpty() && h.longitudeTexts[1].trimmed().isEmpty())
        return {};
    return Notation::longitude(eastLongitudeMinutes(h));
}

} // namespace

Sheet siderealSheet(const SiderealSheetInput &in)
{
    const Worked &w = in.worked;
    const Header &h = w.header;
    Sheet sheet;
    sheet.title = QStringLiteral("Rechenblatt Sternzeit der Geburt");
    sheet.person = sheetPerson(in.person);
    sheet.printed = in.printed;
    // The person's birth date and time stand in the head as the form holds
    // them; beside them what makes them universal and local.
    sheet.facts = {{QStringLiteral("Zeitzone"), h.zoneText},
                   {QStringLiteral("Länge"), longitudeFact(h)}};
    for (int number = 1; number <= 5; ++number) {
        const StepTexts &texts = in.steps[static_cast<std::size_t>(number - 1)];
        if (number == 2) {
            sheet.steps << ephemerisStep(w, texts);
            continue;
        }
        SheetStep s = sheetStep(number, texts);
        writeNumberedStep<&rule, &shownText>(s, w, number);
        sheet.steps << s;
    }
    sheet.finalCaption = QStringLiteral("Sternzeit der Geburt");
    if (sheet.steps.last().computed)
        sheet.finalResult = shownText(WithinDayStep, w.results);
    else if (statusOf(w, WithinDayStep) == Status::Stale)
        sheet.finalPending = staleText();
    sheet.closing = in.check;
    return sheet;
}

std::optional<SheetTable> checkTable(const Worked &worked)
{
    const auto checked = checkSidereal(worked);
    if (!checked.ok())
        return std::nullopt;
    return checkSheetTable(checked.value().rows, checked.value().finding);
}

} // namespace Sidereal
