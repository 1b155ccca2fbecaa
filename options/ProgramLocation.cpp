// Where the program file lies, as the system or its own command line tells it.
#include "options/ProgramLocation.h"

#include "core/AsciiText.h"

namespace tollward {
namespace {

constexpr char kWhiteSpace[] = " \t\r\n\v\f";

void RemoveLeadingQuote(std::string& text) {
  if (!text.empty() && text.front() == '"') {
    text.erase(0, 1);
  }
}

}  // namespace

ProgramLocation ProgramLocationFromCommandLine(const std::string& commandLine) {
  const std::size_t start = commandLine.find_first_not_of(kWhiteSpace);
  const std::string line = start == std::string::npos ? std::string() : commandLine.substr(start);

  bool insideQuotes = false;
  std::size_t lastBackslash = std::string::npos;
  std::size_t end = 0;
  for (; end < line.size(); ++end) {
    const char c = line[end];
    if (c == '"') {
      insideQuotes = !insideQuotes;
    } else if (c == '\\') {
      lastBackslash = end;
    } else if (c == ' ' && !insideQuotes) {
      break;
    }
  }

  ProgramLocation location;
  location.path = line.substr(0, end);
  location.path.erase(location.path.find_last_not_of(kWhiteSpace) + 1);
  RemoveLeadingQuote(location.path);
  if (!location.path.empty() && location.path.back() == '"') {
    location.path.pop_back();
  }
  if (lastBackslash != std::string::npos) {
    location.directory = line.substr(0, lastBackslash + 1);
    RemoveLeadingQuote(location.directory);
  }
  return location;
}

ProgramLocation ProgramLocationOfFile(const std::string& programFile) {
  ProgramLocation location;
  location.path = programFile;
  const std::size_t lastBackslash = programFile.find_last_of('\\');
  if (lastBackslash != std::string::npos) {
    location.directory = programFile.substr(0, lastBackslash + 1);
  }
  return location;
}

bool LiesUnder(const std::string& path, const std::vector<std::string>& folders) {
  const std::string lowered = AsciiLowered(path);
  // A step back up could leave the folder while the text still begins with it.
  if (lowered.find("\\..") != std::string::npos || lowered.find("/..") != std::string::npos) {
    return false;
  }
  for (const std::string& folder : folders) {
    const std::string prefix = AsciiLowered(folder);
    // "C:\Program Files" must not take in "C:\Program Files Evil". The system takes either
    // slash as a separator.
    if (!prefix.empty() && lowered.size() > prefix.size() + 1 &&
        lowered.compare(0, prefix.size(), prefix) == 0 &&
        (lowered[prefix.size()] == '\\' || lowered[prefix.size()] == '/')) {
      return true;
    }
  }
  return false;
}

}  // namespace tollward
