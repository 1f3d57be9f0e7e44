#include "ui/headless/HeadlessToolkit.h"

#include <algorithm>
#include <stdexcept>

#include "core/Text.h"

namespace ui::headless {

namespace {

[[noreturn]] void Refuse(const std::string& what) { throw std::logic_error(what); }

std::string DescribeCall(std::string_view what, std::string_view detail) {
  return std::string(what) + "(" + std::string(detail) + ")";
}

}  // namespace

// Records every drawing call as a line of text, so tests can read what was drawn.
class HeadlessCanvas : public Canvas {
 public:
  std::vector<std::string> calls;
  void clear() override { calls.assign(1, "clear"); }
  void setTextColour(Colour c) override {
    calls.push_back(DescribeCall("textColour", ColourText(c)));
  }
  void setTextBackground(std::optional<Colour> c) override {
    calls.push_back(DescribeCall("textBackground", c ? ColourText(*c) : "transparent"));
  }
  void setFont(const Font& f) override {
    calls.push_back(DescribeCall("font", f.face + "," + core::DecimalText(f.size) +
                                             (f.pixels ? "px" : "pt") + (f.bold ? ",bold" : "")));
  }
  void drawText(int x, int y, std::string_view text) override {
    calls.push_back(DescribeCall("text", core::DecimalText(x) + "," + core::DecimalText(y) + "," +
                                             std::string(text)));
  }
  void fillRect(int x, int y, int w, int h, Colour c) override {
    calls.push_back(DescribeCall("fill", core::DecimalText(x) + "," + core::DecimalText(y) + "," +
                                             core::DecimalText(w) + "," + core::DecimalText(h) +
                                             "," + ColourText(c)));
  }
  void drawLine(int x1, int y1, int x2, int y2, Colour c) override {
    calls.push_back(DescribeCall("line", core::DecimalText(x1) + "," + core::DecimalText(y1) +
                                             "," + core::DecimalText(x2) + "," +
                                             core::DecimalText(y2) + "," + ColourText(c)));
  }

 private:
  static std::string ColourText(Colour c) {
    return core::DecimalText(c.red) + " " + core::DecimalText(c.green) + " " +
           core::DecimalText(c.blue);
  }
};

class HeadlessControl : public Control {
 public:
  HeadlessControl(HeadlessWindow& window, const ControlDesign& design, int row);

  const ControlDesign& design() const override { return design_; }
  std::string text() const override {
    if (design_.kind == ControlKind::DropDownList || design_.kind == ControlKind::ListBox)
      return selected_ >= 0 && selected_ < static_cast<int>(items_.size()) ? items_[selected_] : "";
    return text_;
  }
  void setText(std::string_view text) override;
  bool enabled() const override { return enabled_; }
  void setEnabled(bool enabled) override { enabled_ = enabled; }
  bool visible() const override { return visible_; }
  void setVisible(bool visible) override { visible_ = visible; }
  bool checked() const override { return checked_; }
  void setChecked(bool checked) override;
  int itemCount() const override { return static_cast<int>(items_.size()); }
  std::string itemText(int index) const override {
    return index >= 0 && index < itemCount() ? items_[index] : "";
  }
  int selectedIndex() const override { return selected_; }
  void select(int index) override { selected_ = index >= 0 && index < itemCount() ? index : -1; }
  void addItem(std::string_view text) override { items_.emplace_back(text); }
  void clearItems() override {
    items_.clear();
    selected_ = -1;
  }
  int period() const override { return period_; }
  void setPeriod(int milliseconds) override;
  void selectAllText() override { allSelected_ = true; }
  void focus() override;
  void setFont(const Font& font) override { font_ = font; }
  void setTextColour(Colour colour) override { textColour_ = colour; }
  Canvas* canvas() override { return canvas_.get(); }

  // Test-side views.
  const Font& font() const { return font_; }
  HeadlessCanvas* headlessCanvas() { return canvas_.get(); }
  bool allSelected() const { return allSelected_; }

  // Timer scheduling.
  std::int64_t due() const { return start_ + static_cast<std::int64_t>(count_) * period_; }
  int row() const { return row_; }
  void tick(std::int64_t now) {
    // The next tick is due at the next start + n × period after now; ticks
    // missed while the loop was busy are not replayed.
    count_ = static_cast<std::int64_t>((now - start_) / period_) + 1;
    fireTick();
  }

