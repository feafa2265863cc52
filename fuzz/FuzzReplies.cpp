// The reply dispatcher of a linked device fed arbitrary 25-byte frames. The first bytes set the
// scene: the link mode, the firmware, the device's file tables and whether a download runs, so
// that FTP blocks reach StoreFileBlock; then every 25 bytes are one frame on the line.
#include <cstring>
#include <filesystem>

#include "FakeDeviceView.h"
#include "FuzzSupport.h"
#include "ScriptedSerial.h"
#include "core/DateTime.h"
#include "core/Glob.h"
#include "core/VirtualEventLoop.h"
#include "device/Devices.h"
#include "device/Download.h"
#include "recording/DeviceFileHeader.h"

namespace fs = std::filesystem;

namespace {

class TQuietDownloadView : public TDownloadView {
 public:
  void RowsChanged() override {}
  void RowChanged(int) override {}
  void SelectRow(int) override {}
  void HideWindow() override {}
  void ShowMessage(int) override {}
};

struct TScene {
  uint8_t Mode, Firmware, Files, Download;
  int32_t Size;
};
constexpr size_t SceneBytes = 8;

TScene ReadScene(const uint8_t* data) {
  TScene s{data[0], data[1], static_cast<uint8_t>(data[2] % (MaxDeviceFiles + 1)), data[3], 0};
  std::memcpy(&s.Size, data + 4, 4);
  return s;
}

// A block the device sends has its checksum right; an odd last byte leaves a damaged one as it is.
void MendChecksum(std::vector<uint8_t>& frame) {
  if (frame[4] != rpFTP || (frame[24] & 1)) return;
  int sum = 0;
  for (int i = 6; i <= 21; ++i) sum += frame[i];
  frame[22] = static_cast<uint8_t>(sum);
}

// With bit 2 of the scene's download byte, a frame whose byte 1 (which no reply uses) is set
// also stands for an edit of the operator on the Devices page: the row, the text typed, the
// box ticked, a date and time the editors can give.
void EditRow(TQLNDevice& d, const std::vector<uint8_t>& frame) {
  const int index = frame[1] % InfoRowCount;
  TInfoRow& row = d.Info.Rows[static_cast<size_t>(index)];
  row.Text.assign(reinterpret_cast<const char*>(frame.data() + 5), strnlen(reinterpret_cast<const char*>(frame.data() + 5), 12));
  row.Checked = frame[17] & 1;
  row.DateTime = EncodeDateTime({2000 + frame[18] % 100, 1 + frame[19] % 12, 1 + frame[20] % 28, frame[21] % 24,
                                 frame[22] % 60, frame[23] % 60});
  row.Modified = true;
  d.OnInfoRowEdited(index);
}

void RequireTables(const TQLNDevice& d, const TDownload& download) {
  Require(d.QueueWritePos >= 0 && d.QueueWritePos < TQLNDevice::QueueBytes && d.QueueWritePos % 3 == 0,
          "the queue's write position lies in the ring");
  // A request half sent counts whole: with 49 waiting behind it the ring holds 50.
  Require(d.PendingEntries() <= TQLNDevice::QueueEntries, "the ring never overflows");
  Require(d.FileCount >= 0 && d.FileCount <= MaxDeviceFiles, "no more files than the device keeps");
  Require(d.FileIndex >= 0 && d.FileIndex < FileSizeSlots, "the file index has a slot in the tables");
  Require(d.LinkMode <= lmSettingWritten, "a link mode of the protocol");
  Require(download.BytesReceived >= 0, "no negative count of bytes");
  Require(download.DownloadProgress >= 0 && download.DownloadProgress <= 100, "progress in percent");
}

// A downloaded file left behind holds no more than the records its header counts: our header,
// the device's, four bytes a record and at most one block's rest.
void RequireFinishedFiles(const std::string& directory) {
  for (const auto& entry : fs::directory_iterator(directory)) {
    if (entry.path().extension() != ".VT1") continue;
    TDeviceFileHeader h;
    std::memset(&h, 0, sizeof h);
    std::FILE* f = std::fopen(entry.path().c_str(), "rb");
    Require(f != nullptr, "a downloaded file opens");
    const size_t got = std::fread(&h, 1, sizeof h, f);
    std::fclose(f);
    Require(got == sizeof h, "a downloaded file has its header");
    const uint32_t records = h.RecordCount;
    Require(entry.file_size() <= DeviceFileHeaderSize + 8 + 4 * static_cast<uintmax_t>(records) + 16,
            "no more bytes in a downloaded file than its records");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < SceneBytes) return 0;
  const TScene scene = ReadScene(data);
  const std::string directory = ScratchFile("downloads");
  std::error_code ignored;
  fs::remove_all(directory, ignored);
  fs::create_directory(directory);
  {
    TVirtualEventLoop loop;
    TScriptedProvider provider;
    TGLOB glob(std::string(), false);
    SetFixedText(glob.Settings.DestDirs[0], SettingsDirSize, directory.c_str());
    TFakeDeviceView view;
    TQuietDownloadView window;
    TDevices devices(glob);
    TDownload download(loop, glob, view, devices);
    download.View = &window;
    devices.Add("COM1", {loop, provider, glob, view, nullptr, &download});
    // Identified, and past the dispatcher's first frame.
    provider.Line.Deliver(Frame(0, rpData));
    provider.Line.Deliver(Frame(0, rpData));
    TQLNDevice* d = devices.First();
    Require(d != nullptr && d->Identified, "the device links");
    d->FirmwareVersion = scene.Firmware;
    d->FileCount = scene.Files;
    for (int i = 1; i <= scene.Files; ++i) {
      d->FileSizes[static_cast<size_t>(i)] = i == scene.Files ? scene.Size : 12 + 4 * i;
      d->FileStamps[static_cast<size_t>(i)] = 40000 + i;
    }
    if (scene.Download & 1) {
      download.FormShow(*d);
      Require(download.Rows.size() == scene.Files, "a row per stored file");
      download.Button2Click(*d);
    }
    d->LinkMode = scene.Mode % (lmSettingWritten + 1);
    for (size_t at = SceneBytes; at < size && devices.First(); at += FrameSize) {
      std::vector<uint8_t> frame(FrameSize, 0);
      std::memcpy(frame.data(), data + at, std::min(FrameSize, size - at));
      MendChecksum(frame);
      provider.Line.Deliver(frame);
      if (!devices.First()) break;
      if ((scene.Download & 4) && frame[1] != 0) EditRow(*d, frame);
      RequireTables(*d, download);
      // Time for the queue to drain and the download's delay to run, never enough to lose the link.
      loop.Advance(scene.Download & 2 ? 100 : 5);
      if (devices.First()) RequireTables(*d, download);
    }
    // The device goes before the download: its end aborts the download's file.
    devices.Remove(0);
  }
  RequireFinishedFiles(directory);
  return 0;
}
