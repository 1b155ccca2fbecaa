// A check's reports shown to the user, and the registrations they showed remembered for the
// lists' reasons.
#include "app/ReportingRASConnections.h"

#include "app/InteractiveRASConnections.h"

namespace tollward {
namespace {

class CReportingRASConnections final : public CInteractiveRASConnections {
 public:
  CReportingRASConnections(IPhonebook& phonebook, CAlteredRegistrations& altered)
      : CInteractiveRASConnections(phonebook), altered_(altered) {}

  void OnManipulatedConnection(const ConnectionRecord& checked, unsigned index,
                               const ConnectionRecord& differences) override {
    CInteractiveRASConnections::OnManipulatedConnection(checked, index, differences);
    // A difference record with a name is an entry the check did not find: nothing was shown.
    if (differences.szEntryName[0] == '\0') {
      altered_.Remember(checked);
    }
  }

 private:
  CAlteredRegistrations& altered_;
};

}  // namespace

std::unique_ptr<CRASConnections> MakeReportingList(IPhonebook& phonebook,
                                                   CAlteredRegistrations& altered) {
  return std::make_unique<CReportingRASConnections>(phonebook, altered);
}

}  // namespace tollward
