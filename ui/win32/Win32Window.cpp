#include "ui/win32/Win32Internal.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "ui/win32/WideText.h"

namespace ui::win32 {

namespace {


bool Overlap(const ControlDesign& a, const ControlDesign& b) {
  return a.holder == b.holder && a.x < b.x + b.width && b.x < a.x + a.width &&
         a.y < b.y + b.height && b.y < a.y + a.height;
}

bool HasWindow(ControlKind kind) {
  return kind != ControlKind::Timer && kind != ControlKind::OpenFileDialog;
}

}  // namespace

Win32Window::Win32Window(Win32Toolkit& toolkit, const WindowDesign& design, std::uint64_t serial)
    : toolkit_(toolkit), design_(design), serial_(serial) {}

Win32Window::~Win32Window() {
  if (hwnd_) {
    // Unhooked first: the toolkit that owns this object is letting it go.
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

bool Win32Window::create() {
  // A fixed border (no WS_THICKFRAME), a caption with the system menu, and
  // only the boxes the design asks for. No WS_CLIPCHILDREN: transparent
  // labels show the window's background, which must be painted behind them.
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  if (design_.minimiseBox) style |= WS_MINIMIZEBOX;
  if (design_.maximiseBox) style |= WS_MAXIMIZEBOX;
  // WS_EX_APPWINDOW: a taskbar button; WS_EX_CONTROLPARENT: Tab walks into
  // the group boxes' controls.
  DWORD exStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;
  if (design_.topMost) exStyle |= WS_EX_TOPMOST;
  // Design sizes are outer sizes, frame and menu bar included, as CreateWindow takes them.
  const int width = toolkit_.scale(design_.width);
  const int height = toolkit_.scale(design_.height);
  int x = toolkit_.scale(design_.left);
  int y = toolkit_.scale(design_.top);
  if (design_.centred) {
    x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  }
  CreateWindowExW(exStyle, kWindowClass, Widen(design_.caption).c_str(), style, x, y, width, height,
                  nullptr, nullptr, toolkit_.instance(), this);  // WM_NCCREATE sets hwnd_
  if (!hwnd_) return false;
  if (design_.programIcon) {
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(toolkit_.programIcon(false)));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(toolkit_.programIcon(true)));
  }
  buildMenus();
  int row = 0;
  for (const ControlDesign& c : design_.controls)
    controls_.push_back(std::make_unique<Win32Control>(*this, c, row++));
  made_.assign(controls_.size(), false);
  createPendingControls();
  return true;
}

void Win32Window::createPendingControls() {
  for (std::size_t r = 0; r < controls_.size(); ++r) createControl(r);
  raiseOverlappingLaterRows();
}

// Makes the window of the control in `row`, its holder's first. What a
// hidden holder holds is not seen yet: those windows are made when the
// holder is first shown. A holder that lies wholly beyond the window's
// client area is never seen, nor anything in it: those controls keep their
// state in memory alone. Both spare the start-up many windows.
void Win32Window::createControl(std::size_t row, std::size_t depth) {
  if (made_[row] || depth > controls_.size()) return;  // a design whose holders loop stops here
  Win32Control& c = *controls_[row];
  HWND parent = hwnd_;
  if (!c.design().holder.empty()) {
    for (std::size_t h = 0; h < controls_.size(); ++h) {
      if (h == row || controls_[h]->name() != c.design().holder) continue;
      createControl(h, depth + 1);
      if (controls_[h]->hwnd() == nullptr || !controls_[h]->visible()) return;  // not in sight yet
      parent = controls_[h]->hwnd();
      break;
    }
  }
  made_[row] = true;
  if (!HasWindow(c.kind())) return;
  if (parent == hwnd_ && beyondClientArea(c.design())) return;
  c.create(parent);
}

bool Win32Window::beyondClientArea(const ControlDesign& d) const {
  RECT client{};
  GetClientRect(hwnd_, &client);
  const int width = toolkit_.unscale(client.right);
  const int height = toolkit_.unscale(client.bottom);
  return d.x >= width || d.y >= height || d.x + d.width <= 0 || d.y + d.height <= 0;
}

void Win32Window::raiseOverlappingLaterRows() {
  // Siblings are stacked in creation order, the first on top, which is also
  // the Tab order. Where two controls overlap, the later design row belongs
  // on top, so only those are moved up, just above the earlier one.
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    for (std::size_t j = i + 1; j < controls_.size(); ++j) {
      HWND lower = controls_[i]->hwnd();
      HWND upper = controls_[j]->hwnd();
      if (!lower || !upper || !Overlap(controls_[i]->design(), controls_[j]->design())) continue;
      HWND above = GetWindow(lower, GW_HWNDPREV);
      SetWindowPos(upper, above ? above : HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
}

void Win32Window::buildMenus() {
  if (design_.menus.empty()) return;
  menuBar_ = CreateMenu();
  UINT id = MenuItemId(0);
  for (const MenuDesign& m : design_.menus) {
    HMENU popup = CreatePopupMenu();
    for (const MenuItemDesign& item : m.items) {
      AppendMenuW(popup, MF_STRING | (item.checked ? MF_CHECKED : MF_UNCHECKED), id,
                  Widen(item.text).c_str());
      menuItems_.push_back(std::make_unique<Win32MenuItem>(popup, id, m.text, item));
      ++id;
    }
    AppendMenuW(menuBar_, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), Widen(m.text).c_str());
    menus_.emplace_back(m.text, popup);
  }
  SetMenu(hwnd_, menuBar_);
}

void Win32Window::showFirst() {
  shown_ = true;
  ShowWindow(hwnd_, SW_SHOW);
  // A window opened from another program's start may come up behind the
  // foreground window; ours is meant to be used at once.
  SetForegroundWindow(hwnd_);
  UpdateWindow(hwnd_);
}

void Win32Window::destroyNow() {
  if (!hwnd_ || destroying_) return;
  destroying_ = true;
  if (handlersReady()) handlers().destroying();
  if (hwnd_) DestroyWindow(hwnd_);  // the handler may have ended the program already
}

void Win32Window::vanish() {
  silent_ = true;
  destroying_ = true;
  if (hwnd_) DestroyWindow(hwnd_);
}

Win32Control* Win32Window::controlOfChild(HWND child) {
  if (child == nullptr) return nullptr;
  const int row = GetDlgCtrlID(child) - kFirstControlId;
  if (row < 0 || row >= static_cast<int>(controls_.size())) return nullptr;
  Win32Control* c = controls_[static_cast<std::size_t>(row)].get();
  return c->hwnd() == child ? c : nullptr;
}

Control& Win32Window::control(std::string_view name) {
  for (auto& c : controls_)
    if (c->name() == name) return *c;
  throw std::out_of_range("no control " + std::string(name) + " in " + design_.caption);
}

MenuItem& Win32Window::menuItem(std::string_view text) {
  for (auto& i : menuItems_)
    if (i->text() == text) return *i;
  throw std::out_of_range("no menu item " + std::string(text) + " in " + design_.caption);
}

std::string Win32Window::caption() const {
  if (!hwnd_) return design_.caption;
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd_)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size()))));
  return Narrow(text);
}

