// Plays the program's own "WAVE" resources with the multimedia library.
#pragma once

#include <windows.h>

#include "cues/sound_cue.h"
#include "zeq/win32/system_library.h"

namespace ruvano {

class Win32SoundPlayer final : public ISoundPlayer {
 public:
  void Stop() override;
  void PlayResource(const Text& name) override;

 private:
  BOOL Play(const wchar_t* name, HMODULE module, DWORD flags) noexcept;

  // PlaySoundW of winmm.dll, bound from the system folder at the first sound (so that a
  // program that never plays one never loads the library). Without it the program stays
  // silent.
  using PlaySoundFn = BOOL(WINAPI*)(LPCWSTR, HMODULE, DWORD);
  LazyProc<PlaySoundFn> playSound_{L"winmm.dll", "PlaySoundW"};
};

}  // namespace ruvano
