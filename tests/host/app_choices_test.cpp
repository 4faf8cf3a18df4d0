// The programs the add buttons offer: which windows count, one entry per program, the order,
// and the menu text.
#include <gtest/gtest.h>

#include "fake_desktop.h"
#include "ui/app_choices.h"

namespace ruvano {
namespace {

using fakes::FakeDesktop;
using fakes::FakeWindow;

FakeWindow Of(const char16_t* path, const char16_t* cls = u"AppWindow") {
  FakeWindow f;
  f.processPath = path;
  f.className = cls;
  return f;
}

// A window the taskbar would show, with its title.
TopWindow Shown(WindowId id, const char16_t* title) { return {id, title, true}; }

TEST(AppChoices, OneEntryPerProgramWithATaskbarWindowSortedByName) {
  FakeDesktop desk;
  desk.Add(1, Of(u"C:\\Apps\\zed.exe"));
  desk.Add(2, Of(u"C:\\Windows\\notepad.exe"));
  desk.Add(3, Of(u"C:\\Windows\\NOTEPAD.EXE"));  // the same program in another case
  desk.Add(4, Of(u"C:\\Windows\\explorer.exe", u"Shell_TrayWnd"));
  desk.Add(5, Of(u"C:\\Windows\\explorer.exe", u"Progman"));
  desk.Add(6, Of(u"C:\\Windows\\explorer.exe", u"CabinetWClass"));  // a folder window is offered
  desk.Add(7, Of(u"C:\\Apps\\tool.exe"));
  desk.Add(8, Of(u"C:\\Apps\\Alpha.exe"));
  desk.Add(9, Of(u""));  // its program's name cannot be read
  TopWindow owned = Shown(7, u"owned"), tool = Shown(7, u"tool"), hidden = Shown(7, u"hidden"),
            cloaked = Shown(7, u"cloaked"), own = Shown(7, u"own");
  owned.owned = tool.toolWindow = cloaked.cloaked = own.own = true;
  hidden.visible = false;
  TopWindow ownedWithButton = Shown(8, u"dialog");
  ownedWithButton.owned = ownedWithButton.appWindow = true;
  const std::vector<TopWindow> windows = {
      Shown(1, u"Zed"), Shown(2, u""), Shown(2, u"Untitled - Notepad"), Shown(3, u"Other"),
      Shown(4, u"tray"), Shown(5, u"Program Manager"), Shown(6, u"Documents"), owned, tool, hidden,
      cloaked, own, ownedWithButton, Shown(9, u"nameless")};
  const std::vector<AppChoice> choices = AppChoices(desk, windows, u"ZED.exe; other.exe");
  ASSERT_EQ(choices.size(), 4u);
  EXPECT_EQ(choices[0].imageName, u"Alpha.exe");
  EXPECT_EQ(choices[1].imageName, u"explorer.exe");
  EXPECT_EQ(choices[2].imageName, u"notepad.exe");
  EXPECT_EQ(choices[2].title, u"Untitled - Notepad");  // the first window with a title names it
  EXPECT_EQ(choices[3].imageName, u"zed.exe");
  EXPECT_TRUE(choices[3].listed);
  EXPECT_FALSE(choices[0].listed || choices[1].listed || choices[2].listed);
}

TEST(AppChoices, AStoreAppCountsByTheAppItHosts) {
  FakeDesktop desk;
  desk.Add(10, Of(u"C:\\Windows\\System32\\ApplicationFrameHost.exe", u"ApplicationFrameWindow"));
  FakeWindow core = Of(u"C:\\Program Files\\WindowsApps\\Calc\\CalculatorApp.exe", u"Windows.UI.Core.CoreWindow");
  core.root = 10;
  desk.Add(11, core);
  const std::vector<AppChoice> choices = AppChoices(desk, {Shown(10, u"電卓")}, u"");
  ASSERT_EQ(choices.size(), 1u);
  EXPECT_EQ(choices[0].imageName, u"CalculatorApp.exe");
}

TEST(AppChoices, TheLabelHasTwoColumnsNoAccessKeyAndAShortTitle) {
  EXPECT_EQ(AppChoiceLabel({u"a&b.exe", u"R&D\tplan\r\n"}), u"a&&b.exe\tR&&D plan  ");
  const Text longTitle(kChoiceTitleLength + 5, u'x');
  EXPECT_EQ(AppChoiceLabel({u"a.exe", longTitle}), u"a.exe\t" + Text(kChoiceTitleLength - 1, u'x') + u"…");
  Text pair = Text(kChoiceTitleLength - 2, u'x') + u"\U0001F600yy";  // a surrogate pair at the cut
  EXPECT_EQ(AppChoiceLabel({u"a.exe", pair}), u"a.exe\t" + Text(kChoiceTitleLength - 2, u'x') + u"…");
  EXPECT_EQ(AppChoiceLabel({u"a.exe", Text(kChoiceTitleLength, u'x')}), u"a.exe\t" + Text(kChoiceTitleLength, u'x'));
}

}  // namespace
}  // namespace ruvano
