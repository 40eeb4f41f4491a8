#include <gtest/gtest.h>
#include <QScreen>
#include <QSettings>
#include <QWidget>

#include <memory>

#include "core/app/AppOptions.h"
#include "core/app/DialogSettings.h"
#include "core/common/Encoding.h"
#include "gui/app/QtSettingsBackend.h"
#include "gui/app/QtWindowState.h"
#include "support/TempDir.h"

using namespace nuvo;

namespace {

class QtSettingsTest : public ::testing::Test {
 protected:
  QString IniPath() const { return QString::fromStdString((dir_.path() / "nuvo.ini").string()); }
  std::unique_ptr<CQtSettingsBackend> Open() const {
    return std::make_unique<CQtSettingsBackend>(IniPath());
  }

 private:
  TempDir dir_;
};

}  // namespace

TEST_F(QtSettingsTest, OptionsAndDialogListsSurviveTheSettingsFile) {
  CAppOptions saved;
  saved.optionValue = kOptionWarnEmptyItems | kOptionUploadPhotosTogether;
  saved.updateCaption = Cp932("【再出品】");
  saved.previewPos = 3;
  saved.colorToolBarBg = 0xFFFFFF;
  saved.upaaoDataSizeLimit = 0;
  saved.banners = {
      {Cp932("店舗"), "https://example.com/b.gif", "https://example.com/", "alt", 88, 31, 0}};
  {
    auto backend = Open();
    CAppComm app(*backend);
    saved.Save(app);
    CDialogSettings(app, 509).WriteDialogStringList("FindString%02d", {Cp932("検索"), "x"}, 3);
    WriteDialogInt(app, 509, "Width", 700);
  }

  auto backend = Open();
  CAppComm app(*backend);
  CAppOptions loaded;
  loaded.Load(app);
  EXPECT_EQ(loaded, saved);
  std::vector<std::string> list;
  EXPECT_TRUE(GetDialogStringList(app, 509, "FindString%02d", list, 4));
  EXPECT_EQ(list, (std::vector<std::string>{Cp932("検索"), "x", "", ""}));

  // Sections are groups, and a dialog's section nests its resource id under "Dialog".
  QSettings raw(IniPath(), QSettings::IniFormat);
  EXPECT_EQ(raw.value("Dialog/509/Width").toInt(), 700);
  EXPECT_EQ(raw.value("Settings/PreviewPos").toInt(), 3);
  EXPECT_EQ(raw.value("Settings/UpdateCaption").toString(), QStringLiteral("【再出品】"));
}

TEST_F(QtSettingsTest, ValueOfTheWrongTypeReadsAsTheDefault) {
  {
    QSettings raw(IniPath(), QSettings::IniFormat);
    raw.setValue("Settings/PreviewPos", "left");
    raw.setValue("Settings/ToolBarDispFormat", "1");
    raw.setValue("Settings/UpdateCaption", QStringLiteral("😀"));
  }
  auto backend = Open();
  CAppOptions options;
  options.Load(CAppComm(*backend));
  EXPECT_EQ(options.previewPos, 1);
  EXPECT_EQ(options.toolBarDispFormat, 1);
  EXPECT_EQ(options.updateCaption, Cp932("(更新)"));
}

TEST_F(QtSettingsTest, WindowIsPlacedInsideItsScreensWorkArea) {
  auto backend = Open();
  CAppComm app(*backend);
  QWidget window;
  const QRect work = window.screen()->availableGeometry();
  CWindowState state(app, 0, work.width() + 100, work.height() / 2, CWindowState::kAllowMaximize);
  // Never placed: clamped to the work area and centred in it.
  RestoreWindowState(state, window);
  EXPECT_EQ(window.size(), QSize(work.width(), work.height() / 2));
  EXPECT_EQ(window.pos(), QPoint(work.x(), work.y() + (work.height() - work.height() / 2) / 2));

  window.setGeometry(work.x() + 10, work.y() + 20, 200, 100);
  SaveWindowState(state, window);
  EXPECT_EQ(app.GetProfileInt("WindowState\\0", "Left", -1), 10);
  EXPECT_EQ(app.GetProfileInt("WindowState\\0", "Maximized", -1), 0);

  QWidget other;
  RestoreWindowState(state, other);
  EXPECT_EQ(other.geometry(), QRect(work.x() + 10, work.y() + 20, 200, 100));
  RestoreWindowMaximized(state, other);
  EXPECT_FALSE(other.isMaximized());
}
