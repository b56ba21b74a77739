#include "solar/solarcheck.h"

#include "astro/solarreturn.h"
#include "astro/zodiac.h"
#include "core/numbers.h"

#include <QDate>
#include <QDateTime>
#include <QStringList>
#include <QTimeZone>

#include <cmath>
#include <cstdlib>

namespace SolarCheck {

namespace {

// A position read from a printed ephemeris that differs from the exact one by
// no more than this is read right: an ephemeris computed for 0h ephemeris time
// instead of 0h UT differs by about 3''.
constexpr qint32 ReadingTolerance = 5; // seconds of arc
constexpr qint64 TimeTolerance = 60;   // seconds of time
constexpr qint64 DaysFromBirthday = 2; // beyond this the radix is not the birthday's
constexpr qint32 HalfSign = 15 * 3600; // seconds of arc
constexpr double SecondsPerDay = 86400;
constexpr int FirstYear = 1900;
constexpr int LastYear = 2100;

QString Dash()
{
    return QStringLiteral("\u2014");
}

// A whole number typed into a field, or nothing for text that is none.
std::optional<int> WholeNumber(const QString &text)
{
    const double value = ReadNumber(text);
    if (!std::isfinite(value) || value != std::floor(value) || std::fabs(value) > 1e6)
        return std::nullopt;
    return static_cast<int>(value);
}

QString Signed(qint64 value, const QString &unit)
{
    return (value > 0 ? QStringLiteral("+") : QString()) + QString::number(value) + unit;
}

QString ArcDeviation(qint32 arcSeconds)
{
    return Signed(arcSeconds, QStringLiteral("''"));
}

QString TimeDeviation(qint64 seconds)
{
    return Signed(seconds, QStringLiteral(" s"));
}

QString DateText(QDate date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

// "8h19m57s", as the result list writes a time.
QString ClockText(qint64 seconds)
{
    return QString::number(seconds / 3600) + u'h' + QString::number(seconds / 60 % 60) + u'm' +
           QString::number(seconds % 60) + u's';
}

QString ClockText(const ClockTime &t)
{
    return QString::number(t.hours) + u'h' + QString::number(t.minutes) + u'm' +
           QString::number(t.seconds) + u's';
}

qint64 SecondsOf(const ClockTime &t)
{
    return qint64{t.hours} * 3600 + qint64{t.minutes} * 60 + t.seconds;
}

// A moment rounded to the whole second, as the hand method gives its times.
QDateTime ToWholeSecond(const QDateTime &moment)
{
    const qint64 ms = moment.toMSecsSinceEpoch();
    qint64 seconds = ms / 1000;
    qint64 rest = ms % 1000;
    if (rest < 0) {
        rest += 1000;
        --seconds;
    }
    if (rest >= 500)
        ++seconds;
    return QDateTime::fromSecsSinceEpoch(seconds, QTimeZone::utc());
}

// A clock time on a date, both taken as the clock of one zone; the times of a
// zone are handled here as if they were UTC, so that the moments compare.
QDateTime On(QDate date, qint64 seconds)
{
    return date.startOfDay(QTimeZone::utc()).addSecs(seconds);
}

// The student picks positions within a sign; near the start or end of a sign
// date 1 or date 2 lies in the neighbouring sign. The picked position belongs
// to the sign that puts it nearest the radix.
qint32 NearRadix(int sign, const Angle &a, qint32 radix)
{
    qint32 position = Astro::PositionOf(sign, a.degrees, a.minutes, a.seconds);
    const qint32 ahead = Astro::ArcAhead(position, radix);
    if (ahead > HalfSign)
        position -= Astro::ArcSecondsPerSign;
    else if (ahead < -HalfSign)
        position += Astro::ArcSecondsPerSign;
    return position;
}

std::optional<QDate> DateOf(const std::array<QString, 3> &texts)
{
    const auto day = WholeNumber(texts[0]);
    const auto month = WholeNumber(texts[1]);
    const auto year = WholeNumber(texts[2]);
    if (!day || !month || !year)
        return std::nullopt;
    const QDate date(*year, *month, *day);
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

QString TypedDate(const std::array<QString, 3> &texts)
{
    if (texts[0].trimmed().isEmpty() && texts[1].trimmed().isEmpty() &&
        texts[2].trimmed().isEmpty())
        return Dash();
    if (const auto date = DateOf(texts))
        return DateText(*date);
    return texts[0].trimmed() + u'.' + texts[1].trimmed() + u'.' + texts[2].trimmed();
}

// What the student gave, checked for what the exact computation needs.
struct Problem {
    int sign = 0;
    int year = 0;
    int birthDay = 0;
    int birthMonth = 0;
};

StepResult<Problem> Validated(const HandCalculation &hand)
{
    QStringList missing;
    const std::optional<int> day = WholeNumber(hand.birthDay);
    const std::optional<int> month = WholeNumber(hand.birthMonth);
    // The year does not matter for the birthday; 2000 admits 29 February.
    const bool birthDate = day && month && hand.birthDay.trimmed().size() > 0 &&
                           hand.birthMonth.trimmed().size() > 0 &&
                           QDate(2000, *month, *day).isValid();
    if (hand.sign.trimmed().isEmpty())
        missing << QStringLiteral("Tierkreis");
    if (hand.year.trimmed().isEmpty())
        missing << QStringLiteral("Solar für das Jahr");
    if (!birthDate)
        missing << QStringLiteral("Geburtsdatum");
    if (!missing.isEmpty())
        return StepMessage{QStringLiteral("Für die Kontrolle fehlen: ") +
                           missing.join(QStringLiteral(", ")) + u'.'};

    const std::optional<int> sign = Astro::SignOf(hand.sign);
    if (!sign)
        return StepMessage{QStringLiteral("Tierkreiszeichen nicht erkannt: ") + hand.sign};
    const std::optional<int> year = WholeNumber(hand.year);
    if (!year || *year < FirstYear || *year > LastYear)
        return StepMessage{QStringLiteral("Das Solarjahr muss zwischen 1900 und 2100 liegen.")};
    return Problem{*sign, *year, *day, *month};
}

QString OfDate(int which)
{
    return which == 1 ? QStringLiteral("des 1. Datums") : QStringLiteral("des 2. Datums");
}

} // namespace

QList<QString> columnHeaders()
{
    return {QStringLiteral("Ihre Rechnung"), QStringLiteral("Genau"), QStringLiteral("Abweichung")};
}

QString convention()
{
    return QStringLiteral("Genaue Werte: scheinbare geozentrische Länge der Sonne, bezogen auf "
                          "das wahre Äquinoktium des Datums, Sonnenstände für 0h UT.");
}

StepResult<Comparison> Compare(const HandCalculation &hand)
{
    const StepResult<Problem> problem = Validated(hand);
    if (!problem.ok())
        return StepMessage{problem.message()};
    const Problem &p = problem.value();

    const qint32 radix =
        Astro::PositionOf(p.sign, hand.radix.degrees, hand.radix.minutes, hand.radix.seconds);
    const std::optional<Astro::ExactSolarReturn> exact =
        Astro::SolveSolarReturn(radix, p.year, p.birthDay, p.birthMonth);
    if (!exact) // the birthday was checked above; kept for a date the library refuses
        return StepMessage{QStringLiteral("Für die Kontrolle fehlen: Geburtsdatum.")};

    Comparison c;
    const QDate date2 = exact->date1.addDays(1);

    // The two ephemeris positions.
    const qint32 hand1 = NearRadix(p.sign, hand.sunDate1, radix);
    const qint32 hand2 = NearRadix(p.sign, hand.sunDate2, radix);
    const qint32 off1 = Astro::ArcAhead(hand1, exact->position1);
    const qint32 off2 = Astro::ArcAhead(hand2, exact->position2);
    c.rows << Row{QStringLiteral("Sonnenstand 1. Datum"), Astro::PositionText(hand1),
                  Astro::PositionText(exact->position1), ArcDeviation(off1)};
    c.rows << Row{QStringLiteral("Sonnenstand 2. Datum"), Astro::PositionText(hand2),
                  Astro::PositionText(exact->position2), ArcDeviation(off2)};

    // Step 4 gives a Greenwich clock time on date 1; step 5 the time of the
    // chosen zone on the date the student writes down.
    const QDateTime exactUtc = ToWholeSecond(exact->moment);
    const QDateTime exactLocal = exactUtc.addSecs(qint64{hand.zoneHours} * 3600);
    const auto secondsOfDay = [](const QDateTime &t) {
        return qint64{t.time().msecsSinceStartOfDay() / 1000};
    };
    std::optional<qint64> greenwichOff;
    std::optional<qint64> finalOff;
    if (hand.greenwichTime) {
        greenwichOff = exactUtc.secsTo(On(exact->date1, SecondsOf(*hand.greenwichTime)));
        c.rows << Row{QStringLiteral("Uhrzeit Greenwich"), ClockText(*hand.greenwichTime),
                      ClockText(secondsOfDay(exactUtc)), TimeDeviation(*greenwichOff)};
    } else {
        c.rows << Row{QStringLiteral("Uhrzeit Greenwich"), Dash(),
                      ClockText(secondsOfDay(exactUtc)), QString()};
    }
    if (hand.finalTime) {
        // Without a date of the Solar yet, the time is taken on the exact date.
        const QDate on = DateOf(hand.solarDate).value_or(exactLocal.date());
        finalOff = exactLocal.secsTo(On(on, SecondsOf(*hand.finalTime)));
        c.rows << Row{QStringLiteral("Uhrzeit des Solars"), ClockText(*hand.finalTime),
                      ClockText(secondsOfDay(exactLocal)), TimeDeviation(*finalOff)};
    } else {
        c.rows << Row{QStringLiteral("Uhrzeit des Solars"), Dash(),
                      ClockText(secondsOfDay(exactLocal)), QString()};
    }
    c.rows << Row{QStringLiteral("Datum des Solars"), TypedDate(hand.solarDate),
                  DateText(exactLocal.date()), QString()};

    // The finding, the most basic fault first: a radix that the Sun does not
    // reach near the birthday makes everything after it meaningless.
    QStringList finding;
    if (std::abs(exact->daysFromBirthday) > DaysFromBirthday) {
        const qint64 days = std::abs(exact->daysFromBirthday);
        finding << QStringLiteral("Die Sonne erreicht die Radix-Sonnenposition %1 im Jahr %2 erst "
                                  "am %3, %4 Tage %5 dem Geburtstag. Bitte prüfen Sie das "
                                  "Tierkreiszeichen, die Radix-Sonnenposition und das "
                                  "Geburtsdatum.")
                       .arg(Astro::PositionText(radix))
                       .arg(p.year)
                       .arg(DateText(exact->date1))
                       .arg(days)
                       .arg(exact->daysFromBirthday < 0 ? QStringLiteral("vor")
                                                        : QStringLiteral("nach"));
        c.finding = finding.join(u' ');
        return c;
    }

    const struct {
        int which;
        qint32 off;
        QDate date;
    } positions[] = {{1, off1, exact->date1}, {2, off2, date2}};
    bool misread = false;
    for (const auto &[which, off, date] : positions) {
        if (std::abs(off) <= ReadingTolerance)
            continue;
        misread = true;
        finding << QStringLiteral("Der Sonnenstand %1 weicht um %2 vom genauen Wert ab: Schlagen "
                                  "Sie in den Ephemeriden den %3 (0h UT) nach.")
                       .arg(OfDate(which), ArcDeviation(off), DateText(date));
    }
    if (!misread) {
        // The time the hand method gives from the student's own positions:
        // an ephemeris for 0h ET, 3'' behind, moves it by more than a minute
        // without any slip in the arithmetic.
        const qint32 motion = Astro::ArcAhead(hand2, hand1);
        std::optional<QDateTime> ownGreenwich;
        if (motion > 0)
            ownGreenwich = On(exact->date1, std::llround(double(Astro::ArcAhead(radix, hand1)) /
                                                         motion * SecondsPerDay));
        const auto slipped = [&](const std::optional<QDateTime> &handMoment, qint64 zone) {
            return handMoment &&
                   (!ownGreenwich ||
                    std::llabs(ownGreenwich->addSecs(zone).secsTo(*handMoment)) > TimeTolerance);
        };
        const std::optional<QDateTime> greenwichMoment =
            greenwichOff ? std::optional<QDateTime>(exactUtc.addSecs(*greenwichOff)) : std::nullopt;
        const std::optional<QDateTime> finalMoment =
            finalOff ? std::optional<QDateTime>(exactLocal.addSecs(*finalOff)) : std::nullopt;
        const bool arithmeticSlip =
            slipped(greenwichMoment, 0) || slipped(finalMoment, qint64{hand.zoneHours} * 3600);

        // The last time the student has reached tells how the calculation ends.
        const std::optional<qint64> last = finalOff ? finalOff : greenwichOff;
        const bool timeOff = (greenwichOff && std::llabs(*greenwichOff) > TimeTolerance) ||
                             (finalOff && std::llabs(*finalOff) > TimeTolerance);
        const qint64 worst = (greenwichOff && std::llabs(*greenwichOff) > TimeTolerance)
                                 ? greenwichOff.value_or(0)
                                 : last.value_or(0);
        if (!last) {
            finding << QStringLiteral("Die Sonnenstände stimmen. Die Uhrzeit des Solars ist noch "
                                      "nicht berechnet.");
        } else if (timeOff && arithmeticSlip) {
            finding << QStringLiteral("Die Sonnenstände stimmen, aber die Uhrzeit weicht um %1 "
                                      "von der genauen ab. Prüfen Sie die Schritte 2 bis 5.")
                           .arg(TimeDeviation(worst));
        } else if (timeOff) {
            finding << QStringLiteral("Die Sonnenstände stimmen bis auf wenige Bogensekunden, und "
                                      "Ihre Rechnung damit ist richtig. Die Abweichung der "
                                      "Uhrzeit von %1 kommt von diesen Bogensekunden: Eine "
                                      "Bogensekunde der Sonne sind etwa 24 Sekunden Zeit.")
                           .arg(TimeDeviation(worst));
        } else {
            finding << QStringLiteral("Ihre Rechnung ist richtig. Die Abweichung von %1 kommt "
                                      "daher, dass zwischen zwei Tagen linear interpoliert wird: "
                                      "Die Sonne läuft innerhalb eines Tages nicht ganz "
                                      "gleichmäßig, und die Ephemeride rundet auf die "
                                      "Bogensekunde.")
                           .arg(TimeDeviation(*last));
        }
        if (off1 != 0 || off2 != 0)
            finding << QStringLiteral("Abweichungen der Sonnenstände bis 5'' sind kein "
                                      "Lesefehler: Ephemeriden für 0h ET statt 0h UT weichen um "
                                      "etwa 3'' ab.");
    }
    c.finding = finding.join(u' ');
    return c;
}

} // namespace SolarCheck
