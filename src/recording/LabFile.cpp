#include "recording/LabFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "core/DateTime.h"
#include "core/Glob.h"
#include "core/Paths.h"
#include "recording/Cp1251.h"
#include "recording/TimeLabels.h"

namespace {

const char* const Keys[] = {"Format-Version", "Device-Name",      "Channels-Count", "Started-Record",
                            "Stopped-Record", "Sample-Interval",  "Description",    "Data-Count",
                            "Column-Header",  "Data-Color",       "Data-AtmPressure", "Data-BodyMass",
                            "Data-TempEnviroment", "Data-Humidity", "Data-Table"};
enum TKey { kFormatVersion, kDeviceName, kChannelsCount, kStarted, kStopped, kSampleInterval, kDescription,
            kDataCount, kColumnHeader, kDataColor, kAtmPressure, kBodyMass, kTempEnviroment, kHumidity,
            kDataTable, KeyCount };

constexpr int DescriptionField = 81;

// Numbers in files have a point whatever the locale of the program.
std::string Fixed(double value, int decimals) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
  return std::string(text, result.ptr);
}

// Mark texts live in tab-separated lines: no tab and no line end in them.
std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  return text;
}

std::string Trim(std::string_view s) {
  const auto keep = [](char c) { return static_cast<unsigned char>(c) > ' '; };
  size_t begin = 0, end = s.size();
  while (begin < end && !keep(s[begin])) ++begin;
  while (end > begin && !keep(s[end - 1])) --end;
  return std::string(s.substr(begin, end - begin));
}

bool ParseInt(std::string_view s, long& value) {
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  const auto result = std::from_chars(s.data() + i, s.data() + s.size(), value);
  return result.ec == std::errc() && result.ptr != s.data() + i;
}

// The common case of a table, a plain decimal of up to 15 digits: its digits as an integer
// divided by a power of ten, both exact, so the quotient is the correctly rounded value that
// a full parse would give. False for anything else.
// Scans a plain decimal from p and returns where it stops, or null when p holds none.
const char* ScanPlainDecimal(const char* p, const char* end, double& value) {
  static const double Powers[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  const bool negative = p < end && *p == '-';
  if (negative) ++p;
  uint64_t mantissa = 0;
  int digits = 0, fraction = -1;
  for (; p < end; ++p) {
    const char c = *p;
    if (c >= '0' && c <= '9') {
      if (++digits > 15) return nullptr;
      mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
      if (fraction >= 0) ++fraction;
    } else if (c == '.' && fraction < 0) {
      fraction = 0;
    } else {
      break;
    }
  }
  if (digits == 0) return nullptr;
  value = static_cast<double>(mantissa) / Powers[fraction < 0 ? 0 : fraction];
  if (negative) value = -value;
  return p;
}

bool ParsePlainDecimal(const char* p, const char* end, double& value) {
  return ScanPlainDecimal(p, end, value) == end;
}

bool ParseDouble(std::string_view s, double& value) {
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  size_t end = s.size();
  while (end > i && s[end - 1] == ' ') --end;
  if (ParsePlainDecimal(s.data() + i, s.data() + end, value)) return true;
  const auto result = std::from_chars(s.data() + i, s.data() + end, value);
  return result.ec == std::errc() && result.ptr != s.data() + i && std::isfinite(value);
}

// dd.mm.yyyy hh:mm:ss; false when the text is no such date.
bool ParseLabDateTime(std::string_view s, double& value) {
  const std::string text = Trim(s);
  int d, mo, y, h, mi, sec;
  char tail;
  if (std::sscanf(text.c_str(), "%d.%d.%d %d:%d:%d%c", &d, &mo, &y, &h, &mi, &sec, &tail) != 6) return false;
  if (mo < 1 || mo > 12 || d < 1 || d > 31 || h < 0 || h > 23 || mi < 0 || mi > 59 || sec < 0 || sec > 59) return false;
  value = EncodeDateTime({y, mo, d, h, mi, sec, 0});
  return true;
}

// Fields split at tabs, runs of tabs one separator, a leading tab skipped.
std::vector<std::string_view> SplitTabs(std::string_view s) {
  std::vector<std::string_view> fields;
  size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && s[i] == '\t') ++i;
    if (i >= s.size()) break;
    const size_t end = std::min(s.find('\t', i), s.size());
    fields.push_back(s.substr(i, end - i));
    i = end;
  }
  return fields;
}

