// The stand-in's phonebook: an INI file with one [entry name] section per entry.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/EntryDetails.h"

namespace rasemu {

struct EntryValues {
  std::string areaCode;
  std::string localPhoneNumber;
  std::string userName;
  std::string password;
};

// Every instance reads the file afresh, so that whoever edits the file between two calls is
// seen at the next one. As the service does, it keeps names in Unicode (the file is read as
// UTF-8, or in the code page where it is not valid UTF-8) and hands out and takes the ANSI form:
// a name the code page cannot express is listed with '?' and then not found. Names match without
// regard to letter case, as the sections of a profile file do; the enumeration still lists each
// section as it is spelt, and a section that occurs twice twice, as the all-users and the user's
// phonebook together list an entry that both hold.
class CPhonebookFile {
 public:
  struct Section {
    std::string name;    // the bytes of the file, which the profile functions write under
    std::wstring title;  // the name as the service keeps it
    std::vector<std::pair<std::string, std::string>> values;  // key and value, in file order
  };

  // The file named by the caller, else by RASPHONE_PBK, else the user's own phonebook.
  explicit CPhonebookFile(const char* explicitPath);

  const std::string& path() const { return path_; }
  // False when the file exists but cannot be opened (another program holds it locked).
  bool readable() const { return readable_; }
  // Section names in file order, in the ANSI form; an absent file is an empty phonebook.
  const std::vector<std::string>& EntryNames() const { return names_; }
  bool Contains(const std::string& name) const;
  EntryValues Read(const std::string& name) const;
  // The further properties, from the keys the system's phonebook file keeps them under.
  tollward::EntryDetails ReadDetails(const std::string& name) const;

  // Writes the values that differ from `before`; every other line of the file stays. Returns
  // 0, ERROR_CANNOT_FIND_PHONEBOOK_ENTRY, ERROR_INVALID_PARAMETER for a value that a profile
  // line cannot hold, or ERROR_CANNOT_WRITE_PHONEBOOK.
  DWORD Write(const std::string& name, const EntryValues& before, const EntryValues& after) const;
  DWORD WriteCredentials(const std::string& name, const std::string& userName,
                         const std::string& password) const;

 private:
  const Section* Find(const std::string& name) const;

  std::string path_;
  std::vector<Section> sections_;
  std::vector<std::string> names_;
  bool readable_ = true;
};

// The text a profile line must hold so that reading it back gives exactly `value`.
std::string ProfileValue(const std::string& value);

}  // namespace rasemu
