// Whether the program starts when the user signs in: the value "RUVANO" under the user's Run
// key (HKCU\Software\Microsoft\Windows\CurrentVersion\Run) holding the quoted full path of
// this copy, and not switched off in Task Manager. It changes only at the user's click; it is
// no part of the settings file. Portable: the keys are reached through IRunKey.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "zeq/types.h"

namespace ruvano {

class IRunKey {
 public:
  virtual ~IRunKey() = default;
  // The value's text; nothing when it is not there (or not text).
  virtual std::optional<Text> Read() = 0;
  // Writes the value as REG_SZ; true when it is written.
  virtual bool Write(const Text& command) = 0;
  // Removes the value; true when it is gone (also when it was not there).
  virtual bool Remove() = 0;
  // Task Manager's switch for the value: the data of the value "RUVANO" under
  // HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\Run (REG_BINARY);
  // nothing when it is not there (Task Manager writes it at its first switch).
  virtual std::optional<std::vector<std::uint8_t>> ReadApproval() = 0;
  // Removes that value; true when it is gone (also when it was not there).
  virtual bool RemoveApproval() = 0;
};

// The command that starts the copy at exePath: the path in double quotes.
Text SignInCommand(const Text& exePath);

class SignInStart {
 public:
  SignInStart(IRunKey& key, Text exePath) : key_(key), exePath_(std::move(exePath)) {}

  // The value starts this copy: it is its quoted full path, compared in any case of A to Z,
  // and Task Manager has not switched it off. A value that names another copy does not count.
  bool On();
  // The value starts this copy, but Task Manager has switched it off: the first byte of its
  // switch is 03. The switch is undocumented; any other data, or none, leaves the start on.
  bool DisabledInTaskManager();
  // On writes this copy's command (mending a value that names another path) and removes Task
  // Manager's switch, so that the copy starts again; off removes the value. Answers On()
  // afterwards.
  bool Set(bool on);

 private:
  bool StartsThisCopy();

  IRunKey& key_;
  Text exePath_;
};

}  // namespace ruvano
