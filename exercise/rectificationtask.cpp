#include "exercise/rectificationtask.h"

#include "astro/planets.h"
#include "astro/zodiac.h"
#include "core/calendar.h"
#include "core/numbers.h"
#include "core/rules.h"
#include "exercise/birthplaces.h"
#include "exercise/siderealtask.h"
#include "exercise/solartask.h"
#include "exercise/splitmix64.h"

#include <QTimeZone>

#include <array>
#include <cmath>
#include <cstdlib>

using namespace Core;

namespace Exercise {

namespace {

// At most 17 characters: the event field of the calculator holds no more.
constexpr std::array Events{
    u"Heirat",    u"Scheidung",   u"Umzug",          u"Berufswechsel",  u"Unfall",
    u"Operation", u"Examen",      u"Tod des Vaters", u"Tod der Mutter", u"Geburt 1. Kind",
    u"Hauskauf",  u"Beförderung", u"Kündigung",
};

// The bodies a task directs an axis to, each where it stood at the birth.
constexpr std::array Planets{
    Astro::Body::Moon,   Astro::Body::Mercury, Astro::Body::Venus,
    Astro::Body::Mars,   Astro::Body::Jupiter, Astro::Body::Saturn,
    Astro::Body::Uranus, Astro::Body::Neptune, Astro::Body::Pluto,
};

const QDate FirstBirth(1940, 1, 1);
const QDate LastBirth(2005, 12, 31);
// The last birthday before the event falls in this year at the latest; the
// event lies in the year of life that begins with it.
constexpr int LastEventYear = 2025;
constexpr int FirstAge = 18;
constexpr int LastAge = 70;
// The true birth lies this many seconds before or after the recorded one.
constexpr int LeastOffset = 20;
constexpr int GreatestOffset = 3 * 60 + 50;
// The planet lies at least this far inside the printed values of its rows.
constexpr qint32 Margin = 30;
constexpr int PageRows = 7;

// Distinguishes the rectification tasks' stream from the Solar tasks', which
// is seeded with the bare number.
constexpr quint64 RectificationStream = 0x475A'4B00'0000'0000ULL;

SexagesimalTriple withinSign(qint32 position)
{
    return secondsToTriple(position % Core::ArcSecondsPerSign);
}

// Of two tasks in a row, 2k - 1 and 2k, one has its table values on both
// sides of a sign's beginning and the other not; which one is drawn for k.
bool wantsSignChange(int number)
{
    const int pair = (number + 1) / 2;
    SplitMix64 random(RectificationStream ^ 0xFFFF'0000'0000ULL ^ static_cast<quint64>(pair));
    const bool oddOne = random.below(2) == 1;
    return (number % 2 == 1) == oddOne;
}

std::optional<int> rowOf(const QList<HouseTableRow> &page, qint32 siderealSeconds)
{
    for (qsizetype i = 0; i + 1 < page.size(); ++i) {
        const qint32 start = page.at(i).siderealSeconds();
        if (siderealSeconds >= start && siderealSeconds < start + 240)
            return static_cast<int>(i);
    }
    return std::nullopt;
}

// Steps 1 to 4 pressed on the calculator's state: from the age to the
// event's sidereal time; false when a step refuses.
bool stepsToEvent(const RectificationTask &task, const RectificationInputs &inputs,
                  Rectification::State &st)
{
    using namespace Rectification;
    const AgeInYearsAndDays age = ageAt(task.birthDate, task.eventDate);
    Entries &e = st.entries;
    e.age = inputs.age.value_or(Age{double(age.years), double(age.days)});
    e.birthSiderealTime = e.birthSiderealTimeOfStep8 =
        Sexagesimal::of(secondsToTriple(task.birthSiderealTime));
    for (const Step step : {DecimalYearsStep, ArcStep, ArcTimeStep, SumStep}) {
        if (st.run(step))
            return false;
    }
    // A day is taken off once the sum passes 24 h, as the calculator proposes.
    if (inputs.dayHours)
        e.dayHours = *inputs.dayHours;
    return !st.run(WithinDayStep);
}

// The hand solution as the calculator's state holds it after the last step.
RectificationHandSolution handSolutionOf(const Rectification::State &st, int row)
{
    const Rectification::Entries &e = st.entries;
    const Rectification::Results &r = st.results();
    const auto triple = [](const Sexagesimal &v) {
        return secondsToTriple(v.totalSeconds());
    };
    RectificationHandSolution hand;
    hand.entries = e;
    hand.results = r;
    hand.age = e.age;
    hand.decimalYears = e.decimalYears;
    hand.directionArc = *r.arc;
    hand.arcInTime = r.arcInTime->time;
    hand.eventSum = r.sum->time;
    hand.dayHours = e.dayHours;
    hand.eventSiderealTime = *r.withinDay;
    hand.smallerRow = row;
    hand.ramc = static_cast<int>(e.ramc);
    hand.smallerValue = triple(e.smallerTableValue);
    hand.greaterValue = triple(e.greaterTableValue);
    hand.planetValue = triple(e.correctedTableValue);
    hand.firstSignCorrection = e.firstSignCorrection;
    hand.secondSignCorrection = e.secondSignCorrection;
    hand.tableStep = *r.tableStep;
    hand.towardsPlanet = *r.towardsPlanet;
    hand.quotient = r.quotient->asAngle;
    hand.ramcPlusQuotient = *r.ramcPlusQuotient;
    hand.circleCorrection = e.circleCorrection;
    hand.correctedRamc = *r.correctedRamc;
    hand.ramcInTime = r.ramcInTime->time;
    hand.correction = *r.correction;
    return hand;
}

// Draws the town, the recorded birth in the legal time of its day and how
// far the true one lies from it, the event, the axis and the planet; false
// for a clock time that a changeover of the clocks skips or repeats.
struct Drawn {
    int smallerIndex = 0; // the page's row before the event
};

bool drawPerson(SplitMix64 &random, RectificationTask &task, Drawn &drawn)
{
    const Town &town = Towns[static_cast<std::size_t>(random.below(Towns.size()))];
    task.town = QString::fromUtf16(town.name);
    task.latitudeMinutes = town.latitudeMinutes;
    task.longitudeMinutes = town.longitudeMinutes;
    task.birthDate = FirstBirth.addDays(
        static_cast<qint64>(random.below(static_cast<quint64>(FirstBirth.daysTo(LastBirth) + 1))));
    task.recordedTime = QTime(0, 0).addSecs(static_cast<int>(random.below(24 * 60)) * 60);
    const int offset =
        LeastOffset + static_cast<int>(random.below(GreatestOffset - LeastOffset + 1));
    task.trueOffset = random.below(2) == 0 ? offset : -offset;
    task.event = pick(random, Events);
    task.axis = random.below(2) == 0 ? Astro::Axis::MC : Astro::Axis::AC;
    task.body = Planets[static_cast<std::size_t>(random.below(Planets.size()))];
    task.planet = Astro::bodyName(task.body);
    drawn.smallerIndex = 2 + static_cast<int>(random.below(3));
    const std::optional<int> zone = germanLegalZone(task.birthDate, task.recordedTime);
    task.zone = zone.value_or(0);
    return zone.has_value();
}

// An aspect that the axis, directed from the true birth, makes to the planet
// within the years of life a task may ask about: the aspect, its point on the
// ecliptic, and the exact years at which the axis reaches the point.
struct Hit {
    Aspect aspect = Aspect::Conjunction;
    qint32 point = 0;
    double years = 0;
};

QList<Hit> hitsOf(const RectificationTask &task, double trueRamc)
{
    // The event lies in the past: the last birthday before it falls in
    // LastEventYear at the latest.
    const double lastYears =
        std::min<double>(LastAge + 1, LastEventYear + 1 - task.birthDate.year());
    // An aspect of n signs lies n x 30° on either side of the planet; the
    // conjunction and the opposition have one point only.
    const std::array<int, 5> aspectSigns{0, 2, 3, 4, 6};
    QList<Hit> hits;
    for (std::size_t a = 0; a < aspectSigns.size(); ++a) {
        for (const int side : {1, -1}) {
            if (side < 0 && (aspectSigns[a] == 0 || aspectSigns[a] == 6))
                continue;
            const qint32 point = (task.planetPosition + side * aspectSigns[a] * ArcSecondsPerSign +
                                  ArcSecondsPerCircle) %
                                 ArcSecondsPerCircle;
            const double ramc =
                Astro::ramcOfAxis(task.axis, point / 3600.0, task.obliquity, task.latitude());
            const double years = normalizedDegrees(ramc - trueRamc) / NaibodDegreesPerYear;
            if (years >= FirstAge && years < lastYears)
                hits.append({static_cast<Aspect>(a), point, years});
        }
    }
    return hits;
}

// The event on the day of life nearest to a hit: whole years, then days of
// the year of life that each stand for 1/365 of a year; false when none.
bool setEvent(SplitMix64 &random, RectificationTask &task, double trueRamc)
{
    const QList<Hit> hits = hitsOf(task, trueRamc);
    if (hits.isEmpty())
        return false;
    const Hit &hit = hits.at(static_cast<qsizetype>(random.below(hits.size())));
    task.aspect = hit.aspect;
    task.aspectPoint = hit.point;
    const int years = static_cast<int>(hit.years);
    const int days = static_cast<int>(std::lround((hit.years - years) * DaysPerYear));
    task.eventDate = birthdayIn(task.birthDate.year() + years, task.birthDate).addDays(days);
    // The calculator's field takes at most 364 days.
    const AgeInYearsAndDays age = ageAt(task.birthDate, task.eventDate);
    return age.years == years && age.days == days && days <= 364;
}

// The page of the house table: seven rows, the row before the event at its
// place; false when the aspect point lies too near a printed value or the
// sign change is not the one wanted.
bool buildPage(RectificationTask &task, int ramc, int smallerIndex, bool signChange)
{
    task.page.clear();
    for (int i = 0; i < PageRows; ++i) {
        const int r = (ramc - smallerIndex + i + 360) % 360;
        task.page.append({r,
                          Astro::printedAxis(Astro::Axis::MC, r, task.obliquity, task.latitude()),
                          Astro::printedAxis(Astro::Axis::AC, r, task.obliquity, task.latitude())});
    }
    const qint32 smaller = task.page.at(smallerIndex).value(task.axis);
    const qint32 greater = task.page.at(smallerIndex + 1).value(task.axis);
    if (Astro::arcAhead(task.aspectPoint, smaller) < Margin ||
        Astro::arcAhead(greater, task.aspectPoint) < Margin)
        return false;
    return (Astro::signIndex(smaller) != Astro::signIndex(greater)) == signChange;
}

// Draws the birth and the planet, sets the event where the directed axis
// reaches one of the planet's aspects and builds the page; false when the
// drawn values do not make a task for the hand method.
bool draw(SplitMix64 &random, RectificationTask &task, bool signChange)
{
    Drawn drawn;
    if (!drawPerson(random, task, drawn))
        return false;

    task.obliquity = Astro::meanObliquity(task.recordedUtc());
    const double recordedSidereal = Astro::localSiderealTime(task.recordedUtc(), task.longitude());
    const double trueSidereal = Astro::localSiderealTime(task.trueUtc(), task.longitude());
    // Near 0 h of sidereal time the corrected RAMC and the sidereal time of
    // birth would lie on both sides of a day, which the steps do not take back.
    const double recordedRamc = Astro::ramcOfSiderealTime(recordedSidereal);
    const double trueRamc = Astro::ramcOfSiderealTime(trueSidereal);
    if (std::min(recordedRamc, trueRamc) < 1 || std::max(recordedRamc, trueRamc) > 359)
        return false;
    // The sidereal time of birth as the hand method works it from the birth
    // data and an ephemeris: what a task prints, or asks the student to work.
    const std::optional<SiderealHandSolution> sidereal =
        siderealHandSolution({task.birthDate, task.recordedTime, task.zone, task.longitudeMinutes});
    if (!sidereal)
        return false;
    task.sidereal = *sidereal;
    task.siderealPage = siderealPage(sidereal->ephemerisDay);
    task.birthSiderealTime = sidereal->siderealTime;
    // The planet where it stood at the birth as the certificate gives it.
    const std::optional<qint32> planet =
        Astro::roundedPlanetLongitude(task.body, task.recordedUtc());
    if (!planet)
        return false;
    task.planetPosition = *planet;
    if (!setEvent(random, task, trueRamc))
        return false;

    // The event's sidereal time as the student's steps give it picks the rows;
    // the axis directed from the true and from the recorded birth must
    // arrive between the same two.
    const double arc = task.exactYears() * NaibodDegreesPerYear;
    const double directedTrue = normalizedDegrees(trueRamc + arc);
    const double directedRecorded = normalizedDegrees(recordedRamc + arc);
    Rectification::State toEvent;
    if (!stepsToEvent(task, {}, toEvent))
        return false;
    const int ramc = pickersToSeconds(*toEvent.results().withinDay) / SiderealSecondsPerDegree;
    if (ramc >= 359 || static_cast<int>(directedTrue) != ramc ||
        static_cast<int>(directedRecorded) != ramc)
        return false;

    if (!buildPage(task, ramc, drawn.smallerIndex, signChange))
        return false;
    const std::optional<RectificationHandSolution> hand = runRectificationSteps(task, {});
    if (!hand || hand->smallerRow != drawn.smallerIndex)
        return false;
    task.hand = *hand;
    return true;
}

} // namespace

QString aspectName(Aspect aspect)
{
    switch (aspect) {
    case Aspect::Conjunction:
        return QStringLiteral("Konjunktion");
    case Aspect::Sextile:
        return QStringLiteral("Sextil");
    case Aspect::Square:
        return QStringLiteral("Quadrat");
    case Aspect::Trine:
        return QStringLiteral("Trigon");
    case Aspect::Opposition:
        break;
    }
    return QStringLiteral("Opposition");
}

QDateTime RectificationTask::recordedUtc() const
{
    return QDateTime(birthDate, recordedTime, QTimeZone::utc()).addSecs(-qint64{zone} * 3600);
}

QDateTime RectificationTask::trueUtc() const
{
    return recordedUtc().addSecs(trueOffset);
}

double RectificationTask::exactYears() const
{
    const AgeInYearsAndDays age = ageAt(birthDate, eventDate);
    return age.years + age.days / DaysPerYear;
}

std::optional<RectificationHandSolution> runRectificationSteps(const RectificationTask &task,
                                                               const RectificationInputs &inputs)
{
    using namespace Rectification;
    State st;
    if (!stepsToEvent(task, inputs, st))
        return std::nullopt;
    // Step 5: the two rows around the event's sidereal time, their values of
    // the axis and the planet, all within their signs.
    const std::optional<int> row =
        inputs.smallerRow ? inputs.smallerRow
                          : rowOf(task.page, pickersToSeconds(*st.results().withinDay));
    if (!row || *row < 0 || *row + 1 >= task.page.size())
        return std::nullopt;
    Entries &e = st.entries;
    const qint32 smaller = inputs.smallerValue.value_or(task.page.at(*row).value(task.axis));
    e.smallerTableValue = e.smallerTableValue2 = Sexagesimal::of(withinSign(smaller));
    e.greaterTableValue = Sexagesimal::of(
        withinSign(inputs.greaterValue.value_or(task.page.at(*row + 1).value(task.axis))));
    e.correctedTableValue =
        Sexagesimal::of(withinSign(inputs.planetPosition.value_or(task.planetPosition)));
    const auto within = [](const Sexagesimal &v) {
        return qint64{v.totalSeconds()};
    };
    e.firstSignCorrection = inputs.firstSignCorrection.value_or(
        signCorrection(within(e.greaterTableValue) - within(e.smallerTableValue)));
    e.secondSignCorrection = inputs.secondSignCorrection.value_or(
        signCorrection(within(e.correctedTableValue) - within(e.smallerTableValue)));
    e.ramc = task.page.at(*row).ramc;
    for (const Step step : {TableStepStep, TowardsPlanetStep, QuotientStep, RamcSumStep}) {
        if (st.run(step))
            return std::nullopt;
    }
    // Step 6: 360° are added where the RAMC would become negative.
    e.circleCorrection = circleCorrection(within(e.ramcPlusQuotient) - within(e.arcOfStep6));
    for (const Step step : {CorrectedRamcStep, RamcTimeStep, CorrectionStep}) {
        if (st.run(step))
            return std::nullopt;
    }
    return handSolutionOf(st, *row);
}

qint32 correctionSeconds(const RectificationHandSolution &hand)
{
    return pickersToSeconds(hand.correction);
}

Core::GivenTask givenTask(const RectificationTask &task)
{
    Core::GivenTask given;
    given.kind = Core::TaskKind::Rectification;
    given.number = task.number;
    given.person = task.firstName + u' ' + task.surname;
    given.birthDate = task.birthDate;
    given.birthTime = task.recordedTime;
    given.place = task.town;
    given.latitudeMinutes = task.latitudeMinutes;
    given.longitudeMinutes = task.longitudeMinutes;
    given.zone = task.zone;
    given.birthSiderealTime = task.birthSiderealTime;
    given.siderealWorked = task.siderealWorked;
    given.event = task.event;
    given.eventDate = task.eventDate;
    given.axis = task.axis;
    given.planet = task.planet;
    given.aspect = aspectName(task.aspect);
    given.planetPosition = task.planetPosition;
    given.aspectPoint = task.aspectPoint;
    return given;
}

Rectification::Exact exactCorrection(const RectificationTask &task)
{
    return Rectification::exactCorrection(Rectification::problemOf(givenTask(task)));
}

std::optional<RectificationTask> makeRectificationTask(int number)
{
    // Without Germany's clocks no birth can be given in its legal time.
    if (number < FirstTask || number > LastTask || !germanLegalTimeKnown())
        return std::nullopt;
    SplitMix64 random(RectificationStream ^ static_cast<quint64>(number));
    RectificationTask task;
    task.number = number;
    task.firstName = pick(random, FirstNames);
    task.surname = pick(random, Surnames);
    const bool signChange = wantsSignChange(number);
    while (!draw(random, task, signChange)) {
    }
    return task;
}

} // namespace Exercise
