#include "exercise/siderealanswer.h"

#include "exercise/rectificationanswer.h"
#include "exercise/siderealtexts.h"

#include "core/notation.h"
#include "core/rules.h"

#include <QList>

using namespace Core;

namespace Exercise {

namespace {

struct Slip {
    qint32 seconds;
    QString hint;
    AnswerHint code;
};

QString zoneHint()
{
    return QStringLiteral("die Zeitzone vergessen oder mit dem falschen Vorzeichen genommen. Die "
                          "Weltzeit ist die Geburtszeit minus die Zeitzone: bei Zeitzone +2 "
                          "zwei Stunden weniger, bei Zeitzone -5 fünf Stunden mehr (Schritt 1).");
}

QString shareHint()
{
    return QStringLiteral("der Zuschlag vergessen. Zur Sternzeit um 0h Weltzeit kommen je Stunde "
                          "Weltzeit 9,8565 s hinzu, auf die ganze Sekunde gerundet (Schritt 3).");
}

QString longitudeHint()
{
    return QStringLiteral("die Länge vergessen oder mit dem falschen Vorzeichen genommen. Je Grad "
                          "Länge 4 Minuten Zeit, je Bogenminute 4 Sekunden; östliche Länge wird "
                          "addiert, westliche abgezogen (Schritt 4).");
}

QString dayHint()
{
    return QStringLiteral("der Wert eines Nachbartags von der Seite der Ephemeride. Es gilt die "
                          "Sternzeit um 0h Weltzeit des Tags, auf den die Weltzeit fällt "
                          "(Schritt 1); wo sie über Mitternacht rückt, ist das nicht der "
                          "Geburtstag.");
}

QString withinDayHint()
{
    return QStringLiteral("24 Stunden nicht abgezogen oder nicht addiert. Die Sternzeit der "
                          "Geburt liegt zwischen 0h und 24h: eine Summe ab 24h verliert 24 "
                          "Stunden, eine negative gewinnt sie (Schritt 5).");
}

qint32 withinDay(qint64 seconds)
{
    return static_cast<qint32>(modulo(seconds, SecondsPerDay));
}

// The answers of the usual slips, each with its hint. The zone and the
// longitude are slipped in the birth and worked through the steps again, so
// that a zone slip also takes the page's value of the day it leads to.
QList<Slip> likelySlips(const SiderealTask &task)
{
    QList<Slip> slips;
    const SiderealBirth birth = task.birth();
    const auto add = [&slips](SiderealBirth slipped, const QString &hint, AnswerHint code) {
        if (const std::optional<SiderealHandSolution> hand = siderealHandSolution(slipped))
            slips.append({hand->siderealTime, hint, code});
    };
    for (const int zone : {0, -birth.zone}) {
        SiderealBirth slipped = birth;
        slipped.zone = zone;
        add(slipped, zoneHint(), AnswerHint::SiderealZone);
    }
    for (const int longitude : {0, -birth.eastLongitudeMinutes}) {
        SiderealBirth slipped = birth;
        slipped.eastLongitudeMinutes = longitude;
        add(slipped, longitudeHint(), AnswerHint::SiderealLongitude);
    }
    const SiderealHandSolution &hand = task.hand;
    if (hand.results.share)
        slips.append(
            {withinDay(qint64{hand.siderealTime} - pickersToSeconds(hand.results.share->time)),
             shareHint(), AnswerHint::SiderealShare});
    for (const SiderealDay &day : task.page) {
        if (day.date != hand.ephemerisDay)
            slips.append({withinDay(qint64{hand.siderealTime} + day.siderealTime - hand.ephemeris),
                          dayHint(), AnswerHint::SiderealDay});
    }
    slips.append(
        {hand.siderealTime + SecondsPerDay, withinDayHint(), AnswerHint::SiderealWithinDay});
    slips.append(
        {hand.siderealTime - SecondsPerDay, withinDayHint(), AnswerHint::SiderealWithinDay});
    return slips;
}

struct Hinted {
    QString text;
    AnswerHint code;
};

Hinted hint(const SiderealTask &task, qint32 answered)
{
    // A slip is named only where the answer is exactly what it gives, and
    // then only as a possibility: the answer alone does not show the step.
    for (const Slip &slip : likelySlips(task)) {
        if (slip.seconds != task.hand.siderealTime && slip.seconds == answered)
            return {QStringLiteral("Vielleicht: ") + slip.hint, slip.code};
    }
    return {QStringLiteral("Rechnen Sie Schritt für Schritt nach: die Weltzeit und ihr Tag, die "
                           "Sternzeit um 0h Weltzeit dieses Tags von der Seite der Ephemeride, "
                           "der Zuschlag von 9,8565 s je Stunde Weltzeit, die Länge in Zeit und "
                           "die Summe, in den Tag gebracht."),
            AnswerHint::SiderealUnexplained};
}

} // namespace

SiderealVerdict checkSiderealAnswer(const SiderealTask &task, const FieldTexts &time)
{
    SiderealVerdict verdict;
    // Read as the correction of a rectification is: whole numbers, a minus
    // for a sum that was taken below 0h.
    const TypedCorrection typed = readCorrection(time);
    if (!typed.seconds) {
        verdict.firstEmpty = typed.firstBad;
        verdict.message = QStringLiteral("Bitte geben Sie die Sternzeit der Geburt vollständig "
                                         "ein: Stunden, Minuten und Sekunden als ganze Zahlen.");
        return verdict;
    }
    const qint32 answered = *typed.seconds;
    const qint32 right = task.hand.siderealTime;
    if (answered == right) {
        verdict.outcome = SiderealVerdict::Outcome::Right;
        verdict.message = QStringLiteral("Richtig! ") + Notation::clock(right) +
                          QStringLiteral("\n\nZum Vergleich die genaue Sternzeit der Geburt: ") +
                          exactSiderealText(task);
        return verdict;
    }
    verdict.outcome = SiderealVerdict::Outcome::Wrong;
    const Hinted hinted = hint(task, answered);
    verdict.message =
        QStringLiteral("Die Sternzeit der Geburt ist nicht richtig.\n\n") + hinted.text;
    verdict.hint = hinted.code;
    return verdict;
}

SiderealVerdict checkSiderealCalculation(const Sidereal::Worked &worked)
{
    return SiderealVerdict::ofCheck(Sidereal::checkSidereal(worked));
}

} // namespace Exercise
