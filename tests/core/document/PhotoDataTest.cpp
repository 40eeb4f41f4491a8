#include "core/document/PhotoData.h"

#include <gtest/gtest.h>

#include "DocumentFixture.h"
#include "core/common/StringTable.h"
#include "support/ImageBytes.h"

using namespace nuvo;

namespace {

std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::vector<std::uint8_t>> PhotoBytes(const CNuvoDoc& doc) {
  std::vector<std::vector<std::uint8_t>> photos;
  for (const CPhotoData& photo : doc.GetPhotoData()) {
    auto bytes = photo.Read();
    photos.push_back(bytes ? *bytes : std::vector<std::uint8_t>{});
  }
  return photos;
}

// A listing of three photos saved at `path` and opened again, so that its photos are pieces of
// the file.
class OpenedListing : public ::testing::Test {
 protected:
  OpenedListing() {
    doc->OnNewDocument();
    doc->SetPhotos({"a.jpg", "b.jpg", "c.gif"}, {{640, 480}, {320, 200}, {31, 40}}, {"", "", ""},
                   {CPhotoData(photos[0]), CPhotoData(photos[1]), CPhotoData(photos[2])});
    doc->OnSaveDocument(path);
    doc->OnOpenDocument(path);
    fx.prompt.requests.clear();
  }

  DocumentFixture fx;
  std::unique_ptr<CNuvoDoc> doc = fx.MakeDoc();
  const std::filesystem::path path = fx.dir.path() / "listing.nvd";
  const std::vector<std::vector<std::uint8_t>> photos = {
      JpegBytes(640, 480), std::vector<std::uint8_t>(200000, 0x33), GifBytes(31, 40)};
};

TEST_F(OpenedListing, PhotosSurviveSavingTwiceOverTheFileTheyCameFrom) {
  ASSERT_EQ(doc->GetPhotoData().size(), 3u);
  for (const CPhotoData& photo : doc->GetPhotoData()) EXPECT_TRUE(photo.InFile());
  // The first save renames a new file over the one the photos lie in; the second copies them
  // from that replaced file, which the listing still holds open.
  doc->SetTitle("first");
  ASSERT_TRUE(doc->OnSaveDocument(path));
  doc->SetTitle("second");
  ASSERT_TRUE(doc->OnSaveDocument(path));
  EXPECT_EQ(PhotoBytes(*doc), photos);

  auto reopened = fx.MakeDoc();
  ASSERT_TRUE(reopened->OnOpenDocument(path));
  EXPECT_EQ(reopened->GetTitle(), "second");
  EXPECT_EQ(PhotoBytes(*reopened), photos);
  EXPECT_TRUE(fx.prompt.Ids().empty());
}

TEST_F(OpenedListing, APhotoKeptFromBeforeAReopenStillReadsWhatItWas) {
  const CPhotoData kept = doc->GetPhotoData()[0];
  doc->SetPhotos({"b.jpg"}, {{320, 200}}, {""}, {doc->GetPhotoData()[1]});
  ASSERT_TRUE(doc->OnSaveDocument(path));
  ASSERT_TRUE(doc->OnOpenDocument(path));
  EXPECT_EQ(PhotoBytes(*doc), std::vector<std::vector<std::uint8_t>>{photos[1]});
  EXPECT_EQ(*kept.Read(), photos[0]);
}

TEST_F(OpenedListing, AFileCutShortBehindTheListingIsNeitherReadNorSavedFrom) {
  std::filesystem::resize_file(path, 1000);
  const std::string cut = ReadWholeFile(path);
  EXPECT_EQ(doc->GetPhotoData()[0].Read(), nullptr);

  const std::filesystem::path elsewhere = fx.dir.path() / "copy.nvd";
  EXPECT_FALSE(doc->OnSaveDocument(elsewhere));
  EXPECT_FALSE(doc->OnSaveDocument(path));
  EXPECT_EQ(fx.prompt.Ids(), (std::vector<int>{IDS_SOURCE_FILE_CHANGED, IDS_SOURCE_FILE_CHANGED}));
  EXPECT_FALSE(std::filesystem::exists(elsewhere));
  EXPECT_EQ(ReadWholeFile(path), cut);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(fx.dir.path()), {}), 2)
      << "no temporary file is left beside the listing";
}

TEST_F(OpenedListing, AFileChangedInPlaceAtTheSameSizeIsNotTrusted) {
  // Another program rewrites the file in place; its clock says it did so later.
  std::string bytes = ReadWholeFile(path);
  std::fill(bytes.end() - 1000, bytes.end(), 'x');
  std::fstream(path, std::ios::binary | std::ios::in | std::ios::out) << bytes;
  std::filesystem::last_write_time(
      path, std::filesystem::last_write_time(path) + std::chrono::seconds(2));
  EXPECT_EQ(doc->GetPhotoData()[1].Read(), nullptr);
  EXPECT_FALSE(doc->OnSaveDocument(path));
  EXPECT_EQ(ReadWholeFile(path), bytes);
}

}  // namespace
