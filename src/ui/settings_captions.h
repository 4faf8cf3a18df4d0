// The check box caption that carries the indicator's opacity, joined from captions of the
// resource script. Portable: no platform headers.
#pragma once

#include <cstdint>

#include "zeq/types.h"

namespace ruvano::captions {

// The icon check box's caption with the opacity: the plain caption, the opacity piece (an
// ideographic space, the word for opacity and one ordinary space), the position in decimal
// without sign or leading zeros, and "%".
Text OpacityCaption(const Text& plain, const Text& opacity, std::int32_t position);

}  // namespace ruvano::captions
