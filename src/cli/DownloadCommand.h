// vt4800-cli download: every recording stored in the device into device files, named as the
// download window names them.
#pragma once

#include <string>
#include <vector>

int DownloadCommand(const std::vector<std::string>& args);
