// Figures of device recordings: loading a device file of a million breaths, and a download
// from the simulated device in real time against what its line allows.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <vector>

#include "cli/CliLink.h"
#include "core/Glob.h"
#include "device/SimulatedSerial.h"
#include "recording/DeviceFile.h"
#include "BenchFiles.h"

namespace {

using Clock = std::chrono::steady_clock;

double LoadMs(const std::filesystem::path& dir) {
  const std::string path = (dir / "long.vt1").string();
  const auto image = TSimulatedVT4800::MakeRecording(46000.4, 1000000, 7);
  TDeviceFileHeader h = NewDeviceFileHeader();
  h.RecordCount = static_cast<uint32_t>((image.size() - 12) / 4);
  for (size_t at = 12; at + 8 <= image.size(); at += 4) h.DurationSeconds += 60000.0 / (image[at + 2] << 8 | image[at + 3]);
  std::vector<unsigned char> bytes(sizeof h);
  std::memcpy(bytes.data(), &h, sizeof h);
  bytes.insert(bytes.end(), image.begin(), image.end() - 4);
  if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  TGLOB glob((dir / "vt4800").string(), false);
  glob.OpenPath = path;
  std::vector<double> times;
  for (int run = 0; run < 5; ++run) {
    const auto begin = Clock::now();
    LoadDeviceFile(glob);
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - begin).count());
  }
  return Median(times);
}

// The protocol's bound over the time a block takes: the three request bytes a millisecond
// apart, then the 25-byte reply at 57600 baud.
double DownloadEfficiency(const std::filesystem::path& dir) {
  TLinkOptions options;
  options.Simulate = true;
  TCliLink link(options);
  auto& serial = static_cast<TSimulatedSerialProvider&>(*link.Serial);
  serial.Device.Files = {TSimulatedVT4800::MakeRecording(46000.4, 3000, 3)};
  TQLNDevice* device = link.WaitForDevice("bench", [](const TQLNDevice& d) { return d.FileListReady != 0; });
  if (!device) return 0;
  SetFixedText(link.Glob.Settings.DestDirs[0], SettingsDirSize, dir.c_str());
  link.Download.FormShow(*device);
  const double blocks = std::ceil(serial.Device.Files[0].size() / 16.0);
  const auto begin = Clock::now();
  link.Download.Button2Click(*device);
  WaitUntil(link.Loop, [&] { return device->LinkMode == lmFileDone || link.Loop.ElapsedMs() > 60000; });
  // The transfer opens with a pause of 100 ms before its first request.
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - begin).count() - 100;
  const double bound = 3.0 + 25 * ByteLineMs;
  return bound / (ms / blocks);
}

}  // namespace

int main() {
  const auto dir = std::filesystem::temp_directory_path() / "vt4800-device-bench";
  std::filesystem::create_directories(dir);
  std::printf("vt1-load-ms: %.1f ms\n", LoadMs(dir));
  std::printf("download-efficiency: %.2f\n", DownloadEfficiency(dir));
  std::filesystem::remove_all(dir);
  return 0;
}
