// Listing a directory of recordings for the file browser: the files of one kind with their
// start, duration, number of points and description, read from their headers.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TGLOB;

// One listed file as the browser shows it.
struct TListedFile {
  std::string FileName;  // the name in the directory, extension included, as the disk spells it
  std::string Caption;   // the name without its extension
  std::string Start;
  std::string Duration;
  std::string Points;
  std::string Description;  // laboratory files only
  int KindPicture = 0;      // 3 laboratory, 1 device, 0 heart-rate file
  std::optional<int> StatusPicture;  // device files: 4 + the first trailer byte taken as signed
};

// Pictures of the list: the kind pictures and the first of the device-file status pictures.
enum TListPicture { lpHeartRate = 0, lpDevice = 1, lpLaboratory = 3, lpFirstStatus = 4 };

// "RL2", "VT1" or "HRM"; empty for a kind that is none of the three.
std::string KindExtension(int kind);
// The name ends with a dot and the kind's extension, in any case, after a name of its own.
bool HasKindExtension(const std::string& fileName, int kind);
// The directory followed by the platform's separator (once, when it already ends with one).
std::string WithSeparator(const std::string& directory);
// A span of days as "%d:%02d:%02d": whole hours (days count 24 each), minutes and seconds.
// A negative span reads 0:00:00.
std::string FormatSpanHours(double spanDays);

// The files of one kind in one directory, given out one at a time so that a window can list
// a directory of thousands of files between its events. The names are taken when the listing
// is made and sorted by name, letter case aside; each file's header is read when its turn
// comes. Headers are read into a state of the listing's own: listing never changes the
// recording that the monitor shows. A directory that cannot be read lists nothing.
class TDirectoryListing {
 public:
  // Texts of a date-time as the operator reads them (the start of a laboratory file).
  using TDateTimeText = std::function<std::string(double dateTime)>;

  TDirectoryListing(const std::string& directory, int kind, TDateTimeText startText);
  ~TDirectoryListing();
  TDirectoryListing(const TDirectoryListing&) = delete;
  TDirectoryListing& operator=(const TDirectoryListing&) = delete;

  // The next file, false when none is left. Laboratory files whose header does not read are
  // passed over.
  bool Next(TListedFile& file);
  bool Done() const { return Position >= Names.size(); }
  int Kind() const { return FileKind; }
  // The directory listed, with its separator.
  const std::string& Directory() const { return Dir; }
  // The path that opens a listed file: the directory and the file's own name.
  std::string PathOf(const TListedFile& file) const { return Dir + file.FileName; }

 private:
  bool ReadLaboratory(const std::string& path, TListedFile& file);
  void ReadDevice(const std::string& path, TListedFile& file);
  void ReadHeartRate(const std::string& path, TListedFile& file);

  std::string Dir;
  int FileKind;
  TDateTimeText StartText;
  std::vector<std::string> Names;
  size_t Position = 0;
  std::unique_ptr<TGLOB> Headers;
};
