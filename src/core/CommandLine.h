// The program's command line: its own options, and the one argument it takes, the path of a
// laboratory file to load at start.
#pragma once

#include <string>
#include <vector>

struct TCommandLine {
  bool Simulate = false;      // --simulate: simulated ports, the device on one of them
  std::string TraceFile;      // --trace FILE: log of the serial traffic
  std::string ArgumentText;   // everything else, joined by blanks as the shell passed it
  std::string Error;          // a malformed option, said on standard error
};

// args: the arguments after the program's name. "--" ends the options.
TCommandLine ParseCommandLine(const std::vector<std::string>& args);

// The laboratory file named by the argument text. A text enclosed in double quotes loses the
// enclosing pair; any other text, quotes inside it included, is the path as it stands.
std::string LabFileArgument(const std::string& argumentText);
