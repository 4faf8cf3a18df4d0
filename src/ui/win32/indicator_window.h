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
#include <optional>
#include <utility>

#include "monitor/input_mode.h"
#include "ui/indicator_opacity.h"
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
  // of kIndicatorSizes) come from `resources`, by default the exe. A press on the picture
  // holds the monitor until the pointer leaves it (hold(true), then hold(false)); a click asks
  // for the settings window (openSettings). The settings must outlive the indicator.
  static std::unique_ptr<IndicatorWindow> Create(const Settings& settings, std::function<void(bool)> hold,
                                                 std::function<void()> openSettings, HWND owner,
                                                 HMODULE resources = nullptr) noexcept;
  ~IndicatorWindow() override;

  bool Visible() const noexcept { return visible_; }
  // The side in physical pixels, set each time the indicator shows or moves.
  std::int32_t Size() const noexcept { return size_; }
  // Shows the hidden indicator with its top-left corner at (left, top), when Icon is on.
  // With NearCaret on and a caret place given it goes there instead and lets clicks through
  // to the window below. A visible indicator is neither moved nor refreshed.
  void Show(std::int32_t left, std::int32_t top, std::optional<Point> caret = std::nullopt);
  // The caret moved (or went: back to the corner at (left, top)); a hidden indicator stays.
  void FollowCaret(std::optional<Point> caret, std::int32_t left, std::int32_t top) noexcept;
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
  IndicatorWindow(const Settings& settings, std::function<void(bool)> hold,
                  std::function<void()> openSettings, HWND owner)
      : settings_(settings), hold_(std::move(hold)), openSettings_(std::move(openSettings)), owner_(owner) {}
  void Resize(POINT place) noexcept;
  void LoadPictures() noexcept;
  void OnShow();
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
  std::function<void(bool)> hold_;
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
  bool atCaret_ = false;  // the indicator sits next to the caret and lets clicks through
  POINT place_{};
  bool trackingLeave_ = false;  // a WM_MOUSELEAVE has been asked for
  bool monitorHeld_ = false;    // a button press holds the monitor
  bool leftPressed_ = false;
  WindowImeSwitch ime_;  // opens our own IME while the indicator is shown
};

}  // namespace ruvano
