// The one message a scan or the start-up shows about the phonebook entries it could not check.
#include "logic/PhonebookMessage.h"

#include <cstdio>
#include <vector>

namespace tollward {
namespace {

std::string Formatted(const std::string& format, const std::string& name,
                      const std::string& reason) {
  const int length = std::snprintf(nullptr, 0, format.c_str(), name.c_str(), reason.c_str());
  if (length <= 0) {
    return std::string();
  }
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
  std::snprintf(buffer.data(), buffer.size(), format.c_str(), name.c_str(), reason.c_str());
  return std::string(buffer.data(), static_cast<std::size_t>(length));
}

}  // namespace

const std::string& ReasonText(UnreadableReason reason, const FindingsTexts& texts) {
  return texts.reasons[static_cast<int>(reason)];
}

std::string DescribeFindings(const PhonebookFindings& findings, const FindingsTexts& texts) {
  if (!findings.listed) {
    return texts.unlisted;
  }
  std::string message;
  if (!findings.unreadable.empty()) {
    message = texts.unreadableHead + "\n\n";
    for (const UnreadableEntry& entry : findings.unreadable) {
      message += Formatted(texts.entryLine, entry.name, ReasonText(entry.reason, texts)) + "\n";
    }
    message += "\n" + texts.advice;
  }
  if (!findings.missing.empty()) {
    message += (message.empty() ? "" : "\n\n") + texts.missingHead + "\n\n";
    for (const std::string& name : findings.missing) {
      message += Formatted(texts.missingLine, name, std::string()) + "\n";
    }
    message += "\n" + texts.missingAdvice;
  }
  return message;
}

}  // namespace tollward
