#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "zeq/probes.h"

namespace ruvano {
namespace {

// Top-level windows in enumeration order, each with a class and a list of direct children.
class FakeWindows : public IWindowEnumerator {
 public:
  struct Win {
    WindowId handle;
    Text cls;
    std::vector<Text> children;
  };
  std::vector<Win> top;
  std::vector<WindowId> visited;

  void EnumTopLevelWindows(const std::function<bool(WindowId)>& visit) override {
    for (const Win& w : top) {
      visited.push_back(w.handle);
      if (!visit(w.handle)) return;
    }
  }
  Text ClassName(WindowId h) override {
    for (const Win& w : top)
      if (w.handle == h) return w.cls;
    return {};
  }
  WindowId FindChildOfClass(WindowId parent, const Text& cls) override {
    for (const Win& w : top)
      if (w.handle == parent)
        for (std::size_t i = 0; i < w.children.size(); ++i)
          if (w.children[i] == cls) return parent * 100 + static_cast<WindowId>(i) + 1;
    return 0;
  }
};

TEST(FindDesktopWindow, TakesTheFirstProgmanOrWorkerWWithTheShellViewAndStops) {
  FakeWindows wins;
  wins.top = {{10, u"Notepad", {u"SHELLDLL_DefView"}},  // right child, wrong class
              {11, u"Progman", {u"Edit"}},              // right class, no shell view
              {12, u"WorkerW", {}},
              {13, u"WorkerW", {u"SysListView32", u"SHELLDLL_DefView"}},
              {14, u"Progman", {u"SHELLDLL_DefView"}}};
  WindowId desktop = 999;
  EXPECT_EQ(FindDesktopWindow(wins, desktop), 13u);
  EXPECT_EQ(desktop, 13u);
  EXPECT_EQ(wins.visited, (std::vector<WindowId>{10, 11, 12, 13}));
}

TEST(FindDesktopWindow, ProgmanWithTheShellViewIsFoundToo) {
  FakeWindows wins;
  wins.top = {{5, u"Shell_TrayWnd", {}},
              {6, u"Progman", {u"SHELLDLL_DefView"}},
              {7, u"WorkerW", {u"SHELLDLL_DefView"}}};
  WindowId desktop = 0;
  EXPECT_EQ(FindDesktopWindow(wins, desktop), 6u);
}

TEST(FindDesktopWindow, GivesZeroWhenNothingMatchesWhateverWasStoredBefore) {
  FakeWindows wins;
  // Class names are compared exactly: these are not the desktop.
  wins.top = {{1, u"progman", {u"SHELLDLL_DefView"}},
              {2, u"WorkerW ", {u"SHELLDLL_DefView"}},
              {3, u"Progman", {u"shelldll_defview"}}};
  WindowId desktop = 42;
  EXPECT_EQ(FindDesktopWindow(wins, desktop), 0u);
  EXPECT_EQ(desktop, 0u);

  FakeWindows empty;
  desktop = 42;
  EXPECT_EQ(FindDesktopWindow(empty, desktop), 0u);
  EXPECT_EQ(desktop, 0u);
}

}  // namespace
}  // namespace ruvano
