// The road of a download: the stored recordings of the simulated device, fetched block by
// block into device files, in virtual time.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "FakeDeviceView.h"
#include "TempDir.h"
#include "core/DateTime.h"
#include "core/Glob.h"
#include "core/VirtualEventLoop.h"
#include "device/Devices.h"
#include "device/Download.h"
#include "device/SimulatedSerial.h"
#include "recording/DeviceFile.h"

namespace {

class TFakeDownloadView : public TDownloadView {
 public:
  int Hidden = 0;
  std::vector<int> Messages;
  void RowsChanged() override {}
  void RowChanged(int) override {}
  void SelectRow(int) override {}
  void HideWindow() override { ++Hidden; }
  void ShowMessage(int message) override { Messages.push_back(message); }
};

// What the download must write for a memory image: our header, then the image up to its
// trailer with every breath of no frequency after the first kept as one a minute.
std::vector<unsigned char> Expected(std::vector<uint8_t> image, double& duration, int* patched = nullptr) {
  duration = 0;
  const size_t n = image.size();
  for (size_t at = 12; at + 4 <= n - 4; at += 4) {
    const unsigned f = image[at + 2] << 8 | image[at + 3];
    if (f == 0) {
      image[at + 2] = 0x03, image[at + 3] = 0xE8;
      if (patched) ++*patched;
    } else {
      duration += 60000.0 / f;
    }
  }
  return std::vector<unsigned char>(image.begin(), image.end() - 4);
}

class DownloadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Glob.Monitor.InitChart();
    SetFixedText(Glob.Settings.DestDirs[0], SettingsDirSize, Dir.Path().c_str());
    View.Discovery = &Discovery;
    Download.View = &Window;
    // A breath of no frequency in the middle of the second recording.
    Serial.Device.Files[1][8 + 4 * 5 + 2] = 0;
    Serial.Device.Files[1][8 + 4 * 5 + 3] = 0;
    Discovery.BuildPortList();
    Discovery.ScanTimer->SetEnabled(true);
    for (int i = 0; i < 200 && !(Devices.First() && Devices.First()->FileListReady); ++i) Loop.Advance(50);
    ASSERT_NE(Devices.First(), nullptr);
  }
  TQLNDevice& Device() { return *Devices.First(); }
  // Until the window hides after the last file, and the requests queued then have left.
  void RunUntilHidden() {
    for (int i = 0; i < 600 && Window.Hidden == 0; ++i) Loop.Advance(100);
    Loop.Advance(1000);
  }
  std::vector<int> CodesFrom(size_t from) const {
    std::vector<int> codes;
    for (size_t i = from; i < Serial.Device.Requests.size(); ++i) codes.push_back(Serial.Device.Requests[i].Code);
    return codes;
  }
  std::vector<std::filesystem::path> FilesWritten() const {
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::directory_iterator(Dir.Path()))
      if (e.path().extension() == ".VT1") files.push_back(e.path());
    return files;
  }

  TTempDir Dir;
  TVirtualEventLoop Loop;
  TSimulatedSerialProvider Serial{Loop, {"COM3"}, "COM3"};
  TGLOB Glob{Dir.File("vt4800")};
  TFakeDeviceView View;
  TFakeDownloadView Window;
  // The download outlives the devices: a device that goes takes its transfer with it.
  TDownload Download{Loop, Glob, View, Devices};
  TDevices Devices{Glob};
  TDiscovery Discovery{{Loop, Serial, Glob, View, nullptr, &Download}, Devices};
};

