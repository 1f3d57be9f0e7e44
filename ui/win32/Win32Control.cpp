#include "ui/win32/Win32Internal.h"

#include <commctrl.h>

#include <algorithm>

#include "core/Text.h"
#include "ui/win32/WideText.h"

namespace ui::win32 {

namespace {

constexpr int kSpinIdOffset = 5000;  // spin arrows: 5000 + the edit box's row
constexpr int kDropDownItems = 10;   // a drop-down list shows about this many items

std::wstring WindowText(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

COLORREF Rgb(Colour c) { return RGB(c.red, c.green, c.blue); }

// Picture resources by name, or by number when the name is all digits.
HANDLE LoadPicture(HINSTANCE instance, const std::string& name, int width, int height, UINT& type) {
  if (name.empty()) return nullptr;
  const std::wstring wide = Widen(name);
  const bool numeric = std::all_of(name.begin(), name.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
  const wchar_t* id = numeric ? MAKEINTRESOURCEW(std::stoi(name)) : wide.c_str();
  type = IMAGE_ICON;
  if (HANDLE icon = LoadImageW(instance, id, IMAGE_ICON, width, height, LR_DEFAULTCOLOR)) return icon;
  type = IMAGE_BITMAP;
  return LoadImageW(instance, id, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
}

}  // namespace

std::string SpinStepText(std::string_view text, bool up, int low, int high) {
  long long number = 0;
  for (char ch : text) {
    if (ch < '0' || ch > '9') break;
    number = std::min<long long>(number * 10 + (ch - '0'), 1000000000000LL);
  }
  number += up ? 1 : -1;
  if (number < low || number > high) number = up ? low : high;
  return core::DecimalText(static_cast<std::int64_t>(number));
}

Win32Control::Win32Control(Win32Window& window, const ControlDesign& design, int row)
    : window_(window), design_(design), row_(row) {
  text_ = design.text;
  items_ = design.items;
  selected_ = design.selected >= 0 && design.selected < static_cast<int>(items_.size()) ? design.selected : -1;
  checked_ = design.checked;
  enabled_ = !design.disabled;
  visible_ = !design.hidden;
  period_ = std::max(design.period, 0);
  start_ = Win32Toolkit::Now();
}

Win32Control::~Win32Control() {
  if (image_) {
    if (imageType_ == IMAGE_ICON) DestroyIcon(static_cast<HICON>(image_));
    else DeleteObject(image_);
  }
}

void Win32Control::create(HWND parent) {
  Win32Toolkit& toolkit = window_.toolkit();
  // WS_CLIPSIBLINGS: where controls overlap, the one on top is drawn whole.
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  if (visible_) style |= WS_VISIBLE;
  if (!enabled_) style |= WS_DISABLED;
  DWORD exStyle = 0;
  const wchar_t* windowClass = L"STATIC";
  const int x = toolkit.scale(design_.x);
  const int y = toolkit.scale(design_.y);
  const int width = toolkit.scale(design_.width);
  int height = toolkit.scale(design_.height);
  // The state written before the window was made (see Win32Window::createControl).
  std::wstring text = Widen(text_);
  switch (design_.kind) {
    case ControlKind::Label:
    case ControlKind::TransparentLabel:
      // SS_NOTIFY: the label takes mouse presses (and so its own pointer);
      // SS_NOPREFIX: "&" is shown, not taken as a mnemonic.
      style |= SS_NOPREFIX | SS_NOTIFY | (design_.centred ? SS_CENTER : SS_LEFT);
      break;
    case ControlKind::Button:
      windowClass = L"BUTTON";
      style |= BS_PUSHBUTTON | WS_TABSTOP;
      break;
    case ControlKind::CheckBox:
      // Not BS_AUTOCHECKBOX: we toggle it ourselves, only when it is enabled
      // (Wine sends BN_CLICKED even to a disabled button).
      windowClass = L"BUTTON";
      style |= BS_CHECKBOX | WS_TABSTOP;
      break;
    case ControlKind::RadioButton:
      // Not BS_AUTORADIOBUTTON: its group follows WS_GROUP and the Tab
      // order; ours is the radio buttons of one holder.
      windowClass = L"BUTTON";
      style |= BS_RADIOBUTTON | WS_TABSTOP;
      break;
    case ControlKind::DropDownList:
      windowClass = L"COMBOBOX";
      style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
      height += kDropDownItems * toolkit.scale(16);  // made exact below
      text.clear();
      break;
    case ControlKind::EditBox:
      windowClass = L"EDIT";
      exStyle |= WS_EX_CLIENTEDGE;
      style |= WS_TABSTOP;
      if (design_.multiLine) {
        style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
        if (design_.scrollBars) style |= WS_VSCROLL;
      } else {
        style |= ES_AUTOHSCROLL;
      }
      if (design_.readOnly) style |= ES_READONLY;
      if (design_.centred) style |= ES_CENTER;
      break;
    case ControlKind::GroupBox:
    case ControlKind::FrameStrip:
      windowClass = kHolderClass;
      exStyle |= WS_EX_CONTROLPARENT;  // Tab walks into the controls it holds
      break;
    case ControlKind::ListBox:
      windowClass = L"LISTBOX";
      exStyle |= WS_EX_CLIENTEDGE;
      // LBS_NOINTEGRALHEIGHT: the design's height, not rounded to whole items.
      style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;
      text.clear();
      break;
    case ControlKind::PictureBox:
      image_ = LoadPicture(toolkit.instance(), design_.picture, width, height, imageType_);
      // SS_REALSIZECONTROL and SS_CENTERIMAGE: the box keeps the design's
      // size instead of taking the picture's.
      style |= (imageType_ == IMAGE_ICON ? SS_ICON : SS_BITMAP) | SS_CENTERIMAGE | SS_REALSIZECONTROL;
      text.clear();
      break;
    case ControlKind::Canvas:
      windowClass = kCanvasClass;
      break;
    case ControlKind::Timer:
    case ControlKind::OpenFileDialog:
      return;  // never seen: no window
  }
  hwnd_ = CreateWindowExW(exStyle, windowClass, text.c_str(), style, x, y, width, height, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(row_))),
                          toolkit.instance(), nullptr);
  if (!hwnd_) return;
  const bool ours = design_.kind == ControlKind::GroupBox || design_.kind == ControlKind::FrameStrip ||
                    design_.kind == ControlKind::Canvas;
  if (ours)  // our own classes find their control through it
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  if (font_ == nullptr) font_ = toolkit.font(design_.font);
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);

