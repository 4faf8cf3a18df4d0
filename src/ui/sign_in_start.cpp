#include "ui/sign_in_start.h"

#include "monitor/excluded_apps.h"

namespace ruvano {

Text SignInCommand(const Text& exePath) { return u"\"" + exePath + u"\""; }

bool SignInStart::StartsThisCopy() {
  const std::optional<Text> value = key_.Read();
  return value && !exePath_.empty() && SameImageName(*value, SignInCommand(exePath_));
}

bool SignInStart::On() { return StartsThisCopy() && !DisabledInTaskManager(); }

bool SignInStart::DisabledInTaskManager() {
  constexpr std::uint8_t kSwitchedOff = 0x03;
  if (!StartsThisCopy()) return false;
  const auto approval = key_.ReadApproval();
  return approval && !approval->empty() && approval->front() == kSwitchedOff;
}

bool SignInStart::Set(bool on) {
  if (!on) {
    key_.Remove();
  } else if (!exePath_.empty()) {
    key_.RemoveApproval();
    key_.Write(SignInCommand(exePath_));
  }
  return On();
}

}  // namespace ruvano
