#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cues/sound_cue.h"

namespace ruvano {
namespace {

// Records the calls in order: "stop" or "play:<name>".
class FakePlayer : public ISoundPlayer {
 public:
  void Stop() override { calls.push_back("stop"); }
  void PlayResource(const Text& name) override {
    calls.push_back("play:" + std::string(name.begin(), name.end()));
  }
  std::vector<std::string> calls;
};

TEST(SoundCue, EachIndexPlaysItsOwnSoundAfterStoppingThePreviousOne) {
  const char* names[] = {"0kacha", "1kata", "2pii", "3pi",  "4pin",  "5pu",
                         "6po",    "7nya",  "8wan", "9hyu", "10pyu", "11pya"};
  Settings settings;
  FakePlayer player;
  SoundCue cue(player, settings);
  for (int i = 0; i < 12; ++i) {
    settings.SetWaveIndex(i);
    settings.SetOffWaveIndex(11 - i);
    player.calls.clear();
    cue.Play(true);
    cue.Play(false);
    EXPECT_EQ(player.calls, (std::vector<std::string>{"stop", std::string("play:") + names[i], "stop",
                                                      std::string("play:") + names[11 - i]}))
        << "index " << i;
  }
}

TEST(SoundCue, NoSelectionOnlyStopsThePreviousSound) {
  Settings settings;
  settings.SetWaveIndex(-1);
  settings.SetOffWaveIndex(-5);  // clamped to -1
  FakePlayer player;
  SoundCue cue(player, settings);
  cue.Play(true);
  cue.Play(false);
  // Windows plays its default sound for a name it cannot find: nothing is asked to play.
  EXPECT_EQ(player.calls, (std::vector<std::string>{"stop", "stop"}));
  for (int index : {-1, 12, 1000, -2147483647 - 1}) EXPECT_EQ(SoundCue::SoundName(index), u"nil") << index;
}

TEST(SoundCue, ReadsTheSelectionAtEachCallAndClampsTooLargeIndexes) {
  Settings settings;
  FakePlayer player;
  SoundCue cue(player, settings);
  settings.SetWaveIndex(7);
  cue.Play(true);
  settings.SetWaveIndex(12);  // a settings file beyond the last item selects the last
  cue.Play(true);
  settings.SetOffWaveIndex(7);  // the same sound for both events
  cue.Play(false);
  EXPECT_EQ(player.calls,
            (std::vector<std::string>{"stop", "play:7nya", "stop", "play:11pya", "stop", "play:7nya"}));
}

}  // namespace
}  // namespace ruvano
