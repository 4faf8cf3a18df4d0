// Turning a kernel device path ("\Device\HarddiskVolume3\Windows\notepad.exe") into a path
// with a drive letter ("C:\Windows\notepad.exe"). Portable: the drive table is read through
// IDosDevices, which the Windows side answers with GetLogicalDrives and QueryDosDeviceW.
#pragma once

#include <cstdint>

#include "zeq/types.h"

namespace ruvano {

class IDosDevices {
 public:
  virtual ~IDosDevices() = default;
  // Bit mask of the existing drive letters, bit 0 for A; 0 on failure.
  virtual std::uint32_t LogicalDrives() = 0;
  // The first device name that the drive letter ('A'..'Z') maps to, e.g.
  // "\Device\HarddiskVolume3"; empty when the letter cannot be resolved.
  virtual Text FirstDeviceName(char16_t letter) = 0;
};

// Replaces the leading device name of path with its drive letter and a colon. The letters
// are tried from A to Z, skipping those not in the mask and those without a device name; the
// first whose device name, followed by "\", begins the path (exact comparison, letter case
// included) wins. The "\" and everything after it are kept. A path that no letter matches
// (a volume without a drive letter) comes back unchanged.
Text DevicePathToDrivePath(const Text& path, IDosDevices& devices);

}  // namespace ruvano
