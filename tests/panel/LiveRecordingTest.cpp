// The road of a live sample: device, link, Start, ticks with marks, Stop, the file on disk,
// and the file loaded back. In virtual time with the simulated device.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "FakeDeviceView.h"
#include "TempDir.h"
#include "core/DateTime.h"
#include "core/Glob.h"
#include "core/VirtualEventLoop.h"
#include "device/Devices.h"
#include "device/SimulatedSerial.h"
#include "panel/LiveRecording.h"
#include "recording/LabFile.h"

namespace {

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Row(double v, double f, double m, const std::string& mark) {
  char text[128];
  std::snprintf(text, sizeof text, "%.1f\t%.1f\t%.1f\t%s\r\n", v, f, m, mark.c_str());
  return text;
}

class LiveRecordingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Glob.Monitor.InitChart();
    SetFixedText(Glob.Settings.DestDirs[0], SettingsDirSize, Dir.Path().c_str());
    View.Discovery = &Discovery;
    Discovery.BuildPortList();
    Discovery.ScanTimer->SetEnabled(true);
    Loop.Advance(6000);
    ASSERT_NE(Devices.First(), nullptr);
  }
  TTempDir Dir;
  TVirtualEventLoop Loop{EncodeDateTime({2026, 12, 11, 10, 0, 0})};
  TSimulatedSerialProvider Serial{Loop, {"COM3"}, "COM3"};
  TGLOB Glob{Dir.File("vt4800")};
  TFakeDeviceView View;
  TDevices Devices{Glob};
  TDiscovery Discovery{{Loop, Serial, Glob, View}, Devices};
  TLiveRecording Recording{Loop, Glob, Devices};
};

TEST_F(LiveRecordingTest, RecordsThirtyTicksWithTwoMarksIntoTheFile) {
  Glob.Settings.SampleInterval = 1.0;
  // The wall clock's seconds, as the control panel's clock gives them.
  auto clock = Loop.CreateTimer(1000, true, [&] { Recording.SecondsChanged(); });
  int taken = 0;
  Recording.OnMarkTaken = [&] { ++taken; };
  const double start = Loop.Now();
  ASSERT_TRUE(Recording.Start("run1"));
  const std::string path = Glob.FileName;
  EXPECT_EQ(path, Dir.File("2026-12-11 (10-00-06) run1.rl2"));
  EXPECT_TRUE(Glob.RecordFileOpen);
  std::vector<std::array<double, 3>> sampled;
  std::vector<std::string> marks(30);
  auto sample = [&] {
    const TQLNDevice& d = *Devices.First();
    sampled.push_back({d.Volume, d.Frequency, d.Ventilation});
  };
  for (int tick = 0; tick < 30; ++tick) {
    if (tick == 4) Recording.SetMark("rest");
    if (tick == 17) Recording.SetMark("Нагрузка");
    Loop.Advance(999);
    sample();  // the values the tick at the next millisecond takes
    Loop.Advance(1);
  }
  marks[4] = "rest";
  marks[17] = "Нагрузка";
  Glob.RecordingHeader.Description = "Step test";
  Recording.Stop();
  EXPECT_FALSE(Recording.Running());
  EXPECT_FALSE(Glob.RecordFileOpen);
  EXPECT_EQ(taken, 2);
  ASSERT_EQ(Glob.RecordingHeader.DataCount, 30);

  const std::string expectedHeader =
      "Format-Version: 2\r\nDevice-Name: VT4800\r\nChannels-Count: 3\r\n"
      "Started-Record: " + FormatLabDateTime(start) + "\r\n"
      "Stopped-Record: " + FormatLabDateTime(start + 30.0 / 86400) + "\r\n"
      "Sample-Interval: 1.000\r\nDescription: Step test" + std::string(72, ' ') + " \r\n"
      "Data-Count:     30\r\nColumn-Header:\tV (l)\tF (1/min)\tM (l/min)\tMarks\r\n"
      "Data-Color: 255\t16711680\t32768\t\r\nData-Table:\r\n";
  std::string expectedRows;
  for (int k = 0; k < 30; ++k)
    expectedRows += Row(sampled[k][0], sampled[k][1], sampled[k][2], k == 17 ? "\xCD\xE0\xE3\xF0\xF3\xE7\xEA\xE0" : marks[k]);
  EXPECT_EQ(ReadText(path), expectedHeader + expectedRows);

  // Loaded back: the same channels, values to one decimal, marks and labels.
  TGLOB loaded(Dir.File("other"));
  loaded.Monitor.InitChart();
  ASSERT_EQ(ReadLabHeader(loaded, path), lrOk);
  ASSERT_EQ(LoadLabFile(loaded), lrOk);
  const TMonitorChart& chart = loaded.Monitor;
  ASSERT_EQ(chart.ChannelCount(), 3);
  ASSERT_EQ(chart.RowCount(), 30u);
  for (int c = 0; c < 3; ++c) {
    EXPECT_EQ(chart.Series(3 + c).Title, Glob.Monitor.Series(3 + c).Title);
    EXPECT_EQ(chart.Series(3 + c).Color, Glob.Monitor.Series(3 + c).Color);
    for (size_t k = 0; k < 30; ++k) EXPECT_NEAR(chart.Value(c, k), sampled[k][c], 0.05 + 1e-9) << c << " " << k;
  }
  EXPECT_EQ(chart.MarkText(4), "rest");
  EXPECT_EQ(chart.MarkText(17), "Нагрузка");
  EXPECT_EQ(chart.MarkText(5), "");
  EXPECT_EQ(chart.Series(2).Labels.Text(0), "[11]10:00:07");
  EXPECT_EQ(chart.Series(1).Labels.Text(29), "[30.000]");
  // The live chart's labels: the tick time and the elapsed time at the last second.
  EXPECT_EQ(Glob.Monitor.Series(2).Labels.Text(0), "[11]10:00:07.0");
  EXPECT_EQ(Glob.Monitor.Series(1).Labels.Text(29), "[0:00:29.00]");
}

TEST_F(LiveRecordingTest, StartFailsWhereNoFileCanBeMade) {
  SetFixedText(Glob.Settings.DestDirs[0], SettingsDirSize, Dir.File("missing").c_str());
  EXPECT_FALSE(Recording.Start(""));
  EXPECT_FALSE(Recording.Running());
  EXPECT_FALSE(Glob.RecordFileOpen);
}

TEST_F(LiveRecordingTest, StopBeforeTheFirstTickLeavesAHeaderAndNoRows) {
  ASSERT_TRUE(Recording.Start(""));
  Loop.Advance(500);
  Recording.Stop();
  const std::string text = ReadText(Glob.FileName);
  EXPECT_NE(text.find("Data-Count:      0\r\n"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 13), "Data-Table:\r\n");
}

TEST_F(LiveRecordingTest, HalfSecondRowsAndTheLinkLost) {
  Glob.Settings.SampleInterval = 0.5;
  auto clock = Loop.CreateTimer(1000, true, [&] { Recording.SecondsChanged(); });
  ASSERT_TRUE(Recording.Start(""));
  Loop.Advance(2000);
  EXPECT_EQ(Glob.RecordingHeader.DataCount, 4);
  // Two rows within one second of the wall clock carry the same elapsed label.
  EXPECT_EQ(Glob.Monitor.Series(1).Labels.Text(0), Glob.Monitor.Series(1).Labels.Text(1));
  View.Recording = true;
  Serial.Device.Faults.Silent = true;
  Loop.Advance(700);
  EXPECT_EQ(View.RecordingsStopped, 1);
}

}  // namespace
