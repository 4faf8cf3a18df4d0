#include "monitor/watch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ruvano {
namespace {

constexpr WindowId kA = 0xA0, kB = 0xB0, kEdit = 0xB1;
constexpr ImeStatus kOpen = ImeStatus::Open, kClosed = ImeStatus::Closed;

struct Step {
  Look look;
  bool periodic = false;
  bool ticks;
};

Look Full(WindowId front, ImeStatus ime, WindowId focus = 0) {
  return {front, true, focus ? focus : front, ime};
}
Look Cheap(WindowId front) { return {.front = front}; }

// Runs the steps on a watch whose window A is settled and ticked with its IME closed; the
// tick runs after each look that the watch lets through, as the monitor does.
void Expect(const char* name, const std::vector<Step>& steps) {
  SCOPED_TRACE(name);
  Watch watch;
  for (const Look& settle : {Full(kA, kClosed), Full(kA, kClosed)})
    if (watch.TickAfter(settle, false)) watch.Ticked(settle);
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const bool ticked = watch.TickAfter(steps[i].look, steps[i].periodic);
    EXPECT_EQ(ticked, steps[i].ticks) << "step " << i;
    if (ticked) watch.Ticked(steps[i].look);
  }
}

// A window new in front is signalled only once a second look reads what the first read: a
// state that is gone at the next look is never signalled. For the settled window a change of
// its IME state or focus runs the tick at once, and the period runs it in any case.
TEST(Watch, TheTickRunsOnAConfirmedNewWindowAndAtOnceOnAChange) {
  Expect("switch to B", {{Full(kB, kOpen), false, false}, {Full(kB, kOpen), false, true}});
  Expect(
      "B passes through ON on its way to OFF",
      {{Full(kB, kOpen), false, false}, {Full(kB, kClosed), false, false}, {Full(kB, kClosed), false, true}});
  Expect("B found by a cheap look, confirmed by two full ones",
         {{Cheap(kB), false, false}, {Full(kB, kOpen), false, false}, {Full(kB, kOpen), false, true}});
  Expect("the period waits once for B, then runs",
         {{Full(kB, kOpen), true, false}, {Full(kB, kClosed), true, true}, {Full(kB, kOpen), true, false}});
  Expect("A's IME switched on and off", {{Full(kA, kClosed), false, false},
                                         {Full(kA, kOpen), false, true},
                                         {Full(kA, kOpen), false, false},
                                         {Full(kA, kClosed), false, true}});
  Expect("A's focus moved",
         {{Full(kA, kClosed, kEdit), false, true}, {Full(kA, kClosed, kEdit), false, false}});
  Expect("cheap looks at A wait for the period",
         {{Cheap(kA), false, false}, {Cheap(kA), true, true}, {Full(kA, kClosed), false, true}});
  Expect("back to A after B", {{Full(kB, kOpen), false, false},
                               {Full(kB, kOpen), false, true},
                               {Full(kA, kClosed), false, false},
                               {Full(kA, kClosed), false, true}});
}

// The looks read the IME state for a second after the last input (the tick count wraps) and
// while a window is new in front.
TEST(Watch, TheLooksReadTheImeAfterInputAndForANewWindow) {
  Watch watch;
  for (const Look& settle : {Full(kA, kClosed), Full(kA, kClosed)}) watch.TickAfter(settle, false);
  EXPECT_FALSE(watch.ReadsIme(kA, 5000, 1000));
  EXPECT_TRUE(watch.ReadsIme(kA, 5000, 4001));
  EXPECT_FALSE(watch.ReadsIme(kA, 5000, 4000));
  EXPECT_TRUE(watch.ReadsIme(kA, 200, 0xFFFFFF00u));
  EXPECT_TRUE(watch.ReadsIme(kB, 5000, 1000));
  // The looks come closer after input, and closest until a new window is confirmed.
  EXPECT_EQ(watch.PeriodMs(5000, 1000), Watch::kQuietMs);
  EXPECT_EQ(watch.PeriodMs(5000, 4500), Watch::kCloseMs);
  watch.TickAfter(Full(kB, kOpen), false);
  EXPECT_EQ(watch.PeriodMs(5000, 1000), Watch::kConfirmMs);
  watch.TickAfter(Full(kB, kOpen), false);
  EXPECT_EQ(watch.PeriodMs(5000, 1000), Watch::kQuietMs);
}

}  // namespace
}  // namespace ruvano
