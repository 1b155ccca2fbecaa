// The phonebook's folders watched with the system's change notification, from a thread of its
// own that only posts the message.
#include "platform/win32/DirectoryPhonebookWatcher.h"

#include <shlobj.h>

#include <memory>
#include <utility>

namespace tollward {
namespace {

std::wstring Wide(const std::string& text) {
  const int length = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (length <= 1) {
    return {};
  }
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
  wide.resize(static_cast<std::size_t>(length - 1));
  return wide;
}

// File names compare as the file system compares them: without regard to letter case.
std::wstring Lower(std::wstring name) {
  if (!name.empty()) {
    ::CharLowerBuffW(name.data(), static_cast<DWORD>(name.size()));
  }
  return name;
}

std::wstring LastPart(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// One folder, one outstanding read of its changes.
struct WatchedFolder {
  std::wstring path;
  // The watched files' names in it, long and short, in lower case.
  std::vector<std::wstring> names;
  HANDLE directory = INVALID_HANDLE_VALUE;
  HANDLE event = nullptr;
  OVERLAPPED overlapped{};
  bool reading = false;
  // A read that failed (the folder was removed) is not asked again.
  bool broken = false;
  // The change records must lie on DWORD boundaries.
  DWORD records[2048] = {};

  ~WatchedFolder() {
    if (reading) {
      ::CancelIo(directory);
      DWORD ignored = 0;
      // The system writes into `records` until the cancelled read has ended.
      ::GetOverlappedResult(directory, &overlapped, &ignored, TRUE);
    }
    if (directory != INVALID_HANDLE_VALUE) {
      ::CloseHandle(directory);
    }
    if (event != nullptr) {
      ::CloseHandle(event);
    }
  }

  bool Open() {
    directory = ::CreateFileW(
        path.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
    event = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    return directory != INVALID_HANDLE_VALUE && event != nullptr;
  }

  // Replacing the file by a rename shows as a name change, writing it in place as a write.
  bool Read() {
    ::ResetEvent(event);
    overlapped = OVERLAPPED{};
    overlapped.hEvent = event;
    reading = ::ReadDirectoryChangesW(directory, records, sizeof(records), FALSE,
                                      FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE |
                                          FILE_NOTIFY_CHANGE_SIZE,
                                      nullptr, &overlapped, nullptr) != FALSE;
    return reading;
  }

  // True when the finished read concerns a watched file, or cannot tell.
  bool Finish() {
    reading = false;
    DWORD bytes = 0;
    if (!::GetOverlappedResult(directory, &overlapped, &bytes, FALSE)) {
      // The folder went, and the phonebook with it.
      broken = true;
      return true;
    }
    if (bytes == 0) {
      // More changed than the records could hold: the phonebook may be among them.
      return true;
    }
    const auto* base = reinterpret_cast<const unsigned char*>(records);
    for (DWORD offset = 0; offset + sizeof(FILE_NOTIFY_INFORMATION) <= bytes;) {
      const auto* record = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(base + offset);
      const std::wstring name =
          Lower(std::wstring(record->FileName, record->FileNameLength / sizeof(WCHAR)));
      for (const std::wstring& watched : names) {
        if (name == watched) {
          return true;
        }
      }
      if (record->NextEntryOffset == 0) {
        break;
      }
      offset += record->NextEntryOffset;
    }
    return false;
  }
};

std::vector<std::unique_ptr<WatchedFolder>> FoldersOf(const std::vector<std::string>& files) {
  std::vector<std::unique_ptr<WatchedFolder>> folders;
  for (const std::string& file : files) {
    const std::wstring path = Wide(file);
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos || slash + 1 == path.size()) {
      continue;
    }
    const std::wstring folderPath = path.substr(0, slash);
    WatchedFolder* folder = nullptr;
    for (const auto& known : folders) {
      if (Lower(known->path) == Lower(folderPath)) {
        folder = known.get();
      }
    }
    if (folder == nullptr) {
      folders.push_back(std::make_unique<WatchedFolder>());
      folder = folders.back().get();
      folder->path = folderPath;
    }
    folder->names.push_back(Lower(path.substr(slash + 1)));
    // A program may write the file under its short name, and the report then names that.
    wchar_t shortPath[MAX_PATH] = {};
    const DWORD length = ::GetShortPathNameW(path.c_str(), shortPath, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
      folder->names.push_back(Lower(LastPart(shortPath)));
    }
  }
  return folders;
}

}  // namespace

DirectoryPhonebookWatcher::DirectoryPhonebookWatcher(std::vector<std::string> files)
    : m_files(std::move(files)) {}

DirectoryPhonebookWatcher::~DirectoryPhonebookWatcher() {
  Stop();
}

bool DirectoryPhonebookWatcher::Start(NativeWindow window, unsigned message) {
  Stop();
  m_window = static_cast<HWND>(window);
  m_message = message;
  m_stop = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  m_ready = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (m_stop == nullptr || m_ready == nullptr) {
    CloseEvents();
    return false;
  }
  m_thread = ::CreateThread(nullptr, 0, &DirectoryPhonebookWatcher::ThreadMain, this, 0, nullptr);
  if (m_thread == nullptr) {
    CloseEvents();
    return false;
  }
  // The thread has asked for the first changes before this returns, so none after is missed.
  // It ends at once when it could watch no folder.
  HANDLE started[] = {m_ready, m_thread};
  if (::WaitForMultipleObjects(2, started, FALSE, INFINITE) == WAIT_OBJECT_0) {
    return true;
  }
  Stop();
  return false;
}

void DirectoryPhonebookWatcher::Stop() {
  if (m_thread != nullptr) {
    ::SetEvent(m_stop);
    ::WaitForSingleObject(m_thread, INFINITE);
    ::CloseHandle(m_thread);
    m_thread = nullptr;
  }
  CloseEvents();
}

void DirectoryPhonebookWatcher::CloseEvents() {
  for (HANDLE* event : {&m_stop, &m_ready}) {
    if (*event != nullptr) {
      ::CloseHandle(*event);
      *event = nullptr;
    }
  }
}

DWORD WINAPI DirectoryPhonebookWatcher::ThreadMain(void* self) {
  try {
    static_cast<DirectoryPhonebookWatcher*>(self)->Watch();
  } catch (...) {
    // Out of memory: no watching; the monitor's timer still finds every change.
  }
  return 0;
}

void DirectoryPhonebookWatcher::Watch() {
  std::vector<std::unique_ptr<WatchedFolder>> folders;
  for (auto& folder : FoldersOf(m_files)) {
    if (folder->Open() && folder->Read()) {
      folders.push_back(std::move(folder));
    }
  }
  if (folders.empty()) {
    return;
  }
  ::SetEvent(m_ready);
  for (;;) {
    std::vector<HANDLE> waits{m_stop};
    std::vector<WatchedFolder*> reading;
    for (const auto& folder : folders) {
      if (folder->reading) {
        waits.push_back(folder->event);
        reading.push_back(folder.get());
      }
    }
    const DWORD which =
        ::WaitForMultipleObjects(static_cast<DWORD>(waits.size()), waits.data(), FALSE, INFINITE);
    if (which <= WAIT_OBJECT_0 || which >= WAIT_OBJECT_0 + waits.size()) {
      return;
    }
    WatchedFolder& folder = *reading[which - WAIT_OBJECT_0 - 1];
    if (folder.Finish()) {
      ::PostMessageA(m_window, m_message, 0, 0);
    }
    // A folder that cannot be read again (it was removed) is watched no longer.
    if (!folder.broken) {
      folder.Read();
    }
  }
}

std::vector<std::string> SystemPhonebookFiles() {
  std::vector<std::string> files;
  for (int folder : {CSIDL_APPDATA, CSIDL_COMMON_APPDATA}) {
    char path[MAX_PATH] = {};
    if (SUCCEEDED(::SHGetFolderPathA(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path))) {
      files.push_back(std::string(path) + "\\Microsoft\\Network\\Connections\\Pbk\\rasphone.pbk");
    }
  }
  return files;
}

IPhonebookWatcher& SystemPhonebookWatcher() {
  static DirectoryPhonebookWatcher watcher(SystemPhonebookFiles());
  return watcher;
}

}  // namespace tollward
