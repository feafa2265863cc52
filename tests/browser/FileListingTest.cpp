// Tests of the directory listing of the file browser.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "TempDir.h"
#include "browser/FileListing.h"
#include "core/DateTime.h"
#include "core/Glob.h"
#include "recording/LabFile.h"

namespace {

class FileListingTest : public ::testing::Test {
 protected:
  // A laboratory file as a live recording writes it, with rows of V, F and M.
  void WriteLab(const std::string& name, double start, double stop, int rows, const std::string& description = {}) {
    TGLOB writer("", false);
    writer.Monitor.InitChart();
    writer.Monitor.AddDeviceChannels();
    writer.RecordingHeader.StartTime = start;
    writer.RecordingHeader.StopTime = start;
    ASSERT_EQ(CreateLabFile(writer, Dir.File(name)), lrOk);
    for (int k = 0; k < rows; ++k) {
      const double values[] = {1.0, 20.0, 20.0};
      writer.Monitor.AppendRow(0, 0, values, 3, 1.0, "");
      AppendLabRow(writer);
    }
    writer.RecordingHeader.StopTime = stop;
    writer.RecordingHeader.Description = description;
    FinishLabFile(writer);
  }
  // A device file: the header, the device's 8 bytes and records of 1 l at 20 breaths a minute.
  void WriteDevice(const std::string& name, double seconds, uint32_t records, uint8_t trailer = 'E') {
    TDeviceFileHeader h = NewDeviceFileHeader();
    h.DurationSeconds = seconds;
    h.RecordCount = records;
    h.StartYear = 9, h.StartMonth = 3, h.StartDay = 14, h.StartHour = 10, h.StartMinute = 22, h.StartSecond = 5;
    h.TrailerBytes[0] = trailer;
    std::vector<unsigned char> bytes(sizeof h);
    std::memcpy(bytes.data(), &h, sizeof h);
    bytes.resize(bytes.size() + 8);
    for (uint32_t r = 0; r < records; ++r)
      for (unsigned char b : {0x00, 0x64, 0x4E, 0x20}) bytes.push_back(b);
    WriteBytes(Dir.File(name), bytes);
  }
  void WriteText(const std::string& name, const std::string& text) {
    std::ofstream out(Dir.File(name), std::ios::binary);
    out << text;
  }
  static double At(int y, int mo, int d, int h, int mi) { return EncodeDateTime({y, mo, d, h, mi, 0, 0}); }

  std::vector<TListedFile> List(int kind, const std::string& directory = {}) {
    TDirectoryListing listing(directory.empty() ? Dir.Path().string() : directory, kind, FormatLabDateTime);
    std::vector<TListedFile> files;
    TListedFile file;
    while (listing.Next(file)) files.push_back(file);
    EXPECT_TRUE(listing.Done());
    return files;
  }
  static std::vector<std::string> Names(const std::vector<TListedFile>& files) {
    std::vector<std::string> names;
    for (const TListedFile& f : files) names.push_back(f.FileName);
    return names;
  }

