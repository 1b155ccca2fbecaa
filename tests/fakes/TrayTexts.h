// The tray's texts as the string table has them, and a local time of day to scan at.
#pragma once

#include <ctime>

#include "logic/TrayState.h"

namespace tollward::testing {

inline TrayTexts Texts() {
  return {"Tollward", "Tollward - monitoring active (last check at %02u:%02uh)",
          "   (last scan at %02u:%02uh)", "   (%u monitorings performed)"};
}

inline std::time_t LocalTime(int hour, int minute) {
  std::tm when{};
  when.tm_year = 126;
  when.tm_mon = 11;
  when.tm_mday = 7;
  when.tm_hour = hour;
  when.tm_min = minute;
  when.tm_isdst = -1;
  return std::mktime(&when);
}

}  // namespace tollward::testing
