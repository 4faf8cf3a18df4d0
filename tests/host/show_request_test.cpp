#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "app/show_request.h"

namespace ruvano {
namespace {

// The little-endian bytes of a UTF-16 text, with no terminator unless the text holds one.
std::vector<std::uint8_t> Bytes(std::u16string_view text) {
  std::vector<std::uint8_t> b;
  for (char16_t c : text) {
    b.push_back(static_cast<std::uint8_t>(c & 0xFF));
    b.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  return b;
}

bool Accepts(const std::vector<std::uint8_t>& b) {
  return IsShowRequest(b.data(), static_cast<std::uint32_t>(b.size()));
}

TEST(ShowRequest, PayloadIsFourteenBytesOfShowAndTwoNuls) {
  const ShowRequest r = MakeShowRequest();
  const std::uint8_t expected[14] = {0x2F, 0, 0x53, 0, 0x68, 0, 0x6F, 0, 0x77, 0, 0, 0, 0, 0};
  ASSERT_EQ(r.bytes.size(), 14u);
  EXPECT_EQ(std::memcmp(r.bytes.data(), expected, 14), 0);
  EXPECT_EQ(r.dwData, 0u);
  EXPECT_TRUE(IsShowRequest(r.bytes.data(), 14));
}

TEST(ShowRequest, AcceptsExactlyShowUpToTheFirstNul) {
  using namespace std::string_view_literals;
  EXPECT_TRUE(Accepts(Bytes(u"/Show\0"sv)));
  EXPECT_TRUE(Accepts(Bytes(u"/Show\0junk"sv)));
  EXPECT_TRUE(Accepts(Bytes(u"/Show")));  // the payload ends where the text does
  EXPECT_FALSE(Accepts(Bytes(u"/show\0"sv)));
  EXPECT_FALSE(Accepts(Bytes(u"/SHOW\0"sv)));
  EXPECT_FALSE(Accepts(Bytes(u"/Show2\0"sv)));
  EXPECT_FALSE(Accepts(Bytes(u"/Show ")));
  EXPECT_FALSE(Accepts(Bytes(u" /Show\0"sv)));
  EXPECT_FALSE(Accepts(Bytes(u"/Sho")));
  EXPECT_FALSE(Accepts(Bytes(u"\0/Show"sv)));
  EXPECT_FALSE(Accepts({}));
  // Code units whose high byte is set are not the ASCII letters, in either byte order.
  EXPECT_FALSE(Accepts(Bytes(u"\u012F\u0153\u0168\u016F\u0177")));
  EXPECT_FALSE(Accepts({0, 0x2F, 0, 0x53, 0, 0x68, 0, 0x6F, 0, 0x77, 0, 0}));
}

TEST(ShowRequest, ReadsNoMoreThanTheGivenSize) {
  const ShowRequest r = MakeShowRequest();
  EXPECT_FALSE(IsShowRequest(r.bytes.data(), 8));  // "/Sho"
  EXPECT_FALSE(IsShowRequest(r.bytes.data(), 9));  // the odd byte is not half a code unit
  EXPECT_TRUE(IsShowRequest(r.bytes.data(), 11));  // whole code units: "/Show"
  EXPECT_EQ(CopyDataText(r.bytes.data(), 9), u"/Sho");
  EXPECT_EQ(CopyDataText(r.bytes.data(), 1), u"");
  EXPECT_EQ(CopyDataText(r.bytes.data(), 0), u"");
  // A size far beyond the buffer: reading stops at the NUL inside it.
  EXPECT_TRUE(IsShowRequest(r.bytes.data(), 0xFFFFFFFFu));
  EXPECT_EQ(CopyDataText(r.bytes.data(), 0xFFFFFFFFu), u"/Show");

  // A buffer with no NUL at all, given with its real size, is read to its end and no further
  // (run under AddressSanitizer this shows any overread).
  const std::vector<std::uint8_t> noNul = Bytes(u"/Show/Show/Show");
  auto* heap = new std::uint8_t[noNul.size()];
  std::memcpy(heap, noNul.data(), noNul.size());
  EXPECT_EQ(CopyDataText(heap, static_cast<std::uint32_t>(noNul.size())), u"/Show/Show/Show");
  EXPECT_FALSE(IsShowRequest(heap, static_cast<std::uint32_t>(noNul.size())));
  delete[] heap;
}

TEST(ShowRequest, NullDataAndUnalignedData) {
  EXPECT_FALSE(IsShowRequest(nullptr, 14));
  EXPECT_FALSE(IsShowRequest(nullptr, 0xFFFFFFFFu));
  EXPECT_EQ(CopyDataText(nullptr, 14), u"");

  const ShowRequest r = MakeShowRequest();
  std::uint8_t buf[15] = {};
  std::memcpy(buf + 1, r.bytes.data(), 14);  // at an odd address
  EXPECT_TRUE(IsShowRequest(buf + 1, 14));
}

TEST(ShowRequest, OnlyAHiddenWindowWithAPayloadShowsItself) {
  const ShowRequest r = MakeShowRequest();
  EXPECT_TRUE(ShouldShowForCopyData(false, true, r.bytes.data(), 14));
  EXPECT_FALSE(ShouldShowForCopyData(true, true, r.bytes.data(), 14));    // visible: not even raised
  EXPECT_FALSE(ShouldShowForCopyData(false, false, r.bytes.data(), 14));  // lParam 0
  EXPECT_FALSE(ShouldShowForCopyData(false, true, nullptr, 14));
}

}  // namespace
}  // namespace ruvano
