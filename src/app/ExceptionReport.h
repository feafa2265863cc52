// The program's report of an error that ended an operator's action: the message and an OK
// button; the program goes on.
#pragma once

#include <QString>

void ShowExceptionReport(const QString& message);
