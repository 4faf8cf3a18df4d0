#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "app/win32/close_query.h"
#include "app/win32/program.h"
#include "wine_test_util.h"
#include "zeq/win32/handles.h"

namespace ruvano {
namespace {

using testing::TempFolder;
using testing::WaitUntil;

// This thread's settings window.
HWND OwnSettingsWindow() {
  for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"TmainForm", L"RUVANO"));) {
    if (GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId()) return w;
  }
  return nullptr;
}

bool Saved(const TempFolder& folder) {
  return folder.Read(L"RUVANO.ini").find("[Config]") != std::string::npos;
}

// Scroll Lock lit; each key event notes whether the settings file exists yet, and throws
// while fail is set.
struct LitKeyboard final : IKeyboard {
  explicit LitKeyboard(const TempFolder& folder) : folder(folder) {}
  std::int16_t KeyState(std::uint8_t) override { return 1; }
  std::uint32_t ScanCode(std::uint8_t) override { return 0x46; }
  void KeyEvent(std::uint8_t, std::uint8_t, std::uint32_t) override {
    ++events;
    fileBeforeLed = fileBeforeLed || Saved(folder);
    if (fail) throw std::runtime_error("led failure");
  }
  const TempFolder& folder;
  int events = 0;
  bool fail = false;
  bool fileBeforeLed = false;
};

TEST(CloseQuery, DarkensTheLedThenSavesOnceForAnEndingAndAFailingStepStopsNothing) {
  TempFolder folder;
  const Text file = ToText(folder.path() + L"RUVANO.ini");
  Settings settings;
  settings.SetScroll(true);
  LitKeyboard keyboard(folder);
  ScrollLed led(keyboard, settings);
  CloseQuery query(led, settings, file);

  keyboard.fail = true;
  query.Run();
  EXPECT_EQ(keyboard.events, 1);
  EXPECT_TRUE(Saved(folder)) << "the failed LED step kept the file from being written";
  EXPECT_FALSE(keyboard.fileBeforeLed);

  DeleteFileW(ToWide(file).c_str());
  query.Run();  // the same ending asks again
  EXPECT_EQ(keyboard.events, 1);
  EXPECT_FALSE(Saved(folder));

  query.CalledOff();  // the logon went on; the next ending runs it again
  keyboard.fail = false;
  query.Run();
  EXPECT_EQ(keyboard.events, 3);
  EXPECT_TRUE(Saved(folder));
}

// Whichever window the system asks whether the logon may end, the program agrees and saves,
// once; called off, it goes on, and its next end (here the quit button) saves again, with
// the window's place. The end of the message loop saves as well.
TEST(Program, EveryWayToTheEndRunsTheCloseQueryOnce) {
  TempFolder folder;
  const std::wstring file = folder.path() + L"RUVANO.ini";
  std::unique_ptr<Program> program = Program::Create(ToText(file));
  ASSERT_NE(program, nullptr);
  const HWND form = OwnSettingsWindow();
  ASSERT_NE(form, nullptr);
  const HWND app = GetWindow(form, GW_OWNER);

  EXPECT_EQ(SendMessageW(form, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  EXPECT_TRUE(Saved(folder));
  DeleteFileW(file.c_str());
  EXPECT_EQ(SendMessageW(app, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  EXPECT_FALSE(Saved(folder));

  SendMessageW(form, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
  EXPECT_TRUE(IsWindow(form));
  SetWindowPos(form, nullptr, 300, 310, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  const HWND toolbar = FindWindowExW(form, nullptr, L"ToolbarWindow32", nullptr);
  SendMessageW(form, WM_COMMAND, MAKEWPARAM(IDC_CLOSE, BN_CLICKED), reinterpret_cast<LPARAM>(toolbar));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(form); }, 3000));
  const std::string saved = folder.Read(L"RUVANO.ini");
  EXPECT_NE(saved.find("Top=310\r\nLeft=300\r\n"), std::string::npos) << saved;
  program.reset();

  // A WM_QUIT from elsewhere ends the loop without a close.
  DeleteFileW(file.c_str());
  program = Program::Create(ToText(file));
  ASSERT_NE(program, nullptr);
  PostQuitMessage(0);
  program->Run();
  EXPECT_TRUE(Saved(folder));
  program.reset();

  // A settings file that cannot be written does not keep the window from closing.
  program = Program::Create(ToText(folder.path() + L"missing\\RUVANO.ini"));
  ASSERT_NE(program, nullptr);
  SendMessageW(OwnSettingsWindow(), WM_CLOSE, 0, 0);
  EXPECT_EQ(OwnSettingsWindow(), nullptr);
}

}  // namespace
}  // namespace ruvano
