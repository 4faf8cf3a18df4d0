#include <gtest/gtest.h>

#include <map>

#include "zeq/probes.h"

namespace ruvano {
namespace {

class FakeDosDevices : public IDosDevices {
 public:
  std::uint32_t mask = 0;
  std::map<char16_t, Text> names;
  std::u16string asked;  // the letters asked for, in order

  void Add(char16_t letter, Text device) {
    mask |= std::uint32_t{1} << (letter - u'A');
    names[letter] = std::move(device);
  }
  std::uint32_t LogicalDrives() override { return mask; }
  Text FirstDeviceName(char16_t letter) override {
    asked += letter;
    auto it = names.find(letter);
    return it == names.end() ? Text() : it->second;
  }
};

TEST(DevicePathToDrivePath, ReplacesTheDeviceNameWithItsLetterAndKeepsTheRest) {
  FakeDosDevices dev;
  dev.Add(u'C', u"\\Device\\HarddiskVolume3");
  dev.Add(u'D', u"\\Device\\HarddiskVolume4");
  EXPECT_EQ(DevicePathToDrivePath(u"\\Device\\HarddiskVolume4\\Apps\\x y\\ed.exe", dev),
            u"D:\\Apps\\x y\\ed.exe");
  EXPECT_EQ(DevicePathToDrivePath(u"\\Device\\HarddiskVolume3\\", dev), u"C:\\");
}

TEST(DevicePathToDrivePath, NeedsTheWholeDeviceNameFollowedByABackslashInTheSameCase) {
  FakeDosDevices dev;
  dev.Add(u'C', u"\\Device\\HarddiskVolume1");
  dev.Add(u'E', u"\\Device\\HarddiskVolume10");
  // Volume1 is a prefix of Volume10 but not followed by "\": E wins, though C comes first.
  EXPECT_EQ(DevicePathToDrivePath(u"\\Device\\HarddiskVolume10\\a.exe", dev), u"E:\\a.exe");
  // Letter case differs: no match, the device path stays.
  EXPECT_EQ(DevicePathToDrivePath(u"\\device\\harddiskvolume1\\a.exe", dev),
            u"\\device\\harddiskvolume1\\a.exe");
  // The device name alone, without a separator after it, is not a path on that volume.
  EXPECT_EQ(DevicePathToDrivePath(u"\\Device\\HarddiskVolume1", dev), u"\\Device\\HarddiskVolume1");
}

TEST(DevicePathToDrivePath, VolumeWithoutADriveLetterStaysADevicePath) {
  FakeDosDevices dev;
  dev.Add(u'C', u"\\Device\\HarddiskVolume3");
  const Text path = u"\\Device\\HarddiskVolume7\\Mounted\\tool.exe";
  EXPECT_EQ(DevicePathToDrivePath(path, dev), path);
  FakeDosDevices none;
  EXPECT_EQ(DevicePathToDrivePath(path, none), path);
  EXPECT_EQ(DevicePathToDrivePath(u"", dev), u"");
}

TEST(DevicePathToDrivePath, WalksTheMaskFromAToZAndStopsAtTheFirstMatch) {
  FakeDosDevices dev;
  dev.Add(u'A', u"");  // in the mask, but unresolvable: skipped
  dev.Add(u'F', u"\\Device\\HarddiskVolume3");
  dev.Add(u'Z', u"\\Device\\HarddiskVolume3");     // a second letter for the same volume
  dev.names[u'B'] = u"\\Device\\HarddiskVolume3";  // not in the mask: never asked
  EXPECT_EQ(DevicePathToDrivePath(u"\\Device\\HarddiskVolume3\\x", dev), u"F:\\x");
  EXPECT_EQ(dev.asked, u"AF");
  dev.asked.clear();
  EXPECT_EQ(DevicePathToDrivePath(u"\\Device\\Other\\x", dev), u"\\Device\\Other\\x");
  EXPECT_EQ(dev.asked, u"AFZ");

  // All 26 letters are read, and mask bits above Z are not taken for letters.
  FakeDosDevices all;
  all.mask = 0xFFFFFFFFu;
  for (char16_t c = u'A'; c <= u'Z'; ++c) all.names[c] = u"\\Device\\V" + Text(1, c);
  EXPECT_EQ(DevicePathToDrivePath(u"\\Device\\VZ\\p", all), u"Z:\\p");
  EXPECT_EQ(all.asked.size(), 26u);
}

}  // namespace
}  // namespace ruvano
