// How soon the real program's monitor reacts to a changed phonebook file. Each run starts
// Tollward.exe with " /monitor " beside this program, waits until it sits in the tray, changes a
// registered entry's number in the user's phonebook file and times the report of the altered
// entry and the monitor's message. Prints each run, then minimum, median and maximum.
#include "platform/win32/WinApi.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "core/RASConnections.h"
#include "platform/win32/DirectoryPhonebookWatcher.h"
#include "platform/win32/RasPhonebook.h"
#include "res/resource.h"

namespace {

const char kPhonebook[] =
    "[Office ISDN]\r\nAreaCode=089\r\nLocalPhoneNumber=44881200\r\nUserName=jmiller\r\n"
    "Password=tu3Lk9\r\n\r\n[CityNet Internet]\r\nAreaCode=030\r\nLocalPhoneNumber=19231770\r\n"
    "UserName=citynet\r\nPassword=citynet\r\n";
const char kManipulated[] =
    "[Office ISDN]\r\nAreaCode=089\r\nLocalPhoneNumber=44881200\r\nUserName=jmiller\r\n"
    "Password=tu3Lk9\r\n\r\n[CityNet Internet]\r\nAreaCode=0190\r\nLocalPhoneNumber=555000\r\n"
    "UserName=citynet\r\nPassword=citynet\r\n";
const char kDetected[] = "The Tollward Monitor has detected";

double Seconds() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  ::QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// In place, as an editor or a dialer writes it.
bool WriteText(const std::string& path, const char* text) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return false;
  }
  DWORD written = 0;
  const DWORD length = static_cast<DWORD>(std::strlen(text));
  const bool ok = ::WriteFile(file, text, length, &written, nullptr) && written == length;
  ::CloseHandle(file);
  return ok;
}

std::string TextOf(HWND window) {
  char text[512] = {};
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 1000, &ignored);
  return text;
}

