#include "core/fieldchecks.h"

#include "core/numbers.h"
#include "core/overflow.h"

namespace {

bool outOfRange(const FieldTexts &texts, qint32 maxUnits)
{
    for (const QString &t : texts) {
        if (t.isEmpty())
            return false;
    }
    try {
        const qint32 units = RoundToInt32(TextValue(texts[0]));
        const qint32 minutes = RoundToInt32(TextValue(texts[1]));
        const qint32 seconds = RoundToInt32(TextValue(texts[2]));
        return minutes > 59 || seconds > 59 || units > maxUnits;
    } catch (const Overflow &) {
        return true;
    }
}

} // namespace

bool TimeFieldsOutOfRange(const FieldTexts &texts)
{
    return outOfRange(texts, 23);
}

bool AngleFieldsOutOfRange(const FieldTexts &texts)
{
    return outOfRange(texts, 30);
}
