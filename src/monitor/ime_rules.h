// The IME state that RUVANO sets on its own: programs whose windows come to the front with
// the IME off ("ImeOffApps") or on ("ImeOnApps"), and, with "RememberIme", the state each
// window was left with. Portable: the tick reports what it reads and applies what this
// decides. A program on the exclusion list is never read, so it is left alone.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "monitor/desktop.h"
#include "settings/settings.h"
#include "zeq/types.h"

namespace ruvano {

// What set the IME of the window in front, if anything did.
enum class ImeSetBy { Nothing, OffRule, OnRule, Memory };

struct ImeSet {
  ImeSetBy by = ImeSetBy::Nothing;
  bool open = false;  // the state to set, when by is not Nothing
};

class ImeRules {
 public:
  // w came to the front: the first answered reading of it decides once. Forgets the windows
  // that no longer exist, so that a handle the system gives again starts with no memory.
  void Activated(IDesktop& desktop, WindowId w);

  // An answered reading of the IME of w, the window in front: open as the tick counts it.
  // At the first one since w's activation: the state to set, when it differs from open. The
  // OFF list wins over the ON list, and either over the memory. imageName is asked only when
  // a list is not empty. Every reading, and the state set, is remembered as w's own while
  // RememberIme is on; it is kept in memory only.
  ImeSet Reading(WindowId w, bool open, const Settings& settings, const std::function<Text()>& imageName);

 private:
  // A list's names, split again only when its text changes.
  struct Names {
    Text text;
    std::vector<Text> names;
    const std::vector<Text>& Of(const Text& list);
  };

  ImeSet Decide(WindowId w, bool open, const Settings& settings, const std::function<Text()>& imageName);
  void Remember(WindowId w, bool open);

  WindowId pending_ = 0;  // the window activated and not yet read
  Names off_, on_;
  std::vector<std::pair<WindowId, bool>> memory_;
};

}  // namespace ruvano
