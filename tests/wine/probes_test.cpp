#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "monitor/win32/desktop_win32.h"
#include "monitor/win32/ime_probe_win32.h"
#include "test_windows.h"
#include "wine_test_util.h"
#include "zeq/win32/handles.h"
#include "zeq/win32/probes_win32.h"

namespace ruvano {
namespace {

using testing::FakeImeTarget;
using testing::MakeTestWindow;
using testing::WaitUntil;

void MoveTo(HWND w, int x, int y) {
  SetWindowPos(w, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Brings the target to the front and returns its focused control.
HWND FocusedControlOf(FakeImeTarget& target) {
  HWND f = nullptr;
  if (!target.Activate()) return nullptr;
  WaitUntil([&] { return (f = GetFocusedWindow()) != nullptr && f != target.window(); }, 5000);
  return f;
}

TEST(GetValidWindowRect, ParkedMinimisedWindowIsInvalidButOneParkedCoordinateIsNot) {
  UniqueWindow w = MakeTestWindow(L"RuvanoProbeWnd", WS_OVERLAPPEDWINDOW);
  ShowWindow(w.get(), SW_SHOWNOACTIVATE);
  RECT r{};
  EXPECT_TRUE(GetValidWindowRect(w.get(), r));
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.bottom, 300);

  // Windows parks a minimised window at (-32000, -32000); Wine leaves it at an icon
  // position, so the test parks it there itself, still minimised.
  ShowWindow(w.get(), SW_SHOWMINNOACTIVE);
  MoveTo(w.get(), -32000, -32000);
  ASSERT_TRUE(IsIconic(w.get()));
  EXPECT_FALSE(GetValidWindowRect(w.get(), r));
  EXPECT_EQ(r.top, -32000);

  ShowWindow(w.get(), SW_RESTORE);
  MoveTo(w.get(), -32000, 100);
  EXPECT_TRUE(GetValidWindowRect(w.get(), r));
  MoveTo(w.get(), 100, -32000);
  Rect pr;  // through the adapter, the handle narrowed to 32 bits and back
  EXPECT_TRUE(Win32Desktop().GetValidWindowRect(FromHwnd(w.get()), pr));
  EXPECT_EQ(pr, (Rect{100, -32000, 400, -31800}));

  const HWND gone = w.get();
  w.reset();
  EXPECT_FALSE(GetValidWindowRect(gone, r));
}

TEST(GetRootWindow, FollowsParentsAndOwnersToTheTop) {
  UniqueWindow top = MakeTestWindow(L"RuvanoProbeWnd", WS_OVERLAPPEDWINDOW);
  UniqueWindow child = MakeTestWindow(L"BUTTON", WS_CHILD, top.get());
  UniqueWindow grandChild = MakeTestWindow(L"STATIC", WS_CHILD, child.get());
  UniqueWindow popup = MakeTestWindow(L"RuvanoProbeWnd", WS_POPUP | WS_CAPTION, top.get());  // owned
  UniqueWindow onPopup = MakeTestWindow(L"EDIT", WS_CHILD, popup.get());
  ASSERT_TRUE(onPopup && grandChild);
  EXPECT_EQ(GetRootWindow(top.get()), top.get());
  EXPECT_EQ(GetRootWindow(child.get()), top.get());
  EXPECT_EQ(GetRootWindow(grandChild.get()), top.get());
  EXPECT_EQ(GetRootWindow(popup.get()), top.get());
  EXPECT_EQ(GetRootWindow(onPopup.get()), top.get());
  EXPECT_EQ(GetRootWindow(nullptr), nullptr);
}

TEST(FindDesktopWindow, FindsTheShellViewHostOnTopAndPassesOverTheOthers) {
  // Wine's own shell windows, if any, sit below the ones made here: a new window goes to the
  // top of the z-order, and EnumWindows reports from the top.
  UniqueWindow worker = MakeTestWindow(L"WorkerW", WS_POPUP);
  UniqueWindow workerView = MakeTestWindow(L"SHELLDLL_DefView", WS_CHILD, worker.get());
  UniqueWindow bare = MakeTestWindow(L"Progman", WS_POPUP);
  UniqueWindow deep = MakeTestWindow(L"Progman", WS_POPUP);  // its shell view is a grandchild
  UniqueWindow deepMiddle = MakeTestWindow(L"RuvanoProbeWnd", WS_CHILD, deep.get());
  UniqueWindow deepView = MakeTestWindow(L"SHELLDLL_DefView", WS_CHILD, deepMiddle.get());
  ASSERT_TRUE(workerView && bare && deepView);
  DesktopWindowFinder desktop;
  EXPECT_EQ(desktop.Find(), FromHwnd(worker.get()));
  EXPECT_EQ(desktop.Current(), FromHwnd(worker.get()));

  UniqueWindow progman = MakeTestWindow(L"Progman", WS_POPUP);
  UniqueWindow progmanView = MakeTestWindow(L"SHELLDLL_DefView", WS_CHILD, progman.get());
  EXPECT_EQ(desktop.Find(), FromHwnd(progman.get()));

  // Without ours, the answer is the system's own desktop (Wine has none), never ours.
  progman.reset();
  worker.reset();
  const WindowId found = desktop.Find();
  EXPECT_EQ(found, desktop.Current());
  DWORD pid = 0;
  if (found) GetWindowThreadProcessId(ToHwnd(found), &pid);
  EXPECT_NE(pid, GetCurrentProcessId());
}

TEST(GetWindowProcessPath, GivesTheDriveLetterImagePathEitherWay) {
  wchar_t ownPath[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, ownPath, MAX_PATH);
  UniqueWindow own = MakeTestWindow(L"RuvanoProbeWnd", WS_POPUP);
  FakeImeTarget target;
  ASSERT_TRUE(target.Start(L"path probe"));
  ProcessPathReader paths;
  EXPECT_EQ(paths.WindowProcessPath(own.get()), ownPath);
  EXPECT_EQ(paths.WindowProcessPath(target.window()), testing::BinDir() + L"fake_ime_target.exe");
  EXPECT_EQ(paths.WindowProcessPath(nullptr), L"");

  // The fallback reads the kernel's device path ("\Device\HarddiskVolumeN\...") and puts the
  // drive letter back: for a process whose module path can be read, both ways agree.
  for (DWORD pid : {GetCurrentProcessId(), target.pid()}) {
    UniqueHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
    const std::wstring module = paths.ModulePath(process.get());
    ASSERT_GT(module.size(), 3u);
    EXPECT_EQ(module[1], L':');
    EXPECT_EQ(paths.ImagePathWithDriveLetter(process.get()), module);
  }
}

TEST(ReadPathText, PathsLongerThanMaxPathComeBackWhole) {
  const std::wstring longPath = L"C:\\" + std::wstring(400, L'p') + L".exe";
  // Copies what fits, as the path calls do: truncating and returning the size, or failing
  // for want of room.
  auto truncating = [&](wchar_t* buf, DWORD size) -> DWORD {
    const DWORD n = static_cast<DWORD>(std::min<std::size_t>(longPath.size(), size - 1));
    longPath.copy(buf, n);
    buf[n] = L'\0';
    return n == longPath.size() ? n : size;
  };
  auto refusing = [&](wchar_t* buf, DWORD size) -> DWORD {
    if (size <= longPath.size()) {
      SetLastError(ERROR_INSUFFICIENT_BUFFER);
      return 0;
    }
    return static_cast<DWORD>(longPath.copy(buf, size));
  };
  EXPECT_EQ(ReadPathText(truncating), longPath);
  EXPECT_EQ(ReadPathText(refusing), longPath);
  EXPECT_EQ(ReadPathText([](wchar_t*, DWORD) -> DWORD {
              SetLastError(ERROR_ACCESS_DENIED);
              return 0;
            }),
            L"");
  EXPECT_EQ(ReadPathText([](wchar_t* buf, DWORD) -> DWORD {
              return static_cast<DWORD>(std::wstring(L"C:\\a.exe").copy(buf, 8));
            }),
            L"C:\\a.exe");
}

TEST(SystemProbes, Windows10VersionAndBorderMetrics) {
  // The test exe carries the program's manifest, so the system reports its true version.
  EXPECT_EQ(ReadOsVersion().major, 10u);
  EXPECT_TRUE(IsWin8OrLater());
  EXPECT_FALSE(IsWin11());
  // A structure of the wrong size would make the call fail and read as 0.
  Win32Desktop desktop;
  EXPECT_GT(desktop.NonClientBorderWidth(Rect{0, 0, 100, 100}), 0);
  EXPECT_GT(desktop.BorderMultiplier(), 0);
  // The metrics follow the DPI asked for: the font of a 200 % monitor is twice as tall.
  NONCLIENTMETRICSW at96{}, at192{};
  ASSERT_TRUE(NonClientMetricsForDpi(at96, 96));
  ASSERT_TRUE(NonClientMetricsForDpi(at192, 192));
  EXPECT_EQ(at192.lfStatusFont.lfHeight, 2 * at96.lfStatusFont.lfHeight);
  EXPECT_EQ(MonitorDpi(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY)), GetDpiForSystem());
}

TEST(IsImeOpen, FollowsTheTargetsOpenStatusThroughItsFocusedControl) {
  FakeImeTarget target;
  ASSERT_TRUE(target.Start(L"ime probe"));
  const HWND focused = FocusedControlOf(target);
  ASSERT_NE(focused, nullptr);
  EXPECT_EQ(GetParent(focused), target.window());
  ASSERT_NE(FindImeWindowFor(focused), nullptr);
  EXPECT_EQ(FindImeWindowFor(target.window()), FindImeWindowFor(focused));

  Win32Desktop desktop;
  EXPECT_EQ(desktop.ImeOpenStatus(desktop.GetFocusedWindow()), ImeStatus::Closed);
  target.SetOpen(true);
  EXPECT_EQ(desktop.ImeOpenStatus(desktop.GetFocusedWindow()), ImeStatus::Open);
  ImeProbe probe;
  EXPECT_TRUE(probe.IsOpen(target.window()));
  target.SetOpen(false);
  EXPECT_FALSE(probe.IsOpen(focused));

  const HWND gone = target.window();
  target.Kill();
  EXPECT_FALSE(probe.IsOpen(gone));
}

TEST(IsImeOpen, AsksTheRightWindowWhenTargetsAlternateOrReplaceTheirImeWindow) {
  FakeImeTarget a, b;
  ImeProbe probe;
  ASSERT_TRUE(a.Start(L"ime probe A"));
  ASSERT_TRUE(b.Start(L"ime probe B", 300, 250));
  a.SetOpen(true);
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(probe.IsOpen(a.window()));
    EXPECT_FALSE(probe.IsOpen(b.window()));
  }
  EXPECT_NE(FindImeWindowFor(a.window()), FindImeWindowFor(b.window()));

