// The bad area code manager from its real template: adding, the list's refusals, deleting,
// editing in place, closing and the save, and the control center's "&Bad Areas" button.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"
#include <commctrl.h>

#include <string>
#include <vector>

#include "core/RASBadAreaCodes.h"
#include "res/resource.h"
#include "tests/fakes/TempDir.h"
#include "tests/win/ControlCenterFixture.h"
#include "tests/win/Robot.h"
#include "ui/dialogs/BadAreaCodesDlg.h"

namespace tollward {
namespace {

using testing::FromTemplate;
using testing::ListColumn;
using testing::MessageBoxWith;
using testing::ReadBytes;
using testing::Robot;
using testing::RobotWindow;
using Texts = std::vector<std::string>;

const char kExists[] = "Add: new BadAreaCode already exists.";
const char kRedundant[] = "Add: new BadAreaCode is redundant";
const char kDeleteQuestion[] = "Are you shure you want to delete the selected item from the list?";
constexpr std::size_t kEmptyFile = 29;
constexpr std::size_t kSlot = 11;

Texts Codes(CRASBadAreaCodes& list) {
  Texts codes;
  for (std::uint32_t i = 1; i <= list.GetCount(); ++i) {
    codes.push_back(list.Get(i));
  }
  return codes;
}

// Types into the field as the keyboard would leave it, then presses Enter there.
void TypeAndEnter(const RobotWindow& dialog, const char* text) {
  dialog.SetItemText(IDC_BAD_AREA_CODE, text);
  ::SetFocus(::GetDlgItem(dialog.hwnd(), IDC_BAD_AREA_CODE));
  dialog.PressKey(IDC_BAD_AREA_CODE, VK_RETURN);
}

HWND LabelEdit(HWND dialog) {
  return reinterpret_cast<HWND>(
      ::SendDlgItemMessageA(dialog, IDC_BAD_AREA_LIST, LVM_GETEDITCONTROL, 0, 0));
}

class BadAreaCodesDlg : public ::testing::Test {
 protected:
  void Start(const Texts& codes) {
    for (const std::string& code : codes) {
      ASSERT_TRUE(list_.Add(code.c_str()));
    }
    ASSERT_TRUE(list_.Save(path_));
  }
  void OnDialog(Robot& robot, std::function<void(RobotWindow&)> action) {
    robot.OnWindow(FromTemplate(IDD_BAD_AREA_CODES), [this, action](RobotWindow& found) {
      hwnd_ = found.hwnd();
      action(found);
    });
  }
  RobotWindow dialog() const { return RobotWindow(hwnd_); }
  // Queues an in-place edit of the row: F2 in the view, then `text` and Enter in its edit.
  void QueueEdit(Robot& robot, int row, const char* text) {
    robot.Then([this, row] {
      dialog().SelectListItem(IDC_BAD_AREA_LIST, row);
      ::SetFocus(::GetDlgItem(hwnd_, IDC_BAD_AREA_LIST));
      dialog().PressKey(IDC_BAD_AREA_LIST, VK_F2);
    });
    robot.When(
        "the view's edit control", [this] { return LabelEdit(hwnd_) != nullptr; },
        [this, text] {
          ::SetWindowTextA(LabelEdit(hwnd_), text);
          ::PostMessageA(LabelEdit(hwnd_), WM_KEYDOWN, VK_RETURN, 1);
        });
  }
  void RunDialog(INT_PTR expected) {
    ui::InstallHelp(dir_.Path("no-help") + "\\");
    ui::CBadAreaCodesDlg dialog(list_);
    EXPECT_EQ(expected, dialog.DoModal());
    fileWhileOpen_ = ReadBytes(path_).size();
  }

