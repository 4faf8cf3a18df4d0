// GoogleTest customisation for the MinGW build of the Wine tests: this toolchain's win32
// thread model has no std::mutex/std::condition_variable, which GoogleTest's Notification
// uses. Our tests are single-threaded, so a plain atomic flag serves.
#pragma once

#include <atomic>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
 public:
  Notification() = default;
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;
  void Notify() { notified_.store(true); }
  void WaitForNotification() {
    while (!notified_.load()) {}
  }

 private:
  std::atomic<bool> notified_{false};
};

}  // namespace internal
}  // namespace testing
