#include <gtest/gtest.h>
#include <windows.h>
#include <sddl.h>

#include <vector>

#include "app/show_request.h"
#include "app/startup.h"
#include "app/win32/single_instance.h"
#include "wine_test_util.h"

namespace {

using ruvano::SingleInstanceMutex;
using ruvano::testing::ChildProcess;
using ruvano::testing::FindProcessWindow;
using ruvano::testing::WaitUntil;

// A stand-in running copy (targets/show_request_target.cpp): its "TmainForm" window
// captioned "RUVANO" records the WM_COPYDATA messages it receives.
class RunningCopy {
 public:
  bool Start(bool holdMutex) {
    if (!proc_.Start(L"show_request_target.exe", holdMutex ? L"/mutex" : L"")) return false;
    WaitUntil([&] { return (wnd_ = FindProcessWindow(proc_.pid(), L"TmainForm", L"RUVANO")) != nullptr; },
              10000);
    return wnd_ != nullptr;
  }
  LRESULT Query(UINT code, WPARAM wp = 0) { return SendMessageW(wnd_, WM_APP + code, wp, 0); }
  int Received() { return static_cast<int>(Query(1)); }
  std::vector<int> LastPayload() {
    std::vector<int> bytes;
    const int size = static_cast<int>(Query(2));
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<int>(Query(3, i)));
    return bytes;
  }
  void Hang(DWORD ms) { PostMessageW(wnd_, WM_APP + 5, ms, 0); }
  bool Answers() {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(wnd_, WM_NULL, 0, 0, SMTO_NORMAL, 50, &result) != 0;
  }
  void Kill() {
    proc_.Kill();
    wnd_ = nullptr;
  }

 private:
  ChildProcess proc_;
  HWND wnd_ = nullptr;
};

DWORD WINAPI TakeAndReleaseMutex(void* h) {
  if (WaitForSingleObject(static_cast<HANDLE>(h), 0) != WAIT_OBJECT_0) return 0;
  ReleaseMutex(static_cast<HANDLE>(h));
  return 1;
}

TEST(SingleInstanceMutex, ExistsWhileAHandleIsHeldAndIsNeverOwned) {
  ASSERT_FALSE(SingleInstanceMutex::RunningCopyExists());
  {
    SingleInstanceMutex mark;
    ASSERT_TRUE(mark.Create());
    EXPECT_TRUE(SingleInstanceMutex::RunningCopyExists());
    // Not owned by the creating thread: another thread can take it at once.
    HANDLE t = CreateThread(nullptr, 0, TakeAndReleaseMutex, mark.handle(), 0, nullptr);
    ASSERT_NE(t, nullptr);
    WaitForSingleObject(t, 5000);
    DWORD took = 0;
    GetExitCodeThread(t, &took);
    CloseHandle(t);
    EXPECT_EQ(took, 1u);
    // A second creation (a copy started with /w) opens the same mutex.
    SingleInstanceMutex again;
    EXPECT_TRUE(again.Create());
  }
  // With the last handle closed the mutex is gone.
  EXPECT_FALSE(SingleInstanceMutex::RunningCopyExists());
}

TEST(SingleInstanceMutex, SeesTheMutexOfAnotherProcess) {
  RunningCopy copy;
  ASSERT_TRUE(copy.Start(true));
  EXPECT_TRUE(SingleInstanceMutex::RunningCopyExists());
  copy.Kill();
  EXPECT_FALSE(SingleInstanceMutex::RunningCopyExists());
}

// A copy running as administrator makes the mutex where a plain copy may not open it for
// everything: here, with a security descriptor that grants SYNCHRONIZE only, then nothing.
TEST(SingleInstanceMutex, AMutexThisCopyMayNotFullyOpenStillMarksARunningCopy) {
  for (const wchar_t* sddl : {L"D:(A;;0x00100000;;;WD)", L"D:"}) {
    PSECURITY_DESCRIPTOR sd = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &sd, nullptr));
    SECURITY_ATTRIBUTES sa{sizeof(sa), sd, FALSE};
    HANDLE elevated = CreateMutexW(&sa, FALSE, ruvano::kSingleInstanceMutexName);
    LocalFree(sd);
    ASSERT_NE(elevated, nullptr);
    EXPECT_TRUE(SingleInstanceMutex::RunningCopyExists()) << sddl;
    // Creating it is refused too, or finds it made: either way it is another copy's.
    SingleInstanceMutex mark;
    mark.Create();
    EXPECT_TRUE(mark.existedAlready()) << sddl;
    CloseHandle(elevated);
  }
}

