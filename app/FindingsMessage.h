// What the start-up or a scan could not check, as the user is told it.
#pragma once

#include "platform/win32/WinApi.h"

#include "core/EntryStatus.h"
#include "logic/PhonebookMessage.h"

namespace tollward {

// The texts of the message about entries that could not be checked, from the string table.
FindingsTexts LoadFindingsTexts();

// The one message about what the last scan or the start-up could not check, if anything.
void ShowPhonebookFindings(HWND owner, const PhonebookFindings& findings);

}  // namespace tollward
