#include "rekti/rectificationsheet.h"

#include "core/notation.h"
#include "core/numbers.h"

#include <QLocale>

#include <cmath>

namespace Rectification {

using namespace Core;
using namespace Sheets;

namespace {

using namespace Rectification;
using Status = StepLedger::Status;

const QString Minus = QStringLiteral(" \u2212 ");
const QString Plus = QStringLiteral(" + ");
const QString Times = QStringLiteral(" \u00d7 ");
const QString Over = QStringLiteral(" \u00f7 ");
const QString Equals = QStringLiteral(" = ");

// A negative value written with a true minus sign, as on paper.
QString signed_(QString text)
{
    if (text.startsWith(u'-'))
        text.replace(0, 1, QStringLiteral("\u2212"));
    return text;
}

QString angle(const Sexagesimal &v)
{
    return signed_(Notation::angle(v));
}

QString angle(const SexagesimalTriple &t)
{
    return signed_(Notation::angle(Sexagesimal::of(t)));
}

QString clock(const Sexagesimal &v)
{
    return signed_(Notation::clock(v));
}

QString clock(const SexagesimalTriple &t)
{
    return signed_(Notation::clock(pickersToSeconds(t)));
}

// A four-place decimal as the steps round it: "33,8328".
QString decimal(FixedDecimal value)
{
    const qint64 count = value.tenThousandths();
    const qint64 magnitude = count < 0 ? -count : count;
    return (count < 0 ? QStringLiteral("\u2212") : QString()) + plainInteger(magnitude / 10000) +
           QLocale().decimalPoint() + QString::number(magnitude % 10000).rightJustified(4, u'0');
}

// A correction chosen from a list as a term: "+ 30°", "− 24 h", "+ 0°".
QString term(double value, const QString &unit)
{
    return (value < 0 ? Minus : Plus) + plainNumber(std::fabs(value)) + unit;
}

std::optional<qint32> totalSeconds(const Sexagesimal &v)
{
    const auto r = guarded([&]() -> StepResult<qint32> { return v.totalSeconds(); });
    return r.ok() ? std::optional<qint32>(r.value()) : std::nullopt;
}

// Arc to time as steps 3 and 7 do it: decimal degrees (four places) times
// 4 minutes, in decimal hours (four places), then h m s.
QString arcToTimeLine(const Sexagesimal &arc, const SexagesimalTriple &time)
{
    const auto seconds = totalSeconds(arc);
    if (!seconds)
        return angle(arc) + Times + QStringLiteral("4 m") + Equals + clock(time);
    const FixedDecimal degrees = secondsToDecimal(*seconds);
    const FixedDecimal hours = FixedDecimal::fromDouble(degrees.toDouble() * 4.0 / 60.0);
    return angle(arc) + Equals + decimal(degrees) + QStringLiteral("°") + Times +
           QStringLiteral("4 m") + Equals + decimal(hours) + QStringLiteral(" h") + Equals +
           clock(time);
}

class Writer {
public:
    explicit Writer(const Worked &w) : m_w(w) {}

    Status status(int step) const { return m_w.status[static_cast<std::size_t>(step)]; }

    // One computation of a step: the terms, and " = result" while current.
    void line(SheetStep &s, int step, const QString &terms, const QString &result) const
    {
        if (status(step) == Status::NotComputed)
            return;
        s.lines << notes(step);
        if (status(step) == Status::Current)
            s.lines << terms + Equals + result;
        else
            s.lines << terms + QStringLiteral(" \u2013 ") + staleText();
    }

    // The result of a numbered step, from the last of its computations.
    void settle(SheetStep &s, int last, std::initializer_list<int> parts,
                const QString &result) const
    {
        bool stale = false;
        for (int p : parts)
            stale = stale || status(p) == Status::Stale;
        s.computed = !stale && status(last) == Status::Current;
        if (s.computed)
            s.result = result;
        else if (stale)
            s.pending = staleText();
    }

private:
    // "Schritt 2, Direktionsbogen, wurde nicht gerechnet": an earlier result
    // that this computation read although it was never computed.
    QStringList notes(int step) const
    {
        QStringList list;
        for (int earlier : feedsOf(step)) {
            if (status(earlier) == Status::NotComputed)
                list << QStringLiteral("Schritt %1, %2, wurde nicht gerechnet.")
                            .arg(stepNumber(earlier))
                            .arg(stepName(earlier));
        }
        return list;
    }