// Lines of a file opened for reading: LF or CR LF, at most MaxLabReadLine characters.
class TLineReader {
 public:
  explicit TLineReader(std::FILE* file) : File(file) {}
  // False at the end of the file or at a line too long, which TooLong then tells.
  bool Next(std::string& line) {
    line.clear();
    for (;;) {
      const int c = std::getc(File);
      if (c == EOF) return !line.empty();
      ++Position;
      if (c == '\n') break;
      if (line.size() >= MaxLabReadLine) {
        TooLong = true;
        return false;
      }
      line += static_cast<char>(c);
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
  }
  long Position = 0;
  bool TooLong = false;

 private:
  std::FILE* File;
};

struct TFileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using TFile = std::unique_ptr<std::FILE, TFileCloser>;

void Print(std::FILE* f, std::string_view text) { std::fwrite(text.data(), 1, text.size(), f); }

}  // namespace

std::string FormatLabDateTime(double dateTime) {
  const TDateTimeParts p = DecodeDateTime(dateTime);
  char text[32];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d:%02d", p.Day, p.Month, p.Year, p.Hour, p.Minute, p.Second);
  return text;
}

std::string MakeRecordingFileName(TGLOB& glob, double now) {
  const TDateTimeParts p = DecodeDateTime(now);
  char stamp[40];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d (%02d-%02d-%02d) ", p.Year, p.Month, p.Day, p.Hour, p.Minute,
                p.Second);
  glob.FileName = InDirectory(glob.Settings.DestDirs[0], stamp + glob.FileNamePostfix.substr(0, MaxPostfixLength) + ".rl2");
  return glob.FileName;
}

int CreateLabFile(TGLOB& glob, const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return lrCannotCreate;
  glob.RecordFile = f;
  TRecordingHeader& h = glob.RecordingHeader;
  h.DataCount = 0;
  glob.SnapshotCount = 0;
  const TMonitorChart& chart = glob.Monitor;
  const int channels = std::max(0, chart.AxisCount() - TMonitorChart::FirstChannel);
  Print(f, "Format-Version: 2\r\n");
  Print(f, "Device-Name: " + Utf8ToCp1251(h.DeviceName) + "\r\n");
  Print(f, "Channels-Count: " + std::to_string(channels) + "\r\n");
  Print(f, "Started-Record: " + FormatLabDateTime(h.StartTime) + "\r\n");
  glob.StopTimePos = static_cast<int32_t>(std::ftell(f)) + 16;
  Print(f, "Stopped-Record: " + FormatLabDateTime(h.StopTime) + "\r\n");
  Print(f, "Sample-Interval: " + Fixed(glob.Settings.SampleInterval, 3) + "\r\n");
  glob.DescriptionPos = static_cast<int32_t>(std::ftell(f)) + 13;
  Print(f, "Description: " + std::string(82, ' ') + "\r\n");
  glob.DataCountPos = static_cast<int32_t>(std::ftell(f)) + 12;
  Print(f, "Data-Count: " + std::string(6, ' ') + "\r\n");
  std::string header = "Column-Header:\t", colours = "Data-Color: ";
  for (int i = TMonitorChart::FirstChannel; i < chart.SeriesCount(); ++i) {
    header += Utf8ToCp1251(OneLine(chart.Series(i).Title)) + "\t";
    colours += std::to_string(static_cast<long>(chart.Series(i).Color)) + "\t";
  }
  Print(f, header + "Marks\r\n");
  Print(f, colours + "\r\nData-Table:\r\n");
  std::fflush(f);
  glob.RecordFileOpen = true;
  return lrOk;
}

bool AppendLabRow(TGLOB& glob) {
  TRecordingHeader& h = glob.RecordingHeader;
  if (!glob.RecordFileOpen || h.DataCount >= MaxLabRows) return false;
  const TMonitorChart& chart = glob.Monitor;
  const size_t row = static_cast<size_t>(h.DataCount);
  std::string line;
  for (int c = 0; c < chart.ChannelCount(); ++c) {
    // A row a channel has no value for (a heart-rate overlay shorter than the recording)
    // reads back as no value, not as a measured zero.
    const double value = chart.Value(c, row);
    line += TValueColumn::IsNull(value) ? std::string("nan") : Fixed(value, 1);
    line += '\t';
  }
  line += Utf8ToCp1251(OneLine(std::string(chart.MarkText(row))));
  line += "\r\n";
  Print(glob.RecordFile, line);
  // Each row goes to the system at once: a recording survives the program being killed.
  std::fflush(glob.RecordFile);
  ++h.DataCount;
  return true;
}

