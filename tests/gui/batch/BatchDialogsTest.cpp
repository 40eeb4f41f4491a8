#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <fstream>

#include "core/app/AppComm.h"
#include "core/app/MemorySettings.h"
#include "core/common/MessageIds.h"
#include "gui/batch/BatchProgressDialog.h"
#include "gui/batch/BatchSubmitDialog.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"

using namespace nuvo;

namespace {

bool HasLabel(const QWidget& window, const QString& text) {
  for (const QLabel* label : window.findChildren<QLabel*>()) {
    if (label->text() == text) return true;
  }
  return false;
}

const QString kNotice = QStringLiteral(
    "ヤフオク!の利用規約とガイドラインに同意したものとして、自動的に一括出品します。");

// The batch window over a folder of (empty) files for it to collect.
class BatchSubmitDialogTest : public ::testing::Test {
 protected:
  void MakeFiles(const char* folder, std::initializer_list<const char*> names) {
    std::filesystem::create_directories(dir.path() / folder);
    for (const char* name : names) std::ofstream(dir.path() / name);
  }

  CMemorySettings backend;
  CAppComm comm{backend};
  ScriptedPrompt prompt;
  TempDir dir;
};

TEST_F(BatchSubmitDialogTest, CollectsFilesAsTheSellerAddsThem) {
  MakeFiles("sub", {"a.nvd", "sub/b.nvd", "photo.jpg"});

  EXPECT_TRUE(HasLabel(CBatchSubmitDialog(comm, prompt, false), kNotice));
  CBatchSubmitDialog dialog(comm, prompt, true);
  EXPECT_TRUE(
      HasLabel(dialog, kNotice + QStringLiteral("出品の最終確認ダイアログは表示されません。")));

  dialog.AddFolder(dir.path());
  dialog.AddFiles({dir.path() / "a.nvd"});
  EXPECT_EQ(prompt.Ids(), std::vector<int>{IDS_BATCH_ALREADY_LISTED});
  EXPECT_TRUE(HasLabel(dialog, QStringLiteral("選択されたファイル数: 2")));

  // A photo among the files is refused; nothing else changes.
  dialog.AddFiles({dir.path() / "photo.jpg"});
  EXPECT_EQ(prompt.Ids().back(), IDS_BATCH_NOT_NUVO_FILE);
  EXPECT_EQ(dialog.Files(),
            (std::vector<std::filesystem::path>{dir.path() / "a.nvd", dir.path() / "sub/b.nvd"}));

  auto* view = dialog.findChild<QTreeWidget*>();
  view->setCurrentItem(view->topLevelItem(1));
  dialog.MoveSelected(-1);
  EXPECT_EQ(dialog.Files().front(), dir.path() / "sub/b.nvd");
  EXPECT_EQ(view->currentItem()->text(0), QStringLiteral("b.nvd"));
}

TEST_F(BatchSubmitDialogTest, TakesDroppedFilesAndFoldersOnItsList) {
  MakeFiles("week", {"a.nvd", "week/b.nvd", "week/c.nvd"});
  CBatchSubmitDialog dialog(comm, prompt, false);
  QWidget* viewport = dialog.findChild<QTreeWidget*>()->viewport();

  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(QString::fromStdString((dir.path() / "week").string())),
                QUrl::fromLocalFile(QString::fromStdString((dir.path() / "a.nvd").string()))});
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &drop);
  EXPECT_EQ(dialog.Files(),
            (std::vector<std::filesystem::path>{dir.path() / "week/b.nvd",
                                                dir.path() / "week/c.nvd", dir.path() / "a.nvd"}));
  EXPECT_TRUE(prompt.Ids().empty());
}

TEST(BatchProgressDialog, ShowsEachItemsStateAndStopsAtTheFailure) {
  TempDir dir;
  std::vector<std::filesystem::path> files;
  for (const char* name : {"a.nvd", "b.nvd", "c.nvd"}) {
    files.push_back(dir.path() / name);
    std::ofstream(files.back()) << name;
  }
  CBatchJournal journal(dir.path() / "journal.txt", files);
  ScriptedPrompt prompt;
  std::vector<int> submitted;
  CBatchProgressDialog dialog(
      journal, {}, 0, prompt,
      [&](const BatchItem&, std::span<const std::uint8_t>, int index, int,
          const std::function<bool()>& posting) {
        submitted.push_back(index);
        posting();
        if (index == 2) return BatchSubmitResult{BatchSubmitResult::Outcome::Failed, {}, "NG"};
        return BatchSubmitResult{BatchSubmitResult::Outcome::Listed, "x100", {}};
      });
  dialog.show();
  // The batch runs to its end inside one event, so once the second item is in, it has stopped.
  EXPECT_TRUE(QTest::qWaitFor([&] { return submitted.size() >= 2; }, 5000));

  EXPECT_EQ(submitted, (std::vector<int>{1, 2}));
  EXPECT_EQ(dialog.Stop(), BatchStop::Failed);
  const auto* view = dialog.findChild<QTreeWidget*>();
  EXPECT_EQ(view->topLevelItem(0)->text(1), QStringLiteral("出品済み"));
  EXPECT_EQ(view->topLevelItem(0)->text(2), QStringLiteral("x100"));
  EXPECT_EQ(view->topLevelItem(1)->text(1), QStringLiteral("失敗"));
  EXPECT_EQ(view->topLevelItem(1)->text(3), QStringLiteral("NG"));
  EXPECT_EQ(view->topLevelItem(2)->text(1), QStringLiteral("待機中"));
  EXPECT_TRUE(HasLabel(
      dialog, QStringLiteral("出品 1 件、スキップ 0 件、失敗 1 件、結果不明 0 件、未出品 1 件")));
  // No completion message after a failure.
  EXPECT_TRUE(prompt.requests.empty());
}

}  // namespace
