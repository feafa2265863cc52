#include "browser/Export.h"

#include <filesystem>

#include "core/Glob.h"
#include "recording/LabFile.h"

std::string ExportPath(const std::string& directory, const std::string& name) {
  std::string path = directory;
  if (!path.empty() && path.back() != std::filesystem::path::preferred_separator)
    path += std::filesystem::path::preferred_separator;
  const size_t dot = name.rfind('.');
  return path + (dot == std::string::npos ? name : name.substr(0, dot)) + ".rl2";
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
