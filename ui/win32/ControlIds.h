// Window IDs of controls and menu items, derived from the window design, so
// that UI automation (and the end-to-end driver) can find a control by its
// design name: the control of design row r has ID ControlId(r), the k-th menu
// item (counting through all menus in design order) has ID MenuItemId(k).
#pragma once

namespace ui::win32 {

inline constexpr int kFirstControlId = 1000;
inline constexpr int kFirstMenuItemId = 40000;

constexpr int ControlId(int row) { return kFirstControlId + row; }
constexpr int MenuItemId(int index) { return kFirstMenuItemId + index; }

}  // namespace ui::win32
