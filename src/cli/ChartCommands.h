// vt4800-cli analyze and render: the ventilation figures of three rows of a recording, and the
// chart of a recording as the monitor shows it after opening the file, without a display.
#pragma once

#include <string>
#include <vector>

int AnalyzeCommand(const std::vector<std::string>& args);
int RenderCommand(const std::vector<std::string>& args);
