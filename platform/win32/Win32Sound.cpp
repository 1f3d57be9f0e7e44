#include "platform/win32/Win32Sound.h"

#include <mmsystem.h>

#include "platform/win32/Utf16.h"

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
  path_ = Utf16(path);
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
  if (mciSendStringW(open.c_str(), nullptr, 0, nullptr) != 0) return false;
  deviceOpen_ = true;
  // Without "wait" the call returns at once and the device plays in the background.
  const std::wstring play = L"play " + alias_;
  if (mciSendStringW(play.c_str(), nullptr, 0, nullptr) != 0) {
    closeDevice();
    return false;
  }
  return true;
}

void Win32Sound::watch() {
  if (!open_) return;
  wchar_t mode[32] = {};
  const std::wstring status = L"status " + alias_ + L" mode";
  if (mciSendStringW(status.c_str(), mode, 32, nullptr) == 0 && lstrcmpiW(mode, L"stopped") != 0)
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
  mciSendStringW(close.c_str(), nullptr, 0, nullptr);
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
