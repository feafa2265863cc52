// The laboratory-file loader: every row of the table into the chart.
#include <string_view>

#include "FuzzSupport.h"
#include "core/Glob.h"
#include "recording/LabFile.h"

namespace {

// The rows the table gives: its lines up to the first one longer than a laboratory file has,
// blank lines aside, and no more than the loader takes.
size_t TableRows(std::string_view table) {
  size_t rows = 0;
  while (!table.empty()) {
    const size_t nl = table.find('\n');
    std::string_view line = table.substr(0, nl);
    if (line.size() > MaxLabReadLine) break;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty() && ++rows == MaxLabLoadRows) break;
    if (nl == std::string_view::npos) break;
    table.remove_prefix(nl + 1);
  }
  return rows;
}

}  // namespace

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
  const size_t rows = TableRows(bytes.substr(static_cast<size_t>(h.DataTableOffset)));
  RequireRecording(glob.Monitor, {rows, rows, rows, rows, true});
  Require(glob.FileName == path, "the file loaded is the file shown");
  return 0;
}
