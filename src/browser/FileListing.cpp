#include "browser/FileListing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "core/DateTime.h"
#include "core/Glob.h"
#include "core/Texts.h"
#include "recording/DeviceFile.h"
#include "recording/HeartRate.h"
#include "recording/LabFile.h"
#include "recording/TimeLabels.h"

namespace fs = std::filesystem;

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

// The order in which a desktop that ignores letter case lists names; equal names in another
// case keep a fixed order.
bool ComesBefore(const std::string& a, const std::string& b) {
  const auto lowerLess = [](char x, char y) { return static_cast<unsigned char>(Lower(x)) < static_cast<unsigned char>(Lower(y)); };
  if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), lowerLess)) return true;
  if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), lowerLess)) return false;
  return a < b;
}

std::vector<std::string> MatchingNames(const std::string& directory, int kind) {
  std::vector<std::string> names;
  if (directory.empty() || KindExtension(kind).empty()) return names;
  std::error_code error;
  fs::directory_iterator it(fs::path(directory), fs::directory_options::skip_permission_denied, error);
  for (; !error && it != fs::directory_iterator(); it.increment(error)) {
    std::string name = it->path().filename().string();
    std::error_code typeError;
    if (HasKindExtension(name, kind) && it->is_regular_file(typeError)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end(), ComesBefore);
  return names;
}

std::string DeviceStartText(const TDeviceFileHeader& h) {
  char text[64];
  std::snprintf(text, sizeof text, "%02d.%02d.%02d  %02d:%02d:%02d", h.StartDay, h.StartMonth, h.StartYear + 2000,
                h.StartHour, h.StartMinute, h.StartSecond);
  return text;
}

}  // namespace

std::string KindExtension(int kind) {
  return kind >= 0 && kind < FileTypeExtCount ? FileTypeExts[kind] : "";
}

bool HasKindExtension(const std::string& fileName, int kind) {
  const std::string extension = KindExtension(kind);
  if (extension.empty() || fileName.size() < extension.size() + 2) return false;
  const size_t dot = fileName.size() - extension.size() - 1;
  return fileName[dot] == '.' && EqualsIgnoringCase(std::string_view(fileName).substr(dot + 1), extension);
}

std::string WithSeparator(const std::string& directory) {
  if (!directory.empty() && directory.back() == fs::path::preferred_separator) return directory;
  return directory + fs::path::preferred_separator;
}

std::string FormatSpanHours(double spanDays) {
  // To the millisecond first, so that a span that is a whole second in a clock's eyes is one.
  // A damaged date can make any span: beyond 10^12 seconds (some 31,700 years, far past any
  // recording) it prints as that, not as an overflowed count.
  constexpr double MaxSpanMs = 1e15;
  const double ms = std::isfinite(spanDays) ? std::min(MaxSpanMs, std::round(spanDays * SecondsPerDay * 1000.0)) : 0;
  const long long seconds = ms > 0 ? static_cast<long long>(ms) / 1000 : 0;
  char text[48];
  std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
  return text;
}

TDirectoryListing::TDirectoryListing(const std::string& directory, int kind, TDateTimeText startText)
    : Dir(WithSeparator(directory)),
      FileKind(kind),
      StartText(std::move(startText)),
      Names(MatchingNames(directory, kind)),
      Headers(std::make_unique<TGLOB>(std::string(), false)) {}

TDirectoryListing::~TDirectoryListing() = default;

bool TDirectoryListing::Next(TListedFile& file) {
  while (Position < Names.size()) {
    file = TListedFile();
    file.FileName = Names[Position++];
    file.Caption = file.FileName.substr(0, file.FileName.size() - KindExtension(FileKind).size() - 1);
    const std::string path = Dir + file.FileName;
    switch (FileKind) {
      case fkLaboratory:
        if (!ReadLaboratory(path, file)) continue;
        break;
      case fkDevice: ReadDevice(path, file); break;
      default: ReadHeartRate(path, file); break;
    }
    return true;
  }
  return false;
}

bool TDirectoryListing::ReadLaboratory(const std::string& path, TListedFile& file) {
  TRecordingHeader& h = Headers->RecordingHeader;
  // Each file shows its own header: a key it lacks does not show the file's before it.
  h = TRecordingHeader();
  if (ReadLabHeader(*Headers, path) != lrOk) return false;
  file.KindPicture = lpLaboratory;
  // A header without a readable start has no start and no span to show.
  if (h.StartTime != 0) {
    file.Start = StartText ? StartText(h.StartTime) : FormatLabDateTime(h.StartTime);
    file.Duration = FormatSpanHours(h.StopTime - h.StartTime);
  }
  file.Points = std::to_string(h.DataCount);
  file.Description = h.Description;
  return true;
}

void TDirectoryListing::ReadDevice(const std::string& path, TListedFile& file) {
  file.KindPicture = lpDevice;
  // A file that cannot be opened is listed by its name alone: there is nothing else to show.
  if (ReadDeviceFileHeader(*Headers, path) != dfOk) return;
  const TDeviceFileHeader& h = Headers->DeviceFileHeader;
  file.Start = DeviceStartText(h);
  const TDateTimeParts span = DecodeDateTime(SecondsToTime(h.DurationSeconds));
  char duration[32];
  std::snprintf(duration, sizeof duration, "%d:%02d:%02d", span.Hour, span.Minute, span.Second);
  file.Duration = duration;
  file.Points = std::to_string(h.RecordCount);
  file.StatusPicture = lpFirstStatus + static_cast<int8_t>(h.TrailerBytes[0]);
}

void TDirectoryListing::ReadHeartRate(const std::string& path, TListedFile& file) {
  THeartRateParams& p = Headers->HeartRateParams;
  ReadHeartRateParams(path, p);
  file.KindPicture = lpHeartRate;
  file.Start = p.HrDate + " " + p.HrStartTime;
  file.Duration = p.HrLength;
  file.Points = std::to_string(p.HrPoints);
}
