// The program's entry: the application object does the whole run.
#include "platform/win32/WinApi.h"

#include "app/TollwardApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Before anything can load a library: the program's own folder may hold one that another
  // program dropped there, so libraries come from the system folder alone.
  ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  tollward::CTollwardApp app;
  app.InitInstance();
  return 0;
}
