#include "core/editing/PhotoReader.h"

#include <gtest/gtest.h>

#include <fstream>

#include "EditingFixture.h"
#include "core/app/OptionBits.h"
#include "core/common/MessageIds.h"
#include "support/ImageBytes.h"
#include "support/TempDir.h"

using namespace nuvo;

namespace {

class PhotoReaderTest : public EditingTest {
 protected:
  std::filesystem::path Write(const std::string& name, const std::vector<std::uint8_t>& data) {
    std::filesystem::path path = dir.path() / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(data.data()),
               static_cast<std::streamsize>(data.size()));
    return path;
  }

  TempDir dir;
};

TEST_F(PhotoReaderTest, RefusesEachBadFileWithItsOwnMessage) {
  CPhotoReader reader(prompt, kOptionValueDefault);
  struct Case {
    std::filesystem::path path;
    EPhotoError error;
    int messageId;
    const char* named = "";  // what the message must name
  };
  const Case cases[] = {
      {dir.path() / "missing.jpg", EPhotoError::NotFound, IDS_FILE_OPEN_FAILED},
      {Write("photo.png", JpegBytes(100, 100)), EPhotoError::NotImage, IDS_PHOTO_NOT_JPEG_GIF},
      {Write("empty.jpg", {}), EPhotoError::Empty, IDS_PHOTO_EMPTY},
      {Write("huge.jpg", GifBytes(100, 100, 5 * 1048576 + 1)), EPhotoError::TooLarge,
       IDS_PHOTO_TOO_LARGE, "5"},
      {Write("broken.jpg", {1, 2, 3}), EPhotoError::SizeUnknown, IDS_PHOTO_SIZE_UNKNOWN},
      // A GIF named as a JPEG is measured as a JPEG, and found wanting.
      {Write("gif.jpeg", GifBytes(100, 100)), EPhotoError::SizeUnknown, IDS_PHOTO_SIZE_UNKNOWN},
      {Write("tiny.GIF", GifBytes(31, 31)), EPhotoError::TooSmall, IDS_PHOTO_TOO_SMALL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path.filename().string());
    prompt.requests.clear();
    EXPECT_FALSE(reader.AddPhoto(doc, c.path));
    EXPECT_EQ(reader.LastError(), c.error);
    ASSERT_EQ(prompt.Ids(), std::vector<int>{c.messageId});
    EXPECT_NE(prompt.requests[0].text.find(c.named), std::string::npos);
  }
  EXPECT_TRUE(doc.GetPhotoData().empty());
  EXPECT_FALSE(doc.CanUndo());
}

TEST_F(PhotoReaderTest, AcceptsAPictureNarrowOnlyOneWayAndNamesItAfterTheFile) {
  CPhotoReader reader(prompt, kOptionValueDefault);
  EXPECT_TRUE(reader.AddPhoto(doc, Write("banner.GIF", GifBytes(31, 40))));
  EXPECT_TRUE(reader.AddPhoto(doc, Write("shot.jpeg", JpegBytes(640, 480))));
  EXPECT_TRUE(prompt.requests.empty());
  EXPECT_EQ(doc.GetPhotoNames(), (std::vector<std::string>{"banner.GIF", "shot.jpeg"}));
  EXPECT_EQ(doc.GetPhotoSizes(), (std::vector<PixelSize>{{31, 40}, {640, 480}}));
  EXPECT_EQ(*doc.GetPhotoData()[1].Read(), JpegBytes(640, 480));
  doc.Undo();
  EXPECT_EQ(doc.GetPhotoNames(), std::vector<std::string>{"banner.GIF"});
}

TEST_F(PhotoReaderTest, AsksAboutALargeFileOnlyWhenTheOptionIsSet) {
  std::filesystem::path large = Write("large.gif", GifBytes(100, 100, 2 * 1048576));
  CPhotoReader quiet(prompt, kOptionValueDefault & ~kOptionWarnLargePhotos);
  EXPECT_TRUE(quiet.AddPhoto(doc, large));
  EXPECT_TRUE(prompt.requests.empty());

  CPhotoReader asking(prompt, kOptionValueDefault | kOptionWarnLargePhotos);
  EXPECT_FALSE(asking.AddPhoto(doc, large));
  EXPECT_EQ(asking.LastError(), EPhotoError::Declined);
  EXPECT_EQ(prompt.Ids(), std::vector<int>{IDS_PHOTO_OVER_WARNING_SIZE});
  EXPECT_EQ(prompt.requests[0].buttons, PromptButtons::YesNo);
  prompt.Queue(PromptAnswer::Yes);
  EXPECT_TRUE(asking.AddPhoto(doc, large));
  EXPECT_EQ(doc.GetPhotoData().size(), 2u);
}

TEST_F(PhotoReaderTest, RefusesAnEleventhPhotoBeforeReadingIt) {
  CPhotoReader reader(prompt, kOptionValueDefault);
  std::filesystem::path photo = Write("p.gif", GifBytes(64, 64));
  for (int i = 0; i < 10; ++i) ASSERT_TRUE(reader.AddPhoto(doc, photo));
  EXPECT_FALSE(reader.AddPhoto(doc, dir.path() / "missing.jpg"));
  EXPECT_EQ(reader.LastError(), EPhotoError::TooMany);
  EXPECT_EQ(prompt.Ids(), std::vector<int>{IDS_TOO_MANY_PHOTOS});
  EXPECT_NE(prompt.requests[0].text.find("10"), std::string::npos);
  EXPECT_EQ(doc.GetPhotoData().size(), 10u);
}

}  // namespace