  // The window asked about last keeps its application's IME window in mind; a replaced one
  // is looked for afresh.
  const HWND old = FindImeWindowFor(a.window());
  EXPECT_TRUE(probe.IsOpen(a.window()));
  const HWND fresh = a.ReplaceImeWindow();
  ASSERT_NE(fresh, nullptr);
  ASSERT_NE(fresh, old);
  EXPECT_EQ(FindImeWindowFor(a.window()), fresh);
  EXPECT_TRUE(probe.IsOpen(a.window()));
  EXPECT_TRUE(probe.IsOpen(a.window()));
  a.SetOpen(false);
  EXPECT_FALSE(probe.IsOpen(a.window()));
  b.SetOpen(true);
  EXPECT_TRUE(probe.IsOpen(b.window()));
}

TEST(IsImeOpen, AHungTargetGivesNoAnswerAndDoesNotHoldTheCaller) {
  FakeImeTarget target, other;
  ImeProbe probe;
  ASSERT_TRUE(target.Start(L"hung ime probe"));
  ASSERT_TRUE(other.Start(L"silent ime probe", 300, 250));
  other.SetOpen(true);
  target.SetOpen(true);
  ASSERT_TRUE(probe.IsOpen(target.window()));
  constexpr DWORD kHangMs = 3000;
  target.Hang(kHangMs);
  other.Hang(kHangMs);
  ASSERT_TRUE(WaitUntil(
      [&] {
        DWORD_PTR r = 0;
        return SendMessageTimeoutW(target.window(), WM_NULL, 0, 0, SMTO_NORMAL, 20, &r) == 0;
      },
      2000));

  LARGE_INTEGER freq, start, t0, t1;
  QueryPerformanceFrequency(&freq);
  auto ms = [&](LARGE_INTEGER a, LARGE_INTEGER b) {
    return (b.QuadPart - a.QuadPart) * 1000.0 / freq.QuadPart;
  };
  QueryPerformanceCounter(&start);
  double longest = 0;
  int calls = 0;
  for (t0 = start; ms(start, t0) < kHangMs / 2; t0 = t1) {
    const ImeStatus status = probe.Ask(target.window());
    QueryPerformanceCounter(&t1);
    longest = std::max(longest, ms(t0, t1));
    ++calls;
    EXPECT_EQ(status, ImeStatus::NoAnswer);
  }
  // Any silent window gives no answer; what that means for its window is the tick's to decide.
  EXPECT_EQ(probe.Ask(other.window()), ImeStatus::NoAnswer);
  std::printf("IsImeOpen against a hung target: %d calls, longest %.1f ms (bound %u ms)\n", calls, longest,
              kImeQueryTimeoutMs);
  // Each call gave up on its own instead of waiting for the target to wake.
  EXPECT_GT(calls, 2);
  EXPECT_LT(longest, kHangMs / 3.0);
  // Awake again, it answers for itself.
  target.SetOpen(false);
  EXPECT_FALSE(probe.IsOpen(target.window()));
}

}  // namespace
}  // namespace ruvano
