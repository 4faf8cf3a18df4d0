// The programs the add buttons offer: which windows count, one per program, order, menu text.
#include <gtest/gtest.h>

#include <string_view>

#include "fake_desktop.h"
#include "ui/app_choices.h"

namespace ruvano {
namespace {

TEST(AppChoices, OneEntryPerProgramWithATaskbarWindowSortedByName) {
  fakes::FakeDesktop desk;
  // clang-format off
  const struct { WindowId id; const char16_t *path, *cls = u"AppWindow"; WindowId root = 0; } records[] = {
      {1, u"C:\\Apps\\zed.exe"}, {2, u"C:\\Windows\\notepad.exe"},
      {3, u"C:\\Windows\\NOTEPAD.EXE"},  // the same program in another case
      {4, u"C:\\Windows\\explorer.exe", u"Shell_TrayWnd"}, {5, u"C:\\Windows\\explorer.exe", u"Progman"},
      {6, u"C:\\Windows\\explorer.exe", u"CabinetWClass"},  // a folder window is offered
      {7, u"C:\\Apps\\tool.exe"}, {8, u""},                  // 8: its program's name cannot be read
      {9, u"C:\\Windows\\System32\\ApplicationFrameHost.exe", u"ApplicationFrameWindow"},
      {10, u"C:\\Program Files\\WindowsApps\\CalculatorApp.exe", u"Windows.UI.Core.CoreWindow", 9},
      {11, u"C:\\Windows\\System32\\ApplicationFrameHost.exe", u"ApplicationFrameWindow"}};  // no app found
  // clang-format on
  for (const auto& r : records) desk.Add(r.id, {.className = r.cls, .root = r.root, .processPath = r.path});
  // Marks: h hidden, c cloaked, o owned, t tool window, a asks for a taskbar button, s this
  // program's own. Each of tool.exe's windows has one that keeps it off the taskbar.
  auto w = [](WindowId id, const char16_t* title, std::string_view marks = "") {
    auto has = [&](char m) { return marks.find(m) != marks.npos; };
    return TopWindow{id, title, !has('h'), has('c'), has('o'), has('t'), has('a'), has('s')};
  };
  // clang-format off
  const std::vector<TopWindow> windows = {
      w(1, u"Zed"), w(2, u""), w(2, u"Untitled - Notepad"), w(3, u"Other"), w(4, u"tray"),
      w(5, u"Program Manager"), w(6, u"Documents"), w(7, u"hidden", "h"), w(7, u"cloaked", "c"),
      w(7, u"owned", "o"), w(7, u"tool", "t"), w(7, u"own", "s"), w(8, u"nameless"), w(9, u"電卓", "oa"),
      w(11, u"Photos")};
  // clang-format on
  const std::vector<AppChoice> c = AppChoices(desk, windows, u"ZED.exe; other.exe");
  ASSERT_EQ(c.size(), 4u);
  EXPECT_EQ(c[0].imageName + c[1].imageName + c[2].imageName + c[3].imageName,
            u"CalculatorApp.exeexplorer.exenotepad.exezed.exe");  // a store app by the app it hosts
  EXPECT_EQ(c[2].title, u"Untitled - Notepad");                   // the first window with a title names it
  EXPECT_TRUE(c[3].listed && !c[0].listed && !c[1].listed && !c[2].listed);
}

TEST(AppChoices, TheLabelHasTwoColumnsNoAccessKeyAndAShortTitle) {
  EXPECT_EQ(AppChoiceLabel({u"a&b.exe", u"R&D\tplan\r\n"}), u"a&&b.exe\tR&&D plan  ");
  const Text x(kChoiceTitleLength - 2, u'x');
  EXPECT_EQ(AppChoiceLabel({u"a.exe", x + u"yyy"}), u"a.exe\t" + x + u"y…");
  EXPECT_EQ(AppChoiceLabel({u"a.exe", x + u"\U0001F600y"}), u"a.exe\t" + x + u"…");  // never half a pair
  EXPECT_EQ(AppChoiceLabel({u"a.exe", x + u"yy"}), u"a.exe\t" + x + u"yy");
}

}  // namespace
}  // namespace ruvano
