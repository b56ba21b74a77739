#include "solar/solarsheet.h"

#include "core/notation.h"
#include "core/numbers.h"

#include <QLocale>

namespace Solar {

using namespace Core;
using namespace Sheets;

namespace {

using Status = StepLedger::Status;

// The operators of a written-out computation, as on paper: a true minus
// sign, not the hyphen that a negative value on the form carries.
const QString Minus = QStringLiteral(" \u2212 ");
const QString Times = QStringLiteral(" \u00d7 ");
const QString Over = QStringLiteral(" \u00f7 ");
const QString Equals = QStringLiteral(" = ");

QString angle(const Sexagesimal &v)
{
    return Notation::angle(v);
}

QString angle(const SexagesimalTriple &t)
{
    return Notation::angle(Sexagesimal::of(t));
}

// A time as the value its fields stand for: the zone time of 1h58m42s in
// zone -5 is -3h01m18s.
QString clock(const Sexagesimal &v)
{
    return Notation::clock(v);
}

QString clock(const SexagesimalTriple &t)
{
    return clock(Sexagesimal::of(t));
}

// A term of hours chosen from a list: "+1 h", "-24 h".
QString hours(double value)
{
    return (value >= 0 ? QStringLiteral("+ ") : QStringLiteral("\u2212 ")) +
           plainNumber(std::fabs(value)) + QStringLiteral(" h");
}

// Four decimal places of an hour, as step 4 rounds them: "22,6092 h".
QString decimalHours(FixedDecimal value)
{
    const qint64 count = value.tenThousandths();
    const qint64 magnitude = count < 0 ? -count : count;
    return (count < 0 ? QStringLiteral("-") : QString()) + plainInteger(magnitude / 10000) +
           QLocale().decimalPoint() + QString::number(magnitude % 10000).rightJustified(4, u'0') +
           QStringLiteral(" h");
}

// The note of a step that was computed on an earlier result never computed.
QStringList skippedNotes(const Worked &w, int step)
{
    QStringList notes;
    for (int earlier : feedsOf(step)) {
        if (w.status[static_cast<std::size_t>(earlier)] == Status::NotComputed)
            notes << QStringLiteral("Schritt %1, %2, wurde nicht gerechnet.")
                         .arg(stepNumber(earlier))
                         .arg(stepName(earlier));
    }
    return notes;
}

// Sets a step's result as its status allows: shown while current, "nicht mehr
// aktuell" when stale, "noch nicht berechnet" before.
void settle(SheetStep &s, Status status, const QString &result)
{
    s.computed = status == Status::Current;
    if (s.computed)
        s.result = result;
    else if (status == Status::Stale)
        s.pending = staleText();
}

} // namespace

Sheet solarSheet(const SolarSheetInput &in)
{
    const Worked &w = in.worked;
    const Entries &e = w.entries;
    const Results &r = w.results;
    const auto status = [&w](int step) {
        return w.status[static_cast<std::size_t>(step)];
    };

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

    // 2. The Sun's motion on date 1.
    SheetStep motion = sheetStep(2, in.steps[1]);
    const QString motionTerms = angle(e.date2) + Minus + angle(e.date1);
    if (status(MotionStep) == Status::Current)
        motion.lines << QStringLiteral("A = ") + motionTerms + Equals + angle(*r.motion);
    else if (status(MotionStep) == Status::Stale)
        motion.lines << QStringLiteral("A = ") + motionTerms;
    settle(motion, status(MotionStep),
           r.motion ? QStringLiteral("Ergebnis A = ") + angle(*r.motion) : QString());

    // 3. The distance the Sun still has to cover on date 1.
    SheetStep distance = sheetStep(3, in.steps[2]);
    const QString distanceTerms = angle(e.radix) + Minus + angle(e.date1OfStep3);
    if (status(DistanceStep) == Status::Current)
        distance.lines << QStringLiteral("B = ") + distanceTerms + Equals + angle(*r.distance);
    else if (status(DistanceStep) == Status::Stale)
        distance.lines << QStringLiteral("B = ") + distanceTerms;
    settle(distance, status(DistanceStep),
           r.distance ? QStringLiteral("Ergebnis B = ") + angle(*r.distance) : QString());

    // 4. Linear interpolation: the part B ÷ A of the day, in hours, rounded to
    //    four places, then written as a clock time. The formula stands whether
    //    or not the step has been worked.
    SheetStep interpolation = sheetStep(4, in.steps[3]);
    interpolation.lines << QStringLiteral("Uhrzeit = B") + Over + QStringLiteral("A") + Times +
                               QStringLiteral("24 h");
    const Status greenwich = status(GreenwichStep);
    if (greenwich != Status::NotComputed) {
        interpolation.lines << skippedNotes(w, GreenwichStep);
        const auto a = guarded([&]() -> StepResult<qint32> { return e.motion.totalSeconds(); });
        const auto b = guarded([&]() -> StepResult<qint32> { return e.distance.totalSeconds(); });
        if (a.ok() && b.ok()) {
            interpolation.lines << QStringLiteral("A = ") + angle(e.motion) + Equals +
                                       plainInteger(a.value()) + QStringLiteral("'', B = ") +
                                       angle(e.distance) + Equals + plainInteger(b.value()) +
                                       QStringLiteral("''");
            QString line = QStringLiteral("Uhrzeit = ") + plainInteger(b.value()) +
                           QStringLiteral("''") + Over + plainInteger(a.value()) +
                           QStringLiteral("''") + Times + QStringLiteral("24 h");
            if (greenwich == Status::Current && a.value() != 0)
                line += Equals +
                        decimalHours(FixedDecimal::fromDouble(double(b.value()) /
                                                              double(a.value()) * 24.0)) +
                        Equals + clock(*r.greenwich);
            interpolation.lines << line;
        }
    }
    settle(interpolation, greenwich,
           r.greenwich ? QStringLiteral("Uhrzeit des Solars (Greenwich) = ") + clock(*r.greenwich)
                       : QString());

    // 5. From Greenwich to the local clock, then the day shift.
    SheetStep local = sheetStep(5, in.steps[4]);
    if (local.heading.isEmpty())
        local.heading = QStringLiteral("Zeitzone und Tageskorrektur");
    const Status zone = status(ZoneStep);
    const Status last = status(FinalStep);
    if (zone != Status::NotComputed) {
        local.lines << skippedNotes(w, ZoneStep);
        QString line =
            QStringLiteral("Zeitzone: ") + clock(e.greenwichTime) + u' ' + hours(e.zoneHours);
        if (zone == Status::Current)
            line += Equals + clock(*r.zone);
        else
            line += QStringLiteral(" \u2013 ") + staleText();
        local.lines << line;
    }
    if (last != Status::NotComputed) {
        local.lines << skippedNotes(w, FinalStep);
        QString line =
            QStringLiteral("Tageskorrektur: ") + clock(e.zoneTime) + u' ' + hours(e.dayShiftHours);
        if (last == Status::Current)
            line += Equals + clock(*r.final);
        else
            line += QStringLiteral(" \u2013 ") + staleText();
        local.lines << line;
    }
    settle(local, last,
           r.final ? QStringLiteral("Uhrzeit des Solars = ") + clock(*r.final) : QString());

    sheet.steps = {positions, motion, distance, interpolation, local};
    sheet.finalCaption = QStringLiteral("Endergebnis");
    if (last == Status::Current) {
        const QString typed = w.header.solarDate[0].trimmed() + u'.' +
                              w.header.solarDate[1].trimmed() + u'.' +
                              w.header.solarDate[2].trimmed();
        sheet.finalResult = QStringLiteral("Datum des Solars ") +
                            (typed == QStringLiteral("..") ? QStringLiteral("(leer)") : typed) +
                            QStringLiteral(", Uhrzeit des Solars ") + clock(*r.final);
    } else if (last == Status::Stale) {
        sheet.finalPending = staleText();
    }

    if (in.check)
        sheet.closing = checkTable(*in.check);
    return sheet;
}

SheetTable checkTable(const Comparison &comparison)
{
    SheetTable check;
    check.title = checkCaption();
    check.columnHeaders = QStringList{QString()} + comparisonColumnHeaders();
    for (const ComparisonRow &row : comparisonRows(comparison))
        check.rows << QStringList{row.caption, row.hand, row.exact, row.deviation};
    check.finding = comparison.finding + u' ' + exactConvention();
    return check;
}

} // namespace Solar
