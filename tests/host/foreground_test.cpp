#include "zeq/foreground.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace ruvano {
namespace {

// A scripted window manager. SetForeground takes effect only as the test allows: while
// input is attached, while the lock timeout is 0, or never.
class FakeForeground final : public IForegroundSystem {
 public:
  WindowId foreground = 0;
  std::map<WindowId, std::uint32_t> threads;
  OsVersion version{10, 0, 19045, OsVersion::kPlatformNt};
  std::uint32_t lockTimeout = 200000;
  bool lockReadable = true;
  bool worksWhileAttached = true;
  bool worksWithLiftedLock = true;
  std::vector<std::string> calls;

  WindowId ForegroundWindow() override {
    calls.push_back("fg?");
    return foreground;
  }
  // Windows whose thread is hung (IsHungAppWindow, or no answer to WM_NULL in time).
  std::set<WindowId> silent;
  bool IsResponding(WindowId w) override { return silent.count(w) == 0; }
  std::uint32_t WindowThreadId(WindowId w) override {
    calls.push_back("thread?");
    auto it = threads.find(w);
    return it == threads.end() ? 0 : it->second;
  }
  bool AttachInput(std::uint32_t from, std::uint32_t to, bool attach) override {
    calls.push_back(std::string(attach ? "attach " : "detach ") + std::to_string(from) + "," +
                    std::to_string(to));
    // As the system does: no thread 0, and a thread cannot be attached to itself.
    if (from == 0 || to == 0 || from == to) return false;
    attached_ = attach;
    return true;
  }
  void BringToTop(WindowId w) override { calls.push_back("top " + std::to_string(w)); }
  void SetForeground(WindowId w) override {
    calls.push_back("set " + std::to_string(w));
    if ((attached_ && worksWhileAttached) || (lockTimeout == 0 && worksWithLiftedLock)) foreground = w;
  }
  OsVersion Version() override { return version; }
  bool ReadForegroundLockTimeout(std::uint32_t& ms) override {
    calls.push_back("lock?");
    if (!lockReadable) return false;
    ms = lockTimeout;
    return true;
  }
  void WriteForegroundLockTimeout(std::uint32_t ms) override {
    calls.push_back("lock=" + std::to_string(ms));
    lockTimeout = ms;
  }

  bool Called(const std::string& prefix) const {
    for (const auto& c : calls)
      if (c.rfind(prefix, 0) == 0) return true;
    return false;
  }

