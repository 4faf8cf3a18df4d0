// Plays the program's own "WAVE" resources with the multimedia library.
#pragma once

#include "cues/sound_cue.h"

namespace ruvano {

class Win32SoundPlayer final : public ISoundPlayer {
 public:
  void Stop() override;
  void PlayResource(const Text& name) override;
};

}  // namespace ruvano
