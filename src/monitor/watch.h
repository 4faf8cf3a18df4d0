// The watch between the ticks: quick looks at the window in front, so that a switch is
// signalled at once rather than at the next 250 ms tick. A look is cheap while nothing
// happens (which window is in front); for a while after the user's last input, and while a
// window is new in front, it also reads the IME state of the focused control, because an IME
// switch follows a key press or a click. The watch decides when the tick runs; the tick
// decides what to signal.
#pragma once

#include <cstdint>

#include "monitor/desktop.h"
#include "zeq/types.h"

namespace ruvano {

// What one look saw. Only a full look reads the focused control and its IME state.
struct Look {
  WindowId front = 0;
  bool full = false;
  WindowId focus = 0;
  ImeStatus ime = ImeStatus::Closed;
  friend bool operator==(const Look&, const Look&) = default;
};

class Watch {
 public:
  // Between looks: while nothing happens, for a second after input, and until a window new
  // in front is confirmed. The quiet looks cost a timer's wake-up and two questions to the
  // system, none to another program.
  static constexpr std::uint32_t kQuietMs = 30;
  static constexpr std::uint32_t kAfterInputMs = 1000;
  static constexpr std::uint32_t kCloseMs = 25;
  static constexpr std::uint32_t kConfirmMs = 10;  // the shortest the system's timers keep

  // Whether a look at `front` reads the IME state: after input (lastInput and now: the
  // system's millisecond tick count), and while front is new.
  bool ReadsIme(WindowId front, std::uint32_t now, std::uint32_t lastInput) const noexcept {
    return front != settled_ || now - lastInput < kAfterInputMs;
  }
  // How long until the next look, after the last one.
  std::uint32_t PeriodMs(std::uint32_t now, std::uint32_t lastInput) const noexcept {
    if (previous_.front != settled_) return kConfirmMs;
    return now - lastInput < kAfterInputMs ? kCloseMs : kQuietMs;
  }
  // Whether the tick runs after this look; periodic: the tick's own period is due. A window
  // new in front is a passing state until the next full look reads the same; then the tick
  // runs. For the settled window the tick runs when its focus or IME state changed since the
  // last tick, and at its period.
  bool TickAfter(const Look& look, bool periodic) noexcept;
  // The tick ran on what `look` saw.
  void Ticked(const Look& look) noexcept { ticked_ = look; }

 private:
  WindowId settled_ = 0;  // the window in front whose reading a second look confirmed
  Look previous_;
  Look ticked_;
  bool deferred_ = false;  // the last periodic tick waited for a window to settle
};

}  // namespace ruvano
