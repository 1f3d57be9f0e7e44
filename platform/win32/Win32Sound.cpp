#include "platform/win32/Win32Sound.h"

#include <mmsystem.h>

#include "ui/win32/WideText.h"

namespace {

// winmm is loaded at the first sound, from System32: most runs play none,
// and loading it (with the sound drivers it brings) would slow every start.
MCIERROR SendMci(const std::wstring& command, wchar_t* answer = nullptr, UINT answerSize = 0) {
  using Send = MCIERROR(WINAPI*)(LPCWSTR, LPWSTR, UINT, HWND);
  static const Send send = [] {
    HMODULE winmm = LoadLibraryExW(L"winmm.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (winmm == nullptr) winmm = LoadLibraryW(L"winmm.dll");  // systems without that search flag
    return winmm ? reinterpret_cast<Send>(reinterpret_cast<void*>(GetProcAddress(winmm, "mciSendStringW")))
                 : nullptr;
  }();
  return send ? send(command.c_str(), answer, answerSize, nullptr) : MCIERR_DRIVER;
}

}  // namespace

namespace platform::win32 {

namespace {

constexpr wchar_t kWatcherClass[] = L"VaeltoSoundWatcher";
constexpr UINT_PTR kWatchTimer = 1;
constexpr UINT kWatchMs = 100;  // the gap between repeats is at most this

std::wstring NextAlias() {
  static int count = 0;  // each player object its own MCI alias
  return L"vaelto_mp3_" + std::to_wstring(++count);
}

}  // namespace

Win32Sound::Win32Sound() : alias_(NextAlias()) {}

Win32Sound::~Win32Sound() {
  closePlayer();
  if (watcher_) DestroyWindow(watcher_);
}

void Win32Sound::playMp3(int times, const std::string& path) {
  closePlayer();  // one player at a time: the previous one stops first
  if (times == 0) return;
  if (watcher_ == nullptr) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpfnWndProc = WatchProc;
    wc.lpszClassName = kWatcherClass;
    RegisterClassExW(&wc);  // fails harmlessly when already registered
    // A message-only window of the calling (user-interface) thread: its
    // timer ticks in that thread's loop, so no thread of our own is needed.
    watcher_ = CreateWindowExW(0, kWatcherClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               wc.hInstance, nullptr);
    SetWindowLongPtrW(watcher_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  path_ = ui::win32::Widen(path);
  remaining_ = times;
  finished_ = 0;
  if (!playOnce()) return;  // cannot be opened or decoded: nothing plays, silently
  open_ = true;
  SetTimer(watcher_, kWatchTimer, kWatchMs, nullptr);
}

bool Win32Sound::playOnce() {
  // mpegvideo is the DirectShow device, which decodes MP3; opening fails
  // for a file it cannot play.
  const std::wstring open = L"open \"" + path_ + L"\" type mpegvideo alias " + alias_;
  if (SendMci(open) != 0) return false;
  deviceOpen_ = true;
  // Without "wait" the call returns at once and the device plays in the background.
  const std::wstring play = L"play " + alias_;
  if (SendMci(play) != 0) {
    closeDevice();
    return false;
  }
  return true;
}

void Win32Sound::watch() {
  if (!open_) return;
  wchar_t mode[32] = {};
  const std::wstring status = L"status " + alias_ + L" mode";
  if (SendMci(status, mode, 32) == 0 && lstrcmpiW(mode, L"stopped") != 0)
    return;  // still playing
  ++finished_;
  closeDevice();
  if (remaining_ > 0) --remaining_;
  if (remaining_ != 0 && playOnce()) return;
  closePlayer();
}

void Win32Sound::stopPlaying() { closePlayer(); }

void Win32Sound::closeDevice() {
  if (!deviceOpen_) return;
  deviceOpen_ = false;
  const std::wstring close = L"close " + alias_;
  SendMci(close);
}

void Win32Sound::closePlayer() {
  open_ = false;
  if (watcher_) KillTimer(watcher_, kWatchTimer);
  closeDevice();
}

LRESULT CALLBACK Win32Sound::WatchProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<Win32Sound*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_TIMER && wParam == kWatchTimer && self != nullptr) {
    self->watch();
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace platform::win32
