#include "cues/cursor_hint.h"

#include <gtest/gtest.h>

#include <vector>

namespace ruvano {
namespace {

// A hint window on a scripted desktop: the text measures 7 pixels per character by 13.
class FakeHintWindow final : public IHintWindow {
 public:
  struct Shown {
    Rect bounds;
    Text text;
    HintAnimation animation;
  };

  bool exists = false;
  bool canCreate = true;
  Point pointer{100, 200};
  Rect monitor{0, 0, 1920, 1080};
  std::uint32_t now = 10000;
  bool animationOn = false;
  bool fadeOn = false;
  std::vector<Shown> shown;
  std::vector<Point> monitorQueries;
  int discards = 0;

  bool HasWindow() override { return exists; }
  bool EnsureWindow() override {
    if (!exists && canCreate) exists = true;
    return exists;
  }
  void Discard() override {
    exists = false;
    ++discards;
  }
  Point PointerPosition() override { return pointer; }
  Rect MeasureText(const Text& text) override {
    return Rect{0, 0, 7 * static_cast<std::int32_t>(text.size()), 13};
  }
  Rect MonitorBoundsNear(Point p) override {
    monitorQueries.push_back(p);
    return monitor;
  }
  std::uint32_t TickCount() override { return now; }
  bool TooltipAnimation() override { return animationOn; }
  bool TooltipFade() override { return fadeOn; }
  void Present(const Rect& bounds, const Text& text, HintAnimation animation) override {
    shown.push_back({bounds, text, animation});
  }
};

class CursorHintTest : public ::testing::Test {
 protected:
  CursorHintTest() { settings.SetHint(true); }

  // One monitor tick as far as the hint is concerned: the countdown first, then (when the
  // input method turns on in this tick) the trigger.
  void Tick(bool imeTurnsOn = false) {
    hint.Tick();
    if (imeTurnsOn) hint.Trigger();
    window.now += 250;
  }

