// The rows the manipulation report shows for further properties that differ: name and values.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/EntryDetails.h"

namespace tollward {

struct DetailRow {
  std::string label;
  std::string registered;
  std::string current;
};

// The program's text of a string table id.
using TextById = std::function<std::string(unsigned id)>;

// One row per differing field, in the order of the check; a changed option is a row of its own
// with its plain name and whether it is on or off, options without a name share one row.
std::vector<DetailRow> MakeDetailRows(const EntryDetails& registered, const EntryDetails& current,
                                      const TextById& text);

}  // namespace tollward
