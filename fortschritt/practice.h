#ifndef FORTSCHRITT_PRACTICE_H
#define FORTSCHRITT_PRACTICE_H

#include "core/giventask.h"

#include <QList>
#include <QString>

#include <optional>

// "Üben, was fehlt": a generated task that practises what a cause of wrong
// answers shows to be missing. A zone or a day moved by 24 hours wants a
// Solar abroad west of Greenwich; A and B in the Solar's steps a pair of days
// across a sign; the other axis an AC task; the house table any
// rectification; the sidereal time of birth a task of its own where the
// exercise window offers that kind, else a rectification, which begins with
// the sidereal time of birth.

namespace Progress {

struct Practice {
    Core::TaskKind kind = Core::TaskKind::Solar;
    int number = 0;
    // The task has what the cause asks for; false when none of the numbers
    // tried had it, and the task is only one of the right kind.
    bool matched = true;
};

// Numbers tried from the start before the first of the right kind is taken.
constexpr int PracticeTries = 200;

// The first task from a start drawn from `seed` upwards that has what the
// code `cause` (record/causes.h) asks for, of one of the kinds `offered`;
// nothing for an empty or unknown code.
std::optional<Practice> practiceTask(const QString &cause, quint64 seed,
                                     const QList<Core::TaskKind> &offered);

} // namespace Progress

#endif
