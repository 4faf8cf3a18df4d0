// The indicator: a topmost picture at a corner of the active window (or next to its text
// caret) while that window's input method is on, 32 × 32 at 96 DPI and as large as
// IndicatorSize makes it on the monitor it shows on. It is created hidden once and then only shown, moved,
// hidden and closed; it never takes the activation or the keyboard focus, and it never
// gives the program a taskbar button. Clicking it opens the settings window.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

#include "monitor/input_mode.h"
#include "ui/indicator_opacity.h"
#include "monitor/win32/monitor.h"
#include "settings/settings.h"
#include "zeq/contract_strings.h"
#include "zeq/win32/handles.h"
#include "zeq/win32/window.h"
#include "zeq/win32/window_style.h"

namespace ruvano {

class IndicatorWindow final : public Window {
 public:
  static constexpr const wchar_t* kClassName = kIndicatorWindowClass;

  // Makes the hidden window, owned by the application window `owner`; nothing when the
  // system refuses. The pictures (icon resources "IMAGEAPP", "IMAGEDEF" and the input modes'
  // "IMAGEKATA", "IMAGEHKATA", "IMAGEALNUM", "IMAGEHALNUM", each with an image at every size
  // of kIndicatorSizes) come from `resources`, by
  // default the exe. A press on the picture holds the monitor until the pointer leaves it;
  // a click asks for the settings window (openSettings). The settings and the monitor must
  // outlive the indicator.
  static std::unique_ptr<IndicatorWindow> Create(const Settings& settings, Monitor& monitor,
                                                 std::function<void()> openSettings, HWND owner,
                                                 HMODULE resources = nullptr) noexcept;
  ~IndicatorWindow() override;

  // How often a visible indicator next to the caret looks where the caret went.
  static constexpr UINT kFollowIntervalMs = 85;

  bool Visible() const noexcept { return visible_; }
  // The side in physical pixels, set each time the indicator shows or moves.
  std::int32_t Size() const noexcept { return size_; }
  // Shows the hidden indicator with its top-left corner at (left, top), when Icon is on.
  // With NearCaret on it goes next to the caret of the window in front instead, where that
  // shows one, lets clicks through to that window while there, and follows the caret (back to
  // (left, top) while there is none) until it is hidden. A visible indicator is neither moved
  // nor refreshed.
  void Show(std::int32_t left, std::int32_t top);
  void Hide();
  // Hides the indicator after its close query (which closes its own input method).
  void Close();
  // Raises a visible indicator to the top of the topmost windows at (left, top); used when
  // the program loses the activation to another program.
  void Reraise(std::int32_t left, std::int32_t top) noexcept;
  // The input mode of the IME the indicator stands for. With ShowMode on (and AppIcon off)
  // its key-cap is the picture; a visible indicator repaints at once when it changes.
  void SetInputMode(InputMode mode) noexcept;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  IndicatorWindow(const Settings& settings, Monitor& monitor, std::function<void()> openSettings, HWND owner)
      : settings_(settings), monitor_(monitor), openSettings_(std::move(openSettings)), owner_(owner) {}
  void Resize(POINT place) noexcept;
  void LoadPictures() noexcept;
  void OnShow();
  void Follow() noexcept;
  void MoveTo(POINT place, bool atCaret) noexcept;
  void ApplyClickThrough() noexcept;
  void RunCloseQuery() noexcept;
  void OnClick();
  void HoldMonitor();
  void ResumeMonitor();
  void TrackLeave() noexcept;
  void ApplyOpacity(const IndicatorOpacity& wanted) noexcept;
  void Paint(HDC dc) noexcept override;
  HICON PictureFor(const Settings& settings) const noexcept;

  const Settings& settings_;
  Monitor& monitor_;
  std::function<void()> openSettings_;
  HWND owner_;
  HMODULE resources_ = nullptr;
  std::int32_t size_ = 0;  // the pictures are loaded at this size
  UniqueIcon programIcon_;
  UniqueIcon defaultPicture_;
  std::array<UniqueIcon, 5> modePictures_;  // by InputMode; hiragana's is the default picture
  InputMode mode_ = InputMode::Hiragana;
  HICON picture_ = nullptr;   // one of those above, or none
  IndicatorOpacity opacity_;  // what the window shows now
  bool visible_ = false;
  bool inFollow_ = false;  // a caret question runs, which lets other messages in
  bool atCaret_ = false;   // the indicator sits next to the caret and lets clicks through
  POINT place_{};
  bool trackingLeave_ = false;  // a WM_MOUSELEAVE has been asked for
  bool monitorHeld_ = false;    // a button press holds the monitor
  bool leftPressed_ = false;
  WindowImeSwitch ime_;  // opens our own IME while the indicator is shown
};

}  // namespace ruvano
