// A phonebook file of the stand-in's shape in a fresh folder, named to it through RASPHONE_PBK.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fakes/TempDir.h"

namespace tollward::testing {

class PhonebookFileTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  const std::string& phonebookPath() const { return path_; }
  // The stand-in reads saved passwords back as they are stored, as systems before Windows 2000
  // did, until the test ends; by default it hands out a handle instead.
  void RevealPasswords() const;
  // Writes the lines with CR LF endings, as an editor on Windows would.
  void WritePhonebook(const std::vector<std::string>& lines) const;
  std::string PhonebookText() const;
  std::vector<std::string> PhonebookLines() const;

  TempDir folder_;

 private:
  std::string path_;
  std::string previous_;
  bool hadPrevious_ = false;
};

// True when `lines` appear in `text` in the same order, others possibly between them.
bool ContainsInOrder(const std::vector<std::string>& text, const std::vector<std::string>& lines);

}  // namespace tollward::testing
