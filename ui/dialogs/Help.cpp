// The program's help: HTML pages beside the program, one per topic, opened by the system.
#include "ui/dialogs/Help.h"

#include <shellapi.h>

#include <utility>

#include "platform/win32/MessageBox.h"
#include "platform/win32/ProcessCommandLine.h"
#include "res/resource.h"
#include "ui/dialogs/AppTitle.h"
#include "ui/framework/Dialog.h"
#include "ui/framework/ResourceString.h"

namespace tollward::ui {

const char* HelpPageName(UINT context) {
  for (const HelpTopicPage& topic : kHelpTopicPages) {
    if (topic.context == context) {
      return topic.page;
    }
  }
  return kHelpTopicPages[0].page;
}

// Beside the program's own file, under the name that the data files' folder is found by too.
std::string HelpDirectory() {
  const std::string program = SystemCommandLine().ProgramFile();
  const size_t slash = program.find_last_of("\\/");
  return (slash == std::string::npos ? std::string() : program.substr(0, slash + 1)) + "help\\";
}

bool ShowHelpFrom(HWND owner, const std::string& directory, UINT context) {
  const std::string page = directory + HelpPageName(context);
  const DWORD attributes = ::GetFileAttributesA(page.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    ShowMessageBox(owner, FormatResString(IDS_HELP_MISSING, page.c_str()).c_str(),
                   AppTitle().c_str(), MB_OK | MB_ICONINFORMATION);
    return false;
  }
  const auto result = reinterpret_cast<INT_PTR>(
      ::ShellExecuteA(owner, "open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result <= 32) {
    ShowMessageBox(owner, FormatResString(IDS_HELP_NOT_OPENED, page.c_str()).c_str(),
                   AppTitle().c_str(), MB_OK | MB_ICONINFORMATION);
    return false;
  }
  return true;
}

void InstallHelp(std::string directory) {
  CDialog::SetHelpHandler([directory = std::move(directory)](HWND owner, UINT topic) {
    ShowHelpFrom(owner, directory, topic);
  });
}

}  // namespace tollward::ui
