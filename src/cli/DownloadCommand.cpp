#include "cli/DownloadCommand.h"

#include <cstdio>
#include <filesystem>

#include "cli/CliLink.h"

namespace {

// The download window of the tool: a line for each file as it is fetched.
class TCliDownloadView : public TDownloadView {
 public:
  explicit TCliDownloadView(const TDownload& download) : Download(download) {}
  void RowsChanged() override {}
  void RowChanged(int row) override {
    const TDownloadRow& r = Download.Rows[static_cast<size_t>(row)];
    if (r.Progress == 100 && !Reported[static_cast<size_t>(row)]) {
      Reported[static_cast<size_t>(row)] = true;
      std::fprintf(stderr, "file %d: %d points, done\n", r.FileNumber, r.Points);
    }
  }
  void SelectRow(int) override {}
  void HideWindow() override { Finished = true; }
  void ShowMessage(int) override { Failed = true; }
  std::vector<bool> Reported = std::vector<bool>(64);
  bool Finished = false, Failed = false;

 private:
  const TDownload& Download;
};

}  // namespace

int DownloadCommand(const std::vector<std::string>& args) {
  TLinkOptions options;
  std::string dest;
  bool erase = false;
  for (size_t i = 0; i < args.size(); ++i) {
    if (options.Take(args, i)) continue;
    if (args[i] == "--dest" && i + 1 < args.size()) dest = args[++i];
    else if (args[i] == "--delete") erase = true;
    else {
      std::fprintf(stderr, "vt4800-cli download: unknown option '%s'\n", args[i].c_str());
      return 2;
    }
  }
  if (!options.Valid("download")) return 2;
  if (dest.empty() || !std::filesystem::is_directory(dest)) {
    std::fprintf(stderr, "vt4800-cli download: --dest must name a directory\n");
    return 2;
  }
  TCliLink link(options);
  TQLNDevice* device = link.WaitForDevice("download", [](const TQLNDevice& d) {
    return d.FileListReady || (d.Seen(rpFileCnt) && d.FileCount == 0);
  });
  if (!device) return 1;
  if (device->FileCount == 0) {
    std::fprintf(stderr, "vt4800-cli download: the device holds no recordings\n");
    return 0;
  }
  SetFixedText(link.Glob.Settings.DestDirs[0], SettingsDirSize, dest.c_str());
  TDownload& download = link.Download;
  TCliDownloadView view(download);
  download.View = &view;
  download.Move = erase;
  download.FormShow(*device);
  std::vector<std::string> written;
  for (const TDownloadRow& row : download.Rows) {
    std::string name = row.Name.substr(0, row.Name.rfind('.')) + ".VT1";
    written.insert(written.begin(), (std::filesystem::path(dest) / name).string());
  }
  if (!download.Button2Click(*device)) {
    std::fprintf(stderr, "vt4800-cli download: cannot create %s\n", link.Glob.FileName.c_str());
    return 1;
  }
  WaitUntil(link.Loop, [&] { return view.Finished || view.Failed || !link.Devices.First(); });
  if (!view.Finished) {
    std::fprintf(stderr, "vt4800-cli download: %s\n", view.Failed ? "a file could not be created" : "the link was lost");
    return 1;
  }
  // The closing signals go out before the tool ends.
  if (TQLNDevice* d = link.Devices.First()) d->QueueCommandAndWait(rqRequest35, 0);
  for (const std::string& path : written) std::printf("%s\n", path.c_str());
  return 0;
}
