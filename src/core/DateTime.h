// Date-time values as the program keeps them: days since 30 December 1899 with the time of
// day as the fraction, so a span of s seconds is s / 86400.
#pragma once

#include <cstdint>

struct TDateTimeParts {
  int Year = 1899, Month = 12, Day = 30;
  int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

constexpr double SecondsPerDay = 86400.0;

double EncodeDateTime(const TDateTimeParts& parts);
// Rounds to the nearest millisecond first, so 0.1 s never prints as 0.099.
TDateTimeParts DecodeDateTime(double dateTime);
// A day of the calendar: month 1 to 12, day within its month.
bool ValidDate(int year, int month, int day);
// The system's local date-time now.
double SystemNow();
// Milliseconds from a moment to the next whole second of the clock (at least 1).
int MsToNextSecond(double dateTime);