  Settings settings;
  FakeHintWindow window;
  CursorHint hint{window, settings};
};

TEST_F(CursorHintTest, CountdownStartsAtEightTicks) {
  EXPECT_EQ(CursorHint::kCountdownStart, 8);
  EXPECT_EQ(hint.ticksLeft, 0);
}

TEST_F(CursorHintTest, ShownInTickNAndRemovedAtTheStartOfTickNPlus9) {
  Tick();
  Tick();
  EXPECT_TRUE(window.shown.empty());
  Tick(/*imeTurnsOn=*/true);  // tick n
  ASSERT_EQ(window.shown.size(), 1u);
  EXPECT_TRUE(window.exists);
  EXPECT_EQ(hint.ticksLeft, 8);
  for (int k = 1; k <= 8; ++k) {  // ticks n+1 .. n+8 count down
    Tick();
    EXPECT_TRUE(window.exists) << "tick n+" << k;
    EXPECT_EQ(hint.ticksLeft, 8 - k);
  }
  hint.Tick();  // the start of tick n+9
  EXPECT_FALSE(window.exists);
  EXPECT_EQ(hint.ticksLeft, 0);
  EXPECT_EQ(window.shown.size(), 1u);
}

TEST_F(CursorHintTest, OnOffOnWithinTwoSecondsShowsNoSecondHint) {
  Tick(true);
  hint.Hide();  // the tick sees the input method off
  EXPECT_FALSE(window.exists);
  EXPECT_EQ(hint.ticksLeft, 8) << "an early hide keeps counting";
  Tick();
  Tick();
  Tick(true);  // on again, about 0.75 s later
  EXPECT_EQ(window.shown.size(), 1u);
  EXPECT_FALSE(window.exists);
  // Once the countdown has run out, the next switch-on shows a hint again.
  while (hint.ticksLeft > 0) Tick();
  Tick(true);
  EXPECT_EQ(window.shown.size(), 2u);
  EXPECT_TRUE(window.exists);
}

TEST_F(CursorHintTest, RunningHintIsNeitherMovedNorRestarted) {
  Tick(true);
  Tick();
  window.pointer = {500, 500};
  hint.Trigger();  // another window whose input method is on becomes active
  EXPECT_EQ(window.shown.size(), 1u);
  EXPECT_EQ(hint.ticksLeft, 7);
}

TEST_F(CursorHintTest, UntickingClearsTheHintAtOnceAndTickingDoesNothing) {
  Tick(true);
  hint.OnHintOptionChanged();  // still ticked
  EXPECT_TRUE(window.exists);
  EXPECT_EQ(hint.ticksLeft, 8);

  settings.SetHint(false);
  hint.OnHintOptionChanged();
  EXPECT_FALSE(window.exists);
  EXPECT_EQ(hint.ticksLeft, 0);

  // Ticked again: the next switch-on shows a hint at once.
  settings.SetHint(true);
  hint.OnHintOptionChanged();
  Tick(true);
  EXPECT_EQ(window.shown.size(), 2u);
}

TEST_F(CursorHintTest, HintOffShowsNothingAndTickDoesNothing) {
  settings.SetHint(false);
  Tick(true);
  EXPECT_TRUE(window.shown.empty());
  EXPECT_EQ(hint.ticksLeft, 0);
  // With Hint off a tick neither counts nor hides.
  hint.ticksLeft = 3;
  window.exists = true;
  hint.Tick();
  EXPECT_EQ(hint.ticksLeft, 3);
  EXPECT_TRUE(window.exists);
  EXPECT_EQ(window.discards, 0);
}

TEST_F(CursorHintTest, WindowThatCannotBeMadeStillRunsTheCountdown) {
  window.canCreate = false;
  Tick(true);
  EXPECT_TRUE(window.shown.empty());
  EXPECT_EQ(hint.ticksLeft, 8);
  for (int i = 0; i < 9; ++i) Tick();
  EXPECT_EQ(hint.ticksLeft, 0);
  EXPECT_EQ(window.discards, 0);
}

TEST_F(CursorHintTest, ShowsTheCurrentTextSixteenPixelsFromThePointer) {
  Tick(true);
  ASSERT_EQ(window.shown.size(), 1u);
  EXPECT_EQ(window.shown[0].text, u"IME ON");
  // 6 characters: 42 × 13 of text, plus 6 × 6.
  EXPECT_EQ(window.shown[0].bounds, (Rect{116, 216, 116 + 48, 216 + 19}));
  EXPECT_EQ(window.monitorQueries, std::vector<Point>{(Point{116, 216})});

  // A new text: the next hint shows it, and the window's size follows it.
  while (hint.ticksLeft > 0) Tick();
  settings.SetHintString(u"\u304B\u306A");  // two characters
  Tick(true);
  ASSERT_EQ(window.shown.size(), 2u);
  EXPECT_EQ(window.shown[1].text, u"\u304B\u306A");
  EXPECT_EQ(window.shown[1].bounds, (Rect{116, 216, 116 + 20, 216 + 19}));
}

TEST_F(CursorHintTest, PointerNearABottomRightCornerKeepsTheHintOnThatMonitorAndSlidesUp) {
  window.monitor = Rect{1920, 0, 3840, 1080};  // the right-hand monitor
  window.pointer = Point{3830, 1075};
  window.animationOn = true;
  Tick(true);
  ASSERT_EQ(window.shown.size(), 1u);
  EXPECT_EQ(window.shown[0].bounds, (Rect{3840 - 48, 1080 - 19, 3840, 1080}));
  // The hint now starts above the pointer, so it rolls out upwards.
  EXPECT_EQ(window.shown[0].animation, HintAnimation::SlideUp);
}

TEST_F(CursorHintTest, QuickReShowComesUpWithoutAnimation) {
  window.animationOn = true;
  Tick(true);
  EXPECT_EQ(window.shown[0].animation, HintAnimation::SlideDown);
  // Shown again 100 ms after the previous activation ended: no animation.
  hint.ticksLeft = 0;
  window.now += 100 - 250;
  hint.Trigger();
  ASSERT_EQ(window.shown.size(), 2u);
  EXPECT_EQ(window.shown[1].animation, HintAnimation::None);
}

TEST(HintGeometry, BoundsFromPointerAndMeasuredText) {
  EXPECT_EQ(HintBoundsAt(Point{100, 200}, Rect{0, 0, 40, 13}), (Rect{116, 216, 162, 235}));
  EXPECT_EQ(HintBoundsAt(Point{-1000, -50}, Rect{0, 0, 0, 0}), (Rect{-984, -34, -978, -28}));
}

TEST(HintGeometry, ConfinesToTheMonitorInOrder) {
  const Rect mon{0, 0, 1920, 1080};
  // Inside: unchanged.
  EXPECT_EQ(ConfineToMonitor(Rect{100, 100, 150, 120}, mon), (Rect{100, 100, 150, 120}));
  // Off the bottom and the right: moved up and left.
  EXPECT_EQ(ConfineToMonitor(Rect{1900, 1070, 1950, 1090}, mon), (Rect{1870, 1060, 1920, 1080}));
  // Wider than the monitor: cut to its width, then moved left to end at its right edge.
  EXPECT_EQ(ConfineToMonitor(Rect{100, 10, 2500, 30}, mon), (Rect{0, 10, 1920, 30}));
  // Taller than the monitor: cut to its height, then moved up to end at its bottom.
  EXPECT_EQ(ConfineToMonitor(Rect{10, 50, 60, 1500}, mon), (Rect{10, 0, 60, 1080}));
  // Left of a monitor at negative coordinates, and above its top.
  const Rect left{-1280, -200, 0, 824};
  EXPECT_EQ(ConfineToMonitor(Rect{-1300, -260, -1250, -240}, left), (Rect{-1280, -200, -1230, -180}));
  // Straddling the top edge: moved down so no part is cut off.
  EXPECT_EQ(ConfineToMonitor(Rect{-1000, -210, -950, -190}, left), (Rect{-1000, -200, -950, -180}));
}

TEST(HintGeometry, AnimationDecision) {
  HintAnimationInputs base;
  base.now = 5000;
  base.shownBefore = true;
  base.previousEnd = 4000;
  base.textLength = 6;
  base.tooltipAnimation = true;
  base.pointerY = 100;
  base.hintTop = 116;
  EXPECT_EQ(ChooseHintAnimation(base), HintAnimation::SlideDown);

  auto with = [&](auto change) {
    HintAnimationInputs in = base;
    change(in);
    return ChooseHintAnimation(in);
  };
  EXPECT_EQ(with([](auto& in) { in.tooltipFade = true; }), HintAnimation::Fade);
  EXPECT_EQ(with([](auto& in) { in.tooltipAnimation = false; }), HintAnimation::None);
  EXPECT_EQ(with([](auto& in) { in.hintTop = 100; }), HintAnimation::SlideDown)
      << "pointer level with the top";
  EXPECT_EQ(with([](auto& in) { in.hintTop = 99; }), HintAnimation::SlideUp);
  EXPECT_EQ(with([](auto& in) { in.textLength = 99; }), HintAnimation::SlideDown);
  EXPECT_EQ(with([](auto& in) { in.textLength = 100; }), HintAnimation::None);
  EXPECT_EQ(with([](auto& in) { in.previousEnd = 4750; }), HintAnimation::None) << "exactly 250 ms";
  EXPECT_EQ(with([](auto& in) { in.previousEnd = 4749; }), HintAnimation::SlideDown);
  EXPECT_EQ(with([](auto& in) {
              in.shownBefore = false;
              in.previousEnd = 5000;
            }),
            HintAnimation::SlideDown);
  // The tick count wrapped round between the two activations: 512 ms have passed.
  EXPECT_EQ(with([](auto& in) {
              in.previousEnd = 0xFFFFFF00u;
              in.now = 0x100;
            }),
            HintAnimation::SlideDown);
  EXPECT_EQ(with([](auto& in) {
              in.previousEnd = 0xFFFFFFF0u;
              in.now = 0x10;
            }),
            HintAnimation::None);
}

}  // namespace
}  // namespace ruvano
