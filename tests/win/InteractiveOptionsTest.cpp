// The options record of the running program: what its failures show, and what they never show.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/InteractiveOptions.h"
#include "tests/fakes/FakeAutostartStore.h"
#include "tests/fakes/FakeCommandLine.h"

namespace tollward {
namespace {

struct SeenBox {
  std::string caption;
  std::string text;
  bool exclamationIcon = false;
  std::vector<int> visibleButtons;
};

// Every message box of this thread is read when it becomes active and closed with OK at once.
class MessageBoxWatcher {
 public:
  MessageBoxWatcher() {
    current_ = this;
    hook_ = SetWindowsHookExA(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());
  }
  ~MessageBoxWatcher() {
    UnhookWindowsHookEx(hook_);
    current_ = nullptr;
  }
  MessageBoxWatcher(const MessageBoxWatcher&) = delete;
  MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

  bool installed() const { return hook_ != nullptr; }
  std::vector<SeenBox> boxes;

 private:
  static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && current_ != nullptr) {
      HWND window = reinterpret_cast<HWND>(wParam);
      char className[16] = {};
      GetClassNameA(window, className, sizeof className);
      if (std::strcmp(className, "#32770") == 0) {
        current_->boxes.push_back(Read(window));
        PostMessageA(window, WM_COMMAND, IDOK, 0);
      }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static SeenBox Read(HWND box) {
    SeenBox seen;
    char text[1024] = {};
    GetWindowTextA(box, text, sizeof text);
    seen.caption = text;
    // The message text is the static with the id 0xFFFF, on Windows as under Wine.
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    seen.text = text;
    EnumChildWindows(box, ReadControl, reinterpret_cast<LPARAM>(&seen));
    return seen;
  }

  static BOOL CALLBACK ReadControl(HWND control, LPARAM param) {
    SeenBox& seen = *reinterpret_cast<SeenBox*>(param);
    char className[16] = {};
    GetClassNameA(control, className, sizeof className);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    if (_stricmp(className, "Static") == 0 && (style & SS_TYPEMASK) == SS_ICON) {
      const HICON shown = reinterpret_cast<HICON>(SendMessageA(control, STM_GETICON, 0, 0));
      seen.exclamationIcon = shown != nullptr && shown == LoadIconA(nullptr, IDI_EXCLAMATION);
    } else if (_stricmp(className, "Button") == 0 && (style & WS_VISIBLE) != 0) {
      seen.visibleButtons.push_back(GetDlgCtrlID(control));
    }
    return TRUE;
  }

  static MessageBoxWatcher* current_;
  HHOOK hook_ = nullptr;
};

MessageBoxWatcher* MessageBoxWatcher::current_ = nullptr;

// A program folder that does not exist: every save of the options file fails there.
const testing::FakeCommandLine kMissingFolder(
    "\"C:\\tollward-test-missing\\Tollward\\Tollward.exe\" /scan");

void ExpectOptionsErrorBox(const SeenBox& box, const std::string& errorText) {
  EXPECT_EQ(box.caption, "Tollward");
  EXPECT_EQ(box.text, "Options Error: \n\n" + errorText);
  EXPECT_TRUE(box.exclamationIcon);
  EXPECT_EQ(box.visibleButtons, std::vector<int>{IDOK});
}

TEST(InteractiveOptions, AFailureShowsTheOptionsErrorBoxWithTheExclamationIcon) {
  MessageBoxWatcher watcher;
  ASSERT_TRUE(watcher.installed());
  testing::FakeAutostartStore store;
  CInteractiveOptions options(store, kMissingFolder);
  std::string path;
  EXPECT_FALSE(options.Load(path));
  ASSERT_EQ(watcher.boxes.size(), 1u);
  ExpectOptionsErrorBox(watcher.boxes[0], "Load: unable to open file for reading.");

  // An error of the unexpected kind still shows the same box, not the stop icon.
  options.SetErrorByCode(32);
  ASSERT_EQ(watcher.boxes.size(), 2u);
  ExpectOptionsErrorBox(watcher.boxes[1], "Save: unhandled exeption (unknown error).");
}

TEST(InteractiveOptions, AFailingSaveAtProgramEndShowsNothing) {
  MessageBoxWatcher watcher;
  testing::FakeAutostartStore store;
  {
    CInteractiveOptions options(store, kMissingFolder);
    std::string path;
    ASSERT_FALSE(options.Save(path)) << "the same save fails while the program runs";
    ASSERT_EQ(watcher.boxes.size(), 1u);
    ExpectOptionsErrorBox(watcher.boxes[0], "Save: unable to open file for writing.");
    options.runSilentCheckAtStart = true;
  }
  EXPECT_EQ(watcher.boxes.size(), 1u) << "no box from the destruction";
  EXPECT_EQ(store.Text(), "C:\\tollward-test-missing\\Tollward\\Tollward.exe /scan")
      << "the autostart value is written all the same";
}

}  // namespace
}  // namespace tollward
