#include "ui/win32/Win32Toolkit.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "ui/win32/Win32Internal.h"
#include "ui/win32/WideText.h"

namespace ui::win32 {

namespace {

constexpr UINT_PTR kScheduleTimer = 1;
constexpr int kProgramIconId = 1;  // the icon resource every window shows

void RegisterClasses(HINSTANCE instance, WNDPROC schedulerProc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  // Button face: the colour dialogs and their controls are drawn on.
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);

  wc.lpfnWndProc = Win32Window::Proc;
  wc.lpszClassName = kWindowClass;
  RegisterClassExW(&wc);

  wc.lpfnWndProc = HolderProc;
  wc.lpszClassName = kHolderClass;
  RegisterClassExW(&wc);

  wc.lpfnWndProc = CanvasProc;
  wc.lpszClassName = kCanvasClass;
  wc.hbrBackground = nullptr;  // the canvas paints all of itself from its bitmap
  RegisterClassExW(&wc);

  WNDCLASSEXW sc{};
  sc.cbSize = sizeof sc;
  sc.hInstance = instance;
  sc.lpfnWndProc = schedulerProc;
  sc.lpszClassName = kSchedulerClass;
  RegisterClassExW(&sc);
}

HICON LoadProgramIcon(HINSTANCE instance, bool small) {
  // LoadImage with the system's sizes picks the best picture of the
  // multi-size icon for the title bar (small) and Alt+Tab (big).
  const int cx = GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON);
  const int cy = GetSystemMetrics(small ? SM_CYSMICON : SM_CYICON);
  return static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(kProgramIconId), IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR));
}

MessageResult ResultOf(int id) {
  switch (id) {
    case IDOK: return MessageResult::Ok;
    case IDABORT: return MessageResult::Abort;
    case IDRETRY:
    case IDTRYAGAIN: return MessageResult::Retry;
    case IDIGNORE:
    case IDCONTINUE: return MessageResult::Ignore;
    case IDYES: return MessageResult::Yes;
    case IDNO: return MessageResult::No;
    default: return MessageResult::Cancel;  // IDCANCEL, IDCLOSE, or the box failed
  }
}

}  // namespace

