#include "gui/editing/PhotoPage.h"

#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QUrl>
#include <QVBoxLayout>

#include "core/common/StringTable.h"
#include "core/common/UserPrompt.h"
#include "core/editing/PhotoReader.h"
#include "core/editing/RowCommands.h"
#include "gui/common/QtText.h"
#include "gui/editing/PhotoViewDialog.h"
#include "gui/editing/TextBoxLink.h"

namespace nuvo {
namespace {

constexpr QSize kThumbnail(72, 54);

std::filesystem::path ToPath(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

QString PhotoFilter() {
  return QStringLiteral("写真 (*.jpg *.jpeg *.jpe *.jfif *.gif);;すべてのファイル (*)");
}

}  // namespace

CPhotoPage::CPhotoPage(const SheetContext& context, QWidget* parent) : CSheetPage(context, parent) {
  setAcceptDrops(true);
  auto* layout = new QVBoxLayout(this);
  auto* buttons = new QHBoxLayout;
  add_ = new QPushButton(QStringLiteral("写真の追加(&A)..."));
  add_->setObjectName(QStringLiteral("addPhoto"));
  add_->setToolTip(
      QStringLiteral("写真（JPEG、GIF）を追加します（%1枚まで）").arg(CNuvoDoc::kMaxPhotos));
  connect(add_, &QPushButton::clicked, this, &CPhotoPage::OnAdd);
  deleteSelected_ = new QPushButton(QStringLiteral("選択した写真を削除(&D)"));
  deleteSelected_->setToolTip(QStringLiteral("チェックを付けた写真を削除します"));
  connect(deleteSelected_, &QPushButton::clicked, this, &CPhotoPage::DeleteSelected);
  buttons->addWidget(add_);
  buttons->addWidget(deleteSelected_);
  buttons->addStretch(1);
  layout->addLayout(buttons);

  auto* scroll = new QScrollArea;
  scroll->setWidgetResizable(true);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll->setFrameShape(QFrame::NoFrame);
  auto* content = new QWidget;
  auto* rowsLayout = new QVBoxLayout(content);
  rowsLayout->setContentsMargins(0, 0, 0, 0);
  rowsLayout->setSpacing(2);
  placeholder_ =
      new QLabel(QStringLiteral("写真はまだありません。\n「写真の追加」ボタンを押すか、ここに写真の"
                                "ファイルをドロップしてください。"));
  placeholder_->setObjectName(QStringLiteral("photoPlaceholder"));
  placeholder_->setAlignment(Qt::AlignCenter);
  placeholder_->setWordWrap(true);
  placeholder_->setMinimumHeight(120);
  placeholder_->setFrameShape(QFrame::StyledPanel);
  rowsLayout->addWidget(placeholder_);
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    BuildRow(i);
    rowsLayout->addWidget(rows_[i].frame);
  }
  rowsLayout->addStretch(1);
  scroll->setWidget(content);
  layout->addWidget(scroll, 1);
}

void CPhotoPage::BuildRow(std::size_t index) {
  RowEditor& row = rows_[index];
  auto* frame = new QFrame;
  frame->setFrameShape(QFrame::StyledPanel);
  frame->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(frame, &QWidget::customContextMenuRequested, this,
          [this, index, frame](const QPoint& at) { ShowRowMenu(index, frame->mapToGlobal(at)); });
  row.frame = frame;
  auto* grid = new QGridLayout(frame);
  grid->setContentsMargins(4, 4, 4, 4);
  row.thumbnail = new QLabel;
  row.thumbnail->setObjectName(QStringLiteral("photoThumbnail%1").arg(index));
  row.thumbnail->setFixedSize(kThumbnail);
  row.thumbnail->setAlignment(Qt::AlignCenter);
  grid->addWidget(row.thumbnail, 0, 0, 2, 1);
  row.selected = new QCheckBox(QStringLiteral("%1.").arg(index + 1));
  row.selected->setToolTip(QStringLiteral("削除する写真を選択します"));
  row.name = new QLabel;
  row.name->setTextInteractionFlags(Qt::TextSelectableByMouse);
  grid->addWidget(row.selected, 0, 1);
  // A long file name must not widen the page: it is cut at the row's edge instead.
  row.name->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  grid->addWidget(row.name, 0, 2, 1, 2);
  row.comment = new QLineEdit;
  row.comment->setObjectName(QStringLiteral("photoComment%1").arg(index));
  row.comment->setPlaceholderText(QStringLiteral("写真のコメント"));
  row.comment->setToolTip(QStringLiteral("写真のコメントを全角20文字以内で設定します"));
  row.link =
      new CTextBoxLink(row.comment, context_.doc, context_.prompt,
                       [this, index](const std::string& text) { StoreComment(index, text); });
  row.comment->setMinimumWidth(row.comment->fontMetrics().horizontalAdvance(QChar(0x3042)) * 10);
  grid->addWidget(row.comment, 1, 1, 1, 2);
  auto* remove = new QPushButton(QStringLiteral("削除"));
  remove->setToolTip(QStringLiteral("この写真を削除します"));
  connect(remove, &QPushButton::clicked, this, [this, index] { DeleteRow(index); });
  row.up = new QPushButton(QStringLiteral("↑"));
  row.up->setToolTip(QStringLiteral("ひとつ上へ移動します"));
  connect(row.up, &QPushButton::clicked, this, [this, index] { MoveRow(index, true); });
  row.down = new QPushButton(QStringLiteral("↓"));
  row.down->setToolTip(QStringLiteral("ひとつ下へ移動します"));
  connect(row.down, &QPushButton::clicked, this, [this, index] { MoveRow(index, false); });
  for (QPushButton* button : {row.up, row.down}) {
    button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("↓")) + 20);
  }
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(2);
  buttons->addWidget(remove);
  buttons->addWidget(row.up);
  buttons->addWidget(row.down);
  grid->addLayout(buttons, 1, 3);
  grid->setColumnStretch(2, 1);
}

