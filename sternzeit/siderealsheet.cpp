#include "sternzeit/siderealsheet.h"

#include "core/notation.h"

#include <algorithm>

namespace Sidereal {

using namespace Core;
using namespace Sheets;

namespace {

using Status = StepLedger::Status;

Status statusOf(const Worked &w, int step)
{
    return w.status[static_cast<std::size_t>(step)];
}

QStringList notes(const Worked &w, int step)
{
    QStringList list;
    for (int earlier : rule(step).feeds) {
        if (statusOf(w, earlier) == Status::NotComputed)
            list << notComputedNote(rule(earlier).number, rule(earlier).stepName());
    }
    return list;
}

void writeLine(SheetStep &s, const Worked &w, int step)
{
    addComputation(s, statusOf(w, step), notes(w, step), [&](bool current) {
        return rule(step).equation(w.entries, current ? &w.results : nullptr);
    });
}

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
        QList<int> steps;
        for (int step = 0; step < StepCount; ++step) {
            if (rule(step).number == number) {
                writeLine(s, w, step);
                steps << step;
            }
        }
        bool stale = false;
        for (int step : steps)
            stale = stale || statusOf(w, step) == Status::Stale;
        const int last = steps.last();
        settleStep(s, statusOf(w, last) == Status::Current, stale,
                   QString::fromUtf16(rule(last).result) + QStringLiteral(" = ") +
                       shownText(last, w.results));
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
    SheetTable check;
    check.title = checkCaption();
    check.columnHeaders = QStringList{QString()} + checkColumns();
    for (const CheckRow &row : checked.value().rows)
        check.rows << QStringList{row.name, row.yours, row.exact, row.deviation};
    check.finding = checked.value().finding;
    return check;
}

} // namespace Sidereal
