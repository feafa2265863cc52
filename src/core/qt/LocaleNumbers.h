// Numbers and dates as the operator types and reads them: in the system's formats.
#pragma once

#include <QString>

// A decimal number, blanks around it allowed; false when the text is not one.
bool ParseLocaleDecimal(const QString& text, double& value);
// The shortest general form: 1.0 reads "1", 0.5 reads "0.5".
QString FormatLocaleGeneral(double value);
// A date-time in the system's short formats: the date alone at midnight, the time alone for a
// value under one day, otherwise both.
QString FormatLocaleShortDateTime(double dateTime);