void FinishLabFile(TGLOB& glob) {
  if (!glob.RecordFileOpen) return;
  std::FILE* f = glob.RecordFile;
  const TRecordingHeader& h = glob.RecordingHeader;
  std::fseek(f, glob.StopTimePos, SEEK_SET);
  Print(f, FormatLabDateTime(h.StopTime));
  // A longer description is cut to its field, so that it cannot run into the next line.
  std::string description = Utf8ToCp1251(OneLine(h.Description)).substr(0, DescriptionField);
  description.resize(DescriptionField, ' ');
  std::fseek(f, glob.DescriptionPos, SEEK_SET);
  Print(f, description);
  char count[16];
  std::snprintf(count, sizeof count, "%6ld", static_cast<long>(h.DataCount));
  std::fseek(f, glob.DataCountPos, SEEK_SET);
  Print(f, count);
  std::fclose(f);
  glob.RecordFile = nullptr;
  glob.RecordFileOpen = false;
}

int ReadLabHeader(TGLOB& glob, const std::string& path) {
  glob.OpenPath = path;
  TFile file(std::fopen(path.c_str(), "rb"));
  if (!file) return lrCannotOpen;
  TLineReader lines(file.get());
  std::string line;
  if (!lines.Next(line)) return lrNotLaboratory;
  const size_t colon = line.find(':');
  if (colon == std::string::npos || line.compare(0, colon, Keys[kFormatVersion]) != 0) return lrNotLaboratory;
  long version = 0;
  if (!ParseInt(std::string_view(line).substr(colon + 1), version)) return lrNotLaboratory;
  TRecordingHeader& h = glob.RecordingHeader;
  h.FormatVersion = static_cast<int32_t>(version);
  if (version > 2) return lrNewerFormat;

  // A header that names no data table has nothing to load: the loader refuses it.
  h.DataTableOffset = -1;
  int key = 0;
  for (int n = 0; n < MaxLabHeaderLines && lines.Next(line); ++n) {
    const size_t split = line.find(':');
    const std::string_view name = std::string_view(line).substr(0, split == std::string::npos ? line.size() : split);
    const std::string_view value = split == std::string::npos ? std::string_view() : std::string_view(line).substr(split + 1);
    int found = key;
    while (found < KeyCount && name != Keys[found]) ++found;
    if (found == KeyCount) break;  // out of order or unknown: the rest of the header is not read
    key = found;
    long number = 0;
    double real = 0;
    switch (key) {
      case kDeviceName: h.DeviceName = Cp1251ToUtf8(Trim(value)); break;
      case kChannelsCount: h.ChannelsCount = ParseInt(value, number) ? static_cast<int32_t>(number) : 0; break;
      case kStarted: h.StartTime = ParseLabDateTime(value, real) ? real : 0; break;
      case kStopped: h.StopTime = ParseLabDateTime(value, real) ? real : 0; break;
      case kSampleInterval:
        // An interval that is no positive number would stack every row on one moment.
        h.LoadedInterval = ParseDouble(value, real) && real > 0 ? real : 1.0;
        break;
      case kDescription: h.Description = Cp1251ToUtf8(Trim(value.empty() ? value : value.substr(1))); break;
      case kDataCount: h.DataCount = ParseInt(value, number) ? static_cast<int32_t>(std::clamp(number, 0L, 99999999L)) : 0; break;
      case kColumnHeader: {
        const auto fields = SplitTabs(value);
        if (fields.size() > MaxColumnNames) return lrNotLaboratory;
        h.ColumnNames.clear();
        for (std::string_view f : fields) h.ColumnNames.push_back(Cp1251ToUtf8(Trim(f)));
        h.ColumnCount = static_cast<int32_t>(fields.size());
        break;
      }
      case kDataColor: {
        h.ColumnColors.clear();
        for (std::string_view f : SplitTabs(value)) {
          if (h.ColumnColors.size() >= MaxColumnColors) break;
          h.ColumnColors.push_back(ParseInt(f, number) ? static_cast<int32_t>(number) : 0);
        }
        break;
      }
      case kDataTable:
        h.DataTableOffset = static_cast<int32_t>(lines.Position);
        n = MaxLabHeaderLines;
        break;
      default: break;
    }
  }
  if (lines.TooLong) return lrNotLaboratory;
  // A header without the key keeps the interval before it, unless that one would stack the rows.
  if (!std::isfinite(h.LoadedInterval) || h.LoadedInterval <= 0) h.LoadedInterval = 1.0;
  h.LoadedIntervalDays = SecondsToTime(h.LoadedInterval);
  return lrOk;
}

