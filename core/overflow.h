#ifndef CORE_OVERFLOW_H
#define CORE_OVERFLOW_H

#include <stdexcept>

namespace Core {

// The program computes in signed 16-bit units (degrees, hours, counters) and
// signed 32-bit totals of seconds. A value that leaves one of these ranges is
// never wrapped: the operation that meets it throws Overflow, and the step
// that called it answers with one message instead of writing anything.
class Overflow : public std::overflow_error {
public:
    Overflow() : std::overflow_error("overflow") {}
};

} // namespace Core

#endif