  // User actions.
  void userClick() {
    if (design_.kind == ControlKind::CheckBox) checked_ = !checked_;
    if (design_.kind == ControlKind::RadioButton) setChecked(true);
    fireClick();
  }
  void userPick(int index) {
    select(index);
    fireSelect();
  }
  void userType(std::string_view text) {
    text_ = std::string(text);
    fireChange();
  }
  void userMouseDown() { fireMouseDown(); }

 private:
  HeadlessWindow& window_;
  const ControlDesign& design_;
  int row_;
  std::string text_;
  bool enabled_ = true;
  bool visible_ = true;
  bool checked_ = false;
  std::vector<std::string> items_;
  int selected_ = -1;
  int period_ = 0;
  std::int64_t start_ = 0;
  std::int64_t count_ = 1;
  bool allSelected_ = false;
  Font font_;
  Colour textColour_;
  std::unique_ptr<HeadlessCanvas> canvas_;
};

class HeadlessMenuItem : public MenuItem {
 public:
  HeadlessMenuItem(std::string menu, const MenuItemDesign& design)
      : menu_(std::move(menu)), text_(design.text), checked_(design.checked) {}
  const std::string& text() const override { return text_; }
  bool checked() const override { return checked_; }
  void setChecked(bool checked) override { checked_ = checked; }
  const std::string& menu() const { return menu_; }
  void userChoose() { fireClick(); }

 private:
  std::string menu_;
  std::string text_;
  bool checked_;
};

class HeadlessWindow : public Window {
 public:
  HeadlessWindow(HeadlessToolkit& toolkit, const WindowDesign& design, std::uint64_t serial)
      : toolkit_(toolkit), design_(design), serial_(serial), caption_(design.caption) {
    left_ = design.left;
    top_ = design.top;
    if (design.centred) {
      left_ = (toolkit.screenWidth - design.width) / 2;
      top_ = (toolkit.screenHeight - design.height) / 2;
    }
    int row = 0;
    for (const ControlDesign& c : design.controls) {
      controls_.push_back(std::make_unique<HeadlessControl>(*this, c, row++));
      if (c.kind == ControlKind::Timer) timers_.push_back(controls_.back().get());
    }
    for (const MenuDesign& m : design.menus)
      for (const MenuItemDesign& i : m.items)
        menuItems_.push_back(std::make_unique<HeadlessMenuItem>(m.text, i));
  }

  void adopt(std::unique_ptr<WindowHandlers> handlers) { handlers_ = std::move(handlers); }

  const WindowDesign& design() const override { return design_; }
  Control& control(std::string_view name) override { return headlessControl(name); }
  HeadlessControl& headlessControl(std::string_view name) {
    for (auto& c : controls_)
      if (c->name() == name) return *c;
    throw std::out_of_range("no control " + std::string(name) + " in " + design_.caption);
  }
  MenuItem& menuItem(std::string_view text) override { return headlessMenuItem(text); }
  HeadlessMenuItem& headlessMenuItem(std::string_view text) {
    for (auto& i : menuItems_)
      if (i->text() == text) return *i;
    throw std::out_of_range("no menu item " + std::string(text) + " in " + design_.caption);
  }
  std::string caption() const override { return caption_; }
  void setCaption(std::string_view caption) override { caption_ = caption; }
  int left() const override { return left_; }
  int top() const override { return top_; }
  void move(int left, int top) override {
    left_ = left;
    top_ = top;
  }
  bool enabled() const override { return enabled_; }
  void setEnabled(bool enabled) override { enabled_ = enabled; }
  bool visible() const override { return visible_; }
  void show() override { visible_ = true; }
  void hide() override { visible_ = false; }
  bool minimised() const override { return minimised_; }
  void showNormal() override {
    visible_ = true;
    minimised_ = false;
  }
  void focus() override { toolkit_.active_ = this; }
  void setTrayIcon(std::string_view tip) override {
    const std::string cut = core::CutToGbkBytes(tip, kTrayTipBytes);
    if (tray_.present && tray_.tip == cut) return;
    tray_.present = true;
    tray_.tip = cut;
    ++tray_.systemWrites;
  }
  void removeTrayIcon() override {
    if (!tray_.present) return;
    tray_.present = false;
    ++tray_.systemWrites;
  }
  void popupTrayMenu(std::string_view menuText) override {
    toolkit_.active_ = this;  // the window comes to the foreground first
    toolkit_.popups.emplace_back(menuText);
    // Copies of the responders are called, so that a responder may replace itself.
    auto responder = toolkit_.popupResponder;
    const std::string chosen = responder ? responder(menuText) : std::string();
    if (chosen.empty()) return;
    HeadlessMenuItem& item = headlessMenuItem(chosen);
    if (item.menu() != menuText) Refuse("menu item " + chosen + " is not in " + std::string(menuText));
    toolkit_.queue([this, &item] {
      if (!destroyed_) item.userChoose();
    });
  }
  void close() override {
    if (closing_) return;
    closing_ = true;
    toolkit_.queue([this] {
      if (!destroyed_) toolkit_.destroy(*this);
    });
  }
  bool closing() const override { return closing_; }