void CPhotoPage::ShowRowMenu(std::size_t index, const QPoint& at) {
  QMenu menu(this);
  menu.addAction(QStringLiteral("写真の表示(&V)..."), this, [this, index] { OnView(index); });
  menu.addAction(QStringLiteral("写真の変更(&C)..."), this, [this, index] { OnChange(index); });
  menu.addSeparator();
  menu.addAction(QStringLiteral("↑ひとつ上へ"), this, [this, index] { MoveRow(index, true); })
      ->setEnabled(rows_[index].up->isEnabled());
  menu.addAction(QStringLiteral("↓ひとつ下へ"), this, [this, index] { MoveRow(index, false); })
      ->setEnabled(rows_[index].down->isEnabled());
  menu.addSeparator();
  menu.addAction(QStringLiteral("削除(&D)"), this, [this, index] { DeleteRow(index); });
  menu.exec(at);
}

void CPhotoPage::UpdateFromDocument(std::uint32_t mask) {
  if (!(mask & change::kPhotos)) return;
  const CNuvoDoc& doc = context_.doc;
  std::vector<CPhotoEntry> photos = doc.Current().GetPhotos();
  const std::vector<CPhotoData>& data = doc.GetPhotoData();
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    RowEditor& row = rows_[i];
    bool shown = i < photos.size() && i < data.size();
    row.frame->setVisible(shown);
    row.selected->setChecked(false);
    if (!shown) continue;
    QPixmap picture;
    if (auto bytes = data[i].Read()) {
      picture.loadFromData(bytes->data(), static_cast<uint>(bytes->size()));
    }
    if (picture.isNull()) {
      row.thumbnail->setText(QStringLiteral("（表示不可）"));
    } else {
      row.thumbnail->setPixmap(
          picture.scaled(kThumbnail, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
    row.name->setText(QStringLiteral("%1（%2 × %3）")
                          .arg(ToQString(photos[i].name))
                          .arg(photos[i].size.width)
                          .arg(photos[i].size.height));
    row.link->Load(photos[i].detail);
    row.up->setEnabled(i > 0);
    row.down->setEnabled(i + 1 < photos.size());
  }
  placeholder_->setVisible(photos.empty());
  deleteSelected_->setEnabled(!photos.empty());
}

bool CPhotoPage::AddPhotos(const QStringList& paths) {
  CPhotoReader reader(context_.prompt, context_.options.optionValue);
  bool all = true;
  for (const QString& path : paths) {
    if (!reader.AddPhoto(context_.doc, ToPath(path))) {
      all = false;
      break;
    }
  }
  UpdateFromDocument(change::kPhotos);
  return all;
}

bool CPhotoPage::ReplacePhoto(std::size_t row, const QString& path) {
  std::vector<CPhotoEntry> photos = context_.doc.Current().GetPhotos();
  if (row >= photos.size()) return false;
  CPhotoReader reader(context_.prompt, context_.options.optionValue);
  std::optional<CPhotoRow> photo = reader.Read(ToPath(path));
  if (!photo) return false;
  photo->entry.detail = photos[row].detail;
  Run(MakeSetRowCommand(context_.doc, ERowList::Photos, row, std::move(*photo)));
  UpdateFromDocument(change::kPhotos);
  return true;
}

bool CPhotoPage::DropFiles(const QStringList& paths) { return AddPhotos(paths); }

void CPhotoPage::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CPhotoPage::dropEvent(QDropEvent* event) {
  QStringList paths;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) paths << url.toLocalFile();
  }
  if (!paths.isEmpty()) {
    event->acceptProposedAction();
    AddPhotos(paths);
  }
}

