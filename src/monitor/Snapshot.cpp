#include "monitor/Snapshot.h"

#include "core/Glob.h"

std::string MakeSnapshotName(TGLOB& glob) {
  ++glob.SnapshotCount;
  const std::string suffix = "[" + std::to_string(glob.SnapshotCount) + "].bmp";
  const std::string& file = glob.FileName;
  // Only a dot in the file's own name starts an extension, not one in a directory's.
  const size_t slash = file.find_last_of('/');
  const size_t dot = file.rfind('.');
  const bool extension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  glob.SnapshotFileName = (extension ? file.substr(0, dot) : file) + suffix;
  return glob.SnapshotFileName;
}
