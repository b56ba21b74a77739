#ifndef EXERCISE_BIRTHPLACES_H
#define EXERCISE_BIRTHPLACES_H

#include "exercise/splitmix64.h"

#include <QString>

#include <array>

// The people and places the tasks of a birth draw from: the rectification
// and the sidereal time of birth.

namespace Exercise {

// The lists from which a task draws. Their order is part of every task:
// append new entries at the end only, or the numbered tasks change.
inline constexpr std::array FirstNames{
    u"Anna",   u"Bernd",  u"Christa", u"Dieter", u"Elke",   u"Frank",   u"Gabriele", u"Hans",
    u"Ingrid", u"Jürgen", u"Karin",   u"Lothar", u"Monika", u"Norbert", u"Petra",    u"Rainer",
    u"Sabine", u"Thomas", u"Ursula",  u"Volker", u"Heike",  u"Klaus",   u"Marion",   u"Stefan",
};
inline constexpr std::array Surnames{
    u"Müller", u"Schmidt", u"Schneider", u"Fischer", u"Weber",   u"Meyer",    u"Wagner",
    u"Becker", u"Schulz",  u"Hoffmann",  u"Schäfer", u"Koch",    u"Bauer",    u"Richter",
    u"Klein",  u"Wolf",    u"Schröder",  u"Neumann", u"Schwarz", u"Braun",    u"Krüger",
    u"Lange",  u"Werner",  u"Krause",    u"Lehmann", u"Köhler",  u"Herrmann", u"König",
};

struct Town {
    const char16_t *name;
    int latitudeMinutes;  // north
    int longitudeMinutes; // east
};

constexpr int arcMinutes(int degrees, int minutes)
{
    return degrees * 60 + minutes;
}

// German towns from 47°59' (Freiburg) to 54°47' (Flensburg) north.
inline constexpr std::array Towns{
    Town{u"Berlin", arcMinutes(52, 31), arcMinutes(13, 24)},
    Town{u"Hamburg", arcMinutes(53, 33), arcMinutes(9, 59)},
    Town{u"München", arcMinutes(48, 8), arcMinutes(11, 35)},
    Town{u"Köln", arcMinutes(50, 56), arcMinutes(6, 57)},
    Town{u"Frankfurt am Main", arcMinutes(50, 7), arcMinutes(8, 41)},
    Town{u"Stuttgart", arcMinutes(48, 47), arcMinutes(9, 11)},
    Town{u"Düsseldorf", arcMinutes(51, 14), arcMinutes(6, 47)},
    Town{u"Leipzig", arcMinutes(51, 20), arcMinutes(12, 23)},
    Town{u"Dortmund", arcMinutes(51, 31), arcMinutes(7, 28)},
    Town{u"Bremen", arcMinutes(53, 5), arcMinutes(8, 48)},
    Town{u"Dresden", arcMinutes(51, 3), arcMinutes(13, 44)},
    Town{u"Hannover", arcMinutes(52, 22), arcMinutes(9, 44)},
    Town{u"Nürnberg", arcMinutes(49, 27), arcMinutes(11, 5)},
    Town{u"Kiel", arcMinutes(54, 20), arcMinutes(10, 8)},
    Town{u"Rostock", arcMinutes(54, 5), arcMinutes(12, 8)},
    Town{u"Flensburg", arcMinutes(54, 47), arcMinutes(9, 26)},
    Town{u"Freiburg im Breisgau", arcMinutes(47, 59), arcMinutes(7, 51)},
    Town{u"Augsburg", arcMinutes(48, 22), arcMinutes(10, 54)},
    Town{u"Regensburg", arcMinutes(49, 1), arcMinutes(12, 6)},
    Town{u"Kassel", arcMinutes(51, 19), arcMinutes(9, 30)},
    Town{u"Erfurt", arcMinutes(50, 59), arcMinutes(11, 2)},
    Town{u"Münster", arcMinutes(51, 58), arcMinutes(7, 38)},
    Town{u"Würzburg", arcMinutes(49, 48), arcMinutes(9, 56)},
    Town{u"Mannheim", arcMinutes(49, 29), arcMinutes(8, 28)},
    Town{u"Bonn", arcMinutes(50, 44), arcMinutes(7, 6)},
    Town{u"Lübeck", arcMinutes(53, 52), arcMinutes(10, 41)},
    Town{u"Ulm", arcMinutes(48, 24), arcMinutes(9, 59)},
    Town{u"Göttingen", arcMinutes(51, 32), arcMinutes(9, 56)},
};

// Birth places abroad, for the sidereal time of birth west of Greenwich and
// far east: the legal time of each from its zone of the time-zone database.
struct PlaceAbroad {
    const char16_t *name;
    int latitudeMinutes;  // north positive
    int longitudeMinutes; // east positive, west negative
    const char *zone;
};
inline constexpr std::array PlacesAbroad{
    PlaceAbroad{u"London", arcMinutes(51, 30), -arcMinutes(0, 7), "Europe/London"},
    PlaceAbroad{u"New York", arcMinutes(40, 43), -arcMinutes(74, 0), "America/New_York"},
    PlaceAbroad{u"Chicago", arcMinutes(41, 53), -arcMinutes(87, 38), "America/Chicago"},
    PlaceAbroad{u"Los Angeles", arcMinutes(34, 3), -arcMinutes(118, 15), "America/Los_Angeles"},
    PlaceAbroad{u"Rio de Janeiro", -arcMinutes(22, 54), -arcMinutes(43, 12), "America/Sao_Paulo"},
    PlaceAbroad{u"Tokio", arcMinutes(35, 41), arcMinutes(139, 42), "Asia/Tokyo"},
};

// An item of a list, drawn from a task's stream.
template <typename List> QString pick(SplitMix64 &random, const List &list)
{
    return QString::fromUtf16(list[static_cast<std::size_t>(random.below(list.size()))]);
}

} // namespace Exercise

#endif
