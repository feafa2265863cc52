// vt4800-cli: the engine of the VT4800 companion program on the command line.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/ChartCommands.h"
#include "cli/DeviceCommand.h"
#include "cli/DownloadCommand.h"
#include "cli/FileCommands.h"
#include "cli/RecordCommand.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: vt4800-cli COMMAND [OPTIONS]\n"
               "commands:\n"
               "  device [--port NAME | --simulate] [--timeout SECONDS] [--trace FILE]\n"
               "      find the VT4800, read its parameters and print them\n"
               "  record [--port NAME | --simulate] --seconds N [--interval S] [--postfix P]\n"
               "         [--dest DIR] [--mark-every K] [--timeout SECONDS] [--trace FILE]\n"
               "      record the live values into a laboratory file and print its path\n"
               "  download [--port NAME | --simulate] --dest DIR [--delete] [--timeout SECONDS]\n"
               "         [--trace FILE]\n"
               "      every recording stored in the device into device files; prints their paths\n"
               "  info FILE\n"
               "      the header of a laboratory file or the params of a heart-rate file\n"
               "  dump FILE [--hrm FILE.HRM] [--filter PCT | --no-filter]\n"
               "      the recording of a laboratory or device file, one tab-separated line per row\n"
               "  export FILE.VT1 [--hrm FILE.HRM] [--interval S] [--filter PCT | --no-filter] -o OUT\n"
               "      the laboratory file the export writes of a device recording\n"
               "  analyze FILE P1 P2 P3 [--hrm FILE.HRM] [--filter PCT | --no-filter]\n"
               "      the ventilation figures of three rows: start of work, end of work, end of recovery\n"
               "  render FILE -o OUT.bmp|OUT.png|OUT.pdf [--size WxH] [--hrm FILE.HRM] [--side-by-side]\n"
               "         [--filter PCT | --no-filter]\n"
               "      the chart as the monitor shows the file after opening it (1200x700 unless --size)\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  const std::vector<std::string> args(argv + 2, argv + argc);
  if (command == "device") return DeviceCommand(args);
  if (command == "record") return RecordCommand(args);
  if (command == "download") return DownloadCommand(args);
  if (command == "info") return InfoCommand(args);
  if (command == "dump") return DumpCommand(args);
  if (command == "export") return ExportCommand(args);
  if (command == "analyze") return AnalyzeCommand(args);
  if (command == "render") return RenderCommand(args);
  return Usage();
}
