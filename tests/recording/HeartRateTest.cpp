#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <fstream>
#include <vector>

#include "TempDir.h"
#include "core/Settings.h"
#include "monitor/MonitorChart.h"
#include "recording/HeartRate.h"

namespace {

constexpr int M = 5, HR = 6, MBR = 7;
const double Null = TValueColumn::Null;

// A heart-rate file as a Polar monitor writes it, CR LF line ends; the zones before the
// samples are numbers that must not be taken for samples.
std::string Hrm(const std::string& intervalLine, const std::string& samples) {
  return "[Params]\r\nVersion=106\r\nMonitor=11\r\nDate=20090313\r\nStartTime=11:04:15.0\r\n"
         "Length=00:00:15.0\r\n" + intervalLine + "\r\nMaxHR=182\r\n\r\n[Note]\r\n\r\n"
         "[HRZones]\r\n182\r\n164\r\n\r\n[HRData]\r\n" + samples;
}

// Each value five times: a sample every 5 seconds over rows of 1 second.
std::vector<double> FiveTimes(std::initializer_list<double> samples) {
  std::vector<double> rows;
  for (double s : samples) rows.insert(rows.end(), 5, s);
  return rows;
}

std::vector<double> Values(const TMonitorChart& chart, int series) {
  std::vector<double> values;
  const TValueColumn& column = chart.Series(series).Values;
  for (size_t i = 0; i < column.Size(); ++i) values.push_back(column.At(i));
  return values;
}

void ExpectValues(const std::vector<double>& actual, const std::vector<double>& expected, const std::string& what) {
  ASSERT_EQ(actual.size(), expected.size()) << what;
  for (size_t i = 0; i < expected.size(); ++i) {
    if (std::isnan(expected[i]))
      EXPECT_TRUE(std::isnan(actual[i])) << what << " row " << i;
    else
      EXPECT_DOUBLE_EQ(actual[i], expected[i]) << what << " row " << i;
  }
}

// MBR as the rows of M make it.
std::vector<double> PerLitre(const std::vector<double>& rates, const std::vector<double>& ventilation) {
  std::vector<double> mbr;
  for (size_t i = 0; i < rates.size() && i < ventilation.size(); ++i) mbr.push_back(rates[i] / ventilation[i]);
  return mbr;
}

class HeartRateTest : public ::testing::Test {
 protected:
  // A device recording whose M channel holds the given rows.
  static void MakeRecording(TMonitorChart& chart, const std::vector<double>& ventilation) {
    chart.ClearChart();
    chart.InitChart();
    chart.AddDeviceChannels();
    for (double m : ventilation) {
      const double row[] = {1.0, m, m};
      chart.AppendRow(0, 0, row, 3, 0, "");
    }
  }
  // M of 10, 11, 12, ... litres a minute.
  static std::vector<double> Ventilation(int rows) {
    std::vector<double> m;
    for (int k = 0; k < rows; ++k) m.push_back(10.0 + k);
    return m;
  }
  std::string Write(const std::string& text) {
    const std::string path = Dir.File("x.hrm");
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    return path;
  }
  int Import(TMonitorChart& chart, const std::string& text) { return ImportHeartRate(Write(text), Params, chart); }

