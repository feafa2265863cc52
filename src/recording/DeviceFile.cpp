#include "recording/DeviceFile.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <vector>

#include "core/DateTime.h"
#include "core/Glob.h"
#include "recording/TimeLabels.h"

namespace {

// The records of a file in large reads, two bytes at a time.
class TRecordReader {
 public:
  explicit TRecordReader(std::FILE* file) : File(file), Buffer(1 << 20) {}
  bool Next16(unsigned& value) {
    uint8_t bytes[2];
    for (uint8_t& b : bytes) {
      if (At == Size) {
        Size = std::fread(Buffer.data(), 1, Buffer.size(), File);
        At = 0;
        if (Size == 0) return false;
      }
      b = Buffer[At++];
    }
    value = static_cast<unsigned>(bytes[0]) << 8 | bytes[1];  // the device's records are big-endian
    return true;
  }

 private:
  std::FILE* File;
  std::vector<uint8_t> Buffer;
  size_t Size = 0, At = 0;
};

}  // namespace

double DeviceFileStart(const TDeviceFileHeader& h) {
  const int year = 2000 + h.StartYear;
  if (!ValidDate(year, h.StartMonth, h.StartDay) || h.StartHour > 23 || h.StartMinute > 59 || h.StartSecond > 59)
    return 0;
  return EncodeDateTime({year, h.StartMonth, h.StartDay, h.StartHour, h.StartMinute, h.StartSecond, 0});
}

int CreateDeviceFile(TGLOB& glob) {
  TDeviceFileHeader& h = glob.DeviceFileHeader;
  // The constant fields never depend on a header read before.
  const TDeviceFileHeader fresh = NewDeviceFileHeader();
  std::memcpy(h.Signature, fresh.Signature, sizeof h.Signature);
  h.Reserved7 = 0;
  h.HeaderVersion = fresh.HeaderVersion;
  std::memset(h.Reserved12, 0, sizeof h.Reserved12);
  std::memset(h.Reserved28, 0, sizeof h.Reserved28);
  h.HeaderMark = fresh.HeaderMark;
  h.Reserved47 = 0;
  h.DurationSeconds = 0;
  h.RecordCount = 0;
  std::FILE* f = std::fopen(glob.FileName.c_str(), "w+b");
  if (!f) return dfCannotCreate;
  std::fwrite(&h, sizeof h, 1, f);
  std::fflush(f);
  glob.DeviceFile = f;
  return dfOk;
}

void FinishDeviceFile(TGLOB& glob) {
  if (!glob.DeviceFile) return;
  std::fseek(glob.DeviceFile, 0, SEEK_SET);
  std::fwrite(&glob.DeviceFileHeader, sizeof glob.DeviceFileHeader, 1, glob.DeviceFile);
  std::fclose(glob.DeviceFile);
  glob.DeviceFile = nullptr;
}

int ReadDeviceFileHeader(TGLOB& glob, const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return dfCannotOpen;
  TDeviceFileHeader h;
  std::memset(&h, 0, sizeof h);
  std::fread(&h, 1, sizeof h, f);
  std::fclose(f);
  glob.DeviceFileHeader = h;
  return dfOk;
}

