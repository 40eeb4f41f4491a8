// The main frame's commands: the menu, the two tool bars and the status bar.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <initializer_list>

#include "core/common/MessageFormat.h"
#include "core/common/MessageIds.h"
#include "core/common/Version.h"
#include "core/decorate/DecorateCommands.h"
#include "core/document/NuvoDoc.h"
#include "core/editing/ValueCommands.h"
#include "gui/app/HtmlView.h"
#include "gui/app/MainFrame.h"
#include "gui/app/NuvoApp.h"
#include "gui/app/NuvoView.h"
#include "gui/app/OptionsDialog.h"
#include "gui/common/QtText.h"
#include "gui/decorate/DecorateEditView.h"
#include "gui/decorate/FindDialog.h"
#include "gui/editing/ImageListDialog.h"
#include "gui/editing/NuvoTabsDialog.h"
#include "gui/editing/PaidOptionsDialog.h"
#include "gui/editing/SubmitSettingDialog.h"

namespace nuvo {
namespace {

// Commands whose dialogs or features are not part of this program yet: shown, never enabled.
// One command a line, so that the change that brings a feature takes out its own line.
// clang-format off
constexpr int kLaterCommands[] = {command::kSizeWeight,
                                  command::kTemplateSettings,
                                  command::kDecorateSettings,
                                  command::kToolBarSettings};
// clang-format on

// The decorated-text commands act on the decorated editor that has the focus; none has it
// until the editor sheet brings its editors.
struct DecorateCommand {
  int id;
  const char* text;
  QKeySequence shortcut;
  const char* tip;
  const char* iconText;
};

const DecorateCommand kDecorateCommands[] = {
    {ID_DECO_BOLD, "太字(&B)", QKeySequence(Qt::CTRL | Qt::Key_B), "選択範囲に太字を設定します",
     "B"},
    {ID_DECO_ITALIC, "斜体(&I)", QKeySequence(Qt::CTRL | Qt::Key_I), "選択範囲に斜体を設定します",
     "I"},
    {ID_DECO_UNDERLINE, "下線(&U)", QKeySequence(Qt::CTRL | Qt::Key_U),
     "選択範囲に下線を設定します", "U"},
    {ID_DECO_COLOR, "文字色(&C)...", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
     "選択範囲の文字色を設定します", "文字色"},
    {ID_DECO_CLEAR, "装飾の消去(&D)", QKeySequence(), "選択範囲の装飾をすべて消去します",
     "装飾消去"},
    {ID_DECO_CENTRE, "センタリング(&T)", QKeySequence(), "選択した行を中央に揃えます", "中央"},
};

const DecorateCommand kSizeCommands[] = {
    {ID_DECO_SIZE_1, "最小(&X)", QKeySequence(), "文字の大きさを最小にします", nullptr},
    {ID_DECO_SIZE_1 + 1, "小さい(&S)", QKeySequence(), "文字を小さくします", nullptr},
    {ID_DECO_SIZE_1 + 2, "やや小さい - 標準(&A)", QKeySequence(), "文字を標準の大きさにします",
     nullptr},
    {ID_DECO_SIZE_1 + 3, "中くらい(&M)", QKeySequence(), "文字を中くらいにします", nullptr},
    {ID_DECO_SIZE_1 + 4, "やや大きい(&G)", QKeySequence(), "文字をやや大きくします", nullptr},
    {ID_DECO_SIZE_1 + 5, "大きい(&L)", QKeySequence(), "文字を大きくします", nullptr},
    {ID_DECO_SIZE_7, "最大(&E)", QKeySequence(), "文字の大きさを最大にします", nullptr},
    {ID_DECO_GROW, "大きく(&U)", QKeySequence(Qt::CTRL | Qt::Key_Up), "文字を一段階大きくします",
     "大きく"},
    {ID_DECO_SHRINK, "小さく(&D)", QKeySequence(Qt::CTRL | Qt::Key_Down),
     "文字を一段階小さくします", "小さく"},
};

const DecorateCommand kLinkCommands[] = {
    {ID_DECO_LINK, "設定(&L)...", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L),
     "選択範囲にハイパーリンクを設定します", "リンク"},
    {ID_DECO_REMOVE_LINK, "解除(&C)", QKeySequence(), "選択範囲のハイパーリンクを解除します",
     nullptr},
    {ID_DECO_DETECT, "未設定アドレスの検出(&F)", QKeySequence(),
     "ハイパーリンクが設定されていないアドレスを検出します", nullptr},
};

// A menu text without its access key, for tool tips: "開く(&O)..." gives "開く".
QString PlainText(const QString& text) {
  QString plain = text.section(QLatin1Char('\t'), 0, 0);
  plain.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
  plain.remove(QLatin1Char('&'));
  plain.remove(QStringLiteral("..."));
  return plain.trimmed();
}

}  // namespace