  TTempDir Dir;
};

TEST_F(FileListingTest, EachKindListsItsExtensionInAnyCaseInNameOrder) {
  WriteLab("run.RL2", At(2009, 3, 13, 11, 0), At(2009, 3, 13, 11, 30), 2);
  WriteLab("a.rl2", At(2009, 3, 13, 11, 0), At(2009, 3, 13, 11, 30), 2);
  WriteDevice("b.vt1", 60, 1);
  WriteDevice("A.VT1", 60, 1);
  WriteDevice("c.Vt1", 60, 1);
  WriteText("pulse.hrm", "[Params]\nInterval=5\n");
  WriteText("notes.txt", "x");
  WriteText("vt1", "no extension");
  WriteText(".vt1", "no name before the extension");
  WriteText("b.vt1.bak", "another extension");
  std::filesystem::create_directory(Dir.File("folder.vt1"));

  const struct {
    int Kind;
    std::vector<std::string> Names;
  } cases[] = {
      {0, {"a.rl2", "run.RL2"}},
      {1, {"A.VT1", "b.vt1", "c.Vt1"}},
      {2, {"pulse.hrm"}},
      {3, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(Names(List(c.Kind)), c.Names) << "kind " << c.Kind;

  // The caption drops the extension; the path opens the file by its own name, whether or not
  // the directory was given with its separator.
  TDirectoryListing listing(Dir.Path().string() + "/", 0, FormatLabDateTime);
  TListedFile file;
  ASSERT_TRUE(listing.Next(file));
  ASSERT_TRUE(listing.Next(file));
  EXPECT_EQ(file.Caption, "run");
  EXPECT_EQ(listing.PathOf(file), Dir.File("run.RL2"));
  EXPECT_FALSE(listing.Next(file));
}

TEST_F(FileListingTest, LaboratoryColumnsComeFromTheHeader) {
  const struct {
    const char* Name;
    double Start, Stop;
    const char* Duration;
  } cases[] = {
      {"1 midnight.rl2", At(2009, 3, 13, 23, 50), At(2009, 3, 14, 1, 10), "1:20:00"},
      {"2 day.rl2", At(2009, 3, 13, 8, 0), At(2009, 3, 14, 9, 0), "25:00:00"},
      {"3 backwards.rl2", At(2009, 3, 13, 8, 0), At(2009, 3, 13, 7, 0), "0:00:00"},
  };
  for (const auto& c : cases) WriteLab(c.Name, c.Start, c.Stop, 3, "Step test");
  const std::vector<TListedFile> files = List(0);
  ASSERT_EQ(files.size(), std::size(cases));
  for (size_t i = 0; i < files.size(); ++i) {
    EXPECT_EQ(files[i].Duration, cases[i].Duration) << cases[i].Name;
    EXPECT_EQ(files[i].Start, FormatLabDateTime(cases[i].Start));
    EXPECT_EQ(files[i].Points, "3");
    EXPECT_EQ(files[i].Description, "Step test");
    EXPECT_EQ(files[i].KindPicture, lpLaboratory);
    EXPECT_FALSE(files[i].StatusPicture.has_value());
  }
}

TEST_F(FileListingTest, SpanOfADamagedHeaderPrintsCapped) {
  // Found by fuzzing: dates of a damaged header overflowed the count of seconds.
  WriteText("damaged.rl2", "Format-Version: 2\r\nStarted-Record: 01.01.1 00:00:00\r\n"
                           "Stopped-Record: 01.01.2147483647 00:00:00\r\nData-Table:\r\n");
  const std::vector<TListedFile> files = List(fkLaboratory);
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].Duration, "277777777:46:40");
}

TEST_F(FileListingTest, LaboratoryFilesWhoseHeaderDoesNotReadAreLeftOut) {
  WriteLab("good.rl2", At(2009, 3, 13, 11, 0), At(2009, 3, 13, 11, 30), 1);
  WriteText("newer.rl2", "Format-Version: 3\r\nDevice-Name: VT4800\r\nData-Table:\r\n");
  WriteText("other.rl2", "Device-Name: VT4800\r\nData-Table:\r\n");
  WriteText("empty.rl2", "");
  EXPECT_EQ(Names(List(0)), std::vector<std::string>{"good.rl2"});
}

TEST_F(FileListingTest, EachFileShowsOnlyItsOwnHeader) {
  WriteLab("a.rl2", At(2009, 3, 13, 11, 0), At(2009, 3, 13, 11, 30), 5, "first");
  // A header with nothing but its version and table: no start, no description, no count.
  WriteText("b.rl2", "Format-Version: 2\r\nData-Table:\r\n1.0\t\r\n");
  const std::vector<TListedFile> files = List(0);
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0].Description, "first");
  EXPECT_EQ(files[1].Description, "");
  EXPECT_EQ(files[1].Start, "");
  EXPECT_EQ(files[1].Duration, "");
  EXPECT_EQ(files[1].Points, "0");
}

