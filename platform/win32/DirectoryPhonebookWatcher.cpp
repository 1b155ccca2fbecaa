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

std::wstring Parent(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos || slash + 1 == path.size() ? std::wstring()
                                                                 : path.substr(0, slash);
}

// Which folder a path names now: another folder at the same place is another folder.
struct Identity {
  DWORD volume = 0;
  DWORD indexHigh = 0;
  DWORD indexLow = 0;

  bool operator==(const Identity& other) const {
    return volume == other.volume && indexHigh == other.indexHigh && indexLow == other.indexLow;
  }
};

bool IdentityOf(HANDLE handle, Identity& identity) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(handle, &info)) {
    return false;
  }
  identity = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
  return true;
}

bool IdentityOf(const std::wstring& path, Identity& identity) {
  const CFileHandle handle(::CreateFileW(
      path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return handle && IdentityOf(handle.get(), identity);
}

// What a finished read of a folder's changes says.
enum class ReadResult { kNothing, kChanged, kFailed };

// One folder, one outstanding read of its changes. It may not exist yet, or no longer.
struct WatchedFolder {
  std::wstring path;
  // The watched names in it, long and short, in lower case: the phonebook files, or, in the
  // folder above, the phonebook's folder.
  std::vector<std::wstring> names;
  DWORD filter = 0;
  CFileHandle directory;
  Identity identity;
  CHandle event;
  OVERLAPPED overlapped{};
  bool reading = false;
  // The change records must lie on DWORD boundaries.
  DWORD records[2048] = {};

  // A read still running must end before its handle and records go.
  ~WatchedFolder() { Close(); }

  bool IsOpen() const { return static_cast<bool>(directory); }

  bool Open() {
    if (!event) {
      event.reset(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    }
    directory.reset(::CreateFileW(
        path.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr));
    if (!event || !directory || !IdentityOf(directory.get(), identity)) {
      Close();
      return false;
    }
    return true;
  }

  void Close() {
    if (reading) {
      ::CancelIo(directory.get());
      DWORD ignored = 0;
      // The system writes into `records` until the cancelled read has ended.
      ::GetOverlappedResult(directory.get(), &overlapped, &ignored, TRUE);
      reading = false;
    }
    directory.reset();
  }

  // Replacing the file by a rename shows as a name change, writing it in place as a write.
  bool Read() {
    ::ResetEvent(event.get());
    overlapped = OVERLAPPED{};
    overlapped.hEvent = event.get();
    reading = ::ReadDirectoryChangesW(directory.get(), records, sizeof(records), FALSE, filter,
                                      nullptr, &overlapped, nullptr) != FALSE;
    return reading;
  }

  ReadResult Finish() {
    reading = false;
    DWORD bytes = 0;
    if (!::GetOverlappedResult(directory.get(), &overlapped, &bytes, FALSE)) {
      // More changed than the records could hold (Wine says so this way): the phonebook may be
      // among them, and the folder is still there.
      return ::GetLastError() == ERROR_NOTIFY_ENUM_DIR ? ReadResult::kChanged : ReadResult::kFailed;
    }
    if (bytes == 0) {
      // The same overflow, as Windows says it.
      return ReadResult::kChanged;
    }
    const auto* base = reinterpret_cast<const unsigned char*>(records);
    for (DWORD offset = 0; offset + sizeof(FILE_NOTIFY_INFORMATION) <= bytes;) {
      const auto* record = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(base + offset);
      const std::wstring name =
          Lower(std::wstring(record->FileName, record->FileNameLength / sizeof(WCHAR)));
      for (const std::wstring& watched : names) {
        if (name == watched) {
          return ReadResult::kChanged;
        }
      }
      if (record->NextEntryOffset == 0) {
        break;
      }
      offset += record->NextEntryOffset;
    }
    return ReadResult::kNothing;
  }

  // Watches the folder that the path names now. True when that differs from what was watched:
  // the folder appeared, went, or another took its place.
  bool Follow() {
    Identity now;
    const bool exists = IdentityOf(path, now);
    if (IsOpen() && exists && now == identity) {
      if (!reading && !Read()) {
        Close();
        return true;
      }
      return false;
    }
    const bool wasOpen = IsOpen();
    Close();
    if (exists && Open() && !Read()) {
      Close();
    }
    return wasOpen || IsOpen();
  }
};

WatchedFolder* FolderFor(std::vector<std::unique_ptr<WatchedFolder>>& folders,
                         const std::wstring& path, DWORD filter) {
  for (const auto& known : folders) {
    if (Lower(known->path) == Lower(path)) {
      known->filter |= filter;
      return known.get();
    }
  }
  folders.push_back(std::make_unique<WatchedFolder>());
  folders.back()->path = path;
  folders.back()->filter = filter;
  return folders.back().get();
}

// A name and, where the volume keeps one, its short form: a program may use either, and the
// report then names the one it used.
void AddNames(WatchedFolder& folder, const std::wstring& path) {
  folder.names.push_back(Lower(LastPart(path)));
  wchar_t shortPath[MAX_PATH] = {};
  const DWORD length = ::GetShortPathNameW(path.c_str(), shortPath, MAX_PATH);
  if (length > 0 && length < MAX_PATH) {
    folder.names.push_back(Lower(LastPart(shortPath)));
  }
}

// Each file's folder, for the file's writes, and the folder above it, for the file's folder
// coming, going or being replaced.
std::vector<std::unique_ptr<WatchedFolder>> FoldersOf(const std::vector<std::wstring>& files) {
  std::vector<std::unique_ptr<WatchedFolder>> folders;
  for (const std::wstring& file : files) {
    const std::wstring folderPath = Parent(file);
    if (folderPath.empty()) {
      continue;
    }
    AddNames(*FolderFor(folders, folderPath,
                        FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE |
                            FILE_NOTIFY_CHANGE_SIZE),
             file);
    const std::wstring above = Parent(folderPath);
    if (!above.empty()) {
      AddNames(*FolderFor(folders, above, FILE_NOTIFY_CHANGE_DIR_NAME), folderPath);
    }
  }
  return folders;
}

std::vector<std::wstring> WidePaths(const std::vector<std::string>& files) {
  std::vector<std::wstring> wide;
  for (const std::string& file : files) {
    wide.push_back(Wide(file));
  }
  return wide;
}

}  // namespace

CDirectoryPhonebookWatcher::CDirectoryPhonebookWatcher(std::vector<std::wstring> files)
    : files_(std::move(files)) {}

CDirectoryPhonebookWatcher::CDirectoryPhonebookWatcher(const std::vector<std::string>& files)
    : files_(WidePaths(files)) {}

CDirectoryPhonebookWatcher::~CDirectoryPhonebookWatcher() {
  Stop();
}

bool CDirectoryPhonebookWatcher::Start(NativeWindow window, unsigned message) {
  Stop();
  window_ = static_cast<HWND>(window);
  message_ = message;
  stop_.reset(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
  ready_.reset(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
  recheck_.reset(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
  if (!stop_ || !ready_ || !recheck_) {
    Stop();
    return false;
  }
  thread_.reset(
      ::CreateThread(nullptr, 0, &CDirectoryPhonebookWatcher::ThreadMain, this, 0, nullptr));
  if (!thread_) {
    Stop();
    return false;
  }
  // The thread has asked for the first changes before this returns, so none after is missed.
  HANDLE started[] = {ready_.get(), thread_.get()};
  if (::WaitForMultipleObjects(2, started, FALSE, INFINITE) == WAIT_OBJECT_0) {
    return true;
  }
  Stop();
  return false;
}

void CDirectoryPhonebookWatcher::Recheck() {
  if (recheck_) {
    ::SetEvent(recheck_.get());
  }
}

void CDirectoryPhonebookWatcher::Stop() {
  if (thread_) {
    ::SetEvent(stop_.get());
    ::WaitForSingleObject(thread_.get(), INFINITE);
    thread_.reset();
  }
  stop_.reset();
  ready_.reset();
  recheck_.reset();
}

DWORD WINAPI CDirectoryPhonebookWatcher::ThreadMain(void* self) {
  try {
    static_cast<CDirectoryPhonebookWatcher*>(self)->Watch();
  } catch (...) {
    // Out of memory: no watching; the monitor's timer still finds every change.
  }
  return 0;
}

void CDirectoryPhonebookWatcher::Watch() {
  std::vector<std::unique_ptr<WatchedFolder>> folders = FoldersOf(files_);
  // A folder missing now is looked for again at every recheck.
  for (const auto& folder : folders) {
    folder->Follow();
  }
  ::SetEvent(ready_.get());
  auto followAll = [&folders] {
    bool moved = false;
    for (const auto& folder : folders) {
      moved = folder->Follow() || moved;
    }
    return moved;
  };
  for (;;) {
    std::vector<HANDLE> waits{stop_.get(), recheck_.get()};
    std::vector<WatchedFolder*> reading;
    for (const auto& folder : folders) {
      if (folder->reading) {
        waits.push_back(folder->event.get());
        reading.push_back(folder.get());
      }
    }
    const DWORD which =
        ::WaitForMultipleObjects(static_cast<DWORD>(waits.size()), waits.data(), FALSE, INFINITE);
    if (which <= WAIT_OBJECT_0 || which >= WAIT_OBJECT_0 + waits.size()) {
      return;
    }
    bool changed = false;
    if (which == WAIT_OBJECT_0 + 1) {
      // What appeared, went or was replaced may hold another phonebook than the last scan read.
      changed = followAll();
    } else {
      WatchedFolder& folder = *reading[which - WAIT_OBJECT_0 - 2];
      const ReadResult result = folder.Finish();
      changed = result != ReadResult::kNothing;
      if (result != ReadResult::kFailed) {
        folder.Read();
      }
      // A failed read, or a change of the phonebook's folder seen from above: the folder may
      // have gone or been replaced, and the phonebook with it. Following costs a few opens.
      if (changed) {
        followAll();
      }
    }
    if (changed) {
      ::PostMessageA(window_, message_, 0, 0);
    }
  }
}

std::vector<std::wstring> SystemPhonebookFiles() {
  std::vector<std::wstring> files;
  for (int folder : {CSIDL_APPDATA, CSIDL_COMMON_APPDATA}) {
    wchar_t path[MAX_PATH] = {};
    if (SUCCEEDED(::SHGetFolderPathW(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path))) {
      files.push_back(std::wstring(path) + L"\\Microsoft\\Network\\Connections\\Pbk\\rasphone.pbk");
    }
  }
  return files;
}

IPhonebookWatcher& SystemPhonebookWatcher() {
  static CDirectoryPhonebookWatcher watcher(SystemPhonebookFiles());
  return watcher;
}

}  // namespace tollward
