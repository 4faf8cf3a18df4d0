#include "cues/win32/sound_player.h"

#include <windows.h>
#include <mmsystem.h>

#include "zeq/win32/hwnd.h"
#include "zeq/win32/system_library.h"

namespace ruvano {
namespace {

// PlaySoundW of winmm.dll, bound from the system folder at the first sound. Without it the
// program stays silent.
BOOL PlaySystemSound(const wchar_t* name, HMODULE module, DWORD flags) noexcept {
  static const auto play = SystemProc<decltype(&::PlaySoundW)>(L"winmm.dll", "PlaySoundW");
  return play ? play(name, module, flags) : FALSE;
}

}  // namespace

// A null name stops the program's sound; the flags do not matter for it.
void Win32SoundPlayer::Stop() { PlaySystemSound(nullptr, nullptr, SND_RESOURCE); }

// Asynchronous, from the executable's own resources. SND_NODEFAULT: a name without a resource
// stays silent instead of playing the system's default sound. Failures are not looked at: the
// next cue simply tries again.
void Win32SoundPlayer::PlayResource(const Text& name) {
  PlaySystemSound(WidePtr(name), ::GetModuleHandleW(nullptr), SND_RESOURCE | SND_ASYNC | SND_NODEFAULT);
}

}  // namespace ruvano
