#include "recording/TimeLabels.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/DateTime.h"

namespace {

struct TSpan {
  long long Days;
  int Hour, Minute, Second, Millisecond;
};

// Whole days and the time of day of a span, to the nearest millisecond.
TSpan SplitSpan(double spanDays) {
  if (!std::isfinite(spanDays) || spanDays < 0) spanDays = 0;
  const TDateTimeParts p = DecodeDateTime(spanDays);
  const long long days = std::llround(spanDays * SecondsPerDay * 1000.0) / 86400000LL;
  return {days, p.Hour, p.Minute, p.Second, p.Millisecond};
}

template <class... T>
std::string Format(const char* format, T... values) {
  char buffer[64];
  const int n = std::snprintf(buffer, sizeof buffer, format, values...);
  return std::string(buffer, n > 0 ? static_cast<size_t>(n) : 0);
}

}  // namespace

double SecondsToTime(double s) {
  if (!std::isfinite(s) || s < 0) s = 0;
  const double hours = std::min(23.0, std::trunc(s / 3600.0));
  const double minutes = std::trunc(std::fmod(s, 3600.0) / 60.0);
  const double inMinute = std::fmod(s, 60.0);
  const double seconds = std::trunc(inMinute);
  const double ms = std::trunc((inMinute - seconds) * 1000.0);
  return ((hours * 60.0 + minutes) * 60.0 + seconds) / SecondsPerDay + ms / (SecondsPerDay * 1000.0);
}

std::string FormatLiveElapsed(double spanDays) {
  const TSpan s = SplitSpan(spanDays);
  return Format("[%lld:%02d:%02d.%02d]", s.Days * 24 + s.Hour, s.Minute, s.Second, s.Millisecond);
}

std::string FormatLiveClock(double dateTime) {
  const TDateTimeParts p = DecodeDateTime(dateTime);
  return Format("[%02d]%02d:%02d:%02d.%d", p.Day, p.Hour, p.Minute, p.Second, p.Millisecond);
}

std::string FormatFileClock(double dateTime) {
  const TDateTimeParts p = DecodeDateTime(dateTime);
  return Format("[%02d]%02d:%02d:%02d", p.Day, p.Hour, p.Minute, p.Second);
}

std::string FormatFileElapsed(double spanDays) {
  const TSpan s = SplitSpan(spanDays);
  return Format("[%02d.%03d]", s.Second, s.Millisecond);
}

std::string FormatDeviceElapsed(double seconds) {
  if (seconds <= 0) return "[00:00:00]";
  const TSpan s = SplitSpan(SecondsToTime(seconds));
  return Format("[%d:%02d:%02d]", s.Hour, s.Minute, s.Second);
}
