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

// On a shared machine each session's events reach every listener: another user's lock is not
// ours. Where our own session cannot be told, every event counts, as before.
TEST(SessionPresence, OnlyOurOwnSessionsEventsCount) {
  const struct {
    std::uint32_t session;
    std::optional<std::uint32_t> own;
    bool away;
  } cases[] = {{1, 1, true}, {2, 1, false}, {0, 1, false}, {2, std::nullopt, true}};
  for (const auto& c : cases) {
    SessionPresence s;
    s.On(SessionEvent::Lock, c.session, c.own);
    EXPECT_EQ(s.Away(), c.away) << "session " << c.session;
  }
}

}  // namespace
}  // namespace ruvano
