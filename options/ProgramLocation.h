// Where the program file lies, as the system or its own command line tells it.
#pragma once

#include <string>
#include <vector>

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

// The location of a program file named by the system: the path as it is, the folder up to its
// last backslash.
ProgramLocation ProgramLocationOfFile(const std::string& programFile);

// True when the path lies inside one of the folders (at any depth), compared without regard to
// ASCII letter case, as the file system compares names.
bool LiesUnder(const std::string& path, const std::vector<std::string>& folders);

}  // namespace tollward
