// The system's serial ports by their names (/dev/ttyUSB0, ...), as Qt finds them.
#pragma once

#include <string>
#include <vector>

std::vector<std::string> SystemPortNames();
