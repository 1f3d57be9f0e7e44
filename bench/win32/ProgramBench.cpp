// Measures the real program under Wine and prints one figure a line as
// "name: value unit".
//   program_bench startup VAELTO.EXE MINIMAL.EXE RUNS WORKDIR
//   program_bench idle VAELTO.EXE SECONDS WORKDIR
//   program_bench countdown VAELTO_JOURNAL.EXE SECONDS WORKDIR
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/MainWindowDesign.h"
#include "tests/e2e/Remote.h"

namespace {

double NowMs() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double CpuSeconds(HANDLE process) {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
  const auto seconds = [](const FILETIME& t) {
    return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
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
  HANDLE process = nullptr;
};

bool Start(const std::wstring& exe, const std::wstring& folder, Started& s) {
  s.run = std::make_unique<e2e::ProgramRun>(exe, folder);
  HWND hwnd = s.run->waitForWindow("Vaelto", 20000);
  if (hwnd == nullptr) return false;
  s.main = std::make_unique<e2e::RemoteWindow>(hwnd, app::MainWindowDesign());
  if (auto box = e2e::WaitForMessageBox(s.run->processId(), 10000)) e2e::Answer(*box, IDOK);
  s.process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, s.run->processId());
  return s.process != nullptr;
}

int Idle(const std::wstring& exe, int seconds, const std::wstring& work) {
  Started s;
  if (!Start(exe, work + L"\\idle", s)) return 1;
  Sleep(3000);
  const double before = CpuSeconds(s.process);
  Sleep(static_cast<DWORD>(seconds) * 1000);
  const double used = CpuSeconds(s.process) - before;
  std::printf("idle_cpu_per_%ds: %.3f s (goal < 0.3 s)\n", seconds, used);
  CloseHandle(s.process);
  return 0;
}

int Countdown(const std::wstring& exe, int seconds, const std::wstring& work) {
  using namespace app::mainwin;
  Started s;
  if (!Start(exe, work + L"\\countdown", s)) return 1;
  s.main->click(kCountdownModeBox);
  e2e::WaitUntil([&] { return s.main->visible(kCountdownGroup); }, 5000);
  s.main->pick(kCountdownHourList, seconds / 3600);
  s.main->pick(kCountdownMinuteList, seconds / 60 % 60);
  s.main->pick(kCountdownSecondList, seconds % 60);
  Sleep(500);
  const double start = NowMs();
  s.main->click(kStartButton);
  Sleep(2000);
  const double cpuBefore = CpuSeconds(s.process);
  const double cpuFrom = NowMs();
  Sleep(static_cast<DWORD>(seconds - 4) * 1000);
  const double cpuUsed = CpuSeconds(s.process) - cpuBefore;
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
  std::printf("countdown_cpu_per_%ds: %.3f s (%.2f%% of one core; goal < 1%%)\n", seconds,
              cpuUsed / cpuSpan * seconds, cpuUsed / cpuSpan * 100);
  CloseHandle(s.process);
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
