// MP3 playback through MCI (the mpegvideo device), in the background. A
// timer of a hidden window watches the device and plays the file again for
// each repeat: Wine's device neither notifies the end of a play nor reports
// it for a second play on the same device, so every play opens it anew.
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
  static LRESULT CALLBACK WatchProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  bool playOnce();
  void watch();
  void closeDevice();
  void closePlayer();

  std::wstring alias_;
  std::wstring path_;
  HWND watcher_ = nullptr;  // its timer looks at the device
  bool open_ = false;       // a player exists
  bool deviceOpen_ = false;
  int remaining_ = 0;  // plays still to come, the current one included; negative: endless
  int finished_ = 0;
};

}  // namespace platform::win32
