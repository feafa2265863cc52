#include "cli/DeviceCommand.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "cli/CliDeviceView.h"
#include "core/DateTime.h"
#include "core/Glob.h"
#include "core/SteadyEventLoop.h"
#include "device/Devices.h"
#include "device/PosixSerial.h"
#include "device/SimulatedSerial.h"
#include "device/TraceLog.h"
#include "device/qt/QtPortList.h"

namespace {

struct TOptions {
  bool Simulate = false;
  std::string Port;
  std::string Trace;
  double TimeoutSeconds = 15;
};

bool ParseOptions(const std::vector<std::string>& args, TOptions& options) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--simulate") {
      options.Simulate = true;
    } else if (a == "--port" && i + 1 < args.size()) {
      options.Port = args[++i];
    } else if (a == "--trace" && i + 1 < args.size()) {
      options.Trace = args[++i];
    } else if (a == "--timeout" && i + 1 < args.size()) {
      options.TimeoutSeconds = std::atof(args[++i].c_str());
    } else {
      std::fprintf(stderr, "vt4800-cli device: unknown option '%s'\n", a.c_str());
      return false;
    }
  }
  if (options.Simulate && !options.Port.empty()) {
    std::fprintf(stderr, "vt4800-cli device: --port and --simulate exclude each other\n");
    return false;
  }
  return true;
}

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
  TOptions options;
  if (!ParseOptions(args, options)) return 2;

  TSteadyEventLoop loop;
  std::unique_ptr<TSerialProvider> serial;
  if (options.Simulate)
    serial = std::make_unique<TSimulatedSerialProvider>(loop, std::vector<std::string>{"COM1", "COM3", "COM10"}, "COM3");
  else if (!options.Port.empty())
    serial = std::make_unique<TPosixSerialProvider>(loop, [port = options.Port] { return std::vector<std::string>{port}; });
  else
    serial = std::make_unique<TPosixSerialProvider>(loop, SystemPortNames);

  TTraceLog trace(loop);
  std::unique_ptr<TSerialProvider> traced;
  if (!options.Trace.empty()) {
    std::string error;
    if (trace.Open(options.Trace, error))
      traced = std::make_unique<TTracingSerialProvider>(*serial, trace);
    else
      std::fprintf(stderr, "vt4800-cli: cannot create the trace file %s: %s\n", options.Trace.c_str(), error.c_str());
  }
  // The tool neither reads nor writes the program's settings.
  TGLOB glob((std::filesystem::temp_directory_path() / "vt4800-cli").string(), false);
  glob.AppliedLanguage = 0;
  glob.Monitor.InitChart();
  TCliDeviceView view;
  TDevices devices(glob);
  const TDeviceContext context{loop, traced ? *traced : *serial, glob, view, traced ? &trace : nullptr};
  TDiscovery discovery(context, devices);
  view.Discovery = &discovery;
  discovery.BuildPortList();
  if (glob.ComPortNames.empty()) {
    std::fprintf(stderr, "vt4800-cli device: the system has no serial ports\n");
    return 1;
  }
  // The first probe goes out at once rather than a second from now.
  discovery.ScanTimerTimer();
  discovery.ScanTimer->SetEnabled(true);
  const double deadline = options.TimeoutSeconds * 1000;
  WaitUntil(loop, [&] {
    return (devices.First() && ParametersRead(*devices.First())) || loop.ElapsedMs() > deadline;
  });
  TQLNDevice* device = devices.First();
  if (!device || !ParametersRead(*device)) {
    std::fprintf(stderr, "vt4800-cli device: no device answered within %g s\n", options.TimeoutSeconds);
    return 1;
  }
  std::printf("Port: %s\n", device->PortName.c_str());
  for (int row : {irDeviceNumber, irVersionFW, irProduceDate, irSensorNumber, irAlarmEnable, irAlarmLow, irAlarmHigh,
                  irKDiv, irZeroLevel, irBattery, irClock, irCalendar, irRecordingFiles}) {
    const TInfoRow& r = device->Info.Rows[static_cast<size_t>(row)];
    std::printf("%s: %s\n", r.Caption.c_str(), RowValue(r).c_str());
  }
  device->QueueCommandAndWait(rqRequest35, 0);
  return 0;
}
