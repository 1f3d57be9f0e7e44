// The program's entry on Windows: the Win32 toolkit and services, MainWindow,
// and the event loop until MainWindow has been destroyed.
#include <windows.h>

#include "app/AppContext.h"
#include "app/MainWindow.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Power.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32Sound.h"
#include "ui/win32/Win32Toolkit.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // Libraries are looked for in System32 only, never beside the program or
  // in the current folder, where a planted DLL could be picked up. Looked up
  // by name: systems without the function (Vista and 7 before update
  // KB2533623) would otherwise refuse to start the program at all.
  using SetDirectories = BOOL(WINAPI*)(DWORD);
  if (auto set = reinterpret_cast<SetDirectories>(reinterpret_cast<void*>(
          GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories"))))
    set(LOAD_LIBRARY_SEARCH_SYSTEM32);

  ui::win32::Win32Toolkit toolkit;
  platform::win32::Win32Power power;  // the journal in end-to-end builds
  platform::win32::Win32Sound sound;
  platform::win32::Win32Clock clock;
  platform::win32::Win32Shell shell;
  app::AppContext context{toolkit, platform::Services{power, sound, clock, shell}};

  ui::Window* main = app::OpenMainWindow(context);
  if (main == nullptr) return 1;
  return toolkit.run(*main);
}
