#include "tests/e2e/Remote.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "ui/win32/ControlIds.h"
#include "ui/win32/WideText.h"

namespace e2e {

bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
  for (;;) {
    if (done()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(20);
  }
}

// ---- The program's process --------------------------------------------------------

ProgramRun::ProgramRun(const std::wstring& exe, const std::wstring& folder) : folder_(folder) {
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring copy = folder + L"\\vaelto.exe";
  DeleteFileW((folder + L"\\journal.log").c_str());
  if (!CopyFileW(exe.c_str(), copy.c_str(), FALSE)) return;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::wstring commandLine = L"\"" + copy + L"\"";
  if (!CreateProcessW(copy.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &info))
    return;
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  processId_ = info.dwProcessId;
}

ProgramRun::~ProgramRun() {
  if (process_ == nullptr) return;
  if (running()) {
    TerminateProcess(process_, 99);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
}

bool ProgramRun::waitForExit(int timeoutMs, DWORD* code) {
  if (process_ == nullptr) return false;
  if (WaitForSingleObject(process_, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) return false;
  if (code != nullptr) GetExitCodeProcess(process_, code);
  return true;
}

bool ProgramRun::running() {
  return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::vector<std::string> ProgramRun::journal() const {
  std::vector<std::string> lines;
  std::ifstream in(std::filesystem::path(folder_ + L"\\journal.log"));
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

namespace {

struct WindowSearch {
  DWORD processId;
  std::wstring caption;
  std::wstring className;  // empty: any
  HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != search->processId || !IsWindowVisible(hwnd)) return TRUE;
  wchar_t buffer[256] = {};
  if (!search->className.empty()) {
    GetClassNameW(hwnd, buffer, 256);
    if (search->className != buffer) return TRUE;
  }
  if (!search->caption.empty()) {
    GetWindowTextW(hwnd, buffer, 256);
    if (search->caption != buffer) return TRUE;
  }
  search->found = hwnd;
  return FALSE;
}

HWND FindTopLevel(DWORD processId, const std::wstring& caption, const std::wstring& className) {
  WindowSearch search{processId, caption, className, nullptr};
  EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string RemoteText(HWND hwnd) {
  // GetWindowText cannot read another process's edit boxes; WM_GETTEXT can.
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                      2000, &copied);
  text.resize(static_cast<std::size_t>(copied));
  return ui::win32::Narrow(text);
}

}  // namespace

HWND ProgramRun::findWindow(std::string_view caption) { return FindTopLevel(processId_, ui::win32::Widen(caption), L""); }

HWND ProgramRun::waitForWindow(std::string_view caption, int timeoutMs) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = findWindow(caption)) != nullptr; }, timeoutMs);
  return found;
}

// ---- Windows and controls ----------------------------------------------------------

namespace {

struct ChildSearch {
  int id;
  HWND found;
};

BOOL CALLBACK MatchChild(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<ChildSearch*>(param);
  if (GetDlgCtrlID(hwnd) != search->id) return TRUE;
  search->found = hwnd;
  return FALSE;
}

}  // namespace

HWND RemoteWindow::control(std::string_view name) const {
  for (std::size_t row = 0; row < design_.controls.size(); ++row) {
    if (design_.controls[row].name != name) continue;
    // Holders are real windows too, so the search goes through all descendants.
    ChildSearch search{ui::win32::ControlId(static_cast<int>(row)), nullptr};
    EnumChildWindows(window_, MatchChild, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) throw std::runtime_error("no window for control " + std::string(name));
    return search.found;
  }
  throw std::runtime_error("no control " + std::string(name) + " in the design");
}

bool RemoteWindow::exists(std::string_view name) const {
  try {
    return control(name) != nullptr;
  } catch (const std::runtime_error&) {
    return false;
  }
}

