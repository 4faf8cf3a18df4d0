#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "wine_test_util.h"

namespace {

using ruvano::testing::ChildProcess;
using ruvano::testing::WaitForSettingsWindow;
using ruvano::testing::WaitUntil;

bool Answers(HWND w) {
  DWORD_PTR r = 0;
  return SendMessageTimeoutW(w, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &r) != 0;
}

// Payloads that no copy of the program sends: sizes that cut a code unit, a payload far too
// large for any request (under Wine it cannot even be handed to the window procedure), a
// size larger than the data behind it and a size with no data at all. The running program
// neither ends nor shows its settings window, keeps answering, and still takes a real request.
TEST(MalformedCopyData, TheRunningProgramOutlivesThemAndStillTakesTheRequest) {
  ChildProcess ruvano;
  ASSERT_TRUE(ruvano.Start(L"RUVANO.exe"));
  const HWND form = WaitForSettingsWindow(ruvano.pid());
  ASSERT_NE(form, nullptr);

  const wchar_t show[] = L"/Show";
  for (DWORD size : {1u, 3u, 7u}) {
    COPYDATASTRUCT cds{0, size, const_cast<wchar_t*>(show)};
    DWORD_PTR r = 0;
    SendMessageTimeoutW(form, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_NORMAL, 5000, &r);
  }
  std::vector<wchar_t> huge(8u << 20, L'A');  // 16 MB without a NUL
  COPYDATASTRUCT cds{0, static_cast<DWORD>(huge.size() * sizeof(wchar_t)), huge.data()};
  DWORD_PTR r = 0;
  SendMessageTimeoutW(form, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_NORMAL, 2000, &r);
  EXPECT_TRUE(Answers(form));

  const std::wstring pid = std::to_wstring(ruvano.pid());
  for (const wchar_t* sizes :
       {L"/size 2147483647 /buffer 16", L"/size 4294967295 /buffer 10", L"/size 100 /buffer 0"}) {
    ChildProcess sender;
    ASSERT_TRUE(sender.Start(L"copydata_sender.exe", L"/pid " + pid + L" " + sizes));
    // The sender ends either way: with 0 when the system handed the message over, or ended
    // by Wine when it could not read the claimed size.
    EXPECT_NE(sender.WaitExit(10000), -1) << sizes;
    EXPECT_TRUE(Answers(form)) << sizes;
  }

  ruvano::testing::PumpFor(300);
  EXPECT_EQ(ruvano.WaitExit(0), -1);
  EXPECT_FALSE(IsWindowVisible(form));
  // The request itself still works.
  COPYDATASTRUCT request{0, sizeof show, const_cast<wchar_t*>(show)};
  SendMessageTimeoutW(form, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&request), SMTO_NORMAL, 5000, &r);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(form) != FALSE; }, 3000));
  PostMessageW(form, WM_CLOSE, 0, 0);
  EXPECT_EQ(ruvano.WaitExit(10000), 0);
}

}  // namespace