TEST_F(FileListingTest, DeviceColumnsAndStatusPictureComeFromTheHeader) {
  WriteDevice("1 day.vt1", 90000, 3, 'E');   // the hours stop at 23
  WriteDevice("2 short.vt1", 600.6, 2, 0xFF);  // a trailer byte is signed
  WriteDevice("3 bare.vt1", 0, 0, 0);
  WriteText("4 stub.vt1", "QLN");  // shorter than a header: what is there, the rest zero
  const std::vector<TListedFile> files = List(1);
  ASSERT_EQ(files.size(), 4u);
  const struct {
    const char* Start;
    const char* Duration;
    const char* Points;
    int Status;
  } expected[] = {
      {"14.03.2009  10:22:05", "23:00:00", "3", 4 + 'E'},
      {"14.03.2009  10:22:05", "0:10:00", "2", 3},
      {"14.03.2009  10:22:05", "0:00:00", "0", 4},
      {"00.00.2000  00:00:00", "0:00:00", "0", 4},
  };
  for (size_t i = 0; i < files.size(); ++i) {
    EXPECT_EQ(files[i].Start, expected[i].Start) << files[i].FileName;
    EXPECT_EQ(files[i].Duration, expected[i].Duration) << files[i].FileName;
    EXPECT_EQ(files[i].Points, expected[i].Points) << files[i].FileName;
    EXPECT_EQ(files[i].StatusPicture, expected[i].Status) << files[i].FileName;
    EXPECT_EQ(files[i].KindPicture, lpDevice);
    EXPECT_EQ(files[i].Description, "");
  }
}

TEST_F(FileListingTest, HeartRateColumnsComeFromTheParams) {
  WriteText("a.hrm", "[Params]\r\nDate=20090313\r\nStartTime=11:04:15.0\r\nLength=01:02:03.4\r\nInterval=1\r\n"
                     "[HRData]\r\n120\r\n");
  WriteText("b.hrm", "[HRData]\r\n120\r\n");  // every key missing: the defaults
  const std::vector<TListedFile> files = List(2);
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0].Start, "13-03-2009 11:04:15.0");
  EXPECT_EQ(files[0].Duration, "01:02:03.4");
  EXPECT_EQ(files[0].Points, "3723");
  EXPECT_EQ(files[0].KindPicture, lpHeartRate);
  EXPECT_EQ(files[1].Start, "04.01.1961 12:00:0.0");
  EXPECT_EQ(files[1].Duration, "0:30:0.0");
  EXPECT_EQ(files[1].Points, "0");
}

TEST_F(FileListingTest, TenThousandFilesAreListedOneAtATime) {
  // Half of them device files (of no bytes: listed by name and an empty header), half others.
  for (int i = 0; i < 10000; ++i)
    std::ofstream(Dir.File((i % 2 ? "rec" : "note") + std::to_string(10000 + i) + (i % 2 ? ".vt1" : ".txt")));
  TDirectoryListing listing(Dir.Path().string(), fkDevice, {});
  TListedFile file, previous;
  size_t listed = 0;
  while (listing.Next(file)) {
    EXPECT_EQ(file.Points, "0");
    if (listed++ > 0) {
      ASSERT_LT(previous.FileName, file.FileName);
    }
    previous = file;
  }
  EXPECT_EQ(listed, 5000u);
  EXPECT_TRUE(listing.Done());
  EXPECT_TRUE(List(fkLaboratory).empty());
}

TEST_F(FileListingTest, NoDirectoryListsNothing) {
  WriteDevice("a.vt1", 60, 1);
  for (const std::string& directory : {Dir.File("missing"), Dir.File("a.vt1")})
    EXPECT_TRUE(List(1, directory).empty()) << directory;
  TDirectoryListing unnamed("", 1, FormatLabDateTime);
  EXPECT_TRUE(unnamed.Done());
}

}  // namespace