 private:
  bool attached_ = false;
};

constexpr WindowId kTarget = 0x1234;
constexpr WindowId kOther = 0x5678;

FakeForeground DesktopWithOtherInFront() {
  FakeForeground sys;
  sys.foreground = kOther;
  sys.threads = {{kTarget, 11}, {kOther, 22}};
  return sys;
}

using Calls = std::vector<std::string>;

TEST(ForceForegroundWindow, AlreadyInFrontTouchesNothingElse) {
  FakeForeground sys = DesktopWithOtherInFront();
  sys.foreground = kTarget;
  EXPECT_TRUE(ForceForegroundWindow(sys, kTarget));
  EXPECT_EQ(sys.calls, Calls{"fg?"});
}

TEST(ForceForegroundWindow, AttachedInputBringsItForwardWithoutTouchingTheLock) {
  FakeForeground sys = DesktopWithOtherInFront();
  EXPECT_TRUE(ForceForegroundWindow(sys, kTarget));
  // The target's thread is attached to the foreground thread, and detached again in the same order.
  EXPECT_EQ(sys.calls, (Calls{"fg?", "fg?", "thread?", "thread?", "attach 11,22", "top 4660", "set 4660",
                              "detach 11,22", "fg?", "fg?"}));
  EXPECT_FALSE(sys.Called("lock"));
}

TEST(ForceForegroundWindow, AttachedButStillBehindTriesTheLiftedLockInTheSameCall) {
  FakeForeground sys = DesktopWithOtherInFront();
  sys.worksWhileAttached = false;
  EXPECT_TRUE(ForceForegroundWindow(sys, kTarget));
  EXPECT_EQ(sys.calls,
            (Calls{"fg?", "fg?", "thread?", "thread?", "attach 11,22", "top 4660", "set 4660", "detach 11,22",
                   "fg?", "lock?", "lock=0", "top 4660", "set 4660", "lock=200000", "fg?"}));
  EXPECT_EQ(sys.lockTimeout, 200000u);
}

TEST(ForceForegroundWindow, AttachingFailsThenTheLockIsLiftedAndRestored) {
  // No foreground window at all: its thread is 0.
  FakeForeground none = DesktopWithOtherInFront();
  none.foreground = 0;
  // The target runs on the foreground window's own thread.
  FakeForeground same = DesktopWithOtherInFront();
  same.threads[kTarget] = 22;

  for (FakeForeground* sys : {&none, &same}) {
    sys->lockTimeout = 12345;
    EXPECT_TRUE(ForceForegroundWindow(*sys, kTarget));
    EXPECT_FALSE(sys->Called("detach")) << "nothing to detach after a failed attach";
    EXPECT_TRUE(sys->Called("lock=0"));
    EXPECT_EQ(sys->calls.back(), "fg?");
    EXPECT_EQ(sys->calls[sys->calls.size() - 2], "lock=12345");
    EXPECT_EQ(sys->lockTimeout, 12345u);
  }
}

TEST(ForceForegroundWindow, AForegroundProgramThatDoesNotAnswerIsNeverAttachedTo) {
  FakeForeground sys = DesktopWithOtherInFront();
  sys.silent = {kOther};
  EXPECT_TRUE(ForceForegroundWindow(sys, kTarget));
  EXPECT_FALSE(sys.Called("attach")) << "attached to a hung thread";
  EXPECT_TRUE(sys.Called("lock=0"));
  EXPECT_EQ(sys.lockTimeout, 200000u);
}

TEST(ForceForegroundWindow, ResultComesFromTheFinalLook) {
  FakeForeground sys = DesktopWithOtherInFront();
  sys.worksWhileAttached = false;
  sys.worksWithLiftedLock = false;
  EXPECT_FALSE(ForceForegroundWindow(sys, kTarget));
  EXPECT_EQ(sys.lockTimeout, 200000u);  // restored although the attempt failed
  EXPECT_EQ(sys.foreground, kOther);
}

TEST(ForceForegroundWindow, UnreadableLockIsNeverChanged) {
  FakeForeground sys = DesktopWithOtherInFront();
  sys.worksWhileAttached = false;
  sys.lockReadable = false;
  sys.lockTimeout = 777;
  EXPECT_FALSE(ForceForegroundWindow(sys, kTarget));
  EXPECT_FALSE(sys.Called("lock="));
  EXPECT_EQ(sys.lockTimeout, 777u);
  // The attempt itself still runs.
  EXPECT_EQ((Calls{sys.calls.end() - 4, sys.calls.end()}), (Calls{"lock?", "top 4660", "set 4660", "fg?"}));
}

TEST(ForceForegroundWindow, OldSystemsGetThePlainMethod) {
  for (OsVersion v : {OsVersion{4, 0, 1381, OsVersion::kPlatformNt}, OsVersion{}}) {
    FakeForeground sys = DesktopWithOtherInFront();
    sys.version = v;
    sys.lockTimeout = 0;  // nothing holds the foreground back on these systems
    EXPECT_TRUE(ForceForegroundWindow(sys, kTarget));
    EXPECT_EQ(sys.calls, (Calls{"fg?", "top 4660", "set 4660", "fg?"}));
  }
}

TEST(ForceForegroundWindow, ForcingMethodFromWindows2000On) {
  struct Case {
    std::uint32_t platform, major, minor;
    bool forcing;
  };
  const Case cases[] = {
      {OsVersion::kPlatformNt, 3, 51, false},
      {OsVersion::kPlatformNt, 4, 0, false},
      {OsVersion::kPlatformNt, 5, 0, true},  // 2000
      {OsVersion::kPlatformNt, 6, 1, true},
      {OsVersion::kPlatformNt, 10, 0, true},
      {0, 10, 0, false},  // not the NT family
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UsesForcingMethod(OsVersion{c.major, c.minor, 0, c.platform}), c.forcing)
        << c.platform << " " << c.major << "." << c.minor;
  }
}

}  // namespace
}  // namespace ruvano
