// The one message a scan or the start-up shows about the phonebook entries it could not check.
#pragma once

#include <string>

#include "core/EntryStatus.h"

namespace tollward {

// The string table's texts the message is made of.
struct FindingsTexts {
  std::string unlisted;        // the phonebook could not even be listed
  std::string unreadableHead;  // leads the list of entries that could not be read
  std::string entryLine;       // one entry: a format taking its name and its reason
  std::string advice;          // what the user can do about them
  std::string reasons[4];      // in the order of UnreadableReason
  std::string missingHead;     // leads the list of registrations whose entry has gone
  std::string missingLine;     // one of them: a format taking its name
  std::string missingAdvice;   // what becomes of them, and what the user can do
};

const std::string& ReasonText(UnreadableReason reason, const FindingsTexts& texts);

// Every entry by its name and reason, then the advice, then the registrations newly gone; empty
// when there is nothing to tell.
std::string DescribeFindings(const PhonebookFindings& findings, const FindingsTexts& texts);

}  // namespace tollward
