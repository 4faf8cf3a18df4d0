#include <gtest/gtest.h>
#include <windows.h>
#include <imm.h>

#include <functional>
#include <memory>

#include "app/win32/application_window.h"
#include "monitor/cues.h"
#include "monitor/indicator_anchor.h"
#include "monitor/win32/desktop_win32.h"
#include "monitor/win32/monitor.h"
#include "screen_test_util.h"
#include "test_windows.h"
#include "ui/win32/indicator_window.h"
#include "wine_test_util.h"
#include "zeq/win32/foreground_win32.h"
#include "zeq/win32/handles.h"

namespace ruvano {
namespace {

using testing::Bitmap;
using testing::ClientImage;
using testing::FakeImeTarget;
using testing::MakeTestWindow;
using testing::MovePointer;
using testing::PumpFor;
using testing::WaitUntil;
using testing::WindowRect;

// The indicator's surroundings: the live settings, a monitor whose ticks are counted, and a
// plain window standing in for the settings window, which the click shows as the program
// does (its show handler closes the indicator).
struct TickCount final {
  int ticks = 0;
  void operator()(const WantedCues& wanted) { ticks += wanted.events.countHint ? 1 : 0; }
};

struct IndicatorRig {
  explicit IndicatorRig(HWND owner)
      : settingsWindow(MakeTestWindow(L"RuvanoTestSettings", WS_OVERLAPPEDWINDOW, owner, 300, 300, 400, 300)),
        monitorWindow(AppWindow::Create()),
        monitor(std::ref(cues), settings, monitorWindow.get()) {}
  void Hold(bool held) { held ? monitor.Hold() : monitor.Resume(); }

  void OpenSettings() {
    if (IsWindowVisible(settingsWindow.get())) return;
    ShowWindow(settingsWindow.get(), SW_SHOW);
    if (indicator) indicator->Close();
    ForceForegroundWindow(settingsWindow.get());
  }
  // Whether the monitor ticks within a second.
  bool Ticking() {
    const int before = cues.ticks;
    return WaitUntil([&] { return cues.ticks > before; }, 1000);
  }

  Settings settings;
  UniqueWindow settingsWindow;
  TickCount cues;
  std::unique_ptr<AppWindow> monitorWindow;  // where the monitor's timers run
  Monitor monitor;
  IndicatorWindow* indicator = nullptr;
};

bool OwnImeOpen(HWND w) {
  HIMC context = ImmGetContext(w);
  if (!context) return false;
  const bool open = ImmGetOpenStatus(context) != FALSE;
  ImmReleaseContext(w, context);
  return open;
}

void MouseButton(DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  SendInput(1, &in, sizeof(in));
}

class IndicatorWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(appWindow.get(), nullptr);
    rig.settings.SetIcon(true);
    rig.monitor.Start();
    indicator = IndicatorWindow::Create(
        rig.settings, [this](bool held) { rig.Hold(held); }, [this] { rig.OpenSettings(); }, appWindow.get());
    ASSERT_NE(indicator, nullptr);
    rig.indicator = indicator.get();
    ASSERT_TRUE(target.Start(L"Indicator target", 200, 150, 640, 480));
    ASSERT_TRUE(target.Activate());
    // The top-left anchor of the target, as the tick works it out.
    const RECT r = WindowRect(target.window());
    Win32Desktop desktop;
    UpdateIndicatorAnchor(FromHwnd(target.window()), Rect{r.left, r.top, r.right, r.bottom}, 0, 0,
                          ReadBorderMetric(desktop, Rect{r.left, r.top, r.right, r.bottom}), 32, left, top);
  }

  bool IsShownAt(int x, int y) {
    const RECT r = WindowRect(indicator->hwnd());
    return IsWindowVisible(indicator->hwnd()) && r.left == x && r.top == y && r.right == x + 32 &&
           r.bottom == y + 32;
  }

