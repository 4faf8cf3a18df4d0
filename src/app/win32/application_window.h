// The application window: a hidden top-level window captioned "RUVANO" that owns the
// program's other windows, so that none of them gets a taskbar button of its own. The
// monitor recognises the program's own windows by their owner chain ending here, and
// registers for this window's timer, session and caret messages.
#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "zeq/contract_strings.h"
#include "zeq/win32/message_route.h"
#include "zeq/win32/window.h"

namespace ruvano {

class AppWindow : public Window, public MessageRoute {
 public:
  static constexpr const wchar_t* kClassName = kApplicationWindowClass;
  static constexpr const wchar_t* kCaption = kProgramCaption;

  // What the program does when the system tells its windows of these.
  struct Events {
    std::function<void()> deactivated;          // the program lost the activation to another
    std::function<void()> logonEndQueried;      // the logon may end; the answer is always yes
    std::function<void(bool ending)> logonEnd;  // the logon ends now, or goes on after all
  };

  // Makes the window, hidden; nothing when the system refuses.
  static std::unique_ptr<AppWindow> Create() noexcept;

  void SetEvents(Events events) { events_ = std::move(events); }

  HWND RouteWindow() const noexcept override { return hwnd(); }
  bool Route(UINT msg, Handler handler) override;
  void Withdraw(UINT msg) noexcept override;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  AppWindow() = default;

  Events events_;
  std::vector<std::pair<UINT, Handler>> routes_;
};

}  // namespace ruvano