void CPhotoPage::OnAdd() {
  QStringList paths =
      QFileDialog::getOpenFileNames(this, QStringLiteral("写真の追加"), QString(), PhotoFilter());
  if (!paths.isEmpty()) AddPhotos(paths);
}

void CPhotoPage::OnChange(std::size_t index) {
  QString path =
      QFileDialog::getOpenFileName(this, QStringLiteral("写真の変更"), QString(), PhotoFilter());
  if (!path.isEmpty()) ReplacePhoto(index, path);
}

void CPhotoPage::OnView(std::size_t index) {
  const std::vector<CPhotoData>& data = context_.doc.GetPhotoData();
  std::vector<std::string> names = context_.doc.GetPhotoNames();
  if (index >= data.size() || index >= names.size()) return;
  auto bytes = data[index].Read();
  if (!bytes) {
    ShowMessage(context_.prompt, IDS_PHOTO_UNREADABLE, {names[index]});
    return;
  }
  CPhotoViewDialog viewer(*bytes, ToQString(names[index]), this);
  viewer.exec();
}

void CPhotoPage::DeleteRow(std::size_t index) {
  Run(MakeDeleteRowCommand(context_.doc, ERowList::Photos, index));
  UpdateFromDocument(change::kPhotos);
}

void CPhotoPage::DeleteSelected() {
  // From the last row up, so that the rows still to go keep their places.
  for (std::size_t i = rows_.size(); i-- > 0;) {
    if (rows_[i].frame->isVisibleTo(this) && rows_[i].selected->isChecked()) {
      Run(MakeDeleteRowCommand(context_.doc, ERowList::Photos, i));
    }
  }
  UpdateFromDocument(change::kPhotos);
}

void CPhotoPage::MoveRow(std::size_t index, bool up) {
  Run(MakeMoveRowCommand(context_.doc, ERowList::Photos, index,
                         up ? EMoveDirection::Up : EMoveDirection::Down));
  UpdateFromDocument(change::kPhotos);
}

void CPhotoPage::StoreComment(std::size_t index, const std::string& text) {
  std::vector<CPhotoEntry> photos = context_.doc.Current().GetPhotos();
  if (index >= photos.size()) return;
  photos[index].detail = text;
  // The entries alone: the photo files stay where they are.
  context_.doc.Current().SetPhotos(photos);
}

}  // namespace nuvo
