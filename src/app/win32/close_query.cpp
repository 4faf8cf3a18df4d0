#include "app/win32/close_query.h"

#include "settings/win32/settings_file_win32.h"
#include "zeq/win32/failure_report.h"

namespace ruvano {

void CloseQuery::Run() noexcept {
  if (ran_) return;
  ran_ = true;
  try {
    led_.Off();
  } catch (...) {
    ReportFailure(L"turning the Scroll Lock LED off failed");
  }
  try {
    if (!settingsFile_.empty() && !SaveSettings(settingsFile_, settings_)) {
      ReportFailure(L"the settings were not saved");
    }
  } catch (...) {
    ReportFailure(L"saving the settings failed");
  }
}

}  // namespace ruvano