  testing::TempDir dir_;
  const std::string path_ = dir_.Path("Tollward.bac");
  CRASBadAreaCodes list_;
  HWND hwnd_ = nullptr;
  std::size_t fileWhileOpen_ = 0;
};

TEST_F(BadAreaCodesDlg, OpensAsTheTemplateSaysAndAddsTheDigitsByPlusAndByEnter) {
  Start({});
  bool focusInView = false, plusWhileEmpty = true, plusWithText = false, plusAfterAdd = true;
  bool topmost = false, closeBox = true;
  std::size_t windowsAfterMinus = 0;
  int limit = 0;
  LVCOLUMNA column{};
  char header[32] = {};
  COLORREF colors[3] = {};
  DWORD extended = 0;
  NativeWindow ownerWhileOpen = nullptr;
  Texts afterPlus, afterEnter;
  std::string fieldAfterPlus;
  Robot robot;
  OnDialog(robot, [&](RobotWindow& found) {
    const ui::CListView view(::GetDlgItem(hwnd_, IDC_BAD_AREA_LIST));
    focusInView = ::GetFocus() == view;
    plusWhileEmpty = found.IsItemEnabled(IDC_ADD_BAD_AREA);
    topmost = (::GetWindowLongA(hwnd_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    closeBox = (::GetWindowLongA(hwnd_, GWL_STYLE) & WS_SYSMENU) != 0;
    limit =
        static_cast<int>(::SendDlgItemMessageA(hwnd_, IDC_BAD_AREA_CODE, EM_GETLIMITTEXT, 0, 0));
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = header;
    column.cchTextMax = sizeof header;
    view.Send(LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    colors[0] = view.GetBkColor();
    colors[1] = view.GetTextBkColor();
    colors[2] = static_cast<COLORREF>(view.Send(LVM_GETTEXTCOLOR));
    extended = view.GetExtendedStyle();
    ownerWhileOpen = list_.ownerWindow();
    found.Click(IDC_DELETE_BAD_AREA);
  });
  robot.Then([&] {
    windowsAfterMinus = robot.NewWindows().size();  // the dialog, and a box if "-" asked
    dialog().SetItemText(IDC_BAD_AREA_CODE, "0190");
    plusWithText = dialog().IsItemEnabled(IDC_ADD_BAD_AREA);
    dialog().Click(IDC_ADD_BAD_AREA);
  });
  robot.Then([&] {
    afterPlus = ListColumn(dialog(), IDC_BAD_AREA_LIST, 0);
    fieldAfterPlus = dialog().ItemText(IDC_BAD_AREA_CODE);
    plusAfterAdd = dialog().IsItemEnabled(IDC_ADD_BAD_AREA);
    TypeAndEnter(dialog(), "0 3-0");  // pasted text; the item shows the digits only
  });
  robot.Then([&] {
    afterEnter = ListColumn(dialog(), IDC_BAD_AREA_LIST, 0);
    dialog().Click(IDHELP);
  });
  robot.OnWindow(MessageBoxWith("bad-area-codes.html"), [](RobotWindow& box) { box.Click(IDOK); });
  robot.Then([&] { dialog().Click(IDOK); });

  RunDialog(IDOK);
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_TRUE(focusInView);
  EXPECT_FALSE(plusWhileEmpty);
  EXPECT_TRUE(topmost);
  EXPECT_FALSE(closeBox);
  EXPECT_EQ(10, limit);
  EXPECT_STREQ("Bad Area Codes", header);
  EXPECT_EQ(100, column.cx);
  EXPECT_EQ(RGB(255, 208, 208), colors[0]);
  EXPECT_EQ(RGB(255, 208, 208), colors[1]);
  EXPECT_EQ(RGB(0, 0, 0), colors[2]);
  const DWORD wanted = LVS_EX_FULLROWSELECT | LVS_EX_ONECLICKACTIVATE;
  EXPECT_EQ(wanted, extended & wanted);
  EXPECT_EQ(hwnd_, ownerWhileOpen);
  EXPECT_EQ(nullptr, list_.ownerWindow()) << "given back";
  EXPECT_EQ(1u, windowsAfterMinus) << "\"-\" on an empty list asks nothing";
  EXPECT_TRUE(plusWithText);
  EXPECT_EQ(Texts{"0190"}, afterPlus);
  EXPECT_EQ("", fieldAfterPlus);
  EXPECT_FALSE(plusAfterAdd);
  EXPECT_EQ((Texts{"0190", "030"}), afterEnter);
  EXPECT_EQ((Texts{"0190", "030"}), Codes(list_));
  EXPECT_EQ(kEmptyFile + 2 * kSlot, ReadBytes(path_).size());
}

TEST_F(BadAreaCodesDlg, RefusalsAreTheListsOwnBoxesAndADeleteAsksFirst) {
  Start({"0190"});
  Texts boxes, fields, buttons;
  std::string question, caption;
  bool noIsDefault = false;
  int rowsAfterNo = 0;
  Texts afterYes;
  Robot robot;
  OnDialog(robot, [&](RobotWindow& found) { TypeAndEnter(found, "0190"); });
  for (const char* next : {"01905", "019", ""}) {
    robot.OnWindow(testing::AnyMessageBox(), [&, next](RobotWindow& box) {
      boxes.push_back(box.MessageText());
      EXPECT_EQ(hwnd_, box.Owner());
      box.Click(IDOK);
      fields.push_back(dialog().ItemText(IDC_BAD_AREA_CODE));
      if (*next != '\0') {
        TypeAndEnter(dialog(), next);
      }
    });
  }
  robot.Then([&] {
    dialog().SelectListItem(IDC_BAD_AREA_LIST, 0);
    dialog().PressKey(IDC_BAD_AREA_LIST, VK_DELETE);
  });
  robot.OnWindow(MessageBoxWith(kDeleteQuestion), [&](RobotWindow& box) {
    question = box.MessageText();
    caption = box.Caption();
    for (int id : box.VisibleButtons()) {
      buttons.push_back(box.ItemText(id));
    }
    noIsDefault = (box.ItemStyle(IDNO) & BS_DEFPUSHBUTTON) != 0;
    box.Click(IDNO);
  });
  robot.Then([&] {
    rowsAfterNo = dialog().ListCount(IDC_BAD_AREA_LIST);
    dialog().Click(IDC_DELETE_BAD_AREA);
  });
  robot.OnWindow(MessageBoxWith(kDeleteQuestion), [](RobotWindow& box) { box.Click(IDYES); });
  robot.Then([&] {
    afterYes = ListColumn(dialog(), IDC_BAD_AREA_LIST, 0);
    dialog().PressKey(0, VK_ESCAPE);
  });

  RunDialog(IDCANCEL);
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  ASSERT_EQ(3u, boxes.size());
  EXPECT_EQ(kExists, boxes[0]);
  EXPECT_EQ(0u, boxes[1].find(kRedundant)) << boxes[1];
  EXPECT_EQ(boxes[1], boxes[2]) << "019 is redundant the other way round, with the same text";
  EXPECT_EQ((Texts{"0190", "01905", "019"}), fields) << "a refused text stays in the field";
  EXPECT_EQ(kDeleteQuestion, question);
  EXPECT_EQ("Delete item?", caption);
  EXPECT_EQ((Texts{"&Yes", "&No", "Cancel"}), buttons);
  EXPECT_TRUE(noIsDefault);
  EXPECT_EQ(1, rowsAfterNo);
  EXPECT_TRUE(afterYes.empty());
  EXPECT_EQ(0u, list_.GetCount());
  EXPECT_EQ(kEmptyFile + kSlot, fileWhileOpen_) << "Escape closes; the file waits for the object";
  EXPECT_EQ(kEmptyFile, ReadBytes(path_).size());
}

TEST_F(BadAreaCodesDlg, AnEditInPlaceReplacesTheCodeOnlyWithNewDigitsTheListTakes) {
  Start({"0190", "0345"});
  Texts afterBlank, listAfterBlank, afterRedundant, afterReplace;
  std::string redundantBox;
  bool editByDoubleClick = false;
  Texts afterCancel;
  Robot robot;
  OnDialog(robot, [](RobotWindow&) {});
  QueueEdit(robot, 0, "0190 ");
  robot.Then([&] {
    afterBlank = ListColumn(dialog(), IDC_BAD_AREA_LIST, 0);
    listAfterBlank = Codes(list_);
  });
  QueueEdit(robot, 0, "01905");
  robot.OnWindow(testing::AnyMessageBox(), [&](RobotWindow& box) {
    redundantBox = box.MessageText();
    box.Click(IDOK);
  });
  robot.Then([&] { afterRedundant = ListColumn(dialog(), IDC_BAD_AREA_LIST, 0); });
  QueueEdit(robot, 0, "0899");
  robot.Then([&] {
    afterReplace = ListColumn(dialog(), IDC_BAD_AREA_LIST, 0);
    dialog().SelectListItem(IDC_BAD_AREA_LIST, 1);
    testing::DoubleClickRow(dialog(), IDC_BAD_AREA_LIST, 1);
  });
  robot.When(
      "the view's edit control", [this] { return LabelEdit(hwnd_) != nullptr; },
      [&] {
        editByDoubleClick = true;
        ::SetWindowTextA(LabelEdit(hwnd_), "555");
        ::PostMessageA(LabelEdit(hwnd_), WM_KEYDOWN, VK_ESCAPE, 1);
      });
  robot.Then([&] {
    afterCancel = ListColumn(dialog(), IDC_BAD_AREA_LIST, 0);
    dialog().Click(IDOK);
  });

  RunDialog(IDOK);
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_EQ((Texts{"0190", "0345"}), afterBlank) << "the same digits change nothing";
  EXPECT_EQ((Texts{"0190", "0345"}), listAfterBlank);
  EXPECT_EQ(0u, redundantBox.find(kRedundant)) << redundantBox;
  EXPECT_EQ((Texts{"0190", "0345"}), afterRedundant);
  EXPECT_EQ((Texts{"0345", "0899"}), afterReplace) << "sorted into its place";
  EXPECT_TRUE(editByDoubleClick);
  EXPECT_EQ((Texts{"0345", "0899"}), afterCancel);
  EXPECT_EQ((Texts{"0345", "0899"}), Codes(list_));
  EXPECT_EQ(kEmptyFile + 2 * kSlot, ReadBytes(path_).size());
}

class BadAreasButton : public testing::ControlCenterTest {};

TEST_F(BadAreasButton, ANewCodeMovesTheRegisteredEntriesThatDialItAndIsStored) {
  WriteFourEntries();
  RegisterWholePhonebook();
  HWND controlCenter = nullptr;
  Texts unregistered, registered;
  std::size_t fileAfterDialog = 0;
  // Emptying a view tells no one: the buttons must still follow the selection after the refill.
  const int selectionButtons[] = {
      IDC_UNREGISTER, IDC_REGISTERED_PROPERTIES,   IDC_REGISTERED_USER_PASS,
      IDC_REGISTER,   IDC_UNREGISTERED_PROPERTIES, IDC_UNREGISTERED_USER_PASS};
  std::vector<int> enabledBefore, enabledAfter;
  auto enabled = [&](std::vector<int>& into) {
    for (int id : selectionButtons) {
      if (::IsWindowEnabled(::GetDlgItem(controlCenter, id))) {
        into.push_back(id);
      }
    }
  };
  Robot robot;
  robot.OnWindow(FromTemplate(IDD_CONTROL_CENTER), [&](RobotWindow& found) {
    controlCenter = found.hwnd();
    found.SelectListItem(IDC_REGISTERED_LIST, 0);
  });
  robot.Then([&] {
    enabled(enabledBefore);
    RobotWindow(controlCenter).Click(IDC_BAD_AREAS);
  });
  robot.OnWindow(FromTemplate(IDD_BAD_AREA_CODES),
                 [](RobotWindow& dialog) { TypeAndEnter(dialog, "0190"); });
  robot.Then([] {
    const std::vector<HWND> open = testing::DialogsFromTemplate(IDD_BAD_AREA_CODES);
    ASSERT_EQ(1u, open.size());
    RobotWindow(open[0]).Click(IDOK);
  });
  robot.When(
      "the manager closed", [] { return testing::DialogsFromTemplate(IDD_BAD_AREA_CODES).empty(); },
      [&] {
        unregistered = ListColumn(RobotWindow(controlCenter), IDC_UNREGISTERED_LIST, 0);
        registered = ListColumn(RobotWindow(controlCenter), IDC_REGISTERED_LIST, 0);
        fileAfterDialog = ReadBytes(programDirectory() + "Tollward.bac").size();
        enabled(enabledAfter);
      });
  QueueQuitWithYes(robot);

  MakeControlCenter(" /nosplash")->DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_EQ(Texts{"Fast Access"}, unregistered);
  EXPECT_EQ((Texts{"CityNet", "Office ISDN", "university dial-in"}), registered);
  EXPECT_EQ(kEmptyFile + kSlot, fileAfterDialog);
  EXPECT_EQ((std::vector<int>{IDC_UNREGISTER, IDC_REGISTERED_PROPERTIES, IDC_REGISTERED_USER_PASS}),
            enabledBefore);
  EXPECT_EQ(std::vector<int>{}, enabledAfter);
}

}  // namespace
}  // namespace tollward
