#include "exercise/solaranswer.h"

#include "astro/zodiac.h"
#include "core/notation.h"
#include "core/numbers.h"
#include "core/rules.h"
#include "exercise/solartexts.h"

#include <QList>

#include <cmath>
#include <cstdlib>
#include <optional>

using namespace Core;

namespace Exercise {

namespace {

// An answer this close to the right one is a matter of reading or rounding.
constexpr qint64 NearlyRight = 120;

// What step 4 makes of a distance and a motion in seconds of arc, in seconds
// of time; nothing where the step refuses them or a slip makes no clock time.
std::optional<qint64> interpolatedSeconds(qint64 distance, qint64 motion)
{
    if (motion <= 0 || distance < 0 || distance > 100 * motion)
        return std::nullopt;
    const auto step =
        Solar::greenwichTime(Sexagesimal::of(secondsToTriple(static_cast<qint32>(motion))),
                             Sexagesimal::of(secondsToTriple(static_cast<qint32>(distance))));
    if (!step.ok())
        return std::nullopt;
    return pickersToSeconds(step.value().time);
}

struct Slip {
    qint64 seconds;
    QString hint;
    AnswerHint code;
};

// The task's zone as the hints name it: "+1", "-5 (New York)".
QString zoneText(const SolarTask &task)
{
    return Notation::zone(task.zone) +
           (task.residence.isEmpty() ? QString() : QStringLiteral(" (") + task.residence + u')');
}

// A Greenwich time in a zone, brought into the day as the day shift does it:
// 24 h taken off from 24 h on, added below 0 h.
qint64 inZone(qint64 greenwich, int zone)
{
    const qint64 t = greenwich + qint64{zone} * 3600;
    return t >= SecondsPerDay ? t - SecondsPerDay : t < 0 ? t + SecondsPerDay : t;
}

// The clock times that the zone slips give: the zone forgotten, the German
// +1 taken abroad, the zone's sign turned round.
QList<Slip> zoneSlips(const SolarTask &task)
{
    const qint64 greenwich = pickersToSeconds(task.hand.greenwich);
    QList<Slip> slips;
    if (task.zone != 0)
        slips.append({greenwich,
                      QStringLiteral("Haben Sie die Zeitzone vergessen? Die Ephemeride gibt die "
                                     "Sonne für 0 Uhr Greenwich-Zeit an."),
                      AnswerHint::ZoneForgotten});
    if (!task.residence.isEmpty() && task.zone != 1)
        slips.append({inZone(greenwich, 1),
                      QStringLiteral("Haben Sie mit +1 gerechnet? +1 gilt für Deutschland; der "
                                     "Solar gilt am Wohnort im Solarjahr, in der Zeitzone ") +
                          zoneText(task) + u'.',
                      AnswerHint::GermanZoneAbroad});
    if (task.zone != 0)
        slips.append({inZone(greenwich, -task.zone),
                      QStringLiteral("Haben Sie das Vorzeichen der Zeitzone vertauscht? Die "
                                     "Zeitzone ") +
                          zoneText(task) +
                          QStringLiteral(" wird so addiert, wie sie dasteht: westlich von "
                                         "Greenwich ist die Uhrzeit früher, östlich später."),
                      AnswerHint::ZoneSignTurned});
    return slips;
}

// The clock times (in the zone, seconds of the day, not reduced) that the
// usual slips give, each with its hint.
QList<Slip> timeSlips(const SolarTask &task)
{
    const SolarHandSolution &hand = task.hand;
    const EphemerisPair pair = task.pair();
    // Differences of positions across 0° Aries as the Sun moves.
    const qint64 motion = Astro::arcAhead(pair.position2, pair.position1);
    QList<Slip> slips = zoneSlips(task);
    const auto add = [&slips, &task](std::optional<qint64> greenwich, const QString &hint,
                                     AnswerHint code) {
        if (greenwich)
            slips.append({inZone(*greenwich, task.zone), hint, code});
    };

    if (hand.nextDay)
        slips.append({pickersToSeconds(hand.zoneTime),
                      QStringLiteral("Eine Uhrzeit von 24 Uhr oder später gehört zum folgenden "
                                     "Tag: ziehen Sie 24 Stunden ab (-24h)."),
                      AnswerHint::DayNotTaken});
    add(interpolatedSeconds(motion, pickersToSeconds(hand.distance)),
        QStringLiteral("Haben Sie A und B vertauscht? Der Entfernungswert B steht über dem "
                       "Bruchstrich, die Sonnenbewegung A darunter."),
        AnswerHint::SwappedAB);
    add(interpolatedSeconds(Astro::arcAhead(pair.position2, task.radix), motion),
        QStringLiteral("Der Entfernungswert B wird vom 1. Datum aus gemessen, dem Tag mit der "
                       "kleineren Sonnenposition."),
        AnswerHint::DistanceFromDate2);
    // The pairs of days before and after the right one.
    for (const int first : {task.pairIndex - 1, task.pairIndex + 1}) {
        if (first < 0 || first + 1 >= task.page.size())
            continue;
        const qint32 p1 = task.page.at(first).position;
        const qint32 p2 = task.page.at(first + 1).position;
        add(interpolatedSeconds(Astro::arcAhead(task.radix, p1), Astro::arcAhead(p2, p1)),
            QStringLiteral("Prüfen Sie das Tagespaar: die Radix-Sonne muss zwischen den "
                           "Positionen der beiden Tage liegen."),
            AnswerHint::WrongPair);
    }
    return slips;
}

struct Hinted {
    QString text;
    AnswerHint code;
};

Hinted timeHint(const SolarTask &task, qint64 answered, const QDateTime &exactUtc)
{
    const qint64 right = pickersToSeconds(task.hand.clock);
    // A slip is named only where the answer is exactly what it gives, and
    // then only as a possibility: the answer alone does not show the step.
    for (const Slip &slip : timeSlips(task)) {
        if (slip.seconds != right && slip.seconds == answered)
            return {QStringLiteral("Vielleicht: ") + slip.hint, slip.code};
    }
    const ExactComparison exact = compareWithExact(task, exactUtc);
    if (answered == pickersToSeconds(exact.clock))
        return {QStringLiteral("Das ist der genaue Zeitpunkt des Solars. Gefragt ist die "
                               "Handrechnung: die lineare Interpolation zwischen den beiden "
                               "Ephemeridentagen, Schritt für Schritt wie im Rechner."),
                AnswerHint::ExactMoment};
    if (std::llabs(answered - right) <= NearlyRight)
        return {QStringLiteral("Sie sind nahe daran: lesen Sie die Positionen genau ab und "
                               "runden Sie B ÷ A × 24 h auf vier Dezimalstellen, bevor Sie in "
                               "Stunden, Minuten und Sekunden umrechnen."),
                AnswerHint::NearlyRight};
    if (task.acrossSign())
        return {QStringLiteral("Rechnen Sie Schritt für Schritt nach. Die beiden Tage liegen in "
                               "zwei Zeichen: A = 2. Datum + 30° − 1. Datum, B = Radix-Sonne − 1. "
                               "Datum (+ 30°, wenn die Radix-Sonne schon im neuen Zeichen steht), "
                               "Uhrzeit = B ÷ A × 24 h, dann die Zeitzone ") +
                    zoneText(task) + u'.',
                AnswerHint::AcrossSign};
    return {QStringLiteral("Rechnen Sie Schritt für Schritt nach: A = 2. Datum − 1. Datum, "
                           "B = Radix-Sonne − 1. Datum, Uhrzeit = B ÷ A × 24 h, dann die "
                           "Zeitzone ") +
                zoneText(task) + u'.',
            AnswerHint::Unexplained};
}

// The day shift moves the date: "-24h" to the day after date 1, "+24h" to
// the day before, which only a zone west of Greenwich can ask for.
std::optional<Hinted> dayShiftHint(const SolarTask &task, QDate answered)
{
    const SolarHandSolution &hand = task.hand;
    const QDate date1 = task.pair().date1;
    if (hand.nextDay && answered == date1)
        return Hinted{QStringLiteral("Wenn Sie 24 Stunden abziehen, rückt das Datum auf den "
                                     "folgenden Tag."),
                      AnswerHint::DateNotMoved};
    if (hand.previousDay && answered == date1)
        return Hinted{QStringLiteral("Wenn Sie 24 Stunden addieren (+24h), geht das Datum auf "
                                     "den Tag davor zurück."),
                      AnswerHint::DateNotMoved};
    if (hand.previousDay && answered == date1.addDays(1))
        return Hinted{QStringLiteral("Nach +24h geht das Datum auf den Tag vor dem 1. Datum "
                                     "zurück, nicht auf den Tag danach."),
                      AnswerHint::DateMovedWrongWay};
    if (hand.nextDay && answered == date1.addDays(-1))
        return Hinted{QStringLiteral("Nach -24h rückt das Datum auf den Tag nach dem 1. Datum, "
                                     "nicht auf den Tag davor."),
                      AnswerHint::DateMovedWrongWay};
    if (!hand.nextDay && answered == date1.addDays(1))
        return Hinted{QStringLiteral("Das Datum rückt nur weiter, wenn die Uhrzeit 24 Uhr "
                                     "erreicht und Sie 24 Stunden abziehen."),
                      AnswerHint::DateMoved};
    if (!hand.previousDay && task.zone < 0 && answered == date1.addDays(-1))
        return Hinted{QStringLiteral("Das Datum geht nur zurück, wenn die Uhrzeit unter 0 Uhr "
                                     "fällt und Sie 24 Stunden addieren."),
                      AnswerHint::DateMoved};
    return std::nullopt;
}

Hinted dateHint(const SolarTask &task, QDate answered)
{
    if (!answered.isValid())
        return {QStringLiteral("Diesen Tag gibt es im Kalender nicht."), AnswerHint::NoSuchDate};
    if (const auto hint = dayShiftHint(task, answered))
        return *hint;
    if (answered.month() == task.hand.date.month() && answered.day() == task.hand.date.day())
        return {QStringLiteral("Prüfen Sie das Jahr."), AnswerHint::WrongYear};
    return {QStringLiteral("Der Solar fällt auf das 1. Datum, den Tag mit der kleineren der "
                           "beiden Sonnenpositionen, zwischen denen die Radix-Sonne liegt (nach "
                           "-24h auf den Tag danach, nach +24h auf den Tag davor)."),
            AnswerHint::WrongDate};
}

int number(const QString &text)
{
    // The fields take digits only; a longer run of digits than an int holds
    // is no day, month or hour anyway.
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : -1;
}

} // namespace

QString exerciseTitle()
{
    return QStringLiteral("Übungsaufgaben");
}

SolarVerdict checkSolarAnswer(const SolarTask &task, const SolarAnswer &answer,
                              const QDateTime &exactUtc)
{
    SolarVerdict verdict;
    for (int i = 0; i < 6; ++i) {
        const QString &text = i < 3 ? answer.time.at(static_cast<std::size_t>(i))
                                    : answer.date.at(static_cast<std::size_t>(i - 3));
        if (text.trimmed().isEmpty()) {
            verdict.firstEmpty = i;
            verdict.message = QStringLiteral("Bitte geben Sie Uhrzeit (Stunden, Minuten, "
                                             "Sekunden) und Datum (Tag, Monat, Jahr) des Solars "
                                             "vollständig ein.");
            return verdict;
        }
    }

    const int h = number(answer.time[0]);
    const int m = number(answer.time[1]);
    const int s = number(answer.time[2]);
    const QDate date(number(answer.date[2]), number(answer.date[1]), number(answer.date[0]));
    const SexagesimalTriple &right = task.hand.clock;
    verdict.timeRight = h == right.units && m == right.minutes && s == right.seconds;
    verdict.dateRight = date.isValid() && date == task.hand.date;

    if (verdict.timeRight && verdict.dateRight) {
        verdict.outcome = SolarVerdict::Outcome::Right;
        const ExactComparison exact = compareWithExact(task, exactUtc);
        verdict.message =
            QStringLiteral("Richtig!\n\nZum Vergleich der genaue Zeitpunkt des Solars: ") +
            exactText(task, exact) + QStringLiteral(". Die Handrechnung weicht davon um ") +
            Notation::timeDeviation(exact.handMinusExact) + QStringLiteral(" ab.");
        return verdict;
    }

    verdict.outcome = SolarVerdict::Outcome::Wrong;
    const qint64 answered = qint64{h} * 3600 + qint64{m} * 60 + s;
    // The time's hint comes first, and is the one the record keeps.
    if (!verdict.timeRight && !verdict.dateRight) {
        const Hinted time = timeHint(task, answered, exactUtc);
        verdict.message = QStringLiteral("Uhrzeit und Datum sind falsch.\n\n") + time.text +
                          QStringLiteral("\n\n") + dateHint(task, date).text;
        verdict.hint = time.code;
    } else if (!verdict.timeRight) {
        const Hinted time = timeHint(task, answered, exactUtc);
        verdict.message =
            QStringLiteral("Das Datum stimmt, aber die Uhrzeit ist falsch.\n\n") + time.text;
        verdict.hint = time.code;
    } else {
        const Hinted day = dateHint(task, date);
        verdict.message =
            QStringLiteral("Die Uhrzeit stimmt, aber das Datum ist falsch.\n\n") + day.text;
        verdict.hint = day.code;
    }
    return verdict;
}

SolarVerdict checkSolarCalculation(const SolarTask &task, const Solar::Worked &worked,
                                   const std::optional<Astro::ExactSolarReturn> &exact)
{
    SolarVerdict verdict;
    Solar::Worked judged = worked;
    judged.task = givenTask(task);
    const Solar::Problem problem = Solar::problemOf(*judged.task);
    const std::optional<Astro::ExactSolarReturn> known = exact ? exact : Solar::exactSolar(problem);
    const Solar::Comparison c = Solar::compare(judged, problem, *known);
    const bool right = c.cause == Solar::Cause::Right;
    verdict.outcome = right ? SolarVerdict::Outcome::Right : SolarVerdict::Outcome::Wrong;
    verdict.timeRight = verdict.dateRight = right;
    verdict.cause = c.cause;
    verdict.message = c.finding;
    return verdict;
}

} // namespace Exercise