void Win32Window::setCaption(std::string_view caption) {
  if (hwnd_) SetWindowTextW(hwnd_, Widen(caption).c_str());
}

namespace {
RECT NormalRect(HWND hwnd) {
  // A minimised window sits far off the screen; its place is the one it
  // comes back to.
  RECT rc{};
  if (IsIconic(hwnd)) {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    GetWindowPlacement(hwnd, &wp);
    return wp.rcNormalPosition;
  }
  GetWindowRect(hwnd, &rc);
  return rc;
}
}  // namespace

int Win32Window::left() const { return hwnd_ ? toolkit_.unscale(NormalRect(hwnd_).left) : 0; }
int Win32Window::top() const { return hwnd_ ? toolkit_.unscale(NormalRect(hwnd_).top) : 0; }

void Win32Window::move(int left, int top) {
  if (!hwnd_) return;
  SetWindowPos(hwnd_, nullptr, toolkit_.scale(left), toolkit_.scale(top), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Win32Window::enabled() const { return hwnd_ && IsWindowEnabled(hwnd_); }
void Win32Window::setEnabled(bool enabled) {
  if (hwnd_) EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}
bool Win32Window::visible() const { return hwnd_ && IsWindowVisible(hwnd_); }
void Win32Window::show() {
  if (hwnd_) ShowWindow(hwnd_, SW_SHOW);
}
void Win32Window::hide() {
  if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}
bool Win32Window::minimised() const { return hwnd_ && IsIconic(hwnd_); }

void Win32Window::showNormal() {
  if (!hwnd_) return;
  // SW_SHOWNORMAL shows a hidden window and restores a minimised one.
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  SetForegroundWindow(hwnd_);
}

void Win32Window::focus() {
  if (!hwnd_) return;
  SetForegroundWindow(hwnd_);
  HWND focused = GetFocus();
  if (focused != hwnd_ && !IsChild(hwnd_, focused)) SetFocus(hwnd_);
}

void Win32Window::setTrayIcon(std::string_view tip) {
  if (hwnd_) tray_.set(hwnd_, toolkit_.programIcon(true), tip);
}

void Win32Window::removeTrayIcon() { tray_.remove(hwnd_); }

void Win32Window::popupTrayMenu(std::string_view menuText) {
  if (!hwnd_) return;
  HMENU popup = nullptr;
  for (auto& m : menus_)
    if (m.first == menuText) popup = m.second;
  if (popup == nullptr) return;
  POINT pointer{};
  GetCursorPos(&pointer);
  // Without being the foreground window first, the menu would not close
  // when the user clicks elsewhere (KB135788).
  SetForegroundWindow(hwnd_);
  // Right edge 5 pixels left of the pointer, top edge 5 pixels above it.
  // The chosen item arrives as a posted WM_COMMAND, so its handler runs
  // after this call has returned.
  const int gap = toolkit_.scale(5);
  TrackPopupMenu(popup, TPM_RIGHTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, pointer.x - gap,
                 pointer.y - gap, 0, hwnd_, nullptr);
  // The same article: a message after the menu lets the next one open
  // and close normally.
  PostMessageW(hwnd_, WM_NULL, 0, 0);
}

void Win32Window::close() {
  if (!hwnd_ || closing_ || destroying_) return;
  closing_ = true;
  // Carried out when the loop gets to it, after the current handler.
  PostMessageW(hwnd_, kQueuedCloseMessage, 0, 0);
}

bool Win32Window::childMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_COMMAND: {
      if (lParam == 0) {
        if (HIWORD(wParam) != 0) return false;  // an accelerator: we have none
        for (auto& item : menuItems_) {
          if (item->id() != LOWORD(wParam)) continue;
          if (handlersReady()) item->chosen();
          result = 0;
          return true;
        }
        return false;
      }
      Win32Control* c = controlOfChild(reinterpret_cast<HWND>(lParam));
      if (c == nullptr) return false;
      if (handlersReady()) c->command(HIWORD(wParam));
      result = 0;
      return true;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->code != static_cast<UINT>(UDN_DELTAPOS)) return false;
      for (auto& c : controls_) {
        if (c->spin() == nullptr || c->spin() != header->hwndFrom) continue;
        if (handlersReady()) c->spinPressed(reinterpret_cast<const NMUPDOWN*>(lParam)->iDelta > 0);
        result = TRUE;  // the arrows keep no position of their own
        return true;
      }
      return false;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN: {
      Win32Control* c = controlOfChild(reinterpret_cast<HWND>(lParam));
      HBRUSH brush = c ? c->colours(reinterpret_cast<HDC>(wParam)) : nullptr;
      if (brush == nullptr) return false;
      result = reinterpret_cast<LRESULT>(brush);
      return true;
    }
    case WM_SETCURSOR: {
      Win32Control* c = controlOfChild(reinterpret_cast<HWND>(wParam));
      if (c == nullptr || !c->design().handCursor || LOWORD(lParam) != HTCLIENT) return false;
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      result = TRUE;
      return true;
    }
    default:
      return false;
  }
}

