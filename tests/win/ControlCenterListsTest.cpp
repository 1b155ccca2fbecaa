// Registering and unregistering in the control center, and what "done" and Escape store.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/fakes/RecordingConnections.h"
#include "tests/win/ControlCenterFixture.h"

namespace tollward {
namespace {

using testing::AnyMessageBox;
using testing::ControlCenterTest;
using testing::DoubleClickRow;
using testing::FromTemplate;
using testing::kQuitQuestion;
using testing::ListColumn;
using testing::MakeRecord;
using testing::MessageBoxWith;
using testing::ReadBytes;
using testing::Robot;
using testing::RobotWindow;
using Names = std::vector<std::string>;

constexpr size_t kEmptyStore = 28;
constexpr size_t kRecord = 911;

// The rows once the control center has sorted them: CityNet, Fast Access, Office ISDN,
// university dial-in.
constexpr int kFastAccessRow = 1;
constexpr int kOfficeRow = 2;

class Registering : public ControlCenterTest {
 protected:
  void SetUp() override {
    ControlCenterTest::SetUp();
    WriteFourEntries();
  }
  // Queues the first step: the control center is up; `window` then holds it.
  void OnControlCenter(Robot& robot, std::function<void(RobotWindow&)> action) {
    robot.OnWindow(FromTemplate(IDD_CONTROL_CENTER), [this, action](RobotWindow& found) {
      window_ = found.hwnd();
      action(found);
    });
  }
  RobotWindow window() const { return RobotWindow(window_); }