  switch (design_.kind) {
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      SendMessageW(hwnd_, BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case ControlKind::DropDownList:
    case ControlKind::ListBox: {
      const bool combo = design_.kind == ControlKind::DropDownList;
      for (const std::string& item : items_)
        SendMessageW(hwnd_, combo ? CB_ADDSTRING : LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(Widen(item).c_str()));
      SendMessageW(hwnd_, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(selected_), 0);
      if (combo) {
        // The height a combo box is given is that of its opened list (version
        // 6 of the common controls counts items instead): about ten items.
        // Set first: resizing makes the control size its field anew.
        RECT closed{};
        GetWindowRect(hwnd_, &closed);
        const int item = static_cast<int>(SendMessageW(hwnd_, CB_GETITEMHEIGHT, 0, 0));
        SetWindowPos(hwnd_, nullptr, 0, 0, width, closed.bottom - closed.top + kDropDownItems * item + 2,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(hwnd_, CB_SETMINVISIBLE, kDropDownItems, 0);
        fitDropDownHeight();
      }
      break;
    }
    case ControlKind::EditBox:
      // No length limit: without this the user could type only 32,767 characters.
      SendMessageW(hwnd_, EM_SETLIMITTEXT, 0, 0);
      if (design_.spinArrows) {
        // Up-down arrows without a buddy, 18 pixels wide just right of the
        // box; their presses come as UDN_DELTAPOS and we write the number.
        spin_ = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | (style & (WS_VISIBLE | WS_DISABLED)),
                                x + width, y, toolkit.scale(18), height, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kSpinIdOffset + row_)),
                                toolkit.instance(), nullptr);
        // The control picks its own width at creation; the design's is 18.
        SetWindowPos(spin_, nullptr, x + width, y, toolkit.scale(18), height, SWP_NOZORDER | SWP_NOACTIVATE);
        // A range with low below high makes the up arrow's step positive.
        SendMessageW(spin_, UDM_SETRANGE32, 0, 100);
        SendMessageW(spin_, UDM_SETPOS32, 0, 50);
      }
      break;
    case ControlKind::PictureBox:
      if (image_) SendMessageW(hwnd_, STM_SETIMAGE, imageType_, reinterpret_cast<LPARAM>(image_));
      break;
    case ControlKind::Canvas:
      canvas_ = std::make_unique<Win32Canvas>(toolkit, hwnd_, width, height, design_.background);
      break;
    default:
      break;
  }
}

