// The stand-in's modal editor for one phonebook entry.
#include "tools/rasemu/EntryEditor.h"

#include <raserror.h>

#include <vector>

#include "platform/win32/Ras400.h"
#include "tools/rasemu/EntryEditorIds.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace rasemu {
namespace {

struct EditorState {
  const CPhonebookFile* file;
  std::string entryName;
  EntryValues shown;
};

struct Field {
  int id;
  std::size_t maxLength;
  std::string EntryValues::*value;
};

const Field kFields[] = {
    {IDC_RASEMU_AREA_CODE, tollward::ras400::kMaxAreaCode, &EntryValues::areaCode},
    {IDC_RASEMU_LOCAL_NUMBER, tollward::ras400::kMaxPhoneNumber, &EntryValues::localPhoneNumber},
    {IDC_RASEMU_USER_NAME, tollward::ras400::kMaxUserName, &EntryValues::userName},
    {IDC_RASEMU_PASSWORD, tollward::ras400::kMaxPassword, &EntryValues::password},
};

std::string ItemText(HWND dialog, int id) {
  std::vector<char> text(GetWindowTextLengthA(GetDlgItem(dialog, id)) + 1);
  const UINT copied = GetDlgItemTextA(dialog, id, text.data(), static_cast<int>(text.size()));
  return std::string(text.data(), copied);
}

void Initialise(HWND dialog, const EditorState& state) {
  SetWindowTextA(dialog, (state.entryName + " - Phonebook Entry").c_str());
  SetDlgItemTextA(dialog, IDC_RASEMU_ENTRY_NAME, state.entryName.c_str());
  for (const Field& field : kFields) {
    SendDlgItemMessageA(dialog, field.id, EM_LIMITTEXT, field.maxLength, 0);
    SetDlgItemTextA(dialog, field.id, (state.shown.*field.value).c_str());
  }
}

// OK keeps the editor open when the file cannot take the values, so that nothing typed is lost.
void Accept(HWND dialog, const EditorState& state) {
  EntryValues edited;
  for (const Field& field : kFields) {
    edited.*field.value = ItemText(dialog, field.id);
  }
  const DWORD result = state.file->Write(state.entryName, state.shown, edited);
  if (result == 0) {
    EndDialog(dialog, IDOK);
    return;
  }
  const char* reason = result == ERROR_CANNOT_FIND_PHONEBOOK_ENTRY
                           ? "The entry is no longer in the phonebook."
                           : "The phonebook file could not be written.";
  const std::string text = std::string(reason) + "\n\n" + state.file->path() +
                           "\n\nYour changes are still in the editor; Cancel discards them.";
  MessageBoxA(dialog, text.c_str(), "Phonebook Entry", MB_OK | MB_ICONSTOP);
}

INT_PTR CALLBACK EditorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    switch (message) {
      case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        Initialise(dialog, *reinterpret_cast<const EditorState*>(lParam));
        // The name cannot be changed here; the first field worth typing in takes the focus.
        SetFocus(GetDlgItem(dialog, IDC_RASEMU_AREA_CODE));
        SendDlgItemMessageA(dialog, IDC_RASEMU_AREA_CODE, EM_SETSEL, 0, -1);
        return FALSE;
      case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
          Accept(dialog,
                 *reinterpret_cast<const EditorState*>(GetWindowLongPtrA(dialog, DWLP_USER)));
          return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
          EndDialog(dialog, IDCANCEL);
          return TRUE;
        }
        break;
    }
  } catch (...) {
    // Nothing may unwind through the system's dialog loop; the editor simply stays as it is.
  }
  return FALSE;
}

}  // namespace

DWORD RunEntryEditor(HWND owner, const CPhonebookFile& file, const std::string& entryName) {
  EditorState state{&file, entryName, file.Read(entryName)};
  const INT_PTR result = DialogBoxParamA(reinterpret_cast<HINSTANCE>(&__ImageBase),
                                         MAKEINTRESOURCEA(IDD_RASEMU_ENTRY_EDITOR), owner,
                                         EditorProc, reinterpret_cast<LPARAM>(&state));
  if (result == IDOK || result == IDCANCEL) {
    return 0;
  }
  const DWORD error = GetLastError();
  return error != 0 ? error : ERROR_INVALID_PARAMETER;
}

}  // namespace rasemu
