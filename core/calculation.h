#ifndef CORE_CALCULATION_H
#define CORE_CALCULATION_H

#include "core/sexagesimal.h"
#include "core/stepledger.h"
#include "core/stepresult.h"

#include <QString>

#include <initializer_list>
#include <optional>

// What the tables of steps of both calculators are written with: the inputs
// of a step as numbers, a step's result kept in its slot, and the operators
// of an equation as a calculation sheet writes it.
namespace Core {

// The values of the fields a step reads, as numbers.
StepLedger::Inputs inputNumbers(std::initializer_list<const Sexagesimal *> values,
                                std::initializer_list<double> more = {});

// Keeps a step's result in its slot, or answers its one message.
template <typename T, typename Slot>
std::optional<QString> keep(const StepResult<T> &result, std::optional<Slot> &slot)
{
    if (!result.ok())
        return result.message();
    slot = result.value();
    return std::nullopt;
}

// The operators of a written-out computation, as on paper.
namespace Operators {
inline const QString Minus = QStringLiteral(" \u2212 ");
inline const QString Plus = QStringLiteral(" + ");
inline const QString Times = QStringLiteral(" \u00d7 ");
inline const QString Over = QStringLiteral(" \u00f7 ");
inline const QString Equals = QStringLiteral(" = ");
} // namespace Operators

} // namespace Core

#endif
