// The diagnostic window "RUVANO 診断": a small topmost window with what the monitor sees of
// the window in front and the last failures, in a read-only edit box that the user can select
// from, and a button that copies all of it. Its close button only hides it.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <utility>

#include "zeq/contract_strings.h"
#include "zeq/types.h"
#include "zeq/win32/handles.h"
#include "zeq/win32/window.h"

namespace ruvano {

class DiagnosisWindow final : public Window {
 public:
  static constexpr const wchar_t* kClassName = kDiagnosisWindowClass;
  static constexpr int kEditId = 0x5301;
  static constexpr int kCopyId = 0x5302;

  // Made hidden, owned by owner; hidden tells when the user closed it. Nothing when the
  // system refuses.
  static std::unique_ptr<DiagnosisWindow> Create(HWND owner, std::function<void()> hidden) noexcept;
  ~DiagnosisWindow() override;

  // Shows the window and brings it to the front.
  void Show() noexcept;
  bool Visible() const noexcept { return ::IsWindowVisible(hwnd()) != FALSE; }
  // Replaces the text only when it differs, so that a selection or a scroll position the
  // user made stays while nothing changed.
  void SetText(const Text& text);
  // Tab and the other dialog keys, for a message of the loop. True when used.
  bool PreTranslateMessage(MSG& msg) noexcept;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  explicit DiagnosisWindow(std::function<void()> hidden) : hidden_(std::move(hidden)) {}
  bool OnCreate() noexcept;
  void SetFontFor(int dpi) noexcept;
  void LayOut() noexcept;
  void CopyAll() noexcept;

  std::function<void()> hidden_;
  HWND edit_ = nullptr;
  HWND copy_ = nullptr;
  UniqueFont font_;
  Text text_;
};

}  // namespace ruvano
