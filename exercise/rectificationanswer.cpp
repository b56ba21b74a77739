#include "exercise/rectificationanswer.h"

#include "exercise/rectificationtexts.h"

#include "core/notation.h"
#include "core/rules.h"

#include <QList>
#include <QRegularExpression>

#include <cstdlib>
#include <optional>

using namespace Core;

namespace Exercise {

namespace {

// An answer this close to the right one is a matter of reading or rounding.
constexpr qint32 NearlyRight = 60;

struct Slip {
    qint32 seconds;
    QString hint;
    AnswerHint code;
};

struct Hinted {
    QString text;
    AnswerHint code;
};

QString rowsHint()
{
    return QStringLiteral("Prüfen Sie die Zeilen der Häusertabelle (Schritt 5): die Sternzeit "
                          "des Ereignisses muss zwischen der kleineren und der größeren "
                          "Sternzeit liegen, und die RAMC in Schritt 6 ist die der kleineren.");
}

QString valueHint()
{
    return QStringLiteral("Prüfen Sie die Tabellenwerte in Schritt 5: der kleinere Wert steht in "
                          "der Zeile der kleineren Sternzeit, der größere in der Zeile darunter, "
                          "beide in der Spalte der Achse, nach der die Aufgabe fragt.");
}

QString signHint(bool first)
{
    return (first ? QStringLiteral("Die Differenz größerer − kleinerer Wert stimmt nicht: ")
                  : QStringLiteral("Die Differenz korrigierter − kleinerer Wert stimmt nicht: ")) +
           QStringLiteral("prüfen Sie die Korrektur um 30° in Schritt 5. Sie gleicht nur einen "
                          "Zeichenwechsel zwischen den beiden Werten aus, so dass die Differenz "
                          "der kurze Weg vom kleineren Wert vorwärts ist.");
}

QString circleHint(const RectificationTask &task)
{
    QString hint = QStringLiteral("Ihr Ergebnis liegt um 24 Stunden daneben: prüfen Sie die "
                                  "Korrektur um 360° in Schritt 6. 360° werden nur addiert, wenn "
                                  "die RAMC sonst negativ würde.");
    if (task.hand.dayHours != 0)
        hint += QStringLiteral(" In dieser Aufgabe wird in Schritt 4 ein Tag abgezogen (-24h); "
                               "Schritt 6 gleicht ihn wieder aus.");
    return hint;
}

QString ageHint()
{
    return QStringLiteral("Prüfen Sie das Alter in Schritt 1: volle Jahre und die Tage seit dem "
                          "letzten Geburtstag; wer am 29. Februar geboren ist, hat im Gemeinjahr "
                          "am 1. März Geburtstag.");
}

// The answers of the usual slips, each with its hint, by the calculator's
// steps run with the slip in place of the right entry.
QList<Slip> likelySlips(const RectificationTask &task)
{
    QList<Slip> slips;
    const auto add = [&slips, &task](const RectificationInputs &entries, const QString &hint,
                                     AnswerHint code) {
        if (const std::optional<RectificationHandSolution> hand =
                runRectificationSteps(task, entries))
            slips.append({correctionSeconds(*hand), hint, code});
    };
    const int row = task.hand.smallerRow;
    const Astro::Axis other = task.axis == Astro::Axis::MC ? Astro::Axis::AC : Astro::Axis::MC;
    const auto value = [&task](int index, Astro::Axis axis) -> std::optional<qint32> {
        if (index < 0 || index >= task.page.size())
            return std::nullopt;
        return task.page.at(index).value(axis);
    };

    for (const int wrongRow : {row - 1, row + 1})
        add({.smallerRow = wrongRow}, rowsHint(), AnswerHint::Rows);
    add({.smallerValue = value(row - 1, task.axis)}, valueHint(), AnswerHint::TableValue);
    add({.smallerValue = value(row + 1, task.axis)}, valueHint(), AnswerHint::TableValue);
    add({.greaterValue = value(row, task.axis)}, valueHint(), AnswerHint::TableValue);
    add({.greaterValue = value(row + 2, task.axis)}, valueHint(), AnswerHint::TableValue);
    add({.smallerValue = value(row + 1, task.axis), .greaterValue = value(row, task.axis)},
        valueHint(), AnswerHint::TableValue);
    add({.smallerValue = value(row, other), .greaterValue = value(row + 1, other)}, valueHint(),
        AnswerHint::TableValue);

    for (const double c : {-30.0, 0.0, 30.0}) {
        if (c != task.hand.firstSignCorrection)
            add({.firstSignCorrection = c}, signHint(true), AnswerHint::SignCorrection);
        if (c != task.hand.secondSignCorrection)
            add({.secondSignCorrection = c}, signHint(false), AnswerHint::SignCorrection);
    }

    // A wrong choice of ±360° is refused by the calculator; by hand it shifts
    // the result by a whole day of sidereal time.
    const qint32 right = correctionSeconds(task.hand);
    slips.append({right + SecondsPerDay, circleHint(task), AnswerHint::CircleCorrection});
    slips.append({right - SecondsPerDay, circleHint(task), AnswerHint::CircleCorrection});

    // A day more or less of age moves the result by less than a second, which
    // no one can tell from rounding; these are the miscounts that show.
    const Rectification::Age age = task.hand.age;
    add({.age = Rectification::Age{age.years, 0}}, ageHint(), AnswerHint::Age);
    if (age.days > 0)
        add({.age = Rectification::Age{age.years, 365 - age.days}}, ageHint(), AnswerHint::Age);
    for (const double years : {age.years - 1, age.years + 1})
        add({.age = Rectification::Age{years, age.days}}, ageHint(), AnswerHint::Age);
    return slips;
}

Hinted hint(const RectificationTask &task, qint32 answered)
{
    const qint32 right = correctionSeconds(task.hand);
    if (right != 0 && answered == -right)
        return {QStringLiteral("Das Vorzeichen ist falsch: Ihre Zeitdifferenz hat den richtigen "
                               "Betrag, aber das andere Vorzeichen. Schritt 8 rechnet die "
                               "korrigierte RAMC in Zeit minus die Sternzeit der Geburt; ist die "
                               "Sternzeit der Geburt größer, wird die Differenz negativ."),
                AnswerHint::WrongSign};
    // A slip is named only where the answer is exactly what it gives, and
    // then only as a possibility: the answer alone does not show the step.
    for (const Slip &slip : likelySlips(task)) {
        if (slip.seconds != right && slip.seconds == answered)
            return {QStringLiteral("Vielleicht: ") + slip.hint, slip.code};
    }
    if (std::abs(answered - right) <= NearlyRight)
        return {QStringLiteral("Sie sind nahe daran: lesen Sie die Tabellenwerte und die Position "
                               "des Planeten genau ab, runden Sie den Quotienten und die Zeiten "
                               "auf vier Dezimalstellen und rechnen Sie mit der Sternzeit der "
                               "Geburt, wie sie in der Aufgabe steht."),
                AnswerHint::NearlyRight};
    return {QStringLiteral("Rechnen Sie Schritt für Schritt nach: Alter, Direktionsbogen, "
                           "Sternzeit des Ereignisses, die beiden Zeilen der Häusertabelle, der "
                           "Quotient, die korrigierte RAMC und ihre Zeit minus die Sternzeit der "
                           "Geburt."),
            AnswerHint::Unexplained};
}

// Which of the three parts differ from the calculator's answer.
QString wrongParts(const SexagesimalTriple &answered, const SexagesimalTriple &right)
{
    QStringList wrong;
    if (answered.units != right.units)
        wrong.append(QStringLiteral("Stunden"));
    if (answered.minutes != right.minutes)
        wrong.append(QStringLiteral("Minuten"));
    if (answered.seconds != right.seconds)
        wrong.append(QStringLiteral("Sekunden"));
    if (wrong.size() == 3)
        return QStringLiteral("Stunden, Minuten und Sekunden sind falsch.");
    return wrong.join(QStringLiteral(" und ")) +
           (wrong.size() == 1 ? QStringLiteral(" sind falsch, der Rest stimmt.")
                              : QStringLiteral(" sind falsch."));
}

} // namespace

TypedCorrection readCorrection(const FieldTexts &fields)
{
    static const QRegularExpression whole(QStringLiteral("^[+-]?[0-9]+$"));
    std::array<qint32, 3> parts{};
    bool ownSigns = false;
    for (int i = 0; i < 3; ++i) {
        const QString text = fields.at(static_cast<std::size_t>(i)).trimmed();
        bool ok = whole.match(text).hasMatch();
        const qint64 value = ok ? text.toLongLong(&ok) : 0;
        // A correction of a few minutes; more than a day in one part is no answer.
        if (!ok || std::llabs(value) > SecondsPerDay)
            return {std::nullopt, i};
        parts.at(static_cast<std::size_t>(i)) = static_cast<qint32>(value);
        if (i > 0 && (text.startsWith(u'-') || text.startsWith(u'+')))
            ownSigns = true;
    }
    const bool wholeNegative = fields[0].trimmed().startsWith(u'-');
    if (wholeNegative && !ownSigns)
        return {-(std::abs(parts[0]) * 3600 + parts[1] * 60 + parts[2]), -1};
    return {parts[0] * 3600 + parts[1] * 60 + parts[2], -1};
}

RectificationVerdict checkRectificationAnswer(const RectificationTask &task,
                                              const FieldTexts &correction)
{
    RectificationVerdict verdict;
    const TypedCorrection typed = readCorrection(correction);
    if (!typed.seconds) {
        verdict.firstEmpty = typed.firstBad;
        verdict.message = QStringLiteral("Bitte geben Sie die gesuchte Zeitdifferenz "
                                         "vollständig ein: Stunden, Minuten und Sekunden als "
                                         "ganze Zahlen, negative mit Minuszeichen.");
        return verdict;
    }
    const qint32 answered = *typed.seconds;
    const qint32 right = correctionSeconds(task.hand);
    if (answered == right) {
        const Rectification::Exact exact = exactCorrection(task);
        verdict.outcome = RectificationVerdict::Outcome::Right;
        verdict.message = QStringLiteral("Richtig! ") + correctionText(task.hand.correction) +
                          QStringLiteral("\n\nZum Vergleich die genaue Korrektur: ") +
                          exactCorrectionText(exact) +
                          QStringLiteral(". Die Handrechnung weicht davon um ") +
                          Notation::preciseDeviation(right - exact.siderealSeconds) +
                          QStringLiteral(" Sternzeit ab.");
        return verdict;
    }
    verdict.outcome = RectificationVerdict::Outcome::Wrong;
    const Hinted hinted = hint(task, answered);
    verdict.message = wrongParts(secondsToTriple(answered), task.hand.correction) +
                      QStringLiteral("\n\n") + hinted.text;
    verdict.hint = hinted.code;
    return verdict;
}

RectificationVerdict checkRectificationCalculation(const RectificationTask &task,
                                                   const Rectification::Worked &worked)
{
    return RectificationVerdict::ofCheck(
        Rectification::checkRectification(worked, Rectification::tableOf(givenTask(task))));
}

} // namespace Exercise