  TTempDir Dir;
  TSettings Settings = DefaultSettings("/tmp");
  TMonitorChart Chart{Settings};
  THeartRateParams Params;
};

TEST_F(HeartRateTest, EachSampleFillsIntervalRowsFromRowZero) {
  const std::vector<double> m = Ventilation(20);
  MakeRecording(Chart, m);
  ASSERT_EQ(Import(Chart, Hrm("Interval=5", "120\r\n130\r\n125\r\n")), hrImported);
  ASSERT_EQ(Chart.SeriesCount(), 8);
  EXPECT_EQ(Chart.Series(HR).Title, "HR (b/min)");
  EXPECT_EQ(Chart.Series(MBR).Title, "MBR (b/l)");
  const std::vector<double> hr = FiveTimes({120, 130, 125});
  ExpectValues(Values(Chart, HR), hr, "HR");
  ExpectValues(Values(Chart, MBR), PerLitre(hr, m), "MBR");
  EXPECT_EQ(Chart.RowCount(), 20u);
}

TEST_F(HeartRateTest, RecordingShorterThanTheSamplesGivesHrOnePointMore) {
  const std::vector<double> m = Ventilation(12);
  MakeRecording(Chart, m);
  ASSERT_EQ(Import(Chart, Hrm("Interval=5", "120\r\n130\r\n125\r\n")), hrImported);
  const std::vector<double> hr = FiveTimes({120, 130, 125});
  ExpectValues(Values(Chart, HR), std::vector<double>(hr.begin(), hr.begin() + 13), "HR");
  ExpectValues(Values(Chart, MBR), PerLitre(hr, m), "MBR");
}

TEST_F(HeartRateTest, SecondImportReplacesHrAndMbr) {
  const std::vector<double> m = Ventilation(20);
  MakeRecording(Chart, m);
  ASSERT_EQ(Import(Chart, Hrm("Interval=5", "120\r\n130\r\n125\r\n")), hrImported);
  int changes = 0;
  Chart.OnChanged = [&changes] { ++changes; };
  ASSERT_EQ(Import(Chart, Hrm("Interval=1", "90\r\n91\r\n")), hrImported);
  EXPECT_EQ(Chart.SeriesCount(), 8);
  ExpectValues(Values(Chart, HR), {90, 91}, "HR");
  ExpectValues(Values(Chart, MBR), {9.0, 91.0 / 11}, "MBR");
  EXPECT_GT(changes, 0);
}

TEST_F(HeartRateTest, HeartRateIsTheFirstColumnOfASampleLine) {
  const std::vector<double> m = Ventilation(5);
  MakeRecording(Chart, m);
  // Speed, cadence and altitude follow the heart rate; lines of any length, LF or CR LF.
  const std::string samples = "92\t51\t0\t285\r\n135\t85\t0\t286\n  140\t1\r\n150\t" + std::string(5000, '7') +
                              "\r\n99999\t12345\r\n";
  ASSERT_EQ(Import(Chart, Hrm("Interval=1", samples)), hrImported);
  const std::vector<double> hr = {92, 135, 140, 150, 99999};
  ExpectValues(Values(Chart, HR), hr, "HR");
  ExpectValues(Values(Chart, MBR), PerLitre(hr, m), "MBR");
}

TEST_F(HeartRateTest, ParamsConvertDateAndLength) {
  struct Case {
    const char* Name;
    std::string Text;
    const char *Date, *StartTime, *Length;
    int Interval, Points;
  };
  const Case cases[] = {
      {"HRM form", "[Params]\r\nDate=20090313\r\nStartTime=11:04:15.0\r\nLength=01:02:03.4\r\nInterval=1\r\n",
       "13-03-2009", "11:04:15.0", "01:02:03.4", 1, 3723},
      {"keys missing: defaults", "[Params]\r\nVersion=106\r\n", "04.01.1961", "12:00:0.0", "0:30:0.0", 0, 0},
      {"one-digit hours, LF", "[Params]\nLength=1:02:03.4\nInterval=5\n", "04.01.1961", "12:00:0.0", "1:02:03.4", 5, 744},
      {"default length", "[Params]\r\nInterval=1\r\n", "04.01.1961", "12:00:0.0", "0:30:0.0", 1, 1800},
      {"date not of eight digits", "[Params]\r\nDate=13.03.2009\r\n", "13.03.2009", "12:00:0.0", "0:30:0.0", 0, 0},
      {"date of seven digits", "[Params]\r\nDate=2009031\r\n", "2009031", "12:00:0.0", "0:30:0.0", 0, 0},
      {"date with a letter", "[Params]\r\nDate=2009O313\r\n", "2009O313", "12:00:0.0", "0:30:0.0", 0, 0},
      {"length without digits", "[Params]\r\nLength=ab:cd:ef\r\nInterval=1\r\n", "04.01.1961", "12:00:0.0",
       "ab:cd:ef", 1, 0},
      {"length of hours and minutes", "[Params]\r\nLength=2:30\r\nInterval=60\r\n", "04.01.1961", "12:00:0.0", "2:30",
       60, 150},
      {"length beyond int", "[Params]\r\nLength=99999999999999:00:00.0\r\nInterval=1\r\n", "04.01.1961", "12:00:0.0",
       "99999999999999:00:00.0", 1, INT_MAX},
      {"interval 0", "[Params]\r\nLength=01:00:00.0\r\nInterval=0\r\n", "04.01.1961", "12:00:0.0", "01:00:00.0", 0, 0},
      {"interval negative", "[Params]\r\nInterval=-5\r\n", "04.01.1961", "12:00:0.0", "0:30:0.0", -5, 0},
      {"interval not an integer", "[Params]\r\nInterval=5s\r\n", "04.01.1961", "12:00:0.0", "0:30:0.0", 0, 0},
      {"names in any case, blanks around", "[ params ]\r\n interval = 5 \r\nLENGTH=00:00:50.0\r\n", "04.01.1961",
       "12:00:0.0", "00:00:50.0", 5, 10},
      {"key of another section", "[Params]\r\nVersion=106\r\n[Trip]\r\nInterval=5\r\n", "04.01.1961", "12:00:0.0",
       "0:30:0.0", 0, 0},
      {"first of a key named twice", "[Params]\r\nInterval=5\r\nInterval=1\r\nLength=00:00:50.0\r\n", "04.01.1961",
       "12:00:0.0", "00:00:50.0", 5, 10},
  };
  for (const Case& c : cases) {
    ReadHeartRateParams(Write(c.Text), Params);
    EXPECT_EQ(Params.HrDate, c.Date) << c.Name;
    EXPECT_EQ(Params.HrStartTime, c.StartTime) << c.Name;
    EXPECT_EQ(Params.HrLength, c.Length) << c.Name;
    EXPECT_EQ(Params.HrInterval, c.Interval) << c.Name;
    EXPECT_EQ(Params.HrPoints, c.Points) << c.Name;
  }
}

TEST_F(HeartRateTest, UndefinedCasesHaveDefinedOutcomes) {
  std::string junk(4000, '\0');
  for (size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<char>(i * 37 + i / 7);
  struct Case {
    const char* Name;
    std::string Text;
    std::vector<double> Ventilation, Hr, Mbr;
  };
  const Case cases[] = {
      {"interval 0", Hrm("Interval=0", "120\r\n130\r\n"), {10, 20}, {}, {}},
      {"interval negative", Hrm("Interval=-5", "120\r\n130\r\n"), {10, 20}, {}, {}},
      {"interval not a number", Hrm("Interval=five", "120\r\n"), {10, 20}, {}, {}},
      {"no interval line", Hrm("RestHR=60", "120\r\n"), {10, 20}, {}, {}},
      {"no sample heading", "[Params]\r\nInterval=1\r\n\r\n[HRZones]\r\n120\r\n130\r\n", {10, 20}, {}, {}},
      {"empty lines and lines without a number", Hrm("Interval=1", "\r\n120\r\n\r\n--\r\nabc\r\n\t\r\n-7\r\n130"),
       {10, 20}, {120, 130}, {12, 6.5}},
      {"no ventilation", Hrm("Interval=1", "100\r\n100\r\n100\r\n100\r\n0\r\n"), {10, 0, Null, 20, 0},
       {100, 100, 100, 100, 0}, {10, Null, Null, 5, Null}},
      {"recording without rows", Hrm("Interval=5", "120\r\n130\r\n"), {}, {120}, {}},
      {"empty file", "", {10, 20}, {}, {}},
      {"binary junk", junk, {10, 20}, {}, {}},
  };
  for (const Case& c : cases) {
    TMonitorChart chart(Settings);
    MakeRecording(chart, c.Ventilation);
    EXPECT_EQ(Import(chart, c.Text), hrImported) << c.Name;
    ASSERT_EQ(chart.SeriesCount(), 8) << c.Name;
    ExpectValues(Values(chart, HR), c.Hr, std::string(c.Name) + ": HR");
    ExpectValues(Values(chart, MBR), c.Mbr, std::string(c.Name) + ": MBR");
    ExpectValues(Values(chart, M), c.Ventilation, std::string(c.Name) + ": M");
  }
}

TEST_F(HeartRateTest, NothingIsImportedWithoutAFileOrAnMChannel) {
  MakeRecording(Chart, Ventilation(3));
  Params.HrDate = "left over";
  EXPECT_EQ(ImportHeartRate(Dir.File("missing.hrm"), Params, Chart), hrNotImported);
  EXPECT_EQ(Params.HrDate, "04.01.1961");
  EXPECT_EQ(Chart.SeriesCount(), 6);

  TMonitorChart empty(Settings);
  empty.InitChart();
  EXPECT_EQ(Import(empty, Hrm("Interval=1", "120\r\n")), hrNotImported);
  EXPECT_EQ(Params.HrDate, "13-03-2009");
  EXPECT_EQ(empty.SeriesCount(), 3);
}

TEST_F(HeartRateTest, ChannelsOfALaboratoryFileAtSixAndSevenAreTakenOver) {
  for (int channels : {4, 5}) {
    TMonitorChart chart(Settings);
    chart.InitChart();
    for (int c = 0; c < channels; ++c) chart.AddChannelSeries("C" + std::to_string(c), clBlack);
    const double row[] = {1, 2, 8, 4, 5};
    for (int k = 0; k < 3; ++k) chart.AppendRow(0, 0, row, channels, 0, "");
    ASSERT_EQ(Import(chart, Hrm("Interval=1", "70\r\n80\r\n")), hrImported) << channels;
    ASSERT_EQ(chart.SeriesCount(), 8) << channels;
    EXPECT_EQ(chart.Series(HR).Title, "HR (b/min)") << channels;
    EXPECT_EQ(chart.Series(MBR).Title, "MBR (b/l)") << channels;
    EXPECT_EQ(chart.Axis(chart.Series(HR).VerticalAxis).Title, "HR (b/min)") << channels;
    ExpectValues(Values(chart, HR), {70, 80}, "HR");
    ExpectValues(Values(chart, MBR), {70.0 / 8, 10}, "MBR");
    ExpectValues(Values(chart, M), {8, 8, 8}, "M");
  }
}

}  // namespace
