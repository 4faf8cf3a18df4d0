// The "/Show" request that a second copy of the program sends to the running one as a
// WM_COPYDATA message: building it and recognising it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "zeq/contract_strings.h"
#include "zeq/types.h"

namespace ruvano {

// The payload: the UTF-16LE code units of "/Show" and two NUL code units, 14 bytes.
inline constexpr std::size_t kShowRequestSize = 14;
struct ShowRequest {
  std::uint64_t dwData = 0;  // the sender's argument count, always 0 on this path
  std::array<std::uint8_t, kShowRequestSize> bytes{};
};
ShowRequest MakeShowRequest();

// The text of a WM_COPYDATA payload: UTF-16 code units up to, not including, the first NUL,
// reading no more than size bytes (an odd size reads only whole code units). A null data
// pointer gives an empty text whatever the size. data need not be aligned.
Text CopyDataText(const void* data, std::uint32_t size);

// True when the payload's text is exactly "/Show" (same case, nothing after it before the
// first NUL).
bool IsShowRequest(const void* data, std::uint32_t size);

// What the settings window's WM_COPYDATA handler decides: show itself only when it is hidden
// and a payload (hasPayload: lParam non-zero) carries the show request.
bool ShouldShowForCopyData(bool settingsWindowVisible, bool hasPayload, const void* data, std::uint32_t size);

}  // namespace ruvano
