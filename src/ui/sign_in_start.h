// Whether the program starts when the user signs in: the value "RUVANO" under the user's Run
// key (HKCU\Software\Microsoft\Windows\CurrentVersion\Run) holding the quoted full path of
// this copy. It changes only at the user's click; it is no part of the settings file.
// Portable: the key is reached through IRunKey.
#pragma once

#include <optional>

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
};

// The command that starts the copy at exePath: the path in double quotes.
Text SignInCommand(const Text& exePath);

class SignInStart {
 public:
  SignInStart(IRunKey& key, Text exePath) : key_(key), exePath_(std::move(exePath)) {}

  // The value starts this copy: it is its quoted full path, compared in any case of A to Z.
  // A value that names another copy does not count.
  bool On();
  // On writes this copy's command (mending a value that names another path); off removes the
  // value. Answers On() afterwards.
  bool Set(bool on);

 private:
  IRunKey& key_;
  Text exePath_;
};

}  // namespace ruvano
