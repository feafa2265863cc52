#include "recording/Columns.h"

#include <algorithm>

#include "recording/TimeLabels.h"

void TValueColumn::Clear() {
  Values.clear();
  BlockMin.clear();
  BlockMax.clear();
  AllMin = std::numeric_limits<double>::infinity();
  AllMax = -std::numeric_limits<double>::infinity();
}

void TValueColumn::Reserve(size_t rows) {
  Values.reserve(rows);
  BlockMin.reserve(rows / BlockRows + 1);
  BlockMax.reserve(rows / BlockRows + 1);
}

bool TValueColumn::Extremes(double& min, double& max) const {
  const double lo = BlockMin.empty() ? AllMin : std::min(AllMin, BlockMin.back());
  const double hi = BlockMax.empty() ? AllMax : std::max(AllMax, BlockMax.back());
  if (lo > hi) return false;
  min = lo;
  max = hi;
  return true;
}

bool TValueColumn::Extremes(size_t first, size_t last, double& min, double& max) const {
  last = std::min(last, Values.size());
  double lo = std::numeric_limits<double>::infinity();
  double hi = -std::numeric_limits<double>::infinity();
  size_t row = first;
  auto scanTo = [&](size_t end) {
    for (; row < end; ++row) {
      const double v = Values[row];
      if (v < lo) lo = v;  // false for NaN: nulls drop out by themselves
      if (v > hi) hi = v;
    }
  };
  const size_t firstWhole = (first + BlockRows - 1) / BlockRows;
  const size_t lastWhole = last / BlockRows;
  if (firstWhole >= lastWhole) {
    scanTo(last);
  } else {
    scanTo(firstWhole * BlockRows);
    for (size_t b = firstWhole; b < lastWhole; ++b) {
      lo = std::min(lo, BlockMin[b]);
      hi = std::max(hi, BlockMax[b]);
    }
    row = lastWhole * BlockRows;
    scanTo(last);
  }
  if (lo > hi) return false;
  min = lo;
  max = hi;
  return true;
}

void TLabelColumn::SetFormat(TLabelFormat format) {
  Clear();
  LabelFormat = format;
}

void TLabelColumn::AppendText(std::string_view text) {
  // A column of times that is given a text keeps every label it had, as text.
  if (LabelFormat != TLabelFormat::Text) ToText();
  Chars.append(text);
  Ends.push_back(static_cast<uint32_t>(Chars.size()));
}

void TLabelColumn::ToText() {
  std::vector<double> times;
  times.swap(Times);
  const TLabelFormat format = LabelFormat;
  LabelFormat = TLabelFormat::Text;
  TLabelColumn formatted;
  formatted.LabelFormat = format;
  formatted.Times = std::move(times);
  for (size_t row = 0; row < formatted.Times.size(); ++row) AppendText(formatted.Text(row));
}

void TLabelColumn::Clear() {
  Times.clear();
  Chars.clear();
  Ends.clear();
}

void TLabelColumn::Reserve(size_t rows) {
  if (LabelFormat == TLabelFormat::Text)
    Ends.reserve(rows);
  else
    Times.reserve(rows);
}

std::string TLabelColumn::Text(size_t row) const {
  if (row >= Size()) return {};
  switch (LabelFormat) {
    case TLabelFormat::Text: {
      const size_t begin = row == 0 ? 0 : Ends[row - 1];
      return Chars.substr(begin, Ends[row] - begin);
    }
    case TLabelFormat::LiveClock: return FormatLiveClock(Times[row]);
    case TLabelFormat::FileClock: return FormatFileClock(Times[row]);
    case TLabelFormat::LiveElapsed: return FormatLiveElapsed(Times[row]);
    case TLabelFormat::FileElapsed: return FormatFileElapsed(Times[row]);
    case TLabelFormat::DeviceElapsed: return FormatDeviceElapsed(Times[row]);
  }
  return {};
}

void TMarkColumn::AppendMark(double value, std::string_view text) {
  Rows.push_back(static_cast<uint32_t>(Count++));
  Values.push_back(value);
  Chars.append(text);
  Ends.push_back(static_cast<uint32_t>(Chars.size()));
  if (value > MaxMarkValue) MaxMarkValue = value;
}

void TMarkColumn::Clear() {
  Count = 0;
  Rows.clear();
  Values.clear();
  Chars.clear();
  Ends.clear();
  MaxMarkValue = 0;
}

size_t TMarkColumn::FirstMarkFrom(size_t row) const {
  return static_cast<size_t>(std::lower_bound(Rows.begin(), Rows.end(), row) - Rows.begin());
}

std::string_view TMarkColumn::MarkText(size_t mark) const {
  const size_t begin = mark == 0 ? 0 : Ends[mark - 1];
  return std::string_view(Chars).substr(begin, Ends[mark] - begin);
}

std::string_view TMarkColumn::TextAt(size_t row) const {
  const size_t mark = FirstMarkFrom(row);
  return mark < Rows.size() && Rows[mark] == row ? MarkText(mark) : std::string_view();
}
