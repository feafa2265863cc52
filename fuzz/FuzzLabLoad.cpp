// The laboratory-file loader: every row of the table into the chart.
#include <string_view>

#include "FuzzSupport.h"
#include "LabTableRows.h"
#include "core/Glob.h"
#include "recording/LabFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = ScratchFile("input.rl2");
  WriteScratch(path, data, size);
  TGLOB glob(std::string(), false);
  glob.Monitor.InitChart();
  const bool headerRead = ReadLabHeader(glob, path) == lrOk;
  const int result = LoadLabFile(glob);
  Require(result == lrOk || result == lrCannotOpen, "loaded or not");
  const TRecordingHeader& h = glob.RecordingHeader;
  if (result != lrOk) {
    Require(!headerRead || h.DataTableOffset < 0 || h.ColumnCount - 1 > MaxLabChannels,
            "a readable header with a table and its channels loads");
    return 0;
  }
  Require(headerRead && h.DataTableOffset >= 0, "only a header with a table loads");
  const int channels = h.ColumnCount > 0 ? h.ColumnCount - 1 : 0;
  Require(glob.Monitor.ChannelCount() == channels, "a channel series per column but the marks");
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const size_t rows = LabTableRows(bytes.substr(static_cast<size_t>(h.DataTableOffset)));
  RequireRecording(glob.Monitor, {rows, rows, rows, rows, true});
  Require(glob.FileName == path, "the file loaded is the file shown");
  return 0;
}