void Win32Control::fitDropDownHeight() {
  // The closed height of a drop-down list follows its font; the design
  // gives it, so the selection field's height is set to make it so.
  const int want = window_.toolkit().scale(design_.height);
  RECT rc{};
  GetWindowRect(hwnd_, &rc);
  const int have = rc.bottom - rc.top;
  if (have == want) return;
  const LRESULT field = SendMessageW(hwnd_, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  if (field == CB_ERR) return;
  // The control keeps the field at least as tall as its font: with a face
  // taller than the design's (Wine's stand-in for 宋体) the list stays taller.
  SendMessageW(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
               std::max<LPARAM>(static_cast<LPARAM>(field) + want - have, 1));
}

std::string Win32Control::text() const {
  if (design_.kind == ControlKind::DropDownList || design_.kind == ControlKind::ListBox) {
    const int i = selectedIndex();
    return i >= 0 && i < itemCount() ? items_[static_cast<std::size_t>(i)] : std::string();
  }
  // An edit box's window holds what the user typed, also when the text came
  // another way than typing (UI automation writes it with WM_SETTEXT, and a
  // multi-line box then sends no EN_CHANGE).
  if (hwnd_ != nullptr && design_.kind == ControlKind::EditBox) return Narrow(WindowText(hwnd_));
  return text_;
}

void Win32Control::setText(std::string_view text) {
  if (design_.kind == ControlKind::DropDownList) {
    // A pick-only list shows its items alone: writing an item's text selects it.
    for (int i = 0; i < itemCount(); ++i)
      if (items_[static_cast<std::size_t>(i)] == text) select(i);
    return;
  }
  // The system is told only of a change: clocks rewrite their texts many
  // times a second, mostly with the same text.
  const bool changed = text != this->text();
  text_ = std::string(text);
  if (hwnd_ && changed) {
    // A single-line edit box sends EN_CHANGE for WM_SETTEXT, a multi-line
    // one does not: both are ignored while we write, and the change
    // handler runs once below.
    writing_ = true;
    SetWindowTextW(hwnd_, Widen(text).c_str());
    writing_ = false;
    if (design_.kind == ControlKind::TransparentLabel) repaintBehind();
  }
  if (design_.kind == ControlKind::EditBox) fireChange();
}

void Win32Control::repaintBehind() {
  if (!hwnd_ || !IsWindowVisible(hwnd_)) return;
  HWND parent = GetParent(hwnd_);
  RECT rc{};
  GetWindowRect(hwnd_, &rc);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
  // The label paints no background of its own, so its old text stays until
  // the parent's background is painted again under it; then it draws anew.
  RedrawWindow(parent, &rc, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

bool Win32Control::enabled() const { return hwnd_ ? IsWindowEnabled(hwnd_) != FALSE : enabled_; }

void Win32Control::setEnabled(bool enabled) {
  enabled_ = enabled;
  if (hwnd_) EnableWindow(hwnd_, enabled ? TRUE : FALSE);
  if (spin_) EnableWindow(spin_, enabled ? TRUE : FALSE);
}

bool Win32Control::visible() const {
  // The control's own WS_VISIBLE bit: IsWindowVisible would count its holders too.
  return hwnd_ ? (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0 : visible_;
}

void Win32Control::setVisible(bool visible) {
  visible_ = visible;
  const bool holder = design_.kind == ControlKind::GroupBox || design_.kind == ControlKind::FrameStrip;
  // A holder coming into sight for the first time gets the windows of what it holds.
  if (hwnd_) ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
  if (visible && holder && hwnd_) window_.createPendingControls();
  if (spin_) ShowWindow(spin_, visible ? SW_SHOWNA : SW_HIDE);
}

bool Win32Control::checked() const {
  return hwnd_ ? SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED : checked_;
}

void Win32Control::setChecked(bool checked) {
  checked_ = checked;
  if (hwnd_) SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!checked || design_.kind != ControlKind::RadioButton) return;
  for (auto& sibling : window_.controls()) {
    if (sibling.get() == this || sibling->kind() != ControlKind::RadioButton ||
        sibling->design().holder != design_.holder)
      continue;
    sibling->checked_ = false;
    if (sibling->hwnd_) SendMessageW(sibling->hwnd_, BM_SETCHECK, BST_UNCHECKED, 0);
  }
}

std::string Win32Control::itemText(int index) const {
  return index >= 0 && index < itemCount() ? items_[static_cast<std::size_t>(index)] : std::string();
}

int Win32Control::selectedIndex() const {
  if (!hwnd_) return selected_;
  if (design_.kind == ControlKind::DropDownList)
    return static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0));
  if (design_.kind == ControlKind::ListBox)
    return static_cast<int>(SendMessageW(hwnd_, LB_GETCURSEL, 0, 0));
  return selected_;
}

void Win32Control::select(int index) {
  selected_ = index >= 0 && index < itemCount() ? index : -1;
  // CB_SETCURSEL and LB_SETCURSEL send no notification: no handler runs.
  if (!hwnd_) return;
  if (design_.kind == ControlKind::DropDownList)
    SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(selected_), 0);
  if (design_.kind == ControlKind::ListBox)
    SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(selected_), 0);
}

