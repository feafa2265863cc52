// Numbers as the operator reads them: fixed decimals with the given decimal separator.
#pragma once

#include <string>

std::string FormatFixed(double value, int decimals, char separator);
