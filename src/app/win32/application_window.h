// The application window: a hidden top-level window captioned "RUVANO" that owns the
// program's other windows, so that none of them gets a taskbar button of its own. The
// monitor recognises the program's own windows by their owner chain ending here.
#pragma once

#include <functional>
#include <memory>
#include <utility>

#include "zeq/contract_strings.h"
#include "zeq/win32/window.h"

namespace ruvano {

class AppWindow : public Window {
 public:
  static constexpr const wchar_t* kClassName = kApplicationWindowClass;
  static constexpr const wchar_t* kCaption = kProgramCaption;

  // Makes the window, hidden; nothing when the system refuses.
  static std::unique_ptr<AppWindow> Create() noexcept;

  // What runs when the logon ends, before the process goes.
  void SetSessionEndHandler(std::function<void()> handler) { sessionEnd_ = std::move(handler); }

 protected:
  // Agrees to the end of the logon and, when it ends, runs the session-end handler and ends
  // the process at once.
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  AppWindow() = default;

  std::function<void()> sessionEnd_;
};

}  // namespace ruvano
