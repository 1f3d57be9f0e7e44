// The backend's own classes, shared by its source files only.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "ui/Toolkit.h"
#include "ui/win32/Win32Toolkit.h"

namespace ui::win32 {

// Private window messages.
inline constexpr UINT kQueuedCloseMessage = WM_APP + 1;     // Window::close, carried out later
inline constexpr UINT kFirstActivatedMessage = WM_APP + 2;  // delivered after the opener returned
inline constexpr UINT kTrayMessage = WM_APP + 3;            // the tray icon's callback

inline constexpr wchar_t kWindowClass[] = L"VaeltoWindow";
inline constexpr wchar_t kHolderClass[] = L"VaeltoHolder";
inline constexpr wchar_t kCanvasClass[] = L"VaeltoCanvas";
inline constexpr wchar_t kSchedulerClass[] = L"VaeltoScheduler";

// Fonts made once per face, size and weight, freed with the toolkit.
class FontCache {
 public:
  explicit FontCache(int dpi) : dpi_(dpi) {}
  ~FontCache();
  HFONT get(const Font& font);

 private:
  int dpi_;
  std::map<std::tuple<std::string, int, bool, bool>, HFONT> fonts_;
};

// The window's notification-area icon. Remembers what the system was told,
// so that an unchanged tip is not written again and the icon can come back
// when Explorer restarts.
class TrayIcon {
 public:
  void set(HWND hwnd, HICON icon, std::string_view tip);
  void remove(HWND hwnd);
  void restore(HWND hwnd, HICON icon);  // the taskbar was made anew
  TrayView view() const { return view_; }

 private:
  bool tell(DWORD what, HWND hwnd, HICON icon);
  TrayView view_;
};

// A canvas's image: a memory bitmap that the child window paints from.
class Win32Canvas : public Canvas {
 public:
  Win32Canvas(Win32Toolkit& toolkit, HWND hwnd, int width, int height, Colour background);
  ~Win32Canvas() override;
  void clear() override;
  void setTextColour(Colour colour) override;
  void setTextBackground(std::optional<Colour> colour) override;
  void setFont(const Font& font) override;
  void drawText(int x, int y, std::string_view text) override;
  void fillRect(int x, int y, int width, int height, Colour colour) override;
  void drawLine(int x1, int y1, int x2, int y2, Colour colour) override;
  void paint(HDC target) const;

 private:
  void changed();
  Win32Toolkit& toolkit_;
  HWND hwnd_;
  int width_;
  int height_;
  Colour background_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
};

class Win32Window;

class Win32Control : public Control {
 public:
  Win32Control(Win32Window& window, const ControlDesign& design, int row);
  ~Win32Control() override;

  // Makes the child window inside `parent` (the window or the holder).
  void create(HWND parent);
  HWND hwnd() const { return hwnd_; }
  HWND spin() const { return spin_; }
  Win32Window& window() { return window_; }
  int row() const { return row_; }
  void released() { hwnd_ = nullptr; spin_ = nullptr; }  // the window is gone

  // Control
  const ControlDesign& design() const override { return design_; }
  std::string text() const override;
  void setText(std::string_view text) override;
  bool enabled() const override;
  void setEnabled(bool enabled) override;
  bool visible() const override;
  void setVisible(bool visible) override;
  bool checked() const override;
  void setChecked(bool checked) override;
  int itemCount() const override { return static_cast<int>(items_.size()); }
  std::string itemText(int index) const override;
  int selectedIndex() const override;
  void select(int index) override;
  void addItem(std::string_view text) override;
  void clearItems() override;
  int period() const override { return period_; }
  void setPeriod(int milliseconds) override;
  void selectAllText() override;
  void focus() override;
  void setFont(const Font& font) override;
  void setTextColour(Colour colour) override;
  Canvas* canvas() override { return canvas_.get(); }

  // What the user did, as the window procedure learns it.
  void command(WORD code);
  void spinPressed(bool up);
  void mouseDown() { fireMouseDown(); }
  // WM_CTLCOLOR* for this control; nullptr: the default colours.
  HBRUSH colours(HDC dc);
  Win32Canvas* win32Canvas() { return canvas_.get(); }
  HFONT currentFont() const { return font_; }

  // Timer schedule.
  std::int64_t due() const { return start_ + count_ * period_; }
  void tick(std::int64_t now);

 private:
  void repaintBehind();  // a transparent label's old text goes with the parent's repaint
  void fitDropDownHeight();

