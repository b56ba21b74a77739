#include "exercise/solartask.h"

#include "astro/solarreturn.h"
#include "astro/sun.h"
#include "astro/zodiac.h"
#include "core/calendar.h"
#include "exercise/splitmix64.h"
#include "solar/solarcheck.h"

#include <QTimeZone>

#include <array>

namespace Exercise {

namespace {

// The lists from which a task draws its person. Their order is part of every
// task: append new names at the end only, or the numbered tasks change.
constexpr std::array FirstNames{
    u"Anna",    u"Bernd",   u"Christa", u"Dieter", u"Elke",    u"Frank",    u"Gabriele",
    u"Hans",    u"Ingrid",  u"Jürgen",  u"Karin",  u"Lothar",  u"Monika",   u"Norbert",
    u"Petra",   u"Rainer",  u"Sabine",  u"Thomas", u"Ursula",  u"Volker",   u"Waltraud",
    u"Andreas", u"Birgit",  u"Claudia", u"Detlef", u"Erika",   u"Günter",   u"Heike",
    u"Klaus",   u"Marion",  u"Renate",  u"Stefan", u"Tanja",   u"Uwe",      u"Jörg",
    u"Silke",   u"Michael", u"Susanne", u"Martin", u"Kerstin", u"Wolfgang", u"Brigitte",
};
constexpr std::array Surnames{
    u"Müller", u"Schmidt", u"Schneider", u"Fischer",  u"Weber",   u"Meyer",      u"Wagner",
    u"Becker", u"Schulz",  u"Hoffmann",  u"Schäfer",  u"Koch",    u"Bauer",      u"Richter",
    u"Klein",  u"Wolf",    u"Schröder",  u"Neumann",  u"Schwarz", u"Zimmermann", u"Braun",
    u"Krüger", u"Hofmann", u"Hartmann",  u"Lange",    u"Schmitt", u"Werner",     u"Krause",
    u"Meier",  u"Lehmann", u"Köhler",    u"Herrmann", u"König",   u"Walter",     u"Mayer",
    u"Huber",  u"Kaiser",  u"Fuchs",     u"Peters",   u"Lang",
};
constexpr std::array Towns{
    u"Berlin",
    u"Hamburg",
    u"München",
    u"Köln",
    u"Frankfurt am Main",
    u"Stuttgart",
    u"Düsseldorf",
    u"Leipzig",
    u"Dortmund",
    u"Essen",
    u"Bremen",
    u"Dresden",
    u"Hannover",
    u"Nürnberg",
    u"Duisburg",
    u"Bochum",
    u"Wuppertal",
    u"Bielefeld",
    u"Bonn",
    u"Münster",
    u"Mannheim",
    u"Karlsruhe",
    u"Augsburg",
    u"Wiesbaden",
    u"Kiel",
    u"Freiburg im Breisgau",
    u"Lübeck",
    u"Erfurt",
    u"Rostock",
    u"Kassel",
    u"Regensburg",
    u"Würzburg",
    u"Göttingen",
    u"Ulm",
};

template <std::size_t N>
QString pick(SplitMix64 &random, const std::array<const char16_t *, N> &list)
{
    return QString::fromUtf16(list[static_cast<std::size_t>(random.below(N))]);
}

// Births fall between these dates, at a local clock time of the task's zone;
// the Solar falls between the 18th birthday and this year.
const QDate FirstBirth(1940, 1, 1);
const QDate LastBirth(2005, 12, 31);
constexpr int LastSolarYear = 2035;
constexpr qint64 SecondsPerDay = 86'400;

// Draws the birth and the Solar year, fills the page and works out the
// answer; false when the task cannot be done by hand within one sign.
bool drawBirthAndSolar(SplitMix64 &random, SolarTask &task)
{
    const QDate birthDate = FirstBirth.addDays(
        static_cast<qint64>(random.below(static_cast<quint64>(FirstBirth.daysTo(LastBirth) + 1))));
    const auto localSeconds = static_cast<qint64>(random.below(SecondsPerDay));
    const QDateTime birthUtc =
        birthDate.startOfDay(QTimeZone::utc()).addSecs(localSeconds - task.zone * 3600);
    const int firstYear = birthDate.year() + 18;
    task.birthDate = birthDate;
    task.radix = Astro::roundedLongitude(birthUtc);
    task.solarYear =
        firstYear +
        static_cast<int>(random.below(static_cast<quint64>(LastSolarYear - firstYear + 1)));

    const QDate birthday = Core::birthdayIn(task.solarYear, birthDate);
    task.page.clear();
    for (int d = -PageDaysAround; d <= PageDaysAround; ++d) {
        const QDate date = birthday.addDays(d);
        task.page.append({date, Astro::ephemerisPosition(date)});
    }
    const std::optional<int> pair = enclosingPair(task.page, task.radix);
    if (!pair)
        return false;
    task.pairIndex = *pair;
    // The hand method subtracts degrees within one sign: a pair on both sides
    // of a sign's beginning would need 30° carried, which the form cannot do.
    const EphemerisPair days = task.pair();
    if (Astro::signIndex(days.position1) != Astro::signIndex(days.position2))
        return false;
    const std::optional<SolarHandSolution> hand = solarHandSolution(days, task.radix, task.zone);
    if (!hand)
        return false;
    task.hand = *hand;
    return true;
}

} // namespace

EphemerisPair SolarTask::pair() const
{
    const auto i = static_cast<qsizetype>(pairIndex);
    return {page.at(i).date, page.at(i).position, page.at(i + 1).position};
}

std::optional<SolarTask> makeSolarTask(int number)
{
    if (number < FirstTask || number > LastTask)
        return std::nullopt;

    SplitMix64 random(static_cast<quint64>(number));
    SolarTask task;
    task.number = number;
    task.firstName = pick(random, FirstNames);
    task.surname = pick(random, Surnames);
    task.town = pick(random, Towns);
    // About one birth in thirty lies so that the Solar's two days straddle
    // the beginning of a sign: the person is kept, the birth drawn again.
    while (!drawBirthAndSolar(random, task)) {
    }
    return task;
}

std::optional<int> enclosingPair(const QList<EphemerisDay> &page, qint32 radix)
{
    for (qsizetype i = 0; i + 1 < page.size(); ++i) {
        if (Astro::encloses(page.at(i).position, page.at(i + 1).position, radix))
            return static_cast<int>(i);
    }
    return std::nullopt;
}

QDateTime exactMoment(const SolarTask &task)
{
    return Solar::exactSolar(Solar::problemOf(givenTask(task)))->moment;
}

Core::GivenTask givenTask(const SolarTask &task)
{
    Core::GivenTask given;
    given.kind = Core::TaskKind::Solar;
    given.number = task.number;
    given.person = task.firstName + u' ' + task.surname;
    given.birthDate = task.birthDate;
    given.place = task.town;
    given.zone = task.zone;
    given.solarYear = task.solarYear;
    given.radixSun = task.radix;
    return given;
}

} // namespace Exercise
