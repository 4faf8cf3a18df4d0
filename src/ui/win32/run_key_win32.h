// The user's Run key, HKCU\Software\Microsoft\Windows\CurrentVersion\Run, and the value
// "RUVANO" in it, with Task Manager's switch of that value. Writing there needs no
// administrator rights.
#pragma once

#include "ui/sign_in_start.h"

namespace ruvano {

class Win32RunKey final : public IRunKey {
 public:
  std::optional<Text> Read() override;
  bool Write(const Text& command) override;
  bool Remove() override;
  std::optional<std::vector<std::uint8_t>> ReadApproval() override;
  bool RemoveApproval() override;
};

// The full path of the running executable; empty when it cannot be had.
Text ThisExecutablePath();

}  // namespace ruvano
