#include <gtest/gtest.h>

#include "TempDir.h"
#include "core/Glob.h"
#include "monitor/Snapshot.h"

namespace {

TEST(Snapshot, NamesAreNumberedBesideTheRecordingFile) {
  TTempDir dir;
  TGLOB glob(dir.File("vt4800"), false);
  const std::pair<const char*, const char*> cases[] = {
      {"/data/2009-04-01 (10-15-00) run.rl2", "/data/2009-04-01 (10-15-00) run[1].bmp"},
      {"/data/run", "/data/run[2].bmp"},
      {"/data.d/run", "/data.d/run[3].bmp"},
      {"", "[4].bmp"},
  };
  for (auto [file, name] : cases) {
    glob.FileName = file;
    EXPECT_EQ(MakeSnapshotName(glob), name);
    EXPECT_EQ(glob.SnapshotFileName, name);
  }
}

}  // namespace
