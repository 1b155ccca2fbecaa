// Where the program file lies, as its own command line tells it.
#pragma once

#include <string>

namespace tollward {

struct ProgramLocation {
  // The program file, without quotes.
  std::string path;
  // Up to and including the last backslash of the program file; empty when it has none, so
  // that the data files are looked for in the current directory.
  std::string directory;
};

// Reads the first token of the command line: leading white space is skipped, double quotes
// toggle a quoted stretch, and the first blank outside quotes ends the token. Whatever follows
// (switches, backslashes in them) plays no part.
ProgramLocation ProgramLocationFromCommandLine(const std::string& commandLine);

}  // namespace tollward
