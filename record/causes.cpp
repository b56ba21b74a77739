#include "record/causes.h"

#include "core/notation.h"

#include <utility>

namespace Record {

namespace {

// Codes are kept in the record: never change one, only add new ones.
const QList<CauseName> Names = {
    // Solar
    {QStringLiteral("solar.far-from-birthday"), QStringLiteral("Radix-Sonne fern vom Geburtstag")},
    {QStringLiteral("solar.dates-swapped"), QStringLiteral("1. und 2. Datum vertauscht")},
    {QStringLiteral("solar.not-worked"), QStringLiteral("Noch nicht gerechnet")},
    {QStringLiteral("solar.not-computed"), QStringLiteral("Schritt nicht gerechnet")},
    {QStringLiteral("solar.stale"), QStringLiteral("Schritt nicht neu gerechnet")},
    {QStringLiteral("solar.minus-24h"), QStringLiteral("−24 h vergessen")},
    {QStringLiteral("solar.step-slip"), QStringLiteral("Rechenfehler in einem Schritt")},
    {QStringLiteral("solar.date-missing"), QStringLiteral("Datum fehlt")},
    {QStringLiteral("solar.date"), QStringLiteral("Datum falsch")},
    {QStringLiteral("solar.misread"), QStringLiteral("Ephemeridenwert falsch gelesen")},
    {QStringLiteral("solar.day-pair"), QStringLiteral("Falsches Tagespaar")},
    {QStringLiteral("solar.given-value"), QStringLiteral("Angabe der Aufgabe falsch übernommen")},
    {QStringLiteral("solar.zone"), QStringLiteral("Zeitzone vergessen")},
    {QStringLiteral("solar.swapped-ab"), QStringLiteral("A und B vertauscht")},
    {QStringLiteral("solar.distance"), QStringLiteral("B vom 2. Datum gemessen")},
    {QStringLiteral("solar.exact"), QStringLiteral("Genauer Zeitpunkt statt Handrechnung")},
    {QStringLiteral("solar.near"), QStringLiteral("Knapp daneben (Ablesen oder Runden)")},
    {QStringLiteral("solar.unexplained"), QStringLiteral("Uhrzeit falsch, Ursache unklar")},
    {QStringLiteral("solar.no-such-date"), QStringLiteral("Datum gibt es nicht")},
    {QStringLiteral("solar.date-not-moved"),
     QStringLiteral("Datum nach −24 h nicht weitergerückt")},
    {QStringLiteral("solar.date-moved"), QStringLiteral("Datum ohne −24 h weitergerückt")},
    {QStringLiteral("solar.year"), QStringLiteral("Jahr falsch")},
    {QStringLiteral("solar.german-zone"), QStringLiteral("+1 statt der Zeitzone des Wohnorts")},
    {QStringLiteral("solar.zone-sign"), QStringLiteral("Vorzeichen der Zeitzone vertauscht")},
    {QStringLiteral("solar.across-sign"),
     QStringLiteral("Über die Zeichengrenze falsch gerechnet")},
    {QStringLiteral("solar.date-wrong-way"),
     QStringLiteral("Datum nach ±24 h in die falsche Richtung gerückt")},
    // An examination task handed in with its answer incomplete
    {QStringLiteral("pruefung.incomplete"), QStringLiteral("Antwort unvollständig abgegeben")},
    // Rectification
    {QStringLiteral("gzk.age"), QStringLiteral("Alter falsch gezählt")},
    {QStringLiteral("gzk.not-computed"), QStringLiteral("Schritt nicht gerechnet")},
    {QStringLiteral("gzk.stale"), QStringLiteral("Schritt nicht neu gerechnet")},
    {QStringLiteral("gzk.link"), QStringLiteral("Wert falsch übertragen")},
    {QStringLiteral("gzk.given-value"), QStringLiteral("Angabe der Aufgabe falsch übernommen")},
    {QStringLiteral("gzk.minus-24h"), QStringLiteral("−24 h in Schritt 4 falsch")},
    {QStringLiteral("gzk.rows"), QStringLiteral("Falsche Zeilen der Häusertabelle")},
    {QStringLiteral("gzk.ramc"), QStringLiteral("RAMC nicht die der kleineren Zeile")},
    {QStringLiteral("gzk.table-value"), QStringLiteral("Tabellenwert falsch gelesen")},
    {QStringLiteral("gzk.other-axis"), QStringLiteral("Werte der anderen Achse")},
    {QStringLiteral("gzk.smaller-copy"), QStringLiteral("Kleineren Wert nicht wiederholt")},
    {QStringLiteral("gzk.corrected-value"),
     QStringLiteral("Korrigierter Wert nicht der Aspektpunkt")},
    {QStringLiteral("gzk.30"), QStringLiteral("±30° falsch")},
    {QStringLiteral("gzk.360"), QStringLiteral("±360° falsch")},
    {QStringLiteral("gzk.day-off"), QStringLiteral("Um einen Tag daneben")},
    {QStringLiteral("gzk.deviation"), QStringLiteral("Abweichung zu groß")},
    {QStringLiteral("gzk.other-table"), QStringLiteral("Andere Achse oder Breite als die Aufgabe")},
    {QStringLiteral("gzk.overflow"), QStringLiteral("Überlauf")},
    {QStringLiteral("gzk.sign"), QStringLiteral("Vorzeichen falsch")},
    {QStringLiteral("gzk.near"), QStringLiteral("Knapp daneben (Ablesen oder Runden)")},
    {QStringLiteral("gzk.unexplained"), QStringLiteral("Zeitdifferenz falsch, Ursache unklar")},
    // Sidereal time of birth
    {QStringLiteral("sternzeit.given-value"),
     QStringLiteral("Geburtsdaten anders als in der Aufgabe")},
    {QStringLiteral("sternzeit.not-computed"), QStringLiteral("Schritt nicht gerechnet")},
    {QStringLiteral("sternzeit.stale"), QStringLiteral("Schritt nicht neu gerechnet")},
    {QStringLiteral("sternzeit.zone"), QStringLiteral("Zeitzone vergessen oder Vorzeichen falsch")},
    {QStringLiteral("sternzeit.share"), QStringLiteral("Anteil von 9,8565 s je Stunde falsch")},
    {QStringLiteral("sternzeit.longitude"), QStringLiteral("Länge in Zeit falsch")},
    {QStringLiteral("sternzeit.link"), QStringLiteral("Wert falsch übertragen")},
    {QStringLiteral("sternzeit.reduction"), QStringLiteral("Nicht in den Tag gebracht")},
    {QStringLiteral("sternzeit.wrong-day"), QStringLiteral("Sternzeit eines anderen Tages")},
    {QStringLiteral("sternzeit.misread"), QStringLiteral("Ephemeridenwert falsch gelesen")},
    {QStringLiteral("sternzeit.deviation"), QStringLiteral("Abweichung zu groß")},
    {QStringLiteral("sternzeit.overflow"), QStringLiteral("Überlauf")},
    {QStringLiteral("sternzeit.unexplained"), QStringLiteral("Sternzeit falsch, Ursache unklar")},
};

} // namespace

const QList<CauseName> &causeNames()
{
    return Names;
}

QString causeName(const QString &code)
{
    for (const CauseName &n : Names) {
        if (n.code == code)
            return n.name;
    }
    return code;
}

QString causeCode(Solar::Cause cause)
{
    using C = Solar::Cause;
    switch (cause) {
    case C::Right:
        return {};
    case C::FarFromBirthday:
        return QStringLiteral("solar.far-from-birthday");
    case C::Swapped:
        return QStringLiteral("solar.dates-swapped");
    case C::NotYetWorked:
        return QStringLiteral("solar.not-worked");
    case C::NotComputed:
        return QStringLiteral("solar.not-computed");
    case C::Stale:
        return QStringLiteral("solar.stale");
    case C::NoClockTime:
        return QStringLiteral("solar.minus-24h");
    case C::StepSlip:
        return QStringLiteral("solar.step-slip");
    case C::MissingDate:
        return QStringLiteral("solar.date-missing");
    case C::WrongDate:
        return QStringLiteral("solar.date");
    case C::Misread:
        return QStringLiteral("solar.misread");
    case C::WrongPair:
        return QStringLiteral("solar.day-pair");
    case C::GivenValue:
        return QStringLiteral("solar.given-value");
    case C::Zone:
        return QStringLiteral("solar.zone");
    }
    return {};
}

QString causeCode(Rectification::Cause cause)
{
    using C = Rectification::Cause;
    switch (cause) {
    case C::Right:
        return {};
    case C::Age:
        return QStringLiteral("gzk.age");
    case C::NotComputed:
        return QStringLiteral("gzk.not-computed");
    case C::Stale:
        return QStringLiteral("gzk.stale");
    case C::BrokenLink:
        return QStringLiteral("gzk.link");
    case C::GivenValue:
        return QStringLiteral("gzk.given-value");
    case C::DayReduction:
        return QStringLiteral("gzk.minus-24h");
    case C::Rows:
        return QStringLiteral("gzk.rows");
    case C::Ramc:
        return QStringLiteral("gzk.ramc");
    case C::TableValue:
        return QStringLiteral("gzk.table-value");
    case C::OtherAxis:
        return QStringLiteral("gzk.other-axis");
    case C::SmallerCopy:
        return QStringLiteral("gzk.smaller-copy");
    case C::CorrectedValue:
        return QStringLiteral("gzk.corrected-value");
    case C::SignCorrection:
        return QStringLiteral("gzk.30");
    case C::CircleCorrection:
        return QStringLiteral("gzk.360");
    case C::DayOff:
        return QStringLiteral("gzk.day-off");
    case C::Deviation:
        return QStringLiteral("gzk.deviation");
    case C::OtherTable:
        return QStringLiteral("gzk.other-table");
    case C::Overflow:
        return QStringLiteral("gzk.overflow");
    }
    return {};
}

QString causeCode(Sidereal::Cause cause)
{
    using C = Sidereal::Cause;
    switch (cause) {
    case C::Right:
        return {};
    case C::GivenValue:
        return QStringLiteral("sternzeit.given-value");
    case C::NotComputed:
        return QStringLiteral("sternzeit.not-computed");
    case C::Stale:
        return QStringLiteral("sternzeit.stale");
    case C::Zone:
        return QStringLiteral("sternzeit.zone");
    case C::Share:
        return QStringLiteral("sternzeit.share");
    case C::Longitude:
        return QStringLiteral("sternzeit.longitude");
    case C::BrokenLink:
        return QStringLiteral("sternzeit.link");
    case C::Reduction:
        return QStringLiteral("sternzeit.reduction");
    case C::WrongDay:
        return QStringLiteral("sternzeit.wrong-day");
    case C::Misread:
        return QStringLiteral("sternzeit.misread");
    case C::Deviation:
        return QStringLiteral("sternzeit.deviation");
    case C::Overflow:
        return QStringLiteral("sternzeit.overflow");
    }
    return {};
}

namespace {

using H = Exercise::AnswerHint;

// The hints an answer alone gets, each with its code; a near miss and an
// unexplained answer are named by the kind of the task (below).
constexpr std::pair<H, const char16_t *> HintCodes[] = {
    {H::ZoneForgotten, u"solar.zone"},
    {H::GermanZoneAbroad, u"solar.german-zone"},
    {H::ZoneSignTurned, u"solar.zone-sign"},
    {H::AcrossSign, u"solar.across-sign"},
    {H::DateMovedWrongWay, u"solar.date-wrong-way"},
    {H::DayNotTaken, u"solar.minus-24h"},
    {H::SwappedAB, u"solar.swapped-ab"},
    {H::DistanceFromDate2, u"solar.distance"},
    {H::WrongPair, u"solar.day-pair"},
    {H::ExactMoment, u"solar.exact"},
    {H::NoSuchDate, u"solar.no-such-date"},
    {H::DateNotMoved, u"solar.date-not-moved"},
    {H::DateMoved, u"solar.date-moved"},
    {H::WrongYear, u"solar.year"},
    {H::WrongDate, u"solar.date"},
    {H::WrongSign, u"gzk.sign"},
    {H::Rows, u"gzk.rows"},
    {H::TableValue, u"gzk.table-value"},
    {H::SignCorrection, u"gzk.30"},
    {H::CircleCorrection, u"gzk.360"},
    {H::Age, u"gzk.age"},
    {H::SiderealZone, u"sternzeit.zone"},
    {H::SiderealLongitude, u"sternzeit.longitude"},
    {H::SiderealShare, u"sternzeit.share"},
    {H::SiderealDay, u"sternzeit.wrong-day"},
    {H::SiderealWithinDay, u"sternzeit.reduction"},
    {H::SiderealUnexplained, u"sternzeit.unexplained"},
};

} // namespace

QString causeCode(Core::TaskKind kind, Exercise::AnswerHint hint)
{
    const bool solar = kind == Core::TaskKind::Solar;
    if (hint == H::NearlyRight)
        return solar ? QStringLiteral("solar.near") : QStringLiteral("gzk.near");
    if (hint == H::Unexplained)
        return solar ? QStringLiteral("solar.unexplained") : QStringLiteral("gzk.unexplained");
    for (const auto &[known, code] : HintCodes) {
        if (known == hint)
            return QString::fromUtf16(code);
    }
    return {};
}

QString answerOf(const Solar::Worked &worked)
{
    const QString none = QStringLiteral("–");
    const auto &final = worked.results.final;
    const QString time = final ? Core::Notation::clock(*final) : none;
    const auto &date = worked.header.solarDateRead;
    return time + u' ' + (date ? Core::Notation::date(*date) : none);
}

QString answerOf(const Rectification::Worked &worked)
{
    const auto &correction = worked.results.correction;
    return correction ? Core::Notation::clock(Core::Sexagesimal::of(*correction))
                      : QStringLiteral("–");
}

QString answerOf(const Sidereal::Worked &worked)
{
    const auto &sidereal = worked.results.siderealTime;
    return sidereal ? Core::Notation::clock(Core::Sexagesimal::of(*sidereal)) : QStringLiteral("–");
}

QString typedAnswer(const Core::FieldTexts &time, const Core::FieldTexts &date)
{
    QString text = time[0] + QStringLiteral(" | ") + time[1] + QStringLiteral(" | ") + time[2];
    if (!date[0].isEmpty() || !date[1].isEmpty() || !date[2].isEmpty())
        text += QStringLiteral(" · ") + date[0] + u'.' + date[1] + u'.' + date[2];
    return text;
}

} // namespace Record
