// A phonebook of any size with its registrations, as the benchmarks scan it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/ConnectionRecord.h"
#include "tests/fakes/FakePhonebook.h"

namespace tollward::bench {

enum class PhonebookState {
  kUnchanged,          // every entry registered and as registered: the common case
  kOnePercentChanged,  // 1 % of the entries (at least one) altered since, or new
};

struct SamplePhonebook {
  testing::FakePhonebook phonebook;
  // In the phonebook's order; an altered entry with the values it had when it was registered.
  std::vector<ConnectionRecord> registered;
  // The further properties every entry has, in the phonebook and registered alike.
  EntryDetails details;
  std::size_t altered = 0;
  std::size_t added = 0;
};

// Entries with names, numbers and credentials of everyday lengths, all different.
void FillSamplePhonebook(std::size_t entries, PhonebookState state, SamplePhonebook& sample);

// Codes of the length users enter; none is the beginning of a sample entry's number.
std::vector<std::string> SampleBadAreaCodes(std::size_t count);

}  // namespace tollward::bench
