#include "core/qt/LocaleNumbers.h"

#include <QDateTime>
#include <QLocale>
#include <cmath>

#include "core/DateTime.h"

namespace {

QLocale SystemNumbers() {
  QLocale locale = QLocale::system();
  locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
  return locale;
}

}  // namespace

bool ParseLocaleDecimal(const QString& text, double& value) {
  bool ok = false;
  const double parsed = SystemNumbers().toDouble(text.trimmed(), &ok);
  if (!ok || !std::isfinite(parsed)) return false;
  value = parsed;
  return true;
}

QString FormatLocaleGeneral(double value) { return SystemNumbers().toString(value, 'g', 15); }

QString FormatLocaleShortDateTime(double dateTime) {
  const TDateTimeParts p = DecodeDateTime(dateTime);
  const QLocale locale = QLocale::system();
  const QString date = locale.toString(QDate(p.Year, p.Month, p.Day), QLocale::ShortFormat);
  const QString time = locale.toString(QTime(p.Hour, p.Minute, p.Second, p.Millisecond), QLocale::ShortFormat);
  if (dateTime >= 0 && dateTime < 1) return time;
  if (p.Hour == 0 && p.Minute == 0 && p.Second == 0 && p.Millisecond == 0) return date;
  return date + QLatin1Char(' ') + time;
}
