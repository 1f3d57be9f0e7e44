#include "platform/win32/Win32Sound.h"

#include <mmsystem.h>

#include "platform/win32/Utf16.h"

namespace platform::win32 {

namespace {

constexpr wchar_t kNotifyClass[] = L"VaeltoSoundNotify";

std::wstring NextAlias() {
  static int count = 0;  // each player object its own MCI alias
  return L"vaelto_mp3_" + std::to_wstring(++count);
}

}  // namespace

Win32Sound::Win32Sound() : alias_(NextAlias()) {}

Win32Sound::~Win32Sound() {
  closePlayer();
  if (notify_) DestroyWindow(notify_);
}

void Win32Sound::playMp3(int times, const std::string& path) {
  closePlayer();  // one player at a time: the previous one stops first
  if (times == 0) return;
  if (notify_ == nullptr) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpfnWndProc = NotifyProc;
    wc.lpszClassName = kNotifyClass;
    RegisterClassExW(&wc);  // fails harmlessly when already registered
    // A message-only window of the calling (user-interface) thread: MCI
    // posts its notifications there, so repeats are counted by that loop.
    notify_ = CreateWindowExW(0, kNotifyClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              wc.hInstance, nullptr);
    SetWindowLongPtrW(notify_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  // mpegvideo is the DirectShow device, which decodes MP3. A file that
  // cannot be opened or decoded fails here and plays nothing, silently.
  const std::wstring open = L"open \"" + Utf16(path) + L"\" type mpegvideo alias " + alias_;
  if (mciSendStringW(open.c_str(), nullptr, 0, nullptr) != 0) return;
  open_ = true;
  device_ = mciGetDeviceIDW(alias_.c_str());
  remaining_ = times < 0 ? -1 : times - 1;
  finished_ = 0;
  playOnce();
}

void Win32Sound::playOnce() {
  // Without "wait" the call returns at once and the device plays in the
  // background; "notify" posts MM_MCINOTIFY to our window when it ends.
  const std::wstring play = L"play " + alias_ + L" from 0 notify";
  if (mciSendStringW(play.c_str(), nullptr, 0, notify_) != 0) closePlayer();
}

void Win32Sound::playFinished() {
  ++finished_;
  if (remaining_ == 0) {
    closePlayer();
    return;
  }
  if (remaining_ > 0) --remaining_;
  playOnce();
}

void Win32Sound::stopPlaying() { closePlayer(); }

void Win32Sound::closePlayer() {
  if (!open_) return;
  open_ = false;
  const std::wstring close = L"close " + alias_;
  mciSendStringW(close.c_str(), nullptr, 0, nullptr);
}

LRESULT CALLBACK Win32Sound::NotifyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<Win32Sound*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == MM_MCINOTIFY && self != nullptr) {
    // Only a play that ran to its end counts; a stop or a new play sends
    // MCI_NOTIFY_ABORTED or MCI_NOTIFY_SUPERSEDED for the old one.
    if (wParam == MCI_NOTIFY_SUCCESSFUL && self->open_ && static_cast<UINT>(lParam) == self->device_)
      self->playFinished();
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace platform::win32
