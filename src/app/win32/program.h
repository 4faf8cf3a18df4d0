// The running program's windows and cues, made in one step: the hidden application window
// that owns the others, the cues with the indicator, and the hidden settings window that runs
// the monitor. A program that could not be made whole is not made at all.
#pragma once

#include <windows.h>

#include <memory>

#include "app/win32/application_window.h"
#include "settings/settings.h"
#include "ui/win32/indicator_host.h"
#include "ui/win32/program_cues.h"
#include "ui/win32/settings_window.h"
#include "zeq/types.h"

namespace ruvano {

class Program {
 public:
  // Makes the windows and cues and loads the settings from settingsFile. Nothing, with the
  // reason reported, when a window cannot be made.
  static std::unique_ptr<Program> Create(Text settingsFile);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Runs the message loop until the settings window closes or the loop gives up, then ends
  // the program: the close query runs if it has not run yet and the LED goes dark.
  void Run();

  Settings& settings() noexcept { return settings_; }
  SettingsWindow& settingsWindow() noexcept { return *settingsWindow_; }

 private:
  // What the indicator asks of the settings window, which hosts the monitor.
  class IndicatorHost final : public IIndicatorHost {
   public:
    explicit IndicatorHost(Program& program) : program_(program) {}
    const Settings& LiveSettings() override { return program_.settings_; }
    void SetTickTimerEnabled(bool enabled) override {
      program_.settingsWindow_->SetTickTimerEnabled(enabled);
    }
    bool SettingsWindowVisible() override { return program_.settingsWindow_->SettingsWindowVisible(); }
    void ShowSettingsWindow() override { program_.settingsWindow_->Show(); }
    HWND SettingsWindowHandle() override { return program_.settingsWindow_->hwnd(); }

   private:
    Program& program_;
  };

  Program() = default;

  // Made in this order: the application window, the cues (whose indicator's host is the
  // settings window, in use only once the program runs), then the settings window. Torn
  // down in the reverse order of declaration, once the settings window's system window has
  // gone: the indicator goes before the settings window it refers to, and the application
  // window, which owns them both, goes last.
  Settings settings_;
  std::unique_ptr<AppWindow> application_;
  std::unique_ptr<SettingsWindow> settingsWindow_;
  IndicatorHost indicatorHost_{*this};
  std::unique_ptr<ProgramCues> cues_;
};

}  // namespace ruvano