int LoadDeviceFile(TGLOB& glob, const std::function<void(size_t done, size_t total)>& progress) {
  TMonitorChart& chart = glob.Monitor;
  TRecordingHeader& rh = glob.RecordingHeader;
  chart.ClearChart();
  chart.InitChart();
  chart.AddDeviceChannels();
  rh.LoadedInterval = 1.0;
  rh.LoadedIntervalDays = SecondsToTime(1.0);
  if (progress) progress(0, 0);
  std::FILE* f = std::fopen(glob.OpenPath.c_str(), "rb");
  if (!f) return dfCannotOpen;
  TDeviceFileHeader& h = glob.DeviceFileHeader;
  std::memset(&h, 0, sizeof h);
  std::fread(&h, 1, sizeof h, f);
  uint8_t deviceHeader[8];
  std::fread(deviceHeader, 1, sizeof deviceHeader, f);
  const size_t total = h.RecordCount;
  if (progress) progress(0, total);

  TValueColumn& vs = chart.Series(TMonitorChart::FirstChannel).Values;
  TValueColumn& fs = chart.Series(TMonitorChart::FirstChannel + 1).Values;
  TValueColumn& ms = chart.Series(TMonitorChart::FirstChannel + 2).Values;
  TLabelColumn& labels = chart.Series(TMonitorChart::ElapsedLabelSeriesIndex).Labels;
  labels.SetFormat(TLabelFormat::DeviceElapsed);
  auto addRow = [&](double v, double fr, double m, double t) {
    vs.Append(v);
    fs.Append(fr);
    ms.Append(m);
    labels.AppendTime(t);
  };
  const double interval = rh.LoadedInterval;
  // The header's duration tells how many rows are coming: room for them is made once. A
  // damaged header may claim any duration: the room is never more than the records in the
  // file fill at a breath a minute, the slowest a download keeps.
  std::error_code sizeError;
  const uintmax_t fileSize = std::filesystem::file_size(glob.OpenPath, sizeError);
  const double recordsInFile = sizeError ? 0 : static_cast<double>(fileSize) / 4;
  if (std::isfinite(h.DurationSeconds) && h.DurationSeconds > 0) {
    const size_t expected = static_cast<size_t>(
        std::min({h.DurationSeconds / interval + 2, recordsInFile * 60 / interval + 2, double(MaxDeviceFileRows)}));
    vs.Reserve(expected);
    fs.Reserve(expected);
    ms.Reserve(expected);
    labels.Reserve(expected);
  }
  TRecordReader reader(f);
  double sv = 0, sf = 0, sm = 0, tb = 0, tg = 0;
  size_t records = 0;
  unsigned rawV, rawF;
  while (reader.Next16(rawV) && reader.Next16(rawF)) {
    const double v = rawV * 0.01, fr = rawF * 0.001, m = v * fr;
    if (records++ == 0) {
      addRow(v, fr, m, 0);
      sv = v, sf = fr, sm = m;
    } else {
      // A record of no frequency is no breath: it takes no time and leaves the smoothing alone.
      if (rawF == 0) continue;
      tb += 60.0 / fr;
      if (tb >= tg + interval) {
        const double n = std::trunc((tb - tg) / interval);
        for (double i = 0; i < n && vs.Size() < MaxDeviceFileRows; ++i) {
          tg += interval;
          addRow(sv, sf, sm, tg);
        }
        if (vs.Size() >= MaxDeviceFileRows) break;
      }
      if (sv == 0) {
        sv = v, sf = fr, sm = m;
      } else if (glob.VT1Filter) {
        // With no smoothed M to compare with, any M at all counts as an outlier.
        const double r = sm != 0 ? std::abs(sm - m) / sm : (m == 0 ? 0 : INFINITY);
        if (r > glob.VT1FilterThreshold) {
          sv += (v - sv) * 0.125;
          sf += (fr - sf) * 0.125;
          sm += (m - sm) * 0.125;
        } else {
          sv = (sv + v) * 0.5;
          sf = (sf + fr) * 0.5;
          sm = (sm + m) * 0.5;
        }
      } else {
        sv = v, sf = fr;
        sm = (sm + m) * 0.5;
      }
    }
    if (progress && (records & 0xFFFF) == 0) progress(records, total);
  }
  std::fclose(f);
  // The recording's own start and end, not those of whatever was shown before.
  if (const double start = DeviceFileStart(h); start != 0) {
    rh.StartTime = start;
    rh.StopTime = start + (std::isfinite(h.DurationSeconds) ? h.DurationSeconds : 0) / SecondsPerDay;
  }
  if (progress) progress(total, total);
  chart.Changed();
  return dfOk;
}
