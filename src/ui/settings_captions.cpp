#include "ui/settings_captions.h"

#include <string>

namespace ruvano::captions {

Text OpacityCaption(std::int32_t position) {
  Text caption = kIcon;
  caption += u"\u3000不透明度 ";
  // Decimal without sign or leading zeros; the track bar never goes below 10.
  const std::string digits = std::to_string(position);
  caption.append(digits.begin(), digits.end());
  caption += u'%';
  return caption;
}

Text IconCaption(bool ticked, std::int32_t position) {
  return ticked ? OpacityCaption(position) : Text(kIcon);
}

char16_t AccessKeyOf(const char16_t* caption) {
  if (!caption) return 0;
  for (const char16_t* p = caption; *p; ++p) {
    if (*p != u'&') continue;
    ++p;
    if (*p == 0) return 0;
    if (*p == u'&') continue;  // "&&" shows one "&"
    char16_t c = *p;
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    return c;
  }
  return 0;
}

}  // namespace ruvano::captions
