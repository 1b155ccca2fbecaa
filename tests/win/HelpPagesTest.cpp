// The help as packaged: a page for every topic the program asks for, every page reachable from
// the contents, and every link and picture of every page found in the help folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "ui/dialogs/Help.h"

namespace tollward {
namespace {

namespace fs = std::filesystem;

fs::path HelpFolder() {
  const char* folder = std::getenv("TOLLWARD_PACKAGE");
  return folder != nullptr ? fs::absolute(folder) / "help" : fs::path();
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> Matches(const std::string& text, const std::regex& pattern) {
  std::vector<std::string> found;
  for (std::sregex_iterator it(text.begin(), text.end(), pattern), end; it != end; ++it) {
    found.push_back((*it)[1].str());
  }
  return found;
}

struct Page {
  std::set<std::string> ids;
  std::vector<std::string> links;     // href, as written
  std::vector<std::string> pictures;  // src, as written
  std::vector<std::string> sheets;    // the stylesheets' href, as written
};

// The pages of the folder by file name.
std::map<std::string, Page> ReadPages(const fs::path& folder) {
  static const std::regex href("href\\s*=\\s*\"([^\"]*)\"", std::regex::icase);
  static const std::regex src("src\\s*=\\s*\"([^\"]*)\"", std::regex::icase);
  static const std::regex id("\\sid\\s*=\\s*\"([^\"]*)\"", std::regex::icase);
  static const std::regex sheet("<link\\b[^>]*\\bhref\\s*=\\s*\"([^\"]*)\"", std::regex::icase);
  std::map<std::string, Page> pages;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() == ".html") {
      const std::string text = ReadText(entry.path());
      const std::vector<std::string> ids = Matches(text, id);
      // The stylesheets are files of the folder but no pages.
      const std::string body = std::regex_replace(text, sheet, "");
      pages[entry.path().filename().string()] = {
          {ids.begin(), ids.end()}, Matches(body, href), Matches(text, src), Matches(text, sheet)};
    }
  }
  return pages;
}

bool IsPng(const fs::path& path) {
  return ReadText(path).rfind("\x89PNG\r\n\x1a\n", 0) == 0;
}

class PackagedHelp : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(!HelpFolder().empty() && fs::is_directory(HelpFolder()))
        << "TOLLWARD_PACKAGE must name the unpacked package (scripts/test)";
    pages_ = ReadPages(HelpFolder());
  }
  std::map<std::string, Page> pages_;
};

TEST_F(PackagedHelp, HasAPageForEveryTopicTheProgramAsksFor) {
  for (const ui::HelpTopicPage& topic : ui::kHelpTopicPages) {
    EXPECT_EQ(1u, pages_.count(ui::HelpPageName(topic.context))) << topic.context;
  }
  EXPECT_EQ(1u, pages_.count(ui::HelpPageName(4711))) << "an unknown topic: the contents";
}

// Links stay inside the folder (the help is read where no network may be), name a page that
// exists and, after '#', a place on it; pictures are PNG files of the folder, stylesheets files of
// it.
TEST_F(PackagedHelp, EveryLinkAndPictureResolvesAndEveryPageIsReachable) {
  std::set<std::string> reached = {ui::HelpPageName(ui::help_topic::kContents)};
  std::vector<std::string> next(reached.begin(), reached.end());
  while (!next.empty()) {
    const std::string name = next.back();
    next.pop_back();
    const Page& page = pages_[name];
    for (const std::string& link : page.links) {
      const size_t hash = link.find('#');
      const std::string target = hash == std::string::npos ? link : link.substr(0, hash);
      const std::string place = hash == std::string::npos ? "" : link.substr(hash + 1);
      const std::string file = target.empty() ? name : target;
      if (pages_.count(file) == 0 || file.find_first_of("/\\:") != std::string::npos) {
        ADD_FAILURE() << name << " links to " << link << ", which is no page of the folder";
        continue;
      }
      EXPECT_TRUE(place.empty() || pages_[file].ids.count(place) == 1)
          << name << " links to " << link;
      if (reached.insert(file).second) {
        next.push_back(file);
      }
    }
    for (const std::string& sheet : page.sheets) {
      EXPECT_TRUE(sheet.find_first_of("/\\:") == std::string::npos &&
                  fs::is_regular_file(HelpFolder() / sheet))
          << name << " takes its look from " << sheet;
    }
    for (const std::string& picture : page.pictures) {
      EXPECT_TRUE(picture.find_first_of("/\\:") == std::string::npos &&
                  IsPng(HelpFolder() / picture))
          << name << " shows " << picture;
    }
  }
  for (const auto& [name, page] : pages_) {
    EXPECT_EQ(1u, reached.count(name)) << name << " cannot be reached from the contents";
  }
}

}  // namespace
}  // namespace tollward
