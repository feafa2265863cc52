// vt4800-cli record: a live recording without windows, into a laboratory file named as the
// program names it.
#pragma once

#include <string>
#include <vector>

int RecordCommand(const std::vector<std::string>& args);
