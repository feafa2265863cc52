#include "cli/DeviceCommand.h"

#include <cstdio>

#include "cli/CliLink.h"
#include "core/DateTime.h"

namespace {

// The parameters of the information chain are in, and the list of stored files is known.
bool ParametersRead(const TQLNDevice& d) {
  const bool clock = d.FirmwareVersion < 13 || d.Seen(rpRTC);
  return d.Seen(rpDevice) && d.Seen(rpKDiv) && d.Seen(rpFileCnt) && clock && (d.FileListReady || d.FileCount == 0);
}

std::string RowValue(const TInfoRow& row) {
  char text[32];
  const TDateTimeParts p = DecodeDateTime(row.DateTime);
  switch (row.Kind) {
    case TInfoKind::Check: return row.Checked ? "yes" : "no";
    case TInfoKind::Date:
      if (row.DateTime == 0) return "";
      std::snprintf(text, sizeof text, "%04d-%02d-%02d", p.Year, p.Month, p.Day);
      return text;
    case TInfoKind::Time:
      std::snprintf(text, sizeof text, "%02d:%02d:%02d", p.Hour, p.Minute, p.Second);
      return text;
    default: return row.Text;
  }
}

}  // namespace

int DeviceCommand(const std::vector<std::string>& args) {
  TLinkOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    if (!options.Take(args, i)) {
      std::fprintf(stderr, "vt4800-cli device: unknown option '%s'\n", args[i].c_str());
      return 2;
    }
  }
  if (!options.Valid("device")) return 2;
  TCliLink link(options);
  TQLNDevice* device = link.WaitForDevice("device", ParametersRead);
  if (!device) return 1;
  std::printf("Port: %s\n", device->PortName.c_str());
  for (int row : {irDeviceNumber, irVersionFW, irProduceDate, irSensorNumber, irAlarmEnable, irAlarmLow, irAlarmHigh,
                  irKDiv, irZeroLevel, irBattery, irClock, irCalendar, irRecordingFiles}) {
    const TInfoRow& r = device->Info.Rows[static_cast<size_t>(row)];
    std::printf("%s: %s\n", r.Caption.c_str(), RowValue(r).c_str());
  }
  device->QueueCommandAndWait(rqRequest35, 0);
  return 0;
}
