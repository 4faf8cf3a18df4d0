// The ON/OFF sound cue: plays the sound picked for the event, straight from the program's
// own resources, in the background. The sound player is the platform's.
#pragma once

#include <cstdint>

#include "settings/settings.h"
#include "zeq/types.h"

namespace ruvano {

// What the cue needs from the platform's sound service.
class ISoundPlayer {
 public:
  virtual ~ISoundPlayer() = default;
  // Silences whatever sound the program is playing.
  virtual void Stop() = 0;
  // Starts playing the sound resource of that name and returns at once. A name with no
  // resource behind it plays nothing.
  virtual void PlayResource(const Text& name) = 0;
};

class SoundCue {
 public:
  SoundCue(ISoundPlayer& player, const Settings& settings) : player_(player), settings_(settings) {}

  // Plays the ON sound (on = true) or the OFF sound, cutting off a cue still playing; with no
  // sound selected it only stops the one playing. Applies no option: the callers decide when
  // a cue may sound.
  void Play(bool on);

  // The resource name for a sound index: "0kacha" .. "11pya"; "nil" for any other index.
  static Text SoundName(std::int32_t index);

 private:
  ISoundPlayer& player_;
  const Settings& settings_;
};

}  // namespace ruvano
