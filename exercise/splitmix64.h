#ifndef EXERCISE_SPLITMIX64_H
#define EXERCISE_SPLITMIX64_H

#include <QtGlobal>

namespace Exercise {

// The random stream of a task. A task number must give the same task on every
// machine and in every later version of the program, so the generator is
// written out here instead of taken from the standard library, whose
// distributions may differ from one library to the next: SplitMix64 (Steele,
// Lea and Flood, 2014), a 64-bit counter stepped by the golden ratio and
// scrambled by two multiply-xorshift rounds. Every draw is integer arithmetic
// on its output.
class SplitMix64 {
public:
    explicit constexpr SplitMix64(quint64 seed) : m_state(seed) {}

    constexpr quint64 next()
    {
        m_state += 0x9E3779B97F4A7C15ULL;
        quint64 z = m_state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // A whole number 0 .. count - 1, each equally likely: outputs below
    // 2^64 mod count are drawn again, so that the remainder favours no value.
    constexpr quint64 below(quint64 count)
    {
        const quint64 skip = (0 - count) % count;
        for (;;) {
            const quint64 x = next();
            if (x >= skip)
                return x % count;
        }
    }

private:
    quint64 m_state;
};

} // namespace Exercise

#endif