QAction* CMainFrame::AddCommand(int id, const QString& text, const QKeySequence& shortcut,
                                const QString& tip) {
  auto* action = new QAction(text, this);
  action->setShortcut(shortcut);
  action->setStatusTip(tip);
  QString toolTip = PlainText(text);
  if (!shortcut.isEmpty()) {
    toolTip +=
        QStringLiteral(" (") + shortcut.toString(QKeySequence::NativeText) + QLatin1Char(')');
  }
  action->setToolTip(toolTip);
  actions_[id] = action;
  addAction(action);
  return action;
}

void CMainFrame::CreateActions() {
  QStyle* style = QApplication::style();
  AddCommand(command::kFileNew, QStringLiteral("新規作成(&N)"), QKeySequence(Qt::CTRL | Qt::Key_N),
             QStringLiteral("新しい出品データを作成します"))
      ->setIcon(style->standardIcon(QStyle::SP_FileIcon));
  AddCommand(command::kFileOpen, QStringLiteral("開く(&O)..."), QKeySequence(Qt::CTRL | Qt::Key_O),
             QStringLiteral("保存してある出品データを開きます"))
      ->setIcon(style->standardIcon(QStyle::SP_DialogOpenButton));
  AddCommand(command::kFileSave, QStringLiteral("上書き保存(&S)"),
             QKeySequence(Qt::CTRL | Qt::Key_S), QStringLiteral("出品データを上書き保存します"))
      ->setIcon(style->standardIcon(QStyle::SP_DialogSaveButton));
  AddCommand(command::kFileSaveAs, QStringLiteral("名前を付けて保存(&A)..."), QKeySequence(),
             QStringLiteral("出品データに名前を付けて保存します"));
  AddCommand(command::kBatchSubmit, QStringLiteral("一括自動出品(&U)..."), QKeySequence(),
             QStringLiteral("保存してある複数の出品データを続けて出品します"));
  AddCommand(command::kAppExit, QStringLiteral("ぬぼの終了(&X)"),
             QKeySequence(Qt::ALT | Qt::Key_F4), QStringLiteral("ぬぼを終了します"));

  AddCommand(command::kUndo, QStringLiteral("やり直し(&Z)"), QKeySequence(Qt::CTRL | Qt::Key_Z),
             QStringLiteral("直前の操作を取り消します"))
      ->setIcon(style->standardIcon(QStyle::SP_ArrowBack));
  AddCommand(command::kRedo, QStringLiteral("やり直しを元に戻す(&Y)"),
             QKeySequence(Qt::CTRL | Qt::Key_Y), QStringLiteral("取り消した操作をもう一度行います"))
      ->setIcon(style->standardIcon(QStyle::SP_ArrowForward));
  AddCommand(command::kFind, QStringLiteral("検索(&F)..."), QKeySequence(Qt::CTRL | Qt::Key_F),
             QStringLiteral("文字列を検索します"));
  AddCommand(command::kFindPrevious, QStringLiteral("前を検索(&P)"),
             QKeySequence(Qt::SHIFT | Qt::Key_F3),
             QStringLiteral("前の一致する文字列を検索します"));
  AddCommand(command::kFindNext, QStringLiteral("次を検索(&N)"), QKeySequence(Qt::Key_F3),
             QStringLiteral("次の一致する文字列を検索します"));
  AddCommand(command::kReplace, QStringLiteral("置換(&R)..."), QKeySequence(Qt::CTRL | Qt::Key_R),
             QStringLiteral("文字列を置換します"));

  AddCommand(command::kSubmit, QStringLiteral("出品(&S)..."), QKeySequence(Qt::Key_F9),
             QStringLiteral("この出品データをヤフオク!に出品します"));
  AddCommand(command::kSelectCategory, QStringLiteral("カテゴリ選択(&G)..."),
             QKeySequence(Qt::CTRL | Qt::Key_G), QStringLiteral("出品するカテゴリを選択します"));
  AddCommand(command::kPaidOptions, QStringLiteral("有料オプション設定(&O)..."), QKeySequence(),
             QStringLiteral("注目のオークションなどの有料オプションを設定します"));
  AddCommand(command::kNetImages, QStringLiteral("インターネット画像の設定(&I)..."), QKeySequence(),
             QStringLiteral("説明文に表示するインターネット上の画像を設定します"));
  AddCommand(command::kSubmitSettings, QStringLiteral("出品共通設定 ＜かんたん取引出品＞(&E)..."),
             QKeySequence(), QStringLiteral("すべての出品に共通する設定を行います"));
  AddCommand(command::kBanners, QStringLiteral("共通バナーの設定(&B)..."), QKeySequence(),
             QStringLiteral("説明文の最後に表示するバナーを設定します"));
  AddCommand(command::kSizeWeight, QStringLiteral("サイズと重さの設定(&W)..."), QKeySequence(),
             QStringLiteral("荷物のサイズと重さを設定します"));

  QAction* preview = AddCommand(command::kPreview, QStringLiteral("プレビュー(&P)"), QKeySequence(),
                                QStringLiteral("プレビューの表示と非表示を切り替えます"));
  preview->setCheckable(true);
  preview->setChecked(true);
  preview->setIcon(style->standardIcon(QStyle::SP_FileDialogContentsView));
  QAction& refresh = htmlFrame_->View().RefreshAction();
  refresh.setStatusTip(QStringLiteral("プレビューを最新の状態に更新します"));
  refresh.setIcon(style->standardIcon(QStyle::SP_BrowserReload));
  actions_[command::kRefreshPreview] = &refresh;

  AddCommand(command::kOptions, QStringLiteral("オプション(&O)..."), QKeySequence(),
             QStringLiteral("ぬぼの動作を設定します"));
  AddCommand(command::kTemplateSettings, QStringLiteral("ぬぼ型の設定(&F)..."), QKeySequence(),
             QStringLiteral("説明文のぬぼ型を設定します"));
  AddCommand(command::kDecorateSettings, QStringLiteral("装飾エディットの設定(&D)..."),
             QKeySequence(), QStringLiteral("装飾エディットの文字の大きさなどを設定します"));
  AddCommand(command::kLayoutSettings, QStringLiteral("編集画面のレイアウト設定(L)..."),
             QKeySequence(), QStringLiteral("編集画面とプレビューの配置を設定します"));
  AddCommand(command::kToolBarSettings, QStringLiteral("ツールバーの設定(&T)..."), QKeySequence(),
             QStringLiteral("ツールバーの表示方法を設定します"));
  AddCommand(command::kColorSettings, QStringLiteral("色の設定(&C)..."), QKeySequence(),
             QStringLiteral("ツールバーの背景色を設定します"));
  AddCommand(command::kPageAccessSettings, QStringLiteral("ページアクセスの設定(&U)..."),
             QKeySequence(),
             QStringLiteral("ページにアクセスするときのユーザーエージェントを設定します"));
  AddCommand(command::kHelpContents, QStringLiteral("目次(&I)..."),
             QKeySequence(Qt::CTRL | Qt::Key_H), QStringLiteral("ヘルプの目次を表示します"));
  AddCommand(command::kAbout, QStringLiteral("バージョン情報(&A)..."), QKeySequence(),
             QStringLiteral("ぬぼのバージョン情報を表示します"));

  for (const DecorateCommand& command : kDecorateCommands) {
    AddCommand(command.id, QString::fromUtf8(command.text), command.shortcut,
               QString::fromUtf8(command.tip))
        ->setIconText(QString::fromUtf8(command.iconText));
  }
  for (const DecorateCommand& command : kSizeCommands) {
    QAction* action = AddCommand(command.id, QString::fromUtf8(command.text), command.shortcut,
                                 QString::fromUtf8(command.tip));
    if (command.iconText) action->setIconText(QString::fromUtf8(command.iconText));
  }
  for (const DecorateCommand& command : kLinkCommands) {
    QAction* action = AddCommand(command.id, QString::fromUtf8(command.text), command.shortcut,
                                 QString::fromUtf8(command.tip));
    if (command.iconText) action->setIconText(QString::fromUtf8(command.iconText));
  }
  ConnectDecorateCommands();
  for (int id : kLaterCommands) Action(id)->setEnabled(false);

  connect(Action(command::kFileNew), &QAction::triggered, this, [this] { app_.OnFileNew(); });
  connect(Action(command::kFileOpen), &QAction::triggered, this, [this] { app_.OnFileOpen(); });
  connect(Action(command::kFileSave), &QAction::triggered, this, [this] { app_.OnFileSave(); });
  connect(Action(command::kFileSaveAs), &QAction::triggered, this, [this] { app_.OnFileSaveAs(); });
  connect(Action(command::kAppExit), &QAction::triggered, this, &CMainFrame::close);
  connect(Action(command::kUndo), &QAction::triggered, this, [this] { app_.OnUndo(); });
  connect(Action(command::kSubmit), &QAction::triggered, this, [this] { app_.OnSubmit(); });
  connect(Action(command::kBatchSubmit), &QAction::triggered, this,
          [this] { app_.OnBatchSubmit(); });
  connect(Action(command::kRedo), &QAction::triggered, this, [this] { app_.OnRedo(); });
  connect(preview, &QAction::toggled, this, &CMainFrame::ShowPreview);
  connect(Action(command::kAbout), &QAction::triggered, this, &CMainFrame::ShowAbout);
  // The common submission settings and the program's options.
  connect(Action(command::kSubmitSettings), &QAction::triggered, this, [this] {
    CSubmitSettingDialog(app_.Comm(), app_.Prompt(), ESubmitForm::EasyTrade,
                         CSubmitSettingDialog::EMode::Edit, this)
        .exec();
  });
  connect(Action(command::kOptions), &QAction::triggered, this, [this] {
    COptionsDialog dialog(app_.Comm(), options_, statusBar()->isVisibleTo(this), this);
    if (dialog.exec() != QDialog::Accepted) return;
    options_ = dialog.Options();
    options_.Save(app_.Comm());
    // Through the menu's toggle, so that its check mark follows.
    statusBarToggle_->setChecked(dialog.StatusBarShown());
  });
  // The listing's paid options, one undoable change.
  connect(Action(command::kPaidOptions), &QAction::triggered, this, [this] {
    CNuvoDoc& doc = app_.Document();
    CPaidOptionsDialog dialog(doc.GetChargeOptions(), doc.GetStartPrice(), this);
    if (dialog.exec() != QDialog::Accepted || dialog.Options() == doc.GetChargeOptions()) return;
    doc.ExecuteCommand(MakeSetPaidOptionsCommand(doc, dialog.Options()));
  });
  connect(Action(command::kNetImages), &QAction::triggered, this, &CMainFrame::EditInternetImages);
  connect(Action(command::kBanners), &QAction::triggered, this, &CMainFrame::EditBanners);
  connect(Action(command::kSelectCategory), &QAction::triggered, this, [this] {
    if (auto* sheet = qobject_cast<CNuvoTabsDialog*>(view_->Sheet())) sheet->SelectCategory();
  });
  ConnectSettingsCommands();
}

