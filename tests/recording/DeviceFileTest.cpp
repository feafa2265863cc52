#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "TempDir.h"
#include "core/DateTime.h"
#include "core/Glob.h"
#include "recording/DeviceFile.h"

namespace {

struct TRecord {
  double V, F;
};

class DeviceFileTest : public ::testing::Test {
 protected:
  // A device file as the download writes it: our header, the device's 8 bytes, the records.
  std::string Write(const std::vector<TRecord>& records, uint32_t claimed = UINT32_MAX, size_t cut = SIZE_MAX) {
    TDeviceFileHeader h = NewDeviceFileHeader();
    h.RecordCount = claimed == UINT32_MAX ? static_cast<uint32_t>(records.size()) : claimed;
    h.DurationSeconds = 600;
    h.StartYear = 9, h.StartMonth = 3, h.StartDay = 14, h.StartHour = 10, h.StartMinute = 22, h.StartSecond = 5;
    std::vector<unsigned char> bytes(sizeof h);
    std::memcpy(bytes.data(), &h, sizeof h);
    for (unsigned char b : {0x09, 0x03, 0x14, 0x10, 0x22, 0x05, 0x01, 0x00}) bytes.push_back(b);
    for (const TRecord& r : records) {
      const unsigned v = static_cast<unsigned>(std::lround(r.V * 100)), f = static_cast<unsigned>(std::lround(r.F * 1000));
      for (unsigned b : {v >> 8, v & 0xFF, f >> 8, f & 0xFF}) bytes.push_back(static_cast<unsigned char>(b));
    }
    bytes.resize(std::min(cut, bytes.size()));
    const std::string path = Dir.File("rec.vt1");
    WriteBytes(path, bytes);
    return path;
  }
  void Load(const std::string& path) {
    Glob.OpenPath = path;
    ASSERT_EQ(LoadDeviceFile(Glob), dfOk);
  }
  size_t Rows() const { return Glob.Monitor.RowCount(); }
  double At(int channel, size_t row) const { return Glob.Monitor.Value(channel, row); }
  std::string Label(size_t row) const { return Glob.Monitor.Series(1).Labels.Text(row); }