std::string RemoteWindow::text(std::string_view name) const { return RemoteText(control(name)); }
bool RemoteWindow::enabled(std::string_view name) const { return IsWindowEnabled(control(name)) != FALSE; }
bool RemoteWindow::visible(std::string_view name) const {
  return (GetWindowLongW(control(name), GWL_STYLE) & WS_VISIBLE) != 0;
}
bool RemoteWindow::checked(std::string_view name) const {
  return SendMessageW(control(name), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
std::string RemoteWindow::caption() const { return RemoteText(window_); }
bool RemoteWindow::windowVisible() const { return IsWindowVisible(window_) != FALSE; }
bool RemoteWindow::windowEnabled() const { return IsWindowEnabled(window_) != FALSE; }

void RemoteWindow::click(std::string_view name) const {
  const HWND button = control(name);
  // Wine delivers BN_CLICKED even for a disabled button; a user could not click it.
  if (!IsWindowEnabled(button)) throw std::runtime_error("cannot click disabled " + std::string(name));
  PostMessageW(button, BM_CLICK, 0, 0);
}

void RemoteWindow::pick(std::string_view name, int index) const {
  const HWND list = control(name);
  if (!IsWindowEnabled(list)) throw std::runtime_error("cannot pick in disabled " + std::string(name));
  // What the system does when the user picks: the selection, then the
  // notification to the list's parent.
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  PostMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
}

void RemoteWindow::type(std::string_view name, std::string_view text) const {
  const std::wstring wide = ui::win32::Widen(text);
  SendMessageW(control(name), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void RemoteWindow::menuCommand(std::string_view itemText) const {
  int index = 0;
  for (const ui::MenuDesign& menu : design_.menus) {
    for (const ui::MenuItemDesign& item : menu.items) {
      if (item.text == itemText) {
        // Posted: a handler that opens a modal box would block a sent message.
        PostMessageW(window_, WM_COMMAND, MAKEWPARAM(ui::win32::MenuItemId(index), 0), 0);
        return;
      }
      ++index;
    }
  }
  throw std::runtime_error("no menu item " + std::string(itemText));
}

void RemoteWindow::minimise() const { PostMessageW(window_, WM_SYSCOMMAND, SC_MINIMIZE, 0); }

// ---- Message boxes and the open-file dialog ------------------------------------------

std::optional<MessageBoxSeen> WaitForMessageBox(DWORD processId, int timeoutMs) {
  HWND box = nullptr;
  if (!WaitUntil([&] { return (box = FindTopLevel(processId, L"", L"#32770")) != nullptr; }, timeoutMs))
    return std::nullopt;
  MessageBoxSeen seen;
  seen.window = box;
  seen.title = RemoteText(box);
  // The message text is the static control with id 65535.
  if (HWND text = GetDlgItem(box, 0xFFFF)) seen.text = RemoteText(text);
  return seen;
}

void Answer(const MessageBoxSeen& box, int buttonId) {
  if (HWND button = GetDlgItem(box.window, buttonId)) PostMessageW(button, BM_CLICK, 0, 0);
}

namespace {

struct ButtonSearch {
  HWND found;
};

BOOL CALLBACK MatchOpenButton(HWND hwnd, LPARAM param) {
  // The dialog's list view also has id 1: match the class too.
  wchar_t className[64] = {};
  GetClassNameW(hwnd, className, 64);
  if (GetDlgCtrlID(hwnd) == IDOK && lstrcmpiW(className, L"Button") == 0) {
    reinterpret_cast<ButtonSearch*>(param)->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

bool ChooseFileInDialog(DWORD processId, std::string_view caption, const std::wstring& path, int timeoutMs) {
  HWND dialog = nullptr;
  if (!WaitUntil([&] { return (dialog = FindTopLevel(processId, ui::win32::Widen(caption), L"#32770")) != nullptr; },
                 timeoutMs))
    return false;
  Sleep(300);  // let the dialog finish filling itself
  HWND nameBox = GetDlgItem(dialog, 1148);  // the file name box
  if (nameBox == nullptr) return false;
  SendMessageW(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  ButtonSearch search{nullptr};
  EnumChildWindows(dialog, MatchOpenButton, reinterpret_cast<LPARAM>(&search));
  if (search.found == nullptr) return false;
  PostMessageW(search.found, BM_CLICK, 0, 0);
  return WaitUntil([&] { return !IsWindow(dialog); }, timeoutMs);
}

// ---- Screenshots -------------------------------------------------------------------------

bool SaveScreenshot(const std::wstring& path) {
  const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, GetSystemMetrics(SM_XVIRTUALSCREEN),
         GetSystemMetrics(SM_YVIRTUALSCREEN), SRCCOPY);
  SelectObject(memory, old);
  const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) & ~3u);
  const DWORD imageSize = stride * static_cast<DWORD>(height);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + imageSize;
  bool ok = false;
  std::ofstream out(std::filesystem::path(path), std::ios::binary);
  if (out && bits != nullptr) {
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), imageSize);
    ok = static_cast<bool>(out);
  }
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ok;
}

}  // namespace e2e
