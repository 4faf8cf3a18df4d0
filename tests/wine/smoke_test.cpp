#include <gtest/gtest.h>
#include <windows.h>

// The test exe runs under Wine (or Windows) with a window station: a window can be made.
TEST(WineSession, CreatesAWindow) {
  HWND w =
      CreateWindowExW(0, L"STATIC", L"probe", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(IsWindow(w));
  DestroyWindow(w);
}
