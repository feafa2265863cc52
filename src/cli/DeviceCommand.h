// vt4800-cli device: find the device, read its parameters and print them.
#pragma once

#include <string>
#include <vector>

int DeviceCommand(const std::vector<std::string>& args);
