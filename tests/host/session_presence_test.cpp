#include "monitor/session_presence.h"

#include <gtest/gtest.h>

namespace ruvano {
namespace {

// Fast user switching locks the session and takes its console away; coming back connects it
// to the lock screen, and only the unlock brings the user back. A remote session may leave
// without a lock, and a reconnect to another connection kind counts as the same return.
TEST(SessionPresence, AwayFromEachLeavingToItsCounterpart) {
  SessionPresence s;
  EXPECT_FALSE(s.Away());
  s.On(SessionEvent::Lock);
  EXPECT_TRUE(s.Away());
  s.On(SessionEvent::Disconnect);
  s.On(SessionEvent::Connect);
  EXPECT_TRUE(s.Away()) << "still at the lock screen";
  s.On(SessionEvent::Other);
  s.On(SessionEvent::Unlock);
  EXPECT_FALSE(s.Away());

  s.On(SessionEvent::Disconnect);
  EXPECT_TRUE(s.Away());
  s.On(SessionEvent::Connect);
  EXPECT_FALSE(s.Away());
}

}  // namespace
}  // namespace ruvano
