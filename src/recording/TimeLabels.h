// The time texts of a recording's rows, and the conversions behind them.
#pragma once

#include <string>

// A number of seconds as a time of day: hours capped at 23, then minutes, seconds and
// milliseconds, all truncated. Returns the date-time fraction (days).
double SecondsToTime(double seconds);

// "[%d:%02d:%02d.%02d]": total hours, minutes, seconds and milliseconds (at least two digits)
// of an elapsed span in days. The live recording's elapsed label.
std::string FormatLiveElapsed(double spanDays);
// "[dd]hh:mm:ss.z": day of month, time of day and milliseconds without leading zeros.
std::string FormatLiveClock(double dateTime);
// "[dd]hh:mm:ss".
std::string FormatFileClock(double dateTime);
// "[%02d.%03d]": only the seconds and milliseconds fields of an elapsed span in days.
std::string FormatFileElapsed(double spanDays);
// "[%d:%02d:%02d]" of SecondsToTime(seconds); "[00:00:00]" for the first row.
std::string FormatDeviceElapsed(double seconds);
