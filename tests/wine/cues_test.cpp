// The sound cue and the Scroll Lock LED through their Win32 adapters, for real: the key
// state of this thread, and the audio that reaches the sound device (which the Wine session
// writes to the file named by RUVANO_AUDIO_SINK).
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "audio_sink.h"
#include "cues/scroll_led.h"
#include "cues/win32/keyboard.h"
#include "settings/settings.h"
#include "wine_test_util.h"
#include "zeq/win32/handles.h"

namespace {

using ruvano::testing::ChildProcess;
using ruvano::testing::EnvironmentWithSink;
using ruvano::testing::FindProcessId;
using ruvano::testing::NonZeroBytes;
using ruvano::testing::PumpFor;
using ruvano::testing::SoundData;
using ruvano::testing::StartThroughWineLoader;
using ruvano::testing::UnixPath;
using ruvano::testing::WaitUntil;
using ruvano::testing::WineLoader;

bool ScrollOn() { return (GetKeyState(VK_SCROLL) & 1) != 0; }

void PressScrollLock() {
  keybd_event(VK_SCROLL, 0, KEYEVENTF_EXTENDEDKEY, 0);
  keybd_event(VK_SCROLL, 0, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, 0);
}

LPARAM g_scrollKeyDown = 0;  // lParam of the last WM_KEYDOWN of VK_SCROLL the window got

LRESULT CALLBACK KeyRecorder(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_KEYDOWN && wp == VK_SCROLL) g_scrollKeyDown = lp;
  return DefWindowProcW(w, msg, wp, lp);
}

TEST(ScrollLedUnderWine, LightsAndDarkensTheScrollLockState) {
  // A window of this thread in front receives the injected keys, as the user's window would.
  WNDCLASSW wc{};
  wc.lpfnWndProc = KeyRecorder;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"RuvanoScrollKeyRecorder";
  RegisterClassW(&wc);
  ruvano::UniqueWindow wnd(CreateWindowExW(0, wc.lpszClassName, L"Scroll Lock test", WS_POPUP | WS_VISIBLE,
                                           50, 50, 200, 100, nullptr, nullptr, wc.hInstance, nullptr));
  ASSERT_TRUE(wnd);
  SetForegroundWindow(wnd.get());
  SetFocus(wnd.get());
  PumpFor(200);

  // Switch Scroll Lock off first. The thread learns the lock state only from key events it
  // sees, so two presses bring it in step before the state is read.
  PressScrollLock();
  PumpFor(150);
  PressScrollLock();
  PumpFor(150);
  if (ScrollOn()) {
    PressScrollLock();
    ASSERT_TRUE(WaitUntil([] { return !ScrollOn(); }, 2000));
  }
  ASSERT_EQ(GetKeyState(VK_SCROLL), 0);

  ruvano::Settings settings;
  settings.SetScroll(true);
  ruvano::Win32Keyboard keyboard;
  ruvano::ScrollLed led(keyboard, settings);

  led.Off();  // already off: nothing is sent
  PumpFor(250);
  EXPECT_FALSE(ScrollOn());

  g_scrollKeyDown = 0;
  led.On();
  EXPECT_TRUE(WaitUntil(ScrollOn, 2000)) << "LED not lit";
  // Scroll Lock's own scan code 46, not the extended E0 46 of Break.
  EXPECT_EQ((g_scrollKeyDown >> 16) & 0xFF, 0x46);
  EXPECT_EQ(g_scrollKeyDown & (1 << 24), 0);
  led.On();  // already on: nothing is sent, so it stays on
  PumpFor(250);
  EXPECT_TRUE(ScrollOn());

  led.Off();
  EXPECT_TRUE(WaitUntil([] { return !ScrollOn(); }, 2000)) << "LED not darkened";

  settings.SetScroll(false);  // the option off: the key is left alone
  led.On();
  PumpFor(250);
  EXPECT_FALSE(ScrollOn());
}

// Runs the cue player with the given sound index, its audio going to a fresh file, and
// returns what was written there (empty when nothing was).
//
// The sink variable must be in the Unix environment of the playing process. Wine gives a
// Windows child the Unix environment of its parent, whatever its environment block says;
// a Unix program started through CreateProcess, however, gets the block as its
// environment. So the player is started through Wine's loader run as that Unix program.
// Such a start yields no process handle: the player sets a named event when it is done.
std::vector<std::uint8_t> PlayIntoSink(int index, bool* ran) {
  *ran = false;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring tag = std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(index + 1);
  const std::wstring sink = std::wstring(temp) + L"ruvano_sink_" + tag + L".raw";
  DeleteFileW(sink.c_str());
  const std::string unixSink = UnixPath(sink);
  if (unixSink.empty()) return {};

  const std::wstring eventName = L"RuvanoCuePlayerDone_" + tag;
  ruvano::UniqueHandle done(CreateEventW(nullptr, TRUE, FALSE, eventName.c_str()));
  if (!StartThroughWineLoader(L"cue_player.exe", std::to_wstring(index) + L" 1500 " + eventName,
                              EnvironmentWithSink(unixSink))) {
    return {};
  }
  *ran = WaitForSingleObject(done.get(), 30000) == WAIT_OBJECT_0;
  // The sink is complete once the player's process has ended and closed the device.
  ChildProcess player;
  if (*ran && player.Adopt(FindProcessId(L"cue_player.exe"))) *ran = player.WaitExit(10000) == 0;

  std::vector<std::uint8_t> bytes;
  {
    ruvano::UniqueFile file(CreateFileW(sink.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, 0, nullptr));
    std::uint8_t buf[65536];
    DWORD got = 0;
    while (file && ReadFile(file.get(), buf, sizeof(buf), &got, nullptr) && got > 0)
      bytes.insert(bytes.end(), buf, buf + got);
  }
  DeleteFileW(sink.c_str());
  return bytes;
}

TEST(SoundCueUnderWine, ChosenSoundReachesTheAudioDeviceWhole) {
  if (WineLoader().empty()) GTEST_SKIP() << "needs Wine's audio file sink";
  const auto expected = SoundData(L"4PIN");
  ASSERT_EQ(expected.size(), 156632u);
  bool ran = false;
  const auto audio = PlayIntoSink(4, &ran);  // "4pin", 816 ms
  ASSERT_TRUE(ran);
  // The device is opened in the sound's own format, so its samples pass unchanged: the sink
  // holds them all, in order, with at most silence around them.
  const auto at = std::search(audio.begin(), audio.end(), expected.begin(), expected.end());
  ASSERT_NE(at, audio.end()) << audio.size() << " bytes written, " << NonZeroBytes(audio) << " not zero";
  EXPECT_EQ(NonZeroBytes(audio), NonZeroBytes(expected));
}

TEST(SoundCueUnderWine, NoSelectionPlaysNothingOfOurs) {
  if (WineLoader().empty()) GTEST_SKIP() << "needs Wine's audio file sink";
  bool ran = false;
  const auto audio = PlayIntoSink(-1, &ran);
  ASSERT_TRUE(ran);
  EXPECT_EQ(NonZeroBytes(audio), 0u) << audio.size() << " bytes written";
}

}  // namespace
