#ifndef CORE_CALENDAR_H
#define CORE_CALENDAR_H

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

// The legal clock time of a German birth certificate. Germany keeps Central
// European Time, one hour ahead of Greenwich ("Zeitzone +1"); in summer time
// two hours ("+2, Sommerzeit": 1916-1918, 1940-1949 and from 1980 on, in
// 1940-1942 even through the winters), and in the double summer time of 1945
// and 1947 three ("+3, doppelte Sommerzeit"). The offsets come from the
// system's time-zone database (Europe/Berlin), not from a table of our own.
//
// The hours ahead of Greenwich of a German clock time; nothing within an hour
// of a changeover (where the hour is skipped or repeated, a birth time alone
// does not tell the moment) or when the system lacks the database.
std::optional<int> germanLegalZone(QDate date, QTime time);
// Whether the system's time-zone database knows Germany's clocks.
bool germanLegalTimeKnown();
// "+1", "+2, Sommerzeit", "+3, doppelte Sommerzeit", as a German birth gives it.
QString germanZoneText(int zone);

} // namespace Core

#endif