TEST_F(DownloadTest, FetchesEveryFileFromTheLastDownAndTellsTheDevice) {
  Download.FormShow(Device());
  ASSERT_EQ(Download.Rows.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    const TDownloadRow& row = Download.Rows[static_cast<size_t>(i)];
    EXPECT_EQ(row.Status, Glob.MainText(122));
    EXPECT_EQ(row.Name, DownloadFileName(Device().FileStamps[static_cast<size_t>(i + 1)]));
    EXPECT_EQ(row.Points, static_cast<int>((Serial.Device.Files[static_cast<size_t>(i)].size() - 12) / 4));
  }
  EXPECT_EQ(Download.Rows[0].Name.front(), ' ');
  EXPECT_EQ(Device().FileIndex, 3);
  Download.Move = true;
  const size_t before = Serial.Device.Requests.size();
  ASSERT_TRUE(Download.Button2Click(Device()));
  RunUntilHidden();
  ASSERT_EQ(Window.Hidden, 1);
  for (const TDownloadRow& row : Download.Rows) {
    EXPECT_EQ(row.Status, Glob.MainText(123));
    EXPECT_FALSE(row.Checked);
    EXPECT_EQ(row.Progress, 100);
  }
  // The files went out 3, 2, 1; then the memory was formatted, then the signals.
  std::vector<int> starts;
  for (size_t i = before; i < Serial.Device.Requests.size(); ++i)
    if (Serial.Device.Requests[i].Code == rqStartTransfer) starts.push_back(Serial.Device.Requests[i].Parameter);
  EXPECT_EQ(starts, (std::vector<int>{3, 2, 1}));
  const std::vector<int> codes = CodesFrom(before);
  const std::vector<int> ending = {rqFormatMemory, rqSignal, rqSignal, rqSignal, rqRequest35};
  std::vector<int> tail;
  for (int c : codes)
    if (c == rqFormatMemory || c == rqSignal || c == rqRequest35) tail.push_back(c);
  EXPECT_EQ(tail, ending);
  EXPECT_EQ(Device().FileCount, 0);
  EXPECT_EQ(Device().Info.Rows[irRecordingFiles].Text, "0");
  EXPECT_TRUE(Serial.Device.Files.empty());  // formatted
}

TEST_F(DownloadTest, FilesOnDiskAreTheImagesWithTheirHeader) {
  const std::vector<std::vector<uint8_t>> images = Serial.Device.Files;
  Download.FormShow(Device());
  ASSERT_TRUE(Download.Button2Click(Device()));
  RunUntilHidden();
  for (int i = 0; i < 3; ++i) {
    const std::string path = Dir.Path().string() + "/" + Download.Rows[static_cast<size_t>(i)].Name.substr(0, Download.Rows[static_cast<size_t>(i)].Name.size() - 4) + ".VT1";
    const auto bytes = ReadBytes(path);
    double duration;
    int patched = 0;
    const auto body = Expected(images[static_cast<size_t>(i)], duration, &patched);
    ASSERT_EQ(bytes.size(), 48 + body.size()) << path;
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin() + 48, bytes.end()), body) << i;
    TDeviceFileHeader h;
    std::memcpy(&h, bytes.data(), 48);
    EXPECT_EQ(static_cast<uint32_t>(h.RecordCount), (images[static_cast<size_t>(i)].size() - 12) / 4);
    EXPECT_NEAR(h.DurationSeconds, duration, 1e-6);
    EXPECT_EQ(std::memcmp(h.TrailerBytes, "END\0", 4), 0);
    EXPECT_EQ(static_cast<int32_t>(h.HeaderVersion), 11);
    const TDateTimeParts start = DecodeDateTime(Device().FileStamps[static_cast<size_t>(i + 1)]);
    EXPECT_EQ(h.StartYear, start.Year - 2000);
    EXPECT_EQ(h.StartMinute, start.Minute);
    Glob.OpenPath = path;
    ASSERT_EQ(LoadDeviceFile(Glob), dfOk);
    // A second a row; a breath kept as one a minute lasts a minute there.
    EXPECT_NEAR(static_cast<double>(Glob.Monitor.RowCount()), duration + 60 * patched, 5);
  }
}

TEST_F(DownloadTest, DamagedAndRepeatedBlocksAreStoredOnce) {
  const std::vector<std::vector<uint8_t>> images = Serial.Device.Files;
  Serial.Device.Faults.BadChecksums = true;
  Serial.Device.Faults.RepeatBlocks = true;
  Download.FormShow(Device());
  ASSERT_TRUE(Download.Button2Click(Device()));
  RunUntilHidden();
  ASSERT_EQ(Window.Hidden, 1);
  ASSERT_EQ(FilesWritten().size(), 3u);
  for (int i = 0; i < 3; ++i) {
    const std::string name = Download.Rows[static_cast<size_t>(i)].Name;
    const auto bytes = ReadBytes(Dir.Path().string() + "/" + name.substr(0, name.size() - 4) + ".VT1");
    double duration;
    const auto body = Expected(images[static_cast<size_t>(i)], duration);
    ASSERT_EQ(bytes.size(), 48 + body.size()) << i;
    size_t differ = 0;
    while (differ < body.size() && bytes[48 + differ] == body[differ]) ++differ;
    EXPECT_EQ(differ, body.size()) << "file " << i << " differs from byte " << differ;
  }
}

