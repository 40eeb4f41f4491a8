#include "core/document/PreviewFile.h"

#include <gtest/gtest.h>

#include <set>

#include "DocumentFixture.h"

using namespace nuvo;
namespace fs = std::filesystem;

namespace {

std::string ReadWholeFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every file and folder below `top`, as paths relative to it.
std::set<std::string> Tree(const fs::path& top) {
  std::set<std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator(top)) {
    entries.insert(fs::relative(entry.path(), top).generic_string());
  }
  return entries;
}

const CPhotoData kJpeg(std::vector<std::uint8_t>{0xFF, 0xD8, 0xFF, 0xE0, 1, 2});
const CPhotoData kGif(std::vector<std::uint8_t>{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0});
const CPhotoData kPng(std::vector<std::uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0});

}  // namespace

TEST(PreviewFile, PhotoFilesAreNamedByTheProgramWhateverTheListingCallsThem) {
  DocumentFixture fx;
  auto doc = fx.MakeDoc();
  ASSERT_TRUE(doc->OnNewDocument());
  doc->SetTitle("hostile");
  const std::vector<std::string> names = {"../../escape.jpg",
                                          "/tmp/absolute.gif",
                                          "..\\..\\windows.png",
                                          std::string("nul\0../x.jpg", 12),
                                          std::string(300, 'n') + ".jpg",
                                          "empty.jpg"};
  const CPhotoData webp(
      std::vector<std::uint8_t>{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'E', 'B', 'P'});
  doc->SetPhotos(
      names, std::vector<PixelSize>(names.size()), std::vector<std::string>(names.size()),
      {kJpeg, kGif, kPng, CPhotoData(std::vector<std::uint8_t>{'?', '?'}), webp, CPhotoData{}});
  const fs::path work = fx.dir.path() / "work" / "Ab3dE9xz";
  fs::create_directories(work.parent_path());

  ASSERT_TRUE(WritePreviewFile(*doc, work));
  EXPECT_EQ(Tree(fx.dir.path() / "work"),
            (std::set<std::string>{"Ab3dE9xz.htm", "Ab3dE9xz_01.jpg", "Ab3dE9xz_02.gif",
                                   "Ab3dE9xz_03.png", "Ab3dE9xz_04.dat", "Ab3dE9xz_05.webp"}));
  EXPECT_EQ(Tree(fx.dir.path()).count("escape.jpg"), 0u);
  EXPECT_FALSE(fs::exists("/tmp/absolute.gif"));
  EXPECT_EQ(ReadWholeFile(work.string() + "_02.gif"),
            std::string(kGif.Read()->begin(), kGif.Read()->end()));

  const std::string page = ReadWholeFile(PreviewFilePath(work));
  EXPECT_NE(page.find("<img src=\"Ab3dE9xz_01.jpg\""), std::string::npos);
  EXPECT_NE(page.find("<img src=\"Ab3dE9xz_05.webp\""), std::string::npos);
  for (const char* stored : {"escape", "absolute", "windows", "nnnn"}) {
    EXPECT_EQ(page.find(stored), std::string::npos) << stored;
  }
}

TEST(PreviewFile, PhotosAreRewrittenOnlyWhenTheirSizeChanged) {
  DocumentFixture fx;
  auto doc = fx.MakeDoc();
  ASSERT_TRUE(doc->OnNewDocument());
  doc->SetPhotos({"a.jpg"}, {{}}, {""}, {kJpeg});
  const fs::path work = fx.dir.path() / "w";
  const fs::path photo = work.string() + "_01.jpg";
  ASSERT_TRUE(WritePreviewFile(*doc, work));

  // Same size: the browser may hold the file open, so it is left alone.
  std::ofstream(photo, std::ios::binary) << "XXXXXX";
  ASSERT_TRUE(WritePreviewFile(*doc, work));
  EXPECT_EQ(ReadWholeFile(photo), "XXXXXX");

  std::ofstream(photo, std::ios::binary) << "XX";
  ASSERT_TRUE(WritePreviewFile(*doc, work));
  EXPECT_EQ(ReadWholeFile(photo), std::string(kJpeg.Read()->begin(), kJpeg.Read()->end()));
}

TEST(PreviewFile, AFailureKeepsThePreviousPreview) {
  DocumentFixture fx;
  auto doc = fx.MakeDoc();
  ASSERT_TRUE(doc->OnNewDocument());
  EXPECT_FALSE(WritePreviewFile(*doc, fs::path()));

  doc->SetTitle("first");
  const fs::path work = fx.dir.path() / "w";
  ASSERT_TRUE(WritePreviewFile(*doc, work));
  const std::string before = ReadWholeFile(PreviewFilePath(work));
  ASSERT_NE(before.find("first"), std::string::npos);

  // A folder where the photo file should go cannot be replaced by a file.
  doc->SetTitle("second");
  doc->SetPhotos({"a.gif"}, {{}}, {""}, {kGif});
  fs::create_directories(work.string() + "_01.gif/inside");
  EXPECT_FALSE(WritePreviewFile(*doc, work));
  EXPECT_EQ(ReadWholeFile(PreviewFilePath(work)), before);
  EXPECT_EQ(Tree(fx.dir.path()).count("w_01.gif.part"), 0u);

  EXPECT_FALSE(WritePreviewFile(*doc, fx.dir.path() / "missing" / "w"));
}
