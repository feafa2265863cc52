#include <gtest/gtest.h>

#include <fstream>

#include "TempDir.h"
#include "core/DateTime.h"
#include "core/Glob.h"
#include "recording/Cp1251.h"
#include "recording/LabFile.h"

namespace {

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

class LabFileTest : public ::testing::Test {
 protected:
  void SetUp() override { Glob.Monitor.InitChart(); }
  // A header as this program writes it, for a file of the given table.
  static std::string Header(const std::string& columns, const std::string& colours, int rows) {
    char count[16];
    std::snprintf(count, sizeof count, "%6d", rows);
    return "Format-Version: 2\r\nDevice-Name: VT4800\r\nChannels-Count: 3\r\n"
           "Started-Record: 13.03.2009 11:04:15\r\nStopped-Record: 13.03.2009 11:34:15\r\n"
           "Sample-Interval: 0.500\r\nDescription: " + std::string(82, ' ') + "\r\nData-Count: " + count + "\r\n"
           "Column-Header:\t" + columns + "\r\nData-Color: " + colours + "\r\nData-Table:\r\n";
  }

  TTempDir Dir;
  TGLOB Glob{Dir.File("vt4800")};
};

TEST_F(LabFileTest, WritesTheHeaderPlaceholdersAndRowsToTheByte) {
  Glob.Monitor.AddDeviceChannels();
  TRecordingHeader& h = Glob.RecordingHeader;
  h.DeviceName = "VT4800";
  h.StartTime = EncodeDateTime({2009, 3, 13, 11, 4, 15});
  h.StopTime = h.StartTime;
  const std::string path = Dir.File("run.rl2");
  ASSERT_EQ(CreateLabFile(Glob, path), lrOk);
  EXPECT_TRUE(Glob.RecordFileOpen);
  const double rows[][3] = {{0.5, 12.34, 6.17}, {1.05, 20.0, 21.0}};
  Glob.Monitor.AppendRow(0, 0, rows[0], 3, 1.0, "");
  AppendLabRow(Glob);
  Glob.Monitor.AppendRow(0, 0, rows[1], 3, 1.0, "Нагрузка\t1");
  AppendLabRow(Glob);
  h.StopTime = EncodeDateTime({2009, 3, 13, 11, 34, 15});
  h.Description = "Test run1";
  FinishLabFile(Glob);
  EXPECT_FALSE(Glob.RecordFileOpen);

  const std::string expected =
      "Format-Version: 2\r\nDevice-Name: VT4800\r\nChannels-Count: 3\r\n"
      "Started-Record: 13.03.2009 11:04:15\r\nStopped-Record: 13.03.2009 11:34:15\r\n"
      "Sample-Interval: 1.000\r\nDescription: Test run1" + std::string(72, ' ') + " \r\n"
      "Data-Count:      2\r\nColumn-Header:\tV (l)\tF (1/min)\tM (l/min)\tMarks\r\n"
      "Data-Color: 255\t16711680\t32768\t\r\nData-Table:\r\n"
      "0.5\t12.3\t6.2\t\r\n1.1\t20.0\t21.0\t" + Utf8ToCp1251("Нагрузка 1") + "\r\n";
  EXPECT_EQ(ReadText(path), expected);
}

TEST_F(LabFileTest, EmptyRecordingAndOverlongDescription) {
  Glob.Monitor.AddDeviceChannels();
  Glob.RecordingHeader.Description = std::string(100, 'd');
  ASSERT_EQ(CreateLabFile(Glob, Dir.File("empty.rl2")), lrOk);
  FinishLabFile(Glob);
  const std::string text = ReadText(Dir.File("empty.rl2"));
  EXPECT_NE(text.find("Description: " + std::string(81, 'd') + " \r\nData-Count:      0\r\n"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 13), "Data-Table:\r\n");
  // Nothing open: no effect.
  FinishLabFile(Glob);
  EXPECT_FALSE(AppendLabRow(Glob));
  EXPECT_EQ(CreateLabFile(Glob, Dir.File("no/such/dir/x.rl2")), lrCannotCreate);
}

TEST_F(LabFileTest, RowLimitIsNeverPassed) {
  Glob.Monitor.AddDeviceChannels();
  ASSERT_EQ(CreateLabFile(Glob, Dir.File("full.rl2")), lrOk);
  Glob.RecordingHeader.DataCount = MaxLabRows;
  const double row[] = {1, 2, 3};
  Glob.Monitor.AppendRow(0, 0, row, 3, 1.0, "");
  EXPECT_FALSE(AppendLabRow(Glob));
  FinishLabFile(Glob);
  EXPECT_NE(ReadText(Dir.File("full.rl2")).find("Data-Count: 999999\r\n"), std::string::npos);
}

TEST_F(LabFileTest, FileNameOfALiveRecording) {
  SetFixedText(Glob.Settings.DestDirs[0], SettingsDirSize, "/data/lab");
  Glob.FileNamePostfix = "run1";
  EXPECT_EQ(MakeRecordingFileName(Glob, EncodeDateTime({2009, 3, 13, 11, 4, 15})),
            "/data/lab/2009-03-13 (11-04-15) run1.rl2");
  EXPECT_EQ(Glob.FileName, "/data/lab/2009-03-13 (11-04-15) run1.rl2");
  SetFixedText(Glob.Settings.DestDirs[0], SettingsDirSize, "/data/lab/");
  Glob.FileNamePostfix.clear();
  EXPECT_EQ(MakeRecordingFileName(Glob, EncodeDateTime({2009, 3, 13, 11, 4, 15})), "/data/lab/2009-03-13 (11-04-15) .rl2");
}

TEST_F(LabFileTest, ReadsBackWhatItWrote) {
  WriteText(Dir.File("a.rl2"), Header("V (l)\tF (1/min)\tM (l/min)\tMarks", "255\t16711680\t32768\t", 3) +
                                   "0.5\t12.3\t6.2\t\r\n1.0\t14.0\t14.0\tstep\r\n\n1.5\t15.0\t22.5\t\n");
  ASSERT_EQ(ReadLabHeader(Glob, Dir.File("a.rl2")), lrOk);
  const TRecordingHeader& h = Glob.RecordingHeader;
  EXPECT_EQ(h.DeviceName, "VT4800");
  EXPECT_EQ(h.ColumnCount, 4);
  EXPECT_EQ(h.ColumnNames.back(), "Marks");
  EXPECT_EQ(h.ColumnColors, (std::vector<int32_t>{255, 16711680, 32768}));
  EXPECT_EQ(h.DataCount, 3);
  EXPECT_DOUBLE_EQ(h.LoadedInterval, 0.5);
  EXPECT_EQ(h.Description, "");
  EXPECT_EQ(FormatLabDateTime(h.StopTime), "13.03.2009 11:34:15");

  ASSERT_EQ(LoadLabFile(Glob), lrOk);
  const TMonitorChart& chart = Glob.Monitor;
  ASSERT_EQ(chart.ChannelCount(), 3);
  EXPECT_EQ(chart.Series(4).Title, "F (1/min)");
  EXPECT_EQ(chart.Series(5).Color, 32768u);
  EXPECT_EQ(chart.RowCount(), 3u);  // the blank line is no row
  EXPECT_DOUBLE_EQ(chart.Value(2, 2), 22.5);
  EXPECT_EQ(chart.MarkText(1), "step");
  EXPECT_EQ(chart.Series(0).Marks.MarkValue(0), 30.0);
  EXPECT_EQ(chart.Series(2).Labels.Text(0), "[13]11:04:15");
  EXPECT_EQ(chart.Series(1).Labels.Text(2), "[01.500]");
  EXPECT_TRUE(Glob.FileShown);
  EXPECT_EQ(Glob.FileName, Dir.File("a.rl2"));
}

TEST_F(LabFileTest, HeaderKeysOnlyMoveForward) {
  // Device-Name after Started-Record stops the lookup: the table is not found.
  WriteText(Dir.File("order.rl2"), "Format-Version: 2\r\nChannels-Count: 3\r\nStarted-Record: 13.03.2009 11:04:15\r\n"
                                   "Device-Name: Other\r\nData-Table:\r\n1.0\t\r\n");
  Glob.RecordingHeader.DeviceName = "before";
  EXPECT_EQ(ReadLabHeader(Glob, Dir.File("order.rl2")), lrOk);
  EXPECT_EQ(Glob.RecordingHeader.DeviceName, "before");
  EXPECT_EQ(Glob.RecordingHeader.DataTableOffset, -1);
  EXPECT_EQ(LoadLabFile(Glob), lrCannotOpen);
}

TEST_F(LabFileTest, MalformedFilesEndInAResultOrARepair) {
  const std::string good = Header("V (l)\tF (1/min)\tM (l/min)\tMarks", "255\t16711680\t32768\t", 2);
  std::string binary(3000, '\0');
  for (size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 37);
  std::string twentyOne, many;
  for (int i = 0; i < 21; ++i) twentyOne += "C" + std::to_string(i) + "\t";
  for (int i = 0; i < 41; ++i) many += "C" + std::to_string(i) + "\t";
  struct Case {
    const char* Name;
    std::string Text;
    int Header, Load;
  };
  const Case cases[] = {
      {"empty file", "", lrNotLaboratory, lrCannotOpen},
      {"binary file", binary, lrNotLaboratory, lrCannotOpen},
      {"other first key", "Device-Name: x\r\nFormat-Version: 2\r\n", lrNotLaboratory, lrCannotOpen},
      {"version 3", "Format-Version: 3\r\nData-Table:\r\n", lrNewerFormat, lrCannotOpen},
      {"version not a number", "Format-Version: two\r\nData-Table:\r\n", lrNotLaboratory, lrCannotOpen},
      {"header line too long", "Format-Version: 2\r\nDevice-Name: " + std::string(5000, 'x') + "\r\nData-Table:\r\n",
       lrNotLaboratory, lrCannotOpen},
      {"no data table", "Format-Version: 2\r\nDevice-Name: x\r\n", lrOk, lrCannotOpen},
      {"21 channels", "Format-Version: 2\r\nColumn-Header:\t" + twentyOne + "Marks\r\nData-Table:\r\n", lrOk, lrCannotOpen},
      {"41 column names", "Format-Version: 2\r\nColumn-Header:\t" + many + "Marks\r\nData-Table:\r\n", lrNotLaboratory,
       lrCannotOpen},
  };
  for (const Case& c : cases) {
    WriteText(Dir.File("bad.rl2"), c.Text);
    EXPECT_EQ(ReadLabHeader(Glob, Dir.File("bad.rl2")), c.Header) << c.Name;
    EXPECT_EQ(LoadLabFile(Glob), c.Load) << c.Name;
  }
  EXPECT_EQ(ReadLabHeader(Glob, Dir.File("missing.rl2")), lrCannotOpen);

  // Rows that do not fit the channels are repaired: short rows get null points, extra
  // fields join the mark, text reads 0, a line too long ends the table.
  WriteText(Dir.File("rows.rl2"), good + "1.0\t2.0\r\n1.0\t2.0\t3.0\t4.0\t5.0\r\nx\ty\tz\t\r\n" + std::string(5000, '9') +
                                      "\r\n7.0\t7.0\t7.0\t\r\n");
  ASSERT_EQ(ReadLabHeader(Glob, Dir.File("rows.rl2")), lrOk);
  ASSERT_EQ(LoadLabFile(Glob), lrOk);
  const TMonitorChart& chart = Glob.Monitor;
  ASSERT_EQ(chart.RowCount(), 3u);
  EXPECT_TRUE(std::isnan(chart.Value(2, 0)));
  EXPECT_EQ(chart.MarkText(1), "4.0 5.0");
  EXPECT_EQ(chart.Value(0, 2), 0.0);
  for (int s = 1; s < chart.SeriesCount(); ++s) EXPECT_EQ(chart.Series(s).Count(), 3u) << s;
  EXPECT_EQ(chart.Series(0).Count(), 3u);
}

TEST_F(LabFileTest, HeaderWithoutAnIntervalSpacesTheRowsASecondApart) {
  // Found by fuzzing: a fresh state has no interval, and the rows all fell on one moment.
  WriteText(Dir.File("nointerval.rl2"), "Format-Version: 2\r\nStarted-Record: 13.03.2009 11:04:15\r\n"
                                        "Column-Header:\tV (l)\tMarks\r\nData-Table:\r\n1.0\t\r\n2.0\t\r\n");
  TGLOB fresh(std::string(), false);
  fresh.Monitor.InitChart();
  ASSERT_EQ(ReadLabHeader(fresh, Dir.File("nointerval.rl2")), lrOk);
  EXPECT_EQ(fresh.RecordingHeader.LoadedInterval, 1.0);
  ASSERT_EQ(LoadLabFile(fresh), lrOk);
  EXPECT_EQ(fresh.Monitor.Series(TMonitorChart::ElapsedLabelSeriesIndex).Labels.Text(1), "[02.000]");
  // A header without the key keeps a usable interval from before.
  Glob.RecordingHeader.LoadedInterval = 0.5;
  ASSERT_EQ(ReadLabHeader(Glob, Dir.File("nointerval.rl2")), lrOk);
  EXPECT_EQ(Glob.RecordingHeader.LoadedInterval, 0.5);
}

}  // namespace
