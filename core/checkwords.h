#ifndef CORE_CHECKWORDS_H
#define CORE_CHECKWORDS_H

#include <QString>
#include <QStringList>

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
