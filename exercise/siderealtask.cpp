#include "exercise/siderealtask.h"

#include "core/rules.h"
#include "exercise/birthplaces.h"
#include "exercise/solartask.h"
#include "sternzeit/siderealcheck.h"

namespace Exercise {

using namespace Core;

namespace {

// Births between these dates, at a whole minute of the legal time.
const QDate FirstBirth(1940, 1, 1);
const QDate LastBirth(2010, 12, 31);
// Distinguishes the stream of these tasks from the other kinds'.
constexpr quint64 SiderealStream = 0x5354'5A00'0000'0000ULL;

Sexagesimal dateEntry(QDate date)
{
    return {double(date.day()), double(date.month()), double(date.year())};
}

Sexagesimal clockEntry(qint32 seconds)
{
    return Sexagesimal::of(secondsToTriple(seconds));
}

// Draws the place: four births in five in a German town, the others abroad.
void drawPlace(SplitMix64 &random, SiderealTask &task, QByteArray &zone)
{
    task.abroad = random.below(5) == 0;
    if (task.abroad) {
        const PlaceAbroad &place =
            PlacesAbroad[static_cast<std::size_t>(random.below(PlacesAbroad.size()))];
        task.place = QString::fromUtf16(place.name);
        task.latitudeMinutes = place.latitudeMinutes;
        task.longitudeMinutes = place.longitudeMinutes;
        zone = place.zone;
        return;
    }
    const Town &town = Towns[static_cast<std::size_t>(random.below(Towns.size()))];
    task.place = QString::fromUtf16(town.name);
    task.latitudeMinutes = town.latitudeMinutes;
    task.longitudeMinutes = town.longitudeMinutes;
    zone = QByteArrayLiteral("Europe/Berlin");
}

// Draws the birth in the legal time of its place; false for a clock time a
// changeover skips or repeats, or that the steps refuse.
bool drawBirth(SplitMix64 &random, SiderealTask &task)
{
    QByteArray zone;
    drawPlace(random, task, zone);
    task.birthDate = FirstBirth.addDays(
        static_cast<qint64>(random.below(static_cast<quint64>(FirstBirth.daysTo(LastBirth) + 1))));
    task.birthTime = QTime(0, 0).addSecs(static_cast<int>(random.below(24 * 60)) * 60);
    const std::optional<LegalZone> legal = legalZone(zone, task.birthDate, task.birthTime);
    if (!legal)
        return false;
    task.zone = *legal;
    const std::optional<SiderealHandSolution> hand = siderealHandSolution(task.birth());
    if (!hand)
        return false;
    task.hand = *hand;
    task.page = siderealPage(hand->ephemerisDay);
    return true;
}

} // namespace

// As many days around the day of the universal time as a Solar page has
// around the birthday: the birth date lies on it too where the universal
// time crosses midnight.
QList<SiderealDay> siderealPage(QDate day)
{
    QList<SiderealDay> page;
    for (int d = -PageDaysAround; d <= PageDaysAround; ++d)
        page.append({day.addDays(d), Sidereal::printedEphemeris(day.addDays(d))});
    return page;
}

std::optional<SiderealHandSolution> siderealHandSolution(const SiderealBirth &birth)
{
    using namespace Sidereal;
    State st;
    Entries &e = st.entries;
    e.birthDate = dateEntry(birth.date);
    e.civilTime = clockEntry(birth.time.msecsSinceStartOfDay() / 1000);
    e.zone = birth.zone;
    const int arcMinutes = std::abs(birth.eastLongitudeMinutes);
    e.longitude = {double(arcMinutes / 60), double(arcMinutes % 60), 0};
    e.eastWest = birth.eastLongitudeMinutes < 0 ? -1 : 1;
    for (const Step step : {UniversalTimeStep, ShareStep, LongitudeStep}) {
        if (st.run(step))
            return std::nullopt;
    }
    // Step 2: the page's value of the day the universal time names.
    SiderealHandSolution hand;
    hand.ephemerisDay = st.results().universalTime->ephemerisDay;
    hand.ephemeris = printedEphemeris(hand.ephemerisDay);
    e.ephemerisOfStep5 = clockEntry(hand.ephemeris);
    for (const Step step : {SumStep, WithinDayStep}) {
        if (st.run(step))
            return std::nullopt;
    }
    hand.entries = e;
    hand.results = st.results();
    hand.siderealTime = pickersToSeconds(*hand.results.siderealTime);
    return hand;
}

std::optional<SiderealTask> makeSiderealTask(int number)
{
    if (number < FirstTask || number > LastTask || !germanLegalTimeKnown())
        return std::nullopt;
    SplitMix64 random(SiderealStream ^ static_cast<quint64>(number));
    SiderealTask task;
    task.number = number;
    task.firstName = pick(random, FirstNames);
    task.surname = pick(random, Surnames);
    while (!drawBirth(random, task)) {
    }
    return task;
}

GivenTask givenTask(const SiderealTask &task)
{
    GivenTask given;
    given.kind = TaskKind::Sidereal;
    given.number = task.number;
    given.person = task.firstName + u' ' + task.surname;
    given.birthDate = task.birthDate;
    given.birthTime = task.birthTime;
    given.place = task.place;
    given.latitudeMinutes = task.latitudeMinutes;
    given.longitudeMinutes = task.longitudeMinutes;
    given.zone = task.zone.hours;
    given.birthSiderealTime = task.hand.siderealTime;
    return given;
}

} // namespace Exercise
