#include "ui/sign_in_start.h"

#include "monitor/excluded_apps.h"

namespace ruvano {

Text SignInCommand(const Text& exePath) { return u"\"" + exePath + u"\""; }

bool SignInStart::On() {
  const std::optional<Text> value = key_.Read();
  return value && !exePath_.empty() && SameImageName(*value, SignInCommand(exePath_));
}

bool SignInStart::Set(bool on) {
  if (!on)
    key_.Remove();
  else if (!exePath_.empty())
    key_.Write(SignInCommand(exePath_));
  return On();
}

}  // namespace ruvano
