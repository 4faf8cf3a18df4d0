#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "cues/scroll_led.h"

namespace ruvano {
namespace {

// Answers KeyState with a set value and records every call, so the tests see the order of
// the scan-code lookups and the key events.
class FakeKeyboard : public IKeyboard {
 public:
  std::int16_t KeyState(std::uint8_t vk) override {
    calls.push_back("state " + std::to_string(vk));
    return state;
  }
  std::uint32_t ScanCode(std::uint8_t vk) override {
    calls.push_back("scan " + std::to_string(vk));
    return nextScan++;
  }
  void KeyEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) override {
    calls.push_back("event " + std::to_string(vk) + " " + std::to_string(scan) + " " + std::to_string(flags));
  }
  int Events() const {
    int n = 0;
    for (const auto& c : calls) n += c.rfind("event", 0) == 0;
    return n;
  }
  std::int16_t state = 0;
  std::uint32_t nextScan = 0x46;
  std::vector<std::string> calls;
};

TEST(ScrollLed, ToggleIsAPlainPressAndReleaseEachWithItsOwnScanCode) {
  Settings settings;
  settings.SetScroll(true);
  FakeKeyboard keys;
  keys.nextScan = 0x146;  // the event takes the low byte of the scan code
  ScrollLed led(keys, settings);
  led.On();
  EXPECT_EQ(keys.calls, (std::vector<std::string>{"state 145", "scan 145", "event 145 70 0", "scan 145",
                                                  "event 145 71 2"}));
}

TEST(ScrollLed, ActsOnlyOnTheExactStatesOffAndOn) {
  struct Row {
    std::int16_t state;
    int onEvents, offEvents;
  };
  const std::int16_t down = static_cast<std::int16_t>(0x8000);
  const Row table[] = {
      {0, 2, 0},                                  // off, key up
      {1, 0, 2},                                  // on, key up
      {down, 0, 0},                               // held down, off
      {static_cast<std::int16_t>(0x8001), 0, 0},  // held down, on
      {static_cast<std::int16_t>(0xFF80), 0, 0},  // down as some systems report it
      {static_cast<std::int16_t>(0xFF81), 0, 0},
      {2, 0, 0},  // other bits: neither 0 nor 1
      {3, 0, 0},
  };
  for (const Row& row : table) {
    Settings settings;
    settings.SetScroll(true);
    FakeKeyboard keys;
    keys.state = row.state;
    ScrollLed led(keys, settings);
    led.On();
    EXPECT_EQ(keys.Events(), row.onEvents) << "on, state " << row.state;
    keys.calls.clear();
    led.Off();
    EXPECT_EQ(keys.Events(), row.offEvents) << "off, state " << row.state;
  }
}

TEST(ScrollLed, OptionOffNeverTouchesTheKey) {
  Settings settings;  // Scroll is off by default
  for (std::int16_t state : {0, 1}) {
    FakeKeyboard keys;
    keys.state = state;
    ScrollLed led(keys, settings);
    led.On();
    led.Off();
    EXPECT_EQ(keys.Events(), 0);
  }
  // The option is read at each call: switching it on later takes effect at once.
  FakeKeyboard keys;
  ScrollLed led(keys, settings);
  led.On();
  settings.SetScroll(true);
  led.On();
  EXPECT_EQ(keys.Events(), 2);
}

}  // namespace
}  // namespace ruvano