 private:
  HWND window_ = nullptr;
};

TEST_F(Registering, TheRegisterButtonMovesTheSelectedEntryAndDoneStoresIt) {
  bool enabledBeforeSelection = true;
  bool enabledWithSelection = false;
  bool enabledAfterMove = true;
  Names unregistered;
  Names registered;
  size_t storeAfterNo = 0;
  bool runningAfterNo = false;
  Robot robot;
  OnControlCenter(robot, [&](RobotWindow& controlCenter) {
    enabledBeforeSelection = controlCenter.IsItemEnabled(IDC_REGISTER);
    controlCenter.SelectListItem(IDC_UNREGISTERED_LIST, kOfficeRow);
  });
  robot.Then([&] {
    enabledWithSelection = window().IsItemEnabled(IDC_REGISTER);
    window().Click(IDC_REGISTER);
  });
  robot.Then([&] {
    unregistered = ListColumn(window(), IDC_UNREGISTERED_LIST, 0);
    registered = ListColumn(window(), IDC_REGISTERED_LIST, 0);
    enabledAfterMove = window().IsItemEnabled(IDC_REGISTER);
    window().Click(IDOK);
  });
  robot.OnWindow(MessageBoxWith(kQuitQuestion), [](RobotWindow& box) { box.Click(IDNO); });
  robot.Then([&] {
    runningAfterNo = ::IsWindowVisible(window().hwnd()) != FALSE;
    storeAfterNo = ReadBytes(storePath()).size();
    window().Click(IDOK);
  });
  robot.OnWindow(MessageBoxWith(kQuitQuestion), [](RobotWindow& box) { box.Click(IDYES); });

  auto controlCenter = MakeControlCenter(" /nosplash");
  EXPECT_EQ(IDOK, controlCenter->DoModal());
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_FALSE(enabledBeforeSelection);
  EXPECT_TRUE(enabledWithSelection);
  EXPECT_FALSE(enabledAfterMove) << "the moved entry took the selection along";
  EXPECT_EQ((Names{"CityNet", "Fast Access", "university dial-in"}), unregistered);
  EXPECT_EQ(Names{"Office ISDN"}, registered);
  EXPECT_TRUE(runningAfterNo);
  EXPECT_EQ(kEmptyStore, storeAfterNo) << "registering alone writes nothing";
  // Written by "done" itself, before the program's end writes it once more.
  EXPECT_EQ(kEmptyStore + kRecord, ReadBytes(storePath()).size());
  EXPECT_EQ(Names{"Office ISDN"}, StoredNames());
}

TEST_F(Registering, EscapeAndTheCloseBoxAskTheSameAndTheEndStillStoresTheRegistration) {
  std::string question;
  Robot robot;
  OnControlCenter(robot, [&](RobotWindow& controlCenter) {
    controlCenter.SelectListItem(IDC_UNREGISTERED_LIST, kOfficeRow);
    controlCenter.Click(IDC_REGISTER);
  });
  robot.Then([&] { window().PressKey(0, VK_ESCAPE); });
  robot.OnWindow(MessageBoxWith(kQuitQuestion), [&](RobotWindow& box) {
    question = box.MessageText();
    box.Click(IDNO);
  });
  robot.Then([&] { window().Close(); });
  robot.OnWindow(MessageBoxWith(kQuitQuestion), [](RobotWindow& box) { box.Click(IDYES); });

  auto controlCenter = MakeControlCenter(" /nosplash");
  EXPECT_EQ(IDCANCEL, controlCenter->DoModal());
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_EQ(kQuitQuestion, question);
  // Saved by the way out itself, before the program's end writes it once more.
  EXPECT_EQ(kEmptyStore + kRecord, ReadBytes(storePath()).size());
  controlCenter.reset();
  EXPECT_EQ(kEmptyStore + kRecord, ReadBytes(storePath()).size());
  EXPECT_EQ(Names{"Office ISDN"}, StoredNames());
}

TEST_F(Registering, AStoreHeldByAnotherProgramIsSaidOnceAndDoneThenStaysOpenWithoutWriting) {
  {
    CRASConnections earlier(phonebook_);
    ASSERT_TRUE(earlier.Add(MakeRecord("CityNet", "030", "19231770")));
    ASSERT_TRUE(earlier.Save(storePath()));
    earlier.ClearPath();
  }
  const std::vector<unsigned char> store = ReadBytes(storePath());
  // Held as another program may hold it: open, and shared with nobody.
  HANDLE held = ::CreateFileA(storePath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  std::string warning;
  std::string saveReport;
  std::string notKept;
  int warnings = 0;
  bool runningAfterDone = false;
  Robot robot;
  robot.OnWindow(MessageBoxWith("cannot be kept"), [&](RobotWindow& box) {
    warning = box.MessageText();
    ++warnings;
    box.Click(IDOK);
  });
  OnControlCenter(robot, [&](RobotWindow& controlCenter) {
    controlCenter.SelectListItem(IDC_UNREGISTERED_LIST, kOfficeRow);
    controlCenter.Click(IDC_REGISTER);
  });
  robot.Then([&] { window().Click(IDOK); });
  robot.OnWindow(MessageBoxWith(kQuitQuestion), [](RobotWindow& box) { box.Click(IDYES); });
  robot.OnWindow(MessageBoxWith("Save:"), [&](RobotWindow& box) {
    saveReport = box.MessageText();
    box.Click(IDOK);
  });
  robot.Then([&] {
    runningAfterDone = ::IsWindowVisible(window().hwnd()) != FALSE;
    window().PressKey(0, VK_ESCAPE);
  });
  // Asked once more, the user still quits: the program ends and says what it did not keep.
  robot.OnWindow(MessageBoxWith(kQuitQuestion), [](RobotWindow& box) { box.Click(IDYES); });
  robot.OnWindow(MessageBoxWith("without keeping"), [&](RobotWindow& box) {
    notKept = box.MessageText();
    box.Click(IDOK);
  });
  robot.OnWindow(MessageBoxWith("cannot be kept"), [&](RobotWindow& box) {
    ++warnings;
    box.Click(IDOK);
  });

  auto controlCenter = MakeControlCenter(" /nosplash");
  EXPECT_EQ(IDCANCEL, controlCenter->DoModal());
  controlCenter.reset();
  ::CloseHandle(held);
  EXPECT_TRUE(robot.Failures().empty()) << robot.Failures();
  EXPECT_EQ(1, warnings);
  EXPECT_FALSE(robot.Done()) << "the warning comes once, at start-up";
  EXPECT_NE(std::string::npos, warning.find(storePath())) << warning;
  EXPECT_NE(std::string::npos, warning.find("restart Tollward")) << warning;
  EXPECT_NE(std::string::npos, saveReport.find("(Save: unable to open file for writing.)"))
      << saveReport;
  EXPECT_NE(std::string::npos, saveReport.find(storePath())) << saveReport;
  EXPECT_NE(std::string::npos, notKept.find("The registered connections")) << notKept;
  EXPECT_TRUE(runningAfterDone);
  EXPECT_EQ(store, ReadBytes(storePath())) << "neither done nor the end wrote over the store";

  // Let go of, the store is read as before: CityNet is registered, no warning comes.
  Names registered;
  Robot again;
  OnControlCenter(again, [&](RobotWindow& restarted) {
    registered = ListColumn(restarted, IDC_REGISTERED_LIST, 0);
    restarted.PressKey(0, VK_ESCAPE);
  });
  again.OnWindow(MessageBoxWith(kQuitQuestion), [](RobotWindow& box) { box.Click(IDYES); });
  again.OnWindow(AnyMessageBox(), [](RobotWindow& box) { box.Click(IDOK); });
  EXPECT_EQ(IDCANCEL, MakeControlCenter(" /nosplash")->DoModal());
  EXPECT_TRUE(again.Failures().empty()) << again.Failures();
  EXPECT_EQ(Names{"CityNet"}, registered);
  EXPECT_FALSE(again.Done()) << "no message box after the quit question";
}

TEST_F(Registering, AnEntryWithABadAreaCodeIsRefused) {
  WriteBadAreaCodes({"0190"});
  std::string text;
  std::string caption;
  Names unregistered;
  int registeredRows = -1;
  Robot robot;
  OnControlCenter(robot, [&](RobotWindow& controlCenter) {
    controlCenter.SelectListItem(IDC_UNREGISTERED_LIST, kFastAccessRow);
    controlCenter.Click(IDC_REGISTER);
  });
  robot.OnWindow(MessageBoxWith("bad area code"), [&](RobotWindow& box) {
    text = box.MessageText();
    caption = box.Caption();
    box.Click(IDOK);
  });
  robot.Then([&] {
    unregistered = ListColumn(window(), IDC_UNREGISTERED_LIST, 0);
    registeredRows = window().ListCount(IDC_REGISTERED_LIST);
  });
  ControlCenterTest::QueueQuitWithYes(robot);

  MakeControlCenter(" /nosplash")->DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_EQ("This connection can't be registered, because it contains a bad area code.", text);
  EXPECT_EQ("Connection contains bad area code", caption);
  EXPECT_EQ((Names{"CityNet", "Fast Access", "Office ISDN", "university dial-in"}), unregistered);
  EXPECT_EQ(0, registeredRows);
  EXPECT_TRUE(StoredNames().empty());
}

TEST_F(Registering, DoubleClickAndSpaceBarMoveTheSelectedEntry) {
  Names registeredAfterEmptyClick;
  Names registeredAfterDoubleClick;
  Names registeredAfterSpace;
  Names unregisteredAfterSpace;
  Robot robot;
  OnControlCenter(robot, [&](RobotWindow& controlCenter) {
    controlCenter.SelectListItem(IDC_UNREGISTERED_LIST, 0);
    DoubleClickRow(controlCenter, IDC_UNREGISTERED_LIST, -1);
  });
  robot.Then([&] {
    registeredAfterEmptyClick = ListColumn(window(), IDC_REGISTERED_LIST, 0);
    window().SelectListItem(IDC_UNREGISTERED_LIST, 0);
    DoubleClickRow(window(), IDC_UNREGISTERED_LIST, 0);
  });
  robot.Then([&] {
    registeredAfterDoubleClick = ListColumn(window(), IDC_REGISTERED_LIST, 0);
    window().SelectListItem(IDC_UNREGISTERED_LIST, 1);
    DoubleClickRow(window(), IDC_UNREGISTERED_LIST, 1);
  });
  robot.Then([&] {
    window().SelectListItem(IDC_REGISTERED_LIST, 0);
    window().PressKey(IDC_REGISTERED_LIST, VK_SPACE);
  });
  robot.Then([&] {
    registeredAfterSpace = ListColumn(window(), IDC_REGISTERED_LIST, 0);
    unregisteredAfterSpace = ListColumn(window(), IDC_UNREGISTERED_LIST, 0);
  });
  ControlCenterTest::QueueQuitWithYes(robot);

  MakeControlCenter(" /nosplash")->DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_TRUE(registeredAfterEmptyClick.empty()) << "a double click beside the rows";
  EXPECT_EQ(Names{"CityNet"}, registeredAfterDoubleClick);
  EXPECT_EQ(Names{"Office ISDN"}, registeredAfterSpace);
  EXPECT_EQ((Names{"CityNet", "Fast Access", "university dial-in"}), unregisteredAfterSpace);
}

TEST_F(Registering, UnregisteringMovesTheEntryBackAndLeavesTheStoreWithout) {
  RegisterWholePhonebook();
  bool enabledWithSelection = false;
  Names unregistered;
  Names registered;
  Robot robot;
  OnControlCenter(robot, [&](RobotWindow& controlCenter) {
    controlCenter.SelectListItem(IDC_REGISTERED_LIST, kOfficeRow);
  });
  robot.Then([&] {
    enabledWithSelection = window().IsItemEnabled(IDC_UNREGISTER);
    window().Click(IDC_UNREGISTER);
  });
  robot.Then([&] {
    unregistered = ListColumn(window(), IDC_UNREGISTERED_LIST, 0);
    registered = ListColumn(window(), IDC_REGISTERED_LIST, 0);
    window().Click(IDOK);
  });
  robot.OnWindow(MessageBoxWith(kQuitQuestion), [](RobotWindow& box) { box.Click(IDYES); });

  MakeControlCenter(" /nosplash")->DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_TRUE(enabledWithSelection);
  EXPECT_EQ(Names{"Office ISDN"}, unregistered);
  EXPECT_EQ((Names{"CityNet", "Fast Access", "university dial-in"}), registered);
  EXPECT_EQ(kEmptyStore + 3 * kRecord, ReadBytes(storePath()).size());
}

}  // namespace
}  // namespace tollward