  TTempDir Dir;
  TGLOB Glob{Dir.File("vt4800")};
};

TEST_F(DeviceFileTest, OneRecordIsOneRow) {
  Load(Write({{1.5, 20}}));
  ASSERT_EQ(Rows(), 1u);
  EXPECT_DOUBLE_EQ(At(0, 0), 1.5);
  EXPECT_DOUBLE_EQ(At(1, 0), 20);
  EXPECT_DOUBLE_EQ(At(2, 0), 30);
  EXPECT_EQ(Label(0), "[00:00:00]");
  EXPECT_EQ(Glob.Monitor.Series(0).Count(), 0u);  // no marks and no clock labels
  EXPECT_EQ(Glob.Monitor.Series(2).Count(), 0u);
  // The recording's own start and end.
  EXPECT_EQ(Glob.RecordingHeader.StartTime, EncodeDateTime({2009, 3, 14, 10, 22, 5}));
  EXPECT_DOUBLE_EQ(Glob.RecordingHeader.StopTime, Glob.RecordingHeader.StartTime + 600.0 / 86400);
  EXPECT_EQ(Glob.RecordingHeader.LoadedInterval, 1.0);
}

TEST_F(DeviceFileTest, BreathPeriodsBecomeRowsOnTheSecondGrid) {
  // One breath a minute: each record after the first gives 60 rows of what came before it.
  Load(Write({{1.0, 1.0}, {2.0, 1.0}, {3.0, 1.0}}));
  ASSERT_EQ(Rows(), 121u);
  EXPECT_DOUBLE_EQ(At(0, 60), 1.0);
  EXPECT_DOUBLE_EQ(At(0, 61), 2.0);
  EXPECT_EQ(Label(60), "[0:01:00]");
  EXPECT_EQ(Label(120), "[0:02:00]");
  // Sixty a minute: a row for every record.
  Load(Write({{1.0, 60}, {1.2, 60}, {1.4, 60}, {1.6, 60}}));
  EXPECT_EQ(Rows(), 4u);
  // Thirty a minute: two rows for every record.
  Load(Write({{1.0, 30}, {1.2, 30}, {1.4, 30}}));
  EXPECT_EQ(Rows(), 5u);
}

TEST_F(DeviceFileTest, SmoothingWithAndWithoutTheFilter) {
  const std::vector<TRecord> records = {{1.0, 60}, {1.0, 60}, {1.05, 60}, {2.0, 60}, {2.0, 60}};
  Glob.VT1Filter = false;
  Load(Write(records));
  // Rows carry the smoothed values from before each record: V and F follow, M is averaged.
  EXPECT_DOUBLE_EQ(At(0, 4), 2.0);
  EXPECT_DOUBLE_EQ(At(2, 2), (60.0 + 60.0) / 2);
  EXPECT_DOUBLE_EQ(At(2, 3), (60.0 + 63.0) / 2);

  Glob.VT1Filter = true;
  Glob.VT1FilterThreshold = 0.15;
  Load(Write(records));
  EXPECT_DOUBLE_EQ(At(0, 3), (1.0 + 1.05) / 2);  // within 15 %: the mean
  const double v = (1.0 + 1.05) / 2;
  EXPECT_DOUBLE_EQ(At(0, 4), v + (2.0 - v) * 0.125);  // an outlier moves an eighth of the way
}

TEST_F(DeviceFileTest, SmoothedVolumeOfZeroRestartsTheSmoothing) {
  Glob.VT1Filter = true;
  Load(Write({{0.0, 60}, {1.5, 60}, {1.6, 60}}));
  EXPECT_DOUBLE_EQ(At(0, 2), 1.5);  // taken whole, not moved by an eighth
}

TEST_F(DeviceFileTest, MalformedFilesHaveDefinedOutcomes) {
  // A record of no frequency takes no time and changes nothing; no division by zero anywhere.
  Glob.VT1Filter = true;
  Load(Write({{1.0, 0}, {1.0, 0}, {2.0, 60}, {2.0, 60}}));
  EXPECT_EQ(Rows(), 3u);
  for (size_t r = 0; r < Rows(); ++r)
    for (int c = 0; c < 3; ++c) EXPECT_TRUE(std::isfinite(At(c, r))) << r << " " << c;

  // A file cut inside a record, and one whose header claims more than it holds.
  Load(Write({{1.0, 60}, {1.1, 60}, {1.2, 60}}, UINT32_MAX, 48 + 8 + 4 * 2 + 3));
  EXPECT_EQ(Rows(), 2u);
  Load(Write({{1.0, 60}, {1.1, 60}}, 1000000));
  EXPECT_EQ(Rows(), 2u);
  // Shorter than its own header: nothing to load, and no fault.
  Load(Write({}, UINT32_MAX, 20));
  EXPECT_EQ(Rows(), 0u);
  EXPECT_EQ(Glob.Monitor.ChannelCount(), 3);

  // A file that cannot be opened leaves the chart cleared.
  Glob.OpenPath = Dir.File("missing.vt1");
  EXPECT_EQ(LoadDeviceFile(Glob), dfCannotOpen);
  EXPECT_EQ(Rows(), 0u);
  const TDeviceFileHeader before = Glob.DeviceFileHeader;
  EXPECT_EQ(ReadDeviceFileHeader(Glob, Dir.File("missing.vt1")), dfCannotOpen);
  EXPECT_EQ(std::memcmp(&before, &Glob.DeviceFileHeader, sizeof before), 0);
}

TEST_F(DeviceFileTest, HeaderIsWrittenAtCreationAndAgainAtTheEnd) {
  Glob.FileName = Dir.File("new.vt1");
  Glob.DeviceFileHeader.HeaderMark = 0;  // a header read before must not leak into a new file
  ASSERT_EQ(CreateDeviceFile(Glob), dfOk);
  EXPECT_EQ(ReadBytes(Glob.FileName).size(), 48u);
  const unsigned char body[] = {1, 2, 3, 4};
  std::fwrite(body, 1, sizeof body, Glob.DeviceFile);
  Glob.DeviceFileHeader.RecordCount = 7;
  Glob.DeviceFileHeader.DurationSeconds = 12.5;
  FinishDeviceFile(Glob);
  EXPECT_EQ(Glob.DeviceFile, nullptr);
  const auto bytes = ReadBytes(Glob.FileName);
  ASSERT_EQ(bytes.size(), 52u);
  EXPECT_EQ(std::memcmp(bytes.data(), "QLNVT1\0", 7), 0);
  EXPECT_EQ(bytes[46], 0x45);
  EXPECT_EQ(bytes[24], 7);
  ASSERT_EQ(ReadDeviceFileHeader(Glob, Glob.FileName), dfOk);
  // The header is packed: its fields are read by value, never bound to a reference.
  EXPECT_EQ(static_cast<double>(Glob.DeviceFileHeader.DurationSeconds), 12.5);
  Glob.FileName = Dir.File("no/such/dir/x.vt1");
  EXPECT_EQ(CreateDeviceFile(Glob), dfCannotCreate);
}

}  // namespace
