// The program's entry: the application object does the whole run.
#include "platform/win32/WinApi.h"

#include "app/TollwardApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  tollward::CTollwardApp app;
  app.InitInstance();
  return 0;
}
