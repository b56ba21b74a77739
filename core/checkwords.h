#ifndef CORE_CHECKWORDS_H
#define CORE_CHECKWORDS_H

#include "core/stepledger.h"

#include <QString>
#include <QStringList>

#include <optional>

// The words of the check of a worked calculation ("Kontrolle…"), the same
// for both calculators: the title of its messages, the caption of its dialog
// and of the table that closes a calculation sheet, and its columns.
namespace Core {

inline QString checkTitle()
{
    return QStringLiteral("Kontrolle");
}

inline QString checkCaption()
{
    return QStringLiteral("Kontrolle mit genauer Rechnung");
}

inline QStringList checkColumns()
{
    return {QStringLiteral("Ihre Rechnung"), QStringLiteral("Genau"), QStringLiteral("Abweichung")};
}

// Where the check has no value to show.
inline QString dash()
{
    return QStringLiteral("\u2014");
}

// What the check says of a step on the way (its number on the form and its
// name) that was never computed or no longer belongs to its inputs; nothing
// for one that is current.
inline std::optional<QString> unfinishedText(StepLedger::Status status, int number,
                                             const QString &name)
{
    const QString title = QStringLiteral("Schritt %1 (%2)").arg(number).arg(name);
    if (status == StepLedger::Status::NotComputed)
        return title + QStringLiteral(" wurde nicht gerechnet.");
    if (status == StepLedger::Status::Stale)
        return title + QStringLiteral(" ist nicht mehr aktuell: Seine Eingaben haben sich "
                                      "geändert, seit er gerechnet wurde. Bitte ab Schritt %1 "
                                      "neu rechnen.")
                           .arg(number);
    return std::nullopt;
}

// A finding of a check: its cause, the step it names and what it says.
template <typename Cause> struct Finding {
    Cause cause;
    int step;
    QString text;
};

// A row of the check: what is compared, the student's value, the exact one
// and how far they lie apart (empty where there is nothing to compare).
struct CheckRow {
    QString name;
    QString yours;
    QString exact;
    QString deviation;
};

} // namespace Core

#endif
