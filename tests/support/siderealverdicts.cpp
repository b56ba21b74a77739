#include "tests/support/siderealverdicts.h"

#include "core/notation.h"
#include "core/numbers.h"
#include "core/rules.h"
#include "exercise/siderealanswer.h"
#include "exercise/siderealtask.h"
#include "exercise/splitmix64.h"
#include "sternzeit/siderealsheet.h"

#include <cstdlib>

using namespace Core;
using namespace Sidereal;
using namespace Qt::StringLiterals;

namespace SiderealVerdicts {

namespace {

int draw(Exercise::SplitMix64 &random, int first, int last)
{
    return first + static_cast<int>(random.below(static_cast<quint64>(last - first + 1)));
}

// A German birth: MEZ, summer time, or the double summer time of 1945 and
// 1947, between 6° and 15° east.
Birth germanBirth(Exercise::SplitMix64 &random, QDate date)
{
    Birth b;
    b.date = date;
    const bool doubleSummer = date.year() == 1945 || date.year() == 1947;
    b.zone = draw(random, 1, doubleSummer ? 3 : 2);
    b.longitudeMinutes = draw(random, 6 * 60, 15 * 60);
    return b;
}

// A birth elsewhere: a zone of the world and a longitude near its meridian,
// now and then at Greenwich itself.
Birth foreignBirth(Exercise::SplitMix64 &random, QDate date)
{
    Birth b;
    b.date = date;
    b.zone = draw(random, WestmostZone, EastmostZone);
    const int meridian = std::clamp(b.zone * 15 * 60, -180 * 60, 180 * 60);
    b.longitudeMinutes =
        draw(random, 0, 9) == 0
            ? 0
            : std::clamp(meridian + draw(random, -20 * 60, 20 * 60), -180 * 60, 180 * 60);
    return b;
}

} // namespace

QList<Birth> randomBirths(quint64 seed, int count)
{
    Exercise::SplitMix64 random(seed);
    const QDate first(1900, 1, 1);
    const qint64 days = first.daysTo(QDate(2075, 12, 31));
    QList<Birth> births;
    for (int n = 0; n < count; ++n) {
        const QDate date = first.addDays(static_cast<qint64>(random.below(quint64(days + 1))));
        Birth b = draw(random, 0, 1) == 0 ? germanBirth(random, date) : foreignBirth(random, date);
        // Two births in five within half an hour of midnight, where the
        // universal time may fall on another day.
        b.civilSeconds = draw(random, 0, 4) < 2
                             ? static_cast<qint32>(modulo(draw(random, -1800, 1799), SecondsPerDay))
                             : draw(random, 0, SecondsPerDay - 1);
        births << b;
    }
    return births;
}

Plan rightPlan(const Birth &birth)
{
    Plan plan;
    plan.birth = birth;
    const Exact exact =
        exactSiderealTime(birth.date, birth.civilSeconds, birth.zone, birth.longitudeMinutes);
    plan.ephemeris = printedEphemeris(exact.ephemerisDay);
    return plan;
}

Worked work(const Plan &plan)
{
    const Birth &b = plan.birth;
    State st;
    Header &h = st.header;
    h.birthDateTexts = {QString::number(b.date.day()), QString::number(b.date.month()),
                        QString::number(b.date.year())};
    h.civilTimeTexts = tripleToFields(secondsToTriple(b.civilSeconds));
    h.zoneText = Notation::zone(b.zone);
    const int arc = std::abs(b.longitudeMinutes);
    h.longitudeTexts = {QString::number(arc / 60), QString::number(arc % 60)};
    h.eastWestText = b.longitudeMinutes < 0 ? u"W"_s : u"O"_s;
    h.ephemerisTexts = tripleToFields(secondsToTriple(plan.ephemeris));
    readHeader(h);

    Entries &e = st.entries;
    e.birthDate = Sexagesimal::read(h.birthDateTexts);
    e.civilTime = h.civilTime;
    e.zone = h.zone;
    e.longitude = h.longitude;
    e.eastWest = h.eastWest;
    e.ephemerisOfStep5 = h.ephemeris;
    for (int step = 0; step < StepCount; ++step) {
        if (plan.skipped.contains(step))
            continue;
        if (plan.beforeStep)
            plan.beforeStep(st, step);
        st.run(Step(step));
    }
    if (plan.afterAll)
        plan.afterAll(st);
    return st.worked();
}

namespace {

struct Slip {
    QString name;
    Cause cause;
    // The plan with the slip, or nothing where the birth leaves no room for it.
    std::function<std::optional<Plan>(const Birth &)> plan;
};

using Change = std::function<void(const Birth &, Plan &)>;
using Applies = std::function<bool(const Birth &)>;

qint64 universalSeconds(const Birth &b)
{
    return qint64{b.civilSeconds} - qint64{b.zone} * 3600;
}

bool crossesMidnight(const Birth &b)
{
    return universalSeconds(b) < 0 || universalSeconds(b) >= SecondsPerDay;
}

qint64 shareOf(const Birth &b)
{
    return siderealShare(modulo(universalSeconds(b), SecondsPerDay));
}

// A value in step 5 replaced just before the sum is taken.
std::function<void(State &, int)> beforeSum(Sexagesimal Entries::*entry,
                                            std::function<qint32(const State &)> value)
{
    return [entry, value](State &st, int step) {
        if (step == SumStep)
            st.entries.*entry = Sexagesimal::of(secondsToTriple(value(st)));
    };
}

qint32 longitudeTime(const State &st)
{
    return st.entries.longitudeTimeOfStep5.totalSeconds();
}

void addZoneAndDaySlips(const std::function<void(const QString &, Cause, Change, Applies)> &add)
{
    const Applies zoned = [](const Birth &b) {
        return b.zone != 0;
    };
    add(
        u"Zeitzone mit falschem Vorzeichen"_s, Cause::Zone,
        [](const Birth &, Plan &p) {
            p.beforeStep = [](State &st, int step) {
                if (step == UniversalTimeStep)
                    st.entries.zone = -st.entries.zone;
            };
        },
        zoned);
    add(
        u"Zeitzone vergessen"_s, Cause::Zone,
        [](const Birth &, Plan &p) {
            p.beforeStep = [](State &st, int step) {
                if (step == UniversalTimeStep)
                    st.entries.zone = 0;
            };
        },
        zoned);
    add(
        u"Tageswechsel vergessen: Ephemeride des Geburtstags"_s, Cause::WrongDay,
        [](const Birth &b, Plan &p) { p.ephemeris = printedEphemeris(b.date); }, crossesMidnight);
    add(u"Ephemeride des Folgetags"_s, Cause::WrongDay,
        [](const Birth &, Plan &p) {
            const Exact x = exactSiderealTime(p.birth.date, p.birth.civilSeconds, p.birth.zone,
                                              p.birth.longitudeMinutes);
            p.ephemeris = printedEphemeris(x.ephemerisDay.addDays(1));
        },
        {});
    for (const qint32 off : {60, -10, 3600, 600, 5})
        add(u"Ephemeride verlesen um "_s + QString::number(off) + u" s"_s, Cause::Misread,
            [off](const Birth &, Plan &p) {
                p.ephemeris = static_cast<qint32>(modulo(p.ephemeris + off, SecondsPerDay));
            },
            {});
}

void addTermSlips(const std::function<void(const QString &, Cause, Change, Applies)> &add)
{
    const Applies withShare = [](const Birth &b) {
        return shareOf(b) != 0;
    };
    const Applies offGreenwich = [](const Birth &b) {
        return b.longitudeMinutes != 0;
    };
    const Applies withArcMinutes = [](const Birth &b) {
        return b.longitudeMinutes % 60 != 0;
    };
    add(
        u"Zuschlag vergessen"_s, Cause::Share,
        [](const Birth &, Plan &p) {
            p.beforeStep = beforeSum(&Entries::shareOfStep5, [](const State &) { return 0; });
        },
        withShare);
    add(
        u"Zuschlag abgezogen"_s, Cause::Share,
        [](const Birth &, Plan &p) {
            p.beforeStep = beforeSum(&Entries::shareOfStep5, [](const State &st) {
                return -st.entries.shareOfStep5.totalSeconds();
            });
        },
        withShare);
    add(
        u"Ost und West vertauscht"_s, Cause::Longitude,
        [](const Birth &, Plan &p) {
            p.beforeStep = [](State &st, int step) {
                if (step == LongitudeStep)
                    st.entries.eastWest = -st.entries.eastWest;
            };
        },
        offGreenwich);
    add(
        u"Länge in Zeit mit falschem Vorzeichen"_s, Cause::Longitude,
        [](const Birth &, Plan &p) {
            p.beforeStep = beforeSum(&Entries::longitudeTimeOfStep5,
                                     [](const State &st) { return -longitudeTime(st); });
        },
        offGreenwich);
    add(
        u"Länge in Zeit: Bogenminuten vergessen"_s, Cause::Longitude,
        [](const Birth &b, Plan &p) {
            const qint32 degrees = b.longitudeMinutes / 60 * SiderealSecondsPerDegree;
            p.beforeStep = beforeSum(&Entries::longitudeTimeOfStep5,
                                     [degrees](const State &) { return degrees; });
        },
        withArcMinutes);
    add(
        u"Länge in Zeit: Bogenminuten × 4 als Minuten"_s, Cause::Longitude,
        [](const Birth &b, Plan &p) {
            const qint32 slipped =
                (b.longitudeMinutes / 60 + b.longitudeMinutes % 60) * SiderealSecondsPerDegree;
            p.beforeStep = beforeSum(&Entries::longitudeTimeOfStep5,
                                     [slipped](const State &) { return slipped; });
        },
        withArcMinutes);
}

void addWorkingSlips(const std::function<void(const QString &, Cause, Change, Applies)> &add)
{
    add(u"Summe nicht in den Tag gebracht"_s, Cause::Reduction,
        [](const Birth &, Plan &p) {
            p.beforeStep = [](State &st, int step) {
                if (step == WithinDayStep)
                    st.entries.dayHours = st.entries.dayHours == 0 ? -24 : 0;
            };
        },
        {});
    add(u"Weltzeit falsch abgeschrieben"_s, Cause::BrokenLink,
        [](const Birth &, Plan &p) {
            p.beforeStep = beforeSum(&Entries::universalTimeOfStep5, [](const State &st) {
                return st.entries.universalTimeOfStep5.totalSeconds() + 60;
            });
        },
        {});
    add(u"Geburtszeit falsch übernommen"_s, Cause::BrokenLink,
        [](const Birth &, Plan &p) {
            p.beforeStep = [](State &st, int step) {
                if (step == UniversalTimeStep)
                    st.entries.civilTime = Sexagesimal::of(secondsToTriple(static_cast<qint32>(
                        modulo(st.entries.civilTime.totalSeconds() + 60, SecondsPerDay))));
            };
        },
        {});
    add(u"Schritt nicht neu gerechnet"_s, Cause::Stale,
        [](const Birth &, Plan &p) {
            // The longitude typed anew after step 4: the head and its copy change.
            p.afterAll = [](State &st) {
                const int minutes = static_cast<int>(st.header.longitude.minutes) == 59 ? 58 : 59;
                if (st.header.longitude.units >= MaxLongitudeDegrees)
                    st.header.longitudeTexts[0] = QString::number(MaxLongitudeDegrees - 1);
                else
                    st.header.longitudeTexts[1] = QString::number(minutes);
                readHeader(st.header);
                st.entries.longitude = st.header.longitude;
            };
        },
        {});
    add(u"Schritt ausgelassen"_s, Cause::NotComputed,
        [](const Birth &, Plan &p) { p.skipped = {ShareStep}; }, {});
}

QList<Slip> slips()
{
    QList<Slip> all;
    const auto add = [&all](const QString &name, Cause cause, Change change, Applies applies) {
        all.append({name, cause, [change, applies](const Birth &b) -> std::optional<Plan> {
                        if (applies && !applies(b))
                            return std::nullopt;
                        Plan plan = rightPlan(b);
                        if (change)
                            change(b, plan);
                        return plan;
                    }});
    };
    add(u"richtig"_s, Cause::Right, {}, {});
    addZoneAndDaySlips(add);
    addTermSlips(add);
    addWorkingSlips(add);
    return all;
}

QString describe(const Birth &b)
{
    return Notation::date(b.date) + u' ' + Notation::clock(b.civilSeconds) + u" Zone "_s +
           Notation::zone(b.zone) + u' ' + Notation::longitude(b.longitudeMinutes);
}

void judge(Tally &t, const Slip &slip, const Birth &b, const Worked &worked)
{
    ++t.cases;
    ++t.bySlip[slip.name];
    const auto checked = checkSidereal(worked);
    const auto note = [&](int &counter, const QString &what, const QString &finding) {
        ++counter;
        if (t.examples.size() < 40)
            t.examples << what + u": "_s + slip.name + u": "_s + describe(b) + u": "_s + finding;
    };
    if (!checked.ok()) {
        note(slip.cause == Cause::Right ? t.falseWrong : t.misnamed, u"refused"_s,
             checked.message());
        return;
    }
    const CheckReport &report = checked.value();
    if (slip.cause == Cause::Right && !report.right)
        note(t.falseWrong, u"right called wrong"_s, report.finding);
    else if (slip.cause != Cause::Right && report.right)
        note(t.falseRight, u"slip called right"_s, report.finding);
    else if (report.cause != slip.cause)
        note(t.misnamed, u"misnamed"_s, report.finding);
    const auto sheet = checkTable(worked);
    if (!sheet || sheet->finding != report.finding)
        note(t.disagree, u"sheet differs"_s, sheet ? sheet->finding : QString());
}

} // namespace

QString Tally::report() const
{
    return u"%1 Geburten, %2 Rechnungen; falsch richtig: %3, falsch falsch: %4, anders benannt: "
           "%5, Rechenblatt anders: %6"_s.arg(births)
               .arg(cases)
               .arg(falseRight)
               .arg(falseWrong)
               .arg(misnamed)
               .arg(disagree) +
           (examples.isEmpty() ? QString() : u"\n  "_s + examples.join(u"\n  "_s));
}

Tally siderealCatalogue(quint64 seed, int births)
{
    Tally tally;
    const QList<Slip> all = slips();
    for (const Birth &birth : randomBirths(seed, births)) {
        ++tally.births;
        for (const Slip &slip : all) {
            if (const std::optional<Plan> plan = slip.plan(birth))
                judge(tally, slip, birth, work(*plan));
        }
    }
    return tally;
}

namespace {

struct TaskSlip {
    QString name;
    bool right = false;
    Cause cause = Cause::Right;
    std::function<void(const Exercise::SiderealTask &, Plan &)> change;
    std::function<bool(const Birth &)> applies;
};

QList<TaskSlip> taskSlips()
{
    QList<TaskSlip> all{{u"richtig"_s, true, Cause::Right, {}, {}}};
    for (const qint32 off : {1, -1, 2, -3, 5})
        all.append({u"Seite verlesen um "_s + QString::number(off) + u" s"_s,
                    false,
                    Cause::Misread,
                    [off](const Exercise::SiderealTask &, Plan &p) {
                        p.ephemeris = static_cast<qint32>(modulo(p.ephemeris + off, SecondsPerDay));
                    },
                    {}});
    for (const int day : {-1, 1})
        all.append({day < 0 ? u"Vortag der Seite"_s : u"Folgetag der Seite"_s,
                    false,
                    Cause::WrongDay,
                    [day](const Exercise::SiderealTask &t, Plan &p) {
                        p.ephemeris = printedEphemeris(t.hand.ephemerisDay.addDays(day));
                    },
                    {}});
    const auto zoned = [](const Birth &b) {
        return b.zone != 0;
    };
    all.append({u"Zeitzone vergessen"_s, false, Cause::Zone,
                [](const Exercise::SiderealTask &, Plan &p) {
                    p.beforeStep = [](State &st, int step) {
                        if (step == UniversalTimeStep)
                            st.entries.zone = 0;
                    };
                },
                zoned});
    all.append({u"Zeitzone mit falschem Vorzeichen"_s, false, Cause::Zone,
                [](const Exercise::SiderealTask &, Plan &p) {
                    p.beforeStep = [](State &st, int step) {
                        if (step == UniversalTimeStep)
                            st.entries.zone = -st.entries.zone;
                    };
                },
                zoned});
    all.append({u"Zuschlag vergessen"_s, false, Cause::Share,
                [](const Exercise::SiderealTask &, Plan &p) {
                    p.beforeStep =
                        beforeSum(&Entries::shareOfStep5, [](const State &) { return 0; });
                },
                [](const Birth &b) {
                    return shareOf(b) != 0;
                }});
    all.append({u"Länge mit falschem Vorzeichen"_s, false, Cause::Longitude,
                [](const Exercise::SiderealTask &, Plan &p) {
                    p.beforeStep = [](State &st, int step) {
                        if (step == LongitudeStep)
                            st.entries.eastWest = -st.entries.eastWest;
                    };
                },
                [](const Birth &b) {
                    return b.longitudeMinutes != 0;
                }});
    // Another birth date, worked right from its own page value.
    all.append({u"falsches Geburtsdatum"_s,
                false,
                Cause::GivenValue,
                [](const Exercise::SiderealTask &, Plan &p) {
                    p.birth.date = p.birth.date.addDays(1);
                    p.ephemeris = rightPlan(p.birth).ephemeris;
                },
                {}});
    return all;
}

// The answer a calculation ends with, as typed on the exercise page.
FieldTexts answerOf(const Worked &worked)
{
    if (!worked.results.siderealTime)
        return {};
    return tripleToFields(*worked.results.siderealTime);
}

void judgeTask(Tally &t, const TaskSlip &slip, const Exercise::SiderealTask &task,
               const Worked &worked)
{
    ++t.cases;
    ++t.bySlip[slip.name];
    const auto note = [&](int &counter, const QString &what, const QString &finding) {
        ++counter;
        if (t.examples.size() < 40)
            t.examples << what + u": "_s + slip.name + u": Aufgabe "_s +
                              QString::number(task.number) + u": "_s + finding;
    };
    // Called right or wrong against what the slip is.
    const auto verdict = [&](const QString &judge, bool right, const QString &finding) {
        if (slip.right && !right)
            note(t.falseWrong, judge + u": right called wrong"_s, finding);
        else if (!slip.right && right)
            note(t.falseRight, judge + u": slip called right"_s, finding);
    };
    const auto checked = checkSidereal(worked);
    if (!checked.ok()) {
        note(slip.right ? t.falseWrong : t.misnamed, u"refused"_s, checked.message());
        return;
    }
    const CheckReport &report = checked.value();
    verdict(u"check"_s, report.right, report.finding);
    if (!slip.right && !report.right && report.cause != slip.cause)
        note(t.misnamed, u"misnamed"_s, report.finding);
    const auto sheet = checkTable(worked);
    if (!sheet || sheet->finding != report.finding)
        note(t.disagree, u"sheet differs"_s, sheet ? sheet->finding : QString());
    const Exercise::SiderealVerdict page = Exercise::checkSiderealCalculation(worked);
    verdict(u"page"_s, page.outcome == Exercise::SiderealVerdict::Outcome::Right, page.message);
    if (page.message != report.finding)
        note(t.disagree, u"page differs"_s, page.message);
    const Exercise::SiderealVerdict answer = Exercise::checkSiderealAnswer(task, answerOf(worked));
    verdict(u"answer"_s, answer.outcome == Exercise::SiderealVerdict::Outcome::Right,
            answer.message);
}

} // namespace

Tally siderealTaskCatalogue(int first, int count)
{
    Tally tally;
    const QList<TaskSlip> all = taskSlips();
    for (int number = first; number < first + count; ++number) {
        const std::optional<Exercise::SiderealTask> task = Exercise::makeSiderealTask(number);
        if (!task)
            continue;
        ++tally.births;
        const Birth birth{task->birthDate, task->birthTime.msecsSinceStartOfDay() / 1000,
                          task->zone.hours, task->longitudeMinutes};
        for (const TaskSlip &slip : all) {
            if (slip.applies && !slip.applies(birth))
                continue;
            Plan plan = rightPlan(birth);
            if (slip.change)
                slip.change(*task, plan);
            Worked worked = work(plan);
            worked.task = Exercise::givenTask(*task);
            judgeTask(tally, slip, *task, worked);
        }
    }
    return tally;
}

} // namespace SiderealVerdicts
