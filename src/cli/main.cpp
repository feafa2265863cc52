// vt4800-cli: the engine of the VT4800 companion program on the command line.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/DeviceCommand.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: vt4800-cli COMMAND [OPTIONS]\n"
               "commands:\n"
               "  device [--port NAME | --simulate] [--timeout SECONDS] [--trace FILE]\n"
               "      find the VT4800, read its parameters and print them\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  const std::vector<std::string> args(argv + 2, argv + argc);
  if (command == "device") return DeviceCommand(args);
  return Usage();
}
