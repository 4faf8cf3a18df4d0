// The program's settings file, set for a benchmark run and put back after it.
#pragma once

#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>

#include "settings/settings_file.h"
#include "wine_test_util.h"
#include "zeq/data_folder.h"
#include "zeq/win32/data_folder_win32.h"
#include "zeq/win32/handles.h"

namespace ruvano::bench {

// Sets the program's settings file for the run and puts the old one back afterwards.
class SettingsFileForTheRun {
 public:
  explicit SettingsFileForTheRun(const std::string& content) {
    const std::wstring folder = ToWide(RoamingAppDataPath()) + L"\\ZEQ Project";
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW((folder + L"\\RUVANO").c_str(), nullptr);
    path_ = folder + L"\\RUVANO\\" + ToWide(kSettingsFileName);
    had_ = GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (had_) old_ = ruvano::testing::ReadWholeFile(path_);
    Write(content);
  }
  ~SettingsFileForTheRun() {
    if (had_)
      Write(old_);
    else
      DeleteFileW(path_.c_str());
  }

 private:
  void Write(const std::string& bytes) {
    HANDLE f =
        CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD put = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
    CloseHandle(f);
  }
  std::wstring path_;
  bool had_ = false;
  std::string old_;
};

// Starts RUVANO.exe (form: its settings window) and brings `front` back in front of it; its
// indicator once it shows, or nothing (with a line on why, under the bench's name) when RUVANO
// did not start or showed none.
inline HWND StartRuvanoWithIndicator(const char* bench, testing::ChildProcess& ruvano, HWND& form,
                                     const std::function<void()>& front) {
  if (!ruvano.Start(L"RUVANO.exe") || !(form = testing::WaitForSettingsWindow(ruvano.pid()))) {
    std::printf("%s: RUVANO.exe did not start\n", bench);
    return nullptr;
  }
  front();
  HWND indicator = nullptr;
  testing::WaitUntil(
      [&] {
        indicator = testing::FindProcessWindow(ruvano.pid(), L"TIconForm");
        return indicator && IsWindowVisible(indicator);
      },
      5000);
  if (!indicator || !IsWindowVisible(indicator)) {
    std::printf("%s: the indicator did not show\n", bench);
    return nullptr;
  }
  return indicator;
}

}  // namespace ruvano::bench
