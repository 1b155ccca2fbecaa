// A monitor that runs for days in the tray: thousands of ticks, a report at every fifth, and the
// process's drawing objects, window objects and private memory must not grow with them.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"

#include <cstdint>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/win/ControlCenterFixture.h"

namespace tollward {
namespace {

using testing::ControlCenterTest;
using testing::ControlCenterWindow;
using testing::DoubleClickRow;
using testing::FromTemplate;
using testing::HiddenInTrayMonitoring;
using testing::MessageBoxWith;
using testing::Robot;
using testing::RobotWindow;

constexpr int kEntries = 20;
constexpr int kCleanTicksPerCycle = 4;
constexpr int kCycles = 400;  // five ticks each: 2,000 ticks
constexpr int kWarmUpCycles = 10;
constexpr long kObjectAllowance = 8;
constexpr uint64_t kMemoryAllowance = 2u << 20;

// What the process holds at one moment. GetGuiResources does not answer everywhere (Wine gives
// 0), so where it is silent the handle tables are walked: a handle whose high word is 0 names its
// slot whatever the slot's generation.
struct Holdings {
  std::map<std::string, long> gdi;  // by object type
  long user = 0;
  uint64_t privateBytes = 0;

  long GdiTotal() const {
    long total = 0;
    for (const auto& [type, count] : gdi) {
      total += count;
    }
    return total;
  }
};

const char* GdiTypeName(DWORD type) {
  switch (type) {
    case OBJ_PEN:
      return "pen";
    case OBJ_BRUSH:
      return "brush";
    case OBJ_DC:
    case OBJ_MEMDC:
      return "dc";
    case OBJ_FONT:
      return "font";
    case OBJ_BITMAP:
      return "bitmap";
    case OBJ_REGION:
      return "region";
    default:
      return "other";
  }
}

Holdings Measure() {
  Holdings now;
  const DWORD gdi = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  const DWORD user = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
  if (gdi != 0) {
    now.gdi["all"] = static_cast<long>(gdi);
  } else {
    for (uintptr_t index = 1; index < 0x10000; ++index) {
      const DWORD type = ::GetObjectType(reinterpret_cast<HGDIOBJ>(index));
      if (type != 0) {
        ++now.gdi[GdiTypeName(type)];
      }
    }
  }
  if (user != 0) {
    now.user = static_cast<long>(user);
  } else {
    for (uintptr_t index = 0x20; index < 0x10000; index += 2) {
      const HANDLE handle = reinterpret_cast<HANDLE>(index);
      ICONINFO info{};
      if (::IsWindow(static_cast<HWND>(handle)) || ::IsMenu(static_cast<HMENU>(handle))) {
        ++now.user;
      } else if (::GetIconInfo(static_cast<HICON>(handle), &info)) {
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        ++now.user;
      }
    }
  }
  MEMORY_BASIC_INFORMATION region{};
  for (const char* at = nullptr;
       ::VirtualQuery(at, &region, sizeof(region)) == sizeof(region) && region.RegionSize != 0;
       at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) {
      now.privateBytes += region.RegionSize;
    }
  }
  return now;
}

std::string Describe(const Holdings& holdings) {
  std::ostringstream text;
  for (const auto& [type, count] : holdings.gdi) {
    text << type << ' ' << count << ", ";
  }
  text << "user " << holdings.user << ", private " << holdings.privateBytes / 1024 << " KB";
  return text.str();
}

class LongRun : public ControlCenterTest {
 protected:
  void SetUp() override {
    ControlCenterTest::SetUp();
    std::vector<std::string> lines;
    for (int i = 0; i < kEntries; ++i) {
      const std::string number = std::to_string(4000 + i);
      lines.insert(lines.end(), {"[Dial-in " + std::to_string(10 + i) + "]", "AreaCode=0761",
                                 "LocalPhoneNumber=" + number, "UserName=user" + number,
                                 "Password=pw" + number});
    }
    WritePhonebook(lines);
    RegisterWholePhonebook();
  }

  // Changes the first entry's number to the other of its two values, so that every second
  // change puts the registered one back.
  void ToggleFirstNumber() {
    std::vector<std::string> lines = PhonebookLines();
    for (std::string& line : lines) {
      if (line == "LocalPhoneNumber=4000") {
        line = "LocalPhoneNumber=4999";
        break;
      }
      if (line == "LocalPhoneNumber=4999") {
        line = "LocalPhoneNumber=4000";
        break;
      }
    }
    WritePhonebook(lines);
  }
};

TEST_F(LongRun, TwoThousandTicksWithAReportAtEveryFifthLeaveTheProcessAsItWas) {
  HWND window = nullptr;
  Holdings warm;
  Holdings end;
  int reports = 0;
  int detections = 0;
  Robot robot;
  for (int cycle = 0; cycle < kCycles; ++cycle) {
    robot.When(
        "the control center back in the tray, monitoring",
        [&] { return HiddenInTrayMonitoring(window = ControlCenterWindow()); },
        [&, cycle] {
          if (cycle == kWarmUpCycles) {
            warm = Measure();
          }
          for (int tick = 0; tick < kCleanTicksPerCycle; ++tick) {
            ::SendMessageA(window, WM_TIMER, 2, 0);
          }
          ToggleFirstNumber();
          ::PostMessageA(window, WM_TIMER, 2, 0);
        });
    robot.OnWindow(FromTemplate(IDD_MANIPULATED_CONNECTION), [&](RobotWindow& report) {
      ++reports;
      report.Click(IDOK);
    });
    robot.OnWindow(MessageBoxWith("The Tollward Monitor has detected"), [&](RobotWindow& box) {
      ++detections;
      box.Click(IDOK);
    });
    // Registers the changed entry again, after the question that shows both values, starts the
    // monitor and goes back into the tray.
    robot.Then([&] {
      RobotWindow controlCenter(window);
      controlCenter.SelectListItem(IDC_UNREGISTERED_LIST, 0);
      DoubleClickRow(controlCenter, IDC_UNREGISTERED_LIST, 0);
    });
    robot.OnWindow(MessageBoxWith("was changed after you registered it"),
                   [](RobotWindow& box) { box.Click(IDYES); });
    robot.Then([&] {
      RobotWindow controlCenter(window);
      controlCenter.Click(IDC_MONITOR);
      controlCenter.Click(IDOK);
    });
  }
  robot.When(
      "the control center back in the tray after the last cycle",
      [&] { return HiddenInTrayMonitoring(window = ControlCenterWindow()); },
      [&] {
        end = Measure();
        ::PostMessageA(window, WM_COMMAND, ID_TRAY_SHUTDOWN, 0);
      });
  robot.OnWindow(MessageBoxWith(testing::kQuitQuestion),
                 [](RobotWindow& box) { box.Click(IDYES); });
  MakeControlCenter(" /monitor /nosplash")->DoModal();
  ASSERT_TRUE(robot.Done()) << robot.Failures();

  EXPECT_EQ(kCycles, reports);
  EXPECT_EQ(kCycles, detections);
  EXPECT_EQ(static_cast<size_t>(kEntries), StoredNames().size());
  std::cout << "after warm-up: " << Describe(warm) << "\nafter " << kCycles * 5
            << " ticks: " << Describe(end) << '\n';
  EXPECT_LE(end.GdiTotal() - warm.GdiTotal(), kObjectAllowance)
      << Describe(warm) << " -> " << Describe(end);
  EXPECT_LE(end.user - warm.user, kObjectAllowance);
  EXPECT_LE(end.privateBytes, warm.privateBytes + kMemoryAllowance);
}

}  // namespace
}  // namespace tollward
