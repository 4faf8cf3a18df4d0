#include <gtest/gtest.h>

#include "ui/settings_captions.h"

namespace ruvano {
namespace {

TEST(SettingsCaptions, OpacityCaptionJoinsThePiecesExactly) {
  const Text plain = u"アイコンを表示(&I)";
  const Text opacity = u"\u3000不透明度 ";
  EXPECT_EQ(captions::OpacityCaption(plain, opacity, 80), u"アイコンを表示(&I)\u3000不透明度 80%");
  EXPECT_EQ(captions::OpacityCaption(plain, opacity, 100), u"アイコンを表示(&I)\u3000不透明度 100%");
  EXPECT_EQ(captions::OpacityCaption(plain, opacity, 10), u"アイコンを表示(&I)\u3000不透明度 10%");
}

}  // namespace
}  // namespace ruvano
