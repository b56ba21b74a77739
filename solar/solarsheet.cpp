#include "solar/solarsheet.h"

#include "core/notation.h"
#include "core/numbers.h"

namespace Solar {

using namespace Core;
using namespace Sheets;

namespace {

using Notation::angle;

using Status = StepLedger::Status;

// Steps 2 and 3 worked by hand across a sign: the two days lie in two signs
// (date 2 has fewer degrees within its sign than date 1), the form's step
// did not give what step 4 reads, and step 4 has been worked with values
// typed into it.
bool byHand(const Worked &w, int step)
{
    if (step != MotionStep && step != DistanceStep)
        return false;
    return carriesAcrossSign(MotionStep, w.entries) && acrossSign(MotionStep, w.entries).ok() &&
           statusOf(w, step) != Status::Current &&
           statusOf(w, GreenwichStep) != Status::NotComputed &&
           !reads(w.entries, w.results, GreenwichStep, step);
}

QStringList skippedNotes(const Worked &w, int step)
{
    QStringList notes;
    for (int earlier : rule(step).feeds) {
        if (statusOf(w, earlier) == Status::NotComputed && !byHand(w, earlier))
            notes << notComputedNote(rule(earlier).number, rule(earlier).stepName());
    }
    return notes;
}

// A step worked by hand across the sign: its equation with the 30°, and as
// its result the value typed into step 4.
void writeByHand(SheetStep &s, const Worked &w, int step, const QString &caption)
{
    s.lines << acrossSignEquation(step, w.entries)
            << (carriesAcrossSign(step, w.entries)
                    ? QStringLiteral("Die Tage liegen in zwei Zeichen; Schritt %1 des Rechners "
                                     "zieht innerhalb eines Zeichens ab, darum von Hand über die "
                                     "Zeichengrenze gerechnet und in Schritt 4 eingetragen.")
                          .arg(rule(step).number)
                    : QStringLiteral("Die Radix-Sonne steht noch im Zeichen des 1. Datums, ohne "
                                     "30°; von Hand gerechnet und in Schritt 4 eingetragen."));
    const Sexagesimal &typed = step == MotionStep ? w.entries.motion : w.entries.distance;
    settleStep(s, true, false,
               caption + Notation::angle(typed) + QStringLiteral(" (in Schritt 4)"));
}

void writeLines(SheetStep &s, const Worked &w, int step)
{
    writeComputation<&rule>(s, w, step, skippedNotes(w, step));
}

void settle(SheetStep &s, Status status, const QString &result)
{
    settleStep(s, status == Status::Current, status == Status::Stale, result);
}

QString resultOf(const QString &caption, int step, const Results &r)
{
    const auto shown = rule(step).shown(r);
    if (!shown)
        return {};
    return caption + (rule(step).isTime ? Notation::clock(*shown) : Notation::angle(*shown));
}

// A step of steps 2 to 4: worked by hand across a sign, or the form's.
void writeStep(SheetStep &s, const Worked &w, int step, const QString &caption)
{
    if (byHand(w, step)) {
        writeByHand(s, w, step, caption);
        return;
    }
    writeLines(s, w, step);
    settle(s, statusOf(w, step), resultOf(caption, step, w.results));
}

} // namespace

Sheet solarSheet(const SolarSheetInput &in)
{
    const Worked &w = in.worked;
    const Results &r = w.results;
    Sheet sheet;
    sheet.title = QStringLiteral("Rechenblatt Solar");
    sheet.person = sheetPerson(in.person);
    sheet.printed = in.printed;
    sheet.facts = {{QStringLiteral("Tierkreis"), w.header.sign},
                   {QStringLiteral("Solar für das Jahr"), w.header.year},
                   {QStringLiteral("Radix-Sonnenposition"), angle(w.header.radix)}};

    // 1. The two ephemeris days: the positions are chosen, not computed.
    SheetStep positions = sheetStep(1, in.steps[0]);
    positions.lines = {QStringLiteral("Sonnenstand 1. Datum: ") + angle(w.header.sunDate1),
                       QStringLiteral("Sonnenstand 2. Datum: ") + angle(w.header.sunDate2)};
    positions.computed = true;
    sheet.steps << positions;

    // 2. to 4.: the Sun's motion A, the distance B and the linear
    // interpolation B ÷ A × 24 h, whose formula stands whether or not the
    // step has been worked.
    const QString captions[] = {QStringLiteral("Ergebnis A = "), QStringLiteral("Ergebnis B = "),
                                QStringLiteral("Uhrzeit des Solars (Greenwich) = ")};
    for (const int step : {MotionStep, DistanceStep, GreenwichStep}) {
        SheetStep s = sheetStep(rule(step).number, in.steps[static_cast<std::size_t>(step + 1)]);
        if (step == GreenwichStep)
            s.lines << QStringLiteral("Uhrzeit = B \u00f7 A \u00d7 24 h");
        writeStep(s, w, step, captions[step]);
        sheet.steps << s;
    }

    // 5. From Greenwich to the local clock, then the day shift.
    SheetStep local = sheetStep(5, in.steps[4]);
    if (local.heading.isEmpty())
        local.heading = QStringLiteral("Zeitzone und Tageskorrektur");
    writeLines(local, w, ZoneStep);
    writeLines(local, w, FinalStep);
    const Status last = statusOf(w, FinalStep);
    settle(local, last, resultOf(QStringLiteral("Uhrzeit des Solars = "), FinalStep, r));
    sheet.steps << local;

    sheet.finalCaption = QStringLiteral("Endergebnis");
    if (last == Status::Current) {
        const Header &h = w.header;
        const QString typed = h.solarDate[0].trimmed() + u'.' + h.solarDate[1].trimmed() + u'.' +
                              h.solarDate[2].trimmed();
        sheet.finalResult = QStringLiteral("Datum des Solars ") +
                            (typed == QStringLiteral("..") ? QStringLiteral("(leer)") : typed) +
                            QStringLiteral(", Uhrzeit des Solars ") +
                            Notation::clock(*rule(FinalStep).shown(r));
    } else if (last == Status::Stale) {
        sheet.finalPending = staleText();
    }
    if (in.check)
        sheet.closing = checkTable(*in.check);
    return sheet;
}

SheetTable checkTable(const Comparison &comparison)
{
    return checkSheetTable(comparisonRows(comparison),
                           comparison.finding + u' ' + exactConvention());
}

} // namespace Solar
