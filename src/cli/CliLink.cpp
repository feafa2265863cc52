#include "cli/CliLink.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "device/PosixSerial.h"
#include "device/SimulatedSerial.h"
#include "device/qt/QtPortList.h"

bool TLinkOptions::Take(const std::vector<std::string>& args, size_t& i) {
  const std::string& a = args[i];
  const bool hasValue = i + 1 < args.size();
  if (a == "--simulate") {
    Simulate = true;
  } else if (a == "--port" && hasValue) {
    Port = args[++i];
  } else if (a == "--trace" && hasValue) {
    Trace = args[++i];
  } else if (a == "--timeout" && hasValue) {
    TimeoutSeconds = std::atof(args[++i].c_str());
  } else {
    return false;
  }
  return true;
}

bool TLinkOptions::Valid(const char* command) const {
  if (Simulate && !Port.empty()) {
    std::fprintf(stderr, "vt4800-cli %s: --port and --simulate exclude each other\n", command);
    return false;
  }
  if (!(TimeoutSeconds > 0)) {
    std::fprintf(stderr, "vt4800-cli %s: --timeout needs a number of seconds above 0\n", command);
    return false;
  }
  return true;
}

TCliLink::TCliLink(const TLinkOptions& options)
    : Glob((std::filesystem::temp_directory_path() / "vt4800-cli").string(), false), Options(options) {
  if (options.Simulate)
    Serial = std::make_unique<TSimulatedSerialProvider>(Loop, std::vector<std::string>{"COM1", "COM3", "COM10"}, "COM3");
  else if (!options.Port.empty())
    Serial = std::make_unique<TPosixSerialProvider>(Loop, [port = options.Port] { return std::vector<std::string>{port}; });
  else
    Serial = std::make_unique<TPosixSerialProvider>(Loop, SystemPortNames);
  if (!options.Trace.empty()) Traced = OpenTrace(Trace, options.Trace, *Serial, "vt4800-cli");
  Glob.AppliedLanguage = 0;
  Glob.Monitor.InitChart();
  Discovery = std::make_unique<TDiscovery>(
      TDeviceContext{Loop, Traced ? *Traced : *Serial, Glob, View, Traced ? &Trace : nullptr, &Download}, Devices);
  View.Discovery = Discovery.get();
}

TQLNDevice* TCliLink::WaitForDevice(const char* command, const std::function<bool(const TQLNDevice&)>& ready) {
  Discovery->BuildPortList();
  if (Glob.ComPortNames.empty()) {
    std::fprintf(stderr, "vt4800-cli %s: the system has no serial ports\n", command);
    return nullptr;
  }
  // The first probe goes out at once rather than a second from now.
  Discovery->ScanTimerTimer();
  Discovery->ScanTimer->SetEnabled(true);
  const double deadline = Options.TimeoutSeconds * 1000;
  WaitUntil(Loop, [&] { return (Devices.First() && ready(*Devices.First())) || Loop.ElapsedMs() > deadline; });
  TQLNDevice* device = Devices.First();
  if (!device || !ready(*device)) {
    std::fprintf(stderr, "vt4800-cli %s: no device answered within %g s\n", command, Options.TimeoutSeconds);
    return nullptr;
  }
  return device;
}