TEST(ShowRequestSender, DeliversTheFourteenBytesToTheRunningCopy) {
  RunningCopy copy;
  ASSERT_TRUE(copy.Start(false));
  EXPECT_TRUE(ruvano::SendShowRequestToRunningCopy());
  EXPECT_EQ(copy.Received(), 1);
  EXPECT_EQ(copy.LastPayload(), (std::vector<int>{0x2F, 0, 0x53, 0, 0x68, 0, 0x6F, 0, 0x77, 0, 0, 0, 0, 0}));
  EXPECT_EQ(copy.Query(4), 0);  // dwData: no arguments
  EXPECT_EQ(copy.Query(6), 1);  // the receiver's check accepts it
}

TEST(ShowRequestSender, WithoutARunningCopyNothingIsSent) {
  // The stand-in of the test before may still be going: under Wine its window can outlive the
  // end of its process for a moment.
  ASSERT_TRUE(WaitUntil([] { return FindWindowW(L"TmainForm", L"RUVANO") == nullptr; }, 5000));
  EXPECT_FALSE(ruvano::SendShowRequestToRunningCopy());
}

TEST(ShowRequestSender, AHungRunningCopyDoesNotHoldTheSender) {
  RunningCopy copy;
  ASSERT_TRUE(copy.Start(false));
  copy.Hang(60000);
  // The request must meet a copy that has stopped taking messages.
  ASSERT_TRUE(WaitUntil([&] { return !copy.Answers(); }, 5000));
  const DWORD start = GetTickCount();
  EXPECT_FALSE(ruvano::SendShowRequestToRunningCopy());
  const DWORD waited = GetTickCount() - start;
  EXPECT_LE(waited, ruvano::kShowRequestTimeoutMs + 2000);
  std::printf("sender gave up after %lu ms (bound %lu ms)\n", static_cast<unsigned long>(waited),
              static_cast<unsigned long>(ruvano::kShowRequestTimeoutMs));
}

TEST(StartupWin32, SecondCopyAsksTheRunningOneOnlyWithoutArguments) {
  RunningCopy copy;
  ASSERT_TRUE(copy.Start(true));
  {
    ruvano::Win32StartupHost host;
    EXPECT_EQ(ruvano::DecideStartup({}, host), ruvano::StartupDecision::kEnd);
    EXPECT_EQ(copy.Received(), 1);
    EXPECT_EQ(ruvano::DecideStartup({u"/x"}, host), ruvano::StartupDecision::kEnd);
    EXPECT_EQ(ruvano::DecideStartup({u"/W"}, host), ruvano::StartupDecision::kEnd);
    EXPECT_EQ(copy.Received(), 1);

    const DWORD start = GetTickCount();
    EXPECT_EQ(ruvano::DecideStartup({u"/w"}, host), ruvano::StartupDecision::kRun);
    EXPECT_GE(GetTickCount() - start, 900u);  // the switch waits about a second first
    EXPECT_EQ(copy.Received(), 1);
  }  // the host lets go of the mutex it opened after "/w"

  copy.Kill();
  ruvano::Win32StartupHost alone;
  EXPECT_EQ(ruvano::DecideStartup({}, alone), ruvano::StartupDecision::kRun);
}

// Another copy makes the mutex right after this one has looked for it: two starts at once.
class RacedStartupHost final : public ruvano::IStartupHost {
 public:
  ~RacedStartupHost() override { CloseHandle(other_); }
  void WaitMilliseconds(std::uint32_t ms) override { real_.WaitMilliseconds(ms); }
  bool RunningCopyExists() override {
    const bool exists = real_.RunningCopyExists();
    other_ = CreateMutexW(nullptr, FALSE, ruvano::kSingleInstanceMutexName);
    return exists;
  }
  void SendShowRequest() override { real_.SendShowRequest(); }
  ruvano::MarkResult CreateRunningMark() override { return real_.CreateRunningMark(); }

 private:
  ruvano::Win32StartupHost real_;
  HANDLE other_ = nullptr;
};

TEST(StartupWin32, ACopyThatFindsTheMutexMadeWhenItCreatesItEndsAndAsksTheOther) {
  RunningCopy other;
  ASSERT_TRUE(other.Start(false));
  RacedStartupHost host;
  EXPECT_EQ(ruvano::DecideStartup({}, host), ruvano::StartupDecision::kEnd);
  EXPECT_EQ(other.Received(), 1);
}

}  // namespace
