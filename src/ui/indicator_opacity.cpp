#include "ui/indicator_opacity.h"

#include "settings/settings.h"

namespace ruvano {

IndicatorOpacity OpacityForPosition(std::int32_t position) {
  const std::int32_t p = Settings::ClampAlpha(position);
  return IndicatorOpacity{p < Settings::kMaxAlpha, static_cast<std::uint8_t>(p * 255 / 100)};
}

BlendChange BlendChangeFor(const IndicatorOpacity& current, const IndicatorOpacity& wanted) {
  if (wanted.layered) return current == wanted ? BlendChange::None : BlendChange::Layer;
  return current.layered ? BlendChange::Unlayer : BlendChange::None;
}

}  // namespace ruvano
