// Whether the user is away from the session: its screen locked, or its console or remote
// connection gone. While away no window of the user is in front, so the monitor rests from
// the one event to its counterpart, and afterwards goes on as if no time had passed.
#pragma once

#include <cstdint>
#include <optional>

namespace ruvano {

// What the system reports about the session (WM_WTSSESSION_CHANGE).
enum class SessionEvent { Connect, Disconnect, Lock, Unlock, Other };

class SessionPresence {
 public:
  void On(SessionEvent event) noexcept {
    switch (event) {
      case SessionEvent::Connect: disconnected_ = false; break;
      case SessionEvent::Disconnect: disconnected_ = true; break;
      case SessionEvent::Lock: locked_ = true; break;
      case SessionEvent::Unlock: locked_ = false; break;
      case SessionEvent::Other: break;
    }
  }
  // An event about `session`; only those of our own session count (on a shared machine
  // another user's lock is theirs). With our own session unknown every event counts.
  void On(SessionEvent event, std::uint32_t session, std::optional<std::uint32_t> own) noexcept {
    if (!own || session == *own) On(event);
  }
  // A session reconnected to the lock screen is still away until it is unlocked.
  bool Away() const noexcept { return locked_ || disconnected_; }

 private:
  bool locked_ = false;
  bool disconnected_ = false;
};

}  // namespace ruvano
