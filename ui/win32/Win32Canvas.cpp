#include "ui/win32/Win32Internal.h"
#include "ui/win32/WideText.h"

namespace ui::win32 {

namespace {
COLORREF Rgb(Colour c) { return RGB(c.red, c.green, c.blue); }
}  // namespace

Win32Canvas::Win32Canvas(Win32Toolkit& toolkit, HWND hwnd, int width, int height, Colour background)
    : toolkit_(toolkit), hwnd_(hwnd), width_(width), height_(height), background_(background) {
  // The image lives in a memory bitmap, so the canvas keeps what was drawn
  // and repaints itself from it whenever it is uncovered.
  HDC screen = GetDC(hwnd);
  dc_ = CreateCompatibleDC(screen);
  bitmap_ = CreateCompatibleBitmap(screen, width, height);
  ReleaseDC(hwnd, screen);
  oldBitmap_ = SelectObject(dc_, bitmap_);
  SelectObject(dc_, toolkit_.font({}));
  SetTextColor(dc_, RGB(0, 0, 0));
  SetBkMode(dc_, TRANSPARENT);
  clear();
}

Win32Canvas::~Win32Canvas() {
  SelectObject(dc_, oldBitmap_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

void Win32Canvas::changed() { InvalidateRect(hwnd_, nullptr, FALSE); }

void Win32Canvas::clear() {
  RECT all{0, 0, width_, height_};
  HBRUSH brush = CreateSolidBrush(Rgb(background_));
  FillRect(dc_, &all, brush);
  DeleteObject(brush);
  changed();
}

void Win32Canvas::setTextColour(Colour colour) { SetTextColor(dc_, Rgb(colour)); }

void Win32Canvas::setTextBackground(std::optional<Colour> colour) {
  // OPAQUE fills each text's own rectangle with the background colour first.
  SetBkMode(dc_, colour ? OPAQUE : TRANSPARENT);
  if (colour) SetBkColor(dc_, Rgb(*colour));
}

void Win32Canvas::setFont(const Font& font) { SelectObject(dc_, toolkit_.font(font)); }

void Win32Canvas::drawText(int x, int y, std::string_view text) {
  const std::wstring wide = Widen(text);
  TextOutW(dc_, toolkit_.scale(x), toolkit_.scale(y), wide.c_str(), static_cast<int>(wide.size()));
  changed();
}

void Win32Canvas::fillRect(int x, int y, int width, int height, Colour colour) {
  RECT rc{toolkit_.scale(x), toolkit_.scale(y), toolkit_.scale(x + width), toolkit_.scale(y + height)};
  HBRUSH brush = CreateSolidBrush(Rgb(colour));
  FillRect(dc_, &rc, brush);
  DeleteObject(brush);
  changed();
}

void Win32Canvas::drawLine(int x1, int y1, int x2, int y2, Colour colour) {
  HPEN pen = CreatePen(PS_SOLID, 1, Rgb(colour));
  HGDIOBJ old = SelectObject(dc_, pen);
  MoveToEx(dc_, toolkit_.scale(x1), toolkit_.scale(y1), nullptr);
  LineTo(dc_, toolkit_.scale(x2), toolkit_.scale(y2));
  SelectObject(dc_, old);
  DeleteObject(pen);
  changed();
}

void Win32Canvas::paint(HDC target) const { BitBlt(target, 0, 0, width_, height_, dc_, 0, 0, SRCCOPY); }

}  // namespace ui::win32
