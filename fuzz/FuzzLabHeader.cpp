// The laboratory-file header as the browser reads it: ReadLabHeader and the listing's line.
#include <cmath>

#include "FuzzSupport.h"
#include "browser/FileListing.h"
#include "core/Glob.h"
#include "recording/LabFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = ScratchFile("input.rl2");
  WriteScratch(path, data, size);
  TGLOB glob(std::string(), false);
  const int result = ReadLabHeader(glob, path);
  Require(result == lrOk || result == lrNewerFormat || result == lrNotLaboratory, "a header reads, is newer or is none");
  if (result == lrOk) {
    const TRecordingHeader& h = glob.RecordingHeader;
    Require(h.FormatVersion <= 2, "a header read is of a format this program knows");
    Require(h.ColumnCount == static_cast<int32_t>(h.ColumnNames.size()), "a column name per column");
    Require(h.ColumnNames.size() <= MaxColumnNames, "no more column names than the format has");
    Require(h.ColumnColors.size() <= MaxColumnColors, "no more colours than the format has");
    Require(std::isfinite(h.LoadedInterval) && h.LoadedInterval > 0, "a positive sample interval");
    Require(std::isfinite(h.LoadedIntervalDays) && h.LoadedIntervalDays >= 0, "the interval as a span");
    Require(std::isfinite(h.StartTime) && std::isfinite(h.StopTime), "start and stop are moments");
    Require(h.DataCount >= 0, "no negative row count");
    Require(h.DataTableOffset == -1 || (h.DataTableOffset >= 0 && static_cast<size_t>(h.DataTableOffset) <= size),
            "the data table lies in the file");
  }
  TDirectoryListing listing(path.substr(0, path.rfind('/')), fkLaboratory, {});
  TListedFile file;
  Require(listing.Next(file) == (result == lrOk), "the browser lists the file when its header reads");
  Require(!listing.Next(file), "one file listed");
  return 0;
}
