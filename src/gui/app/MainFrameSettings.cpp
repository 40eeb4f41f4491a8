// The main frame's settings commands (the layout, the tool bars' colour and the page access) and
// its help. Each setting is written at once, so that a later crash does not lose the choice.
#include <QAction>
#include <QColorDialog>
#include <QToolBar>

#include "core/net/UserAgent.h"
#include "gui/app/HelpPages.h"
#include "gui/app/HtmlView.h"
#include "gui/app/LayoutDialog.h"
#include "gui/app/MainFrame.h"
#include "gui/app/NuvoApp.h"
#include "gui/app/PageAccessDialog.h"

namespace nuvo {
namespace {

// Colours are kept as 0x00BBGGRR.
QColor FromBgr(int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

int ToBgr(const QColor& colour) { return colour.red() | colour.green() << 8 | colour.blue() << 16; }

}  // namespace

void CMainFrame::ConnectSettingsCommands() {
  connect(Action(command::kHelpContents), &QAction::triggered, this,
          [this] { ShowHelpPage(app_.Prompt(), QStringLiteral("index.html")); });
  connect(Action(command::kLayoutSettings), &QAction::triggered, this, [this] {
    CLayoutDialog dialog(options_.previewPos, this);
    if (dialog.exec() != QDialog::Accepted) return;
    options_.previewPos = dialog.PreviewPos();
    options_.Save(app_.Comm());
  });
  connect(Action(command::kColorSettings), &QAction::triggered, this, [this] {
    QColorDialog dialog(FromBgr(options_.colorToolBarBg), this);
    dialog.setWindowTitle(QStringLiteral("ツールバーの色の設定"));
    if (dialog.exec() != QDialog::Accepted) return;
    SetToolBarColor(ToBgr(dialog.selectedColor()));
  });
  connect(Action(command::kPageAccessSettings), &QAction::triggered, this, [this] {
    CPageAccessDialog dialog(options_.userAgentSettingType, this);
    if (dialog.exec() != QDialog::Accepted) return;
    SetUserAgentSetting(dialog.UserAgentSetting());
  });
}

void CMainFrame::SetToolBarColor(int bgr) {
  options_.colorToolBarBg = bgr;
  options_.Save(app_.Comm());
  ApplyToolBarColor();
}

void CMainFrame::ApplyToolBarColor() {
  const QString sheet = QStringLiteral("QToolBar { background: %1; border: none; spacing: 2px; }")
                            .arg(FromBgr(options_.colorToolBarBg).name());
  for (QToolBar* bar : {standardBar_, decorateBar_}) {
    if (bar) bar->setStyleSheet(sheet);
  }
}

void CMainFrame::SetUserAgentSetting(int setting) {
  options_.userAgentSettingType = setting;
  options_.Save(app_.Comm());
  ApplyUserAgentSetting(app_.Comm());
  SetBrowserUserAgent(DefaultUserAgentKind());
}

}  // namespace nuvo