  // Whether a user could reach this control now: it and its holders are
  // shown and enabled, and so is the window.
  void requireReachable(HeadlessControl& control, std::string_view action) {
    const std::string what = std::string(action) + " " + control.name() + " in " + caption_;
    if (destroyed_) Refuse(what + ": the window is gone");
    if (!visible_ || minimised_) Refuse(what + ": the window is not on the screen");
    if (!enabled_) Refuse(what + ": the window is disabled");
    for (HeadlessControl* c = &control; c != nullptr; c = holderOf(*c)) {
      if (!c->visible()) Refuse(what + ": " + c->name() + " is hidden");
      if (!c->enabled()) Refuse(what + ": " + c->name() + " is disabled");
    }
  }
  HeadlessControl* holderOf(const HeadlessControl& control) {
    if (control.design().holder.empty()) return nullptr;
    return &headlessControl(control.design().holder);
  }
  std::vector<HeadlessControl*> siblingsOf(const HeadlessControl& control) {
    std::vector<HeadlessControl*> result;
    for (auto& c : controls_)
      if (c.get() != &control && c->kind() == control.kind() &&
          c->design().holder == control.design().holder)
        result.push_back(c.get());
    return result;
  }
  const std::vector<HeadlessControl*>& timers() const { return timers_; }

  HeadlessToolkit& toolkit() { return toolkit_; }
  std::uint64_t serial() const { return serial_; }
  bool destroyed_ = false;
  bool activatedOnce_ = false;
  bool minimised_ = false;
  TrayState tray_;

