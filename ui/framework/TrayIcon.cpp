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

NOTIFYICONDATAA Data(HWND owner, UINT id, UINT flags, UINT callbackMessage = 0) {
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = owner;
  data.uID = id;
  data.uFlags = flags;
  data.uCallbackMessage = callbackMessage;
  return data;
}

}  // namespace

bool CTrayIcon::Add(HWND owner, UINT id, UINT callbackMessage, HICON icon, const std::string& tip) {
  if (m_added) {
    // The shell may have lost it (a restart of the task bar); the old entry is forgotten.
    Remove();
  }
  m_owner = owner;
  m_id = id;
  NOTIFYICONDATAA data = Data(m_owner, m_id, NIF_MESSAGE | NIF_ICON | NIF_TIP, callbackMessage);
  data.hIcon = icon;
  SetTip(data, tip);
  m_added = ::Shell_NotifyIconA(NIM_ADD, &data) != FALSE;
  return m_added;
}

bool CTrayIcon::Modify(HICON icon, const std::string& tip) {
  if (!m_added) {
    return false;
  }
  NOTIFYICONDATAA data = Data(m_owner, m_id, NIF_ICON | NIF_TIP);
  data.hIcon = icon;
  SetTip(data, tip);
  return ::Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

bool CTrayIcon::ModifyIcon(HICON icon) {
  if (!m_added) {
    return false;
  }
  NOTIFYICONDATAA data = Data(m_owner, m_id, NIF_ICON);
  data.hIcon = icon;
  return ::Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

bool CTrayIcon::Remove() {
  if (!m_added) {
    return true;
  }
  NOTIFYICONDATAA data = Data(m_owner, m_id, 0);
  m_added = ::Shell_NotifyIconA(NIM_DELETE, &data) == FALSE;
  return !m_added;
}

}  // namespace tollward::ui
