#include "ui/Design.h"

#include "core/Text.h"

namespace ui {

std::vector<std::string> NumberItems(int first, int last) {
  std::vector<std::string> items;
  for (int n = first; n <= last; ++n) items.push_back(core::DecimalText(n));
  return items;
}

}  // namespace ui
