// MP3 playback through MCI (the mpegvideo device), in the background.
#pragma once

#include <windows.h>

#include <string>

#include "platform/Services.h"

namespace platform::win32 {

class Win32Sound : public Sound {
 public:
  Win32Sound();
  ~Win32Sound() override;
  Win32Sound(const Win32Sound&) = delete;
  Win32Sound& operator=(const Win32Sound&) = delete;

  void playMp3(int times, const std::string& path) override;
  void stopPlaying() override;

  // For tests: whether a player is open, and how many plays it finished.
  bool playing() const { return open_; }
  int finishedPlays() const { return finished_; }

 private:
  static LRESULT CALLBACK NotifyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void playOnce();
  void playFinished();
  void closePlayer();

  std::wstring alias_;
  HWND notify_ = nullptr;  // receives MM_MCINOTIFY when a play ends
  bool open_ = false;
  UINT device_ = 0;
  int remaining_ = 0;  // plays still to come after the current one; negative: endless
  int finished_ = 0;
};

}  // namespace platform::win32
