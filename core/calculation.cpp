#include "core/calculation.h"

namespace Core {

StepLedger::Inputs inputNumbers(std::initializer_list<const Sexagesimal *> values,
                                std::initializer_list<double> more)
{
    StepLedger::Inputs inputs;
    for (const Sexagesimal *v : values)
        inputs << v->units << v->minutes << v->seconds;
    for (double d : more)
        inputs << d;
    return inputs;
}

} // namespace Core
