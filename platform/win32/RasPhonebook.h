// The user's default dial-up phonebook, reached through RASAPI32 with the 4.00 structures.
#pragma once

#include "platform/Phonebook.h"

namespace tollward {

class CRasPhonebook final : public IPhonebook {
 public:
  std::uint32_t CountEntries() override;
  bool EnumerateEntries(std::uint32_t count, std::vector<std::string>& names) override;
  bool GetDialParams(const std::string& entryName, PhonebookDialParams& params) override;
  bool GetProperties(const std::string& entryName, PhonebookEntryProperties& props) override;
  bool SetDialParams(const std::string& entryName, const std::string& userName,
                     const std::string& password) override;
  bool EditEntry(const std::string& entryName, NativeWindow owner) override;
  bool HidesSavedPasswords() override;

 private:
  // The buffer size the latest count asked for, which the enumeration then passes.
  unsigned long countedSize_ = 0;
};

// The one phonebook of the running program.
IPhonebook& SystemPhonebook();

}  // namespace tollward
