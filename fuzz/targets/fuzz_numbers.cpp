// Reading numbers from any text: textValue gives a finite value or throws
// Overflow, readNumber never throws and agrees with it, and every number that
// the program writes as plain text reads back as itself to its fifteen digits.
#include "core/numbers.h"
#include "core/overflow.h"

#include <QLocale>

#include <cmath>
#include <cstdlib>

using namespace Core;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const double read = readNumber(text);
    try {
        const double value = textValue(text);
        if (!std::isfinite(value) || value != read)
            std::abort();
        // Written with the full stop, read back to its fifteen digits.
        QLocale::setDefault(QLocale::c());
        if (std::fabs(textValue(plainNumber(value)) - value) > std::fabs(value) * 1e-14)
            std::abort();
    } catch (const Overflow &) {
        if (std::isfinite(read))
            std::abort();
    }
    (void)regionalValue(text);
    return 0;
}
