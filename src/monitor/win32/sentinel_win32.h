// The quiet looks between the GUI thread's: a thread of its own notes the two things that
// start a closer watch, the user's input (its time only, never what it was) and a new window
// in front. It asks only the system, and posts to the GUI thread only when one of them
// changed, so that while nothing happens the GUI thread sleeps: a timer message costs it
// several times what these two questions cost a sleeping thread.
#pragma once

#include <windows.h>

namespace ruvano {

class Sentinel {
 public:
  Sentinel() noexcept = default;
  ~Sentinel() { Stop(); }
  Sentinel(const Sentinel&) = delete;
  Sentinel& operator=(const Sentinel&) = delete;

  // Every periodMs, posts `message` to `window` when input came after a quiet while of
  // quietMs, or another window is in front. False when the thread cannot be made.
  bool Start(HWND window, UINT message, DWORD periodMs, DWORD quietMs) noexcept;
  // Ends the thread; it asks only the system, so it ends within one period.
  void Stop() noexcept;

 private:
  static DWORD WINAPI Main(void* self) noexcept;

  HANDLE thread_ = nullptr;
  volatile LONG stop_ = 0;
  HWND window_ = nullptr;
  UINT message_ = 0;
  DWORD periodMs_ = 0;
  DWORD quietMs_ = 0;
};

}  // namespace ruvano