  UniqueWindow appWindow = MakeTestWindow(L"RuvanoTestApplication", WS_OVERLAPPEDWINDOW);
  IndicatorRig rig{appWindow.get()};
  std::unique_ptr<IndicatorWindow> indicator;
  FakeImeTarget target;
  std::int32_t left = 0;
  std::int32_t top = 0;
};

TEST_F(IndicatorWindowTest, ShowsAtTheAnchorOnTopWithoutTakingTheForeground) {
  ShowWindow(appWindow.get(), SW_SHOWNOACTIVATE);  // the show-time refresh hides it again
  ASSERT_TRUE(target.Activate());
  EXPECT_FALSE(indicator->Visible());
  EXPECT_FALSE(IsWindowVisible(indicator->hwnd()));

  indicator->Show(left, top);
  PumpFor(200);
  EXPECT_TRUE(indicator->Visible());
  EXPECT_TRUE(IsShownAt(left, top));
  EXPECT_EQ(GetForegroundWindow(), target.window());
  EXPECT_NE(GetActiveWindow(), indicator->hwnd());

  const LONG ex = GetWindowLongW(indicator->hwnd(), GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_TOPMOST);
  EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(ex & WS_EX_LAYERED) << "fully opaque at 100 %";
  EXPECT_EQ(GetWindow(indicator->hwnd(), GW_OWNER), appWindow.get());
  EXPECT_FALSE(IsWindowVisible(appWindow.get()));
  // In front of the target at the anchor.
  EXPECT_EQ(WindowFromPoint(POINT{left + 16, top + 16}), indicator->hwnd());

  // Only the rounded middle is part of the window; the 2-pixel frame belongs to what is
  // below. A rounded region leaves out its right and bottom edge lines, so the region of
  // (2, 2)-(30, 30) ends one pixel short of 30, as on Windows.
  RECT box{};
  EXPECT_EQ(GetWindowRgnBox(indicator->hwnd(), &box), COMPLEXREGION);
  EXPECT_EQ(box.left, 2);
  EXPECT_EQ(box.top, 2);
  EXPECT_EQ(box.right, 29);
  EXPECT_EQ(box.bottom, 29);
  EXPECT_NE(WindowFromPoint(POINT{left + 1, top + 16}), indicator->hwnd());
  EXPECT_NE(WindowFromPoint(POINT{left + 16, top + 30}), indicator->hwnd());

  // Its own input method is opened at every show.
  EXPECT_TRUE(OwnImeOpen(indicator->hwnd()));
}

