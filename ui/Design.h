// Window designs: the tables of controls, menus and window settings that
// windows are built from. Pure data, written with designated initialisers:
//   {.name = "按钮1", .kind = ControlKind::Button, .x = 8, .y = 232,
//    .width = 112, .height = 24, .text = "开启"}
// Places and sizes are design pixels at 96 DPI; the Win32 backend scales them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ui {

enum class ControlKind {
  Label,             // a static text with its own background
  TransparentLabel,  // draws only its text over whatever lies behind it
  Button,
  CheckBox,
  RadioButton,       // radio buttons with the same holder form one group
  DropDownList,      // pick only: its text is always the selected item
  EditBox,
  GroupBox,          // holds controls; its caption is its text
  FrameStrip,        // a plain frame that holds controls
  ListBox,
  PictureBox,
  Canvas,            // a drawing surface that keeps what is drawn on it
  Timer,             // never seen; ticks while its period is above zero
  OpenFileDialog,    // never seen; the common open-file dialog
};

struct Colour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(const Colour&, const Colour&) = default;
};

struct Font {
  std::string face;  // empty: the window's default font (宋体 9 pt)
  int size = 0;      // in points, or in pixels of character height
  bool pixels = false;
  bool bold = false;
  friend bool operator==(const Font&, const Font&) = default;
};

struct ControlDesign {
  std::string name;    // the design name, e.g. "按钮1"; unique within its window
  ControlKind kind = ControlKind::Label;
  std::string holder;  // design name of the holding group or strip; empty: the window
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  std::string text;    // caption or initial text
  bool hidden = false;
  bool disabled = false;
  bool checked = false;        // check boxes and radio buttons
  bool readOnly = false;       // edit boxes
  bool multiLine = false;      // edit boxes: several lines, Enter makes a line break
  bool scrollBars = false;     // multi-line edit boxes: a vertical scroll bar
  bool centred = false;        // text centred horizontally
  bool handCursor = false;     // the mouse pointer is a hand over the control
  std::vector<std::string> items;  // list items
  int selected = -1;               // selected list item; -1 none
  int period = 0;                  // timers, ms; 0 stopped
  Font font;
  bool spinArrows = false;  // edit boxes: up/down arrows just right of the box
  int rangeLow = 0;         // spin arrows: stepping past one end continues from the other
  int rangeHigh = 0;
  std::string picture;      // picture boxes: resource name of the picture
  Colour background{255, 255, 255};  // canvases
};

struct MenuItemDesign {
  std::string text;
  bool checked = false;
};

struct MenuDesign {
  std::string text;
  std::vector<MenuItemDesign> items;
};

struct WindowDesign {
  std::string caption;
  int width = 0;   // outer size, frame included
  int height = 0;
  int left = 0;    // design place on the screen, for windows that do not place themselves
  int top = 0;
  bool minimiseBox = false;
  bool maximiseBox = false;
  bool centred = false;   // centred on the screen when first shown
  bool topMost = false;   // kept above windows that are not themselves on top
  bool programIcon = true;
  std::vector<MenuDesign> menus;
  std::vector<ControlDesign> controls;
};

// Helpers for design tables.
std::vector<std::string> NumberItems(int first, int last);  // "first" .. "last"

}  // namespace ui
