#include "gui/submit/PlacedDialog.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>

#include "gui/submit/PlacementChoiceBox.h"

namespace nuvo {
namespace {

WindowRect FromQRect(const QRect& rect) {
  return {rect.x(), rect.y(), rect.width(), rect.height()};
}

// The frame's position, so that the title bar comes back where it was, with the window's own size.
WindowRect Placed(const QWidget& window) {
  return {window.frameGeometry().x(), window.frameGeometry().y(), window.width(), window.height()};
}

}  // namespace

CPlacedDialog::CPlacedDialog(CDialogPlacement placement, QWidget* parent)
    : QDialog(parent), placement_(std::move(placement)) {}

void CPlacedDialog::SetPlacement(const CDialogPlacement& placement) {
  placement_ = placement;
  if (choiceBox_) {
    const QSignalBlocker quiet(choiceBox_->Choices());
    choiceBox_->Choices().setCurrentIndex(static_cast<int>(placement_.Choice()));
  }
  Apply();
}

void CPlacedDialog::done(int result) {
  if (isVisible() && screen()) {
    placement_.Remember(Placed(*this), FromQRect(screen()->availableGeometry()));
  }
  QDialog::done(result);
}

CPlacementChoiceBox* CPlacedDialog::MakeChoiceBox(QWidget* parent) {
  choiceBox_ = new CPlacementChoiceBox(placement_, parent);
  connect(choiceBox_, &CPlacementChoiceBox::Changed, this, &CPlacedDialog::Apply);
  return choiceBox_;
}

void CPlacedDialog::Apply() {
  const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
  const QScreen* screen = owner && owner->screen() ? owner->screen() : this->screen();
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const WindowRect workArea = FromQRect(screen->availableGeometry());
  CDialogPlacement shown = placement_;
  // While the dialog is open, the size the seller gave it stays.
  if (isVisible()) shown.Remember(Placed(*this), workArea);
  const WindowRect rect =
      shown.Place(owner ? FromQRect(owner->frameGeometry()) : WindowRect{}, workArea);
  resize(rect.width, rect.height);
  // move() places the frame of a top-level window, so the title bar lands where it was left.
  move(rect.left, rect.top);
}

}  // namespace nuvo
