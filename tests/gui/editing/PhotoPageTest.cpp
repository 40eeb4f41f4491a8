#include "gui/editing/PhotoPage.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <fstream>

#include "SheetFixture.h"
#include "core/app/OptionBits.h"
#include "core/common/Encoding.h"
#include "core/common/MessageIds.h"
#include "support/TempDir.h"

using namespace nuvo;

namespace {

class PhotoPageTest : public SheetTest {
 protected:
  PhotoPageTest() : page(sheet->findChild<CPhotoPage*>()) {}

  QString Path(const char* name) const {
    return QString::fromStdU16String((dir.path() / name).u16string());
  }
  QString WriteBytes(const char* name, const std::vector<char>& bytes) {
    std::ofstream(dir.path() / name, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return Path(name);
  }
  QString WritePicture(const char* name, int width, int height, const char* format = "JPEG") {
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    picture.save(Path(name), format);
    return Path(name);
  }
  // Photo rows the page shows.
  int ShownRows() {
    int shown = 0;
    for (int i = 0; i < 10; ++i) {
      shown +=
          Find<QLineEdit>(qPrintable(QStringLiteral("photoComment%1").arg(i)))->isVisibleTo(page);
    }
    return shown;
  }

  TempDir dir;
  CPhotoPage* page;
};

TEST_F(PhotoPageTest, EachRefusedFileShowsItsMessageAndAddsNothing) {
  std::vector<char> gifHeader{'G', 'I', 'F', '8', '9', 'a', 31, 0, 31, 0, 0, 0};
  struct Case {
    QString path;
    int message;
    std::string named;
  };
  std::vector<Case> cases{
      {Path("missing.jpg"), IDS_FILE_OPEN_FAILED, ""},
      {WritePicture("picture.png", 64, 64, "PNG"), IDS_PHOTO_NOT_JPEG_GIF, ""},
      {WriteBytes("empty.jpg", {}), IDS_PHOTO_EMPTY, ""},
      {WriteBytes("huge.jpg", std::vector<char>(5 * 1048576 + 1, 'x')), IDS_PHOTO_TOO_LARGE, "5"},
      {WriteBytes("tiny.GIF", gifHeader), IDS_PHOTO_TOO_SMALL, ""},
      {WriteBytes("broken.jpeg", {'n', 'o', 't'}), IDS_PHOTO_SIZE_UNKNOWN, ""},
  };
  for (const Case& c : cases) {
    prompt.requests.clear();
    EXPECT_FALSE(page->AddPhotos({c.path})) << c.path.toStdString();
    ASSERT_EQ(prompt.Ids(), std::vector<int>{c.message}) << c.path.toStdString();
    EXPECT_NE(prompt.requests[0].text.find(c.named), std::string::npos);
  }
  EXPECT_TRUE(doc->GetPhotoData().empty());
  EXPECT_FALSE(doc->GetCommandHistory().CanUndo());
  EXPECT_TRUE(Find<QLabel>("photoPlaceholder")->isVisibleTo(page));
}

TEST_F(PhotoPageTest, LargeFilesAreAskedAboutOnlyWhenTheWarningIsOn) {
  QImage noisy(1400, 1000, QImage::Format_RGB32);
  for (int y = 0; y < noisy.height(); ++y) {
    for (int x = 0; x < noisy.width(); ++x)
      noisy.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x * y) % 256));
  }
  noisy.save(Path("large.jpg"), "JPEG", 100);
  ASSERT_GT(std::filesystem::file_size(dir.path() / "large.jpg"), 1048576u);

  options.optionValue = kOptionWarnLargePhotos;
  EXPECT_FALSE(page->AddPhotos({Path("large.jpg")}));  // the prompt answers No
  EXPECT_EQ(prompt.Ids(), std::vector<int>{IDS_PHOTO_OVER_WARNING_SIZE});
  options.optionValue = 0;
  prompt.requests.clear();
  EXPECT_TRUE(page->AddPhotos({Path("large.jpg")}));
  EXPECT_TRUE(prompt.requests.empty());
  EXPECT_EQ(ShownRows(), 1);
}

TEST_F(PhotoPageTest, TheEleventhPhotoIsRefusedNamingTheLimit) {
  QString narrow = WritePicture("narrow.jpg", 31, 40);
  QStringList ten;
  for (int i = 0; i < 10; ++i) ten << narrow;
  EXPECT_TRUE(page->AddPhotos(ten));
  EXPECT_EQ(ShownRows(), 10);
  EXPECT_FALSE(Find<QLabel>("photoPlaceholder")->isVisibleTo(page));
  EXPECT_FALSE(page->AddPhotos({narrow}));
  ASSERT_EQ(prompt.Ids(), std::vector<int>{IDS_TOO_MANY_PHOTOS});
  EXPECT_NE(prompt.requests[0].text.find("10"), std::string::npos);
  EXPECT_EQ(doc->GetPhotoData().size(), 10u);
}

TEST_F(PhotoPageTest, RowsFollowTheListThroughEditsAndUndo) {
  EXPECT_TRUE(page->AddPhotos({WritePicture("a.jpg", 40, 40), WritePicture("b.jpg", 80, 60)}));
  auto* comment = Find<QLineEdit>("photoComment1");
  Type(comment, QStringLiteral("裏面"));
  EXPECT_EQ(doc->GetPhotoDetails().at(1), Cp932("裏面"));

  EXPECT_TRUE(page->ReplacePhoto(0, WritePicture("c.jpg", 50, 50)));
  EXPECT_EQ(doc->GetPhotoNames().at(0), "c.jpg");

  CCommandHistory& history = doc->GetCommandHistory();
  history.Undo();  // the replacement
  EXPECT_EQ(doc->GetPhotoNames().at(0), "a.jpg");
  history.Undo();
  history.Undo();  // the comment, one character at a time
  EXPECT_EQ(comment->text(), QString());
  history.Undo();
  EXPECT_EQ(ShownRows(), 1);
  history.Undo();
  EXPECT_EQ(ShownRows(), 0);
  EXPECT_TRUE(Find<QLabel>("photoPlaceholder")->isVisibleTo(page));
  history.Redo();
  history.Redo();
  EXPECT_EQ(ShownRows(), 2);
}

TEST_F(PhotoPageTest, ThumbnailsOfAnOpenedListingAreReadFromItsFile) {
  EXPECT_TRUE(page->AddPhotos({WritePicture("a.jpg", 40, 40), WritePicture("b.jpg", 80, 60)}));
  const std::filesystem::path listing = dir.path() / "listing.nvd";
  ASSERT_TRUE(doc->OnSaveDocument(listing));
  ASSERT_TRUE(doc->OnOpenDocument(listing));
  page->UpdateFromDocument(change::kPhotos);
  auto* thumbnail = Find<QLabel>("photoThumbnail1");
  EXPECT_FALSE(thumbnail->pixmap().isNull());
  // Another program cut the file short: the photo cannot be shown, and nothing breaks.
  std::filesystem::resize_file(listing, 100);
  page->UpdateFromDocument(change::kPhotos);
  EXPECT_TRUE(thumbnail->pixmap().isNull());
  EXPECT_EQ(thumbnail->text(), QStringLiteral("（表示不可）"));
}

}  // namespace
