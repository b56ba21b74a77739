#ifndef CORE_CALENDAR_H
#define CORE_CALENDAR_H

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QTime>

#include <optional>

// Birthdays and ages, as both calculations count them.
//
// A person born on 29 February has a birthday only in leap years; in a
// common year velmora counts it on 1 March, the day after 28 February. This
// one rule decides the birthday of a Solar (the ephemeris page around it)
// and the age at an event (the days since the last birthday); a task for a
// birth on 29 February says so.
namespace Core {

// The birthday in a year from the day and month of a birth. Nothing for a day
// and month that no year has (30 February).
std::optional<QDate> birthdayIn(int year, int day, int month);
QDate birthdayIn(int year, QDate birthDate);

// Whether the rule of 29 February moves the birthday in this year.
bool leapDayMoved(int year, QDate birthDate);

// The age at an event in whole years and the days since the last birthday,
// as step 1 of the rectification asks for it.
struct AgeInYearsAndDays {
    int years = 0;
    int days = 0;
    // The last birthday was a 29 February counted on 1 March.
    bool onFirstOfMarch = false;

    friend bool operator==(const AgeInYearsAndDays &, const AgeInYearsAndDays &) = default;
};
AgeInYearsAndDays ageAt(QDate birthDate, QDate eventDate);

// A date as typed into a free field: "12.05.2031", "12.5.2031", blanks around
// it allowed. Nothing for a text that is no date of the calendar.
std::optional<QDate> typedDate(const QString &text);

// The legal clock time of a birth certificate: the hours a place's clocks
// were ahead of Greenwich at the birth, and how many of them were summer
// time. Germany keeps Central European Time, one hour ahead ("Zeitzone +1");
// in summer time two hours ("+2, Sommerzeit": 1916-1918, 1940-1949 and from
// 1980 on, in 1940-1942 even through the winters), and in the double summer
// time of 1945 and 1947 three ("+3, doppelte Sommerzeit"). The offsets come
// from the system's time-zone database, not from a table of our own.
struct LegalZone {
    int hours = 1;
    int summerHours = 0; // 0, 1 or 2 of them summer time
};

// The legal zone of a clock time of a place (a zone of the database, such as
// "Europe/Berlin"); nothing within an hour of a changeover (where the hour is
// skipped or repeated, a birth time alone does not tell the moment), for a
// zone not a whole number of hours from Greenwich, or when the system lacks
// the zone.
std::optional<LegalZone> legalZone(const QByteArray &place, QDate date, QTime time);
// The hours ahead of Greenwich of a German clock time, as above.
std::optional<int> germanLegalZone(QDate date, QTime time);
// Whether the system's time-zone database knows Germany's clocks.
bool germanLegalTimeKnown();
// "+1", "-4, Sommerzeit", "+3, doppelte Sommerzeit", as a certificate gives it.
QString zoneText(const LegalZone &zone);
// The same for a German birth, whose standard time is always +1.
QString germanZoneText(int zone);

} // namespace Core

#endif
