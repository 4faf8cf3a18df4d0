#include "app/win32/program.h"

#include <utility>

#include "app/win32/single_instance.h"
#include "settings/win32/settings_file_win32.h"
#include "zeq/win32/failure_report.h"
#include "zeq/win32/foreground_win32.h"
#include "zeq/win32/handles.h"

namespace ruvano {

Program::Program(Text settingsFile, std::unique_ptr<AppWindow> application)
    : settingsFile_(std::move(settingsFile)),
      application_(std::move(application)),
      sound_(player_, settings_),
      led_(keyboard_, settings_),
      closeQuery_(led_, settings_, settingsFile_),
      hintWindow_(application_->hwnd()),
      hint_(hintWindow_, settings_),
      monitor_([this](const WantedCues& wanted) { ApplyCues(wanted); }, settings_, application_.get()) {}

Program::~Program() = default;

std::unique_ptr<Program> Program::Create(Text settingsFile) {
  std::unique_ptr<AppWindow> application = AppWindow::Create();
  if (!application) {
    ReportFailure(L"the application window could not be created", ::GetLastError());
    return nullptr;
  }
  std::unique_ptr<Program> program(new Program(std::move(settingsFile), std::move(application)));
  Program& p = *program;
  p.LoadSettings();
  const HWND owner = p.application_->hwnd();
  p.indicator_ = IndicatorWindow::Create(
      p.settings_, [&p](bool held) { held ? p.monitor_.Hold() : p.monitor_.Resume(); },
      [&p] { p.OpenSettingsWindow(); }, owner);
  if (!p.indicator_) {
    ReportFailure(L"the indicator window could not be created", ::GetLastError());
    return nullptr;
  }
  p.settingsWindow_ = SettingsWindow::Create(
      p.settings_,
      {.shown = [&p] { p.OnSettingsShown(); },
       .closing = [&p] { p.PrepareEnd(); },
       .preview = [&p](bool on) { p.sound_.Play(on); },
       .hintSwitchedOff = [&p] { p.hint_.OnHintOptionChanged(); },
       .copyData =
           [&p](LPARAM lp) {
             if (ShouldShowForCopyData(::IsWindowVisible(p.settingsWindow_->hwnd()) != FALSE, lp))
               p.OpenSettingsWindow();
           },
       .diagnose = [&p] { p.OpenDiagnosis(); }},
      owner);
  if (!p.settingsWindow_) {
    ReportFailure(L"the settings window could not be created", ::GetLastError());
    return nullptr;
  }
  p.application_->SetEvents(
      {.deactivated =
           [&p] { p.indicator_->Reraise(p.monitor_.State().AnchorLeft(), p.monitor_.State().AnchorTop()); },
       .logonEndQueried = [&p] { p.PrepareEnd(); },
       .logonEnd = [&p](bool ending) { p.OnLogonEnd(ending); }});
  p.monitor_.RestWhileOnScreen(p.settingsWindow_->hwnd());
  p.monitor_.OnCaretMoved([&p](std::optional<Point> caret) { p.OnCaretMoved(caret); });
  p.monitor_.Start();
  return program;
}

// Only what differs from the cues as they are changes: the indicator as it shows now (it hides
// itself when clicked, and the settings window closes it), the LED by its key's real state
// (its own guards), the mode last given. A hint that counts down does so before a new one
// starts.
void Program::ApplyCues(const WantedCues& wanted) {
  const CueEvents& events = wanted.events;
  if (events.countHint) hint_.Tick();
  if (wanted.looked) {
    const CueState& state = wanted.state;
    const bool moved = state.window != shownOn_ || state.frame != shownFrame_;
    if (!state.indicator || (moved && indicator_->Visible())) HideIndicator(events.closeIndicator);
    if (state.mode != mode_) {
      mode_ = state.mode;
      indicator_->SetInputMode(mode_);
    }
    if (state.indicator && !indicator_->Visible()) {
      shownOn_ = state.window;
      shownFrame_ = state.frame;
      ShowIndicator(state.anchor);
    }
    if (state.led) *state.led ? led_.On() : led_.Off();
  }
  if (events.hideHint) hint_.Hide();
  if (events.triggerHint) hint_.Trigger();
  if (events.sound) sound_.Play(*events.sound);
}

// The indicator goes next to the caret of the window in front where that shows one, and the
// monitor follows the caret while it is there.
void Program::ShowIndicator(Point anchor) {
  const bool nearCaret = settings_.NearCaret();
  indicator_->Show(anchor.x, anchor.y, nearCaret ? monitor_.CaretPlace() : std::nullopt);
  monitor_.FollowCaret(nearCaret && indicator_->Visible());
}

void Program::HideIndicator(bool close) {
  close ? indicator_->Close() : indicator_->Hide();
  monitor_.FollowCaret(false);
}

// The indicator hides itself when clicked, and the option may go off while it shows.
void Program::OnCaretMoved(std::optional<Point> caret) noexcept {
  indicator_->FollowCaret(caret, monitor_.State().AnchorLeft(), monitor_.State().AnchorTop());
  if (!indicator_->Visible() || !settings_.NearCaret()) monitor_.FollowCaret(false);
}

void Program::LoadSettings() noexcept {
  // A file that cannot be read leaves the defaults; the monitor starts all the same.
  try {
    if (!settingsFile_.empty()) ruvano::LoadSettings(settingsFile_, settings_);
  } catch (...) {
    ReportFailure(L"reading the settings file failed; the defaults stay");
  }
}

// The indicator's click and the "/Show" request: a hidden settings window shows and comes
// to the front; a visible one is left as it is.
void Program::OpenSettingsWindow() {
  const HWND wnd = settingsWindow_ ? settingsWindow_->hwnd() : nullptr;
  if (!wnd || ::IsWindowVisible(wnd)) return;
  settingsWindow_->Show();
  ForceForegroundWindow(wnd);
}

// The diagnostic window shows what each tick sees while it is open, and nothing is asked
// for it once it is closed.
void Program::OpenDiagnosis() {
  if (!diagnosis_) {
    diagnosis_ = DiagnosisWindow::Create(application_->hwnd(), [this] { monitor_.Diagnose(nullptr); });
    if (!diagnosis_) {
      ReportFailure(L"the diagnostic window could not be created", ::GetLastError());
      return;
    }
  }
  monitor_.Diagnose([this](const Observation& seen) { OnObserved(seen); });
  diagnosis_->SetText(DiagnosisText(Observation{}, RecentFailures()));
  diagnosis_->Show();
}

// While the user works in the diagnostic window itself, it keeps what it showed of the
// window before it, which is what they want to copy.
void Program::OnObserved(const Observation& seen) {
  if (seen.front == FromHwnd(diagnosis_->hwnd())) return;
  diagnosis_->SetText(DiagnosisText(seen, RecentFailures()));
}

void Program::OnSettingsShown() {
  indicator_->Close();
  led_.Off();
}

void Program::OnLogonEnd(bool ending) noexcept {
  if (ending) {
    EndProgram();
    ::ExitProcess(0);
  }
  // The logon goes on, and so does the program: the next end saves afresh.
  closeQuery_.CalledOff();
  monitor_.Restart();
}

// The program is about to end (its window closes, the logon may end): no tick may light the
// LED again before it does, and the close query runs unless it has run for this ending.
void Program::PrepareEnd() noexcept {
  monitor_.Stop();
  closeQuery_.Run();
}

// The program ends, by its window's close or another way (the end of the logon, the message
// loop giving up); the LED goes dark whatever the close query did.
void Program::EndProgram() noexcept {
  PrepareEnd();
  try {
    led_.Off();
  } catch (...) {
    ReportFailure(L"turning the Scroll Lock LED off at the end failed");
  }
}

// Runs the message loop until the main window ends it. An exception from anything the loop
// calls is dropped and the loop goes on with the next message. GetMessageW answers -1 when it
// cannot hand over a message: under Wine, one sent by another process with more data than
// this thread's stack holds. That message is lost and the loop goes on; only a long run of
// failures with nothing in between ends it, and the program then ends as after a close.
void Program::Run() {
  for (int failures = 0; failures < 1000;) {
    MSG msg;
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) break;
    if (got == -1) {
      if (failures == 0) ReportFailure(L"a message could not be received", ::GetLastError());
      if (++failures == 1000) ReportFailure(L"no message could be received for a long run; the program ends");
      continue;
    }
    failures = 0;
    try {
      if (settingsWindow_->PreTranslateMessage(msg)) continue;
      if (diagnosis_ && diagnosis_->PreTranslateMessage(msg)) continue;
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    } catch (...) {
      ReportFailure(L"a message failed and was dropped");
    }
  }
  // The loop also ends without the window's close (a WM_QUIT from elsewhere, a run of
  // failures): the close query runs all the same, once.
  EndProgram();
}

}  // namespace ruvano
