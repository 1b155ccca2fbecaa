// The about box and the splash window, from the real templates 100 and 142.
#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"
#include "tests/win/Robot.h"
#include "ui/dialogs/AboutDlg.h"
#include "ui/dialogs/SplashDlg.h"
#include "ui/framework/ResourceString.h"
#include "ui/framework/Static.h"

namespace tollward::ui {
namespace {

using testing::FromTemplate;
using testing::Robot;
using testing::RobotWindow;

// The first static child that shows a bitmap, or null.
HWND PictureOf(HWND dialog) {
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (CStatic(child).GetBitmap() != nullptr) {
      return child;
    }
  }
  return nullptr;
}

SIZE BitmapSize(HWND picture) {
  BITMAP info{};
  ::GetObjectA(CStatic(picture).GetBitmap(), sizeof(info), &info);
  return SIZE{info.bmWidth, info.bmHeight};
}

SIZE ClientSize(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  return SIZE{client.right, client.bottom};
}

TEST(AboutBox, ReplacesTheTemplatesVersionLineWithTheStringTablesVersion) {
  std::string templateText;
  {
    CDialog plain(IDD_ABOUTBOX);
    ASSERT_TRUE(plain.Create());
    templateText = plain.GetItemText(IDC_ABOUT_VERSION);
  }
  std::string versionLine;
  std::string caption;
  Robot robot;
  robot.OnWindow(FromTemplate(IDD_ABOUTBOX), [&](RobotWindow& about) {
    versionLine = about.ItemText(IDC_ABOUT_VERSION);
    caption = about.Caption();
    about.Click(IDOK);
  });
  CAboutDlg about;
  EXPECT_EQ(IDOK, about.DoModal());
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  EXPECT_EQ("Tollward Version 1.01", templateText);
  EXPECT_EQ("Tollward Version v1.01", versionLine);
  EXPECT_EQ("Tollward Version " + LoadResString(IDS_VERSION), versionLine);
  EXPECT_EQ("About Tollward", caption);
}

TEST(AboutBox, ShowsTheProgramIconAndTheBanner) {
  HWND picture = nullptr;
  SIZE bannerSize{};
  SIZE bannerRoom{};
  bool iconShown = false;
  HWND box = nullptr;
  Robot robot;
  robot.OnWindow(FromTemplate(IDD_ABOUTBOX), [&](RobotWindow& about) {
    box = about.hwnd();
    picture = PictureOf(box);
    if (picture != nullptr) {
      bannerSize = BitmapSize(picture);
      bannerRoom = ClientSize(picture);
    }
    for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
      iconShown = iconShown || CStatic(child).GetIcon() != nullptr;
    }
  });
  robot.Then([&] { RobotWindow(box).Click(IDOK); });
  CAboutDlg().DoModal();
  EXPECT_TRUE(robot.Done()) << robot.Failures();
  ASSERT_NE(nullptr, picture);
  // Drawn to fill its place at any DPI, without a gap.
  EXPECT_EQ(bannerRoom.cx, bannerSize.cx);
  EXPECT_EQ(bannerRoom.cy, bannerSize.cy);
  EXPECT_TRUE(iconShown);
}

TEST(Splash, IsTopmostWithoutFrameAndCenterdOnTheWorkArea) {
  CSplashDlg splash;
  ASSERT_TRUE(splash.Create());
  EXPECT_TRUE(splash.IsVisible());
  EXPECT_NE(0, ::GetWindowLongA(splash, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(0, ::GetWindowLongA(splash, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME));

  RECT work{};
  ASSERT_TRUE(::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
  const RECT rect = splash.GetWindowRect();
  EXPECT_NEAR((work.left + work.right) / 2, (rect.left + rect.right) / 2, 1);
  EXPECT_NEAR((work.top + work.bottom) / 2, (rect.top + rect.bottom) / 2, 1);

  HWND picture = PictureOf(splash);
  ASSERT_NE(nullptr, picture);
  EXPECT_EQ(ClientSize(splash).cx, BitmapSize(picture).cx);
  EXPECT_EQ(ClientSize(splash).cy, BitmapSize(picture).cy);
}

TEST(Splash, NeitherEnterNorEscapeClosesIt) {
  CSplashDlg splash;
  ASSERT_TRUE(splash.Create());
  Robot robot;
  robot
      .Then([&] {
        RobotWindow(splash).Command(IDOK);
        RobotWindow(splash).Command(IDCANCEL);
        RobotWindow(splash).Close();
      })
      .Then([] {});
  EXPECT_TRUE(robot.RunUntilDone()) << robot.Failures();
  EXPECT_TRUE(splash.IsWindow());
  const HWND hwnd = splash.GetHwnd();
  splash.Destroy();
  EXPECT_FALSE(::IsWindow(hwnd));
}

}  // namespace
}  // namespace tollward::ui
