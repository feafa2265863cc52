#include "browser/Export.h"

#include "core/Glob.h"
#include "core/Paths.h"
#include "recording/LabFile.h"

std::string ExportPath(const std::string& directory, const std::string& name) {
  return InDirectory(directory, ReplaceExtension(name, ".rl2"));
}

int ExportRecording(TGLOB& glob, const std::string& path) {
  const std::string fileName = glob.FileName;
  if (CreateLabFile(glob, path) != lrOk) return lrCannotCreate;
  const size_t rows = glob.Monitor.RowCount();
  glob.RecordingHeader.DataCount = 0;
  while (static_cast<size_t>(glob.RecordingHeader.DataCount) < rows && AppendLabRow(glob)) {
  }
  FinishLabFile(glob);
  glob.FileName = fileName;
  return lrOk;
}