  Win32Window& window_;
  const ControlDesign& design_;
  int row_;
  HWND hwnd_ = nullptr;
  HWND spin_ = nullptr;
  HFONT font_ = nullptr;
  std::optional<Colour> textColour_;
  std::string text_;  // the last text written by the program or typed by the user
  std::vector<std::string> items_;
  int selected_ = -1;  // kept for lists that have no window any more
  bool checked_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  bool writing_ = false;  // our own WM_SETTEXT: its EN_CHANGE is not the user's
  int period_ = 0;
  std::int64_t start_ = 0;
  std::int64_t count_ = 1;
  std::unique_ptr<Win32Canvas> canvas_;
  HANDLE image_ = nullptr;  // a picture box's picture
  UINT imageType_ = IMAGE_ICON;
};

class Win32MenuItem : public MenuItem {
 public:
  Win32MenuItem(HMENU menu, UINT id, std::string menuText, const MenuItemDesign& design)
      : menu_(menu), id_(id), menuText_(std::move(menuText)), text_(design.text),
        checked_(design.checked) {}
  const std::string& text() const override { return text_; }
  bool checked() const override { return checked_; }
  void setChecked(bool checked) override;
  UINT id() const { return id_; }
  const std::string& menuText() const { return menuText_; }
  void chosen() { fireClick(); }
  void released() { menu_ = nullptr; }

 private:
  HMENU menu_;
  UINT id_;
  std::string menuText_;
  std::string text_;
  bool checked_;
};

class Win32Window : public Window {
 public:
  Win32Window(Win32Toolkit& toolkit, const WindowDesign& design, std::uint64_t serial);
  ~Win32Window() override;

  bool create();  // the hidden window with its controls and menus
  void adopt(std::unique_ptr<WindowHandlers> handlers) { handlers_ = std::move(handlers); }
  void showFirst();
  // Runs the destroying handler, then destroys the window.
  void destroyNow();
  // Destroys the window without running any handler (the program ended).
  void vanish();

  HWND hwnd() const { return hwnd_; }
  std::uint64_t serial() const { return serial_; }
  Win32Toolkit& toolkit() { return toolkit_; }
  bool alive() const { return hwnd_ != nullptr && !destroying_; }
  const std::vector<std::unique_ptr<Win32Control>>& controls() const { return controls_; }
  // Makes the windows of controls whose holder has come into sight.
  void createPendingControls();
  Win32Control* controlOfChild(HWND child);
  TrayView trayView() const { return tray_.view(); }
  // Whether the window's handlers may run now.
  bool eventsFlow() const { return handlersReady() && !destroying_; }

  // Window
  const WindowDesign& design() const override { return design_; }
  Control& control(std::string_view name) override;
  MenuItem& menuItem(std::string_view text) override;
  std::string caption() const override;
  void setCaption(std::string_view caption) override;
  int left() const override;
  int top() const override;
  void move(int left, int top) override;
  bool enabled() const override;
  void setEnabled(bool enabled) override;
  bool visible() const override;
  void show() override;
  void hide() override;
  bool minimised() const override;
  void showNormal() override;
  void focus() override;
  void setTrayIcon(std::string_view tip) override;
  void removeTrayIcon() override;
  void popupTrayMenu(std::string_view menuText) override;
  void close() override;
  bool closing() const override { return closing_ || destroying_; }

  // Messages that children send to their parent, from the window itself or
  // forwarded by a holder. True when handled, with the result in `result`.
  bool childMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

 static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam);
  void createControl(std::size_t row, std::size_t depth = 0);
  bool beyondClientArea(const ControlDesign& design) const;
  void raiseOverlappingLaterRows();
  void buildMenus();
  bool handlersReady() const { return handlers_ != nullptr && !toolkit_.ended(); }

  Win32Toolkit& toolkit_;
  const WindowDesign& design_;
  std::uint64_t serial_;
  HWND hwnd_ = nullptr;
  HMENU menuBar_ = nullptr;
  std::vector<std::unique_ptr<Win32Control>> controls_;
  std::vector<bool> made_;  // by design row: its window is made (or it needs none)
  std::vector<std::unique_ptr<Win32MenuItem>> menuItems_;
  std::vector<std::pair<std::string, HMENU>> menus_;
  TrayIcon tray_;
  bool closing_ = false;
  bool destroying_ = false;  // the destroying handler runs or ran
  bool silent_ = false;      // vanishing: no handler runs
  bool activatedOnce_ = false;
  bool shown_ = false;
};

// Window procedures of the holder and canvas child window classes.
LRESULT CALLBACK HolderProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK CanvasProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace ui::win32
