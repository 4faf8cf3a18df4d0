#include "monitor/win32/sentinel_win32.h"

namespace ruvano {

bool Sentinel::Start(HWND window, UINT message, DWORD periodMs, DWORD quietMs) noexcept {
  if (thread_) return true;
  window_ = window;
  message_ = message;
  periodMs_ = periodMs;
  quietMs_ = quietMs;
  ::InterlockedExchange(&stop_, 0);
  thread_ = ::CreateThread(nullptr, 0, &Sentinel::Main, this, 0, nullptr);
  return thread_ != nullptr;
}

void Sentinel::Stop() noexcept {
  if (!thread_) return;
  ::InterlockedExchange(&stop_, 1);
  ::WaitForSingleObject(thread_, INFINITE);
  ::CloseHandle(thread_);
  thread_ = nullptr;
}

DWORD WINAPI Sentinel::Main(void* self) noexcept {
  Sentinel& s = *static_cast<Sentinel*>(self);
  LASTINPUTINFO input{};
  input.cbSize = sizeof(input);
  DWORD lastInput = ::GetLastInputInfo(&input) ? input.dwTime : 0;
  HWND front = ::GetForegroundWindow();
  while (::InterlockedCompareExchange(&s.stop_, 0, 0) == 0) {
    ::Sleep(s.periodMs_);
    const HWND nowFront = ::GetForegroundWindow();
    bool wake = nowFront != front;
    front = nowFront;
    if (::GetLastInputInfo(&input) && input.dwTime != lastInput) {
      // Input that follows input closely finds the GUI thread watching already.
      wake = wake || input.dwTime - lastInput >= s.quietMs_;
      lastInput = input.dwTime;
    }
    if (wake) ::PostMessageW(s.window_, s.message_, 0, 0);
  }
  return 0;
}

}  // namespace ruvano