// A top-level window of the process that passes the test, shown or not.
HWND FindWindowOf(DWORD process, const std::function<bool(HWND)>& test) {
  struct Search {
    DWORD process;
    const std::function<bool(HWND)>* test;
    HWND found;
  } search{process, &test, nullptr};
  ::EnumWindows(
      [](HWND hwnd, LPARAM parameter) -> BOOL {
        auto* s = reinterpret_cast<Search*>(parameter);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(hwnd, &owner);
        if (owner == s->process && (*s->test)(hwnd)) {
          s->found = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Polls every millisecond; null after `limit` seconds or when the program ended.
HWND WaitFor(HANDLE process, DWORD id, double limit, const std::function<bool(HWND)>& test) {
  const double end = Seconds() + limit;
  while (Seconds() < end && ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
    if (HWND found = FindWindowOf(id, test)) {
      return found;
    }
    ::Sleep(1);
  }
  return nullptr;
}

bool IsControlCenter(HWND hwnd) {
  return ::GetDlgItem(hwnd, IDC_UNREGISTERED_LIST) != nullptr;
}

bool IsReport(HWND hwnd) {
  return ::IsWindowVisible(hwnd) && ::GetDlgItem(hwnd, IDC_ENTRY_NAME) != nullptr &&
         !IsControlCenter(hwnd);
}

std::function<bool(HWND)> MessageBoxSaying(const std::string& part) {
  return [part](HWND hwnd) {
    HWND text = ::GetDlgItem(hwnd, 0xFFFF);
    return ::IsWindowVisible(hwnd) && text != nullptr &&
           TextOf(text).find(part) != std::string::npos;
  };
}

void Click(HWND dialog, int button) {
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, button)));
}

struct Times {
  double report;
  double message;
};

// One start of the program; false (with the reason printed) when a step did not come.
bool MeasureOnce(const std::string& folder, const std::string& phonebookPath, Times& times) {
  if (!WriteText(phonebookPath, kPhonebook)) {
    std::printf("cannot write %s\n", phonebookPath.c_str());
    return false;
  }
  {
    // What an earlier run with every entry registered would have stored.
    tollward::CRasPhonebook phonebook;
    tollward::CRASConnections everything(phonebook);
    if (!everything.Retrieve() || !everything.Save(folder + "Tollward.con")) {
      std::printf("cannot register the phonebook: %s\n", everything.errorText().c_str());
      return false;
    }
  }
  const std::string exe = folder + "Tollward.exe";
  std::string commandLine = '"' + exe + "\" /monitor /nosplash";
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION program{};
  if (!::CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &program)) {
    std::printf("cannot start %s\n", exe.c_str());
    return false;
  }
  bool measured = false;
  const auto inTray = [](HWND hwnd) {
    return IsControlCenter(hwnd) && !::IsWindowVisible(hwnd) &&
           ::SendMessageA(::GetDlgItem(hwnd, IDC_MONITOR), BM_GETCHECK, 0, 0) == BST_CHECKED;
  };
  if (WaitFor(program.hProcess, program.dwProcessId, 30, inTray) == nullptr) {
    std::printf("the program did not go into the tray\n");
  } else {
    // Past the start's own stir in the tray.
    ::Sleep(1000);
    const double changed = Seconds();
    WriteText(phonebookPath, kManipulated);
    HWND report = WaitFor(program.hProcess, program.dwProcessId, 60, IsReport);
    const double reported = Seconds();
    if (report != nullptr) {
      Click(report, IDOK);
    }
    HWND box = report == nullptr ? nullptr
                                 : WaitFor(program.hProcess, program.dwProcessId, 60,
                                           MessageBoxSaying(kDetected));
    const double told = Seconds();
    if (box == nullptr) {
      std::printf("the monitor did not report the change\n");
    } else {
      times = {reported - changed, told - changed};
      measured = true;
      Click(box, IDOK);
      // The program ends by its own quit question.
      if (HWND controlCenter = WaitFor(program.hProcess, program.dwProcessId, 10, [](HWND hwnd) {
            return IsControlCenter(hwnd) && ::IsWindowVisible(hwnd);
          })) {
        Click(controlCenter, IDCANCEL);
        if (HWND question =
                WaitFor(program.hProcess, program.dwProcessId, 10, MessageBoxSaying("quit"))) {
          Click(question, IDYES);
        }
      }
    }
  }
  if (::WaitForSingleObject(program.hProcess, 10000) != WAIT_OBJECT_0) {
    ::TerminateProcess(program.hProcess, 1);
    ::WaitForSingleObject(program.hProcess, 5000);
  }
  ::CloseHandle(program.hThread);
  ::CloseHandle(program.hProcess);
  return measured;
}

void PrintSummary(const char* what, std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  const double median = n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
  std::printf("%-34s min %6.0f ms   median %6.0f ms   max %6.0f ms\n", what, values.front() * 1000,
              median * 1000, values.back() * 1000);
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  char self[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string folder(self);
  folder.erase(folder.find_last_of('\\') + 1);
  std::vector<std::string> files;
  for (const std::wstring& file : tollward::SystemPhonebookFiles()) {
    char path[MAX_PATH] = {};
    ::WideCharToMultiByte(CP_ACP, 0, file.c_str(), -1, path, MAX_PATH, nullptr, nullptr);
    files.push_back(path);
  }
  if (files.empty()) {
    std::printf("no user phonebook folder\n");
    return 1;
  }
  // The stand-in's own default: the user's phonebook, which the program watches.
  ::SetEnvironmentVariableA("RASPHONE_PBK", nullptr);
  const std::string& phonebookPath = files.front();

  std::vector<double> reports;
  std::vector<double> messages;
  for (int run = 1; run <= runs; ++run) {
    Times times{};
    if (!MeasureOnce(folder, phonebookPath, times)) {
      return 1;
    }
    std::printf("run %d: report of the altered entry after %4.0f ms, message after %4.0f ms\n", run,
                times.report * 1000, times.message * 1000);
    std::fflush(stdout);
    reports.push_back(times.report);
    messages.push_back(times.message);
  }
  PrintSummary("change to the report:", reports);
  PrintSummary("change to the monitor's message:", messages);
  return 0;
}
