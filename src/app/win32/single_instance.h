// The single-instance rule on Windows: the named mutex whose existence marks a running copy,
// the show request sent to that copy, and the start-up checks built on them.
#pragma once

#include <windows.h>

#include <cstdint>

#include "app/startup.h"
#include "zeq/contract_strings.h"
#include "zeq/win32/handles.h"

namespace ruvano {

// How long a second copy waits for the running copy to take the show request. A running copy
// that hangs must not keep the second one alive for ever.
inline constexpr DWORD kShowRequestTimeoutMs = 5000;

// The running copy's mark. Create() makes (or opens) the mutex, not owned; the object keeps
// the handle and, when it goes away, releases the mutex (which changes nothing, as it was
// never owned) and closes the handle.
class SingleInstanceMutex {
 public:
  SingleInstanceMutex() = default;
  SingleInstanceMutex(const SingleInstanceMutex&) = delete;
  SingleInstanceMutex& operator=(const SingleInstanceMutex&) = delete;
  ~SingleInstanceMutex();

  // True when another copy has made the mutex. It is opened for SYNCHRONIZE only, the least
  // that any copy may ask, and a mutex that this copy may not open at all (made by a copy
  // running as administrator) counts as found. The handle opened to look is closed again.
  static bool RunningCopyExists(const wchar_t* name = kSingleInstanceMutexName) noexcept;

  // Creates the mutex, or opens it when it exists already; failure is not reported (the
  // program then runs without the mark). Returns whether a handle is held.
  bool Create(const wchar_t* name = kSingleInstanceMutexName) noexcept;

  // Whether the last Create found the mutex made by another copy already (also when it was
  // refused access to it).
  bool existedAlready() const noexcept { return existed_; }

  bool held() const noexcept { return static_cast<bool>(handle_); }
  HANDLE handle() const noexcept { return handle_.get(); }

 private:
  UniqueHandle handle_;
  bool existed_ = false;
};

// Sends "/Show" (WM_COPYDATA) to the running copy's settings window and waits at most
// timeoutMs for it to be handled (less when the system sees the receiver hung). sender is the
// wParam; the receiver does not read it. True when a window was found and took the message.
// This copy, just started by the user, may hand its right to take the foreground on: the
// running copy gets it first, so that its window can come to the front without forcing.
bool SendShowRequestToRunningCopy(HWND sender = nullptr, DWORD timeoutMs = kShowRequestTimeoutMs) noexcept;

// For the settings window's WM_COPYDATA handler: true when the window, hidden, should show
// itself and come to the front because lParam (a COPYDATASTRUCT*, possibly 0) carries "/Show".
bool ShouldShowForCopyData(bool settingsWindowVisible, LPARAM lParam);

// The start-up checks on the real system. The host keeps the mutex that it creates: it must
// live as long as the program runs.
class Win32StartupHost final : public IStartupHost {
 public:
  void WaitMilliseconds(std::uint32_t ms) override;
  bool RunningCopyExists() override;
  void SendShowRequest() override;
  MarkResult CreateRunningMark() override;

 private:
  SingleInstanceMutex mutex_;
};

// The start-up checks for this process's command line: true when this copy should go on
// (then create the windows while host lives), false when it should end at once.
bool ShouldThisCopyRun(Win32StartupHost& host);

}  // namespace ruvano
