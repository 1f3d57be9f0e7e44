// The contract driver for the headless backend: virtual time, exact ticks.
#include "tests/contract/ContractDriver.h"
#include "ui/headless/HeadlessToolkit.h"

namespace contract {
namespace {

class HeadlessDriver : public Driver {
 public:
  HeadlessDriver() : toolkit_(clock_) {}
  ui::Toolkit& toolkit() override { return toolkit_; }
  void click(ui::Window& w, std::string_view c) override { toolkit_.click(w, c); }
  void pick(ui::Window& w, std::string_view c, int i) override { toolkit_.pick(w, c, i); }
  void chooseMenuItem(ui::Window& w, std::string_view item) override { toolkit_.chooseMenuItem(w, item); }
  void pressCloseBox(ui::Window& w) override { toolkit_.pressCloseBox(w); }
  void wait(int ms) override { toolkit_.advance(ms); }
  std::int64_t now() override { return toolkit_.now(); }
  void answerNextMessage(ui::MessageResult result, int afterMs) override {
    toolkit_.messageResponder = [this, result, afterMs](const ui::headless::MessageRecord&) {
      toolkit_.messageResponder = nullptr;
      toolkit_.advance(afterMs);
      return result;
    };
  }
  void chooseInNextPopup(std::string_view item, int afterMs) override {
    toolkit_.popupResponder = [this, chosen = std::string(item), afterMs](std::string_view) {
      toolkit_.popupResponder = nullptr;
      toolkit_.advance(afterMs);
      return chosen;
    };
  }
  int slackMs() const override { return 0; }

 private:
  ui::headless::VirtualClock clock_;
  ui::headless::HeadlessToolkit toolkit_;
};

}  // namespace

std::unique_ptr<Driver> MakeDriver() { return std::make_unique<HeadlessDriver>(); }

}  // namespace contract
