#include "tests/support/verdicts.h"

#include "astro/zodiac.h"
#include "core/calendar.h"
#include "core/notation.h"
#include "core/numbers.h"
#include "core/rules.h"
#include "exercise/rectificationanswer.h"
#include "exercise/rectificationtask.h"
#include "exercise/solaranswer.h"
#include "exercise/solartask.h"
#include "exercise/solartexts.h"
#include "rekti/rectificationsheet.h"
#include "solar/solarsheet.h"

#include <QList>

#include <cmath>
#include <functional>
#include <optional>

using namespace Core;
using namespace Exercise;
using namespace Qt::StringLiterals;

namespace Verdicts {

namespace {

using Status = StepLedger::Status;

SexagesimalTriple withinSign(qint32 position)
{
    return secondsToTriple(static_cast<qint32>(modulo(position, ArcSecondsPerSign)));
}

Sexagesimal plus(const Sexagesimal &value, qint32 seconds)
{
    return Sexagesimal::of(secondsToTriple(value.totalSeconds() + seconds));
}

void count(Tally &tally, const QString &slip, const QString &fault, QString detail, int &counter)
{
    ++counter;
    if (tally.examples.size() < 40)
        tally.examples << fault + u": " + slip + u": " + detail;
}

// ----------------------------------------------------------------------------
// Rectification

namespace R = Rectification;

} // namespace

RectificationPlan rightPlan(const RectificationTask &task)
{
    const RectificationHandSolution &hand = task.hand;
    RectificationPlan plan;
    plan.age = hand.age;
    plan.birthSidereal = task.birthSiderealTime;
    plan.row = hand.smallerRow;
    plan.smaller = task.page.at(hand.smallerRow).value(task.axis);
    plan.greater = task.page.at(hand.smallerRow + 1).value(task.axis);
    plan.corrected = task.planetPosition;
    return plan;
}

WorkedRectification work(const RectificationTask &task, const RectificationPlan &plan, Mode mode)
{
    R::State st;
    if (mode == Mode::SolarTask)
        st.task = givenTask(task);
    R::Header &h = st.header;
    h.birthDate = task.birthDate;
    h.event = task.event;
    h.eventDate = Notation::date(task.eventDate);
    h.eventOn = typedDate(h.eventDate);
    const SexagesimalTriple sidereal = secondsToTriple(plan.birthSidereal);
    h.birthSiderealTime = tripleToFields(sidereal);
    h.birthSidereal = Sexagesimal::of(sidereal);
    h.age = {plainNumber(plan.age.years), plainNumber(plan.age.days)};
    h.typedAge = plan.age;
    const auto rowTexts = [&task](int index) {
        const qint32 s = task.page.at(index).siderealSeconds();
        return std::array<QString, 2>{QString::number(s / 3600), QString::number(s / 60 % 60)};
    };
    h.smallerRow = rowTexts(plan.row);
    h.greaterRow = rowTexts(plan.row + 1);
    R::readHeader(h,
                  {QString::number(task.birthDate.day()), QString::number(task.birthDate.month()),
                   QString::number(task.birthDate.year())});

    R::Entries &e = st.entries;
    e.age = plan.age;
    e.birthSiderealTime = e.birthSiderealTimeOfStep8 = Sexagesimal::of(sidereal);
    e.greaterTableValue = Sexagesimal::of(withinSign(plan.greater));
    e.smallerTableValue = Sexagesimal::of(withinSign(plan.smaller));
    e.smallerTableValue2 = Sexagesimal::of(withinSign(plan.smaller2.value_or(plan.smaller)));
    e.correctedTableValue = Sexagesimal::of(withinSign(plan.corrected));
    const auto within = [](const Sexagesimal &v) {
        return qint64{v.totalSeconds()};
    };
    e.firstSignCorrection = plan.firstSign.value_or(
        signCorrection(within(e.greaterTableValue) - within(e.smallerTableValue)));
    e.secondSignCorrection = plan.secondSign.value_or(
        signCorrection(within(e.correctedTableValue) - within(e.smallerTableValue)));
    e.ramc = task.page.at(plan.row).ramc;

    WorkedRectification result;
    for (int step = 0; step < R::StepCount; ++step) {
        if (plan.skipped.contains(step))
            continue;
        if (plan.beforeStep)
            plan.beforeStep(st, step);
        if (step == R::WithinDayStep && plan.dayHours)
            e.dayHours = *plan.dayHours;
        if (step == R::CorrectedRamcStep)
            e.circleCorrection = plan.circle.value_or(
                circleCorrection(within(e.ramcPlusQuotient) - within(e.arcOfStep6)));
        if (st.run(R::Step(step)) && !result.refusedAt)
            result.refusedAt = R::rule(step).number;
    }
    if (plan.afterAll)
        plan.afterAll(st);
    result.worked = st.worked();
    return result;
}

namespace {

struct RectificationSlip {
    QString name;
    R::Cause cause; // the first cause it must be named by
    int step;       // on the form
    bool freeNamed; // a free calculation names it too (else: right)
    std::function<std::optional<RectificationPlan>(const RectificationTask &)> plan;
};

QList<RectificationSlip> rectificationSlips()
{
    using C = R::Cause;
    QList<RectificationSlip> slips;
    const auto add =
        [&slips](const QString &name, C cause, int step, bool free,
                 std::function<void(const RectificationTask &, RectificationPlan &)> change,
                 std::function<bool(const RectificationTask &)> applies = {}) {
            slips.append(
                {name, cause, step, free,
                 [change, applies](const RectificationTask &t) -> std::optional<RectificationPlan> {
                     if (applies && !applies(t))
                         return std::nullopt;
                     RectificationPlan plan = rightPlan(t);
                     if (change)
                         change(t, plan);
                     return plan;
                 }});
        };
    const auto value = [](const RectificationTask &t, int row, bool other = false) {
        const Astro::Axis axis =
            other ? (t.axis == Astro::Axis::MC ? Astro::Axis::AC : Astro::Axis::MC) : t.axis;
        return t.page.at(row).value(axis);
    };
    add(u"richtig"_s, C::Right, 0, true, {});
    add(u"kleinerer Wert +2'"_s, C::TableValue, 5, true,
        [](const RectificationTask &, RectificationPlan &p) { p.smaller += 120; });
    add(u"größerer Wert -5'"_s, C::TableValue, 5, true,
        [](const RectificationTask &, RectificationPlan &p) { p.greater -= 300; });
    add(u"kleinerer Wert +1°"_s, C::TableValue, 5, true,
        [](const RectificationTask &, RectificationPlan &p) { p.smaller += 3600; });
    for (const int shift : {-1, 1})
        add(shift < 0 ? u"Zeilen eine tiefer"_s : u"Zeilen eine höher"_s, C::Rows, 5, true,
            [shift, value](const RectificationTask &t, RectificationPlan &p) {
                p.row += shift;
                p.smaller = value(t, p.row);
                p.greater = value(t, p.row + 1);
            });
    add(u"andere Achse"_s, C::OtherAxis, 5, true,
        [value](const RectificationTask &t, RectificationPlan &p) {
            p.smaller = value(t, p.row, true);
            p.greater = value(t, p.row + 1, true);
        });
    add(u"±30° der 1. Differenz falsch"_s, C::SignCorrection, 5, true,
        [](const RectificationTask &t, RectificationPlan &p) {
            p.firstSign = t.hand.firstSignCorrection == 0 ? 30.0 : 0.0;
        });
    add(u"±30° der 2. Differenz falsch"_s, C::SignCorrection, 5, true,
        [](const RectificationTask &t, RectificationPlan &p) {
            p.secondSign = t.hand.secondSignCorrection == 0 ? -30.0 : 0.0;
        });
    add(u"±360° falsch"_s, C::NotComputed, 6, true,
        [](const RectificationTask &t, RectificationPlan &p) {
            p.circle = t.hand.circleCorrection == 0 ? 360.0 : 0.0;
        });
    add(
        u"-24h vergessen"_s, C::DayReduction, 4, true,
        [](const RectificationTask &, RectificationPlan &p) { p.dayHours = 0; },
        [](const RectificationTask &t) { return t.hand.dayHours != 0; });
    add(
        u"-24h ohne Not"_s, C::NotComputed, 4, true,
        [](const RectificationTask &, RectificationPlan &p) { p.dayHours = -24; },
        [](const RectificationTask &t) { return t.hand.dayHours == 0; });
    for (const int off : {1, 5, 30, 60})
        add(u"Endergebnis "_s + QString::number(off) + u" s daneben (Sternzeit in Schritt 8)"_s,
            C::BrokenLink, 8, true, [off](const RectificationTask &, RectificationPlan &p) {
                p.beforeStep = [off](R::State &st, int step) {
                    if (step == R::CorrectionStep)
                        st.entries.birthSiderealTimeOfStep8 =
                            plus(st.entries.birthSiderealTimeOfStep8, off);
                };
            });
    add(u"Quotient falsch abgeschrieben"_s, C::BrokenLink, 6, true,
        [](const RectificationTask &, RectificationPlan &p) {
            p.beforeStep = [](R::State &st, int step) {
                if (step == R::RamcSumStep)
                    st.entries.quotient = plus(st.entries.quotient, 1);
            };
        });
    add(u"Differenz falsch abgeschrieben"_s, C::BrokenLink, 5, true,
        [](const RectificationTask &, RectificationPlan &p) {
            p.beforeStep = [](R::State &st, int step) {
                if (step == R::QuotientStep)
                    st.entries.tableStep = plus(st.entries.tableStep, 1);
            };
        });
    for (const auto &[years, days] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
        add(u"Alter "_s + QString::number(years) + u" Jahre "_s + QString::number(days) +
                u" Tage daneben"_s,
            C::Age, 1, true, [years, days](const RectificationTask &, RectificationPlan &p) {
                p.age.years += years;
                p.age.days += days;
                if (p.age.days < 0 || p.age.days > 364)
                    p.age.days -= 2 * days; // the other way round: still a day off
            });
    // A free calculation takes the typed time as given; where a second more
    // carries the event into the next row, no planet of the task fits.
    add(
        u"Sternzeit der Geburt 1 s daneben"_s, C::GivenValue, 4, false,
        [](const RectificationTask &, RectificationPlan &p) { p.birthSidereal += 1; },
        [](const RectificationTask &t) {
            return pickersToSeconds(t.hand.eventSiderealTime) + 1 <
                   t.page.at(t.hand.smallerRow + 1).siderealSeconds();
        });
    add(u"Schritt nicht neu gerechnet"_s, C::Stale, 5, true,
        [](const RectificationTask &, RectificationPlan &p) {
            p.afterAll = [](R::State &st) {
                st.entries.greaterTableValue = plus(st.entries.greaterTableValue, 60);
            };
        });
    add(u"Schritt ausgelassen"_s, C::NotComputed, 3, true,
        [](const RectificationTask &, RectificationPlan &p) { p.skipped = {R::ArcTimeStep}; });
    return slips;
}

// The answer a calculation gives, where its last step is current.
std::optional<qint32> answerOf(const R::Worked &w)
{
    const auto &c = w.results.correction;
    if (!c || w.status[R::CorrectionStep] != Status::Current)
        return std::nullopt;
    return pickersToSeconds(*c);
}

// The spellings of an answer a student may type: the calculator's, a minus
// before the whole ("-0 | 1 | 4"), and all in seconds.
QList<FieldTexts> spellings(qint32 seconds)
{
    const SexagesimalTriple t = secondsToTriple(seconds);
    QList<FieldTexts> list{tripleToFields(t), {u"0"_s, u"0"_s, QString::number(seconds)}};
    if (seconds < 0) {
        const SexagesimalTriple a = secondsToTriple(-seconds);
        list << FieldTexts{u"-"_s + QString::number(a.units), QString::number(a.minutes),
                           QString::number(a.seconds)};
    }
    return list;
}

void judgeAnswers(Tally &tally, const RectificationTask &task, const QString &slip, qint32 answer)
{
    const qint32 right = correctionSeconds(task.hand);
    for (const FieldTexts &typed : spellings(answer)) {
        ++tally.answers;
        const RectificationVerdict verdict = checkRectificationAnswer(task, typed);
        const bool said = verdict.outcome == RectificationVerdict::Outcome::Right;
        if (said != (answer == right))
            count(tally, slip, u"Antwort"_s,
                  u"Aufgabe "_s + QString::number(task.number) + u", "_s + typed[0] + u'|' +
                      typed[1] + u'|' + typed[2] + u": "_s + verdict.message,
                  tally.answerFalse);
    }
    // The right amount with the wrong sign is named as such.
    if (answer == right && right != 0) {
        ++tally.answers;
        const RectificationVerdict flipped =
            checkRectificationAnswer(task, tripleToFields(secondsToTriple(-right)));
        if (!flipped.message.contains(u"Vorzeichen ist falsch"_s))
            count(tally, slip, u"Vorzeichen"_s,
                  u"Aufgabe "_s + QString::number(task.number) + u": "_s + flipped.message,
                  tally.answerFalse);
    }
}

// Whether a table value read lies on the other axis's value of its row: a
// misreading that cannot be told from reading the other column.
bool onTheOtherAxis(const RectificationTask &task, const RectificationPlan &plan, Mode mode)
{
    const Astro::Axis other = task.axis == Astro::Axis::MC ? Astro::Axis::AC : Astro::Axis::MC;
    // A task's page prints the other column; a free calculation's table may
    // differ from the exact value by its rounding, up to a minute.
    const auto misreadNear = [&](qint32 read, int row) {
        const HouseTableRow &r = task.page.at(row);
        const double column =
            mode == Mode::SolarTask
                ? r.value(other)
                : Astro::axisLongitude(other, r.ramc, task.obliquity, task.latitude()) * 3600;
        const double off = std::remainder(read - column, double{ArcSecondsPerSign});
        return read != r.value(task.axis) && std::abs(off) <= (mode == Mode::SolarTask ? 0.5 : 60);
    };
    return misreadNear(plan.smaller, plan.row) || misreadNear(plan.greater, plan.row + 1);
}

void judge(Tally &tally, const RectificationTask &task, const RectificationSlip &slip,
           const RectificationPlan &plan, const WorkedRectification &w, Mode mode)
{
    const R::TableChoice table = R::tableOf(givenTask(task));
    const auto checked = R::checkRectification(w.worked, table);
    const QString where = u"Aufgabe "_s + QString::number(task.number);
    ++tally.cases;
    ++tally.bySlip[slip.name];
    if (!checked.ok()) {
        count(tally, slip.name, u"nicht prüfbar"_s, where + u": "_s + checked.message(),
              tally.misnamed);
        return;
    }
    const R::CheckReport &report = checked.value();
    const bool named = mode == Mode::SolarTask || slip.freeNamed;
    R::Cause cause = named ? slip.cause : R::Cause::Right;
    int step = slip.step;
    if (w.refusedAt && cause != R::Cause::Age) {
        ++tally.refused;
        cause = R::Cause::NotComputed;
        step = *w.refusedAt;
    }
    // A value misread into what the other axis has is that axis read.
    if (cause == R::Cause::TableValue && onTheOtherAxis(task, plan, mode))
        cause = R::Cause::OtherAxis;
    const bool shouldBeRight = cause == R::Cause::Right;
    const QString said = where + u": "_s + report.finding;
    if (report.right && !shouldBeRight)
        count(tally, slip.name, u"falsch richtig"_s, said, tally.falseRight);
    else if (!report.right && shouldBeRight)
        count(tally, slip.name, u"falsch falsch"_s, said, tally.falseWrong);
    else if (!shouldBeRight && (report.cause != cause || report.step != step))
        count(tally, slip.name, u"andere Ursache"_s, said, tally.misnamed);

    const auto sheet = R::checkTable(w.worked, table);
    bool agree = sheet && sheet->finding.endsWith(report.finding);
    if (mode == Mode::SolarTask) {
        const RectificationVerdict page = checkRectificationCalculation(task, w.worked);
        agree = agree && page.message == report.finding &&
                (page.outcome == RectificationVerdict::Outcome::Right) == report.right;
    }
    if (!agree)
        count(tally, slip.name, u"Seite, Kontrolle und Blatt uneins"_s, said, tally.disagree);
    if (const auto answer = answerOf(w.worked); answer && mode == Mode::SolarTask)
        judgeAnswers(tally, task, slip.name, *answer);
}

// ----------------------------------------------------------------------------
// Solar

namespace S = Solar;

} // namespace

SolarPlan rightPlan(const SolarTask &task)
{
    SolarPlan plan;
    plan.position1 = task.pair().position1;
    plan.position2 = task.pair().position2;
    plan.zone = task.zone;
    plan.byHand = task.acrossSign();
    return plan;
}

namespace {

// A and B worked by hand across the sign, typed into step 4 over what steps
// 2 and 3 left there; false where the positions as read give no day's motion
// (a date misread past the radix), and the student cannot go on.
bool typeByHand(S::State &st, const SolarPlan &plan)
{
    S::Entries &e = st.entries;
    const auto motion = S::acrossSign(S::MotionStep, e);
    const auto distance = S::acrossSign(S::DistanceStep, e);
    if (!motion.ok() || (plan.typesDistance && !distance.ok()))
        return false;
    e.motion = plus(Sexagesimal::of(motion.value()), plan.motionOff);
    if (plan.typesDistance)
        e.distance = plus(Sexagesimal::of(distance.value()), plan.distanceOff);
    return true;
}

} // namespace

WorkedSolar work(const SolarTask &task, const SolarPlan &plan, Mode mode)
{
    S::State st;
    if (mode == Mode::SolarTask)
        st.task = givenTask(task);
    S::Header &h = st.header;
    h.sign = Astro::signName(task.radix / ArcSecondsPerSign);
    h.year = QString::number(task.solarYear);
    h.birthDate = {QString::number(task.birthDate.day()), QString::number(task.birthDate.month()),
                   QString::number(task.birthDate.year())};
    h.radix = withinSign(task.radix);
    h.sunDate1 = withinSign(plan.position1);
    h.sunDate2 = withinSign(plan.position2);
    h.zoneText = Notation::zone(plan.zone);

    S::Entries &e = st.entries;
    e.date1 = e.date1OfStep3 = Sexagesimal::of(h.sunDate1);
    e.date2 = Sexagesimal::of(h.sunDate2);
    e.radix = h.radix;
    e.zoneHours = plan.zone;
    S::readHeader(h);

    WorkedSolar result;
    for (int step = 0; step < S::StepCount; ++step) {
        if (plan.skipped.contains(step))
            continue;
        if (step == S::GreenwichStep && plan.byHand && !typeByHand(st, plan)) {
            result.refusedAt = result.refusedAt.value_or(step);
            result.refusedByHand = true;
            break;
        }
        if (plan.beforeStep)
            plan.beforeStep(st, step);
        if (step == S::FinalStep) {
            const double hour = e.zoneTime.units;
            e.dayShiftHours = plan.dayShift.value_or(hour >= 24 ? -24.0 : hour < 0 ? 24.0 : 0.0);
        }
        // Across a sign steps 2 and 3 refuse the pair as expected.
        const bool expected = plan.byHand && step <= S::DistanceStep;
        if (st.run(S::Step(step)) && !result.refusedAt && !expected)
            result.refusedAt = step;
    }
    // The date of the Solar: date 1, moved by the day shift.
    const int days = e.dayShiftHours < 0 ? 1 : e.dayShiftHours > 0 ? -1 : 0;
    const QDate date = task.pair().date1.addDays(days + plan.dateShift);
    h.solarDate = {QString::number(date.day()), QString::number(date.month()),
                   QString::number(date.year())};
    h.dayShiftText = e.dayShiftHours < 0 ? u"-24h"_s : e.dayShiftHours > 0 ? u"+24h"_s : u"+0h"_s;
    S::readHeader(h);
    if (plan.afterAll)
        plan.afterAll(st);
    result.worked = st.worked();
    return result;
}

namespace {

struct SolarSlip {
    QString name;
    S::Cause cause;
    int step; // Solar::Step, -1 for none
    bool freeNamed;
    std::function<std::optional<SolarPlan>(const SolarTask &)> plan;
};

// A Solar abroad: the German +1 or the zone's sign turned round (a free
// calculation takes any zone as the student's), the day shift forgotten or
// the wrong way round (the calculator refuses both), the date moved the
// wrong way.
template <typename Add> void addAbroadSlips(const Add &add)
{
    using C = S::Cause;
    const auto shifted = [](const SolarTask &t) {
        return t.hand.nextDay || t.hand.previousDay;
    };
    add(
        u"Zeitzone +1 statt der des Wohnorts"_s, C::Zone, S::ZoneStep, false,
        [](const SolarTask &, SolarPlan &p) { p.zone = 1; },
        [](const SolarTask &t) { return t.zone != 1; });
    add(
        u"Vorzeichen der Zeitzone vertauscht"_s, C::Zone, S::ZoneStep, false,
        [](const SolarTask &t, SolarPlan &p) { p.zone = -t.zone; },
        [](const SolarTask &t) { return t.zone != 0; });
    add(
        u"+24h vergessen"_s, C::NoClockTime, S::FinalStep, true,
        [](const SolarTask &, SolarPlan &p) { p.dayShift = 0; },
        [](const SolarTask &t) { return t.hand.previousDay; });
    add(
        u"Tageskorrektur falsch herum"_s, C::NoClockTime, S::FinalStep, true,
        [](const SolarTask &t, SolarPlan &p) { p.dayShift = t.hand.nextDay ? 24 : -24; }, shifted);
    add(u"Datum einen Tag früher"_s, C::WrongDate, S::FinalStep, true,
        [](const SolarTask &, SolarPlan &p) { p.dateShift = -1; });
    add(
        u"Datum in die falsche Richtung"_s, C::WrongDate, S::FinalStep, true,
        [](const SolarTask &t, SolarPlan &p) { p.dateShift = t.hand.nextDay ? -2 : 2; }, shifted);
}

// Two days in two signs: the 30° forgotten in A, in B or in both, added to
// B where the radix still lies in the sign of date 1, B not typed at all;
// and right work after an earlier step 2 on another pair, which stays stale.
template <typename Add> void addAcrossSignSlips(const Add &add)
{
    using C = S::Cause;
    const auto across = [](const SolarTask &t) {
        return t.acrossSign();
    };
    const auto radixAcross = [](const SolarTask &t) {
        return t.hand.radixInSecondSign;
    };
    add(
        u"30° in A vergessen"_s, C::StepSlip, S::GreenwichStep, true,
        [](const SolarTask &, SolarPlan &p) { p.motionOff = -ArcSecondsPerSign; }, across);
    add(
        u"30° in B vergessen"_s, C::StepSlip, S::GreenwichStep, true,
        [](const SolarTask &, SolarPlan &p) { p.distanceOff = -ArcSecondsPerSign; }, radixAcross);
    add(
        u"30° in A und B vergessen"_s, C::StepSlip, S::GreenwichStep, true,
        [](const SolarTask &, SolarPlan &p) { p.motionOff = p.distanceOff = -ArcSecondsPerSign; },
        radixAcross);
    add(
        u"30° auch zu B"_s, C::StepSlip, S::GreenwichStep, true,
        [](const SolarTask &, SolarPlan &p) { p.distanceOff = ArcSecondsPerSign; },
        [](const SolarTask &t) { return t.acrossSign() && !t.hand.radixInSecondSign; });
    add(
        u"nur A in Schritt 4 eingetragen"_s, C::StepSlip, S::GreenwichStep, true,
        [](const SolarTask &, SolarPlan &p) { p.typesDistance = false; }, radixAcross);
    add(
        u"richtig, Schritt 2 vorher mit einem anderen Paar"_s, C::Right, -1, true,
        [](const SolarTask &, SolarPlan &p) {
            p.beforeStep = [](S::State &st, int step) {
                if (step != S::MotionStep)
                    return;
                const S::Entries before = st.entries;
                st.entries.date1 = Sexagesimal{10, 0, 0};
                st.entries.date2 = Sexagesimal{11, 0, 0};
                st.run(S::MotionStep);
                st.entries.date1 = before.date1;
                st.entries.date2 = before.date2;
            };
        },
        across);
}

QList<SolarSlip> solarSlips()
{
    using C = S::Cause;
    QList<SolarSlip> slips;
    const auto add = [&slips](const QString &name, C cause, int step, bool free,
                              std::function<void(const SolarTask &, SolarPlan &)> change,
                              std::function<bool(const SolarTask &)> applies = {}) {
        slips.append({name, cause, step, free,
                      [change, applies](const SolarTask &t) -> std::optional<SolarPlan> {
                          if (applies && !applies(t))
                              return std::nullopt;
                          SolarPlan plan = rightPlan(t);
                          if (change)
                              change(t, plan);
                          return plan;
                      }});
    };
    add(u"richtig"_s, C::Right, -1, true, {});
    add(u"1. Datum 2'' daneben"_s, C::Misread, -1, false,
        [](const SolarTask &, SolarPlan &p) { p.position1 += 2; });
    add(u"2. Datum -5'' daneben"_s, C::Misread, -1, false,
        [](const SolarTask &, SolarPlan &p) { p.position2 -= 5; });
    add(u"1. Datum 1' daneben"_s, C::Misread, -1, true,
        [](const SolarTask &, SolarPlan &p) { p.position1 += 60; });
    for (const int shift : {-1, 1})
        add(
            shift < 0 ? u"Tagespaar davor"_s : u"Tagespaar danach"_s, C::WrongPair, S::MotionStep,
            true,
            [shift](const SolarTask &t, SolarPlan &p) {
                p.position1 = t.page.at(t.pairIndex + shift).position;
                p.position2 = t.page.at(t.pairIndex + shift + 1).position;
            },
            [shift](const SolarTask &t) {
                return t.pairIndex + shift >= 0 && t.pairIndex + shift + 1 < t.page.size();
            });
    add(u"Daten vertauscht"_s, C::Swapped, S::MotionStep, true,
        [](const SolarTask &, SolarPlan &p) { std::swap(p.position1, p.position2); });
    add(
        u"-24h vergessen"_s, C::NoClockTime, S::FinalStep, true,
        [](const SolarTask &, SolarPlan &p) { p.dayShift = 0; },
        [](const SolarTask &t) { return t.hand.nextDay; });
    for (const int off : {1, 5, 30, 60})
        add(u"Endergebnis "_s + QString::number(off) + u" s daneben (Greenwich-Zeit)"_s,
            C::StepSlip, S::ZoneStep, true, [off](const SolarTask &, SolarPlan &p) {
                p.beforeStep = [off](S::State &st, int step) {
                    if (step == S::ZoneStep)
                        st.entries.greenwichTime = plus(st.entries.greenwichTime, off);
                };
            });
    add(u"A falsch abgeschrieben"_s, C::StepSlip, S::GreenwichStep, true,
        [](const SolarTask &, SolarPlan &p) {
            p.beforeStep = [](S::State &st, int step) {
                if (step == S::GreenwichStep)
                    st.entries.motion = plus(st.entries.motion, 1);
            };
        });
    add(u"A und B vertauscht"_s, C::StepSlip, S::GreenwichStep, true,
        [](const SolarTask &, SolarPlan &p) {
            p.beforeStep = [](S::State &st, int step) {
                if (step == S::GreenwichStep)
                    std::swap(st.entries.motion, st.entries.distance);
            };
        });
    for (const int zone : {0, 2})
        add(u"Zeitzone "_s + Notation::zone(zone), C::Zone, S::ZoneStep, false,
            [zone](const SolarTask &, SolarPlan &p) { p.zone = zone; });
    add(u"Datum einen Tag später"_s, C::WrongDate, S::FinalStep, true,
        [](const SolarTask &, SolarPlan &p) { p.dateShift = 1; });
    // Date 2 picked anew after the last step: the form's step 2 is stale; A
    // worked by hand across a sign no longer follows from it.
    const auto pickedAnew = [](const SolarTask &, SolarPlan &p) {
        p.afterAll = [](S::State &st) {
            st.entries.date2 = plus(st.entries.date2, 1);
            st.header.sunDate2 = secondsToTriple(st.entries.date2.totalSeconds());
        };
    };
    add(u"Schritt nicht neu gerechnet"_s, C::Stale, S::MotionStep, true, pickedAnew,
        [](const SolarTask &t) { return !t.acrossSign(); });
    add(u"A nach neuem 2. Datum nicht neu gerechnet"_s, C::StepSlip, S::GreenwichStep, true,
        pickedAnew, [](const SolarTask &t) { return t.acrossSign(); });
    add(u"Schritt ausgelassen"_s, C::NotComputed, S::GreenwichStep, true,
        [](const SolarTask &, SolarPlan &p) { p.skipped = {S::GreenwichStep}; });
    addAbroadSlips(add);
    addAcrossSignSlips(add);
    return slips;
}

void judgeSolarAnswer(Tally &tally, const SolarTask &task, const QString &slip, const S::Worked &w,
                      const QDateTime &exactUtc)
{
    if (!w.results.final || w.status[S::FinalStep] != Status::Current)
        return;
    const FieldTexts time = w.results.final->plainTexts();
    const SolarAnswer answer{time, w.header.solarDate};
    const bool right =
        answer.time == tripleToFields(task.hand.clock) &&
        typedDate(answer.date[0] + u'.' + answer.date[1] + u'.' + answer.date[2]) == task.hand.date;
    ++tally.answers;
    const SolarVerdict verdict = checkSolarAnswer(task, answer, exactUtc);
    if ((verdict.outcome == SolarVerdict::Outcome::Right) != right)
        count(tally, slip, u"Antwort"_s,
              u"Aufgabe "_s + QString::number(task.number) + u": "_s + verdict.message,
              tally.answerFalse);
}

void judge(Tally &tally, const SolarTask &task, const SolarSlip &slip, const WorkedSolar &w,
           Mode mode, const Astro::ExactSolarReturn &exact)
{
    const QString where = u"Aufgabe "_s + QString::number(task.number);
    ++tally.cases;
    ++tally.bySlip[slip.name];
    const auto problem = S::problemOf(w.worked);
    if (!problem.ok()) {
        count(tally, slip.name, u"nicht prüfbar"_s, where + u": "_s + problem.message(),
              tally.misnamed);
        return;
    }
    const S::Comparison c = S::compare(w.worked, problem.value(), exact);
    const bool named = mode == Mode::SolarTask || slip.freeNamed;
    S::Cause cause = named ? slip.cause : S::Cause::Right;
    int step = slip.step;
    // A refused step leaves the calculation unfinished; a swap of the dates
    // is named before it.
    if (w.refusedAt && cause != S::Cause::Swapped &&
        !(w.refusedByHand && cause == S::Cause::Misread)) {
        ++tally.refused;
        cause = S::Cause::NotComputed;
        step = *w.refusedAt;
    }
    const bool shouldBeRight = cause == S::Cause::Right;
    const bool right = c.cause == S::Cause::Right;
    const QString said = where + u": "_s + c.finding;
    if (right && !shouldBeRight)
        count(tally, slip.name, u"falsch richtig"_s, said, tally.falseRight);
    else if (!right && shouldBeRight)
        count(tally, slip.name, u"falsch falsch"_s, said, tally.falseWrong);
    else if (!shouldBeRight && (c.cause != cause || (step >= 0 && c.step != step)))
        count(tally, slip.name, u"andere Ursache"_s, said, tally.misnamed);

    bool agree = S::checkTable(c).finding.startsWith(c.finding);
    if (mode == Mode::SolarTask) {
        const SolarVerdict page = checkSolarCalculation(task, w.worked, exact);
        agree = agree && page.message == c.finding &&
                (page.outcome == SolarVerdict::Outcome::Right) == right;
        judgeSolarAnswer(tally, task, slip.name, w.worked, exact.moment);
    }
    if (!agree)
        count(tally, slip.name, u"Seite, Kontrolle und Blatt uneins"_s, said, tally.disagree);
}

} // namespace

QString Tally::report() const
{
    const QString kinds =
        abroad || acrossSign
            ? u" (%1 im Ausland, %2 über eine Zeichengrenze)"_s.arg(abroad).arg(acrossSign)
            : QString();
    QString text = u"%1 Aufgaben%2, %3 Rechnungen (%4 mit einem verweigerten Schritt), %5 "
                   "Antworten allein: %6 falsch richtig, %7 falsch falsch, %8 mit anderer "
                   "Ursache, %9 uneins, "_s.arg(tasks)
                       .arg(kinds)
                       .arg(cases)
                       .arg(refused)
                       .arg(answers)
                       .arg(falseRight)
                       .arg(falseWrong)
                       .arg(misnamed)
                       .arg(disagree) +
                   u"%1 Antworten falsch beurteilt"_s.arg(answerFalse);
    for (const QString &example : examples)
        text += u"\n  "_s + example;
    return text;
}

Tally rectificationCatalogue(int first, int last, Mode mode)
{
    Tally tally;
    const QList<RectificationSlip> slips = rectificationSlips();
    for (int number = first; number <= last; ++number) {
        RectificationTask task = *makeRectificationTask(number);
        // Every other task has the student work out the sidereal time of
        // birth first: its hand value is then the task's.
        task.siderealWorked = mode == Mode::SolarTask && number % 2 == 0;
        ++tally.tasks;
        for (const RectificationSlip &slip : slips) {
            if (const auto plan = slip.plan(task))
                judge(tally, task, slip, *plan, work(task, *plan, mode), mode);
        }
    }
    return tally;
}

Tally solarCatalogue(int first, int last, Mode mode)
{
    Tally tally;
    const QList<SolarSlip> slips = solarSlips();
    for (int number = first; number <= last; ++number) {
        const SolarTask task = *makeSolarTask(number);
        ++tally.tasks;
        tally.abroad += task.residence.isEmpty() ? 0 : 1;
        tally.acrossSign += task.acrossSign() ? 1 : 0;
        const auto exact = S::exactSolar(S::problemOf(givenTask(task)));
        for (const SolarSlip &slip : slips) {
            if (const auto plan = slip.plan(task))
                judge(tally, task, slip, work(task, *plan, mode), mode, *exact);
        }
    }
    return tally;
}

} // namespace Verdicts
