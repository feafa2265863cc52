// Writes the seed corpora of the fuzz targets: valid files of each kind, made by the program's
// own writers where it has one, and a linked session of device replies.
//   make-seeds DIRECTORY   writes DIRECTORY/NAME/... for every target NAME
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ScriptedSerial.h"
#include "core/DateTime.h"
#include "core/Glob.h"
#include "device/Protocol.h"
#include "recording/DeviceFile.h"
#include "recording/LabFile.h"

namespace fs = std::filesystem;

namespace {

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A recording written as the live recording writes it: channels, rows, some of them marked.
void WriteLab(const fs::path& path, int channels, int rows, const std::string& description) {
  TGLOB glob(std::string(), false);
  TMonitorChart& chart = glob.Monitor;
  chart.InitChart();
  if (channels == 3) {
    chart.AddDeviceChannels();
  } else {
    for (int c = 0; c < channels; ++c) chart.AddChannelSeries("Канал " + std::to_string(c), clRed + c);
    chart.ArrangeAxes(1);
  }
  TRecordingHeader& h = glob.RecordingHeader;
  h.DeviceName = "VT4800";
  h.StartTime = h.StopTime = EncodeDateTime({2009, 3, 13, 11, 4, 15});
  h.Description = description;
  glob.Settings.SampleInterval = 0.5;
  if (CreateLabFile(glob, path.string()) != lrOk) return;
  std::vector<double> values(static_cast<size_t>(channels));
  for (int row = 0; row < rows; ++row) {
    for (int c = 0; c < channels; ++c) values[static_cast<size_t>(c)] = row * 0.7 + c;
    if (row == 2 && channels > 0) values[0] = TValueColumn::Null;
    chart.AppendRow(0, 0, values.data(), channels, 30, row % 5 == 1 ? "Нагрузка " + std::to_string(row) : "");
    AppendLabRow(glob);
  }
  h.StopTime = h.StartTime + rows * 0.5 / SecondsPerDay;
  FinishLabFile(glob);
}

// A device file as the download writes it: our header, the device's header, the breaths.
void WriteDevice(const fs::path& path, const std::vector<std::pair<unsigned, unsigned>>& breaths) {
  TGLOB glob(std::string(), false);
  glob.FileName = path.string();
  if (CreateDeviceFile(glob) != dfOk) return;
  TDeviceFileHeader& h = glob.DeviceFileHeader;
  const uint8_t deviceHeader[8] = {0x09, 0x03, 0x13, 0x11, 0x04, 0x15, 0, 0};
  std::fwrite(deviceHeader, 1, sizeof deviceHeader, glob.DeviceFile);
  for (size_t i = 0; i < breaths.size(); ++i) {
    const auto [v, f] = breaths[i];
    const uint8_t record[4] = {uint8_t(v >> 8), uint8_t(v), uint8_t(f >> 8), uint8_t(f)};
    std::fwrite(record, 1, 4, glob.DeviceFile);
    if (i > 0 && f != 0) h.DurationSeconds += 60000.0 / f;
  }
  h.RecordCount = static_cast<uint32_t>(breaths.size());
  h.StartYear = 9, h.StartMonth = 3, h.StartDay = 13, h.StartHour = 11, h.StartMinute = 4, h.StartSecond = 15;
  std::memcpy(h.TrailerBytes, "END", 3);
  FinishDeviceFile(glob);
}

// Heart-rate files come from the monitors' own software; the program only reads them.
const char* const HeartRateFiles[] = {
    "[Params]\r\nVersion=106\r\nMonitor=12\r\nDate=20090313\r\nStartTime=11:04:15.0\r\nLength=00:01:00.0\r\n"
    "Interval=5\r\n\r\n[Note]\r\n\r\n[HRData]\r\n120\r\n130\r\n125\r\n118\t30\t90\r\n",
    "[Params]\r\nDate=20090313\r\nLength=0:30:0.0\r\nInterval=1\r\n[HRData]\r\n95\r\n96\r\n\r\n97\r\n",
};

void Frames(std::string& seed, std::initializer_list<std::vector<uint8_t>> frames) {
  for (const auto& frame : frames) seed.append(frame.begin(), frame.end());
}

std::vector<uint8_t> FtpBlock(uint8_t number, const uint8_t* bytes) {
  std::vector<uint8_t> frame = Frame(0, rpFTP, {number});
  int sum = 0;
  for (int i = 0; i < 16; ++i) sum += frame[6 + static_cast<size_t>(i)] = bytes[i];
  frame[22] = static_cast<uint8_t>(sum);
  return frame;
}

// A scene (link mode, firmware, files, download switch, size of the last file) and frames.
std::string RepliesSeed(uint8_t mode, uint8_t download, bool transfer) {
  const int32_t size = 28;  // the device's header, four breaths and the trailer
  std::string seed = {char(mode), char(23), char(2), char(download)};
  seed.append(reinterpret_cast<const char*>(&size), 4);
  Frames(seed, {Frame(0x71, rpDevice, {23, 0x34, 0x12}), Frame(0x71, rpSensor, {0x21, 0x43}),
                Frame(0x71, rpMalarm, {1, 100, 0, 200, 0}), Frame(0x71, rpFileCnt, {3}),
                Frame(0x71, rpProduce, {13, 3, 9}), Frame(0x71, rpKDiv, {0x10, 0x27, 5}),
                Frame(0x71, rpUBatt, {0, 0x60}), Frame(0x71, rpRTC, {0x15, 0x04, 0x11, 0x13, 0x03, 0x09}),
                Frame(0x71, rpFileSize, {1, 28, 0, 0, 0}), Frame(0x71, rpFileSize, {2, 28, 0, 0, 0}),
                Frame(0x71, rpTimeStamp, {1, 0x09, 0x03, 0x13, 0x11, 0x04, 0x15}),
                Frame(0x71, rpTimeStamp, {2, 0x09, 0x03, 0x13, 0x12, 0x00, 0x00}),
                Frame(0x71, rpData, {0x32, 0, 0x10, 0x27})});
  if (transfer) {
    const uint8_t first[16] = {0x09, 0x03, 0x13, 0x11, 0x04, 0x15, 0, 0, 0, 50, 0x30, 0xD4, 0, 60, 0, 0};
    const uint8_t second[16] = {0, 55, 0x3A, 0x98, 0, 52, 0x2E, 0xE0, 'E', 'N', 'D', 0, 0, 0, 0, 0};
    Frames(seed, {FtpBlock(0, first), FtpBlock(0, first), FtpBlock(1, second), Frame(0x01, rpData, {0x32, 0})});
  }
  return seed;
}

// Data replies that also stand for the operator's edits of the Devices page (byte 1: the row).
std::string EditsSeed() {
  std::string seed = {char(lmIdle), char(23), char(2), char(4), 28, 0, 0, 0};
  const std::pair<int, const char*> edits[] = {{1, "1234"}, {4, "77"}, {10, "15"}, {11, "x"}, {12, "9999"},
                                               {15, ""}, {16, ""}, {17, ""}, {20, ""}};
  for (const auto& [row, text] : edits) {
    std::vector<uint8_t> frame = Frame(0x71, rpData, {0x32, 0, 0x10, 0x27});
    frame[1] = static_cast<uint8_t>(row);
    std::memcpy(frame.data() + 5, text, std::strlen(text));
    Frames(seed, {frame});
  }
  return seed;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-seeds DIRECTORY\n");
    return 2;
  }
  const fs::path root = argv[1];
  for (const char* name : {"lab-header", "lab-load", "device-file", "heart-rate", "settings", "replies"})
    fs::create_directories(root / name);