LRESULT CALLBACK Win32Window::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Win32Window* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->hwnd_ = hwnd;
  } else {
    self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (self == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
  Win32Toolkit::EventScope scope(self->toolkit_);
  return self->handle(msg, wParam, lParam);
}

LRESULT Win32Window::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (childMessage(msg, wParam, lParam, result)) return result;
  if (msg == toolkit_.taskbarCreatedMessage() && msg != 0) {
    // Explorer started anew: our icon is gone from its taskbar.
    tray_.restore(hwnd_, toolkit_.programIcon(true));
    return 0;
  }
  switch (msg) {
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !activatedOnce_ && handlersReady()) {
        activatedOnce_ = true;
        // Its own event, after whatever handler opened or showed the window.
        PostMessageW(hwnd_, kFirstActivatedMessage, 0, 0);
      }
      break;
    case kFirstActivatedMessage:
      if (handlersReady() && !destroying_) handlers().firstActivated();
      return 0;
    case WM_SIZE:
    case WM_MOVE:
      if (handlersReady() && shown_ && !destroying_) handlers().positionChanged();
      break;
    case kTrayMessage: {
      int kind = 0;
      switch (LOWORD(lParam)) {
        case WM_LBUTTONUP: kind = tray::kLeftButtonUp; break;
        case WM_LBUTTONDBLCLK: kind = tray::kLeftDoubleClick; break;
        case WM_RBUTTONUP:
        case WM_CONTEXTMENU: kind = tray::kRightButtonUp; break;
        default: break;
      }
      if (kind != 0 && handlersReady() && !destroying_) handlers().trayEvent(kind);
      return 0;
    }
    case WM_CLOSE:
      // The close box, the system menu or Alt+F4: the window's logic decides.
      if (handlersReady() && !destroying_ && handlers().canClose() && !toolkit_.ended()) destroyNow();
      return 0;
    case kQueuedCloseMessage:
      if (!toolkit_.ended()) destroyNow();
      return 0;
    case WM_DESTROY:
      if (!destroying_ && !silent_ && handlersReady()) {
        destroying_ = true;  // destroyed by another road than ours
        handlers().destroying();
      }
      tray_.remove(hwnd_);
      break;
    case WM_NCDESTROY: {
      const LRESULT r = DefWindowProcW(hwnd_, msg, wParam, lParam);
      SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      menuBar_ = nullptr;
      for (auto& c : controls_) c->released();
      for (auto& i : menuItems_) i->released();
      menus_.clear();
      toolkit_.windowDestroyed(*this);
      return r;
    }
    default:
      break;
  }
  return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

void Win32MenuItem::setChecked(bool checked) {
  checked_ = checked;
  if (menu_) CheckMenuItem(menu_, id_, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

// --- test-side views -------------------------------------------------------

HWND WindowHandle(Window& window) { return static_cast<Win32Window&>(window).hwnd(); }
HWND ControlHandle(Control& control) { return static_cast<Win32Control&>(control).hwnd(); }
HWND SpinHandle(Control& control) { return static_cast<Win32Control&>(control).spin(); }
TrayView TrayOf(Window& window) { return static_cast<Win32Window&>(window).trayView(); }

}  // namespace ui::win32
