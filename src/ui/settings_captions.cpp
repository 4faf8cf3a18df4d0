#include "ui/settings_captions.h"

#include <string>

namespace ruvano::captions {

Text OpacityCaption(const Text& plain, const Text& opacity, std::int32_t position) {
  Text caption = plain + opacity;
  const std::string digits = std::to_string(position);
  caption.append(digits.begin(), digits.end());
  caption += u'%';
  return caption;
}

}  // namespace ruvano::captions
