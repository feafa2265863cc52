#include "device/Download.h"

#include <cstdio>
#include <cstring>

#include "core/DateTime.h"
#include "core/Glob.h"
#include "core/Paths.h"
#include "core/Texts.h"
#include "device/DeviceView.h"
#include "device/Devices.h"
#include "recording/DeviceFile.h"

namespace {

constexpr int DelayMs = 500;

// The operator's name for the file, as a name in the destination directory and nothing else.
std::string SafeFileName(std::string name, const std::string& fallback) {
  for (char& c : name)
    if (c == '/' || c == '\\') c = '_';
  if (name.find_first_not_of(" .") == std::string::npos) name = fallback;
  return name;
}

// Breath records in a memory image of the given size: its 8-byte header and 4-byte trailer aside.
// The size comes from the device in 32 bits and a damaged reply can make it anything: the count
// is taken in 64 bits.
int64_t ImageRecords(int64_t imageSize) { return std::max<int64_t>(0, (imageSize - 12) / 4); }

}  // namespace

std::string DownloadFileName(double start) {
  const TDateTimeParts p = DecodeDateTime(start);
  char name[64];
  std::snprintf(name, sizeof name, " [%04d-%02d-%02d] (%02d-%02d-%02d).vt1", p.Year, p.Month, p.Day, p.Hour, p.Minute,
                p.Second);
  return name;
}

TDownload::TDownload(TEventLoop& loop, TGLOB& glob, TDeviceView& deviceView, TDevices& devices)
    : Loop(loop), Glob(glob), DeviceView(deviceView), Devices(devices) {
  DelayTimer = Loop.CreateTimer(DelayMs, false, [this] { DelayTimerTimer(); });
}

TDownload::~TDownload() { Abort(); }

TQLNDevice* TDownload::Device() const { return Devices.First(); }

void TDownload::SetRow(int row, const std::string& status, int progress) {
  if (row < 0 || row >= static_cast<int>(Rows.size())) return;
  Rows[static_cast<size_t>(row)].Status = status;
  Rows[static_cast<size_t>(row)].Progress = progress;
  if (View) View->RowChanged(row);
}

void TDownload::FormShow(TQLNDevice& d) {
  Rows.clear();
  for (int i = 1; i <= d.FileCount; ++i) {
    TDownloadRow row;
    row.FileNumber = i;
    row.Status = Glob.MainText(122);
    row.Name = DownloadFileName(d.FileStamps[static_cast<size_t>(i)]);
    Glob.FileName = row.Name;
    row.Points = static_cast<int>(ImageRecords(d.FileSizes[static_cast<size_t>(i)]));
    Rows.push_back(row);
  }
  if (View) View->RowsChanged();
  if (d.FileCount > 1 && View) View->SelectRow(d.FileCount - 1);
  d.FileIndex = d.FileCount;
  d.CurrentFileSize = d.FileSizes[static_cast<size_t>(std::clamp(d.FileCount, 0, FileSizeSlots - 1))];
}

bool TDownload::Button2Click(TQLNDevice& d) {
  const int row = d.FileIndex - 1;
  if (row < 0 || row >= static_cast<int>(Rows.size())) return false;
  const TDownloadRow& r = Rows[static_cast<size_t>(row)];
  const std::string fallback = DownloadFileName(d.FileStamps[static_cast<size_t>(d.FileIndex)]);
  Glob.FileName = InDirectory(Glob.Settings.DestDirs[0], ReplaceExtension(SafeFileName(r.Name, fallback), ".VT1"));
  if (CreateDeviceFile(Glob) != dfOk) {
    if (View) View->ShowMessage(msgErrorWriteFile);
    return false;
  }
  d.LinkMode = lmDownloading;
  d.CurrentFileSize = d.FileSizes[static_cast<size_t>(d.FileIndex)];
  BytesReceived = 0;
  SetRow(row, "", 0);
  d.QueueCommand(rqPause, 100);
  d.QueueCommand(rqStartTransfer, d.FileIndex);
  d.BlockCounter = 255;
  return true;
}

void TDownload::OnFtpReply(TQLNDevice& d) {
  uint8_t* frame = d.ReplyFrame.data();
  int sum = 0;
  for (int i = 6; i <= 21; ++i) sum += frame[i];
  if (static_cast<uint8_t>(sum) != frame[22]) return;  // a damaged block waits for the device to send it again
  // A block outside a download has no file to go into.
  if (!Glob.DeviceFile) return;
  if (frame[5] == d.BlockCounter) {
    d.QueueCommand(rqNextBlock, 0);
    return;
  }
  // Any number but the next one would put the block in another's place: it is dropped
  // unanswered, as a damaged block is, until the device sends the right one.
  if (frame[5] != static_cast<uint8_t>(d.BlockCounter + 1)) return;
  if (StoreFileBlock(d, frame + 6)) {
    d.QueueCommand(rqEndTransfer, 0);
  } else {
    ++d.BlockCounter;
    d.QueueCommand(rqNextBlock, 0);
  }
}

