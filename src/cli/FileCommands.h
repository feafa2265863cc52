// vt4800-cli info and dump: a laboratory file's header, and the recording as the chart holds
// it after loading.
#pragma once

#include <string>
#include <vector>

int InfoCommand(const std::vector<std::string>& args);
int DumpCommand(const std::vector<std::string>& args);
// vt4800-cli export: the laboratory file the export would write of a recording.
int ExportCommand(const std::vector<std::string>& args);
