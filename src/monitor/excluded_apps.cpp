#include "monitor/excluded_apps.h"

namespace ruvano {
namespace {

char16_t LowerAscii(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}
bool IsBlank(char16_t c) { return c <= u' '; }

}  // namespace

Text ImageFileName(const Text& path) {
  const auto cut = path.find_last_of(u"\\:");
  return cut == Text::npos ? path : path.substr(cut + 1);
}

bool SameImageName(const Text& a, const Text& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

std::vector<Text> ExcludedAppNames(const Text& list) {
  std::vector<Text> names;
  std::size_t start = 0;
  while (start <= list.size()) {
    std::size_t end = list.find(u';', start);
    if (end == Text::npos) end = list.size();
    std::size_t first = start, last = end;
    while (first < last && IsBlank(list[first])) ++first;
    while (last > first && IsBlank(list[last - 1])) --last;
    if (last > first) names.push_back(list.substr(first, last - first));
    start = end + 1;
  }
  return names;
}

bool IsExcludedApp(const Text& list, const Text& imageName) {
  return IsExcludedApp(ExcludedAppNames(list), imageName);
}

bool IsExcludedApp(const std::vector<Text>& names, const Text& imageName) {
  if (imageName.empty()) return false;
  for (const Text& name : names)
    if (SameImageName(name, imageName)) return true;
  return false;
}

Text WithExcludedApp(const Text& list, const Text& imageName) {
  if (imageName.empty() || IsExcludedApp(list, imageName)) return list;
  std::size_t end = list.size();
  while (end > 0 && IsBlank(list[end - 1])) --end;
  Text joined = list.substr(0, end);
  if (!joined.empty() && joined.back() != u';') joined += u';';
  return joined + imageName;
}

bool IsStoreAppHost(const Text& imageName) { return SameImageName(imageName, u"ApplicationFrameHost.exe"); }

Text AppImageName(IDesktop& desktop, WindowId w) {
  return AppImageName(desktop, w, desktop.GetWindowProcessPath(w));
}

Text AppImageName(IDesktop& desktop, WindowId w, const Text& processPath) {
  Text name = ImageFileName(processPath);
  // A store app's window is a frame of the host process with the app's own window inside.
  if (IsStoreAppHost(name))
    if (const WindowId app = desktop.HostedAppWindow(w))
      name = ImageFileName(desktop.GetWindowProcessPath(app));
  return name;
}

}  // namespace ruvano
