#include "exercise/solartask.h"

#include "astro/solarreturn.h"
#include "astro/sun.h"
#include "astro/zodiac.h"
#include "core/calendar.h"
#include "exercise/splitmix64.h"
#include "solar/solarcheck.h"

#include <QTimeZone>

#include <QList>

#include <algorithm>
#include <array>
#include <utility>

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

// Where a task's person lives in the Solar year when abroad, with the
// standard time of the place in hours ahead of Greenwich. Each is a whole
// hour and has stood since before the first Solar year (1958), except where
// years are named: Moscow kept +2 from 31 March 1991 to 19 January 1992 and
// +4 from 27 March 2011 to 26 October 2014, and a Solar of those years is set
// elsewhere. Their order is part of every task abroad: append at the end only.
struct Residence {
    const char16_t *name;
    int zone;
    std::array<std::pair<int, int>, 2> otherYears{}; // first and last year

    bool heldIn(int year) const
    {
        return std::none_of(otherYears.begin(), otherYears.end(), [year](const auto &years) {
            return year >= years.first && year <= years.second;
        });
    }
};
constexpr std::array Residences{
    Residence{u"New York", -5},
    Residence{u"Los Angeles", -8},
    Residence{u"Chicago", -6},
    Residence{u"Rio de Janeiro", -3},
    Residence{u"Moskau", 3, {{{1991, 1992}, {2011, 2014}}}},
    Residence{u"Peking", 8},
    Residence{u"Tokio", 9},
};

// The births are German: their clock times are of the German zone.
constexpr int BirthZone = 1;

// Which numbers are set abroad and which across a sign is drawn from streams
// of their own, never from the stream of the person and the birth: every
// other task keeps the person, birth and Solar it has always had. Of each
// block of five numbers one is set abroad, of each block of ten one across a
// sign, so that an exercise sheet of ten tasks holds both.
constexpr quint64 AbroadStream = 0x534F'4C41'5241'0000ULL;
constexpr quint64 AcrossSignStream = 0x534F'4C41'5A45'0000ULL;
constexpr quint64 ResidenceStream = 0x534F'4C41'574F'0000ULL;

bool chosenInBlock(quint64 stream, int number, int block)
{
    const auto index = static_cast<quint64>((number - 1) / block);
    SplitMix64 random(stream ^ index);
    return random.below(static_cast<quint64>(block)) == static_cast<quint64>((number - 1) % block);
}

template <std::size_t N>
QString pick(SplitMix64 &random, const std::array<const char16_t *, N> &list)
{
    return QString::fromUtf16(list[static_cast<std::size_t>(random.below(N))]);
}

// Births fall between these dates, at a German clock time; the Solar falls
// between the 18th birthday and this year.
const QDate FirstBirth(1940, 1, 1);
const QDate LastBirth(2005, 12, 31);
constexpr int LastSolarYear = 2035;
constexpr qint64 SecondsPerDay = 86'400;

// A radix that two days in two signs can enclose lies within a day's motion
// of a sign's beginning.
bool nearSignBeginning(qint32 radix)
{
    const qint32 within = radix % Core::ArcSecondsPerSign;
    return within <= Core::MostSunMotionPerDay ||
           Core::ArcSecondsPerSign - within <= Core::MostSunMotionPerDay;
}

// Draws the birth and the Solar year and fills the page; false when no two
// days of the page enclose the radix, or the two that do lie in one sign
// where the task wants two, or the other way round.
bool drawBirthAndSolar(SplitMix64 &random, SolarTask &task, bool acrossSign)
{
    const QDate birthDate = FirstBirth.addDays(
        static_cast<qint64>(random.below(static_cast<quint64>(FirstBirth.daysTo(LastBirth) + 1))));
    const auto localSeconds = static_cast<qint64>(random.below(SecondsPerDay));
    const QDateTime birthUtc =
        birthDate.startOfDay(QTimeZone::utc()).addSecs(localSeconds - BirthZone * 3600);
    const int firstYear = birthDate.year() + 18;
    task.birthDate = birthDate;
    task.radix = Astro::roundedLongitude(birthUtc);
    task.solarYear =
        firstYear +
        static_cast<int>(random.below(static_cast<quint64>(LastSolarYear - firstYear + 1)));
    if (acrossSign && !nearSignBeginning(task.radix))
        return false;

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
    const EphemerisPair days = task.pair();
    return (Astro::signIndex(days.position1) != Astro::signIndex(days.position2)) == acrossSign;
}

// The residence abroad in the Solar year, of those whose zone held all year.
void settleAbroad(SplitMix64 &random, SolarTask &task)
{
    QList<const Residence *> held;
    for (const Residence &residence : Residences) {
        if (residence.heldIn(task.solarYear))
            held << &residence;
    }
    const Residence &residence =
        *held.at(static_cast<qsizetype>(random.below(static_cast<quint64>(held.size()))));
    task.residence = QString::fromUtf16(residence.name);
    task.zone = residence.zone;
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
    const bool abroad = chosenInBlock(AbroadStream, number, 5);
    const bool acrossSign = chosenInBlock(AcrossSignStream, number, 10);
    SplitMix64 residences(ResidenceStream ^ static_cast<quint64>(number));
    // About one birth in thirty lies so that the Solar's two days straddle
    // the beginning of a sign: the person is kept, the birth drawn again until
    // it is of the kind the task wants.
    for (;;) {
        if (!drawBirthAndSolar(random, task, acrossSign))
            continue;
        if (abroad)
            settleAbroad(residences, task);
        if (const auto hand = solarHandSolution(task.pair(), task.radix, task.zone)) {
            task.hand = *hand;
            return task;
        }
    }
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
    given.residence = task.residence;
    return given;
}

} // namespace Exercise
