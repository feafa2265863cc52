// The columns a recording's rows live in: channel values, time labels and marks. A recording
// of a day holds millions of rows, so every column keeps its rows compactly.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

// Channel values as float64; a null point is NaN. The extremes of every block of rows are kept
// as the rows arrive, so the extremes of any span are found without reading each of its rows.
class TValueColumn {
 public:
  static constexpr size_t BlockRows = 32;
  static constexpr double Null = std::numeric_limits<double>::quiet_NaN();

  // Inline: a long recording appends millions of values.
  __attribute__((always_inline)) void Append(double value) {
    if (Values.size() % BlockRows == 0) {
      // A block is whole: its extremes join those of all rows.
      if (!BlockMin.empty()) {
        AllMin = std::min(BlockMin.back(), AllMin);
        AllMax = std::max(BlockMax.back(), AllMax);
      }
      BlockMin.push_back(std::numeric_limits<double>::infinity());
      BlockMax.push_back(-std::numeric_limits<double>::infinity());
    }
    Values.push_back(value);
    // Comparisons with NaN are false: null points leave the extremes as they are.
    double& blockMin = BlockMin.back();
    double& blockMax = BlockMax.back();
    if (value < blockMin) blockMin = value;
    if (value > blockMax) blockMax = value;
  }
  void Clear();
  void Reserve(size_t rows);
  size_t Size() const { return Values.size(); }
  double At(size_t row) const { return Values[row]; }
  static bool IsNull(double value) { return std::isnan(value); }
  // Extremes of rows [first, last), nulls left out; false when there is no value among them.
  bool Extremes(size_t first, size_t last, double& min, double& max) const;
  // Extremes of all rows: those of the whole blocks and of the block still filling.
  bool Extremes(double& min, double& max) const;

 private:
  std::vector<double> Values;
  std::vector<double> BlockMin, BlockMax;
  double AllMin = std::numeric_limits<double>::infinity();
  double AllMax = -std::numeric_limits<double>::infinity();
};

// How a label column turns its stored values into texts.
enum class TLabelFormat : uint8_t {
  Text,           // the texts as they were given
  LiveClock,      // a date-time as "[dd]hh:mm:ss.z"
  FileClock,      // a date-time as "[dd]hh:mm:ss"
  LiveElapsed,    // a span in days as "[h:mm:ss.zz]"
  FileElapsed,    // a span in days as "[ss.zzz]"
  DeviceElapsed,  // seconds as "[h:mm:ss]"
};

// Labels of null points. Time labels are kept as the time they print (8 bytes a row) and
// formatted when read; free texts share one character buffer.
class TLabelColumn {
 public:
  void SetFormat(TLabelFormat format);
  TLabelFormat Format() const { return LabelFormat; }
  void AppendTime(double value) {
    if (LabelFormat == TLabelFormat::Text)
      AppendText(std::to_string(value));
    else
      Times.push_back(value);
  }
  void AppendText(std::string_view text);
  void Clear();
  void Reserve(size_t rows);
  size_t Size() const { return LabelFormat == TLabelFormat::Text ? Ends.size() : Times.size(); }
  std::string Text(size_t row) const;

 private:
  void ToText();
  TLabelFormat LabelFormat = TLabelFormat::Text;
  std::vector<double> Times;
  std::string Chars;
  std::vector<uint32_t> Ends;
};

// The marks of the rows: most rows have none, so only the marked rows are stored.
class TMarkColumn {
 public:
  void AppendNull() { ++Count; }
  void AppendMark(double value, std::string_view text);
  void Clear();
  size_t Size() const { return Count; }
  // Index among the marks of the first mark at or after the row.
  size_t FirstMarkFrom(size_t row) const;
  size_t MarkCount() const { return Rows.size(); }
  size_t MarkRow(size_t mark) const { return Rows[mark]; }
  double MarkValue(size_t mark) const { return Values[mark]; }
  std::string_view MarkText(size_t mark) const;
  // The mark text of a row; empty when the row has no mark or does not exist.
  std::string_view TextAt(size_t row) const;
  double MaxValue() const { return MaxMarkValue; }

 private:
  size_t Count = 0;
  std::vector<uint32_t> Rows;
  std::vector<double> Values;
  std::string Chars;
  std::vector<uint32_t> Ends;
  double MaxMarkValue = 0;
};