void CMainFrame::EditInternetImages() {
  CNuvoDoc& doc = app_.Document();
  const std::vector<CInternetImageEntry> before = doc.GetInternetImages();
  std::vector<CImageListRow> rows;
  for (const CInternetImageEntry& entry : before) {
    const CInternetImage& image = entry.image;
    rows.push_back({image.name, entry.address, image.linkUrl, image.altText, image.size.width,
                    image.size.height, image.border, image.extraText});
  }
  CImageListDialog dialog(QStringLiteral("インターネット画像の設定"), rows,
                          CNuvoDoc::kMaxStoredInternetImages, app_.Prompt(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  std::vector<CInternetImageEntry> after;
  for (const CImageListRow& row : dialog.Rows()) {
    after.push_back(
        {row.image, {row.name, row.link, row.alt, {row.width, row.height}, row.border, row.extra}});
  }
  if (after != before) doc.ExecuteCommand(MakeSetInternetImagesCommand(doc, after));
}

void CMainFrame::EditBanners() {
  std::vector<CImageListRow> rows;
  for (const BannerEntry& banner : options_.banners) {
    rows.push_back({banner.name,
                    banner.image,
                    banner.link,
                    banner.alt,
                    banner.width,
                    banner.height,
                    banner.border,
                    {}});
  }
  CImageListDialog dialog(QStringLiteral("共通バナーの設定"), rows, CAppOptions::kMaxBanners,
                          app_.Prompt(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  options_.banners.clear();
  for (const CImageListRow& row : dialog.Rows()) {
    options_.banners.push_back(
        {row.name, row.image, row.link, row.alt, row.width, row.height, row.border});
  }
  options_.Save(app_.Comm());
  SchedulePreview(kPreviewImmediately);
}

void CMainFrame::CreateMenus() {
  QMenuBar* bar = menuBar();
  fileMenu_ = bar->addMenu(QStringLiteral("ファイル(&F)"));
  for (int id : {command::kFileNew, command::kFileOpen, command::kFileSave, command::kFileSaveAs}) {
    fileMenu_->addAction(Action(id));
  }
  fileMenu_->addSeparator();
  fileMenu_->addAction(Action(command::kBatchSubmit));
  fileMenu_->addSeparator();
  // The recent files go between these two separators.
  recentFilesAnchor_ = fileMenu_->addSeparator();
  fileMenu_->addAction(Action(command::kAppExit));

  QMenu* edit = bar->addMenu(QStringLiteral("編集(&E)"));
  edit->addAction(Action(command::kUndo));
  edit->addAction(Action(command::kRedo));
  edit->addSeparator();
  for (int id : {command::kFind, command::kFindPrevious, command::kFindNext, command::kReplace}) {
    edit->addAction(Action(id));
  }

  QMenu* format = bar->addMenu(QStringLiteral("書式(&O)"));
  for (int id : {ID_DECO_BOLD, ID_DECO_ITALIC, ID_DECO_UNDERLINE, ID_DECO_COLOR})
    format->addAction(Action(id));
  QMenu* sizes = format->addMenu(QStringLiteral("文字サイズ(&S)"));
  for (const DecorateCommand& command : kSizeCommands) {
    if (command.id == ID_DECO_GROW) sizes->addSeparator();
    sizes->addAction(Action(command.id));
  }
  QMenu* links = format->addMenu(QStringLiteral("ハイパーリンク(&H)"));
  for (const DecorateCommand& command : kLinkCommands) links->addAction(Action(command.id));
  format->addSeparator();
  format->addAction(Action(ID_DECO_CLEAR));
  format->addAction(Action(ID_DECO_CENTRE));

  QMenu* listing = bar->addMenu(QStringLiteral("出品(&S)"));
  listing->addAction(Action(command::kSubmit));
  listing->addAction(Action(command::kSelectCategory));
  listing->addSeparator();
  for (int id : {command::kPaidOptions, command::kNetImages, command::kSubmitSettings,
                 command::kBanners, command::kSizeWeight}) {
    listing->addAction(Action(id));
  }

  QMenu* view = bar->addMenu(QStringLiteral("表示(&V)"));
  view->addAction(Action(command::kPreview));
  view->addAction(Action(command::kRefreshPreview));
  view->addSeparator();
  // Filled once the tool bars and the status bar exist.
  viewMenu_ = view;

  QMenu* tools = bar->addMenu(QStringLiteral("ツール(&T)"));
  tools->addAction(Action(command::kOptions));
  tools->addSeparator();
  for (int id :
       {command::kTemplateSettings, command::kDecorateSettings, command::kLayoutSettings,
        command::kToolBarSettings, command::kColorSettings, command::kPageAccessSettings}) {
    tools->addAction(Action(id));
  }

  QMenu* help = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
  help->addAction(Action(command::kHelpContents));
  help->addSeparator();
  help->addAction(Action(command::kAbout));
}

void CMainFrame::CreateToolBars() {
  // 0: pictures only; 1: names beside the pictures; 2: names under them.
  const Qt::ToolButtonStyle buttonStyle = options_.toolBarDispFormat == 0 ? Qt::ToolButtonIconOnly
                                          : options_.toolBarDispFormat == 1
                                              ? Qt::ToolButtonTextBesideIcon
                                              : Qt::ToolButtonTextUnderIcon;

  standardBar_ = addToolBar(QStringLiteral("標準"));
  standardBar_->setObjectName(QStringLiteral("StandardBar"));
  standardBar_->setToolButtonStyle(buttonStyle);
  standardBar_->setIconSize(QSize(20, 20));
  Action(command::kFileNew)->setIconText(QStringLiteral("新規"));
  Action(command::kFileOpen)->setIconText(QStringLiteral("開く"));
  Action(command::kFileSave)->setIconText(QStringLiteral("保存"));
  // On the bar a seller reads the everyday words: undo first as 元に戻す, then redo as やり直し.
  Action(command::kUndo)->setIconText(QStringLiteral("元に戻す"));
  Action(command::kUndo)->setToolTip(QStringLiteral("元に戻す (Ctrl+Z)"));
  Action(command::kRedo)->setIconText(QStringLiteral("やり直し"));
  Action(command::kRedo)->setToolTip(QStringLiteral("やり直し (Ctrl+Y)"));
  Action(command::kSubmit)->setIconText(QStringLiteral("出品"));
  Action(command::kBatchSubmit)->setIconText(QStringLiteral("一括出品"));
  Action(command::kSelectCategory)->setIconText(QStringLiteral("カテゴリ"));
  Action(command::kPreview)->setIconText(QStringLiteral("プレビュー"));
  Action(command::kRefreshPreview)->setIconText(QStringLiteral("更新"));
  for (int id : {command::kFileNew, command::kFileOpen, command::kFileSave, 0, command::kUndo,
                 command::kRedo, 0, command::kSubmit, command::kBatchSubmit,
                 command::kSelectCategory, 0, command::kPreview, command::kRefreshPreview}) {
    if (id == 0) {
      standardBar_->addSeparator();
    } else {
      standardBar_->addAction(Action(id));
    }
  }

  decorateBar_ = addToolBar(QStringLiteral("装飾"));
  decorateBar_->setObjectName(QStringLiteral("DecorateBar"));
  decorateBar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  // 0 stands for a separator.
  for (int id : std::initializer_list<int>{ID_DECO_BOLD, ID_DECO_ITALIC, ID_DECO_UNDERLINE,
                                           ID_DECO_COLOR, 0, ID_DECO_GROW, ID_DECO_SHRINK, 0,
                                           ID_DECO_LINK, ID_DECO_CENTRE, 0, ID_DECO_CLEAR}) {
    if (id == 0) {
      decorateBar_->addSeparator();
    } else {
      decorateBar_->addAction(Action(id));
    }
  }
  QFont bold = font();
  bold.setBold(true);
  Action(ID_DECO_BOLD)->setFont(bold);
  QFont italic = font();
  italic.setItalic(true);
  Action(ID_DECO_ITALIC)->setFont(italic);
  QFont underline = font();
  underline.setUnderline(true);
  Action(ID_DECO_UNDERLINE)->setFont(underline);
  // The tool bars' background is the seller's colour.
  ApplyToolBarColor();

  QAction* standardToggle = standardBar_->toggleViewAction();
  standardToggle->setText(QStringLiteral("標準ツールバー(&T)"));
  standardToggle->setStatusTip(QStringLiteral("標準ツールバーの表示と非表示を切り替えます"));
  QAction* decorateToggle = decorateBar_->toggleViewAction();
  decorateToggle->setText(QStringLiteral("装飾ツールバー(&D)"));
  decorateToggle->setStatusTip(QStringLiteral("装飾ツールバーの表示と非表示を切り替えます"));
  viewMenu_->addAction(standardToggle);
  viewMenu_->addAction(decorateToggle);
}

void CMainFrame::CreateStatusBar() {
  QStatusBar* bar = statusBar();
  messagePane_ = new QLabel(QStringLiteral("レディ"));
  messagePane_->setContentsMargins(4, 0, 4, 0);
  bar->addWidget(messagePane_, 1);
  statusBarToggle_ = new QAction(QStringLiteral("ステータスバー(&S)"), this);
  statusBarToggle_->setCheckable(true);
  statusBarToggle_->setChecked(true);
  statusBarToggle_->setStatusTip(QStringLiteral("ステータスバーの表示と非表示を切り替えます"));
  connect(statusBarToggle_, &QAction::toggled, bar, &QStatusBar::setVisible);
  viewMenu_->addAction(statusBarToggle_);
}

void CMainFrame::ShowServiceName(const CServiceProfile& profile) {
  if (profile.IsDefault()) return;
  if (!servicePane_) {
    servicePane_ = new QLabel;
    servicePane_->setObjectName(QStringLiteral("servicePane"));
    servicePane_->setContentsMargins(6, 0, 6, 0);
    servicePane_->setStyleSheet(
        QStringLiteral("QLabel { background: #fff3a6; color: #8a4b00; font-weight: bold; }"));
    statusBar()->addPermanentWidget(servicePane_);
  }
  servicePane_->setText(
      ToQString(FormatMessageId(IDS_SERVICE_PROFILE_STATUS, {profile.DisplayName()})));
}

QString CMainFrame::ServicePaneText() const {
  return servicePane_ ? servicePane_->text() : QString();
}

void CMainFrame::UpdateRecentFileMenu() {
  for (QAction* action : recentFileActions_) {
    fileMenu_->removeAction(action);
    delete action;
  }
  recentFileActions_.clear();
  const auto& entries = app_.RecentFiles().Entries();
  if (entries.empty()) {
    auto* placeholder = new QAction(QStringLiteral("最近使ったファイル"), this);
    placeholder->setEnabled(false);
    recentFileActions_.push_back(placeholder);
  }
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const QString path = QString::fromStdU16String(entries[i].u16string());
    const QString shown = fontMetrics().elidedText(
        QDir::toNativeSeparators(path), Qt::ElideMiddle,
        fontMetrics().horizontalAdvance(QLatin1Char('x')) * CRecentFileList::kDisplayLength);
    auto* action =
        new QAction(QStringLiteral("&%1 %2").arg(i + 1 == 10 ? 0 : i + 1).arg(shown), this);
    action->setStatusTip(QStringLiteral("%1 を開きます").arg(QDir::toNativeSeparators(path)));
    const int index = static_cast<int>(i);
    connect(action, &QAction::triggered, this, [this, index] { app_.OpenRecentFile(index); });
    recentFileActions_.push_back(action);
  }
  for (QAction* action : recentFileActions_) fileMenu_->insertAction(recentFilesAnchor_, action);
}

void CMainFrame::ShowAbout() {
  QMessageBox::about(this, QStringLiteral("バージョン情報 - ぬぼ"),
                     ToQString(FormatMessageId(IDS_ABOUT_TEXT, {std::string(kVersionText)})));
}

namespace {

CDecorateEditView* FocusedEditor() {
  for (QWidget* widget = QApplication::focusWidget(); widget; widget = widget->parentWidget()) {
    if (auto* view = qobject_cast<CDecorateEditView*>(widget)) return view;
  }
  return nullptr;
}

}  // namespace

void CMainFrame::ConnectDecorateCommands() {
  for (const auto& [id, action] : actions_) {
    if (id < ID_DECO_COPY || id > ID_DECO_DETECT) continue;
    const bool checkable =
        (id >= ID_DECO_BOLD && id <= ID_DECO_SIZE_7) || id == ID_DECO_LINK || id == ID_DECO_CENTRE;
    action->setCheckable(checkable);
    connect(action, &QAction::triggered, this, [this, id = id] {
      if (CDecorateEditView* view = FocusedEditor()) view->RunCommand(id);
      UpdateDecorateCommands();
    });
  }
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget*) {
    if (CDecorateEditView* view = FocusedEditor()) {
      connect(view, &CDecorateEditView::stateChanged, this, &CMainFrame::UpdateDecorateCommands,
              Qt::UniqueConnection);
    }
    UpdateDecorateCommands();
  });

  for (int id : {command::kFind, command::kReplace}) {
    connect(Action(id), &QAction::triggered, this, [this, id] {
      CDecorateEditView* view = FocusedEditor();
      if (!view) return;
      CFindDialog dialog(view, id == command::kReplace, app_.Comm(), app_.Prompt(), this);
      dialog.exec();
      view->setFocus(Qt::OtherFocusReason);
    });
  }
  for (int id : {command::kFindNext, command::kFindPrevious}) {
    connect(Action(id), &QAction::triggered, this, [this, id] {
      CFindDialog::FindAgain(FocusedEditor(), id == command::kFindNext, app_.Comm(), app_.Prompt());
    });
  }
  UpdateDecorateCommands();
}

void CMainFrame::UpdateDecorateCommands() {
  CDecorateEditView* view = FocusedEditor();
  // Finding works in the decorated editor that has the focus.
  for (int id : {command::kFind, command::kFindPrevious, command::kFindNext, command::kReplace}) {
    Action(id)->setEnabled(view != nullptr);
  }
  for (const auto& [id, action] : actions_) {
    if (id < ID_DECO_COPY || id > ID_DECO_DETECT) continue;
    action->setEnabled(view && view->Commands().IsEnabled(id));
    if (action->isCheckable()) action->setChecked(view && view->Commands().IsChecked(id));
  }
}

}  // namespace nuvo
