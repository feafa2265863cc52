#include "core/qt/LocaleNumbers.h"

#include <QLocale>
#include <cmath>

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