Win32Toolkit::Win32Toolkit(Win32ToolkitOptions options) : options_(std::move(options)) {
  instance_ = GetModuleHandleW(nullptr);
  // The manifest makes the process DPI aware; this call is the fallback for
  // an exe without one. It must come before the first window.
  SetProcessDPIAware();
  HDC screen = GetDC(nullptr);
  dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  if (dpi_ <= 0) dpi_ = 96;
  fonts_ = std::make_unique<FontCache>(dpi_);

  // Up-down arrows beside edit boxes live in comctl32.
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  RegisterClasses(instance_, SchedulerProc);
  // Explorer broadcasts this when it (re)creates the taskbar; tray icons
  // must then be added again.
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");

  bigIcon_ = LoadProgramIcon(instance_, false);
  smallIcon_ = LoadProgramIcon(instance_, true);
  ownIcons_ = bigIcon_ != nullptr && smallIcon_ != nullptr;
  if (!ownIcons_) {
    if (bigIcon_) DestroyIcon(bigIcon_);
    if (smallIcon_) DestroyIcon(smallIcon_);
    bigIcon_ = smallIcon_ = LoadIconW(nullptr, IDI_APPLICATION);  // shared: never destroyed
  }

  // A message-only window owns the one Win32 timer of the schedule, so
  // ticks go on whichever windows come and go.
  scheduler_ = CreateWindowExW(0, kSchedulerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               instance_, nullptr);
  SetWindowLongPtrW(scheduler_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32Toolkit::~Win32Toolkit() {
  ended_ = true;
  vanishAll();
  if (scheduler_) DestroyWindow(scheduler_);
  if (ownIcons_) {
    DestroyIcon(bigIcon_);
    DestroyIcon(smallIcon_);
  }
}

std::int64_t Win32Toolkit::Now() {
  // The performance counter: steady and finer than GetTickCount's 10-16 ms
  // on Windows, so late ticks are measured truly.
  static const LONGLONG frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f.QuadPart;
  }();
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return static_cast<std::int64_t>(c.QuadPart / frequency * 1000 +
                                   c.QuadPart % frequency * 1000 / frequency);
}

int Win32Toolkit::scale(int designPixels) const { return MulDiv(designPixels, dpi_, 96); }
int Win32Toolkit::unscale(int devicePixels) const { return MulDiv(devicePixels, 96, dpi_); }
HFONT Win32Toolkit::font(const Font& font) { return fonts_->get(font); }
HICON Win32Toolkit::programIcon(bool small) const { return small ? smallIcon_ : bigIcon_; }

std::int64_t Win32Toolkit::moment() const { return moment_ ? *moment_ : Now(); }

Win32Toolkit::EventScope::EventScope(Win32Toolkit& toolkit)
    : toolkit_(toolkit), previous_(toolkit.moment_) {
  toolkit_.moment_ = Now();
}

Win32Toolkit::EventScope::~EventScope() { toolkit_.moment_ = previous_; }

void Win32Toolkit::afterModal() {
  if (moment_) moment_ = Now();
}

Window* Win32Toolkit::openWindow(const WindowDesign& design, const HandlersFactory& make) {
  if (ended_) return nullptr;
  for (auto& w : windows_) {
    if (&w->design() != &design || !w->hwnd()) continue;
    if (!w->closing()) {
      if (w->minimised()) {
        w->showNormal();
      } else {
        w->focus();
      }
      return w.get();
    }
    w->destroyNow();  // its close is still queued: carry it out first
    break;
  }
  if (ended_) return nullptr;
  auto window = std::make_unique<Win32Window>(*this, design, nextSerial_++);
  if (!window->create()) return nullptr;
  Win32Window& w = *window;
  windows_.push_back(std::move(window));
  rearmTimers();  // the design's running timers started with the window
  w.adopt(make(w));
  w.handlers().created();
  if (ended_ || !w.hwnd()) return nullptr;
  w.showFirst();
  return &w;
}

Window* Win32Toolkit::findWindow(const WindowDesign& design) {
  for (auto& w : windows_)
    if (&w->design() == &design && w->alive() && !w->closing()) return w.get();
  return nullptr;
}

void Win32Toolkit::windowDestroyed(Win32Window& window) {
  auto it = std::find_if(windows_.begin(), windows_.end(),
                         [&](const auto& p) { return p.get() == &window; });
  if (it != windows_.end()) {
    graveyard_.push_back(std::move(*it));
    windows_.erase(it);
  }
  rearmTimers();
  if (main_ == &window && !ended_) {
    // The loop ends with the main window; the other windows end with the
    // program without running handlers.
    ended_ = true;
    PostQuitMessage(0);
  }
}

MessageResult Win32Toolkit::showMessage(std::string_view text, int style, std::string_view title) {
  if (ended_) return MessageResult::Cancel;
  // No owner and MB_TASKMODAL: every top-level window of this thread is
  // disabled while the box is open, so it is modal for all of them.
  // Its own modal loop keeps dispatching our timer and posted messages.
  const int id = MessageBoxW(nullptr, Widen(text).c_str(), Widen(title).c_str(),
                             static_cast<UINT>(style) | MB_TASKMODAL);
  afterModal();
  return ResultOf(id);
}

std::wstring OpenFileFilter(std::string_view filter) {
  std::wstring out = Widen(filter);
  for (wchar_t& c : out)
    if (c == L'|') c = L'\0';
  if (out.empty() || out.back() != L'\0') out.push_back(L'\0');
  out.push_back(L'\0');  // the list ends with an empty string
  return out;
}

std::optional<std::string> Win32Toolkit::chooseOpenFile(std::string_view title,
                                                        std::string_view filter) {
  if (ended_) return std::nullopt;
  const std::wstring wideTitle = Widen(title);
  const std::wstring wideFilter = OpenFileFilter(filter);
  // The buffer starts with the file chosen last time, so the dialog opens on it.
  std::vector<wchar_t> file(32768, L'\0');
  std::copy_n(lastFile_.c_str(), std::min(lastFile_.size(), file.size() - 1), file.begin());
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = GetActiveWindow();  // modal for the window that asked
  ofn.lpstrFilter = wideFilter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrTitle = wideTitle.c_str();
  ofn.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_EXPLORER;
  // comdlg32 is loaded when the dialog is first wanted, from System32: most
  // runs never show it, and every start would pay for loading it.
  using Choose = BOOL(WINAPI*)(LPOPENFILENAMEW);
  static const Choose choose = [] {
    HMODULE comdlg32 = LoadLibraryExW(L"comdlg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (comdlg32 == nullptr) comdlg32 = LoadLibraryW(L"comdlg32.dll");  // systems without that search flag
    return comdlg32 ? reinterpret_cast<Choose>(reinterpret_cast<void*>(GetProcAddress(comdlg32, "GetOpenFileNameW")))
                    : nullptr;
  }();
  const BOOL chosen = choose != nullptr && choose(&ofn);
  afterModal();
  if (!chosen) return std::nullopt;
  lastFile_ = file.data();
  return Narrow(lastFile_);
}

void Win32Toolkit::endProgram() {
  if (ended_) return;
  ended_ = true;
  // Tray icons do not go with the process by themselves: they would stay
  // as ghosts until the mouse passes over them.
  for (auto& w : windows_) w->removeTrayIcon();
  if (options_.exitProcess) {
    options_.exitProcess(0);
  } else {
    ExitProcess(0);
  }
  // Only a test's exit function returns.
  vanishAll();
  PostQuitMessage(0);
}

void Win32Toolkit::vanishAll() {
  while (!windows_.empty()) {
    const std::size_t before = windows_.size();
    windows_.front()->vanish();
    if (windows_.size() == before) {  // no window handle to destroy: drop it here
      graveyard_.push_back(std::move(windows_.front()));
      windows_.erase(windows_.begin());
    }
  }
}

bool Win32Toolkit::preTranslate(MSG& msg) {
  // Tab and the arrow keys move between the controls of our windows, as in
  // a dialog box.
  HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  if (root == nullptr || msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
  for (auto& w : windows_)
    if (w->hwnd() == root) return IsDialogMessageW(root, &msg) != FALSE;
  return false;
}

int Win32Toolkit::run(Window& main) {
  main_ = static_cast<Win32Window*>(&main);
  if (!main_->alive()) return 0;
  MSG msg;
  while (!ended_ && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (preTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  vanishAll();
  return 0;
}

// --- the timer schedule ---------------------------------------------------
// Every running timer is due at start + n × period. One Win32 timer is armed
// for the earliest due moment of all; when it fires, the due ticks are
// delivered in order of due moment, then window, then design row. Plain
// periodic SetTimer timers would drift by their granularity at every tick.

void Win32Toolkit::rearmTimers() {
  if (!scheduler_) return;
  std::optional<std::int64_t> next;
  for (auto& w : windows_) {
    if (!w->alive()) continue;
    for (auto& c : w->controls()) {
      if (c->kind() != ControlKind::Timer || c->period() <= 0) continue;
      // Ticks of the batch being delivered come from the delivering loop;
      // should a handler open a modal loop, the next due moment brings them.
      if (batch_ && c->due() <= *batch_) continue;
      if (!next || c->due() < *next) next = c->due();
    }
  }
  if (!next || ended_) {
    if (armedFor_) KillTimer(scheduler_, kScheduleTimer);
    armedFor_.reset();
    return;
  }
  // The system is told only of a new moment: most ticks re-arm for the one
  // already armed.
  if (armedFor_ == next) return;
  const std::int64_t delay = std::max<std::int64_t>(*next - Now(), 0);
  // SetTimer on an armed id re-arms it; the system rounds delays below
  // USER_TIMER_MINIMUM (10 ms) up to it.
  SetTimer(scheduler_, kScheduleTimer, static_cast<UINT>(delay), nullptr);
  armedFor_ = next;
}

void Win32Toolkit::deliverDueTicks() {
  const std::int64_t now = Now();
  armedFor_.reset();  // the armed moment has come: the periodic Win32 timer must be set anew
  const std::optional<std::int64_t> outerBatch = batch_;
  batch_ = now;
  for (;;) {
    Win32Control* next = nullptr;
    std::uint64_t nextSerial = 0;
    for (auto& w : windows_) {
      if (!w->alive()) continue;
      for (auto& c : w->controls()) {
        if (c->kind() != ControlKind::Timer || c->period() <= 0 || c->due() > now) continue;
        const bool earlier = next == nullptr || c->due() < next->due() ||
                             (c->due() == next->due() && (w->serial() < nextSerial ||
                                                          (w->serial() == nextSerial && c->row() < next->row())));
        if (earlier) {
          next = c.get();
          nextSerial = w->serial();
        }
      }
    }
    if (next == nullptr || ended_) break;
    // Each tick is an event of its own, with its own moment.
    EventScope scope(*this);
    next->tick(now);  // moves the timer's count on, re-arms, then runs its handler
  }
  batch_ = outerBatch;
  rearmTimers();
}

LRESULT CALLBACK Win32Toolkit::SchedulerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* toolkit = reinterpret_cast<Win32Toolkit*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (toolkit != nullptr && msg == WM_TIMER && wParam == kScheduleTimer) {
    toolkit->deliverDueTicks();
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// --- fonts ------------------------------------------------------------------

FontCache::~FontCache() {
  for (auto& entry : fonts_) DeleteObject(entry.second);
}

HFONT FontCache::get(const Font& font) {
  // An empty face or size means the default: 宋体, 9 points.
  const std::string face = font.face.empty() ? "宋体" : font.face;
  const int size = font.size > 0 ? font.size : 9;
  const bool pixels = font.size > 0 && font.pixels;
  const auto key = std::make_tuple(face, size, pixels, font.bold);
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second;
  LOGFONTW lf{};
  // A negative height asks for the character (em) height, not the cell.
  lf.lfHeight = pixels ? -MulDiv(size, dpi_, 96) : -MulDiv(size, dpi_, 72);
  lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  // DEFAULT_CHARSET: the face is picked by its name whatever its character
  // sets (asking for GB2312 would swap Arial for a Chinese face).
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  const std::wstring wideFace = Widen(face);
  wideFace.copy(lf.lfFaceName, std::min<std::size_t>(wideFace.size(), LF_FACESIZE - 1));
  HFONT made = CreateFontIndirectW(&lf);
  if (made == nullptr) made = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  fonts_.emplace(key, made);
  return made;
}

}  // namespace ui::win32