TEST_F(IndicatorWindowTest, OpacityBelowFullMakesItLayeredWithTheMappedAlpha) {
  const struct {
    int position;
    BYTE alpha;
  } cases[] = {{50, 127}, {10, 25}, {99, 252}};
  for (const auto& c : cases) {
    rig.settings.SetAlphaBlendValue(c.position);
    indicator->Show(left, top);
    PumpFor(50);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetWindowLongW(indicator->hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED) << c.position;
    ASSERT_TRUE(GetLayeredWindowAttributes(indicator->hwnd(), nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, c.alpha) << c.position;
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA)) << "no colour key";
    indicator->Hide();
  }
  // Back to 100 %: no longer layered, and shown in front of the target.
  rig.settings.SetAlphaBlendValue(100);
  indicator->Show(left, top);
  PumpFor(50);
  EXPECT_FALSE(GetWindowLongW(indicator->hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
  EXPECT_TRUE(IsShownAt(left, top));
  EXPECT_EQ(GetForegroundWindow(), target.window());
}

TEST_F(IndicatorWindowTest, VisibleIndicatorIsNeitherMovedNorRefreshed) {
  indicator->Show(left, top);
  rig.settings.SetAlphaBlendValue(40);
  indicator->Show(left + 100, top + 100);
  PumpFor(50);
  EXPECT_TRUE(IsShownAt(left, top));
  EXPECT_FALSE(GetWindowLongW(indicator->hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
}

TEST_F(IndicatorWindowTest, IconOffNeverShowsIt) {
  rig.settings.SetIcon(false);
  indicator->Show(left, top);
  PumpFor(50);
  EXPECT_FALSE(indicator->Visible());
  EXPECT_FALSE(IsWindowVisible(indicator->hwnd()));
}

TEST_F(IndicatorWindowTest, HideCloseAndReraise) {
  indicator->Show(left, top);
  indicator->Hide();
  EXPECT_FALSE(indicator->Visible());
  EXPECT_FALSE(IsWindowVisible(indicator->hwnd()));
  EXPECT_TRUE(OwnImeOpen(indicator->hwnd())) << "hiding does not run the close query";

  // Shown again at a new anchor after a hide.
  indicator->Show(left + 40, top + 20);
  EXPECT_TRUE(IsShownAt(left + 40, top + 20));

  // The re-raise puts a visible indicator back on top at the anchor.
  UniqueWindow other = MakeTestWindow(L"RuvanoTestOther", WS_POPUP, nullptr, left + 30, top + 10, 100, 100);
  SetWindowPos(other.get(), HWND_TOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  ASSERT_EQ(WindowFromPoint(POINT{left + 56, top + 36}), other.get());
  indicator->Reraise(left + 40, top + 20);
  EXPECT_EQ(WindowFromPoint(POINT{left + 56, top + 36}), indicator->hwnd());
  EXPECT_TRUE(IsShownAt(left + 40, top + 20));
  EXPECT_EQ(GetForegroundWindow(), target.window());

  // Closing runs the close query and hides.
  indicator->Close();
  EXPECT_FALSE(indicator->Visible());
  EXPECT_FALSE(IsWindowVisible(indicator->hwnd()));
  EXPECT_FALSE(OwnImeOpen(indicator->hwnd()));

  // A hidden indicator is neither raised, moved nor closed.
  indicator->Reraise(left, top);
  EXPECT_FALSE(IsWindowVisible(indicator->hwnd()));
  EXPECT_EQ(WindowRect(indicator->hwnd()).left, left + 40);
  SetWindowPos(indicator->hwnd(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  indicator->Hide();
  indicator->Close();
  EXPECT_FALSE(indicator->Visible());

  // A close request from outside only hides it: the window lives on.
  indicator->Show(left, top);
  SendMessageW(indicator->hwnd(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(indicator->hwnd()));
  EXPECT_FALSE(indicator->Visible());
  EXPECT_FALSE(IsWindowVisible(indicator->hwnd()));
}

TEST_F(IndicatorWindowTest, ClickOpensTheSettingsWindowInFrontAndClosesTheIndicator) {
  indicator->Show(left, top);
  PumpFor(100);
  ASSERT_TRUE(MovePointer(left + 16, top + 16));
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  PumpFor(100);
  EXPECT_FALSE(rig.Ticking()) << "the press holds the monitor";
  EXPECT_EQ(GetForegroundWindow(), target.window()) << "a press does not activate the indicator";
  MouseButton(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(rig.settingsWindow.get()) != FALSE; }, 3000));
  PumpFor(100);
  EXPECT_EQ(GetForegroundWindow(), rig.settingsWindow.get());
  EXPECT_FALSE(indicator->Visible());
  EXPECT_FALSE(IsWindowVisible(indicator->hwnd()));
  EXPECT_FALSE(OwnImeOpen(indicator->hwnd()));
  // The pointer has left the picture with it: the monitor runs again.
  EXPECT_TRUE(rig.Ticking());
}

TEST_F(IndicatorWindowTest, PressStopsTheTimerUntilThePointerLeaves) {
  indicator->Show(left, top);
  PumpFor(100);
  ASSERT_TRUE(MovePointer(left + 16, top + 16));
  MouseButton(MOUSEEVENTF_RIGHTDOWN);
  MouseButton(MOUSEEVENTF_RIGHTUP);
  PumpFor(200);
  EXPECT_FALSE(rig.Ticking()) << "still over the picture";
  EXPECT_TRUE(indicator->Visible()) << "only a left click opens the settings";
  EXPECT_EQ(GetForegroundWindow(), target.window());

  ASSERT_TRUE(MovePointer(left + 200, top + 200));
  EXPECT_TRUE(rig.Ticking());
  EXPECT_TRUE(indicator->Visible());
}

// The picture is the exe's own icon resource, drawn over the whole client area: compared
// with the same icon drawn into a bitmap, at the standard size and at the large one (its own
// image of 48 pixels, not a stretched one). The program icon wins over the input mode's
// key-cap, which shows only when asked for and follows a mode change while visible.
TEST_F(IndicatorWindowTest, DrawsTheChosenPictureFromTheExeResources) {
  const std::wstring exe = testing::BinDir() + L"RUVANO.exe";
  HMODULE res =
      LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE | LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(res, nullptr);
  ASSERT_NE(FindResourceW(res, L"IMAGEDEF", RT_GROUP_ICON), nullptr);
  ASSERT_NE(FindResourceW(res, L"MAINICON", RT_GROUP_ICON), nullptr);
  UniqueWindow appWindow2 = MakeTestWindow(L"RuvanoTestApplication", WS_OVERLAPPEDWINDOW);
  std::unique_ptr<IndicatorWindow> pictured =
      IndicatorWindow::Create(rig.settings, nullptr, nullptr, appWindow2.get(), res);
  ASSERT_NE(pictured, nullptr);

  const struct {
    bool appIcon, showMode;
    InputMode mode;
    const wchar_t* picture;
  } cases[] = {
      {false, false, InputMode::HalfAlnum, L"IMAGEDEF"},
      {true, true, InputMode::Katakana, L"MAINICON"},
      {false, true, InputMode::Katakana, L"IMAGEKATA"},
      {false, true, InputMode::HalfKatakana, L"IMAGEHKATA"},
      {false, true, InputMode::FullAlnum, L"IMAGEALNUM"},
      {false, true, InputMode::HalfAlnum, L"IMAGEHALNUM"},
      {false, true, InputMode::Hiragana, L"IMAGEDEF"},
  };
  for (const int iconSize : {0, 1}) {
    rig.settings.SetIconSize(iconSize);
    const int size = iconSize ? 48 : 32;  // at 96 DPI
    for (const auto& c : cases) {
      rig.settings.SetAppIcon(c.appIcon);
      rig.settings.SetShowMode(c.showMode);
      pictured->SetInputMode(InputMode::Hiragana);
      pictured->Show(left, top);
      pictured->SetInputMode(c.mode);
      PumpFor(200);
      EXPECT_EQ(pictured->Size(), size);
      HICON icon = static_cast<HICON>(
          LoadImageW(res, c.appIcon && size != 32 ? L"IMAGEAPP" : c.picture, IMAGE_ICON, size, size, 0));
      ASSERT_NE(icon, nullptr);
      const ClientImage painted(pictured->hwnd());
      ASSERT_EQ(painted.width(), size);
      Bitmap expected(size, size);
      const RECT all = expected.rect();
      FillRect(expected.dc(), &all, GetSysColorBrush(COLOR_BTNFACE));
      DrawIconEx(expected.dc(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
      DestroyIcon(icon);
      int differing = 0;
      for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) differing += expected.Pixel(x, y) != painted.Pixel(x, y);
      EXPECT_EQ(differing, 0) << static_cast<int>(c.mode) << (c.appIcon ? " program icon" : "") << " at "
                              << size;
      pictured->Hide();
    }
  }
  rig.settings.SetIconSize(0);
  DestroyWindow(pictured->hwnd());
  FreeLibrary(res);
}

// Without the pictures the indicator still shows, as a plain square of the face colour.
TEST_F(IndicatorWindowTest, MissingPicturesLeaveAPlainIndicator) {
  indicator->Show(left, top);
  PumpFor(200);
  EXPECT_TRUE(IsShownAt(left, top));
  const ClientImage painted(indicator->hwnd());
  EXPECT_EQ(painted.width(), 32);
  EXPECT_EQ(painted.Pixel(16, 16), GetSysColor(COLOR_BTNFACE));
}

}  // namespace
}  // namespace ruvano
