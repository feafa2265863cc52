#include "core/CommandLine.h"

TCommandLine ParseCommandLine(const std::vector<std::string>& args) {
  TCommandLine result;
  bool options = true;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (options && arg == "--") {
      options = false;
    } else if (options && arg == "--simulate") {
      result.Simulate = true;
    } else if (options && arg == "--trace") {
      if (i + 1 < args.size())
        result.TraceFile = args[++i];
      else
        result.Error = "--trace needs a file name";
    } else {
      if (!result.ArgumentText.empty()) result.ArgumentText += ' ';
      result.ArgumentText += arg;
    }
  }
  return result;
}

std::string LabFileArgument(const std::string& text) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
    return text.substr(1, text.size() - 2);
  return text;
}
