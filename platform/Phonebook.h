// What the guard needs of the system's dial-up phonebook: five operations, nothing more.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/EntryDetails.h"
#include "platform/NativeWindow.h"

namespace tollward {

struct PhonebookDialParams {
  std::string userName;
  std::string password;
};

struct PhonebookEntryProperties {
  std::string areaCode;
  std::string localPhoneNumber;
  // The rest of what the same call reads, for the guard of the whole entry.
  EntryDetails details;
};

// Every operation works on the user's default phonebook. A false result means the system
// refused; the implementations never throw.
class IPhonebook {
 public:
  virtual ~IPhonebook() = default;

  // The number of entries the phonebook holds now (the sizing enumeration); 0 when it cannot say.
  virtual std::uint32_t CountEntries() = 0;
  // The entry names in the phonebook's own order, for room of `count` entries as counted before.
  virtual bool EnumerateEntries(std::uint32_t count, std::vector<std::string>& names) = 0;
  // The password read is whatever the service hands out for the saved one: the password itself,
  // or an opaque handle to it (below); empty when none is saved.
  virtual bool GetDialParams(const std::string& entryName, PhonebookDialParams& params) = 0;
  virtual bool GetProperties(const std::string& entryName, PhonebookEntryProperties& props) = 0;
  // Stores user name and password of the entry; the password is never removed.
  virtual bool SetDialParams(const std::string& entryName, const std::string& userName,
                             const std::string& password) = 0;
  // Opens the system's modal editor for the entry, owned by the given window.
  virtual bool EditEntry(const std::string& entryName, NativeWindow owner) = 0;
  // True when the service reads a saved password back as a handle instead of the password, and
  // keeps the saved one when that handle is set again. Then no program can compare a password
  // with the saved one, only see whether one is saved.
  virtual bool HidesSavedPasswords() = 0;
};

}  // namespace tollward
