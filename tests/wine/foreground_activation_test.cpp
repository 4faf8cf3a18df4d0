#include <gtest/gtest.h>
#include <windows.h>
#include <imm.h>

#include "test_windows.h"
#include "wine_test_util.h"
#include "zeq/win32/foreground_win32.h"
#include "zeq/win32/probes_win32.h"
#include "zeq/win32/window_style.h"

namespace ruvano {
namespace {

using testing::FakeImeTarget;
using testing::MakeTestWindow;
using testing::PumpFor;

DWORD LockTimeout() {
  DWORD ms = 0;
  SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &ms, 0);
  return ms;
}

// Wine lets any process take the foreground; on Windows this test process would need the
// right that the program's callers hold (foreground_win32.h).
TEST(ForegroundActivation, BringsOurWindowInFrontOfAnotherProgram) {
  FakeImeTarget target;
  ASSERT_TRUE(target.Start(L"Foreground target"));
  UniqueWindow mine = MakeTestWindow(L"RuvanoTestSettings", WS_OVERLAPPEDWINDOW);
  ShowWindow(mine.get(), SW_SHOWNOACTIVATE);
  ASSERT_TRUE(target.Activate());
  // The target's own activation is still on its way through the X server for a moment; when
  // it lands after ours, Wine moves the front away from our window again.
  PumpFor(300);
  const DWORD lockBefore = LockTimeout();

  EXPECT_TRUE(ForceForegroundWindow(mine.get()));
  PumpFor(100);
  EXPECT_EQ(GetForegroundWindow(), mine.get());
  EXPECT_EQ(LockTimeout(), lockBefore);

  // Already in front: true again, nothing changes.
  EXPECT_TRUE(ForceForegroundWindow(mine.get()));
  EXPECT_EQ(GetForegroundWindow(), mine.get());
}

TEST(ForegroundActivation, ReportsTheVersionTheSessionClaims) {
  const OsVersion v = ReadOsVersion();
  EXPECT_EQ(v.platformId, OsVersion::kPlatformNt);
  EXPECT_GE(v.major, 6u);
}

TEST(WindowStyle, ToolWindowStyleIsAddedToTheExistingOnes) {
  UniqueWindow w = MakeTestWindow(L"RuvanoTestTool", WS_POPUP);
  SetWindowLongW(w.get(), GWL_EXSTYLE, WS_EX_NOACTIVATE);
  SetToolWindowStyle(w.get());
  const LONG ex = GetWindowLongW(w.get(), GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(ex & WS_EX_NOACTIVATE);
}

TEST(WindowStyle, OwnInputMethodOpensAndCloses) {
  UniqueWindow w = MakeTestWindow(L"RuvanoTestTool", WS_POPUP);
  auto open = [&] {
    HIMC context = ImmGetContext(w.get());
    const bool result = context && ImmGetOpenStatus(context);
    if (context) ImmReleaseContext(w.get(), context);
    return result;
  };
  // A window whose context was taken away gets the default one back.
  ImmAssociateContextEx(w.get(), nullptr, 0);
  WindowImeSwitch ime;
  ime.SetOpen(w.get(), true);
  EXPECT_TRUE(open());
  ime.SetOpen(w.get(), false);
  EXPECT_FALSE(open());
}

}  // namespace
}  // namespace ruvano
