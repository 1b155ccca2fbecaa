// Where the program file lies, as its own command line tells it.
#include "options/ProgramLocation.h"

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

}  // namespace tollward
