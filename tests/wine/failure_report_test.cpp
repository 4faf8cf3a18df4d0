#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "zeq/win32/failure_report.h"
#include "zeq/win32/window.h"

namespace ruvano {
namespace {

// OutputDebugStringW raises a first-chance exception that carries the text (as the debuggers
// and DebugView see it): the wide one on Windows 10 and later, the ANSI one (its text
// converted) on Wine 8. A vectored handler reads it there and lets it go on.
std::vector<std::wstring> g_wide, g_ansi, g_lines;

LONG CALLBACK CatchDebugOutput(EXCEPTION_POINTERS* e) {
  const EXCEPTION_RECORD& r = *e->ExceptionRecord;
  if (r.ExceptionCode == DBG_PRINTEXCEPTION_WIDE_C && r.NumberParameters >= 2) {
    g_wide.emplace_back(reinterpret_cast<const wchar_t*>(r.ExceptionInformation[1]));
  } else if (r.ExceptionCode == DBG_PRINTEXCEPTION_C && r.NumberParameters >= 2) {
    const std::string text(reinterpret_cast<const char*>(r.ExceptionInformation[1]));
    g_ansi.emplace_back(text.begin(), text.end());  // our lines are ASCII
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

struct DebugOutput {
  PVOID handler = AddVectoredExceptionHandler(1, &CatchDebugOutput);
  DebugOutput() {
    g_wide.clear();
    g_ansi.clear();
  }
  ~DebugOutput() { RemoveVectoredExceptionHandler(handler); }
  // The lines written since this object was made.
  const std::vector<std::wstring>& Lines() { return g_lines = g_wide.empty() ? g_ansi : g_wide; }
};

class ThrowingWindow : public Window {
 public:
  bool Create() {
    WNDCLASSEXW wc{};
    wc.lpszClassName = L"RuvanoThrowingWnd";
    return RegisterClassOnce(wc) &&
           CreateWindowFor({.className = wc.lpszClassName, .width = 10, .height = 10}) != nullptr;
  }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_APP) throw std::runtime_error("failing handler");
    return Window::HandleMessage(msg, wp, lp);
  }
};

TEST(FailureReport, WritesOnePrefixedLineAndCutsALongText) {
  DebugOutput output;
  ReportFailure(L"the settings were not saved");
  ReportFailure(L"the settings file could not be opened", ERROR_SHARING_VIOLATION);
  ReportFailure(std::wstring(2000, L'x').c_str(), 4294967295u);
  ASSERT_EQ(output.Lines().size(), 3u);
  EXPECT_EQ(g_lines[0], L"RUVANO: the settings were not saved\n");
  EXPECT_EQ(g_lines[1], L"RUVANO: the settings file could not be opened (error 32)\n");
  EXPECT_EQ(g_lines[2].size(), 511u);
  EXPECT_EQ(g_lines[2].back(), L'\n');
}

TEST(FailureReport, AFailingWindowHandlerIsAnsweredByDefaultAndReported) {
  ThrowingWindow w;
  ASSERT_TRUE(w.Create());
  DebugOutput output;
  EXPECT_EQ(SendMessageW(w.hwnd(), WM_APP, 0, 0), 0);
  ASSERT_EQ(output.Lines().size(), 1u);
  EXPECT_EQ(g_lines[0], L"RUVANO: the handler of window message 0x8000 failed; the default one answered\n");
}

}  // namespace
}  // namespace ruvano
