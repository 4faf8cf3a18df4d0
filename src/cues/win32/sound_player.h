// Plays the program's own "WAVE" resources with the multimedia library.
#pragma once

#include <windows.h>

#include "cues/sound_cue.h"

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
  PlaySoundFn playSound_ = nullptr;
  bool bound_ = false;
};

}  // namespace ruvano
