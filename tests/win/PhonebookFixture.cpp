// A phonebook file of the stand-in's shape in a fresh folder, named to it through RASPHONE_PBK.
#include "tests/win/PhonebookFixture.h"

#include "platform/win32/WinApi.h"

#include <sstream>

namespace tollward::testing {

void PhonebookFileTest::SetUp() {
  path_ = folder_.Path("rasphone.pbk");
  char previous[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableA("RASPHONE_PBK", previous, MAX_PATH);
  hadPrevious_ = length > 0 && length < MAX_PATH;
  previous_ = hadPrevious_ ? previous : "";
  SetEnvironmentVariableA("RASPHONE_PBK", path_.c_str());
}

void PhonebookFileTest::TearDown() {
  SetEnvironmentVariableA("RASEMU_REVEAL_PASSWORDS", nullptr);
  SetEnvironmentVariableA("RASPHONE_PBK", hadPrevious_ ? previous_.c_str() : nullptr);
}

void PhonebookFileTest::RevealPasswords() const {
  SetEnvironmentVariableA("RASEMU_REVEAL_PASSWORDS", "1");
}

void PhonebookFileTest::WritePhonebook(const std::vector<std::string>& lines) const {
  std::string text;
  for (const std::string& line : lines) {
    text += line + "\r\n";
  }
  WriteBytes(path_, std::vector<unsigned char>(text.begin(), text.end()));
}

std::string PhonebookFileTest::PhonebookText() const {
  const std::vector<unsigned char> bytes = ReadBytes(path_);
  return std::string(bytes.begin(), bytes.end());
}

std::vector<std::string> PhonebookFileTest::PhonebookLines() const {
  std::vector<std::string> lines;
  std::istringstream in(PhonebookText());
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    lines.push_back(line);
  }
  return lines;
}

bool ContainsInOrder(const std::vector<std::string>& text, const std::vector<std::string>& lines) {
  std::size_t next = 0;
  for (const std::string& line : text) {
    if (next < lines.size() && line == lines[next]) {
      ++next;
    }
  }
  return next == lines.size();
}

}  // namespace tollward::testing