  WriteLab(root / "lab-load" / "vfm.rl2", 3, 12, "Test run1");
  WriteLab(root / "lab-load" / "five.rl2", 5, 3, "");
  WriteLab(root / "lab-load" / "empty.rl2", 3, 0, "Остановлен");
  for (const auto& entry : fs::directory_iterator(root / "lab-load"))
    fs::copy_file(entry.path(), root / "lab-header" / entry.path().filename(), fs::copy_options::overwrite_existing);

  WriteDevice(root / "device-file" / "rest.vt1", {{50, 0}, {52, 12000}, {55, 15000}, {0, 12500}, {60, 0}, {48, 20000}});
  WriteDevice(root / "device-file" / "one.vt1", {{50, 12000}});
  WriteDevice(root / "device-file" / "slow.vt1", {{50, 1000}, {52, 1000}, {40, 120000}, {41, 120000}});

  // The first byte picks the recording under the file: V, F, M of 60 rows, or 4 channels of 15.
  for (size_t i = 0; i < std::size(HeartRateFiles); ++i)
    for (const char selector : {char(15 << 2), char(5 << 2 | 1)})
      WriteFile(root / "heart-rate" / ("seed" + std::to_string(i) + "-" + std::to_string(selector & 3) + ".hrm"),
                selector + std::string(HeartRateFiles[i]));

  {
    TGLOB defaults((root / "settings" / "defaults").string());
  }
  {
    TGLOB changed((root / "settings" / "changed").string());
    changed.Settings.Language = 0;
    changed.Settings.SampleInterval = 0.25;
    changed.Settings.DestDirCount = 3;
    SetFixedText(changed.Settings.DestDirs[2], SettingsDirSize, "/home/operator/Записи");
  }

  WriteFile(root / "replies" / "info.bin", RepliesSeed(lmReadingInfo, 0, false));
  WriteFile(root / "replies" / "download.bin", RepliesSeed(lmIdle, 1, true));
  WriteFile(root / "replies" / "download-slow.bin", RepliesSeed(lmIdle, 3, true));
  WriteFile(root / "replies" / "edits.bin", EditsSeed());
  std::printf("seeds written to %s\n", root.c_str());
  return ReadFile(root / "settings" / "defaults.cfg").size() == SettingsFileSize ? 0 : 1;
}
