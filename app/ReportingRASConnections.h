// The interactive list that a check reports through, which also tells the lists' reasons which
// registration each report showed.
#pragma once

#include <memory>

#include "core/RASConnections.h"
#include "logic/EntryReasons.h"
#include "platform/Phonebook.h"

namespace tollward {

std::unique_ptr<CRASConnections> MakeReportingList(IPhonebook& phonebook,
                                                   CAlteredRegistrations& altered);

}  // namespace tollward
