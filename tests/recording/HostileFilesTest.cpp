// Files made to hurt: huge, lying about their size, or one line of megabytes. Each ends in
// the result the readers give, with memory bounded by the readers' own limits.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string_view>

#include "LabTableRows.h"
#include "TempDir.h"
#include "browser/FileListing.h"
#include "core/Glob.h"
#include "recording/DeviceFile.h"
#include "recording/HeartRate.h"
#include "recording/IniFile.h"
#include "recording/LabFile.h"

namespace {

// Bytes of a fixed pseudo-random sequence, a megabyte at a time.
void WriteRandom(const std::string& path, size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  std::vector<uint64_t> block((1 << 20) / sizeof(uint64_t));
  uint64_t state = 0x9E3779B97F4A7C15u;
  for (size_t written = 0; written < size; written += block.size() * sizeof(uint64_t)) {
    for (uint64_t& word : block) {
      uint64_t z = (state += 0x9E3779B97F4A7C15u);
      z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
      z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
      word = z ^ (z >> 31);
    }
    out.write(reinterpret_cast<const char*>(block.data()),
              static_cast<std::streamsize>(std::min(size - written, block.size() * sizeof(uint64_t))));
  }
}

class HostileFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { Glob.Monitor.InitChart(); }
  TTempDir Dir;
  TGLOB Glob{std::string(), false};
};

TEST_F(HostileFilesTest, HundredMegabytesOfRandomBytesAreNoLaboratoryFile) {
  const std::string path = Dir.File("random.rl2");
  constexpr size_t Size = 100u << 20;
  WriteRandom(path, Size);
  EXPECT_EQ(ReadLabHeader(Glob, path), lrNotLaboratory);
  EXPECT_EQ(LoadLabFile(Glob), lrCannotOpen);
  EXPECT_EQ(Glob.Monitor.SeriesCount(), TMonitorChart::FirstChannel);

  // The same bytes behind a header make a table of junk: every line up to the first too long
  // for a laboratory file is a row, each channel of each row a value or a null.
  const std::string header = "Format-Version: 2\r\nColumn-Header:\tV (l)\tF (1/min)\tM (l/min)\tMarks\r\nData-Table:\r\n";
  std::FILE* f = std::fopen(path.c_str(), "r+b");
  ASSERT_NE(f, nullptr);
  std::fwrite(header.data(), 1, header.size(), f);
  std::fclose(f);
  ASSERT_EQ(ReadLabHeader(Glob, path), lrOk);
  ASSERT_EQ(LoadLabFile(Glob), lrOk);
  std::ifstream in(path, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const size_t rows = LabTableRows(std::string_view(bytes).substr(header.size()));
  const TMonitorChart& chart = Glob.Monitor;
  ASSERT_EQ(chart.ChannelCount(), 3);
  for (int s = 0; s < chart.SeriesCount(); ++s) EXPECT_EQ(chart.Series(s).Count(), rows) << s;
  for (int c = 0; c < 3; ++c)
    for (size_t row = 0; row < rows; ++row) ASSERT_FALSE(std::isinf(chart.Value(c, row)));
}

TEST_F(HostileFilesTest, DeviceFileClaimingFourBillionRecordsLoadsTheRecordsItHas) {
  TDeviceFileHeader h = NewDeviceFileHeader();
  h.RecordCount = 4000000000u;
  h.DurationSeconds = 4e9 * 3;
  std::vector<unsigned char> bytes(sizeof h);
  std::memcpy(bytes.data(), &h, sizeof h);
  bytes.resize(bytes.size() + 8);
  // Three breaths of 1 l at 20 a minute: rows at 0, 3 and 6 seconds.
  for (int r = 0; r < 3; ++r)
    for (unsigned char b : {0x00, 0x64, 0x4E, 0x20}) bytes.push_back(b);
  WriteBytes(Dir.File("claims.vt1"), bytes);

  TDirectoryListing listing(Dir.Path().string(), fkDevice, {});
  TListedFile file;
  ASSERT_TRUE(listing.Next(file));
  EXPECT_EQ(file.Points, "4000000000");
  Glob.OpenPath = Dir.File("claims.vt1");
  size_t lastDone = 0, lastTotal = 0;
  ASSERT_EQ(LoadDeviceFile(Glob, [&](size_t done, size_t total) { lastDone = done, lastTotal = total; }), dfOk);
  EXPECT_EQ(Glob.Monitor.RowCount(), 7u);
  EXPECT_EQ(Glob.Monitor.Series(TMonitorChart::ElapsedLabelSeriesIndex).Count(), 7u);
  EXPECT_EQ(lastTotal, 4000000000u);
  EXPECT_EQ(lastDone, lastTotal);
}

TEST_F(HostileFilesTest, HeartRateFileWithATenMegabyteLine) {
  const std::string huge(10u << 20, '7');
  std::ofstream(Dir.File("long.hrm"), std::ios::binary)
      << "[Params]\r\nDate=" << huge << "\r\nLength=00:00:10.0\r\nInterval=5\r\n[HRData]\r\n"
      << "120\t" << huge << "\r\n130\r\n";
  THeartRateParams params;
  ReadHeartRateParams(Dir.File("long.hrm"), params);
  // The value is cut where the reader cuts every line, and is then no date of eight digits.
  EXPECT_EQ(params.HrDate.size(), MaxTextLine - 5);
  EXPECT_EQ(params.HrPoints, 2);

  Glob.Monitor.AddDeviceChannels();
  for (int row = 0; row < 20; ++row) {
    const double values[] = {1.0, 20.0, 20.0};
    Glob.Monitor.AppendRow(row, row, values, 3, 30, "");
  }
  ASSERT_EQ(ImportHeartRate(Dir.File("long.hrm"), params, Glob.Monitor), hrImported);
  const TValueColumn& hr = Glob.Monitor.Series(6).Values;
  ASSERT_EQ(hr.Size(), 10u);
  EXPECT_EQ(hr.At(0), 120);
  EXPECT_EQ(hr.At(9), 130);
  EXPECT_EQ(Glob.Monitor.Series(7).Values.At(9), 6.5);
}

}  // namespace