int LoadLabFile(TGLOB& glob, const std::function<void(size_t done, size_t total)>& progress) {
  const std::string path = glob.OpenPath;
  TFile file(std::fopen(path.c_str(), "rb"));
  if (!file) return lrCannotOpen;
  TRecordingHeader& h = glob.RecordingHeader;
  if (ReadLabHeader(glob, path) != lrOk || h.DataTableOffset < 0) return lrCannotOpen;
  const int channels = std::max(0, h.ColumnCount - 1);
  if (channels > MaxLabChannels) return lrCannotOpen;
  glob.FileShown = true;
  const size_t total = static_cast<size_t>(h.DataCount);
  if (progress) progress(0, total);

  TMonitorChart& chart = glob.Monitor;
  chart.ClearChart();
  chart.InitChart();
  for (int i = 0; i < channels; ++i)
    chart.AddChannelSeries(h.ColumnNames[static_cast<size_t>(i)],
                           i < static_cast<int>(h.ColumnColors.size()) ? static_cast<TColor>(h.ColumnColors[static_cast<size_t>(i)]) : clBlack);
  chart.ArrangeAxes(glob.Settings.OneAxes ? 1 : 0);
  TChartSeries& marks = chart.Series(TMonitorChart::MarkSeriesIndex);
  TLabelColumn& elapsed = chart.Series(TMonitorChart::ElapsedLabelSeriesIndex).Labels;
  TLabelColumn& clock = chart.Series(TMonitorChart::ClockLabelSeriesIndex).Labels;
  elapsed.SetFormat(TLabelFormat::FileElapsed);
  clock.SetFormat(TLabelFormat::FileClock);
  const size_t expected = std::min(total, MaxLabLoadRows);
  elapsed.Reserve(expected);
  clock.Reserve(expected);
  std::vector<TValueColumn*> columns;
  for (int i = 0; i < channels; ++i) {
    columns.push_back(&chart.Series(TMonitorChart::FirstChannel + i).Values);
    columns.back()->Reserve(expected);
  }

  std::fseek(file.get(), h.DataTableOffset, SEEK_SET);
  double t = h.StartTime;
  size_t rows = 0;
  // The table is read in large blocks and cut into lines here: a long recording loads in one
  // pass without a call per character.
  std::vector<char> block(1 << 20);
  std::string carry;
  bool stop = false;
  auto row = [&](std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) return;  // a blank line is no row
    if (clock.Size() >= MaxLabLoadRows) {
      stop = true;
      return;
    }
    const char* p = line.data();
    const char* const e = p + line.size();
    for (TValueColumn* column : columns) {
      while (p < e && *p == '\t') ++p;
      // A missing field is a null point; a field that is no number reads 0, as atof would.
      if (p >= e) {
        column->Append(TValueColumn::Null);
        continue;
      }
      double value;
      const char* end = ScanPlainDecimal(p, e, value);
      if (!end || (end < e && *end != '\t')) {
        end = static_cast<const char*>(std::memchr(p, '\t', static_cast<size_t>(e - p)));
        if (!end) end = e;
        const std::string_view field(p, static_cast<size_t>(end - p));
        if (Trim(field) == "nan") value = TValueColumn::Null;
        else if (!ParseDouble(field, value)) value = 0;
      }
      column->Append(value);
      p = end < e ? end + 1 : end;
    }
    const size_t i = static_cast<size_t>(p - line.data());
    const std::string_view rest = line.substr(std::min(i, line.size()));
    const std::string mark = rest.empty() ? std::string() : Trim(OneLine(std::string(rest)));
    if (mark.empty())
      marks.Marks.AppendNull();
    else
      marks.Marks.AppendMark(30.0, Cp1251ToUtf8(mark));
    t += h.LoadedIntervalDays;
    clock.AppendTime(t);
    elapsed.AppendTime(t - h.StartTime);
    if (progress && (++rows & 0xFFFF) == 0) progress(rows, total);
  };
  while (!stop) {
    const size_t got = std::fread(block.data(), 1, block.size(), file.get());
    if (got == 0) break;
    std::string_view data(block.data(), got);
    size_t begin = 0;
    for (;;) {
      const size_t nl = data.find('\n', begin);
      if (nl == std::string_view::npos) break;
      std::string_view line = data.substr(begin, nl - begin);
      if (!carry.empty()) {
        carry.append(line);
        line = carry;
      }
      // A line longer than a laboratory file has ends the table: the rows before it stay.
      if (line.size() > MaxLabReadLine) {
        stop = true;
        break;
      }
      row(line);
      if (stop) break;
      carry.clear();
      begin = nl + 1;
    }
    if (!stop) carry.append(data.substr(begin));
    if (carry.size() > MaxLabReadLine) stop = true;
  }
  if (!stop && !carry.empty()) row(carry);
  glob.FileName = path;
  if (progress) progress(total, total);
  chart.Changed();
  return lrOk;
}
