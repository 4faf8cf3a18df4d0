#include <gtest/gtest.h>
#include <windows.h>
#include <imm.h>
#include <shellapi.h>

#ifndef IMC_GETOPENSTATUS
#define IMC_GETOPENSTATUS 0x0005
#define IMC_SETOPENSTATUS 0x0006
#endif

#include "wine_test_util.h"

using ruvano::testing::FakeImeTarget;
using ruvano::testing::WaitUntil;

// The fake target comes to the front, and its own "IME" window answers the open-status
// query from another process as the test sets it.
TEST(FakeImeTarget, ComesToFrontAndReportsTheStatusTheTestSets) {
  FakeImeTarget target;
  ASSERT_TRUE(target.Start(L"fake target selftest"));
  EXPECT_TRUE(target.Activate());
  HWND ime = nullptr;
  EnumThreadWindows(
      GetWindowThreadProcessId(target.window(), nullptr),
      [](HWND w, LPARAM lp) -> BOOL {
        wchar_t cls[16] = {};
        GetClassNameW(w, cls, 16);
        if (lstrcmpW(cls, L"IME") == 0) {
          *reinterpret_cast<HWND*>(lp) = w;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&ime));
  ASSERT_NE(ime, nullptr);
  EXPECT_EQ(SendMessageW(ime, WM_IME_CONTROL, IMC_GETOPENSTATUS, 0), 0);
  target.SetOpen(true);
  EXPECT_NE(SendMessageW(ime, WM_IME_CONTROL, IMC_GETOPENSTATUS, 0), 0);
  target.SetOpen(false);
  EXPECT_EQ(SendMessageW(ime, WM_IME_CONTROL, IMC_GETOPENSTATUS, 0), 0);
}
