// The ends of the program: every way out saves what the run holds, and says what it could not.
#include "logic/QuitRules.h"

#include "logic/Registration.h"

namespace tollward {

EndSave SaveEverything(CRASConnections& registered, const std::string& storePath,
                       StoreBinding binding, CRASBadAreaCodes& badAreas, COptions& options,
                       bool saveOptions) {
  EndSave saved;
  {
    CHeldReports quiet(registered);
    if (!SaveRegistrationsForQuit(registered, storePath, binding)) {
      saved.failures.push_back({DataKind::kRegistrations, storePath, registered.errorText()});
    } else {
      saved.phonebookUnchecked = binding == StoreBinding::kPhonebookUnread;
      // Lost, they would be taken from the phonebook at the next start without a word, and a
      // change made meanwhile would go unseen.
      if (registered.path().has_value() && !registered.detailsSaveError().empty()) {
        saved.failures.push_back({DataKind::kEntryDetails,
                                  CRASConnections::DetailsPathFor(storePath),
                                  registered.detailsSaveError()});
      }
    }
  }
  // A list whose file could be neither read nor kept aside has no path and writes nowhere.
  if (badAreas.path().has_value()) {
    CHeldReports quiet(badAreas);
    if (!badAreas.Save()) {
      saved.failures.push_back({DataKind::kBadAreaCodes, *badAreas.path(), badAreas.errorText()});
    }
  }
  if (saveOptions) {
    CHeldReports quiet(options);
    std::string path;
    if (!options.Save(path)) {
      saved.failures.push_back({DataKind::kOptions, path, options.errorText()});
    }
  }
  return saved;
}

void SaveAtEnd(CRASConnections& registered, CRASBadAreaCodes& badAreas,
               COptions& options) noexcept {
  options.SaveAtEnd();
  {
    CHeldReports quiet(badAreas);
    // Without a path this writes nothing, as the list's destruction would not.
    badAreas.Save();
    badAreas.ClearPath();
  }
  CHeldReports quiet(registered);
  registered.WriteBack();
}

OptionValues OptionValues::Of(const COptions& options) {
  OptionValues values;
  values.monitorInterval = options.GetMonitorInterval();
  values.runMonitorAtStartup = options.runMonitorAtStartup;
  values.runSilentCheckAtStart = options.runSilentCheckAtStart;
  values.minimizeOnMonitorStart = options.minimizeOnMonitorStart;
  values.showExtendedFunctionality = options.showExtendedFunctionality;
  values.flashTrayIconAfterScan = options.flashTrayIconAfterScan;
  return values;
}

bool OptionValues::operator==(const OptionValues& other) const {
  return monitorInterval == other.monitorInterval &&
         runMonitorAtStartup == other.runMonitorAtStartup &&
         runSilentCheckAtStart == other.runSilentCheckAtStart &&
         minimizeOnMonitorStart == other.minimizeOnMonitorStart &&
         showExtendedFunctionality == other.showExtendedFunctionality &&
         flashTrayIconAfterScan == other.flashTrayIconAfterScan;
}

QuitDecision CQuitRules::AfterSave(WayOut way, const EndSave& saved) {
  QuitDecision decision;
  if (way == WayOut::kSessionEnd) {
    decision.end = true;
    return decision;
  }
  if (saved.failures.empty()) {
    decision.end = true;
    decision.notice =
        saved.phonebookUnchecked ? QuitNotice::kPhonebookUnchecked : QuitNotice::kNone;
    return decision;
  }
  // The first time the program stays, so that the user can free the file and try again; a
  // user who quits once more knows what he gives up.
  if (!toldOfFailure_) {
    toldOfFailure_ = true;
    decision.notice = QuitNotice::kNotSavedStaying;
    return decision;
  }
  decision.end = true;
  decision.notice = QuitNotice::kNotKeptEnding;
  return decision;
}

}  // namespace tollward
