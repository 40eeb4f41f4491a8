#include "gui/editing/PhotoViewDialog.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

namespace nuvo {

CPhotoViewDialog::CPhotoViewDialog(const std::vector<std::uint8_t>& data, const QString& name,
                                   QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("画像を表示"));
  auto* layout = new QVBoxLayout(this);
  auto* caption = new QLabel(name);
  layout->addWidget(caption);
  QPixmap pixmap;
  pixmap.loadFromData(data.data(), static_cast<uint>(data.size()));
  auto* picture = new QLabel;
  picture->setAlignment(Qt::AlignCenter);
  if (pixmap.isNull()) {
    picture->setText(QStringLiteral("この画像は表示できません。"));
  } else {
    picture->setPixmap(pixmap);
    caption->setText(QStringLiteral("%1（%2 × %3 ピクセル）")
                         .arg(name)
                         .arg(pixmap.width())
                         .arg(pixmap.height()));
  }
  auto* scroll = new QScrollArea;
  scroll->setWidget(picture);
  scroll->setAlignment(Qt::AlignCenter);
  layout->addWidget(scroll, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("閉じる"));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  QSize available = QGuiApplication::primaryScreen()
                        ? QGuiApplication::primaryScreen()->availableSize() * 0.8
                        : QSize(800, 600);
  resize(pixmap.size().expandedTo(QSize(320, 240)).boundedTo(available) + QSize(40, 90));
}

}  // namespace nuvo
