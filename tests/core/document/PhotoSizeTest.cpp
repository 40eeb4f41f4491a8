#include <gtest/gtest.h>

#include "core/document/PhotoSize.h"
#include "support/ImageBytes.h"

using namespace nuvo;

TEST(PhotoSize, ReadsTheGifHeaderWhenTheNameSaysGifInAnyCase) {
  ImageBytes gif = GifBytes(320, 0x0102);
  EXPECT_EQ(PhotoPixelSize("a.gif", gif), (PixelSize{320, 258}));
  EXPECT_EQ(PhotoPixelSize("PHOTO.GIF", gif), (PixelSize{320, 258}));
  // Any other name is taken for a JPEG, which these bytes are not.
  EXPECT_EQ(PhotoPixelSize("a.jpg", gif), (PixelSize{}));
  EXPECT_EQ(PhotoPixelSize("gif", gif), (PixelSize{}));
  EXPECT_FALSE(ReadGifSize(ImageBytes(gif.begin(), gif.begin() + 9)));
  EXPECT_FALSE(ReadGifSize(ImageBytes{'J', 'I', 'F', 0, 0, 0, 1, 0, 1, 0}));
}

TEST(PhotoSize, FindsTheFrameHeaderPastOtherSegmentsIncludingLookalikes) {
  ImageBytes jpeg = {0xFF, 0xD8};
  AppendJpegSegment(jpeg, 0xE0, ImageBytes(14, 0xC0));  // APP0 whose content looks like markers
  AppendJpegSegment(jpeg, 0xC4, ImageBytes(20, 0));  // DHT, DAC and JPG sit among the frame codes
  AppendJpegSegment(jpeg, 0xCC, ImageBytes(4, 0));
  AppendJpegSegment(jpeg, 0xC8, ImageBytes(4, 0));
  jpeg.insert(jpeg.end(), {0xFF, 0xFF, 0xD0});                 // a fill byte and a restart marker
  AppendJpegSegment(jpeg, 0xC2, JpegFramePayload(1024, 768));  // progressive frame
  EXPECT_EQ(ReadJpegSize(jpeg), (PixelSize{1024, 768}));
  EXPECT_EQ(PhotoPixelSize("x.JPG", jpeg), (PixelSize{1024, 768}));

  // Every cut of the file short of the frame's size fields finds nothing and reads no further.
  for (std::size_t cut = 0; cut + 4 < jpeg.size(); ++cut) {
    EXPECT_FALSE(ReadJpegSize(std::span(jpeg).first(cut))) << cut;
  }
}

TEST(PhotoSize, StopsAtTheScanOrAtALengthThatCannotBe) {
  ImageBytes scanFirst = {0xFF, 0xD8};
  AppendJpegSegment(scanFirst, 0xDA, ImageBytes(10, 0));
  AppendJpegSegment(scanFirst, 0xC0, JpegFramePayload(10, 10));
  EXPECT_FALSE(ReadJpegSize(scanFirst));

  ImageBytes badLength = {0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x01, 0xFF, 0xC0};
  EXPECT_FALSE(ReadJpegSize(badLength));
  ImageBytes huge = {0xFF, 0xD8, 0xFF, 0xE1, 0xFF, 0xFF, 0x00};
  EXPECT_FALSE(ReadJpegSize(huge));
  EXPECT_FALSE(ReadJpegSize(ImageBytes{0x89, 'P', 'N', 'G'}));
}