TEST_F(DownloadTest, LastBlockAfterAStrayFileSizeReplyTouchesNoRow) {
  // Found by fuzzing: a FileSize reply during a transfer moves the file index past the list,
  // and finishing the file read a row that is not there.
  Download.FormShow(Device());
  ASSERT_TRUE(Download.Button2Click(Device()));
  Device().FileIndex = FileSizeSlots - 1;
  Device().CurrentFileSize = 16;
  uint8_t block[16] = {0x09, 0x03, 0x13, 0x11, 0x04, 0x15, 0, 0, 0, 50, 0x30, 0xD4, 'E', 'N', 'D', 0};
  EXPECT_TRUE(Download.StoreFileBlock(Device(), block));
  EXPECT_EQ(Device().LinkMode, lmFileDone);
  for (const TDownloadRow& row : Download.Rows) EXPECT_NE(row.Progress, 100);
}

TEST_F(DownloadTest, NegativeSizeFromADamagedReplyEndsTheFileAtItsFirstBlock) {
  // Found by fuzzing: a size of -2147483646 overflowed the arithmetic of the blocks.
  Device().FileSizes[3] = INT32_MIN + 2;
  Download.FormShow(Device());
  EXPECT_EQ(Download.Rows[2].Points, 0);
  ASSERT_TRUE(Download.Button2Click(Device()));
  uint8_t block[16] = {0x09, 0x03, 0x13, 0x11, 0x04, 0x15, 0, 0, 0, 50, 0x30, 0xD4, 0, 0, 0, 0};
  EXPECT_TRUE(Download.StoreFileBlock(Device(), block));
  EXPECT_EQ(static_cast<uint32_t>(Glob.DeviceFileHeader.RecordCount), 0u);
  EXPECT_EQ(ReadBytes(Glob.FileName).size(), DeviceFileHeaderSize);
}

TEST_F(DownloadTest, DelayWithNoFileLeftKeepsTheIndexInTheTables) {
  // Found by fuzzing: the index went below the first file and out of the device's tables.
  Download.FormShow(Device());
  Device().FileIndex = 0;
  Download.DelayTimerTimer();
  EXPECT_EQ(Device().FileIndex, 0);
  EXPECT_EQ(Window.Hidden, 1);
}

TEST_F(DownloadTest, CancelOrLossDuringATransferLeavesNoFileAndACleanNextDownload) {
  Download.FormShow(Device());
  ASSERT_TRUE(Download.Button2Click(Device()));
  Loop.Advance(300);  // a few blocks in
  ASSERT_GT(Download.BytesReceived, 0);
  Download.Button1Click();
  EXPECT_TRUE(FilesWritten().empty());
  EXPECT_EQ(Download.BytesReceived, 0);
  EXPECT_EQ(Device().FileListReady, 0);

  // The same device again: a whole file comes out right.
  Loop.Advance(500);
  Device().FileIndex = 1;
  Download.FormShow(Device());
  Device().FileIndex = 1;
  ASSERT_TRUE(Download.Button2Click(Device()));
  for (int i = 0; i < 100 && Device().LinkMode != lmFileDone; ++i) Loop.Advance(100);
  ASSERT_EQ(FilesWritten().size(), 1u);
  double duration;
  EXPECT_EQ(ReadBytes(FilesWritten()[0].string()).size(), 48 + Expected(Serial.Device.Files[0], duration).size());

  // The link lost in the middle of the next one.
  std::filesystem::remove(FilesWritten()[0]);
  Device().FileIndex = 2;
  ASSERT_TRUE(Download.Button2Click(Device()));
  Loop.Advance(200);
  Serial.Device.Faults.Silent = true;
  Loop.Advance(700);
  EXPECT_EQ(Devices.First(), nullptr);
  EXPECT_TRUE(FilesWritten().empty());
  EXPECT_EQ(Glob.DeviceFile, nullptr);
}

TEST_F(DownloadTest, FileThatCannotBeCreatedShowsMessage1) {
  SetFixedText(Glob.Settings.DestDirs[0], SettingsDirSize, Dir.File("missing").c_str());
  Download.FormShow(Device());
  const size_t before = Serial.Device.Requests.size();
  EXPECT_FALSE(Download.Button2Click(Device()));
  EXPECT_EQ(Window.Messages, std::vector<int>{1});
  Loop.Advance(300);
  for (int c : CodesFrom(before)) EXPECT_NE(c, rqStartTransfer);
}

TEST_F(DownloadTest, OperatorsNameStaysInTheDestination) {
  Download.FormShow(Device());
  Download.Rows[2].Name = "../escape/test.vt1";
  ASSERT_TRUE(Download.Button2Click(Device()));
  EXPECT_EQ(Glob.FileName, Dir.Path().string() + "/.._escape_test.VT1");
}

}  // namespace
