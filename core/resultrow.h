#ifndef CORE_RESULTROW_H
#define CORE_RESULTROW_H

#include <QString>

namespace Core {

// One finished calculation in the main window's result list:
// "Solar" | date of the Solar (5.7.2024) | clock time (14h33m17s), or
// "Rektifikation" | the event as typed | the time difference (0h-3m-26s).
struct ResultRow {
    QString column1;
    QString column2;
    QString column3;

    friend bool operator==(const ResultRow &, const ResultRow &) = default;
};

} // namespace Core

#endif
