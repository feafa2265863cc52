// Exporting the recording on the monitor (a device file, with a heart-rate overlay or not) as
// a laboratory file, in one pass through the laboratory-file writer.
#pragma once

#include <string>

class TGLOB;

// The directory, a separator and the name with its extension replaced by .rl2.
std::string ExportPath(const std::string& directory, const std::string& name);
// Writes every row of the chart's first channel; lrOk, or lrCannotCreate when the file cannot be
// made. The file name, the monitor's caption and the buttons stay as they are.
int ExportRecording(TGLOB& glob, const std::string& path);
