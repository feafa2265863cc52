// What the file commands of vt4800-cli share: a state object of their own, loading a recording
// into the chart as the browser does, and the words for a file that could not be read.
#pragma once

#include <string>
#include <vector>

#include "core/Glob.h"

// The state object of a file command: no settings read or written.
TGLOB FileGlob();
// Why a laboratory file was not read, after its file name.
const char* Reason(int result);
std::string LowerExtension(const std::string& path);
// Loads a laboratory or device file (.vt1) into the chart, with a heart-rate file laid over it;
// a laboratory-file result code.
int LoadRecording(TGLOB& glob, const std::string& path, const std::string& heartRate);
// The options of a command on a recording, at args[i]: the filter of device files and a
// heart-rate file. False (and said) for an option it does not know.
bool RecordingOptions(const char* command, const std::vector<std::string>& args, size_t& i, TGLOB& glob,
                      std::string& heartRate);
// A number as the shortest text that reads back the same; empty for a null point.
std::string Number(double value);
