// What the fuzz targets share: a scratch file per process for readers that take a path, and
// the checks that stop a run when an invariant breaks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class TMonitorChart;

// The path of a file named `name` in this process's own scratch directory, which goes when
// the process ends. The same name gives the same path on every call.
std::string ScratchFile(const std::string& name);
// Replaces the file's contents with the bytes.
void WriteScratch(const std::string& path, const uint8_t* data, size_t size);

// Ends the run with a report when the condition does not hold: libFuzzer keeps the input.
void Require(bool condition, const char* what);

// The row shape of a loaded recording: every channel series holds Rows points, the other
// series as many as their loader gives them (a laboratory file labels and marks every row, a
// device file gives elapsed labels only), marks lie on existing rows in order, no channel
// value is infinite and, unless the file can say "no value", none is NaN.
struct TRecordingShape {
  size_t Rows = 0;
  size_t ElapsedLabels = 0;
  size_t ClockLabels = 0;
  size_t MarkPoints = 0;
  bool NullsAllowed = false;
};
void RequireRecording(const TMonitorChart& chart, const TRecordingShape& shape);
