// The one icon of a window in the notification area; it goes with its owner however that ends.
#include "ui/framework/TrayIcon.h"

#include <shellapi.h>

#include <cstring>

namespace tollward::ui {
namespace {

// The first layout is the one every shell knows; its tip holds 63 characters.
void SetTip(NOTIFYICONDATAA& data, const std::string& tip) {
  const std::size_t room = 64;
  const std::size_t length = tip.size() < room ? tip.size() : room - 1;
  std::memcpy(data.szTip, tip.data(), length);
  data.szTip[length] = '\0';
}

NOTIFYICONDATAA Data(TrayRegistration registration, UINT flags, UINT callbackMessage = 0) {
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = registration.owner;
  data.uID = registration.id;
  data.uFlags = flags;
  data.uCallbackMessage = callbackMessage;
  return data;
}

}  // namespace

void RemoveFromTray(TrayRegistration registration) {
  NOTIFYICONDATAA data = Data(registration, 0);
  ::Shell_NotifyIconA(NIM_DELETE, &data);
}

bool CTrayIcon::Add(HWND owner, UINT id, UINT callbackMessage, HICON icon, const std::string& tip) {
  // The shell may have lost it (a restart of the task bar); an entry that would not go is
  // forgotten all the same.
  Remove();
  registration_.release();
  const TrayRegistration registration{owner, id};
  NOTIFYICONDATAA data = Data(registration, NIF_MESSAGE | NIF_ICON | NIF_TIP, callbackMessage);
  data.hIcon = icon;
  SetTip(data, tip);
  if (::Shell_NotifyIconA(NIM_ADD, &data) != FALSE) {
    registration_.reset(registration);
  }
  return IsAdded();
}

bool CTrayIcon::Modify(HICON icon, const std::string& tip) {
  if (!IsAdded()) {
    return false;
  }
  NOTIFYICONDATAA data = Data(registration_.get(), NIF_ICON | NIF_TIP);
  data.hIcon = icon;
  SetTip(data, tip);
  return ::Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

bool CTrayIcon::ModifyIcon(HICON icon) {
  if (!IsAdded()) {
    return false;
  }
  NOTIFYICONDATAA data = Data(registration_.get(), NIF_ICON);
  data.hIcon = icon;
  return ::Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

bool CTrayIcon::Remove() {
  if (!IsAdded()) {
    return true;
  }
  NOTIFYICONDATAA data = Data(registration_.get(), 0);
  if (::Shell_NotifyIconA(NIM_DELETE, &data) == FALSE) {
    return false;
  }
  registration_.release();
  return true;
}

}  // namespace tollward::ui
