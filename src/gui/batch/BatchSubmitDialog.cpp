#include "gui/batch/BatchSubmitDialog.h"

#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "core/app/AppComm.h"
#include "core/batch/BatchSettings.h"
#include "core/common/MessageIds.h"
#include "core/common/UserPrompt.h"
#include "gui/app/HelpPages.h"
#include "gui/common/QtText.h"

namespace nuvo {
namespace {

constexpr char kFolderKey[] = "InitSelectFolder";

std::filesystem::path ToPath(const QString& text) {
  return std::filesystem::path(text.toStdU16String());
}

QString ToText(const std::filesystem::path& path) {
  return QString::fromStdU16String(path.u16string());
}

}  // namespace

CBatchSubmitDialog::CBatchSubmitDialog(CAppComm& comm, IUserPrompt& prompt,
                                       bool finalConfirmationOn, QWidget* parent)
    : QDialog(parent), comm_(comm), prompt_(prompt) {
  setWindowTitle(QStringLiteral("一括自動出品"));
  setAcceptDrops(true);

  auto* addFiles = Button(QStringLiteral("ファイルを追加(&A)..."),
                          QStringLiteral("選択されたファイルを一覧に追加します"));
  auto* addFolder = Button(QStringLiteral("フォルダ指定(&F)..."),
                           QStringLiteral("フォルダ以下のファイルを一覧に追加します"));
  remove_ =
      Button(QStringLiteral("削除(&D)"), QStringLiteral("選択された項目を一覧から削除します"));
  up_ = Button(QStringLiteral("↑一つ上へ(&U)"), QStringLiteral("項目をひとつ上へ移動します"));
  down_ = Button(QStringLiteral("↓一つ下へ(&W)"), QStringLiteral("項目をひとつ下へ移動します"));
  connect(addFiles, &QPushButton::clicked, this, &CBatchSubmitDialog::ChooseFiles);
  connect(addFolder, &QPushButton::clicked, this, &CBatchSubmitDialog::ChooseFolder);
  connect(remove_, &QPushButton::clicked, this, &CBatchSubmitDialog::RemoveSelected);
  connect(up_, &QPushButton::clicked, this, [this] { MoveSelected(-1); });
  connect(down_, &QPushButton::clicked, this, [this] { MoveSelected(1); });

  auto* caption = new QLabel(QStringLiteral("一覧(&L)"), this);
  view_ = new QTreeWidget(this);
  view_->setHeaderLabels({QStringLiteral("ファイル名"), QStringLiteral("フォルダ")});
  view_->setRootIsDecorated(false);
  view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view_->setToolTip(QStringLiteral("一括自動出品するファイルを一覧表示します"));
  view_->header()->resizeSection(0, 220);
  view_->setContextMenuPolicy(Qt::CustomContextMenu);
  // Drops on the list are the window's: its viewport takes them and hands them over.
  view_->setAcceptDrops(true);
  view_->viewport()->installEventFilter(this);
  view_->setMinimumSize(560, 240);
  caption->setBuddy(view_);
  connect(view_, &QTreeWidget::itemSelectionChanged, this, &CBatchSubmitDialog::UpdateButtons);

  // The list's context menu "AutoSubmitMenu".
  menu_ = new QMenu(this);
  menu_->addAction(QStringLiteral("ファイルを追加(&A)..."), this, &CBatchSubmitDialog::ChooseFiles);
  menu_->addAction(QStringLiteral("フォルダ指定(&F)..."), this, &CBatchSubmitDialog::ChooseFolder);
  menu_->addSeparator();
  QAction* removeAction =
      menu_->addAction(QStringLiteral("削除(&D)"), this, &CBatchSubmitDialog::RemoveSelected);
  menu_->addSeparator();
  QAction* upAction =
      menu_->addAction(QStringLiteral("↑ひとつ上へ(&U)"), this, [this] { MoveSelected(-1); });
  QAction* downAction =
      menu_->addAction(QStringLiteral("↓ひとつ下へ(&W)"), this, [this] { MoveSelected(1); });
  menu_->addSeparator();
  menu_->addAction(QStringLiteral("ヘルプ(&H)..."), this, &CBatchSubmitDialog::ShowHelp);
  connect(view_, &QWidget::customContextMenuRequested, this, [=, this](const QPoint& at) {
    removeAction->setEnabled(remove_->isEnabled());
    upAction->setEnabled(up_->isEnabled());
    downAction->setEnabled(down_->isEnabled());
    menu_->popup(view_->viewport()->mapToGlobal(at));
  });

  count_ = new QLabel(this);
  auto* waitCaption = new QLabel(QStringLiteral("出品の間隔(&I):"), this);
  wait_ = new QSpinBox(this);
  wait_->setRange(0, kMaxBatchWaitSeconds);
  wait_->setSuffix(QStringLiteral(" 秒"));
  wait_->setValue(BatchWaitSeconds(comm_));
  wait_->setToolTip(QStringLiteral("出品と出品の間に待つ時間です"));
  waitCaption->setBuddy(wait_);
  auto* countRow = new QHBoxLayout;
  countRow->addWidget(count_, 1);
  countRow->addWidget(waitCaption);
  countRow->addWidget(wait_);
  QString notice = QStringLiteral(
      "ヤフオク!の利用規約とガイドラインに同意したものとして、自動的に一括出品します。");
  if (finalConfirmationOn) notice += QStringLiteral("出品の最終確認ダイアログは表示されません。");
  auto* noticeLine = new QLabel(notice, this);
  noticeLine->setWordWrap(true);
  auto* hint = new QLabel(
      QStringLiteral("「ファイルを追加」、「フォルダ指定」から出品したいぬぼファイルを追加するか、"
                     "エクスプローラからぬぼファイルを一覧にドロップしてください。"),
      this);
  hint->setWordWrap(true);

  auto* buttons = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
  buttons->button(QDialogButtonBox::Help)->setText(QStringLiteral("ヘルプ(&H)"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(buttons, &QDialogButtonBox::helpRequested, this, &CBatchSubmitDialog::ShowHelp);

  auto* side = new QVBoxLayout;
  for (QPushButton* button : {addFiles, addFolder, remove_, up_, down_}) side->addWidget(button);
  side->addStretch();
  auto* middle = new QHBoxLayout;
  middle->addWidget(view_, 1);
  middle->addLayout(side);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(hint);
  layout->addWidget(caption);
  layout->addLayout(middle);
  layout->addLayout(countRow);
  layout->addWidget(noticeLine);
  layout->addWidget(buttons);
  Refill(-1);
}

void CBatchSubmitDialog::accept() {
  SaveBatchWaitSeconds(comm_, wait_->value());
  QDialog::accept();
}

QPushButton* CBatchSubmitDialog::Button(const QString& caption, const QString& toolTip) {
  auto* button = new QPushButton(caption, this);
  button->setToolTip(toolTip);
  button->setAutoDefault(false);
  return button;
}

void CBatchSubmitDialog::AddFiles(const std::vector<std::filesystem::path>& files) {
  const std::size_t before = list_.Count();
  Show(list_.AddFiles(files));
  Refill(list_.Count() > before ? static_cast<int>(list_.Count()) - 1 : -1);
}

void CBatchSubmitDialog::AddFolder(const std::filesystem::path& folder) {
  const std::size_t before = list_.Count();
  Show(list_.AddFolder(folder));
  Refill(list_.Count() > before ? static_cast<int>(list_.Count()) - 1 : -1);
}

void CBatchSubmitDialog::RemoveSelected() {
  std::vector<std::size_t> rows;
  for (QTreeWidgetItem* item : view_->selectedItems())
    rows.push_back(static_cast<std::size_t>(view_->indexOfTopLevelItem(item)));
  if (rows.empty()) return;
  list_.Remove(rows);
  Refill(std::min(static_cast<int>(rows.front()), static_cast<int>(list_.Count()) - 1));
}

void CBatchSubmitDialog::MoveSelected(int step) {
  const int row = view_->indexOfTopLevelItem(view_->currentItem());
  if (row < 0) return;
  const auto index = static_cast<std::size_t>(row);
  if (step < 0 ? list_.MoveUp(index) : list_.MoveDown(index)) Refill(row + step);
}

void CBatchSubmitDialog::ChooseFiles() {
  const QStringList names =
      QFileDialog::getOpenFileNames(this, QStringLiteral("ファイルを追加"), QString(),
                                    QStringLiteral("ぬぼファイル (*.nvd);;すべてのファイル (*.*)"));
  if (names.isEmpty()) return;
  std::vector<std::filesystem::path> files;
  for (const QString& name : names) files.push_back(ToPath(name));
  AddFiles(files);
}

void CBatchSubmitDialog::ChooseFolder() {
  const QString start = ToQString(comm_.GetProfileString("Settings", kFolderKey, ""));
  const QString folder =
      QFileDialog::getExistingDirectory(this, QStringLiteral("フォルダ指定"), start);
  if (folder.isEmpty()) return;
  // A folder whose name code page 932 cannot hold is used, just not remembered.
  if (std::optional<std::string> stored = FromQString(folder))
    comm_.WriteProfileString("Settings", kFolderKey, *stored);
  AddFolder(ToPath(folder));
}

void CBatchSubmitDialog::ShowHelp() {
  ShowHelpPage(prompt_, QStringLiteral("index.html"), QStringLiteral("batch"));
}

void CBatchSubmitDialog::Show(int messageId) {
  if (messageId != 0) ShowMessage(prompt_, messageId);
}

void CBatchSubmitDialog::Refill(int selected) {
  view_->clear();
  for (const std::filesystem::path& path : list_.Paths()) {
    auto* item = new QTreeWidgetItem(view_, {ToText(path.filename()), ToText(path.parent_path())});
    item->setToolTip(0, ToText(path));
  }
  if (selected >= 0 && selected < view_->topLevelItemCount())
    view_->setCurrentItem(view_->topLevelItem(selected));
  count_->setText(QStringLiteral("選択されたファイル数: %1").arg(list_.Count()));
  UpdateButtons();
}

void CBatchSubmitDialog::UpdateButtons() {
  const QList<QTreeWidgetItem*> selected = view_->selectedItems();
  const int row = selected.size() == 1 ? view_->indexOfTopLevelItem(selected.front()) : -1;
  remove_->setEnabled(!selected.isEmpty());
  up_->setEnabled(row > 0);
  down_->setEnabled(row >= 0 && row + 1 < static_cast<int>(list_.Count()));
}

void CBatchSubmitDialog::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

// A dropped folder brings its listings, as the folder button does.
void CBatchSubmitDialog::dropEvent(QDropEvent* event) {
  std::vector<std::filesystem::path> files, folders;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (!url.isLocalFile()) continue;
    std::filesystem::path path = ToPath(url.toLocalFile());
    std::error_code error;
    (std::filesystem::is_directory(path, error) ? folders : files).push_back(std::move(path));
  }
  if (files.empty() && folders.empty()) return;
  event->acceptProposedAction();
  for (const std::filesystem::path& folder : folders) AddFolder(folder);
  if (!files.empty()) AddFiles(files);
}

// The list's viewport takes drops for the window.
bool CBatchSubmitDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view_->viewport()) {
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (drag->mimeData()->hasUrls()) drag->acceptProposedAction();
      return true;
    }
    if (event->type() == QEvent::Drop) {
      dropEvent(static_cast<QDropEvent*>(event));
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace nuvo
