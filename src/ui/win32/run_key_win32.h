// The user's Run key, HKCU\Software\Microsoft\Windows\CurrentVersion\Run, and the value
// "RUVANO" in it. Writing there needs no administrator rights.
#pragma once

#include "ui/sign_in_start.h"

namespace ruvano {

class Win32RunKey final : public IRunKey {
 public:
  std::optional<Text> Read() override;
  bool Write(const Text& command) override;
  bool Remove() override;
};

// The full path of the running executable; empty when it cannot be had.
Text ThisExecutablePath();

}  // namespace ruvano
