#ifndef CORE_STEPRESULT_H
#define CORE_STEPRESULT_H

#include "core/overflow.h"

#include <QString>

#include <optional>
#include <utility>

namespace Core {

// What a calculator step answers: its typed result, or exactly one message
// for the user (the step's title goes with it on the form) and no result.
struct StepMessage {
    QString text;
};

template <typename T> class StepResult {
public:
    StepResult(T value) : m_value(std::move(value)) {}
    StepResult(StepMessage message) : m_message(std::move(message.text)) {}

    bool ok() const { return m_value.has_value(); }
    const T &value() const { return *m_value; }
    const QString &message() const { return m_message; }

private:
    std::optional<T> m_value;
    QString m_message;
};

// Runs a step. The hand calculation counts in 16-bit units and 32-bit totals
// of seconds; where a value leaves them, the step answers "Überlauf!" instead
// of anything half computed. This is the one place where that happens.
template <typename Step> auto guarded(Step step) -> decltype(step())
{
    try {
        return step();
    } catch (const Overflow &) {
        return StepMessage{QStringLiteral("Überlauf!")};
    }
}

} // namespace Core

#endif
