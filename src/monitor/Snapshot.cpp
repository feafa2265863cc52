#include "monitor/Snapshot.h"

#include "core/Glob.h"
#include "core/Paths.h"

std::string MakeSnapshotName(TGLOB& glob) {
  ++glob.SnapshotCount;
  const std::string suffix = "[" + std::to_string(glob.SnapshotCount) + "].bmp";
  glob.SnapshotFileName = ReplaceExtension(glob.FileName, suffix);
  return glob.SnapshotFileName;
}
