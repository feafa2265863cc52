#include "cli/RecordCommand.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "cli/CliLink.h"
#include "core/DateTime.h"
#include "panel/LiveRecording.h"

int RecordCommand(const std::vector<std::string>& args) {
  TLinkOptions options;
  double seconds = 0, interval = 1;
  int markEvery = 0;
  std::string postfix, dest = std::filesystem::current_path().string();
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (options.Take(args, i)) continue;
    if (a == "--seconds" && hasValue) seconds = std::atof(args[++i].c_str());
    else if (a == "--interval" && hasValue) interval = std::atof(args[++i].c_str());
    else if (a == "--postfix" && hasValue) postfix = args[++i];
    else if (a == "--dest" && hasValue) dest = args[++i];
    else if (a == "--mark-every" && hasValue) markEvery = std::atoi(args[++i].c_str());
    else {
      std::fprintf(stderr, "vt4800-cli record: unknown option '%s'\n", a.c_str());
      return 2;
    }
  }
  if (!options.Valid("record")) return 2;
  if (!(seconds > 0)) {
    std::fprintf(stderr, "vt4800-cli record: --seconds needs a number of seconds above 0\n");
    return 2;
  }
  if (!(interval >= 0.001 && interval <= 86400)) {
    std::fprintf(stderr, "vt4800-cli record: --interval must lie between 0.001 and 86400 seconds\n");
    return 2;
  }

  TCliLink link(options);
  TQLNDevice* device = link.WaitForDevice("record", [](const TQLNDevice& d) { return d.Identified && d.Seen(rpDevice); });
  if (!device) return 1;
  TGLOB& glob = link.Glob;
  glob.Settings.SampleInterval = interval;
  SetFixedText(glob.Settings.DestDirs[0], SettingsDirSize, dest.c_str());
  TLiveRecording recording(link.Loop, glob, link.Devices);
  link.View.Recording = &recording;
  recording.OnFileFull = [&] { recording.Stop(); };
  // With --mark-every k, rows k, 2k, ... carry the marks "mark 1", "mark 2", ...
  int marks = 0;
  recording.OnRow = [&] {
    const int next = glob.RecordingHeader.DataCount;
    if (markEvery > 0 && next % markEvery == 0) recording.SetMark("mark " + std::to_string(++marks));
  };
  if (!recording.Start(postfix)) {
    std::fprintf(stderr, "vt4800-cli record: cannot create %s\n", glob.FileName.c_str());
    return 1;
  }
  // The wall clock's seconds give the elapsed labels, as on the control panel.
  std::unique_ptr<TTimer> clock;
  clock = link.Loop.CreateTimer(MsToNextSecond(link.Loop.Now()), true, [&] {
    recording.SecondsChanged();
    clock->SetInterval(MsToNextSecond(link.Loop.Now()));
  });
  const double end = link.Loop.ElapsedMs() + seconds * 1000;
  WaitUntil(link.Loop, [&] { return !recording.Running() || link.Loop.ElapsedMs() >= end; });
  const bool lost = !recording.Running() && !link.Devices.First();
  if (recording.Running()) recording.Stop();
  std::printf("%s\n", glob.FileName.c_str());
  if (lost) {
    std::fprintf(stderr, "vt4800-cli record: the link was lost; the file holds the rows before it\n");
    return 1;
  }
  return 0;
}