bool TDownload::StoreFileBlock(TQLNDevice& d, uint8_t* block) {
  TDeviceFileHeader& h = Glob.DeviceFileHeader;
  const int64_t size = d.CurrentFileSize;
  size_t n = 0;
  auto addBreath = [&h](uint8_t* f) {
    const unsigned raw = static_cast<unsigned>(f[0]) << 8 | f[1];
    // A breath of no frequency is kept as one a minute, and adds no time.
    if (raw != 0) h.DurationSeconds += 60000.0 / raw;
    else f[0] = 0x03, f[1] = 0xE8;
  };
  if (BytesReceived == 0) {
    uint8_t* fields[] = {&h.StartYear, &h.StartMonth, &h.StartDay, &h.StartHour, &h.StartMinute, &h.StartSecond};
    for (int i = 0; i < 6; ++i) *fields[i] = static_cast<uint8_t>(TGLOB::BcdToInt(block[i]));
    // The record at byte 12 is one only when it lies before the trailer.
    if (16 <= size - 4) addBreath(block + 14);
    BytesReceived = 16;
    // A file that ends in its first block writes what lies before its trailer.
    n = static_cast<size_t>(std::clamp<int64_t>(size - 4, 0, 16));
  } else {
    for (int r = 0; r < 4; ++r) {
      if (BytesReceived < size - 4) {
        n += 4;
        addBreath(block + r * 4 + 2);
      }
      BytesReceived += 4;
    }
  }
  if (BytesReceived < size) {
    DownloadProgress = static_cast<int>(static_cast<int64_t>(BytesReceived) * 100 / size);
    const int row = d.FileIndex - 1;
    if (row >= 0 && row < static_cast<int>(Rows.size()) && Rows[static_cast<size_t>(row)].Progress != DownloadProgress)
      SetRow(row, Rows[static_cast<size_t>(row)].Status, DownloadProgress);
    std::fwrite(block, 1, 16, Glob.DeviceFile);
    std::fflush(Glob.DeviceFile);
    DeviceView.SetStatusText(spReadiness, "Receive");
    return false;
  }
  std::fwrite(block, 1, n, Glob.DeviceFile);
  h.RecordCount = static_cast<uint32_t>(ImageRecords(size));
  std::memset(h.TrailerBytes, 0, sizeof h.TrailerBytes);
  for (size_t i = 0; i < 4 && n + i < 16 && block[n + i] != 0; ++i) h.TrailerBytes[i] = block[n + i];
  d.QueueCommand(rqEndTransfer, 0);
  FinishDeviceFile(Glob);
  d.LinkMode = lmFileDone;
  // The file index may have been moved by a stray reply: only a listed row is shown.
  const int row = d.FileIndex - 1;
  if (row >= 0 && row < static_cast<int>(Rows.size())) SetRow(row, Rows[static_cast<size_t>(row)].Status, 100);
  DeviceView.SetStatusText(spReadiness, "Done");
  BytesReceived = 0;
  return true;
}

void TDownload::DelayTimerTimer() {
  DelayTimer->SetEnabled(false);
  TQLNDevice* d = Device();
  if (!d) return;
  d->LinkMode = lmIdle;
  const int row = d->FileIndex - 1;
  if (row >= 0 && row < static_cast<int>(Rows.size())) {
    Rows[static_cast<size_t>(row)].Checked = false;
    SetRow(row, Glob.MainText(123), Rows[static_cast<size_t>(row)].Progress);
  }
  // A delay with no file left (a stray reply ended a transfer) keeps the index in the tables.
  if (d->FileIndex > 0) --d->FileIndex;
  if (d->FileIndex > 0) {
    if (View) View->SelectRow(d->FileIndex - 1);
    Button2Click(*d);
    return;
  }
  if (Move) {
    d->QueueCommand(rqFormatMemory, 0);
    d->QueueCommand(rqPause, 100);
    d->Info.Rows[irRecordingFiles].Text = "0";
    DeviceView.InfoRowChanged(d->DevicePanel, irRecordingFiles);
  }
  d->FileCount = 0;
  d->LinkMode = lmIdle;
  for (int signal : {1500, 1300, 1100}) {
    d->QueueCommand(rqSignal, signal);
    d->QueueCommand(rqPause, 50);
  }
  d->QueueCommand(rqRequest35, 0);
  if (View) View->HideWindow();
}

void TDownload::Button1Click() {
  if (TQLNDevice* d = Device()) {
    d->FileListReady = 0;
    d->QueueCommand(rqEndTransfer, 0);
    d->QueueCommand(rqEndTransfer, 0);
    if (d->LinkMode == lmDownloading) d->LinkMode = lmIdle;
  }
  Abort();
  if (View) View->HideWindow();
}

void TDownload::Abort() {
  DelayTimer->SetEnabled(false);
  BytesReceived = 0;
  if (!Glob.DeviceFile) return;
  // A file cut short would look like a recording: it goes.
  std::fclose(Glob.DeviceFile);
  Glob.DeviceFile = nullptr;
  std::remove(Glob.FileName.c_str());
}