 private:
  HeadlessToolkit& toolkit_;
  const WindowDesign& design_;
  std::uint64_t serial_;
  std::string caption_;
  std::vector<std::unique_ptr<HeadlessControl>> controls_;
  std::vector<HeadlessControl*> timers_;
  std::vector<std::unique_ptr<HeadlessMenuItem>> menuItems_;
  int left_ = 0;
  int top_ = 0;
  bool enabled_ = true;
  bool visible_ = false;
  bool closing_ = false;
};

HeadlessControl::HeadlessControl(HeadlessWindow& window, const ControlDesign& design, int row)
    : window_(window), design_(design), row_(row) {
  text_ = design.text;
  enabled_ = !design.disabled;
  visible_ = !design.hidden;
  checked_ = design.checked;
  items_ = design.items;
  selected_ = design.selected;
  if (design.kind == ControlKind::Canvas) canvas_ = std::make_unique<HeadlessCanvas>();
  if (design.kind == ControlKind::Timer) setPeriod(design.period);  // designed timers run from creation
}

void HeadlessControl::setText(std::string_view text) {
  if (design_.kind == ControlKind::DropDownList) {
    // A pick-only list shows its items alone: writing an item's text selects it.
    for (int i = 0; i < itemCount(); ++i)
      if (items_[i] == text) selected_ = i;
    return;
  }
  text_ = std::string(text);
  if (design_.kind == ControlKind::EditBox) fireChange();
}

void HeadlessControl::setChecked(bool checked) {
  checked_ = checked;
  if (checked && design_.kind == ControlKind::RadioButton)
    for (HeadlessControl* sibling : window_.siblingsOf(*this)) sibling->checked_ = false;
}

void HeadlessControl::setPeriod(int milliseconds) {
  if (milliseconds < 0) milliseconds = 0;
  if (milliseconds == period_) return;
  period_ = milliseconds;
  start_ = window_.toolkit().now();
  count_ = 1;
}

void HeadlessControl::focus() { window_.toolkit().active_ = &window_; }

HeadlessToolkit::HeadlessToolkit(VirtualClock& clock) : clock_(clock) {}
HeadlessToolkit::~HeadlessToolkit() = default;

void HeadlessToolkit::requireAlive() const {
  if (ended_) Refuse("the program has ended");
}

HeadlessWindow& HeadlessToolkit::live(Window& window) {
  requireAlive();
  auto& w = static_cast<HeadlessWindow&>(window);
  if (w.destroyed_) Refuse("the window " + w.caption() + " is gone");
  return w;
}

Window* HeadlessToolkit::openWindow(const WindowDesign& design, const HandlersFactory& make) {
  requireAlive();
  for (auto& w : windows_) {
    if (&w->design() != &design) continue;
    if (w->closing()) {
      destroy(*w);  // the queued close is carried out first
      break;
    }
    if (w->minimised()) {
      w->showNormal();
    } else {
      activate(*w);
    }
    return w.get();
  }
  auto window = std::make_unique<HeadlessWindow>(*this, design, nextWindowSerial_++);
  HeadlessWindow& w = *window;
  windows_.push_back(std::move(window));
  w.adopt(make(w));
  w.handlers().created();
  if (ended_) return nullptr;
  w.show();
  activate(w);
  return &w;
}

void HeadlessToolkit::activate(HeadlessWindow& w) {
  active_ = &w;
  if (w.activatedOnce_) return;
  w.activatedOnce_ = true;
  queue([this, &w] {
    if (!w.destroyed_) w.handlers().firstActivated();
  });
}

Window* HeadlessToolkit::findWindow(const WindowDesign& design) {
  for (auto& w : windows_)
    if (&w->design() == &design && !w->closing()) return w.get();
  return nullptr;
}

MessageResult HeadlessToolkit::showMessage(std::string_view text, int style,
                                           std::string_view title) {
  requireAlive();
  messages.push_back({std::string(text), style, std::string(title)});
  const MessageRecord record = messages.back();
  if (auto responder = messageResponder) return responder(record);
  if ((style & 15) == 0) return MessageResult::Ok;
  Refuse("nobody answers the message box: " + record.text);
}

std::optional<std::string> HeadlessToolkit::chooseOpenFile(std::string_view title,
                                                           std::string_view filter) {
  requireAlive();
  fileDialogs.push_back({std::string(title), std::string(filter), lastFile_});
  std::optional<std::string> chosen;
  if (auto responder = fileResponder) chosen = responder(fileDialogs.back());
  if (chosen) lastFile_ = *chosen;
  return chosen;
}

void HeadlessToolkit::endProgram() {
  if (ended_) return;
  ended_ = true;
  queue_.clear();
  for (auto& w : windows_) w->tray_.present = false;  // tray icons go with the process
}

int HeadlessToolkit::run(Window& main) {
  main_ = &live(main);
  return 0;
}

void HeadlessToolkit::queue(std::function<void()> event) { queue_.push_back(std::move(event)); }

void HeadlessToolkit::drainQueue() {
  if (draining_) return;
  draining_ = true;
  while (!queue_.empty() && !ended_) {
    auto event = std::move(queue_.front());
    queue_.pop_front();
    event();
  }
  draining_ = false;
}

void HeadlessToolkit::destroy(HeadlessWindow& w) {
  if (w.destroyed_) return;
  const bool isMain = main_ == &w;
  w.handlers().destroying();
  w.destroyed_ = true;
  w.removeTrayIcon();
  if (active_ == &w) active_ = nullptr;
  auto it = std::find_if(windows_.begin(), windows_.end(),
                         [&](const auto& p) { return p.get() == &w; });
  if (it != windows_.end()) {
    graveyard_.push_back(std::move(*it));
    windows_.erase(it);
  }
  if (isMain && !ended_) {
    // The event loop ends with the main window; the other windows vanish
    // with the process without running handlers.
    ended_ = true;
    queue_.clear();
    for (auto& other : windows_) other->tray_.present = false;
  }
}

bool HeadlessToolkit::runNextDueTick(std::int64_t limit) {
  HeadlessControl* next = nullptr;
  HeadlessWindow* owner = nullptr;
  for (auto& w : windows_) {
    for (HeadlessControl* t : w->timers()) {
      if (t->period() <= 0) continue;
      const bool earlier =
          next == nullptr || t->due() < next->due() ||
          (t->due() == next->due() && (w->serial() < owner->serial() ||
                                       (w->serial() == owner->serial() && t->row() < next->row())));
      if (earlier) {
        next = t;
        owner = w.get();
      }
    }
  }
  if (next == nullptr || next->due() > limit) return false;
  clock_.set(std::max(clock_.now(), next->due()));
  next->tick(clock_.now());
  drainQueue();
  return true;
}

void HeadlessToolkit::advance(std::int64_t ms) {
  if (ended_) return;
  const std::int64_t target = clock_.now() + ms;
  drainQueue();
  while (!ended_ && runNextDueTick(target)) {
  }
  clock_.set(std::max(clock_.now(), target));
}

void HeadlessToolkit::stall(std::int64_t ms) { clock_.set(clock_.now() + ms); }

HeadlessControl& HeadlessToolkit::reachable(Window& window, std::string_view name, std::string_view action) {
  HeadlessWindow& w = live(window);
  HeadlessControl& c = w.headlessControl(name);
  w.requireReachable(c, action);
  return c;
}

void HeadlessToolkit::click(Window& window, std::string_view name) {
  reachable(window, name, "click").userClick();
  drainQueue();
}

void HeadlessToolkit::pick(Window& window, std::string_view name, int index) {
  HeadlessControl& c = reachable(window, name, "pick in");
  if (index < 0 || index >= c.itemCount()) Refuse("no item " + core::DecimalText(index) + " in " + c.name());
  c.userPick(index);
  drainQueue();
}

void HeadlessToolkit::pick(Window& window, std::string_view name, std::string_view itemText) {
  Control& c = live(window).headlessControl(name);
  for (int i = 0; i < c.itemCount(); ++i)
    if (c.itemText(i) == itemText) return pick(window, name, i);
  Refuse("no item " + std::string(itemText) + " in " + c.name());
}

void HeadlessToolkit::type(Window& window, std::string_view name, std::string_view text) {
  HeadlessControl& c = reachable(window, name, "type into");
  if (c.kind() != ControlKind::EditBox || c.design().readOnly) Refuse(c.name() + " takes no typing");
  c.userType(text);
  drainQueue();
}

void HeadlessToolkit::mouseDown(Window& window, std::string_view name) {
  reachable(window, name, "press the mouse on").userMouseDown();
  drainQueue();
}

void HeadlessToolkit::chooseMenuItem(Window& window, std::string_view itemText) {
  HeadlessWindow& w = live(window);
  if (!w.visible() || w.minimised() || !w.enabled())
    Refuse("menu " + std::string(itemText) + ": " + w.caption() + " cannot be used");
  w.headlessMenuItem(itemText).userChoose();
  drainQueue();
}

void HeadlessToolkit::trayEvent(Window& window, int kind) {
  HeadlessWindow& w = live(window);
  if (!w.tray_.present) Refuse(w.caption() + " has no tray icon");
  w.handlers().trayEvent(kind);
  drainQueue();
}

void HeadlessToolkit::minimise(Window& window) {
  HeadlessWindow& w = live(window);
  if (!w.design().minimiseBox) Refuse(w.caption() + " has no minimise box");
  if (!w.visible() || !w.enabled()) Refuse(w.caption() + " cannot be minimised now");
  w.minimised_ = true;
  w.handlers().positionChanged();
  drainQueue();
}

void HeadlessToolkit::pressCloseBox(Window& window) {
  HeadlessWindow& w = live(window);
  if (!w.visible() || !w.enabled()) Refuse(w.caption() + "'s close box cannot be used now");
  if (w.handlers().canClose() && !ended_) destroy(w);
  drainQueue();
}

const TrayState& HeadlessToolkit::tray(const Window& window) const {
  return static_cast<const HeadlessWindow&>(window).tray_;
}

std::vector<Window*> HeadlessToolkit::openWindows() const {
  std::vector<Window*> result;
  for (auto& w : windows_) result.push_back(w.get());
  return result;
}

Window* HeadlessToolkit::activeWindow() const { return active_; }

}  // namespace ui::headless

namespace ui::headless {

const std::vector<std::string>& CanvasCalls(Control& canvas) {
  auto* c = static_cast<HeadlessControl&>(canvas).headlessCanvas();
  if (c == nullptr) throw std::logic_error(canvas.name() + " is not a canvas");
  return c->calls;
}

Font FontOf(const Control& control) { return static_cast<const HeadlessControl&>(control).font(); }

bool TextAllSelected(const Control& control) {
  return static_cast<const HeadlessControl&>(control).allSelected();
}

}  // namespace ui::headless
