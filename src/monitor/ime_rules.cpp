#include "monitor/ime_rules.h"

#include <algorithm>

#include "monitor/excluded_apps.h"

namespace ruvano {

const std::vector<Text>& ImeRules::Names::Of(const Text& list) {
  if (list != text) {
    text = list;
    names = ExcludedAppNames(text);
  }
  return names;
}

void ImeRules::Activated(IDesktop& desktop, WindowId w) {
  pending_ = w;
  std::erase_if(memory_, [&](const auto& entry) { return !desktop.IsWindow(entry.first); });
}

ImeSet ImeRules::Reading(WindowId w, bool open, const Settings& settings,
                         const std::function<Text()>& imageName) {
  ImeSet set;
  if (w == pending_) {
    pending_ = 0;
    set = Decide(w, open, settings, imageName);
  }
  if (!settings.RememberIme())
    memory_.clear();
  else
    Remember(w, set.by == ImeSetBy::Nothing ? open : set.open);
  return set;
}

ImeSet ImeRules::Decide(WindowId w, bool open, const Settings& settings,
                        const std::function<Text()>& imageName) {
  const std::vector<Text>& off = off_.Of(settings.ImeOffApps());
  const std::vector<Text>& on = on_.Of(settings.ImeOnApps());
  if (!off.empty() || !on.empty()) {
    const Text name = imageName();
    if (IsExcludedApp(off, name)) return open ? ImeSet{ImeSetBy::OffRule, false} : ImeSet{};
    if (IsExcludedApp(on, name)) return open ? ImeSet{} : ImeSet{ImeSetBy::OnRule, true};
  }
  if (!settings.RememberIme()) return {};
  const auto it =
      std::find_if(memory_.begin(), memory_.end(), [&](const auto& entry) { return entry.first == w; });
  if (it == memory_.end() || it->second == open) return {};
  return {ImeSetBy::Memory, it->second};
}

void ImeRules::Remember(WindowId w, bool open) {
  for (auto& entry : memory_)
    if (entry.first == w) {
      entry.second = open;
      return;
    }
  memory_.emplace_back(w, open);
}

}  // namespace ruvano
