// The cursor hint's window: a tooltip-style pop-up owned by the application window, always
// on top, never activated and transparent to the mouse. Its system window is made when a
// hint is shown and destroyed when it is hidden.
#pragma once

#include <windows.h>

#include "cues/cursor_hint.h"
#include "zeq/contract_strings.h"
#include "zeq/win32/handles.h"
#include "zeq/win32/window.h"

namespace ruvano {

class HintWindow final : public Window, public IHintWindow {
 public:
  static constexpr const wchar_t* kClassName = kHintWindowClass;

  explicit HintWindow(HWND owner) noexcept : owner_(owner) {}
  ~HintWindow() override;

  bool HasWindow() override { return hwnd() != nullptr; }
  bool EnsureWindow() override;
  void Discard() override;
  Point PointerPosition() override;
  Rect MeasureText(const Text& text) override;
  Rect MonitorBoundsNear(Point p) override;
  std::uint32_t TickCount() override;
  bool TooltipAnimation() override;
  bool TooltipFade() override;
  void Present(const Rect& bounds, const Text& text, HintAnimation animation) override;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnDestroyed() noexcept override { font_.reset(); }

 private:
  HFONT CurrentFont() const noexcept;
  void Paint(HDC dc) noexcept override;

  HWND owner_;
  UniqueFont font_;  // the system's tooltip font; none means the default GUI font
  Text text_;
};

}  // namespace ruvano