void Win32Control::addItem(std::string_view text) {
  items_.emplace_back(text);
  if (!hwnd_) return;
  const std::wstring wide = Widen(text);
  if (design_.kind == ControlKind::DropDownList)
    SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  if (design_.kind == ControlKind::ListBox)
    SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void Win32Control::clearItems() {
  items_.clear();
  selected_ = -1;
  if (!hwnd_) return;
  if (design_.kind == ControlKind::DropDownList) SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
  if (design_.kind == ControlKind::ListBox) SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
}

void Win32Control::setPeriod(int milliseconds) {
  if (milliseconds < 0) milliseconds = 0;
  if (milliseconds == period_) return;
  period_ = milliseconds;
  start_ = window_.toolkit().moment();
  count_ = 1;
  window_.toolkit().rearmTimers();
}

void Win32Control::tick(std::int64_t now) {
  // The next tick is due at the next start + n × period after now; ticks
  // missed while the loop was busy are not replayed.
  count_ = (now - start_) / period_ + 1;
  // Armed before the handler runs: a message box in it keeps ticks coming.
  window_.toolkit().rearmTimers();
  if (window_.eventsFlow()) fireTick();
}

void Win32Control::selectAllText() {
  if (hwnd_) SendMessageW(hwnd_, EM_SETSEL, 0, -1);
}

void Win32Control::focus() {
  if (hwnd_) SetFocus(hwnd_);
}

void Win32Control::setFont(const Font& font) {
  font_ = window_.toolkit().font(font);
  if (!hwnd_) return;
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  if (design_.kind == ControlKind::DropDownList) fitDropDownHeight();
  if (design_.kind == ControlKind::TransparentLabel) repaintBehind();
}

void Win32Control::setTextColour(Colour colour) {
  textColour_ = colour;
  if (!hwnd_) return;
  InvalidateRect(hwnd_, nullptr, TRUE);
  if (design_.kind == ControlKind::TransparentLabel) repaintBehind();
}

HBRUSH Win32Control::colours(HDC dc) {
  if (design_.kind == ControlKind::TransparentLabel) {
    // Text only: no background of its own, so what lies behind shows.
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColour_ ? Rgb(*textColour_) : GetSysColor(COLOR_BTNTEXT));
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  }
  if (!textColour_) return nullptr;  // the system's colours
  const int background =
      design_.kind == ControlKind::EditBox && !design_.readOnly ? COLOR_WINDOW : COLOR_BTNFACE;
  SetTextColor(dc, Rgb(*textColour_));
  SetBkColor(dc, GetSysColor(background));
  return GetSysColorBrush(background);
}

