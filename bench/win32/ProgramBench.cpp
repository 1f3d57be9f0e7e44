// Measures the real program under Wine and prints one figure a line as
// "name: value unit".
//   program_bench startup VAELTO.EXE MINIMAL.EXE RUNS WORKDIR
//   program_bench idle VAELTO.EXE SECONDS WORKDIR
//   program_bench countdown VAELTO_JOURNAL.EXE SECONDS WORKDIR
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <memory>
#include <string>
#include <vector>

#include "app/MainWindowDesign.h"
#include "tests/e2e/Remote.h"
#include "ui/win32/WideText.h"

namespace {

double NowMs() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// CPU seconds (user + system) that Linux counts for the process whose command
// line contains `marker`, read through Wine's drive Z: from /proc: Wine's
// GetProcessTimes does not report other processes. -1 when none is found.
double UnixCpuSeconds(const std::string& marker) {
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW(L"Z:\\proc\\*", &entry);
  if (find == INVALID_HANDLE_VALUE) return -1;
  double seconds = -1;
  do {
    const std::wstring pid = entry.cFileName;
    if (pid.empty() || pid.find_first_not_of(L"0123456789") != std::wstring::npos) continue;
    std::ifstream cmdline(std::filesystem::path(L"Z:\\proc\\" + pid + L"\\cmdline"), std::ios::binary);
    std::string line((std::istreambuf_iterator<char>(cmdline)), std::istreambuf_iterator<char>());
    if (line.find(marker) == std::string::npos) continue;
    std::ifstream stat(std::filesystem::path(L"Z:\\proc\\" + pid + L"\\stat"));
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // The fields after the command name in parentheses: utime and stime are
    // the 12th and 13th, in clock ticks of 1/100 s.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    double ticks = 0;
    for (int i = 1; i <= 13 && fields >> field; ++i)
      if (i >= 12) ticks += std::stod(field);
    seconds = ticks / 100.0;
    break;
  } while (FindNextFileW(find, &entry));
  FindClose(find);
  return seconds;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Milliseconds from CreateProcess to a visible window with this caption.
double TimeToWindow(const std::wstring& exe, const std::wstring& caption) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::wstring commandLine = L"\"" + exe + L"\"";
  const double start = NowMs();
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info))
    return -1;
  double shown = -1;
  for (int i = 0; i < 20000 && shown < 0; ++i) {
    HWND hwnd = FindWindowW(nullptr, caption.c_str());
    DWORD pid = 0;
    if (hwnd != nullptr) GetWindowThreadProcessId(hwnd, &pid);
    if (hwnd != nullptr && pid == info.dwProcessId && IsWindowVisible(hwnd)) shown = NowMs() - start;
    else Sleep(1);
  }
  TerminateProcess(info.hProcess, 0);
  WaitForSingleObject(info.hProcess, 5000);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  Sleep(300);
  return shown;
}

int Startup(const std::wstring& vaelto, const std::wstring& minimal, int runs) {
  std::vector<double> ours, yardstick;
  TimeToWindow(minimal, L"Minimal");  // warm the file cache and the prefix
  TimeToWindow(vaelto, L"Vaelto");
  for (int i = 0; i < runs; ++i) {
    yardstick.push_back(TimeToWindow(minimal, L"Minimal"));
    ours.push_back(TimeToWindow(vaelto, L"Vaelto"));
  }
  const double a = Median(ours), b = Median(yardstick);
  std::printf("startup_to_main_window: %.1f ms\n", a);
  std::printf("startup_minimal_window: %.1f ms\n", b);
  std::printf("startup_ratio_to_minimal: %.2f x (goal <= 1.5)\n", a / b);
  return a > 0 && b > 0 ? 0 : 1;
}

// Starts the program in a folder of its own and answers the greeting.
struct Started {
  std::unique_ptr<e2e::ProgramRun> run;
  std::unique_ptr<e2e::RemoteWindow> main;
  std::string marker;  // what its Linux command line holds
};

bool Start(const std::wstring& exe, const std::wstring& folder, const std::string& name, Started& s) {
  s.run = std::make_unique<e2e::ProgramRun>(exe, folder + L"\\" + ui::win32::Widen(name));
  s.marker = "\\" + name + "\\vaelto.exe";
  HWND hwnd = s.run->waitForWindow("Vaelto", 20000);
  if (hwnd == nullptr) return false;
  s.main = std::make_unique<e2e::RemoteWindow>(hwnd, app::MainWindowDesign());
  if (auto box = e2e::WaitForMessageBox(s.run->processId(), 10000)) e2e::Answer(*box, IDOK);
  return UnixCpuSeconds(s.marker) >= 0;
}

int Idle(const std::wstring& exe, int seconds, const std::wstring& work) {
  Started s;
  if (!Start(exe, work, "idle", s)) return 1;
  Sleep(3000);
  const double before = UnixCpuSeconds(s.marker);
  const double serverBefore = UnixCpuSeconds("wineserver");
  Sleep(static_cast<DWORD>(seconds) * 1000);
  const double used = UnixCpuSeconds(s.marker) - before;
  std::printf("idle_cpu_per_%ds: %.2f s (goal < 0.3 s)\n", seconds, used);
  std::printf("idle_wineserver_cpu_per_%ds: %.2f s\n", seconds, UnixCpuSeconds("wineserver") - serverBefore);
  return 0;
}

int Countdown(const std::wstring& exe, int seconds, const std::wstring& work) {
  using namespace app::mainwin;
  Started s;
  if (!Start(exe, work, "countdown", s)) return 1;
  s.main->click(kCountdownModeBox);
  e2e::WaitUntil([&] { return s.main->visible(kCountdownGroup); }, 5000);
  s.main->pick(kCountdownHourList, seconds / 3600);
  s.main->pick(kCountdownMinuteList, seconds / 60 % 60);
  s.main->pick(kCountdownSecondList, seconds % 60);
  Sleep(500);
  const double start = NowMs();
  s.main->click(kStartButton);
  Sleep(2000);
  const double cpuBefore = UnixCpuSeconds(s.marker);
  const double cpuFrom = NowMs();
  Sleep(static_cast<DWORD>(seconds - 4) * 1000);
  const double cpuUsed = UnixCpuSeconds(s.marker) - cpuBefore;
  const double cpuSpan = (NowMs() - cpuFrom) / 1000.0;
  double end = -1;
  while (NowMs() - start < seconds * 1000.0 + 5000) {
    if (!s.run->journal().empty()) {
      end = NowMs();
      break;
    }
    Sleep(1);
  }
  if (end < 0) {
    std::printf("countdown_end_error: no end within %d s\n", seconds + 5);
    return 1;
  }
  std::printf("countdown_%ds_end_error: %+.0f ms (goal within +-100 ms)\n", seconds, end - start - seconds * 1000.0);
  std::printf("countdown_cpu_per_%ds: %.2f s (%.2f%% of one core; goal < 1%%)\n", seconds,
              cpuUsed / cpuSpan * seconds, cpuUsed / cpuSpan * 100);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring what = argc > 1 ? argv[1] : L"";
  if (what == L"startup" && argc == 6) return Startup(argv[2], argv[3], _wtoi(argv[4]));
  if (what == L"idle" && argc == 5) return Idle(argv[2], _wtoi(argv[3]), argv[4]);
  if (what == L"countdown" && argc == 5) return Countdown(argv[2], _wtoi(argv[3]), argv[4]);
  std::fprintf(stderr, "usage: program_bench startup|idle|countdown ...\n");
  return 2;
}
