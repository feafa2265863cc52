#include "core/DateTime.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>

namespace {

// Days from 1970-01-01 to the given civil date (proleptic Gregorian calendar).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (month <= 2));
}

const int64_t Epoch1899 = DaysFromCivil(1899, 12, 30);

}  // namespace

double EncodeDateTime(const TDateTimeParts& p) {
  const int64_t days = DaysFromCivil(p.Year, static_cast<unsigned>(p.Month),
                                     static_cast<unsigned>(p.Day)) - Epoch1899;
  const double ms = ((p.Hour * 60.0 + p.Minute) * 60.0 + p.Second) * 1000.0 + p.Millisecond;
  return static_cast<double>(days) + ms / (SecondsPerDay * 1000.0);
}

TDateTimeParts DecodeDateTime(double dateTime) {
  TDateTimeParts p;
  if (!std::isfinite(dateTime)) return p;
  const double totalMs = std::round(dateTime * SecondsPerDay * 1000.0);
  const double dayMs = SecondsPerDay * 1000.0;
  const int64_t days = static_cast<int64_t>(std::floor(totalMs / dayMs));
  int64_t ms = static_cast<int64_t>(totalMs - static_cast<double>(days) * dayMs);
  CivilFromDays(days + Epoch1899, p.Year, p.Month, p.Day);
  p.Millisecond = static_cast<int>(ms % 1000);
  ms /= 1000;
  p.Second = static_cast<int>(ms % 60);
  ms /= 60;
  p.Minute = static_cast<int>(ms % 60);
  p.Hour = static_cast<int>(ms / 60);
  return p;
}

double SystemNow() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t t = system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&t, &local);
  TDateTimeParts p;
  p.Year = local.tm_year + 1900;
  p.Month = local.tm_mon + 1;
  p.Day = local.tm_mday;
  p.Hour = local.tm_hour;
  p.Minute = local.tm_min;
  p.Second = local.tm_sec;
  p.Millisecond =
      static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
  return EncodeDateTime(p);
}

int MsToNextSecond(double dateTime) { return std::max(1, 1000 - DecodeDateTime(dateTime).Millisecond); }

bool ValidDate(int year, int month, int day) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12 || day < 1) return false;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return day <= days[month - 1] + (month == 2 && leap ? 1 : 0);
}
