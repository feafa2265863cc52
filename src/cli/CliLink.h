// What the tool's commands that talk to a device share: the options that choose the port,
// the traffic log, the engine objects of a link, and the wait for the device.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cli/CliDeviceView.h"
#include "core/Glob.h"
#include "core/SteadyEventLoop.h"
#include "device/Devices.h"
#include "device/Download.h"
#include "device/TraceLog.h"

struct TLinkOptions {
  bool Simulate = false;
  std::string Port;
  std::string Trace;
  double TimeoutSeconds = 15;
  // Takes the option at args[i] (and its value) if it is one of these; false otherwise.
  bool Take(const std::vector<std::string>& args, size_t& i);
  // Checks what was given; says what is wrong on standard error.
  bool Valid(const char* command) const;
};

class TCliLink {
 public:
  explicit TCliLink(const TLinkOptions& options);
  // Scans and waits until a device has linked and ready() holds, or the time limit has
  // passed; says why on standard error when it fails.
  TQLNDevice* WaitForDevice(const char* command, const std::function<bool(const TQLNDevice&)>& ready);

  TSteadyEventLoop Loop;
  TTraceLog Trace{Loop};
  std::unique_ptr<TSerialProvider> Serial;
  std::unique_ptr<TSerialProvider> Traced;
  // The tool neither reads nor writes the program's settings.
  TGLOB Glob;
  TCliDeviceView View;
  // The download outlives the devices: a device that goes takes its transfer with it.
  TDownload Download{Loop, Glob, View, Devices};
  TDevices Devices{Glob};
  std::unique_ptr<TDiscovery> Discovery;

 private:
  TLinkOptions Options;
};
