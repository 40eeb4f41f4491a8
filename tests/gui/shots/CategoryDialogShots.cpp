#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTreeWidget>

#include "ShotFolder.h"
#include "core/app/AppComm.h"
#include "core/app/AppOptions.h"
#include "core/app/MemorySettings.h"
#include "core/common/Encoding.h"
#include "gui/net/CategoryReferDialog.h"
#include "gui/net/NetworkSession.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"

using namespace nuvo;

namespace {

template <typename T>
T* Find(QWidget& dialog, const char* name) {
  T* widget = dialog.findChild<T*>(QString::fromUtf8(name));
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

// The category dialog's search, catalogue and history pages.
TEST(CategoryDialogShots, PicturesOfTheCategoryDialog) {
  shots::UseJapaneseFont();
  TempDir dir;
  CMemorySettings settings;
  CAppComm app{settings};
  CAppOptions options;
  CCategoryCatalogue catalogue{NUVO_CATEGORIES_DIR};
  ScriptedPrompt prompt;
  CNetworkSession session{QString::fromStdString((dir.path() / "cookies.txt").string())};
  CCategoryReferDialog dialog(
      app, options, catalogue, prompt,
      {{2084042174,
        Cp932("コンピュータ > パソコン > Windows > ノートブック、ノートパソコン > その他")},
       {23336, Cp932("コンピュータ")}},
      CategoryItem{}, nullptr, &session);
  dialog.show();
  auto* words = Find<QComboBox>(dialog, "keywords");
  words->setEditText(QStringLiteral("カメラ レンズ"));
  emit words->lineEdit()->returnPressed();
  shots::Save(dialog, QStringLiteral("category-search.png"));
  auto* tabs = Find<QTabWidget>(dialog, "tabs");
  tabs->setCurrentIndex(1);
  auto* tree = Find<QTreeWidget>(dialog, "catalogue");
  tree->expandItem(tree->topLevelItem(0));
  shots::Save(dialog, QStringLiteral("category-tree.png"));
  tabs->setCurrentIndex(2);
  shots::Save(dialog, QStringLiteral("category-history.png"));
}

}  // namespace
