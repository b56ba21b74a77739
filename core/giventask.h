#ifndef CORE_GIVENTASK_H
#define CORE_GIVENTASK_H

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <QtGlobal>

#include <optional>

namespace Core {

// The two axes of a horoscope that the rectification directs: the midheaven
// (MC) and the ascendant (AC).
enum class Axis { MC, AC };
// "MC", "AC".
QString axisName(Axis axis);

enum class TaskKind { Solar, Rectification, Sidereal };
// The kind as the store and the record keep it: "Solar", "GZK", "Sternzeit";
// nothing for another text.
QString kindText(TaskKind kind);
std::optional<TaskKind> kindNamed(const QString &text);

// What a task of the exercises gives, and nothing of what the student works
// out: the person, the birth, the place and the question. It travels with a
// calculation from "In den Rechner übernehmen" on, is kept with the
// calculator's entries, and is what the check, the calculation sheet and the
// exercise page judge the calculation against.
struct GivenTask {
    TaskKind kind = TaskKind::Solar;
    int number = 0;
    QString person; // first name and surname
    QDate birthDate;
    // The birth time as the certificate gives it, a clock time of the zone; a
    // Solar task gives none.
    std::optional<QTime> birthTime;
    QString place;
    int latitudeMinutes = 0;  // north, minutes of arc
    int longitudeMinutes = 0; // east, minutes of arc
    int zone = 1;             // hours ahead of Greenwich

    // A Solar: the year and the radix Sun, '' from 0° Aries. The Solar is
    // given in the standard time of where the person lives in the Solar year:
    // `zone` is that residence's, and its name is empty for one in Germany
    // (+1); the birth's place stays the German town.
    int solarYear = 0;
    qint32 radixSun = 0;
    QString residence;

    // A rectification: the sidereal time of birth as printed (seconds), the
    // event, the axis, and the radix planet with its aspect ('' from 0° Aries:
    // the planet, and the point that the aspect makes of it).
    qint32 birthSiderealTime = 0;
    // The task gives the birth time, zone and place instead of the sidereal
    // time of birth, and a page of sidereal times at 0h UT: the student works
    // it out first ("Sternzeit selbst berechnen"). `birthSiderealTime` is
    // then what that hand calculation gives, and the exact answer starts from
    // the birth moment itself.
    bool siderealWorked = false;
    QString event;
    QDate eventDate;
    Axis axis = Axis::MC;
    QString planet;
    QString aspect;
    qint32 planetPosition = 0;
    qint32 aspectPoint = 0;

    // The same task: the same kind and number.
    bool sameTask(const GivenTask &other) const
    {
        return kind == other.kind && number == other.number;
    }
    // The birth as a moment in UTC; nothing without a birth time.
    std::optional<QDateTime> birthUtc() const;
    // One line for the calculator's head: "Aufgabe 4711 · Solar 2031 ·
    // Zeitzone +1", "Aufgabe 4712 · Solar 2011 · Zeitzone -6 (Chicago)" (the
    // zone before the residence: a line too long for its place loses the
    // name, not the zone), "Aufgabe 4242 · MC · 51°31' N · Ereignis
    // 12.05.2031".
    QString summary() const;

    // As kept in the store, and read back; nothing for a text that is no task.
    QString toText() const;
    static std::optional<GivenTask> fromText(const QString &text);

    friend bool operator==(const GivenTask &, const GivenTask &) = default;
};

} // namespace Core

#endif
