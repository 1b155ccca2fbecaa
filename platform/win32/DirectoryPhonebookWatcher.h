// The phonebook's folders watched with the system's change notification, from a thread of its
// own that only posts the message.
#pragma once

#include "platform/win32/WinApi.h"

#include <string>
#include <vector>

#include "platform/PhonebookWatcher.h"
#include "platform/win32/KernelHandles.h"

namespace tollward {

class CDirectoryPhonebookWatcher final : public IPhonebookWatcher {
 public:
  // Full paths of the files. A file is watched through its folder, so it may come and go, and
  // the folder through the one above, so it may come, go or be replaced; a folder missing now is
  // watched once it exists.
  explicit CDirectoryPhonebookWatcher(std::vector<std::wstring> files);
  // The same in the code page, as a test names its files.
  explicit CDirectoryPhonebookWatcher(const std::vector<std::string>& files);
  ~CDirectoryPhonebookWatcher() override;
  CDirectoryPhonebookWatcher(const CDirectoryPhonebookWatcher&) = delete;
  CDirectoryPhonebookWatcher& operator=(const CDirectoryPhonebookWatcher&) = delete;

  bool Start(NativeWindow window, unsigned message) override;
  // Answered on the watcher's thread; a folder that moved is reported like a change.
  void Recheck() override;
  // Waits for the thread to end.
  void Stop() override;

 private:
  static DWORD WINAPI ThreadMain(void* self);
  void Watch();

  // Read by the thread while it runs, changed only while none runs.
  std::vector<std::wstring> files_;
  HWND window_ = nullptr;
  UINT message_ = 0;
  CHandle thread_;
  CHandle stop_;
  CHandle ready_;
  CHandle recheck_;
};

// Where the system keeps the user's and the all-users phonebook.
std::vector<std::wstring> SystemPhonebookFiles();

// The one watcher of the running program, over SystemPhonebookFiles().
IPhonebookWatcher& SystemPhonebookWatcher();

}  // namespace tollward
