// The stand-in's modal editor for one phonebook entry.
#pragma once

#include <windows.h>

#include <string>

#include "tools/rasemu/PhonebookFile.h"

namespace rasemu {

// Shows the editor owned by `owner` until the user closes it. OK writes the changed values to
// the file, Cancel writes nothing; both are success (0). Otherwise a system error code.
DWORD RunEntryEditor(HWND owner, const CPhonebookFile& file, const std::string& entryName);

}  // namespace rasemu