    const Worked &m_w;
};

QString orBlank(const QString &text)
{
    return text.trimmed().isEmpty() ? QStringLiteral("(leer)") : text.trimmed();
}

} // namespace

Sheet rectificationSheet(const RectificationSheetInput &in)
{
    const Worked &w = in.worked;
    const Entries &e = w.entries;
    const Results &r = w.results;
    const Header &h = w.header;
    const Writer write(w);
    const auto triple = [&r](int step) {
        return r.triples[static_cast<std::size_t>(step)];
    };
    const auto result = [&](int step) {
        return triple(step) ? angle(*triple(step)) : QString();
    };

    Sheet sheet;
    sheet.title = QStringLiteral("Rechenblatt Rektifikation (GZK)");
    sheet.person = sheetPerson(in.person);
    sheet.printed = in.printed;
    sheet.facts = {{QStringLiteral("Sternzeit der Geburt"),
                    Notation::clock(Sexagesimal::read(h.birthSiderealTime))},
                   {QStringLiteral("Ereignis"), h.event},
                   {QStringLiteral("Ereignistag"), h.eventDate}};
    const auto years = [](double y, double d) -> QString {
        return plainNumber(y) + QStringLiteral(" Jahre ") + plainNumber(d) +
               QStringLiteral(" Tage");
    };

    // 1. The age at the event in whole years and further days.
    SheetStep age = sheetStep(1, in.steps[0]);
    age.computed = !h.age[0].isEmpty() || !h.age[1].isEmpty();
    if (age.computed)
        age.result = QStringLiteral("Alter zum Ereignis: ") + orBlank(h.age[0]) +
                     QStringLiteral(" Jahre ") + orBlank(h.age[1]) + QStringLiteral(" Tage");

    // 2. The age as decimal years (365 days to the year), times the Naibod
    //    key of 0°59'08'' of arc per year, gives the direction arc.
    SheetStep arc = sheetStep(2, in.steps[1]);
    write.line(arc, DecimalYearsStep,
               years(e.age.years, e.age.days) + Equals + plainNumber(e.age.days) + Over +
                   QStringLiteral("365") + Plus + plainNumber(std::nearbyint(e.age.years)),
               r.decimalYears ? plainNumber(*r.decimalYears) + QStringLiteral(" Jahre")
                              : QString());
    write.line(arc, ArcStep, plainNumber(e.decimalYears) + Times + QStringLiteral("0°59'08''"),
               result(ArcStep));
    write.settle(arc, ArcStep, {DecimalYearsStep, ArcStep},
                 QStringLiteral("Direktionsbogen = ") + result(ArcStep));

    // 3. Four minutes of time to each degree of arc.
    SheetStep arcTime = sheetStep(3, in.steps[2]);
    if (write.status(ArcTimeStep) == Status::Current)
        write.line(arcTime, ArcTimeStep,
                   arcToTimeLine(e.directionArc, *triple(ArcTimeStep)).section(Equals, 0, -2),
                   clock(*triple(ArcTimeStep)));
    else
        write.line(arcTime, ArcTimeStep, angle(e.directionArc) + Times + QStringLiteral("4 m"),
                   QString());
    write.settle(arcTime, ArcTimeStep, {ArcTimeStep},
                 QStringLiteral("Direktionsbogen in Zeit = ") +
                     (triple(ArcTimeStep) ? clock(*triple(ArcTimeStep)) : QString()));

    // 4. Sidereal time of birth plus the arc in time; past a day, less 24 h.
    SheetStep event = sheetStep(4, in.steps[3]);
    write.line(event, SumStep, clock(e.birthSiderealTime) + Plus + clock(e.arcInTime),
               r.sum ? clock(r.sum->time) : QString());
    write.line(event, WithinDayStep,
               clock(e.eventSiderealTime) + term(e.dayHours, QStringLiteral(" h")),
               triple(WithinDayStep) ? clock(*triple(WithinDayStep)) : QString());
    write.settle(event, WithinDayStep, {SumStep, WithinDayStep},
                 QStringLiteral("Sternzeit des Ereignisses = ") +
                     (triple(WithinDayStep) ? clock(*triple(WithinDayStep)) : QString()));

    // 5. Interpolation in the house tables between the smaller and the
    //    greater value; ±30° where the sign changes between them. A
    //    difference that comes out negative is taken as it stands, without
    //    its sign: the sheet writes it between bars.
    SheetStep table = sheetStep(5, in.steps[4]);
    if (!QString(h.smallerRow[0] + h.smallerRow[1] + h.greaterRow[0] + h.greaterRow[1]).isEmpty())
        table.lines << QStringLiteral("Sternzeit Häusertabelle: kleinerer Wert ") +
                           orBlank(h.smallerRow[0]) + QStringLiteral(" h ") +
                           orBlank(h.smallerRow[1]) + QStringLiteral(" m, größerer Wert ") +
                           orBlank(h.greaterRow[0]) + QStringLiteral(" h ") +
                           orBlank(h.greaterRow[1]) + QStringLiteral(" m");
    const auto difference = [&](int step, const Sexagesimal &a, const Sexagesimal &b,
                                double correction) {
        QString terms = angle(a) + Minus + angle(b) + term(correction, QStringLiteral("°"));
        const auto x = totalSeconds(a), y = totalSeconds(b);
        if (x && y && double(*x) - double(*y) + correction * 3600.0 < 0)
            terms = u'|' + terms + u'|';
        write.line(table, step, terms, result(step));
    };
    difference(TableStepStep, e.greaterTableValue, e.smallerTableValue, e.firstSignCorrection);
    difference(TowardsPlanetStep, e.correctedTableValue, e.smallerTableValue2,
               e.secondSignCorrection);
    {
        QString terms = angle(e.towardsPlanet) + Over + angle(e.tableStep);
        const auto a = totalSeconds(e.towardsPlanet), b = totalSeconds(e.tableStep);
        QString value = result(QuotientStep);
        if (a && b && r.quotient && write.status(QuotientStep) == Status::Current) {
            terms += Equals + plainInteger(*a) + QStringLiteral("''") + Over + plainInteger(*b) +
                     QStringLiteral("''");
            value = decimal(*r.quotient) + Equals + value;
        }
        write.line(table, QuotientStep, terms, value);
    }
    write.settle(table, QuotientStep, {TableStepStep, TowardsPlanetStep, QuotientStep},
                 QStringLiteral("Ergebnis der Differenzwerte = ") + result(QuotientStep));

    // 6. RAMC of the smaller table row plus the part found, less the arc.
    SheetStep ramc = sheetStep(6, in.steps[5]);
    write.line(ramc, RamcSumStep,
               plainNumber(e.ramc) + QStringLiteral("°") + Plus + angle(e.quotient),
               result(RamcSumStep));
    write.line(ramc, CorrectedRamcStep,
               angle(e.ramcPlusQuotient) + Minus + angle(e.arcOfStep6) +
                   term(e.circleCorrection, QStringLiteral("°")),
               result(CorrectedRamcStep));
    write.settle(ramc, CorrectedRamcStep, {RamcSumStep, CorrectedRamcStep},
                 QStringLiteral("korrigierte RAMC = ") + result(CorrectedRamcStep));

    // 7. The corrected RAMC in time, four minutes to the degree.
    SheetStep ramcTime = sheetStep(7, in.steps[6]);
    if (write.status(RamcTimeStep) == Status::Current)
        write.line(ramcTime, RamcTimeStep,
                   arcToTimeLine(e.correctedRamc, *triple(RamcTimeStep)).section(Equals, 0, -2),
                   clock(*triple(RamcTimeStep)));
    else
        write.line(ramcTime, RamcTimeStep, angle(e.correctedRamc) + Times + QStringLiteral("4 m"),
                   QString());
    write.settle(ramcTime, RamcTimeStep, {RamcTimeStep},
                 QStringLiteral("korrigierte RAMC in Zeit = ") +
                     (triple(RamcTimeStep) ? clock(*triple(RamcTimeStep)) : QString()));

    // 8. Less the sidereal time of birth: the correction of the birth time,
    //    negative when the birth was earlier than recorded.
    SheetStep difference8 = sheetStep(8, in.steps[7]);
    QString found;
    QString sentence;
    if (const auto c = triple(CorrectionStep)) {
        const qint64 s = pickersToSeconds(*c);
        found = clock(*c);
        const qint64 a = s < 0 ? -s : s;
        const QString amount =
            (a >= 3600 ? plainInteger(a / 3600) + QStringLiteral(" h ") : QString()) +
            (a >= 60 ? plainInteger(a / 60 % 60) + QStringLiteral(" m ") : QString()) +
            plainInteger(a % 60) + QStringLiteral(" s");
        sentence =
            s == 0 ? QStringLiteral("Die Geburtszeit stimmt.")
                   : QStringLiteral("Die Geburtszeit ist um %1 %2.")
                         .arg(amount, s < 0 ? QStringLiteral("früher") : QStringLiteral("später"));
    }
    write.line(difference8, CorrectionStep,
               clock(e.ramcInTime) + Minus + clock(e.birthSiderealTimeOfStep8), found);
    write.settle(difference8, CorrectionStep, {CorrectionStep},
                 QStringLiteral("gesuchte Zeitdifferenz = ") + found + QStringLiteral(". ") +
                     sentence);

    sheet.steps = {age, arc, arcTime, event, table, ramc, ramcTime, difference8};
    sheet.finalCaption = QStringLiteral("Gesuchte Zeitdifferenz");
    if (difference8.computed)
        sheet.finalResult = found + QStringLiteral(" \u2013 ") + sentence;
    else if (write.status(CorrectionStep) == Status::Stale)
        sheet.finalPending = staleText();
    sheet.closing = in.check;
    return sheet;
}

std::optional<SheetTable> checkTable(const Worked &worked, const TableChoice &table)
{
    const auto checked = checkRectification(worked, table);
    if (!checked.ok())
        return std::nullopt;
    SheetTable check;
    check.title = checkCaption();
    check.columnHeaders = QStringList{QString()} + checkColumns();
    for (const CheckRow &row : checked.value().rows)
        check.rows << QStringList{row.name, row.yours, row.exact, row.deviation};
    check.finding =
        QStringLiteral("Häusertabelle %1. ").arg(tableText(table)) + checked.value().finding;
    return check;
}

} // namespace Rectification
