#include "cues/win32/sound_player.h"

#include <mmsystem.h>

#include "zeq/win32/handles.h"

namespace ruvano {

BOOL Win32SoundPlayer::Play(const wchar_t* name, HMODULE module, DWORD flags) noexcept {
  const PlaySoundFn playSound = playSound_.get();
  return playSound ? playSound(name, module, flags) : FALSE;
}

// A null name stops the program's sound; the flags do not matter for it.
void Win32SoundPlayer::Stop() { Play(nullptr, nullptr, SND_RESOURCE); }

// Asynchronous, from the executable's own resources. SND_NODEFAULT: a name without a resource
// stays silent instead of playing the system's default sound. Failures are not looked at: the
// next cue simply tries again.
void Win32SoundPlayer::PlayResource(const Text& name) {
  Play(WidePtr(name), ::GetModuleHandleW(nullptr), SND_RESOURCE | SND_ASYNC | SND_NODEFAULT);
}

}  // namespace ruvano