void Win32Control::command(WORD code) {
  // Wine sends BN_CLICKED even for a disabled button; Windows does not.
  const bool usable = hwnd_ != nullptr && IsWindowEnabled(hwnd_);
  switch (design_.kind) {
    case ControlKind::Button:
      if (code == BN_CLICKED && usable) fireClick();
      break;
    case ControlKind::CheckBox:
      if (code == BN_CLICKED && usable) {
        setChecked(!checked());
        fireClick();
      }
      break;
    case ControlKind::RadioButton:
      if (code == BN_CLICKED && usable) {
        setChecked(true);
        fireClick();
      }
      break;
    case ControlKind::DropDownList:
      if (code == CBN_SELCHANGE) {  // only the user's picks send it
        selected_ = selectedIndex();
        fireSelect();
      }
      break;
    case ControlKind::ListBox:
      if (code == LBN_SELCHANGE) {
        selected_ = selectedIndex();
        fireSelect();
      }
      break;
    case ControlKind::EditBox:
      if (code == EN_CHANGE && !writing_) {  // typed by the user
        text_ = Narrow(WindowText(hwnd_));
        fireChange();
      }
      break;
    case ControlKind::Label:
    case ControlKind::TransparentLabel:
    case ControlKind::PictureBox:
      // SS_NOTIFY statics send STN_CLICKED when the left button goes down.
      if (code == STN_CLICKED) {
        fireMouseDown();
        fireClick();
      }
      break;
    default:
      break;
  }
}

void Win32Control::spinPressed(bool up) {
  setText(SpinStepText(text(), up, design_.rangeLow, design_.rangeHigh));
  selectAllText();
  focus();
}

// --- holders: group boxes and frame strips ---------------------------------

LRESULT CALLBACK HolderProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<Win32Control*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_SETCURSOR: {
      // Children talk to their parent; the window's logic is the one to hear.
      Win32Window& window = self->window();
      Win32Toolkit::EventScope scope(window.toolkit());
      LRESULT result = 0;
      if (window.childMessage(msg, wParam, lParam, result)) return result;
      break;
    }
    case WM_SETTEXT: {
      const LRESULT r = DefWindowProcW(hwnd, msg, wParam, lParam);
      InvalidateRect(hwnd, nullptr, TRUE);  // the caption is drawn by WM_PAINT
      return r;
    }
    case WM_SETFONT:
      if (lParam) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(self->currentFont());
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT rc{};
      GetClientRect(hwnd, &rc);
      HGDIOBJ oldFont = SelectObject(dc, self->currentFont());
      if (self->kind() == ControlKind::GroupBox) {
        TEXTMETRICW tm{};
        GetTextMetricsW(dc, &tm);
        RECT frame = rc;
        frame.top = tm.tmHeight / 2;  // the frame runs through the caption's middle
        DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
        const std::wstring caption = Widen(self->text());
        if (!caption.empty()) {
          SIZE size{};
          GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
          const int x = self->window().toolkit().scale(8);
          RECT behind{x - 2, 0, x + size.cx + 2, tm.tmHeight};
          SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
          SetTextColor(dc, GetSysColor(IsWindowEnabled(hwnd) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
          // ETO_OPAQUE: the caption cuts the frame's top line.
          ExtTextOutW(dc, x, 0, ETO_OPAQUE, &behind, caption.c_str(), static_cast<UINT>(caption.size()), nullptr);
        }
      } else {
        DrawEdge(dc, &rc, EDGE_ETCHED, BF_RECT);
      }
      SelectObject(dc, oldFont);
      EndPaint(hwnd, &ps);
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// --- canvases ---------------------------------------------------------------

LRESULT CALLBACK CanvasProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<Win32Control*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers every pixel from the bitmap
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (Win32Canvas* canvas = self->win32Canvas()) canvas->paint(dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_LBUTTONDOWN: {
      Win32Toolkit::EventScope scope(self->window().toolkit());
      if (self->window().eventsFlow()) self->mouseDown();
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace ui::win32
