#include "ui/app_choices.h"

#include <algorithm>

#include "monitor/excluded_apps.h"
#include "zeq/probes.h"

namespace ruvano {
namespace {

bool Offered(IDesktop& desktop, const TopWindow& w) {
  if (!w.visible || w.cloaked || w.own || w.title.empty()) return false;
  if (!w.appWindow && (w.owned || w.toolWindow)) return false;
  const Text cls = desktop.ClassName(w.id);
  return !IsDesktopClass(cls) && !IsTaskbarClass(cls);
}

bool LessInAnyCase(const Text& a, const Text& b) {
  auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; };
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [&](char16_t x, char16_t y) { return lower(x) < lower(y); });
}

// Appends text with "&" doubled and tabs and line breaks made blanks.
void AppendForMenu(Text& out, const Text& text) {
  for (char16_t c : text) {
    if (c == u'&') out += u'&';
    out += c == u'\t' || c == u'\r' || c == u'\n' ? u' ' : c;
  }
}

}  // namespace

std::vector<AppChoice> AppChoices(IDesktop& desktop, const std::vector<TopWindow>& windows,
                                  const Text& list) {
  const std::vector<Text> listed = ExcludedAppNames(list);
  std::vector<AppChoice> choices;
  for (const TopWindow& w : windows) {
    if (!Offered(desktop, w)) continue;
    const Text name = AppImageName(desktop, w.id);
    if (name.empty() || IsStoreAppHost(name) ||
        std::any_of(choices.begin(), choices.end(),
                    [&](const AppChoice& c) { return SameImageName(c.imageName, name); }))
      continue;
    choices.push_back({name, w.title, IsExcludedApp(listed, name)});
  }
  std::stable_sort(choices.begin(), choices.end(), [](const AppChoice& a, const AppChoice& b) {
    return LessInAnyCase(a.imageName, b.imageName);
  });
  return choices;
}

Text AppChoiceLabel(const AppChoice& choice) {
  Text title = choice.title;
  if (title.size() > kChoiceTitleLength) {
    std::size_t cut = kChoiceTitleLength - 1;
    // Never half of a surrogate pair.
    if (title[cut - 1] >= 0xD800 && title[cut - 1] <= 0xDBFF) --cut;
    title = title.substr(0, cut) + u"…";
  }
  Text label;
  AppendForMenu(label, choice.imageName);
  label += u'\t';
  AppendForMenu(label, title);
  return label;
}

}  // namespace ruvano
