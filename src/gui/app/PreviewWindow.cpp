#include "gui/app/PreviewWindow.h"

#include <QVBoxLayout>

namespace nuvo {
namespace {

constexpr int kDefaultWidth = 820;
constexpr int kDefaultHeight = 760;

}  // namespace

CPreviewWndDialog::CPreviewWndDialog(QWidget* owner)
    : QDialog(owner, Qt::Window), frame_(new CHtmlFrame(this)) {
  setWindowTitle(QStringLiteral("プレビュー - ぬぼ"));
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(frame_);
  resize(kDefaultWidth, kDefaultHeight);
}

}  // namespace nuvo
