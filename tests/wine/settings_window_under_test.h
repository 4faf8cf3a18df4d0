// The settings window on its own, without an application window, with events that record
// what the window asks of the program.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "settings/settings.h"
#include "ui/win32/settings_window.h"

namespace ruvano::testing {

class SettingsWindowUnderTest {
 public:
  explicit SettingsWindowUnderTest(Settings& settings) : settings_(settings) {}

  bool Open(int x = 40, int y = 40) {
    settings_.SetLeft(x);
    settings_.SetTop(y);
    window = SettingsWindow::Create(settings_,
                                    {.shown = nullptr,
                                     .closing = [this] { ++closeRequests; },
                                     .preview = [this](bool on) { previews.push_back(on); },
                                     .hintSwitchedOff = [this] { ++hintHidden; },
                                     .copyData = nullptr,
                                     .diagnose = [this] { ++diagnosisRequests; }},
                                    nullptr);
    return window != nullptr;
  }

  HWND hwnd() const { return window ? window->hwnd() : nullptr; }
  HWND Item(int id) const { return GetDlgItem(hwnd(), id); }
  HWND SoundItem(bool on, int index) const {
    return Item((on ? IDC_SOUND_ON_FIRST : IDC_SOUND_OFF_FIRST) + index);
  }
  HWND PositionItem(int index) const { return Item(IDC_POSITION_FIRST + index); }
  void Show() {
    window->Show();
    ::UpdateWindow(hwnd());
  }
  void Hide() { ::ShowWindow(hwnd(), SW_HIDE); }
  // The program's message loop step: the toolbar's access keys, then the dialog keys.
  bool PreTranslate(MSG& msg) { return window->PreTranslateMessage(msg); }

  std::unique_ptr<SettingsWindow> window;
  std::vector<bool> previews;
  int hintHidden = 0;
  int closeRequests = 0;
  int diagnosisRequests = 0;

 private:
  Settings& settings_;
};

}  // namespace ruvano::testing
