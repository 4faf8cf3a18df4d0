// A small top-level window that hosts the settings panel the way the settings window does:
// it forwards the panel's messages, resizes itself to the client size the panel asks for,
// and records what the panel asks of it.
#pragma once

#include <windows.h>

#include <vector>

#include "settings/settings.h"
#include "ui/win32/settings_panel.h"
#include "zeq/win32/window.h"

namespace ruvano::testing {

class PanelTestHost : public Window, public ISettingsPanelHost {
 public:
  explicit PanelTestHost(Settings& settings) : panel(settings, *this) {}

  bool Open(int x = 40, int y = 40) {
    WNDCLASSEXW wc{};
    wc.lpszClassName = L"RuvanoPanelTestHost";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    if (!RegisterClassOnce(wc)) return false;
    return CreateWindowFor({.className = L"RuvanoPanelTestHost",
                            .title = L"RUVANO",
                            .style = WS_CAPTION | WS_SYSMENU,
                            .x = x,
                            .y = y,
                            .width = 100,
                            .height = 100}) != nullptr &&
           created;
  }

  void Show() {
    ::ShowWindow(hwnd(), SW_SHOWNORMAL);
    ::UpdateWindow(hwnd());
  }
  void Hide() { ::ShowWindow(hwnd(), SW_HIDE); }

  // The host's message loop step: the toolbar's access keys, then the dialog keys.
  bool PreTranslate(MSG& msg) { return panel.TranslateAccessKey(msg) || ::IsDialogMessageW(hwnd(), &msg); }

  SIZE ClientSize() const {
    RECT r{};
    ::GetClientRect(hwnd(), &r);
    return SIZE{r.right, r.bottom};
  }

  // ISettingsPanelHost
  void PlayCue(bool on) override { previews.push_back(on); }
  void HideHintNow() override { ++hintHidden; }
  void HideSettingsWindow() override {
    ++hideRequests;
    Hide();
  }
  void CloseSettingsWindow() override { ++closeRequests; }
  void OpenDiagnosis() override { ++diagnosisRequests; }
  void ClientSizeWanted(int width, int height) override {
    wanted.push_back(SIZE{width, height});
    const SIZE outer = WindowSizeForClient(hwnd(), width, height);
    ::SetWindowPos(hwnd(), nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  Text ForegroundAppName() override { return foregroundApp; }
  bool StartsAtSignIn() override { return signIn; }
  bool SetStartAtSignIn(bool on) override { return signIn = on; }

  SettingsPanel panel;
  Text foregroundApp;  // what the add button appends
  bool signIn = false;
  bool created = false;
  std::vector<bool> previews;
  int hintHidden = 0;
  int hideRequests = 0;
  int diagnosisRequests = 0;
  int closeRequests = 0;
  std::vector<SIZE> wanted;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    switch (msg) {
      case WM_CREATE: created = panel.Create(hwnd()); return created ? 0 : -1;
      case WM_DPICHANGED: {
        const RECT* suggested = reinterpret_cast<const RECT*>(lp);
        if (suggested)
          ::SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        break;
      }
      case WM_CLOSE: CloseSettingsWindow(); return 0;
      default: break;
    }
    LRESULT result = 0;
    if (panel.HandleMessage(msg, wp, lp, &result)) return result;
    return DefaultProc(msg, wp, lp);
  }
};

}  // namespace ruvano::testing
