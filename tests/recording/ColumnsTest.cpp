#include <gtest/gtest.h>

#include <random>

#include "core/DateTime.h"
#include "recording/Columns.h"
#include "recording/TimeLabels.h"

namespace {

TEST(ValueColumn, ExtremesOfAnySpanMatchAFullScan) {
  TValueColumn column;
  std::mt19937 random(7);
  std::uniform_real_distribution<double> value(-50, 50);
  std::vector<double> rows;
  for (int i = 0; i < 1000; ++i) {
    // Nulls here and there, and one whole block of them.
    const double v = (i % 17 == 0 || (i >= 64 && i < 96)) ? TValueColumn::Null : value(random);
    rows.push_back(v);
    column.Append(v);
  }
  const std::pair<size_t, size_t> spans[] = {{0, 1000}, {0, 1},   {31, 33},  {32, 64},
                                             {64, 96},  {63, 97}, {5, 990},  {500, 501},
                                             {999, 1000}, {10, 10}, {900, 5000}};
  for (auto [first, last] : spans) {
    double lo = INFINITY, hi = -INFINITY;
    for (size_t i = first; i < std::min<size_t>(last, rows.size()); ++i)
      if (!std::isnan(rows[i])) lo = std::min(lo, rows[i]), hi = std::max(hi, rows[i]);
    double min = 0, max = 0;
    const bool any = column.Extremes(first, last, min, max);
    ASSERT_EQ(any, lo <= hi) << first << ".." << last;
    if (any) {
      EXPECT_EQ(min, lo) << first << ".." << last;
      EXPECT_EQ(max, hi) << first << ".." << last;
    }
  }
  column.Clear();
  double min, max;
  EXPECT_FALSE(column.Extremes(min, max));
  EXPECT_EQ(column.Size(), 0u);
}

TEST(LabelColumn, TimesPrintInTheirFormatAndTextsAsGiven) {
  TLabelColumn clock;
  clock.SetFormat(TLabelFormat::LiveClock);
  const double t = EncodeDateTime({2026, 12, 5, 9, 4, 3, 7});
  clock.AppendTime(t);
  EXPECT_EQ(clock.Text(0), "[05]09:04:03.7");
  EXPECT_EQ(clock.Text(1), "");  // no such row

  // A text given to a column of times keeps the labels it had.
  clock.AppendText("free text");
  EXPECT_EQ(clock.Format(), TLabelFormat::Text);
  EXPECT_EQ(clock.Text(0), "[05]09:04:03.7");
  EXPECT_EQ(clock.Text(1), "free text");
  EXPECT_EQ(clock.Size(), 2u);

  TLabelColumn texts;
  texts.AppendText("");
  texts.AppendText("b");
  EXPECT_EQ(texts.Text(0), "");
  EXPECT_EQ(texts.Text(1), "b");
}

TEST(MarkColumn, OnlyMarkedRowsCarryText) {
  TMarkColumn marks;
  marks.AppendNull();
  marks.AppendMark(1.0, "start");
  marks.AppendNull();
  marks.AppendMark(30.0, "peak");
  EXPECT_EQ(marks.Size(), 4u);
  EXPECT_EQ(marks.TextAt(0), "");
  EXPECT_EQ(marks.TextAt(1), "start");
  EXPECT_EQ(marks.TextAt(3), "peak");
  EXPECT_EQ(marks.TextAt(9), "");
  EXPECT_EQ(marks.FirstMarkFrom(2), 1u);
  EXPECT_EQ(marks.MarkRow(1), 3u);
  EXPECT_EQ(marks.MaxValue(), 30.0);
}

TEST(TimeLabels, Formats) {
  const double day = 1.0, hour = 1.0 / 24, minute = hour / 60, second = minute / 60,
               ms = second / 1000;
  EXPECT_EQ(FormatLiveElapsed(day + 2 * hour + 3 * minute + 4 * second + 56 * ms), "[26:03:04.56]");
  EXPECT_EQ(FormatLiveElapsed(3 * minute + 7 * ms), "[0:03:00.07]");
  EXPECT_EQ(FormatLiveElapsed(250 * ms), "[0:00:00.250]");
  EXPECT_EQ(FormatLiveElapsed(0), "[0:00:00.00]");
  EXPECT_EQ(FormatFileElapsed(65 * second), "[05.000]");
  EXPECT_EQ(FormatFileElapsed(1.5 * second), "[01.500]");
  EXPECT_EQ(FormatFileClock(EncodeDateTime({2026, 1, 31, 23, 59, 58, 900})), "[31]23:59:58");
  EXPECT_EQ(FormatDeviceElapsed(0), "[00:00:00]");
  EXPECT_EQ(FormatDeviceElapsed(3661), "[1:01:01]");
  EXPECT_EQ(FormatDeviceElapsed(90000), "[23:00:00]");
}

TEST(TimeLabels, SecondsToTimeCapsHoursAt23) {
  const TDateTimeParts p = DecodeDateTime(SecondsToTime(90061.5));
  EXPECT_EQ(p.Hour, 23);
  EXPECT_EQ(p.Minute, 1);
  EXPECT_EQ(p.Second, 1);
  EXPECT_EQ(p.Millisecond, 500);
  EXPECT_DOUBLE_EQ(SecondsToTime(1.0), 1.0 / 86400);
  EXPECT_EQ(SecondsToTime(-3), 0.0);
}

}  // namespace
