#include "gui/app/NuvoView.h"

#include <QVBoxLayout>

namespace nuvo {

CNuvoView::CNuvoView(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  setAutoFillBackground(true);
  setAcceptDrops(false);
}

void CNuvoView::SetSheet(QWidget* sheet, IDocumentListener* listener) {
  delete sheet_;
  sheet_ = sheet;
  listener_ = listener;
  if (sheet_) layout()->addWidget(sheet_);
}

void CNuvoView::OnUpdate(std::uint32_t mask, std::int32_t selection) {
  if (listener_) listener_->NotifyChanged(mask, selection);
}

void CNuvoView::OnFocus(std::uint32_t mask) {
  if (listener_) listener_->NotifyFocus(mask);
}

}  // namespace nuvo
