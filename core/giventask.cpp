#include "core/giventask.h"

#include "core/notation.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTimeZone>

namespace Core {

namespace {

// The names under which a task is kept: changing one loses the task that a
// calculator kept before.
const QString Kind = QStringLiteral("art");
const QString Number = QStringLiteral("nummer");
const QString Person = QStringLiteral("person");
const QString BirthDate = QStringLiteral("geburtsdatum");
const QString BirthTime = QStringLiteral("geburtszeit");
const QString Place = QStringLiteral("ort");
const QString Latitude = QStringLiteral("breite");
const QString Longitude = QStringLiteral("laenge");
const QString Zone = QStringLiteral("zeitzone");
const QString SolarYear = QStringLiteral("solarjahr");
const QString RadixSun = QStringLiteral("radixsonne");
const QString Residence = QStringLiteral("wohnort");
const QString BirthSiderealTime = QStringLiteral("sternzeit");
const QString SiderealWorked = QStringLiteral("sternzeitselbst");
const QString Event = QStringLiteral("ereignis");
const QString EventDate = QStringLiteral("ereignistag");
const QString AxisKey = QStringLiteral("achse");
const QString Planet = QStringLiteral("planet");
const QString Aspect = QStringLiteral("aspekt");
const QString PlanetPosition = QStringLiteral("planetposition");
const QString AspectPoint = QStringLiteral("aspektpunkt");

const QString SolarKind = QStringLiteral("Solar");
const QString RectificationKind = QStringLiteral("GZK");
const QString SiderealKind = QStringLiteral("Sternzeit");

QString isoDate(QDate date)
{
    return date.toString(Qt::ISODate);
}

} // namespace

QString kindText(TaskKind kind)
{
    switch (kind) {
    case TaskKind::Solar:
        return SolarKind;
    case TaskKind::Rectification:
        return RectificationKind;
    case TaskKind::Sidereal:
        break;
    }
    return SiderealKind;
}

std::optional<TaskKind> kindNamed(const QString &text)
{
    for (const TaskKind kind : {TaskKind::Solar, TaskKind::Rectification, TaskKind::Sidereal}) {
        if (text == kindText(kind))
            return kind;
    }
    return std::nullopt;
}

QString axisName(Axis axis)
{
    return axis == Axis::AC ? QStringLiteral("AC") : QStringLiteral("MC");
}

std::optional<QDateTime> GivenTask::birthUtc() const
{
    if (!birthTime)
        return std::nullopt;
    return QDateTime(birthDate, *birthTime, QTimeZone::utc()).addSecs(-qint64{zone} * 3600);
}

QString GivenTask::summary() const
{
    const QString dot = QStringLiteral(" \u00b7 ");
    const QString head = QStringLiteral("Aufgabe ") + QString::number(number) + dot;
    if (kind == TaskKind::Solar)
        return head + QStringLiteral("Solar ") + QString::number(solarYear) + dot +
               QStringLiteral("Zeitzone ") + Notation::zone(zone) +
               (residence.isEmpty() ? QString() : QStringLiteral(" (") + residence + u')');
    if (kind == TaskKind::Sidereal)
        return head + QStringLiteral("Sternzeit") + dot + place + dot +
               QStringLiteral("Zeitzone ") + Notation::zone(zone);
    return head + axisName(axis) + dot + Notation::latitude(latitudeMinutes) + dot +
           QStringLiteral("Ereignis ") + Notation::date(eventDate) +
           (siderealWorked ? dot + QStringLiteral("Sternzeit selbst") : QString());
}

QString GivenTask::toText() const
{
    QJsonObject o;
    o[Kind] = kindText(kind);
    o[Number] = number;
    o[Person] = person;
    o[BirthDate] = isoDate(birthDate);
    if (birthTime)
        o[BirthTime] = birthTime->toString(Qt::ISODate);
    o[Place] = place;
    o[Latitude] = latitudeMinutes;
    o[Longitude] = longitudeMinutes;
    o[Zone] = zone;
    if (kind == TaskKind::Solar) {
        o[SolarYear] = solarYear;
        o[RadixSun] = radixSun;
        if (!residence.isEmpty())
            o[Residence] = residence;
    } else {
        o[BirthSiderealTime] = birthSiderealTime;
    }
    if (kind == TaskKind::Rectification) {
        if (siderealWorked)
            o[SiderealWorked] = true;
        o[Event] = event;
        o[EventDate] = isoDate(eventDate);
        o[AxisKey] = axisName(axis);
        o[Planet] = planet;
        o[Aspect] = aspect;
        o[PlanetPosition] = planetPosition;
        o[AspectPoint] = aspectPoint;
    }
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

std::optional<GivenTask> GivenTask::fromText(const QString &text)
{
    const QJsonObject o = QJsonDocument::fromJson(text.toUtf8()).object();
    const std::optional<TaskKind> kind = kindNamed(o.value(Kind).toString());
    if (!kind)
        return std::nullopt;
    GivenTask t;
    t.kind = *kind;
    t.number = o.value(Number).toInt();
    t.person = o.value(Person).toString();
    t.birthDate = QDate::fromString(o.value(BirthDate).toString(), Qt::ISODate);
    if (o.contains(BirthTime))
        t.birthTime = QTime::fromString(o.value(BirthTime).toString(), Qt::ISODate);
    t.place = o.value(Place).toString();
    t.latitudeMinutes = o.value(Latitude).toInt();
    t.longitudeMinutes = o.value(Longitude).toInt();
    t.zone = o.value(Zone).toInt(1);
    t.solarYear = o.value(SolarYear).toInt();
    t.radixSun = o.value(RadixSun).toInt();
    t.residence = o.value(Residence).toString();
    t.birthSiderealTime = o.value(BirthSiderealTime).toInt();
    t.siderealWorked = o.value(SiderealWorked).toBool();
    t.event = o.value(Event).toString();
    t.eventDate = QDate::fromString(o.value(EventDate).toString(), Qt::ISODate);
    t.axis = o.value(AxisKey).toString() == axisName(Axis::AC) ? Axis::AC : Axis::MC;
    t.planet = o.value(Planet).toString();
    t.aspect = o.value(Aspect).toString();
    t.planetPosition = o.value(PlanetPosition).toInt();
    t.aspectPoint = o.value(AspectPoint).toInt();
    // A task whose dates are damaged is no task: its calculation is free.
    const bool datesOk =
        t.birthDate.isValid() && (t.kind != TaskKind::Rectification || t.eventDate.isValid()) &&
        (t.kind != TaskKind::Sidereal || t.birthTime) && (!t.birthTime || t.birthTime->isValid());
    if (t.number <= 0 || !datesOk)
        return std::nullopt;
    return t;
}

} // namespace Core
