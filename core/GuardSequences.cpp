// The checks in the combinations the program runs: at start-up, in a scan, after bad areas changed.
#include "core/GuardSequences.h"

#include "core/DamagedFile.h"

namespace tollward {
namespace {

std::unique_ptr<CRASConnections> MakeList(const ReportingListFactory& factory) noexcept {
  try {
    return factory ? factory() : nullptr;
  } catch (...) {
    return nullptr;
  }
}

}  // namespace

bool LoadBadAreaCodes(CRASBadAreaCodes& badAreas, const std::string& path) {
  if (badAreas.Load(path)) {
    return true;
  }
  // A missing file counts as kept: there is nothing to lose, and the first save creates it.
  if (!KeepDamagedFile(path)) {
    badAreas.ClearPath();
  }
  return false;
}

StoreBinding RunStartUpCheck(CRASConnections& registered, CRASConnections& unregistered,
                             CRASBadAreaCodes& badAreas, const std::string& storePath,
                             const ReportingListFactory& makeReportingList,
                             const std::function<void()>& onFirstCheck,
                             PhonebookFindings* findings) {
  StoreBinding binding = StoreBinding::kPhonebookUnread;
  registered.LoadAndSplitPhonebook(storePath, unregistered, &binding, findings);
  registered.RemoveBadAreas(badAreas, &unregistered);
  if (onFirstCheck) {
    onFirstCheck();
  }
  // What it holds afterwards, the registrations whose entry is gone, is what the start-up says
  // is missing; the sort has kept them registered.
  if (std::unique_ptr<CRASConnections> checker = MakeList(makeReportingList)) {
    if (checker->CheckRegisteredFile(storePath) && findings != nullptr && findings->listed) {
      findings->missing.clear();
      for (unsigned i = 1; i <= checker->GetCount(); ++i) {
        findings->missing.push_back(checker->GetName(i));
      }
    }
  }
  return binding;
}

bool ScanAndResort(CRASConnections& registered, CRASConnections& unregistered,
                   const ReportingListFactory& makeReportingList, PhonebookFindings* findings) {
  if (std::unique_ptr<CRASConnections> reporter = MakeList(makeReportingList)) {
    // The entries listed unregistered before this scan have been told of already.
    reporter->ReportManipulations(registered, &unregistered);
  }
  return registered.SplitPhonebook(registered, &unregistered, findings);
}

bool MoveBadAreasToUnregistered(CRASConnections& registered, CRASBadAreaCodes& badAreas,
                                CRASConnections& unregistered) {
  return registered.RemoveBadAreas(badAreas, &unregistered);
}

}  // namespace tollward
