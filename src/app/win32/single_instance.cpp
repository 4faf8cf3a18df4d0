#include "app/win32/single_instance.h"

#include "app/command_line.h"
#include "app/show_request.h"
#include "zeq/win32/failure_report.h"

namespace ruvano {

SingleInstanceMutex::~SingleInstanceMutex() {
  if (handle_) ::ReleaseMutex(handle_.get());
}

bool SingleInstanceMutex::RunningCopyExists(const wchar_t* name) noexcept {
  UniqueHandle probe(::OpenMutexW(SYNCHRONIZE, FALSE, name));
  return probe || ::GetLastError() == ERROR_ACCESS_DENIED;
}

bool SingleInstanceMutex::Create(const wchar_t* name) noexcept {
  handle_.reset(::CreateMutexW(nullptr, FALSE, name));
  const DWORD error = ::GetLastError();
  existed_ = handle_ ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
  return static_cast<bool>(handle_);
}

bool SendShowRequestToRunningCopy(HWND sender, DWORD timeoutMs) noexcept {
  HWND target = ::FindWindowW(kSettingsWindowClass, kProgramCaption);
  if (!target) return false;
  DWORD runningCopy = 0;
  if (::GetWindowThreadProcessId(target, &runningCopy) && runningCopy)
    ::AllowSetForegroundWindow(runningCopy);
  ShowRequest request = MakeShowRequest();
  COPYDATASTRUCT cds{};
  cds.dwData = static_cast<ULONG_PTR>(request.dwData);
  cds.cbData = static_cast<DWORD>(request.bytes.size());
  cds.lpData = request.bytes.data();
  DWORD_PTR result = 0;
  return ::SendMessageTimeoutW(target, WM_COPYDATA, reinterpret_cast<WPARAM>(sender),
                               reinterpret_cast<LPARAM>(&cds), SMTO_ABORTIFHUNG | SMTO_NORMAL, timeoutMs,
                               &result) != 0;
}

bool ShouldShowForCopyData(bool settingsWindowVisible, LPARAM lParam) {
  const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
  if (!cds) return false;
  return ShouldShowForCopyData(settingsWindowVisible, true, cds->lpData, cds->cbData);
}

void Win32StartupHost::WaitMilliseconds(std::uint32_t ms) { ::Sleep(ms); }

bool Win32StartupHost::RunningCopyExists() { return SingleInstanceMutex::RunningCopyExists(); }

void Win32StartupHost::SendShowRequest() {
  if (!SendShowRequestToRunningCopy())
    ReportFailure(L"the running copy did not take the request to show its window");
}

MarkResult Win32StartupHost::CreateRunningMark() {
  const bool held = mutex_.Create();
  if (mutex_.existedAlready()) return MarkResult::kExisted;
  return held ? MarkResult::kCreated : MarkResult::kFailed;
}

bool ShouldThisCopyRun(Win32StartupHost& host) {
  return DecideStartup(CommandLineArguments(ToText(::GetCommandLineW())), host) == StartupDecision::kRun;
}

}  // namespace ruvano
