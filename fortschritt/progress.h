#ifndef FORTSCHRITT_PROGRESS_H
#define FORTSCHRITT_PROGRESS_H

#include "core/giventask.h"
#include "record/entry.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <array>
#include <optional>

// The student's progress as the window "Fortschritt" shows it, worked out
// from the record of the work: how many answers were right, week by week and
// kind by kind; which causes of wrong answers came most often lately; and how
// long a task took. Plain computation, no widgets.

namespace Progress {

// The kinds in the order the window shows them.
constexpr std::array<Core::TaskKind, 3> Kinds = {
    Core::TaskKind::Solar, Core::TaskKind::Rectification, Core::TaskKind::Sidereal};

// "Solar", "Rektifikation", "Sternzeit".
QString kindName(Core::TaskKind kind);

// An ISO week: it begins on a Monday, and the days of the turn of the year
// belong to the year that holds the week's Thursday.
struct Week {
    int year = 0;
    int number = 0;
    friend auto operator<=>(const Week &, const Week &) = default;
};

// The ISO week of a moment in the local time of the machine.
Week weekOf(const QDateTime &time);
// "KW 49/2026".
QString weekLabel(Week week);

struct WeekShare {
    Week week;
    Core::TaskKind kind = Core::TaskKind::Solar;
    int right = 0;
    int total = 0;
    double share() const { return total > 0 ? double(right) / total : 0.0; }
};

// Per week with answers and per kind answered in it, oldest week first and
// the kinds in the order of Kinds.
QList<WeekShare> weeklyShares(const QList<Record::Entry> &entries);

struct CauseCount {
    QString code;
    QString name; // German, from the record's table of causes
    int count = 0;
};

// The name with the kind of task its code belongs to, as some names are
// those of two kinds: "Wert falsch übertragen (Rektifikation)".
QString causeLabel(const CauseCount &cause);

// The causes of the wrong answers of the `days` days before `now`, most
// frequent first (the same count: in the order of their codes).
QList<CauseCount> frequentCauses(const QList<Record::Entry> &entries, const QDateTime &now,
                                 int days = 30);

// The median of the seconds a task of `kind` took, of the entries where they
// are known; nothing where none are.
std::optional<double> medianSeconds(const QList<Record::Entry> &entries, Core::TaskKind kind);

// "3 min 05 s", "45 s"; rounded to the whole second.
QString minutesAndSeconds(double seconds);

} // namespace Progress

#endif
