#include "astro/zodiac.h"

#include "core/notation.h"

#include <array>

using namespace Core;

namespace Astro {

namespace {

using Core::ArcSecondsPerCircle;

const std::array<QString, SignCount> &signNames()
{
    static const std::array<QString, SignCount> names{
        QStringLiteral("Widder"),    QStringLiteral("Stier"),      QStringLiteral("Zwillinge"),
        QStringLiteral("Krebs"),     QStringLiteral("Löwe"),       QStringLiteral("Jungfrau"),
        QStringLiteral("Waage"),     QStringLiteral("Skorpion"),   QStringLiteral("Schütze"),
        QStringLiteral("Steinbock"), QStringLiteral("Wassermann"), QStringLiteral("Fische")};
    return names;
}

// Lower case, umlauts written out: "Löwe", "LÖWE" and "Loewe" all give "loewe".
QString folded(const QString &name)
{
    QString folded = name.trimmed().normalized(QString::NormalizationForm_C).toLower();
    folded.replace(u'ä', QLatin1String("ae"));
    folded.replace(u'ö', QLatin1String("oe"));
    folded.replace(u'ü', QLatin1String("ue"));
    return folded;
}

} // namespace

QString signName(int sign)
{
    return signNames().at(static_cast<std::size_t>(sign));
}

std::optional<int> signNamed(const QString &typed)
{
    const QString wanted = folded(typed);
    for (int sign = 0; sign < SignCount; ++sign)
        if (folded(signName(sign)) == wanted)
            return sign;
    return std::nullopt;
}

int signIndex(qint32 position)
{
    return static_cast<int>(((position % ArcSecondsPerCircle) + ArcSecondsPerCircle) %
                            ArcSecondsPerCircle / ArcSecondsPerSign);
}

qint32 positionOf(int sign, int degrees, int minutes, int seconds)
{
    return sign * ArcSecondsPerSign + degrees * 3600 + minutes * 60 + seconds;
}

QString positionText(qint32 position)
{
    const qint32 p = ((position % ArcSecondsPerCircle) + ArcSecondsPerCircle) % ArcSecondsPerCircle;
    const qint32 withinSign = p % ArcSecondsPerSign;
    return Notation::angle(withinSign) + u' ' + signName(p / ArcSecondsPerSign);
}

QString tableValueText(qint32 position)
{
    const qint32 p = ((position % ArcSecondsPerCircle) + ArcSecondsPerCircle) % ArcSecondsPerCircle;
    return Notation::degreesMinutes((p % ArcSecondsPerSign) / 60) + u' ' +
           signName(p / ArcSecondsPerSign);
}

qint32 arcAhead(qint32 a, qint32 b)
{
    const qint32 half = ArcSecondsPerCircle / 2;
    const qint32 ahead =
        ((a - b) % ArcSecondsPerCircle + ArcSecondsPerCircle) % ArcSecondsPerCircle;
    return ahead > half ? ahead - ArcSecondsPerCircle : ahead;
}

} // namespace Astro
