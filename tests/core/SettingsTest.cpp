#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>

#include "TempDir.h"
#include "core/Glob.h"

namespace {

int32_t Int32At(const std::vector<unsigned char>& b, size_t offset) {
  int32_t v;
  std::memcpy(&v, b.data() + offset, 4);
  return v;
}

double DoubleAt(const std::vector<unsigned char>& b, size_t offset) {
  double v;
  std::memcpy(&v, b.data() + offset, 8);
  return v;
}

std::string TextAt(const std::vector<unsigned char>& b, size_t offset) {
  return std::string(reinterpret_cast<const char*>(b.data() + offset));
}

class SettingsTest : public ::testing::Test {
 protected:
  TTempDir Dir;
  std::string Program = Dir.File("vt4800");
  std::string Config = Dir.File("vt4800.cfg");
};

TEST_F(SettingsTest, FreshStartWritesTheDefaultImage) {
  {
    TGLOB glob(Program);
    EXPECT_EQ(glob.ConfigFileName, Config);
    EXPECT_EQ(glob.PresetFileName, Dir.File("vt4800.pset"));
    // Written at construction already, not only at the end.
    ASSERT_TRUE(std::filesystem::exists(Config));
  }
  const auto b = ReadBytes(Config);
  ASSERT_EQ(b.size(), 5392u);
  EXPECT_EQ(std::memcmp(b.data(), "CFG\0", 4), 0);
  EXPECT_EQ(Int32At(b, 4), 4);
  EXPECT_EQ(Int32At(b, 8), 2);
  EXPECT_EQ(TextAt(b, 12).rfind("RLC ConfigFile.v2.0 ", 0), 0u);
  EXPECT_EQ(TextAt(b, 12).size(), 54u);
  const unsigned char flags[] = {0, 1, 1, 1, 1, 1, 1, 0};  // offsets 92..99
  EXPECT_EQ(std::memcmp(b.data() + 92, flags, sizeof flags), 0);
  EXPECT_EQ(Int32At(b, 100), -1);
  const unsigned char options[] = {1, 0, 0, 0, 1, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0};  // 104..119
  EXPECT_EQ(std::memcmp(b.data() + 104, options, sizeof options), 0);
  EXPECT_EQ(DoubleAt(b, 120), 1.0);
  EXPECT_EQ(Int32At(b, 128), 1);
  const int32_t windows[] = {0, 0, 0, 700, 545, 0, 114, 342, 140, 75, 350, 700, 1};
  for (size_t i = 0; i < std::size(windows); ++i)
    EXPECT_EQ(Int32At(b, 132 + 4 * i), windows[i]) << "offset " << 132 + 4 * i;
  EXPECT_EQ(TextAt(b, 184), Dir.Path().string());
  EXPECT_EQ(TextAt(b, 184 + 256), "");
  EXPECT_EQ(Int32At(b, 2744), 1);
  EXPECT_EQ(TextAt(b, 2748), Dir.Path().string());
  EXPECT_EQ(Int32At(b, 5308), 0);
  EXPECT_EQ(b[5312], 0);
  EXPECT_EQ(Int32At(b, 5316), 110);
  EXPECT_EQ(Int32At(b, 5320), 25);
  EXPECT_EQ(TextAt(b, 5324), "127.0.0.1");
  EXPECT_EQ(TextAt(b, 5344), "kelvab");
  EXPECT_EQ(TextAt(b, 5364), "kelvab");
  EXPECT_EQ(Int32At(b, 5384), 30);
  // Text fields are zero-filled to their width, and the padding is zero.
  for (size_t i = 184 + Dir.Path().string().size(); i < 2744; ++i) ASSERT_EQ(b[i], 0) << i;
  for (size_t i = 5388; i < 5392; ++i) EXPECT_EQ(b[i], 0);
}

TEST_F(SettingsTest, EveryFieldRoundTrips) {
  TSettings changed;
  {
    TGLOB glob(Program);
    TSettings& s = glob.Settings;
    s.PrintColor = true;
    s.PrintLandscape = false;
    s.AxisTitles = false;
    s.PrintFileName = false;
    s.PrintDescription = false;
    s.PrintDate = false;
    s.PrintSampleInterval = false;
    s.PrinterIndex = 3;
    s.ShowLegend = false;
    s.ShowMarks = true;
    s.AbsTimeScale = true;
    s.View3D = true;
    s.Rotate = false;
    s.AutoTimeScale = false;
    s.AutoScroll = true;
    s.ShowGrid = true;
    s.OneAxes = false;
    s.AllVertAuto = true;
    s.UndoZoomAuto = true;
    s.SampleInterval = 0.25;
    s.Language = 0;
    int32_t* ints[] = {&s.MonitorState, &s.MonitorTop,   &s.MonitorLeft, &s.MonitorWidth,
                       &s.MonitorHeight, &s.ControlState, &s.ControlTop, &s.ControlLeft,
                       &s.OpenTop,       &s.OpenLeft,     &s.OpenHeight, &s.OpenWidth};
    for (size_t i = 0; i < std::size(ints); ++i) *ints[i] = static_cast<int32_t>(i % 3 + 10 * i);
    s.MonitorState = 2;
    s.ControlState = 1;
    s.DestDirCount = 10;
    s.OpenDirCount = 7;
    for (int i = 0; i < SettingsDirSlots; ++i) {
      SetFixedText(s.DestDirs[i], SettingsDirSize, ("/dest/" + std::to_string(i)).c_str());
      SetFixedText(s.OpenDirs[i], SettingsDirSize, ("/open/" + std::to_string(i)).c_str());
    }
    s.NetEnable = 1;
    s.NetFlag = true;
    s.NetPortA = 1;
    s.NetPortB = 2;
    SetFixedText(s.NetAddress, sizeof s.NetAddress, "10.1.2.3");
    SetFixedText(s.NetUser, sizeof s.NetUser, "user");
    SetFixedText(s.NetPassword, sizeof s.NetPassword, "secret");
    s.NetTimeout = 99;
    changed = s;
  }
  TGLOB again(Program);
  EXPECT_EQ(std::memcmp(&again.Settings, &changed, sizeof changed), 0);
}

TEST_F(SettingsTest, FilesNotAcceptedAreReplacedByTheDefaults) {
  std::vector<unsigned char> defaults;
  {
    TGLOB glob(Program);
  }
  defaults = ReadBytes(Config);

  struct Case {
    const char* Name;
    size_t Size;
    size_t Offset;
    int32_t Value;
  };
  const Case cases[] = {
      {"revision 3", 5392, 8, 3},
      {"version 5", 5392, 4, 5},
      {"short file with the right versions", 5000, 0, 0},
      {"empty file", 0, 0, 0},
  };
  for (const Case& c : cases) {
    auto bytes = defaults;
    int32_t language = 0;  // a user's choice that must be lost
    std::memcpy(bytes.data() + 128, &language, 4);
    if (c.Offset) std::memcpy(bytes.data() + c.Offset, &c.Value, 4);
    bytes.resize(c.Size);
    WriteBytes(Config, bytes);
    {
      TGLOB glob(Program);
      EXPECT_EQ(glob.Settings.Language, 1) << c.Name;
      EXPECT_EQ(ReadBytes(Config), defaults) << c.Name << ": replaced at once";
    }
  }
}

TEST_F(SettingsTest, AcceptedFileWithBadValuesIsRepaired) {
  {
    TGLOB glob(Program);
    glob.Settings.MonitorTop = 321;  // a good value, kept through the repair
  }
  auto bytes = ReadBytes(Config);
  auto put32 = [&](size_t offset, int32_t v) { std::memcpy(bytes.data() + offset, &v, 4); };
  put32(128, 7);     // Language
  put32(132, 9);     // MonitorState
  put32(180, 50);    // DestDirCount
  put32(2744, -4);   // OpenDirCount
  put32(100, -9);    // PrinterIndex
  bytes[104] = 5;    // ShowLegend as a stray byte
  bytes[99] = 0xAA;  // padding
  const double nan = std::nan("");
  std::memcpy(bytes.data() + 120, &nan, 8);
  std::memset(bytes.data() + 184, 'x', 256);         // DestDirs[0] without its zero
  std::memcpy(bytes.data() + 5344, "ab\0garbage", 10);  // NetUser with junk after the zero
  WriteBytes(Config, bytes);

  TGLOB glob(Program);
  const TSettings& s = glob.Settings;
  EXPECT_EQ(s.Language, 1);
  EXPECT_EQ(s.MonitorState, 0);
  EXPECT_EQ(s.MonitorTop, 321);
  EXPECT_EQ(s.DestDirCount, 10);
  EXPECT_EQ(s.OpenDirCount, 0);
  EXPECT_EQ(s.PrinterIndex, -1);
  EXPECT_EQ(s.SampleInterval, 1.0);
  uint8_t legend;
  std::memcpy(&legend, &s.ShowLegend, 1);
  EXPECT_EQ(legend, 1);
  EXPECT_EQ(s.Padding99, 0);
  EXPECT_EQ(std::string(s.DestDirs[0]), std::string(255, 'x'));
  EXPECT_EQ(std::string(s.NetUser), "ab");
  EXPECT_EQ(std::memcmp(s.NetUser + 2, "\0\0\0\0\0\0\0\0", 8), 0);
}

TEST_F(SettingsTest, UnwritableSettingsFileIsPassedOverSilently) {
  const std::string missingDir = Dir.File("no/such/dir/vt4800");
  TGLOB glob(missingDir);
  EXPECT_EQ(glob.Settings.Language, 1);
  EXPECT_FALSE(std::filesystem::exists(glob.ConfigFileName));
}

TEST(Bcd, ConvertsBothWays) {
  const std::pair<uint8_t, int> cases[] = {{0x23, 23}, {0x59, 59}, {0x00, 0}, {0x99, 99},
                                           {0x07, 7},  {0x12, 12}};
  for (auto [bcd, value] : cases) {
    EXPECT_EQ(TGLOB::BcdToInt(bcd), value);
    EXPECT_EQ(TGLOB::IntToBcd(value), bcd);
  }
  // No validation of the nibbles.
  EXPECT_EQ(TGLOB::BcdToInt(0xFF), 165);
}

}  // namespace
