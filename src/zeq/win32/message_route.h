// A window that hands chosen messages to the part of the program that registered for them:
// one handler for each message, kept until it is withdrawn.
#pragma once

#include <windows.h>

#include <functional>

namespace ruvano {

class MessageRoute {
 public:
  using Handler = std::function<LRESULT(WPARAM, LPARAM)>;
  virtual ~MessageRoute() = default;
  virtual HWND RouteWindow() const noexcept = 0;
  // Hands msg to handler from now on; false when msg has a handler already.
  virtual bool Route(UINT msg, Handler handler) = 0;
  virtual void Withdraw(UINT msg) noexcept = 0;
};

}  // namespace ruvano
