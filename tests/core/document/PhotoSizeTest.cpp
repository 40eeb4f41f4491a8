#include <gtest/gtest.h>

#include <vector>

#include "core/document/PhotoSize.h"

using namespace nuvo;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Gif(std::uint16_t width, std::uint16_t height) {
  return {'G',
          'I',
          'F',
          '8',
          '9',
          'a',
          static_cast<std::uint8_t>(width),
          static_cast<std::uint8_t>(width >> 8),
          static_cast<std::uint8_t>(height),
          static_cast<std::uint8_t>(height >> 8),
          0,
          0,
          0};
}

void Append(Bytes& out, std::uint8_t code, const Bytes& payload) {
  std::size_t length = payload.size() + 2;
  out.insert(out.end(), {0xFF, code, static_cast<std::uint8_t>(length >> 8),
                         static_cast<std::uint8_t>(length)});
  out.insert(out.end(), payload.begin(), payload.end());
}

Bytes FramePayload(std::uint16_t width, std::uint16_t height) {
  return {8,
          static_cast<std::uint8_t>(height >> 8),
          static_cast<std::uint8_t>(height),
          static_cast<std::uint8_t>(width >> 8),
          static_cast<std::uint8_t>(width),
          3,
          1,
          0x22,
          0};
}

}  // namespace

TEST(PhotoSize, ReadsTheGifHeaderWhenTheNameSaysGifInAnyCase) {
  Bytes gif = Gif(320, 0x0102);
  EXPECT_EQ(PhotoPixelSize("a.gif", gif), (PixelSize{320, 258}));
  EXPECT_EQ(PhotoPixelSize("PHOTO.GIF", gif), (PixelSize{320, 258}));
  // Any other name is taken for a JPEG, which these bytes are not.
  EXPECT_EQ(PhotoPixelSize("a.jpg", gif), (PixelSize{}));
  EXPECT_EQ(PhotoPixelSize("gif", gif), (PixelSize{}));
  EXPECT_FALSE(ReadGifSize(Bytes(gif.begin(), gif.begin() + 9)));
  EXPECT_FALSE(ReadGifSize(Bytes{'J', 'I', 'F', 0, 0, 0, 1, 0, 1, 0}));
}

TEST(PhotoSize, FindsTheFrameHeaderPastOtherSegmentsIncludingLookalikes) {
  Bytes jpeg = {0xFF, 0xD8};
  Append(jpeg, 0xE0, Bytes(14, 0xC0));  // APP0 whose content looks like markers
  Append(jpeg, 0xC4, Bytes(20, 0));     // DHT, DAC and JPG sit among the frame codes
  Append(jpeg, 0xCC, Bytes(4, 0));
  Append(jpeg, 0xC8, Bytes(4, 0));
  jpeg.insert(jpeg.end(), {0xFF, 0xFF, 0xD0});  // a fill byte and a restart marker
  Append(jpeg, 0xC2, FramePayload(1024, 768));  // progressive frame
  EXPECT_EQ(ReadJpegSize(jpeg), (PixelSize{1024, 768}));
  EXPECT_EQ(PhotoPixelSize("x.JPG", jpeg), (PixelSize{1024, 768}));

  // Every cut of the file short of the frame's size fields finds nothing and reads no further.
  for (std::size_t cut = 0; cut + 4 < jpeg.size(); ++cut) {
    EXPECT_FALSE(ReadJpegSize(std::span(jpeg).first(cut))) << cut;
  }
}

TEST(PhotoSize, StopsAtTheScanOrAtALengthThatCannotBe) {
  Bytes scanFirst = {0xFF, 0xD8};
  Append(scanFirst, 0xDA, Bytes(10, 0));
  Append(scanFirst, 0xC0, FramePayload(10, 10));
  EXPECT_FALSE(ReadJpegSize(scanFirst));

  Bytes badLength = {0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x01, 0xFF, 0xC0};
  EXPECT_FALSE(ReadJpegSize(badLength));
  Bytes huge = {0xFF, 0xD8, 0xFF, 0xE1, 0xFF, 0xFF, 0x00};
  EXPECT_FALSE(ReadJpegSize(huge));
  EXPECT_FALSE(ReadJpegSize(Bytes{0x89, 'P', 'N', 'G'}));
}
