// Numbers as the operator types and reads them: with the system's decimal separator.
#pragma once

#include <QString>

// A decimal number, blanks around it allowed; false when the text is not one.
bool ParseLocaleDecimal(const QString& text, double& value);
// The shortest general form: 1.0 reads "1", 0.5 reads "0.5".
QString FormatLocaleGeneral(double value);
