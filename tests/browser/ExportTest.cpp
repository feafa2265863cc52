#include <gtest/gtest.h>

#include <fstream>

#include "TempDir.h"
#include "browser/Export.h"
#include "core/Glob.h"
#include "recording/LabFile.h"

namespace {

class ExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Glob.Monitor.InitChart();
    Glob.Monitor.AddDeviceChannels();
    for (int k = 0; k < 1800; ++k) {
      const double v = 0.5 + k % 10 * 0.11, f = 14.0 + k % 7;
      const double values[] = {v, f, v * f};
      Glob.Monitor.AppendRow(0, 0, values, 3, 1.0, "");
    }
    Glob.FileName = "previous.VT1";
  }
  TTempDir Dir;
  TGLOB Glob{Dir.File("vt4800")};
};

TEST_F(ExportTest, DeviceRecordingBecomesALaboratoryFile) {
  const std::string path = ExportPath(Dir.Path().string(), "trial.txt");
  EXPECT_EQ(path, Dir.File("trial.rl2"));
  EXPECT_EQ(ExportPath(Dir.Path().string() + "/", "trial"), Dir.File("trial.rl2"));
  ASSERT_EQ(ExportRecording(Glob, path), lrOk);
  EXPECT_EQ(Glob.FileName, "previous.VT1");

  TGLOB back(Dir.File("other"));
  back.Monitor.InitChart();
  ASSERT_EQ(ReadLabHeader(back, path), lrOk);
  EXPECT_EQ(back.RecordingHeader.ChannelsCount, 3);
  EXPECT_EQ(back.RecordingHeader.DataCount, 1800);
  EXPECT_EQ(back.RecordingHeader.ColumnNames, (std::vector<std::string>{"V (l)", "F (1/min)", "M (l/min)", "Marks"}));
  ASSERT_EQ(LoadLabFile(back), lrOk);
  ASSERT_EQ(back.Monitor.RowCount(), 1800u);
  for (size_t k = 0; k < 1800; k += 97)
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(back.Monitor.Value(c, k), Glob.Monitor.Value(c, k), 0.05 + 1e-9);
  EXPECT_EQ(back.Monitor.Series(0).Marks.MarkCount(), 0u);
}

TEST_F(ExportTest, HeartRateOverlayAddsTwoChannelsAndShortOnesReadBackEmpty) {
  Glob.Monitor.AddHeartRateChannels();
  for (int k = 0; k < 1000; ++k) Glob.Monitor.Series(6).Values.Append(120);
  for (int k = 0; k < 999; ++k) Glob.Monitor.Series(7).Values.Append(3.0);
  const std::string path = ExportPath(Dir.Path().string(), "hr");
  ASSERT_EQ(ExportRecording(Glob, path), lrOk);
  TGLOB back(Dir.File("other"));
  ASSERT_EQ(ReadLabHeader(back, path), lrOk);
  EXPECT_EQ(back.RecordingHeader.ChannelsCount, 5);
  ASSERT_EQ(LoadLabFile(back), lrOk);
  EXPECT_EQ(back.Monitor.Value(3, 999), 120);
  EXPECT_TRUE(std::isnan(back.Monitor.Value(3, 1000)));
  EXPECT_TRUE(std::isnan(back.Monitor.Value(4, 999)));
  EXPECT_EQ(back.Monitor.RowCount(), 1800u);
}

TEST_F(ExportTest, DirectoryThatDoesNotExistWritesNothing) {
  EXPECT_EQ(ExportRecording(Glob, ExportPath(Dir.File("missing"), "x")), lrCannotCreate);
  EXPECT_FALSE(Glob.RecordFileOpen);
}

}  // namespace
