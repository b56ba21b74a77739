#include "core/calendar.h"

#include "core/notation.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QTimeZone>

namespace Core {

std::optional<QDate> birthdayIn(int year, int day, int month)
{
    // A birthday is a day of some year: 29 February is one, 30 February none.
    if (!QDate(2000, month, day).isValid())
        return std::nullopt;
    return birthdayIn(year, QDate(2000, month, day));
}

QDate birthdayIn(int year, QDate birthDate)
{
    // Counting from the first of the month, 29 February of a common year
    // falls on 1 March.
    return QDate(year, birthDate.month(), 1).addDays(birthDate.day() - 1);
}

bool leapDayMoved(int year, QDate birthDate)
{
    return birthDate.month() == 2 && birthDate.day() == 29 && !QDate::isLeapYear(year);
}

AgeInYearsAndDays ageAt(QDate birthDate, QDate eventDate)
{
    int years = eventDate.year() - birthDate.year();
    if (birthdayIn(eventDate.year(), birthDate) > eventDate)
        --years;
    const int lastYear = birthDate.year() + years;
    const QDate last = birthdayIn(lastYear, birthDate);
    return {years, static_cast<int>(last.daysTo(eventDate)), leapDayMoved(lastYear, birthDate)};
}

std::optional<QDate> typedDate(const QString &text)
{
    static const QRegularExpression shape(
        QStringLiteral("^\\s*(\\d{1,2})\\.(\\d{1,2})\\.(\\d{4})\\s*$"));
    const QRegularExpressionMatch m = shape.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate date(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

namespace {

const QByteArray Germany = QByteArrayLiteral("Europe/Berlin");

} // namespace

bool germanLegalTimeKnown()
{
    return QTimeZone::isTimeZoneIdAvailable(Germany);
}

std::optional<LegalZone> legalZone(const QByteArray &place, QDate date, QTime time)
{
    const QTimeZone zone(place);
    if (!zone.isValid())
        return std::nullopt;
    // A clock time the changeover skipped comes back as another time.
    const QDateTime local(date, time, zone);
    if (!local.isValid() || local.time() != time)
        return std::nullopt;
    const QDateTime utc = local.toUTC();
    const int offset = zone.offsetFromUtc(utc);
    for (const qint64 hour : {-3600, 3600}) {
        if (zone.offsetFromUtc(utc.addSecs(hour)) != offset)
            return std::nullopt;
    }
    const int summer = offset - zone.standardTimeOffset(utc);
    if (offset % 3600 != 0 || summer % 3600 != 0)
        return std::nullopt;
    return LegalZone{offset / 3600, summer / 3600};
}

std::optional<int> germanLegalZone(QDate date, QTime time)
{
    const std::optional<LegalZone> zone = legalZone(Germany, date, time);
    return zone ? std::optional(zone->hours) : std::nullopt;
}

QString zoneText(const LegalZone &zone)
{
    const QString hours = Notation::zone(zone.hours);
    switch (zone.summerHours) {
    case 0:
        return hours;
    case 1:
        return hours + QStringLiteral(", Sommerzeit");
    default:
        return hours + QStringLiteral(", doppelte Sommerzeit");
    }
}

QString germanZoneText(int zone)
{
    return zoneText({zone, zone - 1});
}

} // namespace Core
