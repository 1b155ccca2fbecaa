// The program's help: HTML pages beside the program, one per topic, opened by the system.
#pragma once

#include "platform/win32/WinApi.h"

#include <string>

namespace tollward::ui {

// Context numbers that the dialogs pass; 0 asks for the contents page.
namespace help_topic {
constexpr UINT kContents = 0;
constexpr UINT kControlCenter = 100;
constexpr UINT kBadAreaCodes = 102;
constexpr UINT kOptions = 103;
}  // namespace help_topic

// Every topic the program asks for and its page in the help folder; the package's test checks
// each of them against the pages it ships.
struct HelpTopicPage {
  UINT context;
  const char* page;
};
constexpr HelpTopicPage kHelpTopicPages[] = {
    {help_topic::kContents, "index.html"},
    {help_topic::kControlCenter, "control-center.html"},
    {help_topic::kBadAreaCodes, "bad-area-codes.html"},
    {help_topic::kOptions, "options.html"},
};

// The file name of the page for a topic; the contents page for 0 and for unknown numbers.
const char* HelpPageName(UINT context);
// The folder of the pages: "help\" beside the program file, with its trailing backslash.
std::string HelpDirectory();
// Opens the topic's page in `directory` with the system's viewer for web pages. A missing page
// or a viewer that fails is told in an application message box owned by `owner`.
bool ShowHelpFrom(HWND owner, const std::string& directory, UINT context);
// From now on every dialog's IDHELP and F1 open the pages of `directory`.
void InstallHelp(std::string directory);

}  // namespace tollward::ui
